#include "checks/TextPool.h"

namespace verbaria::checks {

std::uint64_t TextPool::Hash(std::string_view text)
{
    // FNV-1a, mixed at the end so that the low bits serve as the slot.
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    h ^= h >> 32;
    h *= 0xd6e8feb86659fd93ull;
    return h ^ (h >> 32);
}

void TextPool::Grow()
{
    const std::size_t capacity = slots_.empty() ? 1024 : slots_.size() * 2;
    std::vector<std::uint64_t> slots(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (std::uint64_t slot : slots_) {
        if (slot == 0)
            continue;
        std::size_t at = (slot >> 32) & mask;
        while (slots[at] != 0)
            at = (at + 1) & mask;
        slots[at] = slot;
    }
    slots_ = std::move(slots);
}

std::int64_t TextPool::Find(std::string_view text) const
{
    if (slots_.empty())
        return -1;
    const std::uint64_t hash = Hash(text) >> 32;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask; slots_[at] != 0; at = (at + 1) & mask) {
        if ((slots_[at] >> 32) == hash && Text(static_cast<std::uint32_t>(slots_[at]) - 1) == text)
            return static_cast<std::uint32_t>(slots_[at]) - 1;
    }
    return -1;
}

std::uint32_t TextPool::Append(std::string_view text)
{
    const auto id = static_cast<std::uint32_t>(size());
    bytes_.append(text);
    offsets_.push_back(bytes_.size());
    return id;
}

std::uint32_t TextPool::Intern(std::string_view text)
{
    if ((interned_ + 1) * 2 > slots_.size())
        Grow();
    const std::uint64_t hash = Hash(text) >> 32;
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    for (; slots_[at] != 0; at = (at + 1) & mask) {
        if ((slots_[at] >> 32) == hash && Text(static_cast<std::uint32_t>(slots_[at]) - 1) == text)
            return static_cast<std::uint32_t>(slots_[at]) - 1;
    }
    const std::uint32_t id = Append(text);
    slots_[at] = (hash << 32) | (std::uint64_t{id} + 1);
    ++interned_;
    return id;
}

} // namespace verbaria::checks
