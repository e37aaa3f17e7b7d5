#pragma once

#include "editor/core/LanguageDocument.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace verbaria::tool {

// Applies a table in the form 'verbaria-tool export' prints to the document: header lines set the
// header values, data lines the translations of their rows. Returns an error message naming the
// first line that does not fit ("line N: ..."), or "" when every line fitted; lines before the
// failing one stay applied.
//
// A table in UTF-8 (first line "#encoding<TAB>UTF-8") goes back into the language file's code page
// through toCodePage (an original, the sixth field of a changed translation, into the template's),
// which gives nullopt for a text the code page cannot hold or a code page that
// is not at hand (it is also asked with an empty text to check a "#codepage" name). Without it such
// a table cannot be read.
using Utf8ToCodePage =
    std::function<std::optional<std::string>(std::string_view utf8, const std::string &codePage)>;
std::string ApplyImportTable(std::string_view table, LanguageDocument &document,
                             const Utf8ToCodePage &toCodePage = {});

} // namespace verbaria::tool
