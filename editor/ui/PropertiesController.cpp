#include "editor/ui/PropertiesController.h"

#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/CodePageConversion.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/TVlastnostiForm.h"
#include "spelling/LanguageNames.h"
#include "widgets/GridCells.h"
#include "widgets/StringGrid.h"

namespace verbaria {

PropertiesController::PropertiesController(EditorContext &context, SpellingChoices spellingChoices)
    : context_(context)
    , spellingChoices_(std::move(spellingChoices))
{
}

void PropertiesController::SetDialog(TVlastnostiForm *dialog)
{
    dialog_ = dialog;
    if (!dialog)
        return;
    dialog->Bind(context_.Document().Header());
    ApplyCodePages();
    dialog->SetCodePageHandler([this](const QString &name) { return ChangeCodePage(name); });
    connect(dialog, &TVlastnostiForm::UnrepresentableCharacter, this,
            [this](const QString &text) { context_.ReportUnrepresentable(text); });
    connect(dialog, &TVlastnostiForm::LineBreaksReplaced, this, [this] { context_.ReportLineBreaks(); });
}

void PropertiesController::Show()
{
    if (!dialog_)
        return;
    LanguageDocument &document = context_.Document();
    dialog_->Bind(document.Header());
    ApplyCodePages();
    dialog_->SetCount(document.pocetKPrekladu());
    dialog_->SetSpellingChoices(spellingChoices_ ? spellingChoices_() : QList<std::pair<QString, QString>>());
    dialog_->SetDerivedTag(
        spelling::LanguageTagOfName(LanguageCodePageOf(document).Decode(document.Header().editJazyk)));
    dialog_->exec();
    context_.AfterCommand(true);
}

void PropertiesController::ApplyCodePages()
{
    const LanguageDocument &document = context_.Document();
    StringGrid &grid = context_.Grid();
    const CodePage language = LanguageCodePageOf(document);
    grid.setCodePage(0, GridCells::ColumnEncoding, TemplateCodePageOf(document).Name());
    grid.setCodePage(0, GridCells::DescriptionEncoding, DescriptionCodePageOf(document).Name());
    grid.setCodePage(1, GridCells::ColumnEncoding, language.Name());
    grid.setCodePage(1, GridCells::DescriptionEncoding, language.Name());
    if (dialog_)
        dialog_->SetCodePages(language, TemplateCodePageOf(document));
}

bool PropertiesController::ChangeCodePage(const QString &name)
{
    const std::optional<CodePage> target = CodePage::Named(name);
    if (!target)
        return false;
    const CodePageRefusal refusal = ConvertLanguageCodePage(context_.Document(), name, *target);
    if (!refusal.Empty()) {
        context_.Dialogs().Inform(RefusalMessage(refusal, name, context_.Texts()).toStdString());
        return false;
    }
    ApplyCodePages();
    return true;
}

} // namespace verbaria
