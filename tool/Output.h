#pragma once

#include <string>
#include <string_view>

// Where a command's -o points: "-" is standard output, as for every command that has -o.
namespace verbaria::tool {

inline bool IsStandardOutput(const std::string &path)
{
    return path == "-";
}

// Writes bytes to standard output for "-", else replaces the file only once it is complete.
// Standard output is checked when the command ends.
void WriteOutput(const std::string &target, std::string_view bytes);

} // namespace verbaria::tool
