#pragma once

#include "spelling/Dictionary.h"

#include <QStringList>

#include <vector>

namespace verbaria::spelling {

// The Hunspell dictionaries at hand, by code ("cs_CZ", "en_US", "fr"), and the one that serves a
// language.
class DictionaryCatalogue final
{
public:
    // The variable that replaces the folders searched: folders separated as in PATH.
    static constexpr const char *FoldersVariable = "VERBARIA_DICTIONARIES";

    // The folders that VERBARIA_DICTIONARIES lists, else the system's "hunspell" data folders
    // (/usr/share/hunspell and its like).
    static QStringList StandardFolders();

    DictionaryCatalogue() = default;
    // Lists the dictionaries of the folders; a code found in an earlier folder hides a later one.
    explicit DictionaryCatalogue(const QStringList &folders);

    // Sorted by code.
    const std::vector<Dictionary> &Dictionaries() const { return dictionaries_; }
    const Dictionary *Find(const QString &code) const;
    // The dictionary for a language code from LanguageCodeOfName ("cs", "en_GB"): that variant
    // when it is at hand, else the language's main variant (cs_CZ, de_DE, en_US), else the plain
    // language, else its first variant; nullptr when there is none.
    const Dictionary *ForLanguage(const QString &languageCode) const;

private:
    std::vector<Dictionary> dictionaries_;
};

} // namespace verbaria::spelling
