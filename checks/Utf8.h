#pragma once

#include "formats/TextRules.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Just enough Unicode for the checks, without a library: code points out of UTF-8, and which of
// them are letters and how they pair in case, for the scripts translators use.
namespace verbaria::checks {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// The code points of text; a byte that starts no valid sequence gives U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
// As DecodeUtf8, into out (emptied first), so a loop can keep one buffer.
void DecodeUtf8Into(std::string_view text, std::u32string &out);
// As DecodeUtf8Into, with the byte offset where each code point starts in starts (emptied first).
void DecodeUtf8Into(std::string_view text, std::u32string &out, std::vector<std::size_t> &starts);
using verbaria::AppendUtf8;
std::string EncodeUtf8(std::u32string_view text);

bool IsLetter(char32_t c);
bool HasLetter(std::u32string_view text);
// The lower-case partner of a capital letter, else c itself.
char32_t FoldCase(char32_t c);

// How many times U+FFFD is spelled in text.
std::size_t CountReplacementCharacters(std::string_view utf8);

} // namespace verbaria::checks
