#include "editor/ui/EditorFolders.h"

#include "formats/Paths.h"
#include "formats/TextRules.h"
#include "platform/ProgramFolders.h"
#include "settings/core/SettingsValues.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace verbaria {

namespace {

std::string FolderPath(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path.toStdString();
}

} // namespace

void EditorFolders::SetProgramFolder(const QString &folder)
{
    program_ = FolderPath(folder);
}

void EditorFolders::SetLanguagesFolder(const QString &folder)
{
    languages_ = FolderPath(folder);
}

void EditorFolders::Locate()
{
    if (!program_.empty())
        return;
    const ProgramFolders folders =
        ProgramFolders::ForExecutableFolder(QCoreApplication::applicationDirPath());
    installed_ = folders.Installed();
    registryFile_ = folders.RegistryFile();
    SetLanguagesFolder(folders.Languages());
    SetProgramFolder(folders.Program());
}

void EditorFolders::FindInstalledDefaults(SettingsValues &settings) const
{
    if (!installed_)
        return;
    for (std::string *path : {&settings.PosledniJazyk, &settings.JazykProPopisy, &settings.PosledniSablona}) {
        const std::string upper = UpperAscii(std::string_view(*path).substr(0, 7));
        if ((upper == "JAZYKY\\" || upper == "JAZYKY/") &&
            !QFileInfo::exists(QString::fromStdString(NativePath(*path))))
            *path = Languages() + NativePath(path->substr(7));
    }
}

} // namespace verbaria
