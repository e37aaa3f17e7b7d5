#include "editor/ui/RowCommands.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/TranslationCounts.h"
#include "editor/core/UserDialogs.h"
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
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>

#include <optional>
#include <string>
#include <utility>

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
    // The grid's cells mark placeholders and markup as the text pane does; most texts have none.
    context_.Grid().SetTextMarks(&CellTokenMarks);
    pane_.memoPuvodniText()->viewport()->installEventFilter(this);
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
    context_.Grid().SetTextMarks({});
    pane_.memoPuvodniText()->viewport()->removeEventFilter(this);
}

bool RowCommands::eventFilter(QObject *watched, QEvent *event)
{
    QPlainTextEdit *original = pane_.memoPuvodniText();
    if (watched != original->viewport() || event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    const auto *click = static_cast<QMouseEvent *>(event);
    if (click->button() != Qt::LeftButton || original->textCursor().hasSelection())
        return QObject::eventFilter(watched, event);
    const QString text = original->toPlainText();
    const qsizetype at = original->cursorForPosition(click->position().toPoint()).position();
    // The cursor stands before the character clicked or after it, whichever side is nearer.
    std::optional<TextToken> token = TokenAt(text, at);
    if (!token && at > 0)
        token = TokenAt(text, at - 1);
    if (token && token->What != TextToken::Kind::Accelerator)
        InsertToken(text.mid(token->Start, token->Length));
    return QObject::eventFilter(watched, event);
}

void RowCommands::InsertToken(const QString &token)
{
    QPlainTextEdit *memo = pane_.memoNovyText();
    if (memo->isReadOnly() || pane_.Row() != context_.Grid().CurrentRow())
        return;
    // Typed where the translator left the cursor, as if typed: the pane's own rules apply.
    memo->setFocus(Qt::MouseFocusReason);
    memo->insertPlainText(token);
}

QString RowCommands::CommentNote(int row) const
{
    const LanguageDocument &document = context_.Document();
    const TEditorItem *entry = TranslatableEntry(document, row);
    const RowNote *note = entry ? document.NoteOf(entry->Number) : nullptr;
    if (!note || note->Comment.empty())
        return {};
    return QStringLiteral("<b>%1</b> %2")
        .arg(RichTextLines(UiText(context_.Texts().TranslateText("Komentář překladatele:"))),
             RichTextLines(QString::fromStdString(note->Comment)));
}

void RowCommands::EditComment()
{
    context_.EndEdits();
    LanguageDocument &document = context_.Document();
    const int row = context_.Grid().CurrentRow();
    const TEditorItem *entry = TranslatableEntry(document, row);
    if (!entry)
        return;
    const std::int32_t number = entry->Number;
    const RowNote *noted = document.NoteOf(number);
    RowNote note = noted ? *noted : RowNote{};
    std::optional<std::string> comment = context_.Dialogs().AskText(
        UiText(context_.Texts().TranslateText("Komentář překladatele k řádku %1:"))
            .replace(QStringLiteral("%1"), QString::number(number).rightJustified(5, u'0'))
            .toStdString(),
        note.Comment);
    if (!comment)
        return;
    // Blank lines and blanks around the text say nothing.
    QString text = QString::fromStdString(*comment);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    comment = text.trimmed().toStdString();
    if (*comment == note.Comment)
        return;
    note.Comment = std::move(*comment);
    document.SetNote(number, std::move(note));
    document.SetZmeneno(true);
    context_.AfterCommand(true);
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
