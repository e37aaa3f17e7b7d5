#pragma once

#include <QString>

namespace verbaria::spelling {

// What takes the place of a misspelled word as written, when the user picks a suggestion: the
// suggestion with the word's accelerator kept. "Ulo&žitt" and "Uložit" give "Ulo&žit"; the "&"
// goes before the same letter when the suggestion has it, else to the same place.
QString ReplacementFor(const QString &written, const QString &suggestion);

} // namespace verbaria::spelling
