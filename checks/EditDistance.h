#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verbaria::checks {

// Edit distance (insertions, deletions, substitutions of characters) from one text to many
// others. A text of up to 64 characters is compared a machine word at a time (Myers' bit-parallel
// method), so a look-up can afford to measure thousands of candidates; longer ones row by row.
class EditDistance final
{
public:
    explicit EditDistance(std::u32string_view pattern);

    // The distance to text, or limit + 1 as soon as it is sure to exceed limit.
    std::size_t To(std::u32string_view text, std::size_t limit) const;
    // The same for UTF-8 text of length characters, read as it stands (no copy decoded first).
    std::size_t ToUtf8(std::string_view text, std::size_t length, std::size_t limit) const;

private:
    std::uint64_t MaskOf(char32_t c) const;
    template <class NextCharacter>
    std::size_t BitParallel(std::size_t n, std::size_t limit, NextCharacter next) const;

    std::u32string pattern_;
    // Open addressing over the pattern's characters: a character and the positions it takes.
    static constexpr std::size_t kSlots = 128;
    std::array<char32_t, kSlots> keys_{};
    std::array<std::uint64_t, kSlots> masks_{};
    std::array<bool, kSlots> used_{};
};

// The plain dynamic programme, for long texts and to test the fast one against.
std::size_t EditDistanceByRows(std::u32string_view a, std::u32string_view b, std::size_t limit);

} // namespace verbaria::checks
