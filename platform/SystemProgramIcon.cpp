#include "platform/SystemProgramIcon.h"

#include <QFileInfo>
#include <QPixmap>

namespace verbaria {

QIcon SystemProgramIcon::IconOf(const QString &programPath)
{
    if (programPath.isEmpty())
        return {};
    const QFileInfo file(programPath);
    if (!file.exists())
        return {};
    const QIcon icon = provider_.icon(file);
    const QPixmap large = icon.pixmap(LargeIconSize, LargeIconSize);
    if (large.isNull())
        return {};
    return QIcon(large);
}

} // namespace verbaria
