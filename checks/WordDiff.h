#pragma once

#include <string>
#include <string_view>
#include <vector>

// The difference of two texts word by word, as a translator reads it: which words of the old text
// went, which of the new one came, and which stayed. Words are runs of letters and digits (any
// byte of a UTF-8 sequence counts as a letter); every blank run and every other character is a
// token of its own, so a changed comma or a doubled blank shows as what it is.
namespace verbaria::checks {

struct DiffPiece
{
    enum Kind { Same, Removed, Added };
    Kind Change = Same;
    std::string Text;
    bool operator==(const DiffPiece &) const = default;
};

// The old text's and the new text's tokens in reading order: Same pieces are in both, Removed
// only in the old text, Added only in the new one; neighbouring tokens of one kind are joined.
// Removed pieces come before the Added pieces that replace them.
std::vector<DiffPiece> WordDiff(std::string_view oldText, std::string_view newText);

// The text's tokens as WordDiff splits it.
std::vector<std::string_view> DiffTokens(std::string_view text);

} // namespace verbaria::checks
