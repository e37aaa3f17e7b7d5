#include "checks/TranslationMemory.h"

#include "checks/EditDistance.h"
#include "checks/Utf8.h"

#include <algorithm>
#include <map>

namespace verbaria::checks {

namespace {

// About one bucket per piece of the memory, at most two million: a small memory (one document's
// rows) builds and clears as fast as it is small.
std::uint32_t BucketsFor(std::uint64_t pieces)
{
    std::uint32_t buckets = 1024;
    while (buckets < pieces && buckets < (1u << 21))
        buckets <<= 1;
    return buckets;
}
constexpr char32_t kTextStart = 0x2;
constexpr char32_t kTextEnd = 0x3;

// The three-character pieces of a text framed by a start and an end mark, as bucket numbers
// (pieces that share a bucket only widen the candidates; the edit distance decides). Each bucket
// once.
void PiecesOf(std::u32string_view text, std::uint32_t mask, std::vector<std::uint32_t> &pieces)
{
    pieces.clear();
    const std::size_t n = text.size() + 2;
    const auto at = [&](std::size_t i) -> std::uint64_t {
        return i == 0 ? kTextStart : i == n - 1 ? kTextEnd : text[i - 1];
    };
    for (std::size_t i = 0; i + 2 < n; ++i) {
        std::uint64_t h = (at(i) * 0x9E3779B97F4A7C15ull) ^ (at(i + 1) * 0xC2B2AE3D27D4EB4Full) ^
                          (at(i + 2) * 0x165667B19E3779F9ull);
        h ^= h >> 29;
        pieces.push_back(static_cast<std::uint32_t>(h) & mask);
    }
    std::sort(pieces.begin(), pieces.end());
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());
}

} // namespace

std::uint32_t TranslationMemory::AddFile(std::string name)
{
    files_.push_back(std::move(name));
    return static_cast<std::uint32_t>(files_.size() - 1);
}

void TranslationMemory::Add(std::uint32_t file, std::int32_t number, std::string_view original,
                            std::string_view translation)
{
    if (original.empty() || translation.empty())
        return;
    units_.push_back(
        Unit{originals_.Intern(original), translations_.Append(translation), MemorySource{file, number}});
    built_ = false;
}

void TranslationMemory::Build()
{
    const std::size_t count = originals_.size();
    // The originals numbered anew in length order (a counting sort): the originals of the lengths
    // a look-up accepts are then one range, and the texts it measures lie side by side.
    std::vector<std::uint32_t> lengths(count, 0);
    std::uint32_t longest = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        for (char c : originals_.Text(i))
            lengths[i] += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        longest = std::max(longest, lengths[i]);
    }
    lengthFirst_.assign(static_cast<std::size_t>(longest) + 2, 0);
    for (std::uint32_t length : lengths)
        ++lengthFirst_[length + 1];
    for (std::size_t l = 0; l + 1 < lengthFirst_.size(); ++l)
        lengthFirst_[l + 1] += lengthFirst_[l];
    std::vector<std::uint32_t> byLength(count, 0);
    std::vector<std::uint32_t> newNumber(count, 0);
    {
        std::vector<std::uint32_t> next(lengthFirst_.begin(), lengthFirst_.end() - 1);
        for (std::uint32_t i = 0; i < count; ++i) {
            newNumber[i] = next[lengths[i]]++;
            byLength[newNumber[i]] = i;
        }
    }
    originals_.Reorder(byLength);
    for (Unit &unit : units_)
        unit.Original = newNumber[unit.Original];
    placeLength_.assign(count, 0);
    for (std::uint32_t i = 0; i < count; ++i)
        placeLength_[newNumber[i]] = lengths[i];
    lengths = placeLength_;

    // Units by original: a counting sort keeps each original's units in the order added.
    unitStart_.assign(count + 1, 0);
    for (const Unit &unit : units_)
        ++unitStart_[unit.Original + 1];
    for (std::size_t i = 0; i < count; ++i)
        unitStart_[i + 1] += unitStart_[i];
    unitOrder_.assign(units_.size(), 0);
    {
        std::vector<std::uint32_t> next(unitStart_.begin(), unitStart_.end() - 1);
        for (std::size_t u = 0; u < units_.size(); ++u)
            unitOrder_[next[units_[u].Original]++] = static_cast<std::uint32_t>(u);
    }

    std::uint64_t totalLength = 0;
    for (std::uint32_t length : lengths)
        totalLength += length;
    const std::uint32_t buckets = BucketsFor(totalLength);
    pieceMask_ = buckets - 1;
    std::vector<std::uint32_t> allPieces;
    std::vector<std::uint32_t> pieceCountOf(count, 0);
    allPieces.reserve(count * 24);
    std::vector<std::uint32_t> pieces;
    for (std::uint32_t place = 0; place < count; ++place) {
        PiecesOf(DecodeUtf8(originals_.Text(place)), pieceMask_, pieces);
        pieceCountOf[place] = static_cast<std::uint32_t>(pieces.size());
        allPieces.insert(allPieces.end(), pieces.begin(), pieces.end());
    }
    pieceStart_.assign(std::size_t{buckets} + 1, 0);
    for (std::uint32_t piece : allPieces)
        ++pieceStart_[piece + 1];
    for (std::size_t b = 0; b < buckets; ++b)
        pieceStart_[b + 1] += pieceStart_[b];
    piecePlaces_.assign(allPieces.size(), 0);
    std::vector<std::uint32_t> next(pieceStart_.begin(), pieceStart_.end() - 1);
    std::size_t at = 0;
    for (std::uint32_t place = 0; place < count; ++place) {
        for (std::uint32_t k = 0; k < pieceCountOf[place]; ++k)
            piecePlaces_[next[allPieces[at++]]++] = place;
    }
    placePieces_ = std::move(pieceCountOf);
    built_ = true;
}

