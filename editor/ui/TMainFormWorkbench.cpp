// The main window's workbench beside the classic commands: undo and redo, the status bar and the
// title, the row filter, the text pane, going to untranslated texts, replace, the saving without
// a dialog, the shortcuts and the window's remembered place.
#include "editor/core/TranslationCounts.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/FindDialog.h"
#include "editor/ui/PluralForms.h"
#include "editor/ui/ReplaceDialog.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TextPane.h"
#include "editor/ui/UiText.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "platform/CodePage.h"
#include "ui_TMainForm.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

namespace verbaria {

namespace {

struct Shortcut
{
    const char *action;
    const char *keys;
};

// Kept in one table so that no two commands share a key.
const Shortcut Shortcuts[] = {
    {"menuNovy", "Ctrl+N"},
    {"menuNovyPro", "Ctrl+Shift+N"},
    {"menuOtevrit", "Ctrl+O"},
    {"menuUlozitHned", "Ctrl+S"},
    {"menuUlozit", "Ctrl+Shift+S"},
    {"menuOtevritZdrojovy", "Ctrl+Shift+O"},
    {"menuVlastnosti", "Alt+Return"},
    {"menuInfo", "F1"},
    {"menuKonec", "Ctrl+Q"},
    {"menuZpet", "Ctrl+Z"},
    {"menuZnovu", "Ctrl+Shift+Z"},
    {"menuDalsiNeprelozeny", "Ctrl+J"},
    {"menuPredchoziNeprelozeny", "Ctrl+Shift+J"},
    {"menuFiltr", "Ctrl+L"},
    {"menuTextovePole", "Ctrl+E"},
    {"menuNajit", "Ctrl+F"},
    {"menuNajitDalsi", "F3"},
    {"menuNahradit", "Ctrl+H"},
    {"menuAutoDoplneni", "Ctrl+D"},
    {"menuNastaveni", "Ctrl+,"},
};

std::optional<std::vector<int>> Numbers(const QString &text, int count)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> numbers;
    for (const QString &part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        numbers.push_back(value);
    }
    return numbers;
}

} // namespace

