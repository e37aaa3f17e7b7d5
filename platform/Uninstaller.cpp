#include "platform/Uninstaller.h"

#include "platform/SystemDetachedProcess.h"
#include "platform/SystemFolderListing.h"
#include "platform/SystemRegistryRecord.h"
#include "platform/UninstallScript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace verbaria {

Uninstaller::Uninstaller() = default;
Uninstaller::~Uninstaller() = default;

void Uninstaller::Run(const QString &folder, const QString &executable, qint64 processId)
{
    if (!registry_) {
        ownRegistry_ = std::make_unique<SystemRegistryRecord>();
        registry_ = ownRegistry_.get();
    }
    registry_->Delete();

    const QString catalogue = folder + QStringLiteral("programs.ini");
    if (QFileInfo::exists(catalogue))
        QFile::remove(catalogue);

    if (!listing_) {
        ownListing_ = std::make_unique<SystemFolderListing>();
        listing_ = ownListing_.get();
    }
    const QString languages = folder + QStringLiteral("jazyky");
    // A languages folder that is a link goes as a link: what it points at is not ours.
    const bool linked = QFileInfo(languages).isSymLink();
    if (linked)
        QFile::remove(languages);
    for (const FolderEntry &entry : linked ? std::vector<FolderEntry>() : listing_->List(languages)) {
        // Hidden files, special files (which the listing marks as neither folder nor file) and
        // subfolders stay.
        if (entry.IsFolder || !entry.IsRegularFile || entry.IsHidden || entry.Name.startsWith(u'.'))
            continue;
        QFile::remove(languages + u'/' + entry.Name);
    }
    if (QFileInfo(languages).isDir())
        QDir(folder).rmdir(QStringLiteral("jazyky"));

    const QString script = folder + UninstallScript::FileName();
    // A script that could not be written is not started: what lies there under its name is not
    // ours to run.
    if (UninstallScript::Write(script, folder + executable, processId)) {
        if (!detached_) {
            ownDetached_ = std::make_unique<SystemDetachedProcess>();
            detached_ = ownDetached_.get();
        }
        detached_->StartScript(script);
    }
}

} // namespace verbaria
