// The main window's checks and translation memory: the marks in the grid, the row's messages and
// suggestions in the text pane, going to the next problem, acknowledging warnings, taking a
// suggestion and pre-translating from the memory.
#include "checks/RowNotes.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TextPane.h"
#include "editor/ui/UiText.h"
#include "platform/CodePage.h"
#include "ui_TMainForm.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QStatusBar>
#include <QStyle>

#include <climits>
#include <set>

namespace verbaria {

namespace {

constexpr int SuggestionKeys = 3;

QString Escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

} // namespace

void TMainForm::SetUpChecks()
{
    rowChecks_ = std::make_unique<RowChecks>();
    // A large document's checks come in after it is shown: every row's marks, and the row's notes.
    rowChecks_->SetPassEnded(this, [this] {
        ui_->gridJazyk->GridModel()->MarkersChanged(1, std::max(1, document_->Grid().RowCount() - 1));
        suggestionsRow_ = -1;
        ShowRowNotes(ui_->gridJazyk->CurrentRow());
    });
    memory_ = new DocumentMemory(this);
    // Besides the texts a language file carries the rows' notes and the spelling dictionary.
    document_->SetLanguageRead([this](std::string_view bytes) {
        rowChecks_->ReadNotes(bytes, *document_);
        ReadSpellingChoice(bytes);
    });
    document_->SetSaveAddition([this](std::string bytes) {
        return checks::WithRowNotes(WithSpellingChoice(std::move(bytes)),
                                    rowChecks_->NotesToSave(*document_));
    });
    // A new language starts without notes.
    for (QAction *action : {ui_->menuNovy, ui_->menuNovyPro})
        connect(action, &QAction::triggered, this, [this] {
            if (document_->souborJazyka().empty())
                rowChecks_->Notes().clear();
        });
    filterBar_->SetProblemTest([this](int row) { return rowChecks_->HasProblem(row); });
    filterBar_->SetReviewTest([this](int row) { return rowChecks_->NeedsReview(row); });
    statusPanel_->SetReviewCounter([this] { return rowChecks_->ReviewCount(); });

    StringGridModel *model = ui_->gridJazyk->GridModel();
    model->SetMarker([this](int column, int row, int role) -> QVariant {
        // The original's tooltip: the text the form holds, where the row shows a component's path.
        if (column == LanguageDocument::ColumnOriginal)
            return role == Qt::ToolTipRole ? QVariant(FormTextOf(row)) : QVariant();
        if (column != LanguageDocument::ColumnTranslation || rowChecks_->Pending() ||
            !rowChecks_->HasProblem(row))
            return {};
        if (role == Qt::ToolTipRole)
            return rowChecks_->Messages(row, texts_);
        const QStyle::StandardPixmap icon = rowChecks_->HasError(row) && !rowChecks_->Shown(row).empty()
                                                ? QStyle::SP_MessageBoxCritical
                                                : QStyle::SP_MessageBoxWarning;
        return style()->standardIcon(icon);
    });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole) && !roles.contains(Qt::EditRole))
                    return; // the marks themselves
                RefreshChecks(StringGridModel::GridRowOf(topLeft), StringGridModel::GridRowOf(bottomRight));
            });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { RefreshChecks(1, INT_MAX); });
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] { RefreshChecks(1, INT_MAX); });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { RefreshChecks(1, INT_MAX); });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { RefreshChecks(1, INT_MAX); });
    connect(memory_, &DocumentMemory::Built, this, [this] {
        if (statusBar()->currentMessage() == UiText(texts_.TranslateText("Načítá se překladová paměť…")))
            statusBar()->clearMessage();
        ReportSkippedMemoryFiles();
        suggestionsRow_ = -1;
        ShowRowNotes(ui_->gridJazyk->CurrentRow());
    });

    auto add = [this](const char *name, const char *keys, auto slot) {
        // Named by its data, not its object name: its text comes from TranslateText, not from a
        // component line of the editor's template.
        auto *action = new QAction(this);
        action->setData(QString::fromLatin1(name));
        if (keys)
            action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        ui_->menuUpravy->addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    ui_->menuUpravy->addSeparator();
    add("menuDalsiProblem", "F8", [this] { DalsiProblem(); });
    add("menuPotvrditVarovani", "Ctrl+K", [this] { PotvrditVarovani(); });
    for (int i = 0; i < SuggestionKeys; ++i) {
        const QByteArray name = "menuPrevzitNavrh" + QByteArray::number(i + 1);
        const QByteArray keys = "Ctrl+" + QByteArray::number(i + 1);
        add(name.constData(), keys.constData(), [this, i] { PrevzitNavrh(i); });
    }
    add("menuPredprelozit", nullptr, [this] { PredprelozitZPameti(); });
    RetranslateChecks();
    RefreshChecks(1, INT_MAX);
}

