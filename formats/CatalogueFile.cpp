#include "formats/CatalogueFile.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"

namespace verbaria {

std::vector<CatalogueEntry> ParseCatalogue(std::string_view bytes)
{
    std::vector<CatalogueEntry> entries;
    ForEachLine(bytes, [&entries](std::string_view rawLine) {
        const std::string_view line = TrimLeftBlanks(rawLine);
        if (line.empty() || line.front() == '/')
            return;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return;
        const std::string_view afterEquals = line.substr(equals + 1);
        const std::size_t semicolon = afterEquals.find(';');
        if (semicolon == std::string_view::npos)
            return;
        CatalogueEntry entry;
        entry.Name.assign(TrimBlanks(line.substr(0, equals)));
        entry.Template.assign(TrimBlanks(afterEquals.substr(0, semicolon)));
        entry.Program.assign(TrimBlanks(afterEquals.substr(semicolon + 1)));
        entries.push_back(std::move(entry));
    });
    return entries;
}

std::string FormatCatalogue(const std::vector<CatalogueEntry> &entries)
{
    std::string out;
    for (const CatalogueEntry &entry : entries) {
        RefuseLineBreak(entry.Name, "program " + entry.Name);
        RefuseLineBreak(entry.Template, "program " + entry.Name);
        RefuseLineBreak(entry.Program, "program " + entry.Name);
        out += entry.Name;
        out += " = ";
        out += entry.Template;
        out += ';';
        out += entry.Program;
        out += "\r\n";
    }
    return out;
}

std::vector<CatalogueEntry> ReadCatalogueFile(const std::string &path)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return {};
    return ParseCatalogue(bytes);
}

} // namespace verbaria
