#pragma once

#include "editor/ui/CommandTable.h"

#include <vector>

class QMainWindow;

namespace verbaria {

class TMainForm;

// Names the separators of the toolbar and the menus as the editor's own template knows them, and
// gives the File and Tools menus their style.
void PrepareMenus(QMainWindow &window);

// Every command of the main window, one row each: the File menu, the Edit menu, the Tools menu,
// the toolbar's buttons beside their entries. A new command is a new row here.
std::vector<Command> MainFormCommands(TMainForm &window);

} // namespace verbaria
