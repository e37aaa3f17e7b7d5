#pragma once

#include "settings/core/SettingsValues.h"

#include <string>
#include <vector>

namespace verbaria {

// Applies a file named on the command line to the remembered files, so that the start opens it.
// The parameters are joined with one blank between them (a path with blanks that reached the
// program unquoted comes back whole); blanks, tabs and double quotes are stripped at both ends.
// A template (".lnd", any case) becomes PosledniSablona with no language file; any other file
// becomes PosledniJazyk. In both cases a file named JazykRozhrani beside it becomes the
// description language. Nothing changes when the text names no existing file.
void ZpracujParametry(const std::vector<std::string> &parameters, SettingsValues &values);

} // namespace verbaria
