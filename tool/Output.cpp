#include "tool/Output.h"

#include "formats/FileIO.h"

#include <iostream>

namespace verbaria::tool {

void WriteOutput(const std::string &target, std::string_view bytes)
{
    if (IsStandardOutput(target)) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::cout.flush();
        return;
    }
    WriteFileAtomically(target, bytes);
}

} // namespace verbaria::tool
