#include "platform/SystemDetachedProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace verbaria {

bool SystemDetachedProcess::StartScript(const QString &scriptPath)
{
    const QFileInfo script(scriptPath);
    if (!script.isFile())
        return false;
    QProcess process;
#ifdef Q_OS_WIN
    process.setProgram(u"cmd.exe"_s);
    process.setArguments({u"/c"_s, QDir::toNativeSeparators(script.absoluteFilePath())});
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->flags |= IDLE_PRIORITY_CLASS | CREATE_NO_WINDOW;
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_HIDE;
        arguments->inheritHandles = false;
    });
#else
    // Nothing of the script's reaches the terminal the program was started from.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // A detached start does not run a child process modifier here, so the priority comes from
    // nice(1); the shell reads the script, which therefore needs no executable mark.
    QStringList arguments{u"/bin/sh"_s, script.absoluteFilePath()};
    const QString nice = QStandardPaths::findExecutable(u"nice"_s);
    if (nice.isEmpty()) {
        process.setProgram(arguments.takeFirst());
    } else {
        process.setProgram(nice);
        arguments.prepend(u"19"_s);
        arguments.prepend(u"-n"_s);
    }
    process.setArguments(arguments);
#endif
    return process.startDetached();
}

} // namespace verbaria
