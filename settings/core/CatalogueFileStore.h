#pragma once

#include "settings/core/CatalogueStore.h"

#include <functional>
#include <string>

namespace verbaria {

// The catalogue as the file "programs.ini" in the program folder.
class CatalogueFileStore final : public CatalogueStore
{
public:
    // programFolder gives slozkaProgramu (ending in a separator) at each use: the folder is known
    // only once the main window has been shown, well after the dialogs exist.
    explicit CatalogueFileStore(std::function<std::string()> programFolder);

    // slozkaProgramu + "programs.ini", spelt as the folder spells the file when it is there.
    std::string FilePath() const;

    std::optional<std::vector<CatalogueEntry>> Read() override;
    void Write(const std::vector<CatalogueEntry> &entries) override;

private:
    std::function<std::string()> programFolder_;
};

} // namespace verbaria
