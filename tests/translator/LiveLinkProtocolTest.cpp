#include "translator/LiveLinkProtocol.h"

#include <gtest/gtest.h>

namespace {

using namespace verbaria::live;

std::string Hello(const std::string &token)
{
    LiveMessage hello;
    hello.Type = LiveType::Hello;
    hello.Text = token;
    hello.Value = static_cast<std::int32_t>(kLiveProtocolVersion);
    return EncodeLiveMessage(hello);
}

std::string SetOf(std::int32_t number, const std::string &path, const std::string &text)
{
    LiveMessage set;
    set.Type = LiveType::Set;
    set.Entries.push_back({number, path, text, 0});
    return EncodeLiveMessage(set);
}

std::vector<LiveMessage> ReadAll(LiveReader &reader)
{
    std::vector<LiveMessage> messages;
    while (std::optional<LiveMessage> message = reader.Next())
        messages.push_back(*std::move(message));
    return messages;
}

TEST(LiveLinkProtocol, MessagesArriveWholeWhateverPiecesTheStreamBringsThem)
{
    const std::string stream = Hello("secret") + SetOf(12, "MainForm.label.Caption", "Otevřít soubor") +
                               SetOf(-1, "", std::string("\0|x", 3));
    for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{7}, stream.size()}) {
        LiveReader reader("secret");
        std::vector<LiveMessage> messages;
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            reader.Feed(std::string_view(stream).substr(at, piece));
            for (LiveMessage &message : ReadAll(reader))
                messages.push_back(std::move(message));
        }
        ASSERT_FALSE(reader.Broken()) << reader.Fault();
        ASSERT_EQ(messages.size(), 2u) << "pieces of " << piece;
        EXPECT_EQ(messages[0].Type, LiveType::Set);
        ASSERT_EQ(messages[0].Entries.size(), 1u);
        EXPECT_EQ(messages[0].Entries[0].Number, 12);
        EXPECT_EQ(messages[0].Entries[0].Path, "MainForm.label.Caption");
        EXPECT_EQ(messages[0].Entries[0].Text, "Otevřít soubor");
        EXPECT_EQ(messages[1].Entries[0].Text, std::string("\0|x", 3));
    }
}

TEST(LiveLinkProtocol, NothingIsReadBeforeAHelloWithTheTokenNorAfterAFault)
{
    const std::string set = SetOf(1, "Form.a.Caption", "x");
    struct Case
    {
        const char *Name;
        std::string Bytes;
    };
    const std::string oversized = std::string("\x01\x00\x00\x01", 4) + std::string(8, 'x');
    std::string countLie = SetOf(1, "p", "t");
    countLie[4 + 1 + 4 + 4 + 3] = '\x7f'; // an entry count far beyond what the frame holds
    const Case cases[] = {
        {"no hello", set + Hello("secret") + set},
        {"wrong token", Hello("secreT") + set},
        {"empty token", Hello("") + set},
        {"token a prefix", Hello("secre") + set},
        {"oversized frame", Hello("secret") + std::string("\x01\x00\x00\x01", 4) + set},
        {"large frame before the hello", oversized},
        {"zero length", Hello("secret") + std::string(4, '\0') + set},
        {"entry count beyond the frame", Hello("secret") + countLie + set},
        {"string past the frame's end",
         Hello("secret") + std::string("\x00\x00\x00\x05\x02\x00\x00\x00\x09", 9) + set},
    };
    for (const Case &c : cases) {
        LiveReader reader("secret");
        reader.Feed(c.Bytes);
        EXPECT_TRUE(ReadAll(reader).empty()) << c.Name;
        EXPECT_TRUE(reader.Broken()) << c.Name;
        reader.Feed(Hello("secret") + set);
        EXPECT_TRUE(ReadAll(reader).empty()) << c.Name << ": read on after the fault";
    }
}

TEST(LiveLinkProtocol, UnknownTypesAreSkippedAndLargeMessagesSplit)
{
    LiveMessage later;
    later.Type = static_cast<LiveType>(200);
    later.Text = "a message of a later version";
    LiveReader reader("t");
    reader.Feed(Hello("t") + EncodeLiveMessage(later) + SetOf(5, "", "five"));
    const std::vector<LiveMessage> messages = ReadAll(reader);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Entries[0].Text, "five");

    // A whole language in one Set is sent as several frames, each under the limit; an entry too
    // large on its own is left out, and a single message too large is not encoded at all.
    LiveMessage set;
    set.Type = LiveType::Set;
    for (int i = 0; i < 3000; ++i)
        set.Entries.push_back({i, "Form.label" + std::to_string(i) + ".Caption", std::string(4000, 'x'), 0});
    set.Entries.push_back({-1, "", std::string(kLiveMaxFrame, 'y'), 0});
    EXPECT_TRUE(EncodeLiveMessage(set).empty());
    LiveReader many("t");
    many.Feed(Hello("t"));
    std::size_t entries = 0;
    for (const std::string &frame : EncodeLiveMessages(set)) {
        EXPECT_LE(frame.size(), kLiveMaxFrame);
        many.Feed(frame);
        for (const LiveMessage &message : ReadAll(many))
            entries += message.Entries.size();
    }
    EXPECT_FALSE(many.Broken()) << many.Fault();
    EXPECT_EQ(entries, 3000u);
}

TEST(LiveLinkProtocol, TheEnvironmentValueNamesASocketAndAToken)
{
    const std::optional<LiveAddress> address = ParseLiveAddress("/run/user/1000/verbaria-live-1 abc123");
    ASSERT_TRUE(address);
    EXPECT_EQ(address->Socket, "/run/user/1000/verbaria-live-1");
    EXPECT_EQ(address->Token, "abc123");
    for (const char *bad : {"", "socket", " token", "socket ", "socket a b"})
        EXPECT_FALSE(ParseLiveAddress(bad)) << bad;
}

} // namespace
