#pragma once

#include "formats/SpellingChoice.h"

// The choice is kept in the language file (formats/SpellingChoice.h).
namespace verbaria::spelling {

using verbaria::NoSpelling;
using verbaria::ReadSpellingChoice;
using verbaria::WithSpellingChoice;

} // namespace verbaria::spelling