void TMainForm::RetranslateChecks()
{
    auto caption = [this](const char *name, const std::string &text) {
        for (QAction *action : ui_->menuUpravy->actions()) {
            if (action->data().toString() == QLatin1String(name))
                action->setText(UiText(text));
        }
    };
    caption("menuDalsiProblem", texts_.TranslateText("Další &problém"));
    caption("menuPotvrditVarovani", texts_.TranslateText("Př&ijmout varování řádku"));
    const std::string take = texts_.TranslateText("Převzít návrh %1 z paměti");
    for (int i = 0; i < SuggestionKeys; ++i)
        caption(QByteArray("menuPrevzitNavrh" + QByteArray::number(i + 1)).constData(),
                QString::fromStdString(take).arg(i + 1).toStdString());
    caption("menuPredprelozit", texts_.TranslateText("Př&edpřeložit z paměti"));
    suggestionsRow_ = -1;
    if (ui_->gridJazyk)
        ShowRowNotes(ui_->gridJazyk->CurrentRow());
}

void TMainForm::ReportSkippedMemoryFiles()
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
    statusBar()->showMessage(
        UiText(texts_.TranslateText("Překladová paměť vynechala soubory, které nelze přečíst: %1"))
            .arg(files.join(QStringLiteral(", "))));
}

void TMainForm::RefreshChecks(int first, int last)
{
    if (!rowChecks_)
        return;
    const auto [changedFirst, changedLast] = rowChecks_->Refresh(*document_, first, last);
    if (changedFirst <= changedLast)
        ui_->gridJazyk->GridModel()->MarkersChanged(changedFirst, changedLast);
}

void TMainForm::StartMemory()
{
    // The files of the document's folder and of every registered program's folder, in the
    // document's language: built again when either changes.
    DocumentMemory::Request request;
    request.Language = document_->Header().editJazyk;
    request.Excluded = document_->souborJazyka();
    std::set<std::string> folders;
    auto folderOf = [](const std::string &file) {
        return QFileInfo(QString::fromLocal8Bit(file)).absolutePath().toLocal8Bit().toStdString();
    };
    if (!document_->souborJazyka().empty())
        folders.insert(folderOf(document_->souborJazyka()));
    if (!document_->aktualniSablona().empty())
        folders.insert(folderOf(document_->aktualniSablona()));
    const std::string key = request.Language + '\n' + request.Excluded + '\n' + document_->aktualniSablona();
    if (key == memoryKey_)
        return;
    memoryKey_ = key;
    if (hooks_.CatalogueTemplates) {
        for (const std::string &file : hooks_.CatalogueTemplates())
            folders.insert(folderOf(file));
    }
    request.Folders.assign(folders.begin(), folders.end());
    memory_->Build(std::move(request));
    statusBar()->showMessage(UiText(texts_.TranslateText("Načítá se překladová paměť…")));
}

