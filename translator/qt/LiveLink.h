#pragma once

#include "translator/LiveLinkProtocol.h"

#include <QMutex>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

class QLocalSocket;
class QRubberBand;
class QTimer;
class QWidget;

namespace verbaria::qt {

class TKVTranslator;

// The program's end of the editor's live link. A translator makes one only when the program was
// started by the editor (VERBARIA_LIVE in the environment, which it then removes, so that the
// program's own children do not connect); without it nothing of this exists.
//
// Everything runs on the program's event loop and never waits for the editor: what the program
// sends goes into the socket's buffer, and is dropped once the editor has not read a megabyte.
// On the editor's word it changes translations and outlines widgets, nothing else: it writes no
// file and starts nothing.
class LiveLink final : public QObject
{
    Q_OBJECT
public:
    // The link of this run, or nullptr when the program was not started live or another
    // translator took the link already.
    static LiveLink *FromEnvironment(TKVTranslator *translator);
    ~LiveLink() override;

    // The entry of that number was looked up: reported to the editor once, in batches. Any thread.
    void NoteSeen(std::int32_t number);
    bool Linked() const { return linked_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    LiveLink(TKVTranslator *translator, live::LiveAddress address);

    void Send(const live::LiveMessage &message, bool answer = false);
    void ReadMessages();
    void Handle(const live::LiveMessage &message);
    void ApplySet(const live::LiveMessage &message);
    void Outline(const live::LiveMessage &message);
    void AnswerRead(const live::LiveMessage &message);
    void SendPictures();
    void ReportComponentsFound();
    void FlushSeen();
    // Measures the texts of the visible windows against their widgets, soon (a burst of changes
    // is measured once), and tells the editor what changed since the last report.
    void MeasureFitSoon();
    void ReportFit(bool whole);
    void Close();
    // The entries whose component is widget, else the messages it shows, else those of its nearest
    // ancestor with a component.
    std::vector<live::LiveEntry> EntriesOf(QWidget *widget);
    // The message entries whose text the widget shows.
    std::vector<live::LiveEntry> MessagesShownBy(const QWidget *widget);
    QObject *ObjectOfPath(const std::string &path, std::string_view &property);

    TKVTranslator *translator_;
    live::LiveAddress address_;
    QLocalSocket *socket_ = nullptr;
    live::LiveReader reader_;
    bool linked_ = false;
    bool pickMode_ = false;
    bool eatRelease_ = false;
    QPointer<QRubberBand> outline_;

    QMutex seenMutex_;
    std::vector<std::int32_t> pendingSeen_; // under seenMutex_
    bool flushPosted_ = false;              // under seenMutex_
    std::unordered_set<std::int32_t> reported_;

    QTimer *fitTimer_ = nullptr;
    bool wholeFitAsked_ = false;
    // What the editor was last told does not fit, by the object that shows the text.
    std::map<std::string, live::LiveEntry> tooNarrow_;
};

} // namespace verbaria::qt
