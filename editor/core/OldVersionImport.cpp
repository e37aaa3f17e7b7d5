#include "editor/core/OldVersionImport.h"

#include "editor/core/LanguageDocument.h"
#include "formats/Errors.h"
#include "formats/OldFormat.h"
#include "formats/Paths.h"

#include <optional>
#include <string>

namespace verbaria {

namespace {

// The name with its extension replaced, or given one when it has none; a dot in a folder's name
// is not an extension.
std::string WithExtension(const std::string &path, const std::string &extension)
{
    const std::size_t nameStart = path.size() - FileNameOf(path).size();
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return path + extension;
    return path.substr(0, dot) + extension;
}

// Puts the save dialog back as the save command knows it and both dialogs on the noted file.
class DialogRestore final
{
public:
    explicit DialogRestore(LanguageDocument &document)
        : document_(document)
        , openFileName_(document.OpenDialog().FileName)
        , saveTitle_(document.SaveDialog().Title)
        , saveFilter_(document.SaveDialog().Filter)
    {
    }
    ~DialogRestore()
    {
        FileDialogState &save = document_.SaveDialog();
        save.Title = saveTitle_;
        save.Filter = saveFilter_;
        save.DefaultExtension = "*.lng";
        save.FileName = openFileName_;
        document_.OpenDialog().FileName = openFileName_;
    }
    DialogRestore(const DialogRestore &) = delete;
    DialogRestore &operator=(const DialogRestore &) = delete;

private:
    LanguageDocument &document_;
    std::string openFileName_;
    std::string saveTitle_;
    std::string saveFilter_;
};

} // namespace

void ImportovatZeStareVerze(LanguageDocument &document)
{
    UserDialogs &dialogs = document.Dialogs();
    // Cancelling the first dialog changes nothing at all.
    const std::optional<std::string> oldFile = dialogs.ChooseFileToOpen(document.OpenDialog());
    if (!oldFile)
        return;
    DialogRestore restore(document);

    FileDialogState &save = document.SaveDialog();
    save.Title = document.TranslateText("Zvolte název nového jazykového souboru");
    const std::optional<std::string> languageFile = dialogs.ChooseFileToSave(save);
    if (!languageFile)
        return;

    save.FileName = WithExtension(*languageFile, ".lnd");
    save.Title = document.TranslateText("Zvolte název souboru šablony.");
    save.Filter = document.TranslateText("Šablony jazyka (*.lnd)|*.lnd|Všechny soubory|*.*");
    save.DefaultExtension = "*.lnd";
    const std::optional<std::string> templateFile = dialogs.ChooseFileToSave(save);
    if (!templateFile)
        return;

    try {
        ConvertOldFormatFile(NativePath(*oldFile), NativePath(*languageFile), NativePath(*templateFile));
    } catch (const FormatError &error) {
        dialogs.ReportError(error.what());
        return;
    }
    dialogs.Inform(document.TranslateText("Konverze dokončena"));
}

} // namespace verbaria
