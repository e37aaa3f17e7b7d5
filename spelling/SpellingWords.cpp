#include "spelling/SpellingWords.h"

#include "checks/Placeholders.h"
#include "checks/Utf8.h"

namespace verbaria::spelling {

namespace {

// One character of the text as the words see it: placeholders and accelerator marks are gone.
struct Character
{
    char32_t Code = 0;
    std::size_t Start = 0;
    std::size_t End = 0;
};

constexpr char32_t Separator = U' ';

bool IsMark(char32_t c)
{
    // Combining diacritics: a decomposed "č" is one letter to the reader.
    return (c >= 0x300 && c <= 0x36F) || (c >= 0x483 && c <= 0x489) || (c >= 0x1AB0 && c <= 0x1AFF) ||
           (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF);
}

bool IsDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool IsWordCharacter(char32_t c)
{
    return checks::IsLetter(c) || IsMark(c) || IsDigit(c);
}

bool IsJoiner(char32_t c)
{
    return c == U'\'' || c == U'\u2019' || c == U'-' || c == U'\u2011';
}

bool IsBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\u00A0' || c == U'\u2007' || c == U'\u202F' || c == U'\r' ||
           c == U'\n' || c == Separator;
}

// A token with one of these between its words is no prose.
bool IsTechnical(char32_t c)
{
    return c == U'@' || c == U'/' || c == U'\\' || c == U'_' || c == U'=' || c == U'#';
}

std::vector<Character> ReadCharacters(std::string_view utf8)
{
    std::u32string codes;
    std::vector<std::size_t> starts;
    checks::DecodeUtf8Into(utf8, codes, starts);
    const std::vector<checks::PlaceholderSpan> placeholders = checks::FindPlaceholderSpans(utf8);

    std::vector<Character> characters;
    characters.reserve(codes.size());
    std::size_t placeholder = 0;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const std::size_t start = starts[i];
        const std::size_t end = i + 1 < codes.size() ? starts[i + 1] : utf8.size();
        while (placeholder < placeholders.size() && placeholders[placeholder].End <= start)
            ++placeholder;
        if (placeholder < placeholders.size() && placeholders[placeholder].Start <= start) {
            // A placeholder stands for a value: it parts the words around it.
            if (characters.empty() || characters.back().Code != Separator || characters.back().End != start)
                characters.push_back({Separator, start, end});
            else
                characters.back().End = end;
            continue;
        }
        if (codes[i] == U'&') {
            if (i + 1 < codes.size() && codes[i + 1] == U'&') {
                characters.push_back({U'&', start, starts[i + 1] + 1});
                ++i;
            }
            // A single "&" marks the accelerator: the word goes on through it.
            continue;
        }
        characters.push_back({codes[i], start, end});
    }
    return characters;
}

// Markup tags ("<b>", "</a>", "<br/>") are no words: they become blanks.
void BlankTags(std::vector<Character> &characters)
{
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (characters[i].Code != U'<' || i + 1 >= characters.size())
            continue;
        const char32_t next = characters[i + 1].Code;
        if (!checks::IsLetter(next) && next != U'/' && next != U'!')
            continue;
        std::size_t close = i + 1;
        while (close < characters.size() && characters[close].Code != U'>' && characters[close].Code != U'<')
            ++close;
        if (close >= characters.size() || characters[close].Code != U'>')
            continue;
        for (std::size_t k = i; k <= close; ++k)
            characters[k].Code = Separator;
        i = close;
    }
}

} // namespace

std::vector<SpellingWord> WordsToSpell(std::string_view utf8)
{
    std::vector<Character> characters = ReadCharacters(utf8);
    BlankTags(characters);

    std::vector<SpellingWord> words;
    std::size_t i = 0;
    while (i < characters.size()) {
        // One token: everything between blanks.
        while (i < characters.size() && IsBlank(characters[i].Code))
            ++i;
        const std::size_t tokenStart = i;
        while (i < characters.size() && !IsBlank(characters[i].Code))
            ++i;
        const std::size_t tokenEnd = i;
        if (tokenStart == tokenEnd)
            continue;

        std::vector<SpellingWord> found;
        bool technical = false;
        std::size_t k = tokenStart;
        while (k < tokenEnd) {
            const char32_t c = characters[k].Code;
            if (!IsWordCharacter(c)) {
                const bool between = k > tokenStart && k + 1 < tokenEnd &&
                                     IsWordCharacter(characters[k - 1].Code) &&
                                     IsWordCharacter(characters[k + 1].Code);
                if (IsTechnical(c) || (between && (c == U'.' || c == U':')))
                    technical = true;
                ++k;
                continue;
            }
            const std::size_t wordStart = k;
            bool digits = false;
            bool letters = false;
            while (k < tokenEnd) {
                const char32_t w = characters[k].Code;
                if (IsWordCharacter(w)) {
                    digits = digits || IsDigit(w);
                    letters = letters || checks::IsLetter(w);
                    ++k;
                } else if (IsJoiner(w) && k + 1 < tokenEnd && IsWordCharacter(characters[k + 1].Code)) {
                    ++k;
                } else {
                    break;
                }
            }
            if (digits || !letters)
                continue;
            SpellingWord word;
            word.Start = characters[wordStart].Start;
            word.End = characters[k - 1].End;
            for (std::size_t w = wordStart; w < k; ++w)
                checks::AppendUtf8(word.Text, characters[w].Code);
            found.push_back(std::move(word));
        }
        if (!technical)
            words.insert(words.end(), std::make_move_iterator(found.begin()),
                         std::make_move_iterator(found.end()));
    }
    return words;
}

} // namespace verbaria::spelling
