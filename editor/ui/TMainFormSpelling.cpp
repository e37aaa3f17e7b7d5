// The main window's spelling: the dictionary of the document's language, the underlines in the
// cell editor and the text pane, and the choice kept in the language file.
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/LineEditSpelling.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TextPane.h"
#include "editor/ui/UiText.h"
#include "formats/Paths.h"
#include "spelling/SpellingChoice.h"
#include "ui_TMainForm.h"
#include "widgets/StringGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace verbaria {

void TMainForm::SetUpSpelling()
{
    spelling_ = new DocumentSpelling(this);
    textPane_->SetSpelling(*spelling_);
    ui_->gridJazyk->SetEditorCreated([this](QLineEdit *editor, int column, int) {
        if (column != LanguageDocument::ColumnTranslation)
            return;
        auto *lineSpelling = new LineEditSpelling(editor, *spelling_, texts_, [this](const QString &text) {
            return LanguageCodePage().CanEncode(text);
        });
        lineSpelling->Underline();
    });
    connect(spelling_, &DocumentSpelling::UserWordsNotSaved, this,
            [this](const QString &word, const QString &file, const QString &reason) {
                Dialogs().ReportError(
                    UiText(texts_.TranslateText("Slovo „%1“ nelze uložit do uživatelského slovníku %2: %3"))
                        .arg(word, QDir::toNativeSeparators(file), reason)
                        .toStdString());
            });
    // Undo and redo may take the language's name or the choice back.
    connect(history_.get(), &DocumentHistory::Changed, this, &TMainForm::FollowSpelling);
}

void TMainForm::FollowSpelling()
{
    if (!spelling_)
        return;
    const DocumentHeader &header = document_->Header();
    const QString file =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(NativePath(document_->souborJazyka()))))
            .completeBaseName();
    spelling_->Follow(QString::fromStdString(header.Pravopis), LanguageCodePage().Decode(header.editJazyk),
                      file);
}

QList<std::pair<QString, QString>> TMainForm::SpellingChoices()
{
    // Dictionaries installed while the editor runs are offered too.
    spelling_->FindDictionaries();
    const DocumentHeader &header = document_->Header();
    const QString file =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(NativePath(document_->souborJazyka()))))
            .completeBaseName();
    const QString automatic = spelling_->AutomaticCode(LanguageCodePage().Decode(header.editJazyk), file);
    QList<std::pair<QString, QString>> choices;
    choices.append({automatic.isEmpty()
                        ? UiText(texts_.TranslateText("Podle názvu jazyka (slovník nenalezen)"))
                        : UiText(texts_.TranslateText("Podle názvu jazyka (%1)")).arg(automatic),
                    QString()});
    choices.append({UiText(texts_.TranslateText("Bez kontroly pravopisu")),
                    QString::fromLatin1(spelling::NoSpelling.data(), spelling::NoSpelling.size())});
    for (const spelling::Dictionary &dictionary : spelling_->Catalogue().Dictionaries())
        choices.append({dictionary.Code, dictionary.Code});
    return choices;
}

} // namespace verbaria
