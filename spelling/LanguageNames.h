#pragma once

#include <QString>

#include <string>

namespace verbaria::spelling {

// The language a language file's name for it means, as a dictionary code: "Čeština", "Czech" and
// "cs-CZ" give "cs", "English (United Kingdom)" gives "en_GB", "Русский" gives "ru". Names are
// matched in the language's own spelling, in English, in Czech and in a few neighbours', without
// regard to case or diacritics. Empty when the name names no language known here.
QString LanguageCodeOfName(const QString &name);

// The same as a language tag (BCP 47): "de", "en-GB", "de-AT"; empty for a name of no language
// known here.
QString LanguageTagOfName(const QString &name);

// The language tag of a language file's name given in its code page: the function the document
// derives its tag with (LanguageDocument::SetTagOfName), the same in the editor and the tool.
std::string LanguageTagOfNameBytes(const std::string &name, const std::string &codePage);

} // namespace verbaria::spelling
