#include "platform/UninstallScript.h"

#include "formats/FileIO.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {

QString AbsolutePath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Inside single quotes the shell takes every character as it is; a quote itself is closed,
// escaped and reopened.
std::string ShellQuoted(const QString &path)
{
    const QByteArray bytes = QFile::encodeName(path);
    std::string quoted = "'";
    for (const char character : bytes) {
        if (character == '\'')
            quoted += "'\\''";
        else
            quoted += character;
    }
    quoted += '\'';
    return quoted;
}

// Between double quotes cmd.exe still expands "%name%"; a doubled "%" stands for itself.
QString BatchQuoted(const QString &path)
{
    QString escaped = QDir::toNativeSeparators(AbsolutePath(path));
    escaped.replace(u"%"_s, u"%%"_s);
    return u'"' + escaped + u'"';
}

} // namespace

QString UninstallScript::FileName()
{
#ifdef Q_OS_WIN
    return u"$uninstall.bat"_s;
#else
    return u"$uninstall.sh"_s;
#endif
}

std::string UninstallScript::PosixText(const QString &executablePath, const QString &scriptPath,
                                       qint64 editorPid)
{
    std::string text = "#!/bin/sh\n"
                       "# Deletes the editor's executable once the editor has ended, then this script.\n";
    text += "while kill -0 " + std::to_string(editorPid) + " 2>/dev/null; do\n";
    text += "    sleep 1\n";
    text += "done\n";
    text += "rm -f -- " + ShellQuoted(AbsolutePath(executablePath)) + "\n";
    text += "rm -f -- " + ShellQuoted(AbsolutePath(scriptPath)) + "\n";
    return text;
}

std::optional<std::string> UninstallScript::WindowsText(const QString &executablePath,
                                                        const QString &scriptPath, const CodePage &codePage)
{
    const QString executable = BatchQuoted(executablePath);
    const QString text = u":try\r\n"_s                                      //
                         + u"del "_s + executable + u"\r\n"_s               //
                         + u"if exist "_s + executable + u" goto try\r\n"_s //
                         + u"del "_s + BatchQuoted(scriptPath) + u"\r\n"_s  //
                         + u"rm \"../Glotrator\"\r\n"_s;
    return codePage.Encode(text);
}

bool UninstallScript::Write(const QString &scriptPath, const QString &executablePath, qint64 editorPid)
{
#ifdef Q_OS_WIN
    Q_UNUSED(editorPid);
    const std::optional<std::string> text = WindowsText(executablePath, scriptPath, CodePage::Default());
    if (!text)
        return false;
#else
    // "kill -0" with 0 or a negative number asks about whole process groups.
    if (editorPid <= 0)
        return false;
    const std::optional<std::string> text = PosixText(executablePath, scriptPath, editorPid);
#endif
    try {
        WriteFileAtomically(QFile::encodeName(scriptPath).toStdString(), *text);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace verbaria
