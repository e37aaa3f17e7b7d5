// The live link's reader: any bytes, in pieces of any size, before and after a valid hello.
#include "FuzzSupport.h"
#include "translator/LiveLinkProtocol.h"

using namespace verbaria::live;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t control = data[0];
    std::string_view bytes = AsBytes(data + 1, size - 1);
    LiveReader reader("token-of-the-run");
    // Half of the runs start greeted, so that what follows the hello is explored as well.
    if (control & 1) {
        LiveMessage hello;
        hello.Type = LiveType::Hello;
        hello.Text = "token-of-the-run";
        reader.Feed(EncodeLiveMessage(hello));
    }
    const std::size_t piece = (control >> 1) + 1;
    while (!bytes.empty()) {
        const std::size_t take = std::min(piece, bytes.size());
        reader.Feed(bytes.substr(0, take));
        bytes.remove_prefix(take);
        while (std::optional<LiveMessage> message = reader.Next()) {
            FUZZ_CHECK(reader.Greeted());
            FUZZ_CHECK(message->Type != LiveType::Hello);
            // What was read is written back to the same frame.
            const std::string frame = EncodeLiveMessage(*message);
            FUZZ_CHECK(!frame.empty());
            const std::optional<LiveMessage> again = DecodeLiveFrame(std::string_view(frame).substr(4));
            FUZZ_CHECK(again && again->Entries.size() == message->Entries.size() &&
                       again->Text == message->Text);
        }
        if (reader.Broken())
            FUZZ_CHECK(!reader.Next());
    }
    return 0;
}
