#include "editor/ui/MemoryController.h"

#include "dialogs/QtUserDialogs.h"
#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/WordDifference.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QFileInfo>
#include <QStatusBar>

#include <climits>
#include <set>

namespace verbaria {

MemoryController::MemoryController(EditorContext &context, RowChecks &checks,
                                   std::function<std::vector<std::string>()> catalogueTemplates)
    : context_(context)
    , checks_(checks)
    , catalogueTemplates_(std::move(catalogueTemplates))
    , memory_(new DocumentMemory(this))
{
    connect(memory_, &DocumentMemory::Built, this, [this] {
        QStatusBar &status = context_.StatusLine();
        if (status.currentMessage() == UiText(context_.Texts().TranslateText("Načítá se překladová paměť…")))
            status.clearMessage();
        ReportSkippedFiles();
        suggestionsRow_ = -1;
        emit Built();
    });
}

MemoryController::~MemoryController()
{
    Stop();
}

void MemoryController::Stop()
{
    memory_->Stop();
}

void MemoryController::ReportSkippedFiles()
{
    QStringList files;
    for (const DocumentMemory::SkippedFile &skipped : memory_->Skipped()) {
        QString file = QString::fromStdString(skipped.Name);
        if (!skipped.Reason.empty()) {
            // The reader's message may quote a line of the file, which may be anything.
            QString reason = QtUserDialogs::MessageText(skipped.Reason);
            if (reason.size() > 60)
                reason = reason.left(59) + QChar(0x2026);
            file += QStringLiteral(" (") + reason + QLatin1Char(')');
        }
        files << file;
    }
    if (files.isEmpty())
        return;
    context_.StatusLine().showMessage(
        UiText(context_.Texts().TranslateText("Překladová paměť vynechala soubory, které nelze přečíst: %1"))
            .arg(files.join(QStringLiteral(", "))));
}

void MemoryController::Start()
{
    // The files of the document's folder and of every registered program's folder, in the
    // document's language: built again when either changes.
    const LanguageDocument &document = context_.Document();
    DocumentMemory::Request request;
    request.Language = document.Header().editJazyk;
    request.Tag = document.LanguageTag();
    request.Excluded = document.souborJazyka();
    std::set<std::string> folders;
    auto folderOf = [](const std::string &file) {
        return QFileInfo(QString::fromLocal8Bit(file)).absolutePath().toLocal8Bit().toStdString();
    };
    if (!document.souborJazyka().empty())
        folders.insert(folderOf(document.souborJazyka()));
    if (!document.aktualniSablona().empty())
        folders.insert(folderOf(document.aktualniSablona()));
    const std::string key =
        request.Language + '\n' + request.Tag + '\n' + request.Excluded + '\n' + document.aktualniSablona();
    if (key == key_)
        return;
    key_ = key;
    if (catalogueTemplates_) {
        for (const std::string &file : catalogueTemplates_())
            folders.insert(folderOf(file));
    }
    request.Folders.assign(folders.begin(), folders.end());
    memory_->Build(std::move(request));
    context_.StatusLine().showMessage(UiText(context_.Texts().TranslateText("Načítá se překladová paměť…")));
}

QString MemoryController::Suggestions(int row)
{
    if (row >= 1 && context_.Document().Grid().RowCount() > 1)
        Start();
    shown_.clear();
    suggestionsRow_ = row;
    const checks::TranslationMemory *memory = memory_->Memory();
    const std::optional<std::string> original = checks_.Original(row);
    if (!memory || !original || original->empty())
        return {};
    std::vector<checks::Suggestion> suggestions = memory->Exact(*original);
    for (checks::Suggestion &similar : memory->Similar(*original, 75, SuggestionKeys))
        suggestions.push_back(std::move(similar));
    QStringList lines;
    const TextService &texts = context_.Texts();
    const QString entry = UiText(texts.TranslateText("Ctrl+%1: %2 % „%3“ (z „%4“)"));
    for (const checks::Suggestion &suggestion : suggestions) {
        if (shown_.size() >= SuggestionKeys)
            break;
        // An exact match is the text itself; anything less is for a person to read.
        shown_.emplace_back(suggestion.Translation, suggestion.Score < 100);
        // Its original word by word against this row's: what went struck out, what came marked.
        lines << RichTextLines(entry)
                     .arg(shown_.size())
                     .arg(suggestion.Score)
                     .arg(RichTextLines(QString::fromStdString(suggestion.Translation)),
                          MarkedDifference(QString::fromStdString(suggestion.Original),
                                           QString::fromStdString(*original), DifferenceShown::Both));
    }
    if (lines.isEmpty())
        return {};
    return QStringLiteral("<b>") + RichTextLines(UiText(texts.TranslateText("Překladová paměť:"))) +
           QStringLiteral("</b><br>") + lines.join(QStringLiteral("<br>"));
}

void MemoryController::Take(int index)
{
    context_.EndEdits();
    StringGrid &grid = context_.Grid();
    LanguageDocument &document = context_.Document();
    const int row = grid.CurrentRow();
    GridCells &cells = document.Grid();
    if (row != suggestionsRow_ || index < 0 || index >= static_cast<int>(shown_.size()) || row < 1 ||
        row >= cells.RowCount() || !cells.Style(LanguageDocument::ColumnTranslation, row).IsEditable())
        return;
    const auto &[translation, forReview] = shown_[static_cast<std::size_t>(index)];
    const QString text = QString::fromStdString(translation);
    std::optional<std::string> bytes = LanguageCodePageOf(document).Encode(text);
    if (!bytes) {
        context_.ReportUnrepresentable(
            grid.GridModel()->Unrepresentable(LanguageDocument::ColumnTranslation, text));
        return;
    }
    if (forReview)
        checks_.MarkForReview(row);
    cells.SetText(LanguageDocument::ColumnTranslation, row, std::move(*bytes));
    document.PolozkaZmenena(LanguageDocument::ColumnTranslation, row);
    grid.GridModel()->MarkersChanged(row, row);
    context_.AfterCommand(true);
}

void MemoryController::PreTranslate()
{
    context_.EndEdits();
    Start();
    memory_->Wait();
    const checks::TranslationMemory *memory = memory_->Memory();
    if (!memory)
        return;
    LanguageDocument &document = context_.Document();
    GridCells &cells = document.Grid();
    const int entries = document.EntryRowCount();
    std::vector<std::optional<std::string>> toFill(static_cast<std::size_t>(std::max(entries, 0)));
    for (int row = 1; row <= entries; ++row) {
        if (checks_.IsEmpty(row) && cells.Style(LanguageDocument::ColumnTranslation, row).IsEditable())
            toFill[static_cast<std::size_t>(row - 1)] = checks_.Original(row);
    }
    const CodePage codePage = LanguageCodePageOf(document);
    int filled = 0;
    {
        GridBatch batch(cells);
        for (const checks::PreTranslation &found : memory->PreTranslate(toFill)) {
            const int row = static_cast<int>(found.Row) + 1;
            std::optional<std::string> bytes = codePage.Encode(QString::fromStdString(found.Translation));
            if (!bytes)
                continue;
            cells.SetText(LanguageDocument::ColumnTranslation, row, std::move(*bytes));
            document.PolozkaZmenena(LanguageDocument::ColumnTranslation, row);
            checks_.MarkForReview(row);
            ++filled;
        }
    }
    context_.AfterCommand(true);
    checks_.Refresh(document, 1, INT_MAX);
    context_.Grid().GridModel()->MarkersChanged(1, entries);
    context_.StatusLine().showMessage(
        UiText(context_.Texts().TranslateText("Z paměti předpřeloženo řádků: %1")).arg(filled), 5000);
}

} // namespace verbaria