std::vector<Suggestion> TranslationMemory::Grouped(std::uint32_t original, int score) const
{
    std::vector<Suggestion> result;
    std::map<std::string_view, std::size_t> byTranslation;
    for (std::uint32_t k = unitStart_[original]; k < unitStart_[original + 1]; ++k) {
        const Unit &unit = units_[unitOrder_[k]];
        auto [it, added] = byTranslation.try_emplace(translations_.Text(unit.Translation), result.size());
        if (added)
            result.push_back(Suggestion{std::string(originals_.Text(original)),
                                        std::string(translations_.Text(unit.Translation)),
                                        score,
                                        {}});
        result[it->second].Sources.push_back(unit.Source);
    }
    std::stable_sort(result.begin(), result.end(), [](const Suggestion &a, const Suggestion &b) {
        return a.Sources.size() > b.Sources.size();
    });
    return result;
}

std::vector<Suggestion> TranslationMemory::Exact(std::string_view original) const
{
    if (!built_)
        return {};
    const std::int64_t found = originals_.Find(original);
    if (found < 0)
        return {};
    return Grouped(static_cast<std::uint32_t>(found), 100);
}

std::vector<Suggestion> TranslationMemory::Similar(std::string_view original, int minimumScore,
                                                   std::size_t limit) const
{
    if (!built_ || original.empty() || limit == 0 || originals_.size() == 0)
        return {};
    minimumScore = std::clamp(minimumScore, 1, 100);
    const std::u32string text = DecodeUtf8(original);
    const std::size_t length = text.size();
    const auto allowedEdits = [&](std::size_t m) {
        return std::max(length, m) * static_cast<std::size_t>(100 - minimumScore) / 100;
    };
    // With a score of at least minimumScore, a candidate of length m is within allowedEdits(m)
    // edits, so its length lies in this range: one range of places.
    const std::size_t maxLength = lengthFirst_.size() - 2;
    const std::size_t shortest =
        std::min((length * static_cast<std::size_t>(minimumScore) + 99) / 100, maxLength + 1);
    const std::size_t longest = std::min(length * 100 / static_cast<std::size_t>(minimumScore), maxLength);
    if (shortest > longest)
        return {};
    const std::uint32_t low = lengthFirst_[shortest];
    const std::uint32_t high = lengthFirst_[longest + 1];

    std::vector<std::uint32_t> pieces;
    PiecesOf(text, pieceMask_, pieces);
    struct Segment
    {
        const std::uint32_t *Begin;
        const std::uint32_t *End;
    };
    std::vector<Segment> segments;
    for (std::uint32_t piece : pieces) {
        const std::uint32_t *first = piecePlaces_.data() + pieceStart_[piece];
        const std::uint32_t *last = piecePlaces_.data() + pieceStart_[piece + 1];
        segments.push_back({std::lower_bound(first, last, low), std::lower_bound(first, last, high)});
    }
    std::sort(segments.begin(), segments.end(),
              [](const Segment &a, const Segment &b) { return a.End - a.Begin < b.End - b.Begin; });

    // Each edit spoils at most three pieces, so a candidate shares at least pieces - 3 * edits of
    // them, and it must be in one of the rarest 3 * edits + 1 lists: only those bring in
    // candidates, the common lists only count for the candidates already in.
    const std::size_t spoilable = 3 * allowedEdits(longest);
    const std::size_t opening = std::min(segments.size(), spoilable + 1);
    std::vector<std::uint32_t> shared(high - low, 0);
    std::vector<std::uint32_t> touched;
    for (std::size_t s = 0; s < opening; ++s) {
        for (const std::uint32_t *p = segments[s].Begin; p != segments[s].End; ++p) {
            if (shared[*p - low]++ == 0)
                touched.push_back(*p);
        }
    }
    if (opening < segments.size())
        std::sort(touched.begin(), touched.end());
    for (std::size_t s = opening; s < segments.size(); ++s) {
        const auto size = static_cast<std::size_t>(segments[s].End - segments[s].Begin);
        if (touched.size() * 16 < size) {
            for (std::uint32_t place : touched) {
                if (std::binary_search(segments[s].Begin, segments[s].End, place))
                    ++shared[place - low];
            }
        } else {
            for (const std::uint32_t *p = segments[s].Begin; p != segments[s].End; ++p) {
                if (shared[*p - low] != 0)
                    ++shared[*p - low];
            }
        }
    }

    struct Scored
    {
        std::uint32_t Original;
        int Score;
    };
    std::vector<Scored> scored;
    const std::int64_t self = originals_.Find(original);
    const EditDistance distanceFrom(text);
    // In place order rather than as touched: the per-place tables are then read front to back.
    for (std::uint32_t place = low; place < high; ++place) {
        if (shared[place - low] == 0)
            continue;
        const std::uint32_t candidate = place;
        if (static_cast<std::int64_t>(candidate) == self)
            continue;
        // Each side keeps all but 3 * edits of its pieces.
        const std::size_t m = placeLength_[place];
        const std::size_t edits = allowedEdits(m);
        const std::size_t most = std::max<std::size_t>(pieces.size(), placePieces_[place]);
        if (shared[place - low] + 3 * edits < most)
            continue;
        const std::size_t distance = distanceFrom.ToUtf8(originals_.Text(candidate), m, edits);
        if (distance > edits)
            continue;
        const std::size_t longer = std::max(length, m);
        const int score = static_cast<int>(100 * (longer - distance) / longer);
        if (score >= minimumScore)
            scored.push_back({candidate, score});
    }
    std::sort(scored.begin(), scored.end(), [&](const Scored &a, const Scored &b) {
        if (a.Score != b.Score)
            return a.Score > b.Score;
        const auto usesA = unitStart_[a.Original + 1] - unitStart_[a.Original];
        const auto usesB = unitStart_[b.Original + 1] - unitStart_[b.Original];
        return usesA != usesB ? usesA > usesB : a.Original < b.Original;
    });
    std::vector<Suggestion> result;
    for (const Scored &s : scored) {
        for (Suggestion &suggestion : Grouped(s.Original, s.Score)) {
            if (result.size() == limit)
                return result;
            result.push_back(std::move(suggestion));
        }
    }
    return result;
}

