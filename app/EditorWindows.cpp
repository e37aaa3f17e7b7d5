#include "app/EditorWindows.h"

#include "app/SettingsHooks.h"
#include "editor/ui/LiveController.h"

namespace verbaria {

EditorWindows::EditorWindows(std::vector<std::string> commandLine)
{
    // The catalogue is created before its entry dialog, so it learns of it afterwards.
    programyForm.SetEntryDialog(&pridatProgramForm);
    mainForm.SetPropertiesDialog(&vlastnostiForm);
    mainForm.SetAboutDialog(&aboutForm);
    mainForm.SetHooks(SettingsHooks(std::move(commandLine), nastaveniForm, programyForm));
    // A registered program knows its path: the catalogue starts it live in this window.
    programyForm.SetLiveStart([this](const QString &program) { mainForm.Live().Start(program); });
}

} // namespace verbaria
