#pragma once

#include "platform/FolderListing.h"

namespace verbaria {

class SystemFolderListing final : public FolderListing
{
public:
    std::vector<FolderEntry> List(const QString &folder) override;
};

} // namespace verbaria
