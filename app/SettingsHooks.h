#pragma once

#include "editor/ui/TMainForm.h"

#include <string>
#include <vector>

namespace verbaria {

class TNastaveniForm;
class TProgramyForm;

// What the settings room does for the main window: reading "glotra.ini" and the command line at
// start-up, writing the file at the end, the settings dialog, and the catalogue both as a chooser
// of programs and as the last place where template look-ups search.
TMainForm::Hooks SettingsHooks(std::vector<std::string> commandLine, TNastaveniForm &nastaveni,
                               TProgramyForm &programy);

} // namespace verbaria
