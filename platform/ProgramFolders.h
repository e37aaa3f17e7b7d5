#pragma once

#include <QString>

namespace verbaria {

// Where the editor keeps what the original kept beside its executable. A program folder we may
// write to (a build tree, an unpacked archive) holds everything, as it always did. An installed
// copy (a folder we may not write to, or the bin/ of a prefix whose share/verbaria/jazyky/ holds
// the languages) keeps the user's files - settings, catalogue, registry record, uninstall
// script - in $XDG_CONFIG_HOME/verbaria/ (~/.config/verbaria/) and reads its own languages from
// the installed data folder.
class ProgramFolders final
{
public:
    // Decides for the folder of an executable; the configuration folder is made when needed.
    static ProgramFolders ForExecutableFolder(const QString &executableFolder);

    // The settings, catalogue and script folder (slozkaProgramu), ending in "/".
    QString Program() const { return program_; }
    // The folder of the editor's own template and languages, ending in "/".
    QString Languages() const { return languages_; }
    // The registry record's INI file for an installed copy; empty for the system's own place.
    QString RegistryFile() const { return registryFile_; }
    bool Installed() const { return installed_; }

private:
    QString program_;
    QString languages_;
    QString registryFile_;
    bool installed_ = false;
};

} // namespace verbaria
