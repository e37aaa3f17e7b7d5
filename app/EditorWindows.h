#pragma once

#include "app/MainFormSettingsHost.h"
#include "editor/ui/TAboutForm.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "settings/core/CatalogueFileStore.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TPridatProgramForm.h"
#include "settings/ui/TProgramyForm.h"

#include <string>
#include <vector>

namespace verbaria {

// The editor's six windows, created in their fixed order and wired to each other; every one lives
// as long as this object, that is for the whole run.
class EditorWindows final
{
public:
    explicit EditorWindows(std::vector<std::string> commandLine);

    TMainForm mainForm;
    TVlastnostiForm vlastnostiForm{&mainForm};
    // What the settings room's dialogs need of the main window, without the main window itself.
    CatalogueFileStore catalogue{[this] { return mainForm.slozkaProgramu(); }};
    MainFormSettingsHost settingsHost{mainForm};
    TProgramyForm programyForm{catalogue, mainForm.Texts(), &mainForm};
    TPridatProgramForm pridatProgramForm{mainForm.Texts(), &mainForm};
    TAboutForm aboutForm{&mainForm};
    TNastaveniForm nastaveniForm{settingsHost, programyForm, &mainForm};
};

} // namespace verbaria