std::vector<Inconsistency> TranslationMemory::Inconsistencies() const
{
    std::vector<Inconsistency> result;
    if (!built_)
        return result;
    // In the order the originals were first added, not in the memory's own order.
    std::vector<bool> reported(originals_.size(), false);
    for (const Unit &unit : units_) {
        const std::uint32_t original = unit.Original;
        if (reported[original])
            continue;
        reported[original] = true;
        const std::uint32_t first = unitStart_[original];
        bool differs = false;
        for (std::uint32_t k = first + 1; k < unitStart_[original + 1] && !differs; ++k)
            differs = translations_.Text(units_[unitOrder_[k]].Translation) !=
                      translations_.Text(units_[unitOrder_[first]].Translation);
        if (differs)
            result.push_back(Inconsistency{std::string(originals_.Text(original)), Grouped(original, 100)});
    }
    return result;
}

std::vector<PreTranslation>
TranslationMemory::PreTranslate(const std::vector<std::optional<std::string>> &rowsToFill) const
{
    std::vector<PreTranslation> result;
    for (std::size_t row = 0; row < rowsToFill.size(); ++row) {
        if (!rowsToFill[row] || rowsToFill[row]->empty())
            continue;
        std::vector<Suggestion> exact = Exact(*rowsToFill[row]);
        if (!exact.empty())
            result.push_back(PreTranslation{row, std::move(exact.front().Translation)});
    }
    return result;
}

} // namespace verbaria::checks
