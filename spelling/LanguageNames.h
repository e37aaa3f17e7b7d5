#pragma once

#include <QString>

namespace verbaria::spelling {

// The language a language file's name for it means, as a dictionary code: "Čeština", "Czech" and
// "cs-CZ" give "cs", "English (United Kingdom)" gives "en_GB", "Русский" gives "ru". Names are
// matched in the language's own spelling, in English, in Czech and in a few neighbours', without
// regard to case or diacritics. Empty when the name names no language known here.
QString LanguageCodeOfName(const QString &name);

} // namespace verbaria::spelling
