#include "formats/FindTemplateFile.h"

#include "formats/CatalogueFile.h"
#include "formats/Paths.h"
#include "formats/TextRules.h"

namespace verbaria {

CatalogueTemplates CatalogueFileTemplates(std::string catalogueFile)
{
    return [file = std::move(catalogueFile)]() {
        std::vector<std::string> templates;
        for (auto &entry : ReadCatalogueFile(file))
            templates.push_back(std::move(entry.Template));
        return templates;
    };
}

std::string FindTemplateFile(const std::string &name, const std::string &referenceFile,
                             const CatalogueTemplates &catalogue)
{
    std::string path = AbsolutePath(name);
    if (UpperAscii(path).find(".LND") == std::string::npos)
        path += ".LND";
    const std::string fileName = FileNameOf(path);

    if (auto found = FindFileIgnoringCase(path))
        return *found;
    if (auto found = FindFileIgnoringCase(FolderOf(path) + "JAZYKY/" + fileName))
        return *found;
    if (!referenceFile.empty()) {
        if (auto found = FindFileIgnoringCase(FolderOf(AbsolutePath(referenceFile)) + fileName))
            return *found;
    }
    if (catalogue) {
        for (const std::string &templatePath : catalogue()) {
            if (EqualsIgnoringAsciiCase(FileNameOf(templatePath), fileName))
                return templatePath;
        }
    }
    return {};
}

} // namespace verbaria
