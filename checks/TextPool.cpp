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
    std::vector<std::uint32_t> slots(capacity, 0);
    std::vector<std::uint32_t> hashes(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        if (slots_[s] == 0)
            continue;
        std::size_t at = slotHashes_[s] & mask;
        while (slots[at] != 0)
            at = (at + 1) & mask;
        slots[at] = slots_[s];
        hashes[at] = slotHashes_[s];
    }
    slots_ = std::move(slots);
    slotHashes_ = std::move(hashes);
}

std::int64_t TextPool::Find(std::string_view text) const
{
    if (slots_.empty())
        return -1;
    const auto hash = static_cast<std::uint32_t>(Hash(text));
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask; slots_[at] != 0; at = (at + 1) & mask) {
        if (slotHashes_[at] == hash && Text(slots_[at] - 1) == text)
            return slots_[at] - 1;
    }
    return -1;
}

std::uint32_t TextPool::Intern(std::string_view text)
{
    if ((size() + 1) * 2 > slots_.size())
        Grow();
    const auto hash = static_cast<std::uint32_t>(Hash(text));
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    for (; slots_[at] != 0; at = (at + 1) & mask) {
        if (slotHashes_[at] == hash && Text(slots_[at] - 1) == text)
            return slots_[at] - 1;
    }
    const auto id = static_cast<std::uint32_t>(size());
    bytes_.append(text);
    offsets_.push_back(bytes_.size());
    slots_[at] = id + 1;
    slotHashes_[at] = hash;
    return id;
}

} // namespace verbaria::checks
