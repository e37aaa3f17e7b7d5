#include "checks/TextPool.h"

#include <cstring>

namespace verbaria::checks {

std::uint64_t TextPool::Hash(std::string_view text)
{
    // Eight bytes at a time, each word multiplied in and folded; the last word padded with zeros
    // and the length mixed in, so "a" and "a\0" differ.
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ (text.size() * 0xff51afd7ed558ccdull);
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        h = (h ^ (word * 0xc4ceb9fe1a85ec53ull)) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    if (i < text.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, text.size() - i);
        h = (h ^ (word * 0xc4ceb9fe1a85ec53ull)) * 0x9E3779B97F4A7C15ull;
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

void TextPool::Reorder(const std::vector<std::uint32_t> &order)
{
    std::string bytes;
    bytes.reserve(bytes_.size());
    std::vector<std::uint64_t> offsets{0};
    offsets.reserve(offsets_.size());
    for (std::uint32_t id : order) {
        bytes.append(Text(id));
        offsets.push_back(bytes.size());
    }
    bytes_ = std::move(bytes);
    offsets_ = std::move(offsets);
    // The table keeps its slots, hashes do not change: only the numbers in it do.
    std::vector<std::uint32_t> newNumber(order.size());
    for (std::uint32_t k = 0; k < order.size(); ++k)
        newNumber[order[k]] = k;
    for (std::uint64_t &slot : slots_) {
        if (slot != 0)
            slot = (slot & ~std::uint64_t{0xFFFFFFFF}) |
                   (std::uint64_t{newNumber[static_cast<std::uint32_t>(slot) - 1]} + 1);
    }
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
