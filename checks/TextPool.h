#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verbaria::checks {

// Each distinct text once, in one block of bytes, numbered in the order first seen. A million
// short texts cost one allocation here instead of a million strings and hash nodes.
class TextPool final
{
public:
    std::uint32_t Intern(std::string_view text);
    // Keeps text under a new number without looking for an equal one (Find does not see it).
    std::uint32_t Append(std::string_view text);
    // The number of text, or -1 when the pool does not hold it.
    std::int64_t Find(std::string_view text) const;
    std::string_view Text(std::uint32_t id) const
    {
        return std::string_view(bytes_).substr(offsets_[id], offsets_[id + 1] - offsets_[id]);
    }
    std::size_t size() const { return offsets_.size() - 1; }
    // Numbers the texts anew: the text numbered order[k] becomes number k. order must name
    // every text once.
    void Reorder(const std::vector<std::uint32_t> &order);

private:
    static std::uint64_t Hash(std::string_view text);
    void Grow();

    std::string bytes_;
    std::vector<std::uint64_t> offsets_{0}; // one more than texts
    // Open addressing: per slot the hash in the high half and id + 1 in the low half (0: empty),
    // so a probe reads one word.
    std::vector<std::uint64_t> slots_;
    std::size_t interned_ = 0;
};

} // namespace verbaria::checks
