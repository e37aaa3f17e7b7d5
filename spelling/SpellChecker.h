#pragma once

#include "spelling/Dictionary.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class Hunspell;

namespace verbaria {
class CodePage;
}

namespace verbaria::spelling {

// A word of a text that the dictionary does not know, where the widgets show it.
struct MisspelledWord
{
    int Start = 0;  // UTF-16 positions in the QString
    int Length = 0; // with an accelerator's "&" inside it counted
    QString Word;   // as looked up: without the "&"
};

// One Hunspell dictionary opened, with the user's own words added to it. Words cross into the
// dictionary's own encoding (its SET line) here and nowhere else; a word the encoding cannot
// hold is no word of that language and is left alone.
class SpellChecker final
{
public:
    // nullptr when the dictionary's files cannot be read or its encoding is not at hand. The
    // user's words (UTF-8, one a line) are read from userWordsFile when it exists.
    static std::unique_ptr<SpellChecker> Open(const Dictionary &dictionary, const QString &userWordsFile);
    ~SpellChecker();

    const QString &Code() const { return code_; }

    bool IsCorrect(const QString &word) const;
    QStringList Suggestions(const QString &word) const;
    // The words of a translation that the dictionary does not know (see WordsToSpell), in order.
    std::vector<MisspelledWord> Misspelled(const QString &text) const;

    // Accepts word from now on: in this run at once, in later ones through the user's word list.
    // The platform's error text when the list could not be written (the word is accepted for this
    // run all the same); nullopt when it was.
    std::optional<QString> AddToUserWords(const QString &word);

private:
    SpellChecker() = default;
    // Nullopt when the encoding cannot hold the word.
    std::optional<std::string> ToDictionary(const QString &word) const;
    QString FromDictionary(const std::string &bytes) const;

    QString code_;
    QString userWordsFile_;
    QStringList userWords_;
    std::unique_ptr<Hunspell> hunspell_;
    std::unique_ptr<CodePage> encoding_; // nullptr for UTF-8
};

} // namespace verbaria::spelling
