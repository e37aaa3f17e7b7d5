#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {

QString WithSlash(QString folder)
{
    folder = QDir::fromNativeSeparators(folder);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString ConfigurationFolder()
{
    // QStandardPaths follows $XDG_CONFIG_HOME and falls back to ~/.config.
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           u"verbaria/"_s;
}

} // namespace

ProgramFolders ProgramFolders::ForExecutableFolder(const QString &executableFolder)
{
    ProgramFolders folders;
    const QString executable = WithSlash(executableFolder);
    const QString installedLanguages = QDir::cleanPath(executable + u"../share/verbaria/jazyky"_s) + u'/';
    const bool ownLanguagesBeside = QFileInfo(executable + u"jazyky"_s).isDir();
    // Root may write anywhere, so an installed layout (no jazyky/ beside the executable, the
    // languages under share/) counts as installed too: sudo must not scatter files in /usr/bin.
    folders.installed_ =
        !QFileInfo(executable).isWritable() || (!ownLanguagesBeside && QFileInfo(installedLanguages).isDir());
    if (!folders.installed_) {
        folders.program_ = executable;
        folders.languages_ = executable + u"jazyky/"_s;
        return folders;
    }
    folders.program_ = ConfigurationFolder();
    QDir().mkpath(folders.program_);
    folders.languages_ = ownLanguagesBeside ? executable + u"jazyky/"_s : installedLanguages;
    folders.registryFile_ = folders.program_ + u"registry.conf"_s;
    return folders;
}

} // namespace verbaria
