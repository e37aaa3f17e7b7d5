#include "translator/qt/LiveServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>

namespace verbaria::qt {

namespace {

// Programs that connect but do not greet: a few at a time, no more.
constexpr std::size_t kMaxConnections = 4;
// What waits for a program that does not read; beyond it, messages are dropped.
constexpr qint64 kMaxBuffered = 8 * 1024 * 1024;

QString RandomHex(int words)
{
    QString text;
    QRandomGenerator *random = QRandomGenerator::system();
    for (int i = 0; i < words; ++i)
        text += QStringLiteral("%1").arg(random->generate(), 8, 16, QLatin1Char('0'));
    return text;
}

} // namespace

struct LiveServer::Pending
{
    QLocalSocket *Socket = nullptr;
    live::LiveReader Reader;
};

LiveServer::LiveServer(QObject *parent)
    : QObject(parent)
{
}

LiveServer::~LiveServer()
{
    Unlink();
    for (const auto &connection : connections_)
        connection->Socket->disconnect(this);
}

QString LiveServer::Invite()
{
    if (!server_) {
        auto *server = new QLocalServer(this);
        // The socket file is made reachable by this user alone.
        server->setSocketOptions(QLocalServer::UserAccessOption);
        QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (folder.isEmpty())
            folder = QDir::tempPath();
        const QString name = QDir(folder).filePath(
            QStringLiteral("verbaria-live-%1-%2").arg(QCoreApplication::applicationPid()).arg(RandomHex(2)));
        if (!server->listen(name)) {
            error_ = server->errorString();
            delete server;
            return {};
        }
        server_ = server;
        connect(server_, &QLocalServer::newConnection, this, &LiveServer::Accept);
    }
    token_ = RandomHex(8);
    return server_->fullServerName() + u' ' + token_;
}

void LiveServer::Accept()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        if (connections_.size() >= kMaxConnections || token_.isEmpty()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connections_.push_back(
            std::make_unique<Pending>(Pending{socket, live::LiveReader(token_.toStdString())}));
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Drop(socket); });
    }
}

void LiveServer::Read(QLocalSocket *socket)
{
    const auto found =
        std::find_if(connections_.begin(), connections_.end(),
                     [socket](const auto &connection) { return connection->Socket == socket; });
    if (found == connections_.end())
        return;
    live::LiveReader &reader = (*found)->Reader;
    while (socket->bytesAvailable() > 0) {
        const QByteArray bytes = socket->read(64 * 1024);
        const bool greeted = reader.Greeted();
        reader.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        std::vector<live::LiveMessage> messages;
        while (std::optional<live::LiveMessage> message = reader.Next())
            messages.push_back(*std::move(message));
        if (reader.Broken()) {
            Drop(socket);
            return;
        }
        if (!greeted && reader.Greeted()) {
            // The token served its one program; the one linked before (if any) is replaced. The
            // program hears the token back: only the editor that started it knows it.
            live::LiveMessage hello;
            hello.Type = live::LiveType::Hello;
            hello.Text = token_.toStdString();
            hello.Value = static_cast<std::int32_t>(live::kLiveProtocolVersion);
            token_.clear();
            if (linked_ && linked_ != socket)
                Unlink();
            linked_ = socket;
            Send(hello);
            emit Linked();
        }
        for (const live::LiveMessage &message : messages) {
            if (linked_ != socket)
                return;
            if (message.Type == live::LiveType::Bye) {
                Drop(socket);
                return;
            }
            emit Received(message);
        }
    }
}

void LiveServer::Drop(QLocalSocket *socket)
{
    const auto found =
        std::find_if(connections_.begin(), connections_.end(),
                     [socket](const auto &connection) { return connection->Socket == socket; });
    if (found == connections_.end())
        return;
    connections_.erase(found);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    if (linked_ == socket) {
        linked_ = nullptr;
        emit Unlinked();
    }
}

void LiveServer::Send(const live::LiveMessage &message)
{
    if (!linked_)
        return;
    for (const std::string &frame : live::EncodeLiveMessages(message)) {
        if (linked_->bytesToWrite() + static_cast<qint64>(frame.size()) > kMaxBuffered)
            return;
        linked_->write(frame.data(), static_cast<qint64>(frame.size()));
    }
}

void LiveServer::Unlink()
{
    if (!linked_)
        return;
    live::LiveMessage bye;
    bye.Type = live::LiveType::Bye;
    Send(bye);
    linked_->flush();
    Drop(linked_);
}

} // namespace verbaria::qt
