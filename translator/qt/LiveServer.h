#pragma once

#include "translator/LiveLinkProtocol.h"

#include <QLocalSocket>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class QLocalServer;

namespace verbaria::qt {

// The editor's end of the live link (the editor's window and verbaria-tool live share it): a
// local socket in the user's runtime folder that only this user may open, and for each program
// started a new one-time token. A program connects with the value of Invite() in its environment
// (VERBARIA_LIVE); a connection that does not greet with that token first is closed. One program
// is linked at a time: a program that connects anew (started again) takes the link over.
class LiveServer final : public QObject
{
    Q_OBJECT
public:
    explicit LiveServer(QObject *parent = nullptr);
    ~LiveServer() override;

    // Listens (the first time) and makes a new token: the value of VERBARIA_LIVE for the program
    // about to start. Empty when no socket could be opened (ErrorString tells why).
    QString Invite();
    QString ErrorString() const { return error_; }
    bool IsLinked() const { return linked_ != nullptr; }

    // Sends to the linked program; dropped when there is none or it has not read what was sent
    // before (a program that hangs does not make the editor hold its messages).
    void Send(const live::LiveMessage &message);
    // Says goodbye and closes the link (the socket stays open for the next program).
    void Unlink();

signals:
    void Linked();
    void Unlinked();
    void Received(const verbaria::live::LiveMessage &message);

private:
    struct Pending;
    void Accept();
    void Read(QLocalSocket *socket);
    void Drop(QLocalSocket *socket);

    QLocalServer *server_ = nullptr;
    QString token_;
    QString error_;
    std::vector<std::unique_ptr<Pending>> connections_;
    QPointer<QLocalSocket> linked_;
};

} // namespace verbaria::qt

Q_DECLARE_METATYPE(verbaria::live::LiveMessage)
