#include "checks/TranslationMemory.h"

#include "checks/Utf8.h"

#include <algorithm>
#include <map>

namespace verbaria::checks {

namespace {

constexpr std::uint32_t kPieceBuckets = 1u << 21;
constexpr char32_t kTextStart = 0x2;
constexpr char32_t kTextEnd = 0x3;

// The three-character pieces of a text framed by a start and an end mark, as bucket numbers
// (pieces that share a bucket only widen the candidates; the edit distance decides). Each bucket
// once.
void PiecesOf(std::u32string_view text, std::vector<std::uint32_t> &pieces)
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
        pieces.push_back(static_cast<std::uint32_t>(h & (kPieceBuckets - 1)));
    }
    std::sort(pieces.begin(), pieces.end());
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());
}

// Edit distance, or limit + 1 once it must exceed limit.
std::size_t EditDistance(std::u32string_view a, std::u32string_view b, std::size_t limit)
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

} // namespace

std::uint32_t TranslationMemory::AddFile(std::string name)
{
    files_.push_back(std::move(name));
    return static_cast<std::uint32_t>(files_.size() - 1);
}

std::uint32_t TranslationMemory::Intern(std::deque<std::string> &texts,
                                        std::unordered_map<std::string_view, std::uint32_t> &index,
                                        std::string_view text)
{
    const auto found = index.find(text);
    if (found != index.end())
        return found->second;
    texts.emplace_back(text);
    const auto id = static_cast<std::uint32_t>(texts.size() - 1);
    index.emplace(texts.back(), id);
    return id;
}

void TranslationMemory::Add(std::uint32_t file, std::int32_t number, std::string_view original,
                            std::string_view translation)
{
    if (original.empty() || translation.empty())
        return;
    units_.push_back(Unit{Intern(originals_, originalIndex_, original),
                          Intern(translations_, translationIndex_, translation), MemorySource{file, number}});
    built_ = false;
}

void TranslationMemory::Build()
{
    const std::size_t count = originals_.size();
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

    // The pieces index, in the same two passes: count, then fill.
    lengths_.assign(count, 0);
    std::vector<std::uint32_t> allPieces;
    std::vector<std::uint32_t> pieceCountOf(count, 0);
    allPieces.reserve(count * 24);
    std::vector<std::uint32_t> pieces;
    for (std::size_t i = 0; i < count; ++i) {
        const std::u32string text = DecodeUtf8(originals_[i]);
        lengths_[i] = static_cast<std::uint32_t>(text.size());
        PiecesOf(text, pieces);
        pieceCountOf[i] = static_cast<std::uint32_t>(pieces.size());
        allPieces.insert(allPieces.end(), pieces.begin(), pieces.end());
    }
    pieceStart_.assign(kPieceBuckets + 1, 0);
    for (std::uint32_t piece : allPieces)
        ++pieceStart_[piece + 1];
    for (std::size_t b = 0; b < kPieceBuckets; ++b)
        pieceStart_[b + 1] += pieceStart_[b];
    pieceOriginals_.assign(allPieces.size(), 0);
    std::vector<std::uint32_t> next(pieceStart_.begin(), pieceStart_.end() - 1);
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        for (std::uint32_t k = 0; k < pieceCountOf[i]; ++k)
            pieceOriginals_[next[allPieces[at++]]++] = static_cast<std::uint32_t>(i);
    }
    built_ = true;
}

std::vector<Suggestion> TranslationMemory::Grouped(std::uint32_t original, int score) const
{
    std::vector<Suggestion> result;
    std::map<std::uint32_t, std::size_t> byTranslation;
    for (std::uint32_t k = unitStart_[original]; k < unitStart_[original + 1]; ++k) {
        const Unit &unit = units_[unitOrder_[k]];
        auto [it, added] = byTranslation.try_emplace(unit.Translation, result.size());
        if (added)
            result.push_back(Suggestion{originals_[original], translations_[unit.Translation], score, {}});
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
    const auto found = originalIndex_.find(original);
    if (found == originalIndex_.end())
        return {};
    return Grouped(found->second, 100);
}

std::vector<Suggestion> TranslationMemory::Similar(std::string_view original, int minimumScore,
                                                   std::size_t limit) const
{
    if (!built_ || original.empty() || limit == 0)
        return {};
    minimumScore = std::clamp(minimumScore, 1, 100);
    const std::u32string text = DecodeUtf8(original);
    const std::size_t length = text.size();
    // With a score of at least minimumScore, a candidate of length m is within
    // (100 - minimumScore) % of max(length, m) edits, so its length lies in this range.
    const std::size_t shortest = (length * static_cast<std::size_t>(minimumScore) + 99) / 100;
    const std::size_t longest = length * 100 / static_cast<std::size_t>(minimumScore);

    std::vector<std::uint32_t> pieces;
    PiecesOf(text, pieces);
    // Each edit spoils at most three pieces; the count of shared pieces rules out most originals
    // before any distance is computed.
    const auto allowedEdits = [&](std::size_t m) {
        return std::max(length, m) * static_cast<std::size_t>(100 - minimumScore) / 100;
    };
    // A counter per original is cheaper than a hash map once common pieces list many of them.
    std::vector<std::uint16_t> shared(originals_.size(), 0);
    std::vector<std::uint32_t> touched;
    for (std::uint32_t piece : pieces) {
        for (std::uint32_t k = pieceStart_[piece]; k < pieceStart_[piece + 1]; ++k) {
            const std::uint32_t candidate = pieceOriginals_[k];
            const std::uint32_t m = lengths_[candidate];
            if (m < shortest || m > longest)
                continue;
            if (shared[candidate]++ == 0)
                touched.push_back(candidate);
        }
    }
    struct Scored
    {
        std::uint32_t Original;
        int Score;
    };
    std::vector<Scored> scored;
    const auto exact = originalIndex_.find(original);
    for (const std::uint32_t candidate : touched) {
        const std::size_t count = shared[candidate];
        if (exact != originalIndex_.end() && candidate == exact->second)
            continue;
        const std::size_t m = lengths_[candidate];
        const std::size_t edits = allowedEdits(m);
        const std::size_t needed = pieces.size() > 3 * edits ? pieces.size() - 3 * edits : 0;
        if (count < needed)
            continue;
        const std::size_t distance = EditDistance(text, DecodeUtf8(originals_[candidate]), edits);
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
    for (std::uint32_t original = 0; original < originals_.size(); ++original) {
        const std::uint32_t first = unitStart_[original];
        bool differs = false;
        for (std::uint32_t k = first + 1; k < unitStart_[original + 1] && !differs; ++k)
            differs = units_[unitOrder_[k]].Translation != units_[unitOrder_[first]].Translation;
        if (differs)
            result.push_back(Inconsistency{originals_[original], Grouped(original, 100)});
    }
    return result;
}

} // namespace verbaria::checks
