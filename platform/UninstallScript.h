#pragma once

#include "platform/CodePage.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>

namespace verbaria {

// The script that uninstalling leaves behind in the program folder: it deletes the executable
// once the editor has ended, then itself. The program starts it and never waits for it.
class UninstallScript final
{
public:
    // "$uninstall.bat" on Windows, "$uninstall.sh" elsewhere.
    static QString FileName();

    // The shell script: waits while the process editorPid lives, deletes the executable, then the
    // script. Paths are made absolute and single-quoted, so no character of them is special to
    // the shell; nothing relative to the current folder is touched. Lines end in LF.
    static std::string PosixText(const QString &executablePath, const QString &scriptPath, qint64 editorPid);

    // The batch file's five lines, ending in CR LF, in codePage. Nullopt when a path cannot be
    // written in the code page: a replaced character could make "del" name another file.
    static std::optional<std::string> WindowsText(const QString &executablePath, const QString &scriptPath,
                                                  const CodePage &codePage);

    // Writes this system's script to scriptPath, replacing the file only when complete. False
    // when it could not be written (or editorPid names no process).
    static bool Write(const QString &scriptPath, const QString &executablePath, qint64 editorPid);
};

} // namespace verbaria
