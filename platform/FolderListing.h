#pragma once

#include "platform/FolderEntry.h"

#include <QString>

#include <vector>

namespace verbaria {

// The entries of one folder, without entering its subfolders.
class FolderListing
{
public:
    virtual ~FolderListing() = default;

    // Every entry but "." and "..", hidden ones included, sorted by name without regard to case.
    // A missing folder or one that can't be read gives an empty list.
    virtual std::vector<FolderEntry> List(const QString &folder) = 0;
};

} // namespace verbaria
