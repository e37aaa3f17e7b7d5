#include "editor/ui/DocumentSpelling.h"

#include "spelling/LanguageNames.h"
#include "spelling/SpellingChoice.h"

#include <QDir>

namespace verbaria {

DocumentSpelling::DocumentSpelling(QObject *parent)
    : QObject(parent)
{
    FindDictionaries();
}

DocumentSpelling::~DocumentSpelling() = default;

void DocumentSpelling::FindDictionaries()
{
    catalogue_ = spelling::DictionaryCatalogue(spelling::DictionaryCatalogue::StandardFolders());
}

void DocumentSpelling::SetUserWordsFolder(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    if (path == userWordsFolder_)
        return;
    userWordsFolder_ = path;
    // The words of the open dictionary are another user's now.
    if (checker_) {
        const QString code = wanted_;
        wanted_.clear();
        Open(code);
    }
}

QString DocumentSpelling::AutomaticCode(const QString &languageName, const QString &fileName) const
{
    for (const QString &name : {languageName, fileName}) {
        if (const spelling::Dictionary *dictionary =
                catalogue_.ForLanguage(spelling::LanguageCodeOfName(name)))
            return dictionary->Code;
    }
    return {};
}

void DocumentSpelling::Follow(const QString &choice, const QString &languageName, const QString &fileName)
{
    if (choice == QLatin1String(spelling::NoSpelling.data(), spelling::NoSpelling.size()))
        Open({});
    else if (!choice.isEmpty())
        Open(choice);
    else
        Open(AutomaticCode(languageName, fileName));
}

void DocumentSpelling::Open(const QString &code)
{
    if (code == wanted_)
        return;
    wanted_ = code;
    checker_.reset();
    if (const spelling::Dictionary *dictionary = catalogue_.Find(code)) {
        const QString words = userWordsFolder_.isEmpty()
                                  ? QString()
                                  : userWordsFolder_ + dictionary->Code + QStringLiteral(".txt");
        checker_ = spelling::SpellChecker::Open(*dictionary, words);
    }
    emit Changed();
}

QString DocumentSpelling::Code() const
{
    return checker_ ? checker_->Code() : QString();
}

std::vector<spelling::MisspelledWord> DocumentSpelling::Misspelled(const QString &text) const
{
    return checker_ ? checker_->Misspelled(text) : std::vector<spelling::MisspelledWord>();
}

QStringList DocumentSpelling::Suggestions(const QString &word) const
{
    return checker_ ? checker_->Suggestions(word) : QStringList();
}

void DocumentSpelling::AddToUserWords(const QString &word)
{
    if (!checker_)
        return;
    const std::optional<QString> error = checker_->AddToUserWords(word);
    emit Changed();
    if (error)
        emit UserWordsNotSaved(word, userWordsFolder_ + checker_->Code() + QStringLiteral(".txt"), *error);
}

} // namespace verbaria
