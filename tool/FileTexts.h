#pragma once

#include "checks/EntryChecks.h"
#include "formats/TemplateFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// What check and consistency read of templates and language files: the bytes, the code page each
// file declares and the item lines by number, with the line they stand on.
namespace verbaria::tool {

// The code page a file declared, or fallback when it declared none or one that is not at hand.
std::string CodePageToUse(const std::string &declared, const std::string &fallback);

// A decoder to UTF-8 through the program's code page converter; raises InOutError for a code page
// that is not at hand.
checks::Decoder DecoderFor(const std::string &codePageName);

struct ItemLine
{
    std::string Value; // bytes in the file's code page
    int Line = 0;      // 1-based
};

struct LanguageTexts
{
    std::string Bytes; // without a byte-order mark
    std::string CodePage;
    std::unordered_map<std::int32_t, ItemLine> Items; // a later line for a number overrides
};

// Reads a language file; raises InOutError when it does not exist, ConversionError for a key that
// is not a whole number.
LanguageTexts ReadLanguageTexts(const std::string &path, const std::string &fallbackCodePage);

struct TemplateTexts
{
    std::string Bytes; // without a byte-order mark
    std::string CodePage;
    EditorTemplate Template;
};

TemplateTexts ReadTemplateTexts(const std::string &path, const std::string &fallbackCodePage);

} // namespace verbaria::tool