void TMainForm::SetUpWorkbench()
{
    history_ = std::make_unique<DocumentHistory>(*document_, this);
    connect(history_.get(), &DocumentHistory::Changed, this, [this] {
        // An undone change of the language's code page takes the grid's decoding back with it.
        if (const StringGridModel *model = ui_->gridJazyk->GridModel();
            model &&
            model->CodePageOf(LanguageDocument::ColumnTranslation).Name() != LanguageCodePage().Name())
            ApplyCodePages();
        UpdateStatus();
        ShowTextPane();
    });

    auto *layout = static_cast<QVBoxLayout *>(ui_->centralWidget->layout());
    filterBar_ = new FilterBar(texts_, ui_->centralWidget);
    layout->insertWidget(0, filterBar_);
    textPane_ = new TextPane(texts_, ui_->centralWidget);
    layout->insertWidget(layout->indexOf(ui_->gridJazyk) + 1, textPane_);
    layout->setStretchFactor(ui_->gridJazyk, 1);
    textPane_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    statusPanel_ = new StatusPanel(*statusBar(), texts_);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    replaceDialog_ = new ReplaceDialog(texts_, this);
    replaceDialog_->setObjectName(QStringLiteral("ReplaceDialog"));

    connect(filterBar_, &FilterBar::FilterChanged, this, &TMainForm::ApplyFilter);
    StringGrid *grid = ui_->gridJazyk;
    auto filterChangedRows = [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                filterBar_->ApplyToChangedRows(*ui_->gridJazyk, *document_, ui_->gridJazyk->CurrentRow());
            },
            Qt::QueuedConnection);
    };
    connect(grid, &StringGrid::CellAboutToBeSelected, this, [this, filterChangedRows](int, int) {
        // The pane follows the cell the grid is about to select: the grid tells first.
        QMetaObject::invokeMethod(this, &TMainForm::ShowTextPane, Qt::QueuedConnection);
        filterChangedRows();
    });
    connect(grid->GridModel(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                // The marks of the checks change no text.
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole))
                    filterBar_->RowsChanged(StringGridModel::GridRowOf(topLeft),
                                            StringGridModel::GridRowOf(bottomRight));
                if (!textPane_->IsEditing())
                    ShowTextPane();
            });
    connect(grid->GridModel(), &QAbstractItemModel::modelReset, this, [this, filterChangedRows] {
        // Many rows changed at once (undo, replace): the filter looks at them all again, but for
        // the row the user is on.
        filterBar_->RowsChanged(1, document_->Grid().RowCount() - 1);
        filterChangedRows();
    });
    connect(textPane_, &TextPane::TranslationEdited, this, [this](int row, const QString &text) {
        GridCells &cells = document_->Grid();
        if (row < 1 || row >= cells.RowCount())
            return;
        if (std::optional<std::string> bytes = LanguageCodePage().Encode(text))
            cells.SetText(LanguageDocument::ColumnTranslation, row, std::move(*bytes));
    });
    connect(textPane_, &TextPane::FormEdited, this, [this](int row, int form, const QString &text) {
        if (row < 1 || row >= document_->Grid().RowCount())
            return;
        if (std::optional<std::string> bytes = LanguageCodePage().Encode(text))
            document_->SetForm(static_cast<std::size_t>(row - 1), static_cast<std::size_t>(form),
                               std::move(*bytes));
    });
    connect(textPane_, &TextPane::EditEnded, this, [this](int row) {
        // A further plural form is the entry's own: nothing to complete in other rows.
        if (textPane_->Form() == 0)
            document_->PolozkaZmenena(LanguageDocument::ColumnTranslation, row);
        AfterCommand(true);
    });
    connect(textPane_, &TextPane::UnrepresentableCharacter, this, &TMainForm::ReportUnrepresentable);

    replaceDialog_->SetPlanner([this](const ReplaceOptions &options, bool onlyShown) {
        StringGrid *view = ui_->gridJazyk;
        return PlanReplace(*document_, LanguageCodePage(), options,
                           [view, onlyShown](int row) { return !onlyShown || !view->isRowHidden(row - 1); });
    });
    connect(replaceDialog_, &ReplaceDialog::ApplyRequested, this, &TMainForm::ApplyReplace);

    auto bind = [this](QAction *action, void (TMainForm::*command)()) {
        connect(action, &QAction::triggered, this, command);
    };
    bind(ui_->menuUlozitHned, &TMainForm::UlozitHned);
    bind(ui_->menuZpet, &TMainForm::Zpet);
    bind(ui_->menuZnovu, &TMainForm::Znovu);
    bind(ui_->menuNajitDalsi, &TMainForm::NajitDalsiPrikaz);
    bind(ui_->menuNahradit, &TMainForm::Nahradit);
    bind(ui_->menuDalsiNeprelozeny, &TMainForm::DalsiNeprelozeny);
    bind(ui_->menuPredchoziNeprelozeny, &TMainForm::PredchoziNeprelozeny);
    connect(ui_->menuFiltr, &QAction::triggered, this, [this] { filterBar_->comboFiltr()->setFocus(); });
    connect(ui_->menuTextovePole, &QAction::triggered, this, [this] {
        EndEdits();
        textPane_->memoNovyText()->setFocus(Qt::ShortcutFocusReason);
    });
    for (const Shortcut &shortcut : Shortcuts) {
        if (auto *action = findChild<QAction *>(QString::fromLatin1(shortcut.action))) {
            action->setShortcut(QKeySequence(QString::fromLatin1(shortcut.keys)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
    }
    // Redo answers the other common key too.
    ui_->menuZnovu->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    UpdateStatus();
    SetDefaultSize();
}

void TMainForm::RetranslateWorkbench()
{
    statusPanel_->Retranslate();
    filterBar_->Retranslate();
    textPane_->Retranslate();
    replaceDialog_->Retranslate();
    RetranslateChecks();
    // The heading row just written is no step of the document.
    history_->Forget();
    UpdateTitle();
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The desktop may still place the window after it is shown; what counts as the user's change
    // starts when it is first active.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activatedOnce_ && shown_) {
        activatedOnce_ = true;
        geometryAtStart_ = WindowGeometryText();
        columnsAtStart_ = ColumnWidthsText();
    }
    if (event->type() == QEvent::WindowTitleChange && !composingTitle_) {
        caption_ = QMainWindow::windowTitle();
        if (history_)
            UpdateTitle();
    }
}

void TMainForm::UpdateTitle()
{
    if (caption_.isEmpty())
        caption_ = QMainWindow::windowTitle();
    // The file a save writes to, named as the desktop names files ("czech.lng", not the
    // settings' "jazyky\czech.lng").
    const std::string &file = document_->SaveTarget();
    QString name = file.empty() ? UiText(texts_.TranslateText("Neuložený jazyk"))
                                : QFileInfo(QString::fromLocal8Bit(NativePath(file))).fileName();
    // "name* — Verbaria": the desktop adds the program's title after a window's own, so it is
    // given once, in the form every Qt program shows.
    composingTitle_ = true;
    QMainWindow::setWindowTitle(name + QStringLiteral("[*]"));
    setWindowModified(document_->zmeneno());
    composingTitle_ = false;
}

void TMainForm::EndEdits()
{
    ui_->gridJazyk->EndEdit();
    textPane_->EndEdit();
}

void TMainForm::AfterCommand(bool marksTranslations)
{
    history_->Commit({}, marksTranslations ? DocumentHistory::Mark::WhenTranslationsChange
                                           : DocumentHistory::Mark::AsTheCommandLeftIt);
}

void TMainForm::UpdateStatus()
{
    const std::string &file = document_->SaveTarget();
    statusPanel_->Show(file.empty()
                           ? QString()
                           : QDir::toNativeSeparators(
                                 QFileInfo(QString::fromLocal8Bit(NativePath(file))).absoluteFilePath()),
                       history_->Counts());
    ui_->menuZpet->setEnabled(history_->CanUndo());
    ui_->menuZnovu->setEnabled(history_->CanRedo());
    UpdateTitle();
}

void TMainForm::ApplyFilter()
{
    StringGrid *grid = ui_->gridJazyk;
    filterBar_->Apply(*grid, *document_);
    // The row the user was on may be hidden now; what they type next must not go there.
    const int before = grid->CurrentRow();
    grid->LeaveHiddenRow();
    if (grid->CurrentRow() != before)
        ShowTextPane();
}

void TMainForm::ShowTextPane()
{
    StringGrid *grid = ui_->gridJazyk;
    const int row = grid->CurrentRow();
    const GridCells &cells = document_->Grid();
    if (row < 1 || row >= cells.RowCount()) {
        textPane_->ShowRow(-1, {}, {}, false);
        ShowRowNotes(-1);
        return;
    }
    const StringGridModel *model = grid->GridModel();
    const CodePage codePage = LanguageCodePage();
    textPane_->SetCodePage(codePage.Name());
    const QString original = model ? model->CellText(0, row) : QString();
    QStringList forms{model ? model->CellText(1, row) : QString()};
    QStringList labels;
    const auto entry = static_cast<std::size_t>(row - 1);
    const MessageInfo *message = document_->MessageOf(entry);
    const std::vector<std::string> *further = document_->FormsOf(entry);
    if ((message && message->Plural) || further) {
        // A text with plural forms: one tab a form of the language, and any further form the file
        // holds beyond them.
        const PluralRule rule = DocumentPluralRule(*document_);
        const int count = std::max(rule.Count(), further ? static_cast<int>(further->size()) + 1 : 1);
        for (int form = 1; form < count; ++form)
            forms << (further && static_cast<std::size_t>(form) <= further->size()
                          ? codePage.Decode((*further)[static_cast<std::size_t>(form - 1)])
                          : QString());
        labels = PluralFormLabels(rule, count, texts_);
    }
    textPane_->ShowRow(row, original, forms, labels, cells.Style(1, row).IsEditable());
    ShowRowNotes(row);
}

void TMainForm::GoTo(int column, int row)
{
    StringGrid *grid = ui_->gridJazyk;
    // A filtered view hides rows, never the place a command goes to.
    if (row >= 1 && grid->isRowHidden(row - 1))
        grid->setRowHidden(row - 1, false);
    grid->SetCurrentRow(row);
    grid->SetCurrentColumn(column);
}

void TMainForm::UlozitHned()
{
    EndEdits();
    // Only the file the document was read from or saved to; a new language, or one whose read
    // stopped, is saved as the save command saves it.
    const std::string file = document_->SaveTarget();
    if (file.empty()) {
        UlozitJazyk();
        return;
    }
    try {
        WriteFileAtomically(NativePath(file), document_->SavedBytes());
    } catch (const FormatError &error) {
        Dialogs().ReportError(error.what());
        return;
    }
    document_->SetZmeneno(false);
    AfterCommand(false);
    statusBar()->showMessage(UiText(texts_.TranslateText("Uloženo.")), 3000);
}

void TMainForm::Zpet()
{
    EndEdits();
    history_->Undo();
    // The rows put back are filtered at once, but for the one the user is on.
    filterBar_->ApplyToChangedRows(*ui_->gridJazyk, *document_, ui_->gridJazyk->CurrentRow());
}

void TMainForm::Znovu()
{
    EndEdits();
    history_->Redo();
    // The rows put back are filtered at once, but for the one the user is on.
    filterBar_->ApplyToChangedRows(*ui_->gridJazyk, *document_, ui_->gridJazyk->CurrentRow());
}

void TMainForm::NajitDalsiPrikaz()
{
    if (findDialog_->SearchText().isEmpty())
        NajitText();
    else
        NajitDalsi();
}

void TMainForm::Nahradit()
{
    EndEdits();
    replaceDialog_->show();
    replaceDialog_->raise();
    replaceDialog_->activateWindow();
}

void TMainForm::ApplyReplace(const ReplacePlan &plan)
{
    EndEdits();
    GridCells &cells = document_->Grid();
    {
        GridBatch batch(cells);
        for (const RowReplacement &row : plan.Rows) {
            // A text changed since the preview keeps the user's latest word.
            if (row.Row < cells.RowCount() && cells.Text(1, row.Row) == row.OldText)
                cells.SetText(1, row.Row, row.NewText);
        }
    }
    AfterCommand(true);
}

void TMainForm::DalsiNeprelozeny()
{
    MoveToUntranslated(1);
}

void TMainForm::PredchoziNeprelozeny()
{
    MoveToUntranslated(-1);
}

void TMainForm::MoveToUntranslated(int direction)
{
    EndEdits();
    const int entries =
        std::min(static_cast<int>(document_->polozky().size()), document_->Grid().RowCount() - 1);
    if (entries < 1)
        return;
    const int current = ui_->gridJazyk->CurrentRow();
    int row = current >= 1 && current <= entries ? current : (direction > 0 ? 0 : entries + 1);
    for (int step = 0; step < entries; ++step) {
        row += direction;
        if (row > entries)
            row = 1;
        else if (row < 1)
            row = entries;
        if (IsUntranslatedRow(*document_, row)) {
            GoTo(LanguageDocument::ColumnTranslation, row);
            return;
        }
    }
    statusBar()->showMessage(UiText(texts_.TranslateText("Všechny texty jsou přeložené.")), 3000);
}

QString TMainForm::WindowGeometryText() const
{
    const QRect place = isMaximized() ? normalGeometry() : geometry();
    return QStringLiteral("%1,%2,%3,%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height());
}

QString TMainForm::ColumnWidthsText() const
{
    return QStringLiteral("%1,%2").arg(ui_->gridJazyk->columnWidth(0)).arg(ui_->gridJazyk->columnWidth(1));
}

void TMainForm::RestoreWindow()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    if (auto place = Numbers(QString::fromStdString(settings_.OknoPoloha), 4);
        place && (*place)[2] > 100 && (*place)[3] > 100) {
        const QRect wanted((*place)[0], (*place)[1], (*place)[2], (*place)[3]);
        setGeometry(available.intersects(wanted) ? wanted : QRect(available.topLeft(), wanted.size()));
        FormResize();
    }
    if (auto widths = Numbers(QString::fromStdString(settings_.OknoSloupce), 2);
        widths && (*widths)[0] > 10 && (*widths)[1] > 10) {
        rememberedColumns_ = std::make_pair((*widths)[0], (*widths)[1]);
        rememberedFor_ = size();
        KeepRememberedColumns();
    }
    geometryAtStart_ = WindowGeometryText();
    columnsAtStart_ = ColumnWidthsText();
}

void TMainForm::KeepRememberedColumns()
{
    // The last run's widths stand while the window has the size they were made for; a change of
    // size gives both columns the same width again.
    if (!rememberedColumns_)
        return;
    if (size() != rememberedFor_) {
        rememberedColumns_.reset();
        return;
    }
    ui_->gridJazyk->setColumnWidth(0, rememberedColumns_->first);
    ui_->gridJazyk->setColumnWidth(1, rememberedColumns_->second);
}

void TMainForm::SetDefaultSize()
{
    // Room for long texts on a 1280x800 screen, with the task bar and the window frame.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const QSize size(std::min(1040, available.width() - 40), std::min(680, available.height() - 60));
    setGeometry(QRect(available.center() - QPoint(size.width() / 2, size.height() / 2), size));
}

void TMainForm::RememberWindow()
{
    // Stored once the user changed them, so that a run that changed nothing writes what it read.
    const QString place = WindowGeometryText();
    if (!settings_.OknoPoloha.empty() || place != geometryAtStart_)
        settings_.OknoPoloha = place.toStdString();
    const QString columns = ColumnWidthsText();
    if (!settings_.OknoSloupce.empty() || columns != columnsAtStart_)
        settings_.OknoSloupce = columns.toStdString();
}

} // namespace verbaria
