#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The live link between the editor and a program it started: the editor changes translations in
// the running program, points at widgets, and hears back which rows the program showed, picked
// or found too tight. Standard C++ only, so that both ends (and the fuzzer) read it alike.
//
// A frame is a 4-byte big-endian length, then that many bytes: the message's type (1 byte), its
// text (a string), its value (a 4-byte signed integer) and its entries (a 4-byte count, then each
// entry's number, path, text and value). A string is a 4-byte length and as many bytes. Every
// integer is big-endian. Texts are UTF-8; a picture's text is the PNG's bytes.
//
// The first frame either side reads must be a Hello carrying the one-time token the editor gave
// the program in its environment; anything else, a wrong token, a frame larger than
// kLiveMaxFrame or one whose fields do not add up ends the connection. A frame of a type this
// side does not know is skipped, so that a later message needs no new protocol version.
namespace verbaria::live {

inline constexpr std::uint32_t kLiveProtocolVersion = 1;
// The largest frame either side accepts: room for a screenshot, far from exhausting memory.
inline constexpr std::uint32_t kLiveMaxFrame = 16u * 1024u * 1024u;
// The environment variable that starts the link in a program: "SOCKET-NAME TOKEN".
inline constexpr const char *kLiveEnvironmentVariable = "VERBARIA_LIVE";

enum class LiveType : std::uint8_t {
    Hello = 1,  // text: the token; value: the protocol version
    Set = 2,    // editor: entries (number, path, text, value = plural form, 0 the first)
    Select = 3, // editor: entries (number, path) whose widgets to outline
    Pick = 4,   // program: entries (number, path) of the widget the user picked
    Seen = 5,   // program: entries (number, path) the program looked up or applied
    // program: entries (number, path, text = the object showing it, value = pixels missing) that
    // do not fit, or fit again (value 0), since the last report; message value 1: the whole
    // report, every text that does not fit now. editor: asks for the whole report.
    Fit = 6,
    Bye = 7,      // either side: the link ends
    PickMode = 8, // editor: value 1 turns picking by a plain click on, 0 off
    Read = 9,     // editor: entries (path) whose live values to send back
    Values = 10,  // program: entries (path, text = the live value), answering Read
    Shoot = 11,   // editor: send pictures of the visible windows
    Pictures = 12 // program: entries (path = the window's object name, text = PNG bytes)
};
inline constexpr std::uint8_t kLiveLastType = 12;

struct LiveEntry
{
    std::int32_t Number = -1; // the template's entry number, -1 for none
    std::string Path;         // the component path, empty for a message
    std::string Text;
    std::int32_t Value = 0;
};

struct LiveMessage
{
    LiveType Type = LiveType::Bye;
    std::string Text;
    std::int32_t Value = 0;
    std::vector<LiveEntry> Entries;
};

// The frame of a message, length first. A message that would not fit into kLiveMaxFrame gives an
// empty string: the sender drops it.
std::string EncodeLiveMessage(const LiveMessage &message);

// Splits messages into frames of at most kLiveMaxFrame / 2 bytes each, by entries (a Set of a whole
// language, say); an entry too large on its own is left out.
std::vector<std::string> EncodeLiveMessages(const LiveMessage &message);

// Reads frames from a byte stream that arrives in pieces of any size. After the first fault it
// stays broken and reads nothing more: the connection is to be closed.
class LiveReader final
{
public:
    explicit LiveReader(std::string token);

    void Feed(std::string_view bytes);
    // The next complete message, past the hello, or nothing (wait for more, or Broken()). The
    // hello itself is checked here and not returned; unknown types are skipped.
    std::optional<LiveMessage> Next();
    bool Broken() const { return broken_; }
    bool Greeted() const { return greeted_; }
    // Why the reader broke, in English, for a log line.
    const std::string &Fault() const { return fault_; }

private:
    void Break(std::string why);

    std::string token_;
    std::string buffer_;
    std::size_t start_ = 0; // the first byte of buffer_ not read yet
    bool greeted_ = false;
    bool broken_ = false;
    std::string fault_;
};

// One frame's bytes (after the length) as a message, or nothing when they do not add up.
std::optional<LiveMessage> DecodeLiveFrame(std::string_view frame);

// Compares two tokens in a time that does not tell how much of them matched.
bool SameLiveToken(std::string_view a, std::string_view b);

// "SOCKET TOKEN" as the environment carries it; nothing when it is not two words.
struct LiveAddress
{
    std::string Socket;
    std::string Token;
};
std::optional<LiveAddress> ParseLiveAddress(std::string_view value);

} // namespace verbaria::live
