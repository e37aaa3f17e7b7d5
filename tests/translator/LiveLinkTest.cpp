#include "translator/qt/LiveLink.h"
#include "translator/LiveLinkProtocol.h"
#include "translator/qt/LiveServer.h"
#include "translator/qt/TKVTranslator.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QUuid>

#include <gtest/gtest.h>

// Both ends of the live link over real local sockets, each facing a stranger that does not know
// the token.
namespace {

using namespace verbaria;

void Send(QLocalSocket &socket, live::LiveType type, const std::string &text,
          std::vector<live::LiveEntry> entries = {})
{
    live::LiveMessage message;
    message.Type = type;
    message.Text = text;
    message.Entries = std::move(entries);
    const std::string frame = live::EncodeLiveMessage(message);
    socket.write(frame.data(), static_cast<qint64>(frame.size()));
    socket.flush();
}

template <class Condition> bool Within(Condition condition, int milliseconds = 10000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

TEST(LiveLink, AProgramHangsUpOnAnEditorWithoutTheTokenAndChangesNothing)
{
    // This test runs once per process: a program takes the link at its first translator.
    QLocalServer stranger;
    ASSERT_TRUE(
        stranger.listen(QStringLiteral("verbaria-live-test-") + QUuid::createUuid().toString(QUuid::Id128)));
    qputenv(live::kLiveEnvironmentVariable,
            (stranger.fullServerName() + QStringLiteral(" right-token")).toUtf8());

    QWidget form;
    form.setObjectName(QStringLiteral("Form"));
    auto *label = new QLabel(QStringLiteral("Own text"), &form);
    label->setObjectName(QStringLiteral("labelA"));
    qt::TKVTranslator translator;
    translator.SetTemplate({QStringLiteral("1:component \"Form.labelA.Caption\"")});
    EXPECT_FALSE(qEnvironmentVariableIsSet(live::kLiveEnvironmentVariable))
        << "left for the program's children";

    ASSERT_TRUE(Within([&] { return stranger.hasPendingConnections(); }));
    QLocalSocket *program = stranger.nextPendingConnection();
    ASSERT_TRUE(Within([&] { return program->bytesAvailable() > 0; }));
    EXPECT_NE(program->readAll().indexOf("right-token"), -1) << "the program greets with its token";
    Send(*program, live::LiveType::Hello, "wrong-token");
    Send(*program, live::LiveType::Set, {}, {{1, "Form.labelA.Caption", "Changed", 0}});
    EXPECT_TRUE(Within([&] { return program->state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(label->text(), QStringLiteral("Own text"));
    EXPECT_FALSE(translator.Live()->Linked());
}

TEST(LiveLink, TheEditorListensOnlyToTheProgramWithTheToken)
{
    qt::LiveServer server;
    const QString invitation = server.Invite();
    ASSERT_FALSE(invitation.isEmpty()) << server.ErrorString().toStdString();
    const std::optional<live::LiveAddress> address = live::ParseLiveAddress(invitation.toStdString());
    ASSERT_TRUE(address);
    QSignalSpy received(&server, &qt::LiveServer::Received);

    // A stranger: an oversized frame first, then a wrong token; neither is heard.
    for (const std::string &opening : {std::string("\x7f\xff\xff\xff", 4), std::string()}) {
        QLocalSocket stranger;
        stranger.connectToServer(QString::fromStdString(address->Socket));
        ASSERT_TRUE(stranger.waitForConnected(5000));
        if (!opening.empty()) {
            stranger.write(opening.data(), static_cast<qint64>(opening.size()));
            stranger.flush();
        } else {
            Send(stranger, live::LiveType::Hello, address->Token + "x");
        }
        Send(stranger, live::LiveType::Pick, {}, {{3, {}, {}, 0}});
        EXPECT_TRUE(Within([&] { return stranger.state() == QLocalSocket::UnconnectedState; }));
        EXPECT_FALSE(server.IsLinked());
    }
    EXPECT_EQ(received.count(), 0);

    // The program it started: linked, greeted back with the token, heard.
    QLocalSocket program;
    program.connectToServer(QString::fromStdString(address->Socket));
    ASSERT_TRUE(program.waitForConnected(5000));
    Send(program, live::LiveType::Hello, address->Token);
    Send(program, live::LiveType::Pick, {}, {{3, {}, {}, 0}});
    ASSERT_TRUE(Within([&] { return received.count() == 1; }));
    EXPECT_TRUE(server.IsLinked());
    const auto message = received.front().front().value<live::LiveMessage>();
    EXPECT_EQ(message.Type, live::LiveType::Pick);
    live::LiveReader reader(address->Token);
    ASSERT_TRUE(Within([&] { return program.bytesAvailable() > 0; }));
    const QByteArray answer = program.readAll();
    reader.Feed(std::string_view(answer.constData(), static_cast<std::size_t>(answer.size())));
    reader.Next();
    EXPECT_TRUE(reader.Greeted()) << "the editor answers with the program's token";

    // The token served once: a second program with it is not heard.
    QLocalSocket again;
    again.connectToServer(QString::fromStdString(address->Socket));
    ASSERT_TRUE(again.waitForConnected(5000));
    Send(again, live::LiveType::Hello, address->Token);
    EXPECT_TRUE(Within([&] { return again.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_TRUE(server.IsLinked());
}

} // namespace
