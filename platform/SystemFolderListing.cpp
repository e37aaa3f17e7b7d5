#include "platform/SystemFolderListing.h"

#include <QDir>
#include <QFileInfo>

namespace verbaria {

std::vector<FolderEntry> SystemFolderListing::List(const QString &folder)
{
    const QDir dir(folder);
    // System takes in broken links and special files, which would otherwise go unseen.
    const QFileInfoList found = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    std::vector<FolderEntry> entries;
    entries.reserve(static_cast<std::size_t>(found.size()));
    for (const QFileInfo &info : found) {
        FolderEntry entry;
        entry.Name = info.fileName();
        entry.IsFolder = info.isDir();
        entry.IsRegularFile = info.isFile();
        entry.IsHidden = info.isHidden();
        entries.push_back(entry);
    }
    return entries;
}

} // namespace verbaria
