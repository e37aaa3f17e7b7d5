#pragma once

#include "translator/PluralRule.h"

#include <QStringList>

namespace verbaria {

class LanguageDocument;
class TextService;

// The plural rule of the language being edited: the file's own Plural-Forms, else the rule of the
// language its name (or the file's name) gives.
PluralRule DocumentPluralRule(const LanguageDocument &document);

// One label a form, saying for which counts it stands ("1", "2, 3, 4", "0, 5, 6…"); `count` may
// exceed the rule's forms (a file that holds more), those forms are named by number alone.
QStringList PluralFormLabels(const PluralRule &rule, int count, const TextService &texts);

} // namespace verbaria
