#pragma once

#include <string>

namespace verbaria {

// The path of the running executable, as the system records it; empty when it cannot tell.
// verbaria-tool finds the files beside it with this: most of its commands run without a Qt
// application object, and QCoreApplication::applicationFilePath() needs one.
std::string ExecutablePath();

} // namespace verbaria
