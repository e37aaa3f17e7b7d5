#pragma once

#include "checks/TextPool.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verbaria::checks {

// Where one translation of the memory comes from.
struct MemorySource
{
    std::uint32_t File = 0;  // index into Files()
    std::int32_t Number = 0; // entry number in that file
};

// A translation the memory offers for an original: all the places that give it.
struct Suggestion
{
    std::string Original;    // UTF-8, as the memory holds it
    std::string Translation; // UTF-8
    int Score = 100;         // similarity of Original to the text asked for, in per cent
    std::vector<MemorySource> Sources;
};

// One original with more than one translation.
struct Inconsistency
{
    std::string Original;
    std::vector<Suggestion> Translations; // each with its sources, the most used first
};

// A translation the memory gives a row that has none.
struct PreTranslation
{
    std::size_t Row = 0;
    std::string Translation; // UTF-8
};

// The translations of many language files, looked up by their originals: exactly, or by
// similarity (one minus the edit distance over the longer length, counted in characters). Texts
// are UTF-8; the callers decode each file in its own code page first.
//
// Built in two steps: Add every pair, then Build once; a look-up before Build finds nothing.
// Similar texts are found through an index of three-character pieces, so a look-up reads the
// few originals that share enough pieces instead of all of them.
class TranslationMemory final
{
public:
    std::uint32_t AddFile(std::string name);
    const std::vector<std::string> &Files() const { return files_; }

    // Pairs with an empty original or translation are not kept.
    void Add(std::uint32_t file, std::int32_t number, std::string_view original,
             std::string_view translation);
    void Build();

    std::size_t size() const { return units_.size(); }
    std::size_t OriginalCount() const { return originals_.size(); }

    // The translations of exactly this original, the most used first.
    std::vector<Suggestion> Exact(std::string_view original) const;
    // Originals at least minimumScore per cent similar, the text itself excluded, best first (then
    // the most used); at most limit suggestions.
    std::vector<Suggestion> Similar(std::string_view original, int minimumScore = 75,
                                    std::size_t limit = 10) const;
    // Every original that the files translate in more than one way, in the order first added.
    std::vector<Inconsistency> Inconsistencies() const;

    // For every row to fill (a UTF-8 original; nullopt for rows that are translated already or
    // have no original) that the memory holds exactly: the translation given most often.
    // Similar originals never fill a row: a near miss has to be read by a person.
    std::vector<PreTranslation> PreTranslate(const std::vector<std::optional<std::string>> &rowsToFill) const;

private:
    struct Unit
    {
        std::uint32_t Original;
        std::uint32_t Translation;
        MemorySource Source;
    };
    std::vector<Suggestion> Grouped(std::uint32_t original, int score) const;

    std::vector<std::string> files_;
    TextPool originals_;
    TextPool translations_; // one per unit, not shared
    std::vector<Unit> units_;

    // Built: the units of each original, and the pieces index. The index numbers originals by
    // their place in length order, so the originals of the lengths a look-up can accept are one
    // range of every list.
    std::vector<std::uint32_t> unitStart_; // per original, into unitOrder_; one more at the end
    std::vector<std::uint32_t> unitOrder_;
    std::vector<std::uint32_t> placeLength_; // place -> length in characters
    std::vector<std::uint32_t> placePieces_; // place -> how many distinct pieces
    std::vector<std::uint32_t> lengthFirst_; // length in characters -> first place of that length or more
    std::uint32_t pieceMask_ = 0;            // buckets - 1
    std::vector<std::uint32_t> pieceStart_;  // per bucket, into piecePlaces_; one more at the end
    std::vector<std::uint32_t> piecePlaces_; // ascending within each bucket
    bool built_ = false;
};

} // namespace verbaria::checks
