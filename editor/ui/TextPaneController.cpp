#include "editor/ui/TextPaneController.h"

#include "editor/core/LanguageDocument.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/PluralForms.h"
#include "editor/ui/TextPane.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <algorithm>

namespace verbaria {

TextPaneController::TextPaneController(EditorContext &context, TextPane &pane)
    : context_(context)
    , pane_(pane)
{
    connect(&pane_, &TextPane::TranslationEdited, this, [this](int row, const QString &text) {
        LanguageDocument &document = context_.Document();
        GridCells &cells = document.Grid();
        if (row < 1 || row >= cells.RowCount())
            return;
        if (std::optional<std::string> bytes = LanguageCodePageOf(document).Encode(text))
            cells.SetText(LanguageDocument::ColumnTranslation, row, std::move(*bytes));
    });
    connect(&pane_, &TextPane::FormEdited, this, [this](int row, int form, const QString &text) {
        LanguageDocument &document = context_.Document();
        if (row < 1 || row >= document.Grid().RowCount())
            return;
        if (std::optional<std::string> bytes = LanguageCodePageOf(document).Encode(text))
            document.SetForm(static_cast<std::size_t>(row - 1), static_cast<std::size_t>(form),
                             std::move(*bytes));
    });
    connect(&pane_, &TextPane::EditEnded, this, [this](int row) {
        // A further plural form is the entry's own: nothing to complete in other rows.
        if (pane_.Form() == 0)
            context_.Document().PolozkaZmenena(LanguageDocument::ColumnTranslation, row);
        context_.AfterCommand(true);
    });
    connect(&pane_, &TextPane::UnrepresentableCharacter, this,
            [this](const QString &text) { context_.ReportUnrepresentable(text); });
}

void TextPaneController::ShowLater()
{
    QMetaObject::invokeMethod(this, &TextPaneController::Show, Qt::QueuedConnection);
}

void TextPaneController::Show()
{
    StringGrid &grid = context_.Grid();
    const LanguageDocument &document = context_.Document();
    const int row = grid.CurrentRow();
    const GridCells &cells = document.Grid();
    if (row < 1 || row >= cells.RowCount()) {
        pane_.ShowRow(-1, {}, {}, false);
        if (showNotes_)
            showNotes_(-1);
        return;
    }
    const StringGridModel *model = grid.GridModel();
    const CodePage codePage = LanguageCodePageOf(document);
    pane_.SetCodePage(codePage.Name());
    const QString original = model ? model->CellText(0, row) : QString();
    QStringList forms{model ? model->CellText(1, row) : QString()};
    QStringList labels;
    const auto entry = static_cast<std::size_t>(row - 1);
    const MessageInfo *message = document.MessageOf(entry);
    const std::vector<std::string> *further = document.FormsOf(entry);
    if ((message && message->Plural) || further) {
        // A text with plural forms: one tab a form of the language, and any further form the file
        // holds beyond them.
        const PluralRule rule = DocumentPluralRule(document);
        const int count = std::max(rule.Count(), further ? static_cast<int>(further->size()) + 1 : 1);
        for (int form = 1; form < count; ++form)
            forms << (further && static_cast<std::size_t>(form) <= further->size()
                          ? codePage.Decode((*further)[static_cast<std::size_t>(form - 1)])
                          : QString());
        labels = PluralFormLabels(rule, count, context_.Texts());
    }
    pane_.ShowRow(row, original, forms, labels, cells.Style(1, row).IsEditable());
    if (showNotes_)
        showNotes_(row);
}

} // namespace verbaria
