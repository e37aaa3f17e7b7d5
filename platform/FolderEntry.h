#pragma once

#include <QString>

namespace verbaria {

// One entry of a folder with the attributes the editor asks about. A link counts as what it
// points to; a broken link, a device, a pipe or a socket is neither folder nor regular file.
struct FolderEntry
{
    QString Name; // without folder
    bool IsFolder = false;
    bool IsRegularFile = false;
    // Marked hidden: on Windows the attribute, elsewhere a name beginning with ".".
    bool IsHidden = false;

    friend bool operator==(const FolderEntry &, const FolderEntry &) = default;
};

} // namespace verbaria
