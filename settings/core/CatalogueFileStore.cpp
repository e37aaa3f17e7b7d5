#include "settings/core/CatalogueFileStore.h"

#include "formats/FileIO.h"
#include "formats/Paths.h"

namespace verbaria {

CatalogueFileStore::CatalogueFileStore(std::function<std::string()> programFolder)
    : programFolder_(std::move(programFolder))
{
}

std::string CatalogueFileStore::FilePath() const
{
    const std::string path = programFolder_() + "programs.ini";
    return FindFileIgnoringCase(path).value_or(path);
}

std::optional<std::vector<CatalogueEntry>> CatalogueFileStore::Read()
{
    // A file gone missing is no empty catalogue: the dialog would write its entries away.
    std::string bytes;
    if (!ReadFileBytes(FilePath(), bytes))
        return std::nullopt;
    return ParseCatalogue(bytes);
}

void CatalogueFileStore::Write(const std::vector<CatalogueEntry> &entries)
{
    WriteFileAtomically(FilePath(), FormatCatalogue(entries));
}

} // namespace verbaria
