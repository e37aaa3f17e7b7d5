#pragma once

#include "spelling/SpellChecker.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QMenu;
class QPoint;

namespace verbaria {

class DocumentSpelling;
class TextService;

namespace SpellingMenu {

// The misspelled word at a text position (the cursor inside it or right after it), if any.
std::optional<spelling::MisspelledWord> WordAt(const std::vector<spelling::MisspelledWord> &words,
                                               int position);

// Puts the spelling's entries for word at the head of menu: its suggestions that fits allows
// (taking one calls replace with the text to put in the word's place), "Přidat do slovníku" and
// a separator before the entries already there. Without replace (a read-only text) only the
// dictionary entry is offered.
void AddEntries(QMenu &menu, DocumentSpelling &spelling, const TextService &texts,
                const spelling::MisspelledWord &word, const QString &written,
                const std::function<bool(const QString &)> &fits,
                const std::function<void(const QString &)> &replace);

} // namespace SpellingMenu

} // namespace verbaria
