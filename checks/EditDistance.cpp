#include "checks/EditDistance.h"

#include <algorithm>

namespace verbaria::checks {

namespace {

std::size_t SlotOf(char32_t c)
{
    return (static_cast<std::size_t>(c) * 0x9E3779B1u >> 7) & 127;
}

} // namespace

EditDistance::EditDistance(std::u32string_view pattern)
    : pattern_(pattern)
{
    if (pattern_.size() > 64)
        return;
    for (std::size_t i = 0; i < pattern_.size(); ++i) {
        std::size_t slot = SlotOf(pattern_[i]);
        while (used_[slot] && keys_[slot] != pattern_[i])
            slot = (slot + 1) % kSlots;
        used_[slot] = true;
        keys_[slot] = pattern_[i];
        masks_[slot] |= std::uint64_t{1} << i;
    }
}

std::uint64_t EditDistance::MaskOf(char32_t c) const
{
    for (std::size_t slot = SlotOf(c); used_[slot]; slot = (slot + 1) % kSlots) {
        if (keys_[slot] == c)
            return masks_[slot];
    }
    return 0;
}

std::size_t EditDistance::To(std::u32string_view text, std::size_t limit) const
{
    const std::size_t m = pattern_.size();
    const std::size_t n = text.size();
    if ((m > n ? m - n : n - m) > limit)
        return limit + 1;
    if (m > 64)
        return EditDistanceByRows(pattern_, text, limit);
    if (m == 0)
        return n;
    // Hyyrö's form of Myers' algorithm for the distance between whole texts: the columns of the
    // table as bit vectors of +1 and -1 steps down the pattern.
    const std::uint64_t high = std::uint64_t{1} << (m - 1);
    std::uint64_t positive = m == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << m) - 1;
    std::uint64_t negative = 0;
    std::size_t score = m;
    for (std::size_t j = 0; j < n; ++j) {
        const std::uint64_t equal = MaskOf(text[j]);
        const std::uint64_t xv = equal | negative;
        const std::uint64_t xh = (((equal & positive) + positive) ^ positive) | equal;
        std::uint64_t ph = negative | ~(xh | positive);
        std::uint64_t mh = positive & xh;
        if (ph & high)
            ++score;
        else if (mh & high)
            --score;
        // The score can fall by at most one per remaining character.
        if (score > limit + (n - 1 - j))
            return limit + 1;
        ph = (ph << 1) | 1;
        mh <<= 1;
        positive = mh | ~(xv | ph);
        negative = ph & xv;
    }
    return score;
}

std::size_t EditDistanceByRows(std::u32string_view a, std::u32string_view b, std::size_t limit)
{
    if (a.size() > b.size())
        std::swap(a, b);
    if (b.size() - a.size() > limit)
        return limit + 1;
    std::vector<std::size_t> row(a.size() + 1);
    for (std::size_t i = 0; i <= a.size(); ++i)
        row[i] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
        std::size_t diagonal = row[0];
        row[0] = j;
        std::size_t best = row[0];
        for (std::size_t i = 1; i <= a.size(); ++i) {
            const std::size_t above = row[i];
            row[i] = std::min({row[i] + 1, row[i - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
            best = std::min(best, row[i]);
        }
        if (best > limit)
            return limit + 1;
    }
    return row[a.size()];
}

} // namespace verbaria::checks
