#include "platform/SystemShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace verbaria {

bool SystemShellOpen::OpenUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace verbaria
