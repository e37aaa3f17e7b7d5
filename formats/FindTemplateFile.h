#pragma once

#include <functional>
#include <string>
#include <vector>

namespace verbaria {

// Gives the template paths of the registered programs, in catalogue order, read afresh. May raise
// InOutError when the catalogue exists but cannot be read.
using CatalogueTemplates = std::function<std::vector<std::string>()>;

// The template paths of the catalogue file at path (a missing file is an empty catalogue).
CatalogueTemplates CatalogueFileTemplates(std::string catalogueFile);

// Turns a template name into the path of an existing template, or "" when there is none. Tries,
// in order: the name itself (made absolute, ".LND" added when the name holds no ".LND"), the same
// file name in the subfolder JAZYKY beside it, the same file name beside referenceFile (when
// given), and finally the first registered program whose template has the same file name (that
// path is returned as the catalogue stores it). Names match without regard to ASCII case; the real
// path of the file found is returned.
std::string FindTemplateFile(const std::string &name, const std::string &referenceFile,
                             const CatalogueTemplates &catalogue);

} // namespace verbaria
