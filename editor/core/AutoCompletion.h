#pragma once

#include "widgets/GridCells.h"

#include <string_view>

namespace verbaria {

// Gives every row whose original text occurs in other rows too the translation that the last row
// of its group (the highest row number) holds, also when that one is empty. Rows with an empty
// original text and rows whose original is the placeholder text are never filled. Originals are
// compared byte for byte. One hash pass over the grid; the cells change in one batch, and nothing
// else (the changed flag, the after-edit handling) is touched. Returns the number of translations
// that changed.
int CompleteTranslations(GridCells &grid, std::string_view placeholder);

} // namespace verbaria
