#include "translator/LiveLinkProtocol.h"

namespace verbaria::live {

namespace {

void PutUint32(std::string &out, std::uint32_t value)
{
    out.push_back(static_cast<char>((value >> 24) & 0xff));
    out.push_back(static_cast<char>((value >> 16) & 0xff));
    out.push_back(static_cast<char>((value >> 8) & 0xff));
    out.push_back(static_cast<char>(value & 0xff));
}

void PutString(std::string &out, std::string_view text)
{
    PutUint32(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

std::size_t EntrySize(const LiveEntry &entry)
{
    return 4 + 4 + entry.Path.size() + 4 + entry.Text.size() + 4;
}

// Reads fields from one frame; any read past its end sets Failed and gives zeros.
class FieldReader final
{
public:
    explicit FieldReader(std::string_view bytes)
        : bytes_(bytes)
    {
    }

    std::uint32_t Uint32()
    {
        if (bytes_.size() - position_ < 4) {
            failed_ = true;
            position_ = bytes_.size();
            return 0;
        }
        const auto byte = [this](std::size_t i) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[position_ + i]));
        };
        const std::uint32_t value = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
        position_ += 4;
        return value;
    }
    std::int32_t Int32() { return static_cast<std::int32_t>(Uint32()); }
    std::string String()
    {
        const std::uint32_t size = Uint32();
        if (failed_ || size > bytes_.size() - position_) {
            failed_ = true;
            position_ = bytes_.size();
            return {};
        }
        std::string text(bytes_.substr(position_, size));
        position_ += size;
        return text;
    }
    std::uint8_t Byte()
    {
        if (position_ >= bytes_.size()) {
            failed_ = true;
            return 0;
        }
        return static_cast<std::uint8_t>(bytes_[position_++]);
    }
    std::size_t Left() const { return bytes_.size() - position_; }
    bool Failed() const { return failed_; }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

} // namespace

std::string EncodeLiveMessage(const LiveMessage &message)
{
    std::size_t size = 1 + 4 + message.Text.size() + 4 + 4;
    for (const LiveEntry &entry : message.Entries)
        size += EntrySize(entry);
    if (size > kLiveMaxFrame)
        return {};
    std::string out;
    out.reserve(4 + size);
    PutUint32(out, static_cast<std::uint32_t>(size));
    out.push_back(static_cast<char>(message.Type));
    PutString(out, message.Text);
    PutUint32(out, static_cast<std::uint32_t>(message.Value));
    PutUint32(out, static_cast<std::uint32_t>(message.Entries.size()));
    for (const LiveEntry &entry : message.Entries) {
        PutUint32(out, static_cast<std::uint32_t>(entry.Number));
        PutString(out, entry.Path);
        PutString(out, entry.Text);
        PutUint32(out, static_cast<std::uint32_t>(entry.Value));
    }
    return out;
}

std::vector<std::string> EncodeLiveMessages(const LiveMessage &message)
{
    constexpr std::size_t limit = kLiveMaxFrame / 2;
    std::vector<std::string> frames;
    LiveMessage part;
    part.Type = message.Type;
    part.Text = message.Text;
    part.Value = message.Value;
    const std::size_t base = 1 + 4 + message.Text.size() + 4 + 4;
    std::size_t size = base;
    for (const LiveEntry &entry : message.Entries) {
        const std::size_t entrySize = EntrySize(entry);
        if (base + entrySize > limit)
            continue;
        if (size + entrySize > limit) {
            frames.push_back(EncodeLiveMessage(part));
            part.Entries.clear();
            size = base;
        }
        part.Entries.push_back(entry);
        size += entrySize;
    }
    if (!part.Entries.empty() || frames.empty())
        frames.push_back(EncodeLiveMessage(part));
    return frames;
}

std::optional<LiveMessage> DecodeLiveFrame(std::string_view frame)
{
    FieldReader reader(frame);
    LiveMessage message;
    const std::uint8_t type = reader.Byte();
    message.Type = static_cast<LiveType>(type);
    message.Text = reader.String();
    message.Value = reader.Int32();
    const std::uint32_t count = reader.Uint32();
    // Each entry takes 16 bytes at least: a count the frame cannot hold is a lie, not a reason
    // to reserve memory.
    if (reader.Failed() || count > reader.Left() / 16)
        return std::nullopt;
    message.Entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        LiveEntry entry;
        entry.Number = reader.Int32();
        entry.Path = reader.String();
        entry.Text = reader.String();
        entry.Value = reader.Int32();
        if (reader.Failed())
            return std::nullopt;
        message.Entries.push_back(std::move(entry));
    }
    if (reader.Left() != 0)
        return std::nullopt;
    return message;
}

LiveReader::LiveReader(std::string token)
    : token_(std::move(token))
{
}

void LiveReader::Break(std::string why)
{
    broken_ = true;
    fault_ = std::move(why);
    buffer_.clear();
    start_ = 0;
}

void LiveReader::Feed(std::string_view bytes)
{
    if (broken_)
        return;
    // What was read already is dropped before the buffer grows again.
    if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes);
}

std::optional<LiveMessage> LiveReader::Next()
{
    while (!broken_) {
        const std::size_t available = buffer_.size() - start_;
        if (available < 4)
            return std::nullopt;
        const auto byte = [this](std::size_t i) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(buffer_[start_ + i]));
        };
        const std::uint32_t size = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
        if (size == 0 || size > kLiveMaxFrame) {
            Break("a frame of " + std::to_string(size) + " bytes");
            return std::nullopt;
        }
        // Before the hello nothing large is taken in: whoever does not know the token cannot make
        // this side hold megabytes.
        if (!greeted_ && size > 4096) {
            Break("a large frame before the hello");
            return std::nullopt;
        }
        if (available - 4 < size)
            return std::nullopt;
        const std::string_view frame(buffer_.data() + start_ + 4, size);
        start_ += 4 + size;
        std::optional<LiveMessage> message = DecodeLiveFrame(frame);
        if (!message) {
            Break("a frame whose fields do not add up");
            return std::nullopt;
        }
        if (!greeted_) {
            if (message->Type != LiveType::Hello || !SameLiveToken(message->Text, token_)) {
                Break("no hello with the token first");
                return std::nullopt;
            }
            greeted_ = true;
            continue;
        }
        const auto type = static_cast<std::uint8_t>(message->Type);
        if (type == 0 || type > kLiveLastType || message->Type == LiveType::Hello)
            continue; // a later version's message, or a second hello: nothing to do
        if (start_ == buffer_.size()) {
            buffer_.clear();
            start_ = 0;
        }
        return message;
    }
    return std::nullopt;
}

bool SameLiveToken(std::string_view a, std::string_view b)
{
    if (a.size() != b.size() || a.empty())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

std::optional<LiveAddress> ParseLiveAddress(std::string_view value)
{
    const std::size_t blank = value.find(' ');
    if (blank == std::string_view::npos || blank == 0)
        return std::nullopt;
    LiveAddress address{std::string(value.substr(0, blank)), std::string(value.substr(blank + 1))};
    if (address.Token.empty() || address.Token.find(' ') != std::string::npos)
        return std::nullopt;
    return address;
}

} // namespace verbaria::live
