#include "dialogs/ProgramFileFilter.h"

#include <QFileSystemModel>

namespace verbaria {

bool ProgramFileFilter::Offered(const QFileInfo &file)
{
    return file.isDir() || file.isExecutable() || file.suffix().compare(u"exe", Qt::CaseInsensitive) == 0;
}

void ProgramFileFilter::SetActive(bool active)
{
    if (active_ == active)
        return;
    active_ = active;
    invalidateFilter();
}

bool ProgramFileFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (!active_)
        return true;
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (!files)
        return true;
    return Offered(files->fileInfo(files->index(sourceRow, 0, sourceParent)));
}

} // namespace verbaria
