#include "checks/EditDistance.h"

#include "checks/Utf8.h"

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

template <class NextCharacter>
std::size_t EditDistance::BitParallel(std::size_t n, std::size_t limit, NextCharacter next) const
{
    const std::size_t m = pattern_.size();
    // Hyyrö's form of Myers' algorithm for the distance between whole texts: the columns of the
    // table as bit vectors of +1 and -1 steps down the pattern.
    const std::uint64_t high = std::uint64_t{1} << (m - 1);
    std::uint64_t positive = m == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << m) - 1;
    std::uint64_t negative = 0;
    std::size_t score = m;
    for (std::size_t j = 0; j < n; ++j) {
        const std::uint64_t equal = MaskOf(next());
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
    std::size_t j = 0;
    return BitParallel(n, limit, [&] { return text[j++]; });
}

std::size_t EditDistance::ToUtf8(std::string_view text, std::size_t length, std::size_t limit) const
{
    const std::size_t m = pattern_.size();
    if ((m > length ? m - length : length - m) > limit)
        return limit + 1;
    if (m > 64 || m == 0)
        return To(DecodeUtf8(text), limit);
    // Checked UTF-8 only: anything else is read the slow and careful way.
    std::size_t i = 0;
    bool valid = true;
    const std::size_t distance = BitParallel(length, limit, [&]() -> char32_t {
        if (i >= text.size()) {
            valid = false;
            return 0;
        }
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            return lead;
        }
        const std::size_t size = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (lead < 0xC2 || lead > 0xF4 || i + size > text.size()) {
            valid = false;
            ++i;
            return 0;
        }
        char32_t code = lead & (size == 2 ? 0x1F : size == 3 ? 0x0F : 0x07);
        for (std::size_t k = 1; k < size; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = valid && (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        i += size;
        return code;
    });
    if (!valid || (distance <= limit && i != text.size()))
        return To(DecodeUtf8(text), limit);
    return distance;
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
