#pragma once

#include <string_view>

namespace verbaria {

// The code page of a file that declares none, unless the user chose another: the program's own,
// as its files have always been written. (The Qt side's CodePage::FallbackName is the same name.)
constexpr std::string_view FallbackCodePageName = "windows-1250";

} // namespace verbaria
