#include "editor/ui/Installation.h"

#include "editor/core/UserDialogs.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/EditorFolders.h"
#include "platform/SystemRegistryRecord.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace verbaria {

Installation::Installation() = default;
Installation::~Installation() = default;

void Installation::Record(const EditorFolders &folders)
{
    if (!registry_) {
        ownRegistry_ = folders.RegistryFile().isEmpty()
                           ? std::make_unique<SystemRegistryRecord>()
                           : std::make_unique<SystemRegistryRecord>(folders.RegistryFile());
        registry_ = ownRegistry_.get();
    }
    registry_->Write(QString::fromStdString(folders.Program()));
}

bool Installation::Uninstall(EditorContext &context, EditorFolders &folders)
{
    folders.Locate();
    const TextService &texts = context.Texts();
    if (folders.Installed()) {
        // The files of an installed copy belong to the package manager, not to us.
        context.Dialogs().Inform(texts.TranslateText(
            "Verbaria je nainstalována jako balíček systému. Odinstalujte ji správcem balíčků, "
            "například příkazem: sudo apt remove verbaria"));
        return false;
    }
    if (!context.Dialogs().AskYesNo(texts.TranslateText("Opravdu chcete odinstalovat Verbaria ?")))
        return false;
    uninstaller_.SetRegistryRecord(registry_);
    uninstaller_.Run(QString::fromStdString(folders.Program()),
                     QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                     editorProcessId_ > 0 ? editorProcessId_ : QCoreApplication::applicationPid());
    context.Dialogs().Inform(texts.TranslateText("Verbaria byl odinstalován."));
    return true;
}

} // namespace verbaria