QString TMainForm::FormTextOf(int row) const
{
    const std::optional<std::string_view> text = rowChecks_ ? rowChecks_->FormText(row) : std::nullopt;
    if (!text || text->empty())
        return {};
    return CodePage::Named(QString::fromStdString(document_->TemplateCodePage()))
        .value_or(CodePage())
        .Decode(std::string(*text));
}

QString TMainForm::MessageFacts(int row) const
{
    if (row < 1)
        return {};
    // A component's original is the text its form holds; the row itself names its path.
    if (const QString shown = FormTextOf(row); !shown.isEmpty())
        return QStringLiteral("<b>%1</b> %2")
            .arg(Escaped(UiText(texts_.TranslateText("Text ve formuláři:"))), Escaped(shown));
    const MessageInfo *message = document_->MessageOf(static_cast<std::size_t>(row - 1));
    if (!message)
        return {};
    // The template's own bytes, in its code page, as the left column shows them.
    const CodePage codePage =
        CodePage::Named(QString::fromStdString(document_->TemplateCodePage())).value_or(CodePage());
    QStringList lines;
    auto fact = [&](const std::string &label, const std::string &value) {
        if (!value.empty())
            lines << QStringLiteral("<b>%1</b> %2")
                         .arg(Escaped(UiText(label)), Escaped(codePage.Decode(value)));
    };
    fact(texts_.TranslateText("Kontext:"), message->Context);
    fact(texts_.TranslateText("Rozlišení:"), message->Disambiguation);
    fact(texts_.TranslateText("Poznámka programátora:"), message->Comment);
    fact(texts_.TranslateText("Místo ve zdrojovém kódu:"), message->Location);
    if (message->Plural)
        lines << Escaped(UiText(texts_.TranslateText("Text s množnými tvary (%n je počet)")));
    return lines.join(QStringLiteral("<br>"));
}

void TMainForm::ShowRowNotes(int row)
{
    if (!rowChecks_ || !textPane_)
        return;
    if (row >= 1 && document_->Grid().RowCount() > 1)
        StartMemory();
    QString html = MessageFacts(row);
    const QString findings = Escaped(rowChecks_->Messages(row, texts_));
    if (!findings.isEmpty())
        html += (html.isEmpty() ? QString() : QStringLiteral("<br>")) + findings;
    shownSuggestions_.clear();
    suggestionsRow_ = row;
    const checks::TranslationMemory *memory = memory_->Memory();
    const std::optional<std::string> original = rowChecks_->Original(row);
    if (memory && original && !original->empty()) {
        std::vector<checks::Suggestion> suggestions = memory->Exact(*original);
        for (checks::Suggestion &similar : memory->Similar(*original, 75, SuggestionKeys))
            suggestions.push_back(std::move(similar));
        QStringList lines;
        const QString entry = UiText(texts_.TranslateText("Ctrl+%1: %2 % „%3“ (z „%4“)"));
        for (const checks::Suggestion &suggestion : suggestions) {
            if (shownSuggestions_.size() >= SuggestionKeys)
                break;
            // An exact match is the text itself; anything less is for a person to read.
            shownSuggestions_.emplace_back(suggestion.Translation, suggestion.Score < 100);
            lines << Escaped(entry.arg(shownSuggestions_.size())
                                 .arg(suggestion.Score)
                                 .arg(QString::fromStdString(suggestion.Translation),
                                      QString::fromStdString(suggestion.Original)));
        }
        if (!lines.isEmpty()) {
            if (!html.isEmpty())
                html += QStringLiteral("<br>");
            html += QStringLiteral("<b>") + Escaped(UiText(texts_.TranslateText("Překladová paměť:"))) +
                    QStringLiteral("</b><br>") + lines.join(QStringLiteral("<br>"));
        }
    }
    textPane_->SetNotes(html);
}

