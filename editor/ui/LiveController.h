#pragma once

#include "translator/LiveLinkProtocol.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>

class QLabel;
class QProcessEnvironment;

namespace verbaria {

class ChecksController;
class EditorContext;
class FilterBar;
struct FileDialogState;

namespace qt {
class LiveServer;
}

// Running the translated program live: the editor starts it with the link (qt::LiveServer), and
// from then on every change of a translation (a keystroke in a cell or the text pane, undo,
// replace, import) reaches the running program, the row the user is on is outlined there, and a
// widget picked in the program (Ctrl+Alt+click, or a plain click in pick mode) selects its rows
// here. The program's reports show in the window: a text its widget clips is a warning of the row
// while the link lasts, and the rows it showed make a filter. The status bar names the linked
// program. A program started again links again; either end closing ends the link.
class LiveController final : public QObject
{
    Q_OBJECT

public:
    // The warnings of texts that do not fit show among checks' findings; the rows seen make a mode
    // of filter.
    LiveController(EditorContext &context, ChecksController &checks, FilterBar &filter);
    ~LiveController() override;

    // Starts a program detached with that environment; false when it did not start (error tells
    // why). Tests run their "program" in the same process.
    using Starter = std::function<bool(const QString &program, const QStringList &arguments,
                                       const QProcessEnvironment &environment, QString &error)>;
    void SetStarter(Starter starter) { starter_ = std::move(starter); }

    // Asks for a program (an executable) and starts it live.
    void ChooseAndStart();
    // Starts program live, with arguments; false (the user told why) when it cannot start.
    bool Start(const QString &program, const QStringList &arguments = {});
    bool IsLinked() const;
    // The entries the program reported it looked up or shows.
    const std::unordered_set<std::int32_t> &Seen() const { return seen_; }
    // The warning of the row's text that its widget in the program clips; empty when it fits or
    // the program has not said.
    QString FitWarning(int row) const;
    // Picking by a plain click in the program, for this program and the next one linked.
    void SetPickMode(bool on);
    bool PickMode() const { return pickMode_; }
    // Ends the link and the program's wait for us; the program itself keeps running.
    void Stop();
    void Retranslate();

signals:
    // The program told which texts do not fit their widgets, or fit again; the link's end takes
    // every such warning away.
    void FitChanged();
    // The program reported entries it looked up or shows.
    void SeenChanged();

private:
    void SendRows(int first, int last);
    void SendCurrentRow(int row);
    void Received(const live::LiveMessage &message);
    void ShowState();
    void Pick(const live::LiveMessage &message);
    void TakeFit(const live::LiveMessage &message);
    void ForgetFit();
    int RowOfNumber(std::int32_t number) const;
    live::LiveEntry EntryOfRow(int row, int form) const;

    EditorContext &context_;
    ChecksController &checks_;
    FilterBar &filter_;
    qt::LiveServer *server_ = nullptr;
    Starter starter_;
    bool waiting_ = false; // a program was started and has not linked yet
    QString programName_;
    QLabel *indicator_ = nullptr;
    std::unique_ptr<FileDialogState> dialog_;
    std::unordered_set<std::int32_t> seen_;
    bool pickMode_ = false;
    // The pixels each text lacks, by entry number and the object in the program that shows it.
    std::map<std::pair<std::int32_t, std::string>, int> tooNarrow_;
};

} // namespace verbaria
