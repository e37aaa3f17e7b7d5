#pragma once

#include <QString>

#include <string>

namespace verbaria {

struct SettingsValues;

// Where this run of the editor keeps its things: the program folder (settings, catalogue, the
// user's words), the folder of the editor's own languages, whether it is an installed copy, and
// the file of its registry record. Folders end with '/'.
class EditorFolders final
{
public:
    void SetProgramFolder(const QString &folder);
    void SetLanguagesFolder(const QString &folder);
    void SetInstalled(bool installed) { installed_ = installed; }

    // The executable's folders (ProgramFolders), unless a program folder was set.
    void Locate();
    // The remembered paths default to "jazyky\..." against the current folder, which for an
    // installed copy is anywhere; such a path that names nothing there means the installed one.
    void FindInstalledDefaults(SettingsValues &settings) const;

    const std::string &Program() const { return program_; }
    // slozkaProgramu + "jazyky/" unless installed, then the installed data folder.
    std::string Languages() const { return languages_.empty() ? program_ + "jazyky/" : languages_; }
    bool Installed() const { return installed_; }
    // Empty for the system's own place.
    const QString &RegistryFile() const { return registryFile_; }

private:
    std::string program_;
    std::string languages_;
    QString registryFile_;
    bool installed_ = false;
};

} // namespace verbaria
