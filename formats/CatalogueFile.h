#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The catalogue of registered programs ("programs.ini"): plain text, one program per line,
// written as name " = " template ";" program.
namespace verbaria {

struct CatalogueEntry
{
    std::string Name;
    std::string Template;
    std::string Program;
};

// Reads every line that names a name, a template and a program; other lines are skipped.
std::vector<CatalogueEntry> ParseCatalogue(std::string_view bytes);
// The file's bytes for these entries, in their order, every line ended by CR LF.
std::string FormatCatalogue(const std::vector<CatalogueEntry> &entries);

// Reads the catalogue file. A file that does not exist is an empty catalogue; one that exists but
// cannot be read raises InOutError.
std::vector<CatalogueEntry> ReadCatalogueFile(const std::string &path);

} // namespace verbaria
