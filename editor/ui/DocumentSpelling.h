#pragma once

#include "spelling/DictionaryCatalogue.h"
#include "spelling/SpellChecker.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace verbaria {

// The spelling of the open document's translations: the dictionary its choice or its language's
// name gives, opened once and kept while the document stays in that language, and the user's own
// words beside the editor's settings. Without a dictionary nothing is misspelled.
class DocumentSpelling final : public QObject
{
    Q_OBJECT

public:
    explicit DocumentSpelling(QObject *parent = nullptr);
    ~DocumentSpelling() override;

    // Looks for the dictionaries at hand again (DictionaryCatalogue::StandardFolders).
    void FindDictionaries();
    const spelling::DictionaryCatalogue &Catalogue() const { return catalogue_; }
    // Where the user's word lists are kept, one a dictionary ("cs_CZ.txt").
    void SetUserWordsFolder(const QString &folder);

    // The dictionary the language's name (else the language file's name) gives; empty when none
    // is at hand.
    QString AutomaticCode(const QString &languageName, const QString &fileName) const;
    // Checks in the dictionary choice names: its code, "none", or empty for the automatic one.
    void Follow(const QString &choice, const QString &languageName, const QString &fileName);
    // The dictionary in use; empty when nothing is checked.
    QString Code() const;

    std::vector<spelling::MisspelledWord> Misspelled(const QString &text) const;
    QStringList Suggestions(const QString &word) const;
    void AddToUserWords(const QString &word);

signals:
    // Another dictionary or another accepted word: the underlines must be looked at again.
    void Changed();
    // The user's word list could not be written (the platform's reason); the word is accepted
    // until the end of the run.
    void UserWordsNotSaved(const QString &word, const QString &file, const QString &reason);

private:
    void Open(const QString &code);

    spelling::DictionaryCatalogue catalogue_;
    QString userWordsFolder_;
    QString wanted_; // the code asked for last, also when it could not be opened
    std::unique_ptr<spelling::SpellChecker> checker_;
};

} // namespace verbaria
