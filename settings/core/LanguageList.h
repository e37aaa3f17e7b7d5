#pragma once

#include <string>
#include <vector>

namespace verbaria {

// The file names (without folder) of the language files in folder: regular files, or links to
// them, whose names end in ".lng" without regard to case, names beginning with "." included.
// Folders and special files are never listed. Sorted alphabetically without regard to ASCII case,
// the order the original platform lists them in, on every file system. The folder itself is
// found without regard to case; a missing folder gives an empty list.
std::vector<std::string> ListLanguageFiles(const std::string &folder);

} // namespace verbaria
