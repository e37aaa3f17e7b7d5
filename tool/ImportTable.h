#pragma once

#include "editor/core/LanguageDocument.h"

#include <string>
#include <string_view>

namespace verbaria::tool {

// Applies a table in the form 'verbaria-tool export' prints to the document: header lines set the
// header values, data lines the translations of their rows. Returns an error message naming the
// first line that does not fit ("line N: ..."), or "" when every line fitted; lines before the
// failing one stay applied.
std::string ApplyImportTable(std::string_view table, LanguageDocument &document);

} // namespace verbaria::tool
