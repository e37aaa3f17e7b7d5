#pragma once

#include "translator/LiveLinkProtocol.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

class QLabel;
class QProcessEnvironment;

namespace verbaria {

class EditorContext;
struct FileDialogState;

namespace qt {
class LiveServer;
}

// Running the translated program live: the editor starts it with the link (qt::LiveServer), and
// from then on every change of a translation (a keystroke in a cell or the text pane, undo,
// replace, import) reaches the running program, the row the user is on is outlined there, and a
// widget picked in the program (Ctrl+Alt+click) makes its row current here. The status bar names
// the linked program. A program started again links again; either end closing ends the link.
class LiveController final : public QObject
{
    Q_OBJECT

public:
    explicit LiveController(EditorContext &context);
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
    // Ends the link and the program's wait for us; the program itself keeps running.
    void Stop();
    void Retranslate();

signals:
    // The program told that an entry's text does not fit its widget (pixels missing).
    void DoesNotFit(std::int32_t number, const QString &path, int pixels);
    // The program reported entries it looked up or shows.
    void SeenChanged();

private:
    void SendRows(int first, int last);
    void SendCurrentRow(int row);
    void Received(const live::LiveMessage &message);
    void ShowState();
    live::LiveEntry EntryOfRow(int row, int form) const;

    EditorContext &context_;
    qt::LiveServer *server_ = nullptr;
    Starter starter_;
    bool waiting_ = false; // a program was started and has not linked yet
    QString programName_;
    QLabel *indicator_ = nullptr;
    std::unique_ptr<FileDialogState> dialog_;
    std::unordered_set<std::int32_t> seen_;
};

} // namespace verbaria
