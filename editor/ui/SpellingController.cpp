#include "editor/ui/SpellingController.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/LineEditSpelling.h"
#include "editor/ui/TextPane.h"
#include "formats/Paths.h"
#include "spelling/SpellingChoice.h"
#include "widgets/StringGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace verbaria {

SpellingController::SpellingController(EditorContext &context, TextPane &pane)
    : context_(context)
    , spelling_(new DocumentSpelling(this))
{
    pane.SetSpelling(*spelling_);
    context_.Grid().SetEditorCreated([this](QLineEdit *editor, int column, int) {
        if (column != LanguageDocument::ColumnTranslation)
            return;
        auto *lineSpelling =
            new LineEditSpelling(editor, *spelling_, context_.Texts(), [this](const QString &text) {
                return LanguageCodePageOf(context_.Document()).CanEncode(text);
            });
        lineSpelling->Underline();
    });
    connect(spelling_, &DocumentSpelling::UserWordsNotSaved, this,
            [this](const QString &word, const QString &file, const QString &reason) {
                context_.Dialogs().ReportError(
                    UiText(context_.Texts().TranslateText(
                               "Slovo „%1“ nelze uložit do uživatelského slovníku %2: %3"))
                        .arg(word, QDir::toNativeSeparators(file), reason)
                        .toStdString());
            });
}

SpellingController::~SpellingController()
{
    // The grid may make an editor while the window ends: it underlines nothing any more.
    context_.Grid().SetEditorCreated({});
}

void SpellingController::SetUserWordsFolder(const QString &folder)
{
    spelling_->SetUserWordsFolder(folder);
}

QString SpellingController::FileBaseName() const
{
    return QFileInfo(
               QFile::decodeName(QByteArray::fromStdString(NativePath(context_.Document().souborJazyka()))))
        .completeBaseName();
}

void SpellingController::Follow()
{
    const LanguageDocument &document = context_.Document();
    const DocumentHeader &header = document.Header();
    spelling_->Follow(QString::fromStdString(header.Pravopis),
                      LanguageCodePageOf(document).Decode(header.editJazyk), FileBaseName());
}

QList<std::pair<QString, QString>> SpellingController::Choices()
{
    // Dictionaries installed while the editor runs are offered too.
    spelling_->FindDictionaries();
    const LanguageDocument &document = context_.Document();
    const TextService &texts = context_.Texts();
    const QString automatic = spelling_->AutomaticCode(
        LanguageCodePageOf(document).Decode(document.Header().editJazyk), FileBaseName());
    QList<std::pair<QString, QString>> choices;
    choices.append({automatic.isEmpty()
                        ? UiText(texts.TranslateText("Podle názvu jazyka (slovník nenalezen)"))
                        : UiText(texts.TranslateText("Podle názvu jazyka (%1)")).arg(automatic),
                    QString()});
    choices.append({UiText(texts.TranslateText("Bez kontroly pravopisu")),
                    QString::fromLatin1(spelling::NoSpelling.data(), spelling::NoSpelling.size())});
    for (const spelling::Dictionary &dictionary : spelling_->Catalogue().Dictionaries())
        choices.append({dictionary.Code, dictionary.Code});
    return choices;
}

} // namespace verbaria
