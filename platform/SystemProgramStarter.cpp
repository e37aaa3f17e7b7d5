#include "platform/SystemProgramStarter.h"

#include "platform/ShellOpen.h"

#include <QFileInfo>
#include <QProcess>

namespace verbaria {

SystemProgramStarter::SystemProgramStarter(ShellOpen &shell)
    : shell_(shell)
{
}

bool SystemProgramStarter::Start(const QString &programPath)
{
    if (programPath.isEmpty())
        return false;
    const QFileInfo file(programPath);
    if (!file.exists())
        return false;
    if (file.isFile() && file.isExecutable())
        return QProcess::startDetached(file.absoluteFilePath(), {});
    return shell_.OpenFile(file.absoluteFilePath());
}

} // namespace verbaria
