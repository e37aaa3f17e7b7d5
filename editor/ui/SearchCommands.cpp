#include "editor/ui/SearchCommands.h"

#include "editor/core/LanguageDocument.h"
#include "editor/core/TextSearch.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/FindDialog.h"
#include "editor/ui/ReplaceDialog.h"
#include "editor/ui/ReplaceEngine.h"
#include "widgets/StringGrid.h"

namespace verbaria {

SearchCommands::SearchCommands(EditorContext &context, QWidget &window)
    : context_(context)
{
    findDialog_ = new FindDialog(&window);
    connect(findDialog_, &FindDialog::FindNext, this, &SearchCommands::FindNext);
    replaceDialog_ = new ReplaceDialog(context_.Texts(), &window);
    replaceDialog_->setObjectName(QStringLiteral("ReplaceDialog"));
    replaceDialog_->SetPlanner([this](const ReplaceOptions &options, bool onlyShown) {
        StringGrid *view = &context_.Grid();
        return PlanReplace(context_.Document(), LanguageCodePageOf(context_.Document()), options,
                           [view, onlyShown](int row) { return !onlyShown || !view->isRowHidden(row - 1); });
    });
    connect(replaceDialog_, &ReplaceDialog::ApplyRequested, this, &SearchCommands::Apply);
}

SearchCommands::~SearchCommands()
{
    // The dialogs are the window's children, yet they work on the document: they go with the
    // commands, while the document is still there.
    replaceDialog_->SetPlanner({});
    delete replaceDialog_;
    delete findDialog_;
}

void SearchCommands::Retranslate()
{
    replaceDialog_->Retranslate();
}

void SearchCommands::ShowFind()
{
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

void SearchCommands::FindNext()
{
    const QString searchText = findDialog_->SearchText();
    StringGrid &grid = context_.Grid();
    const LanguageDocument &document = context_.Document();
    // The text as each kind of cell holds it; one its code page cannot hold is in no such cell.
    SearchTexts texts;
    const CodePage codePages[2][2] = {{TemplateCodePageOf(document), DescriptionCodePageOf(document)},
                                      {LanguageCodePageOf(document), LanguageCodePageOf(document)}};
    for (int column = 0; column < 2; ++column) {
        for (int encoding = 0; encoding < 2; ++encoding)
            texts.Text[column][encoding] = codePages[column][encoding].Encode(searchText);
    }
    const std::optional<GridPosition> found = FindNextCell(
        context_.Document().Grid(), grid.CurrentColumn(), grid.CurrentRow(), texts, findDialog_->MatchCase());
    if (found) {
        // Row first, then column, each through the grid's own change of the current cell.
        context_.GoTo(found->Column, found->Row);
        return;
    }
    // A template's text cannot hold a double quote, so the message is looked up with „“ in their
    // place; where the language keeps it as it is, it reads as ever, with its straight quotes.
    std::string notFound = context_.Texts().TranslateText("Text „%s“ nebyl nalezen.");
    if (notFound == "Text „%s“ nebyl nalezen.")
        notFound = "Text \"%s\" nebyl nalezen.";
    QString message = QString::fromStdString(notFound);
    message.replace(QStringLiteral("%s"), searchText);
    context_.Dialogs().ReportError(message.toStdString());
}

void SearchCommands::FindNextCommand()
{
    if (findDialog_->SearchText().isEmpty())
        ShowFind();
    else
        FindNext();
}

void SearchCommands::ShowReplace()
{
    context_.EndEdits();
    replaceDialog_->show();
    replaceDialog_->raise();
    replaceDialog_->activateWindow();
}

void SearchCommands::Apply(const ReplacePlan &plan)
{
    context_.EndEdits();
    GridCells &cells = context_.Document().Grid();
    {
        GridBatch batch(cells);
        for (const RowReplacement &row : plan.Rows) {
            // A text changed since the preview keeps the user's latest word.
            if (row.Row < cells.RowCount() && cells.Text(1, row.Row) == row.OldText)
                cells.SetText(1, row.Row, row.NewText);
        }
    }
    context_.AfterCommand(true);
}

} // namespace verbaria
