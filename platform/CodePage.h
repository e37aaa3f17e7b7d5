#pragma once

#include "translator/qt/CodePage.h"

namespace verbaria {

// The files' code page is the translator's: one converter for the whole program.
using CodePage = qt::CodePage;

} // namespace verbaria
