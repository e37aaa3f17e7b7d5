#pragma once

#include <cstdint>
#include <string>

namespace verbaria::tool {

// One line of a fit report, as apply --fit and live --fit print it: "entry 12:
// Form.button.Caption lacks 34 px (Form.box.button)". The path is the entry's (else the object's),
// the object is added when it says more; every text in the template's code page.
inline std::string FitLine(std::int32_t number, const std::string &path, const std::string &object,
                           int missing, bool height = false)
{
    std::string line = number >= 0 ? "entry " + std::to_string(number) + ": " : "no entry: ";
    line += path.empty() ? object : path;
    line += " lacks " + std::to_string(missing) + " px";
    if (height)
        line += " of height";
    if (!path.empty() && !object.empty())
        line += " (" + object + ")";
    return line + '\n';
}

} // namespace verbaria::tool