void TMainForm::DalsiProblem()
{
    EndEdits();
    const int entries =
        std::min(static_cast<int>(document_->polozky().size()), document_->Grid().RowCount() - 1);
    const int current = ui_->gridJazyk->CurrentRow();
    int row = current >= 1 && current <= entries ? current : 0;
    for (int step = 0; step < entries; ++step) {
        row = row >= entries ? 1 : row + 1;
        if (rowChecks_->HasProblem(row)) {
            GoTo(LanguageDocument::ColumnTranslation, row);
            return;
        }
    }
    statusBar()->showMessage(UiText(texts_.TranslateText("Kontroly nenašly žádný problém.")), 3000);
}

void TMainForm::PotvrditVarovani()
{
    EndEdits();
    const int row = ui_->gridJazyk->CurrentRow();
    if (!rowChecks_->Acknowledge(row))
        return;
    // The note is saved with the file: it is a change of the document.
    document_->SetZmeneno(true);
    ui_->gridJazyk->GridModel()->MarkersChanged(row, row);
    // A filtered view looks at the row again once the user leaves it.
    filterBar_->RowsChanged(row, row);
    UpdateStatus();
    ShowRowNotes(row);
}

void TMainForm::PrevzitNavrh(int index)
{
    EndEdits();
    const int row = ui_->gridJazyk->CurrentRow();
    GridCells &cells = document_->Grid();
    if (row != suggestionsRow_ || index < 0 || index >= static_cast<int>(shownSuggestions_.size()) ||
        row < 1 || row >= cells.RowCount() ||
        !cells.Style(LanguageDocument::ColumnTranslation, row).IsEditable())
        return;
    const auto &[translation, forReview] = shownSuggestions_[static_cast<std::size_t>(index)];
    const QString text = QString::fromStdString(translation);
    std::optional<std::string> bytes = LanguageCodePage().Encode(text);
    if (!bytes) {
        ReportUnrepresentable(
            ui_->gridJazyk->GridModel()->Unrepresentable(LanguageDocument::ColumnTranslation, text));
        return;
    }
    if (forReview)
        rowChecks_->MarkForReview(row);
    cells.SetText(LanguageDocument::ColumnTranslation, row, std::move(*bytes));
    document_->PolozkaZmenena(LanguageDocument::ColumnTranslation, row);
    ui_->gridJazyk->GridModel()->MarkersChanged(row, row);
    AfterCommand(true);
}

void TMainForm::PredprelozitZPameti()
{
    EndEdits();
    StartMemory();
    memory_->Wait();
    const checks::TranslationMemory *memory = memory_->Memory();
    if (!memory)
        return;
    GridCells &cells = document_->Grid();
    const int entries = std::min(static_cast<int>(document_->polozky().size()), cells.RowCount() - 1);
    std::vector<std::optional<std::string>> toFill(static_cast<std::size_t>(std::max(entries, 0)));
    for (int row = 1; row <= entries; ++row) {
        if (rowChecks_->IsEmpty(row) && cells.Style(LanguageDocument::ColumnTranslation, row).IsEditable())
            toFill[static_cast<std::size_t>(row - 1)] = rowChecks_->Original(row);
    }
    const CodePage codePage = LanguageCodePage();
    int filled = 0;
    {
        GridBatch batch(cells);
        for (const checks::PreTranslation &found : memory->PreTranslate(toFill)) {
            const int row = static_cast<int>(found.Row) + 1;
            std::optional<std::string> bytes = codePage.Encode(QString::fromStdString(found.Translation));
            if (!bytes)
                continue;
            cells.SetText(LanguageDocument::ColumnTranslation, row, std::move(*bytes));
            document_->PolozkaZmenena(LanguageDocument::ColumnTranslation, row);
            rowChecks_->MarkForReview(row);
            ++filled;
        }
    }
    AfterCommand(true);
    RefreshChecks(1, INT_MAX);
    ui_->gridJazyk->GridModel()->MarkersChanged(1, entries);
    statusBar()->showMessage(UiText(texts_.TranslateText("Z paměti předpřeloženo řádků: %1")).arg(filled),
                             5000);
}

} // namespace verbaria
