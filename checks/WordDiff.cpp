#include "checks/WordDiff.h"

#include <cstdint>

namespace verbaria::checks {

namespace {

bool IsWordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           c >= 0x80;
}

bool IsBlankByte(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void Append(std::vector<DiffPiece> &pieces, DiffPiece::Kind change, std::string_view text)
{
    if (!pieces.empty() && pieces.back().Change == change)
        pieces.back().Text += text;
    else
        pieces.push_back({change, std::string(text)});
}

// Beyond this many token pairs the table would cost more than the difference is worth: the
// texts are then shown as one removal and one addition around what they share at both ends.
constexpr std::size_t MaxTable = 4'000'000;

} // namespace

std::vector<std::string_view> DiffTokens(std::string_view text)
{
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto c = static_cast<unsigned char>(text[at]);
        std::size_t end = at + 1;
        if (IsWordByte(c)) {
            while (end < text.size() && IsWordByte(static_cast<unsigned char>(text[end])))
                ++end;
        } else if (IsBlankByte(c)) {
            while (end < text.size() && IsBlankByte(static_cast<unsigned char>(text[end])))
                ++end;
        }
        tokens.push_back(text.substr(at, end - at));
        at = end;
    }
    return tokens;
}

std::vector<DiffPiece> WordDiff(std::string_view oldText, std::string_view newText)
{
    const std::vector<std::string_view> a = DiffTokens(oldText);
    const std::vector<std::string_view> b = DiffTokens(newText);
    // What both ends share needs no table.
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    std::vector<DiffPiece> pieces;
    for (std::size_t i = 0; i < head; ++i)
        Append(pieces, DiffPiece::Same, a[i]);

    const std::size_t n = a.size() - head - tail;
    const std::size_t m = b.size() - head - tail;
    if (n * m > MaxTable) {
        for (std::size_t i = 0; i < n; ++i)
            Append(pieces, DiffPiece::Removed, a[head + i]);
        for (std::size_t j = 0; j < m; ++j)
            Append(pieces, DiffPiece::Added, b[head + j]);
    } else {
        // Longest common subsequence from the back, so the walk forward can read it directly.
        std::vector<std::uint32_t> table((n + 1) * (m + 1), 0);
        const auto cell = [&](std::size_t i, std::size_t j) -> std::uint32_t & {
            return table[i * (m + 1) + j];
        };
        for (std::size_t i = n; i-- > 0;) {
            for (std::size_t j = m; j-- > 0;) {
                cell(i, j) = a[head + i] == b[head + j] ? cell(i + 1, j + 1) + 1
                                                        : std::max(cell(i + 1, j), cell(i, j + 1));
            }
        }
        std::size_t i = 0;
        std::size_t j = 0;
        std::vector<DiffPiece> removed;
        std::vector<DiffPiece> added;
        // Removals and additions between two kept tokens are shown removals first.
        const auto flush = [&] {
            for (const DiffPiece &piece : removed)
                Append(pieces, piece.Change, piece.Text);
            for (const DiffPiece &piece : added)
                Append(pieces, piece.Change, piece.Text);
            removed.clear();
            added.clear();
        };
        while (i < n || j < m) {
            if (i < n && j < m && a[head + i] == b[head + j]) {
                flush();
                Append(pieces, DiffPiece::Same, a[head + i]);
                ++i;
                ++j;
            } else if (j < m && (i == n || cell(i, j + 1) >= cell(i + 1, j))) {
                Append(added, DiffPiece::Added, b[head + j++]);
            } else {
                Append(removed, DiffPiece::Removed, a[head + i++]);
            }
        }
        flush();
    }
    for (std::size_t k = b.size() - tail; k < b.size(); ++k)
        Append(pieces, DiffPiece::Same, b[k]);
    return pieces;
}

} // namespace verbaria::checks
