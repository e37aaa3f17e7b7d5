#include "editor/ui/RowCommands.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/TranslationCounts.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/TextPane.h"
#include "editor/ui/TextTokens.h"
#include "platform/CodePage.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace verbaria {

namespace {

// The entry of a grid row that holds a text to translate, or nullptr.
const TEditorItem *TranslatableEntry(const LanguageDocument &document, int row)
{
    if (row < 1 || row > document.EntryRowCount())
        return nullptr;
    const TEditorItem &item = document.polozky()[static_cast<std::size_t>(row - 1)];
    return item.Kind == ikComponent || item.Kind == ikMessage ? &item : nullptr;
}

} // namespace

RowCommands::RowCommands(EditorContext &context, TextPane &pane)
    : context_(context)
    , pane_(pane)
    , labelSlova_(new QLabel(&context.StatusLine()))
    , originalTokens_(new TokenHighlighter(pane.memoPuvodniText()->document()))
{
    // Beside the file's name, left of the translated count: how much work the count is.
    context_.StatusLine().addWidget(labelSlova_);
    connect(&context_.History(), &DocumentHistory::Changed, this, [this] { ShowWords(); });
    ShowWords();
}

namespace {

// The row's original as the grid shows it, in the template's code page.
QString OriginalShown(const StringGridModel &model, int row)
{
    return model.data(model.IndexOfCell(LanguageDocument::ColumnOriginal, row), Qt::DisplayRole).toString();
}

} // namespace

RowCommands::~RowCommands()
{
    disconnect(&context_.History(), nullptr, this, nullptr);
}

void RowCommands::CopyOriginal()
{
    context_.EndEdits();
    StringGrid &grid = context_.Grid();
    LanguageDocument &document = context_.Document();
    const int row = grid.CurrentRow();
    if (!TranslatableEntry(document, row) || !grid.GridModel())
        return;
    const StringGridModel &model = *grid.GridModel();
    const QString original = OriginalShown(model, row);
    const CodePage codePage = LanguageCodePageOf(document);
    const std::optional<std::string> bytes = codePage.Encode(original);
    if (!bytes) {
        context_.ReportUnrepresentable(codePage.Unrepresentable(original));
        return;
    }
    document.Grid().SetText(LanguageDocument::ColumnTranslation, row, *bytes);
    document.PolozkaZmenena(LanguageDocument::ColumnTranslation, row);
    context_.AfterCommand(true);
    context_.GoTo(LanguageDocument::ColumnTranslation, row);
}

void RowCommands::ToggleReview()
{
    context_.EndEdits();
    LanguageDocument &document = context_.Document();
    const int row = context_.Grid().CurrentRow();
    const TEditorItem *entry = TranslatableEntry(document, row);
    if (!entry || document.Grid().Text(LanguageDocument::ColumnTranslation, row).empty()) {
        context_.StatusLine().showMessage(
            UiText(context_.Texts().TranslateText("Na kontrolu může čekat jen přeložený text.")), 3000);
        return;
    }
    const RowNote *noted = document.NoteOf(entry->Number);
    RowNote note = noted ? *noted : RowNote{};
    note.Review = !note.Review;
    document.SetNote(entry->Number, note);
    context_.AfterCommand(true);
}

void RowCommands::InsertNextToken()
{
    StringGrid &grid = context_.Grid();
    LanguageDocument &document = context_.Document();
    const int row = grid.CurrentRow();
    if (!TranslatableEntry(document, row) || !grid.GridModel())
        return;
    const StringGridModel &model = *grid.GridModel();
    const QString original = OriginalShown(model, row);
    QPlainTextEdit *memo = pane_.memoNovyText();
    // Where the translator types: the text pane, the cell's editor, or the cell's editor opened now
    // with the cursor at its end.
    const QModelIndex cell = model.IndexOfCell(LanguageDocument::ColumnTranslation, row);
    auto *line = memo->hasFocus() ? nullptr : qobject_cast<QLineEdit *>(grid.indexWidget(cell));
    if (!memo->hasFocus() && !line) {
        grid.setCurrentIndex(cell);
        grid.edit(cell);
        line = qobject_cast<QLineEdit *>(grid.indexWidget(cell));
        if (!line)
            return;
        line->deselect();
        line->end(false);
    }
    const QString translation = line ? line->text() : memo->toPlainText();
    const QString token = NextMissingToken(original, translation);
    if (token.isEmpty()) {
        context_.StatusLine().showMessage(
            UiText(context_.Texts().TranslateText("Překladu žádná značka originálu nechybí.")), 3000);
        return;
    }
    // Typed as the translator would type it: the editors' own rules (code page) apply.
    if (line)
        line->insert(token);
    else
        memo->insertPlainText(token);
}

void RowCommands::Retranslate()
{
    ShowWords();
}

void RowCommands::ShowWords()
{
    const TranslationCounts &counts = context_.History().Counts();
    const ReviewCounts review = CountForReview(context_.Document());
    labelSlova_->setText(
        UiText(context_.Texts().TranslateText("Slova: %1, přeloženo %2, zbývá %3, ke kontrole %4"))
            .replace(QStringLiteral("%1"), QString::number(counts.Words))
            .replace(QStringLiteral("%2"), QString::number(counts.WordsTranslated))
            .replace(QStringLiteral("%3"), QString::number(counts.WordsUntranslated()))
            .replace(QStringLiteral("%4"), QString::number(review.Words)));
}

} // namespace verbaria
