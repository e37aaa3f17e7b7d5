#include "settings/core/LanguageList.h"

#include "formats/Paths.h"
#include "formats/TextRules.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace verbaria {

namespace fs = std::filesystem;

namespace {

bool HasLanguageExtension(const std::string &name)
{
    constexpr std::string_view extension = ".LNG";
    return name.size() >= extension.size() &&
           UpperAscii(std::string_view(name).substr(name.size() - extension.size())) == extension;
}

// Bytes compared unsigned, so letters with diacritics sort after the ASCII ones.
bool ByteLess(const std::string &a, const std::string &b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

} // namespace

std::vector<std::string> ListLanguageFiles(const std::string &folder)
{
    std::vector<std::string> names;
    const std::optional<std::string> realFolder = FindDirectoryIgnoringCase(folder);
    if (!realFolder)
        return names;
    std::error_code ec;
    for (fs::directory_iterator it(*realFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code statError;
        if (HasLanguageExtension(name) && it->is_regular_file(statError))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        const std::string upperA = UpperAscii(a);
        const std::string upperB = UpperAscii(b);
        return upperA != upperB ? ByteLess(upperA, upperB) : ByteLess(a, b);
    });
    return names;
}

} // namespace verbaria
