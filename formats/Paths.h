#pragma once

#include <optional>
#include <string>
#include <string_view>

// Paths as the program's files give them: "\" and "/" both separate folders. On a file system
// whose names are case-sensitive, names that the rules compare without regard to case are matched
// against the real directory entries, and the real path is used from then on.
namespace verbaria {

// "\" turned into the native separator.
std::string NativePath(std::string_view path);
// The folder part, ending in a separator ("" for a bare name).
std::string FolderOf(std::string_view path);
// The part after the last separator.
std::string FileNameOf(std::string_view path);
// The path made absolute against the current folder and cleaned of "." and "..".
std::string AbsolutePath(std::string_view path);
// The real path of an existing regular file whose name matches path without regard to ASCII case,
// each folder and the file name alike; an exact match is preferred.
std::optional<std::string> FindFileIgnoringCase(std::string_view path);
// Same for a folder.
std::optional<std::string> FindDirectoryIgnoringCase(std::string_view path);

} // namespace verbaria
