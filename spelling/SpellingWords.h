#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace verbaria::spelling {

// One word of a translation to look up, as the user reads it: the accelerator's "&" left out of
// Text, but inside the range, so "Ulo&žit" is one word "Uložit".
struct SpellingWord
{
    std::size_t Start = 0; // byte offsets into the text, [Start, End)
    std::size_t End = 0;
    std::string Text; // UTF-8
};

// The words of a translation (UTF-8) that a dictionary can judge: runs of letters, with an
// apostrophe or hyphen inside them. Left out: accelerator marks ("&&" is an ampersand, which
// separates), printf and Qt placeholders, markup tags, words with digits ("MP3", "x64") and every
// word of a token that looks like a file name, a path, an address or an identifier
// ("glotra.ini", "C:\Temp", "info@example.org", "my_value").
std::vector<SpellingWord> WordsToSpell(std::string_view utf8);

} // namespace verbaria::spelling
