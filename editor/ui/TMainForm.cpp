#include "editor/ui/TMainForm.h"

#include "dialogs/FileDialogComponent.h"
#include "editor/ui/ChecksController.h"
#include "editor/ui/CommandTable.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/EditingCommands.h"
#include "editor/ui/EditorLanguage.h"
#include "editor/ui/ExchangeController.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/InfoPanel.h"
#include "editor/ui/LiveController.h"
#include "editor/ui/MainFormCommands.h"
#include "editor/ui/MemoryController.h"
#include "editor/ui/PropertiesController.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/RowCommands.h"
#include "editor/ui/SearchCommands.h"
#include "editor/ui/SpellingController.h"
#include "editor/ui/StartCommands.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TVlastnostiForm.h"
#include "editor/ui/TextPane.h"
#include "editor/ui/TextPaneController.h"
#include "editor/ui/TrackingController.h"
#include "editor/ui/UnsavedWorkKeeper.h"
#include "editor/ui/WindowPlacement.h"
#include "formats/Errors.h"
#include "formats/Paths.h"
#include "platform/CodePage.h"
#include "platform/ProgramFolders.h"
#include "spelling/LanguageNames.h"
#include "translator/qt/TKVTranslator.h"
#include "ui_TMainForm.h"
#include "widgets/OwnChildren.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QStatusBar>
#include <QVBoxLayout>

#include <climits>

// The window's end, step by step: QT_LOGGING_RULES="verbaria.window=true" tells where a close went.
Q_LOGGING_CATEGORY(lcWindow, "verbaria.window", QtWarningMsg)

namespace verbaria {

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
    , ui_(std::make_unique<Ui::TMainForm>())
    , realDialogs_(this)
{
    ui_->setupUi(this);
    dialogs_ = &realDialogs_;
    document_ = std::make_unique<LanguageDocument>(settings_, realDialogs_, texts_);
    new FileDialogComponent(QStringLiteral("OpenDialog"), document_->OpenDialog(), this);
    new FileDialogComponent(QStringLiteral("SaveDialog"), document_->SaveDialog(), this);

    PrepareMenus(*this);

    StringGrid *grid = ui_->gridJazyk;
    grid->SetCells(document_->Grid());
    document_->SetCodePagesChanged([this] { ApplyCodePages(); });
    document_->SetFileNameTexts(FileNameTextsInCodePages());
    infoPanel_ = std::make_unique<InfoPanel>(
        InfoPanel::Widgets{ui_->panelInfo,
                           {ui_->labelPuvodniText, ui_->labelVNovemJazyce, ui_->labelNazevKomponenty},
                           {ui_->editPuvodniText, ui_->editVNovemJazyce, ui_->editNazevKomponenty}});
    connect(grid, &StringGrid::AfterEdit, this, [this](int column, int row) {
        document_->PolozkaZmenena(column, row);
        AfterCommand(true);
    });
    connect(grid, &StringGrid::UnrepresentableCharacter, this,
            [this](const QString &text) { ReportUnrepresentable(text); });
    connect(grid, &StringGrid::LineBreaksReplaced, this, [this] { ReportLineBreaks(); });
    SetUpWorkbench();
    SetUpControllers();
    SetUpCommands();
    UpdateStatus();
}

TMainForm::~TMainForm()
{
    // Qt cuts the connections into this window only after its members and children are gone, so
    // the window ends in its own order: nothing it owns may call back into it meanwhile.
    // The memory's thread first: it is stopped and waited for.
    if (memory_)
        memory_->Stop();
    // No signal of an object the window owns reaches it any more...
    DisconnectOwnChildren(*this);
    if (history_)
        disconnect(history_.get(), nullptr, this, nullptr);
    // ... and the controllers end while the widgets they serve are there: each takes its
    // callbacks back from the grid, the filter and the status bar.
    live_.reset();
    rows_.reset();
    unsaved_.reset();
    start_.reset();
    exchange_.reset();
    memory_.reset();
    spelling_.reset();
    tracking_.reset();
    checks_.reset();
    textPaneController_.reset();
    document_->SetLanguageRead({});
    document_->SetTextDecoder({});
    document_->SetCodePagesChanged({});
    // Then the widgets that show the document, while the document and the members they use are
    // still there; the document, its history and the checks go last.
    language_.End();
    delete takeCentralWidget();
    search_.reset();
    history_.reset();
    document_.reset();
}

StringGrid *TMainForm::gridJazyk() const
{
    return ui_->gridJazyk;
}

StringGrid &TMainForm::Grid()
{
    return *ui_->gridJazyk;
}

QStatusBar &TMainForm::StatusLine()
{
    return *statusBar();
}

void TMainForm::SetDialogs(UserDialogs *dialogs)
{
    dialogs_ = dialogs ? dialogs : &realDialogs_;
    document_->SetDialogs(*dialogs_);
}

void TMainForm::SetPropertiesDialog(TVlastnostiForm *dialog)
{
    properties_->SetDialog(dialog);
}

void TMainForm::SetUpCommands()
{
    commands_ = std::make_unique<CommandTable>(*this, MainFormCommands(*this));
}

// ---------------------------------------------------------------------------------------------
// Start-up and the end of the run

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    FormResize();
}

void TMainForm::FormShow()
{
    folders_.Locate();
    if (hooks_.ReadSettings) {
        try {
            hooks_.ReadSettings(folders_.Program(), settings_);
        } catch (const FormatError &) {
            // An unreadable settings file gives the defaults, without a message.
        }
    }
    folders_.FindInstalledDefaults(settings_);
    // Files that declare no code page are in the user's choice; an unknown name leaves the
    // program's own.
    if (!settings_.KodovaStranka.empty())
        CodePage::SetDefault(QString::fromStdString(settings_.KodovaStranka));
    ApplyCodePages();
    document_->SetStartovani(true);

    language_.Start(*this, LanguagesFolder(), settings_.JazykRozhrani,
                    [this](const QString &message) { Dialogs().ReportError(message.toStdString()); });
    infoPanel_->LayOut();

    installation_.Record(folders_);

    document_->RefreshTranslatedTexts();
    QGuiApplication::setApplicationDisplayName(windowTitle());
    RetranslateWorkbench();

    document_->SetProgramFolder(folders_.Program());
    if (hooks_.CatalogueTemplates)
        document_->SetCatalogue(hooks_.CatalogueTemplates);
    // The user's own words are kept with his settings.
    spelling_->SetUserWordsFolder(QString::fromStdString(folders_.Program()) + QStringLiteral("slovniky/"));
    document_->OpenAtStartup();
    FollowSpelling();
    history_->Reset();
    ApplyFilter();
    placement_->Restore(settings_.OknoPoloha, settings_.OknoSloupce, [this] { FormResize(); });
    unsaved_->OfferBack();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    ui_->gridJazyk->SetDefaultColumnWidth(ui_->gridJazyk->width() / 2 - 20);
    if (placement_)
        placement_->KeepRememberedColumns();
    infoPanel_->LayOut();
}

bool TMainForm::OpravduSkoncit()
{
    return document_->OpravduSkoncit();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // A text typed into a cell or the pane and not yet confirmed is an edit like any other: the
    // question must know of it.
    qCDebug(lcWindow) << "close requested; spontaneous" << event->spontaneous() << "ended" << ended_;
    if (!ended_)
        EndEdits();
    qCDebug(lcWindow) << "edits ended; changed" << document_->zmeneno();
    if (!ended_ && !OpravduSkoncit()) {
        qCDebug(lcWindow) << "close cancelled";
        event->ignore();
        return;
    }
    qCDebug(lcWindow) << "close accepted";
    event->accept();
    QMainWindow::closeEvent(event);
    FormHide();
}

void TMainForm::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
}

void TMainForm::FormHide()
{
    if (ended_)
        return;
    ended_ = true;
    // The end of the run: no build of the memory goes on behind the closing windows.
    memory_->Stop();
    unsaved_->End();
    placement_->Remember(settings_.OknoPoloha, settings_.OknoSloupce);
    language_.End();
    if (hooks_.WriteSettings) {
        try {
            hooks_.WriteSettings(folders_.Program(), settings_);
        } catch (const FormatError &error) {
            Dialogs().ReportError(error.what());
        }
    }
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The desktop may still place the window after it is shown; what counts as the user's change
    // starts when it is first active.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && shown_ && placement_)
        placement_->FirstActivated();
    if (event->type() == QEvent::WindowTitleChange && title_.TitleChanged() && history_)
        UpdateTitle();
}

// ---------------------------------------------------------------------------------------------
// The workbench around the grid: undo and redo, the status bar and the title, the row filter,
// the text pane, find and replace.

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
        // Undo and redo may take the language's name or the spelling choice back.
        FollowSpelling();
    });

    auto *layout = static_cast<QVBoxLayout *>(ui_->centralWidget->layout());
    filterBar_ = new FilterBar(texts_, ui_->centralWidget);
    layout->insertWidget(0, filterBar_);
    textPane_ = new TextPane(texts_, ui_->centralWidget);
    layout->insertWidget(layout->indexOf(ui_->gridJazyk) + 1, textPane_);
    layout->setStretchFactor(ui_->gridJazyk, 1);
    textPane_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    textPaneController_ = std::make_unique<TextPaneController>(*this, *textPane_);
    textPaneController_->SetNotesShower([this](int row) { ShowRowNotes(row); });
    statusPanel_ = new StatusPanel(*statusBar(), texts_);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    search_ = std::make_unique<SearchCommands>(*this, *this);
    placement_ = std::make_unique<WindowPlacement>(*this, *ui_->gridJazyk);
    placement_->SetDefaultSize();

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
    connect(grid, &StringGrid::CellAboutToBeSelected, this, [this, filterChangedRows](int column, int row) {
        infoPanel_->Show(*document_, *ui_->gridJazyk, column, row);
        // The pane follows the cell the grid is about to select: the grid tells first.
        textPaneController_->ShowLater();
        filterChangedRows();
    });
    connect(grid->GridModel(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                // The marks of the checks change no text.
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole)) {
                    const int first = StringGridModel::GridRowOf(topLeft);
                    const int last = StringGridModel::GridRowOf(bottomRight);
                    filterBar_->RowsChanged(first, last);
                    if (checks_)
                        checks_->Refresh(first, last);
                }
                if (!textPane_->IsEditing())
                    ShowTextPane();
            });
    connect(grid->GridModel(), &QAbstractItemModel::modelReset, this, [this, filterChangedRows] {
        // Many rows changed at once (undo, replace): the checks and the filter look at them all
        // again, the filter but for the row the user is on.
        if (checks_)
            checks_->Refresh(1, INT_MAX);
        filterBar_->RowsChanged(1, document_->Grid().RowCount() - 1);
        filterChangedRows();
    });
}

void TMainForm::SetUpControllers()
{
    checks_ = std::make_unique<ChecksController>(*this, *filterBar_, *statusPanel_, *this);
    connect(checks_.get(), &ChecksController::PassEnded, this, [this] { RetranslateChecks(); });
    tracking_ = std::make_unique<TrackingController>(*this, *checks_, *filterBar_, *statusPanel_, *this);
    memory_ = std::make_unique<MemoryController>(*this, checks_->Checks(), [this] {
        return hooks_.CatalogueTemplates ? hooks_.CatalogueTemplates() : std::vector<std::string>();
    });
    connect(memory_.get(), &MemoryController::Built, this,
            [this] { ShowRowNotes(ui_->gridJazyk->CurrentRow()); });
    spelling_ = std::make_unique<SpellingController>(*this, *textPane_);
    exchange_ = std::make_unique<ExchangeController>(*this);
    editing_ = std::make_unique<EditingCommands>(*this, *filterBar_, *textPane_);
    properties_ = std::make_unique<PropertiesController>(*this, [this] { return spelling_->Choices(); });
    connect(exchange_.get(), &ExchangeController::Imported, this, &TMainForm::ApplyFilter);
    live_ = std::make_unique<LiveController>(*this, *checks_, *filterBar_);
    connect(live_.get(), &LiveController::FitChanged, this,
            [this] { ShowRowNotes(ui_->gridJazyk->CurrentRow()); });
    start_ = std::make_unique<StartCommands>(*this, *ui_->menuPosledniSoubory);
    connect(start_.get(), &StartCommands::DocumentReplaced, this, &TMainForm::ApplyFilter);
    unsaved_ = std::make_unique<UnsavedWorkKeeper>(*this);
    connect(unsaved_.get(), &UnsavedWorkKeeper::Restored, this, &TMainForm::ApplyFilter);
    rows_ = std::make_unique<RowCommands>(*this, *textPane_);
    // The document reads and saves the rows' notes and the spelling choice; the hash of an
    // accepted text is of its UTF-8.
    document_->SetTextDecoder([](std::string_view bytes, const std::string &codePage) {
        return CodePage::ForDeclared(codePage).Decode(bytes).toStdString();
    });
    document_->SetLanguageRead([this](std::string_view) {
        FollowSpelling();
        tracking_->AfterRead();
    });
    document_->SetTagOfName(spelling::LanguageTagOfNameBytes);
    // Undo and redo may take a note back: the row's marks follow.
    connect(history_.get(), &DocumentHistory::Changed, this, [this](int first, int last) {
        if (first <= last)
            ui_->gridJazyk->GridModel()->MarkersChanged(first, last);
    });
    RetranslateChecks();
}

void TMainForm::RetranslateChecks()
{
    memory_->Forget();
    ShowRowNotes(ui_->gridJazyk->CurrentRow());
}

void TMainForm::ShowRowNotes(int row)
{
    if (!checks_ || !memory_ || !rows_)
        return;
    QStringList notes{rows_->CommentNote(row), tracking_->RowNotes(row), checks_->FactsAndFindings(row),
                      memory_->Suggestions(row)};
    notes.removeAll(QString());
    textPane_->SetNotes(notes.join(QStringLiteral("<br>")));
}

void TMainForm::FollowSpelling()
{
    if (spelling_)
        spelling_->Follow();
}

void TMainForm::RetranslateWorkbench()
{
    statusPanel_->Retranslate();
    filterBar_->Retranslate();
    textPane_->Retranslate();
    tracking_->Retranslate();
    search_->Retranslate();
    if (rows_)
        rows_->Retranslate();
    RetranslateChecks();
    // The heading row just written is no step of the document.
    history_->Forget();
    UpdateTitle();
}

void TMainForm::UpdateTitle()
{
    title_.Show(*document_, texts_);
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
    if (commands_)
        commands_->UpdateEnabled();
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
    textPaneController_->Show();
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

// ---------------------------------------------------------------------------------------------
// Commands

void TMainForm::NovyJazyk()
{
    document_->NovyJazykCommand();
    AfterCommand(false);
    ApplyFilter();
}

void TMainForm::NovyVJinemProgramu()
{
    if (!hooks_.ChooseProgram)
        return;
    const auto chosen = hooks_.ChooseProgram();
    if (chosen)
        document_->NovyVJinemProgramu(*chosen);
    AfterCommand(false);
    ApplyFilter();
}

void TMainForm::OtevritJazyk()
{
    document_->OtevritJazyk();
    AfterCommand(false);
    ApplyFilter();
}

void TMainForm::UlozitJazyk()
{
    document_->UlozitJazyk();
    AfterCommand(false);
}

void TMainForm::OtevriZdroj()
{
    document_->OtevriZdroj();
    AfterCommand(false);
    ApplyFilter();
}

void TMainForm::SmazatJazyk()
{
    document_->SmazatJazyk();
    AfterCommand(false);
    ApplyFilter();
}

void TMainForm::toolVlastnostiClick()
{
    properties_->Show();
}

void TMainForm::Nastaveni()
{
    if (hooks_.ShowSettings)
        hooks_.ShowSettings();
    RefreshAfterTranslation();
}

void TMainForm::OProgramu()
{
    if (about_)
        about_->exec();
}

void TMainForm::RefreshAfterTranslation()
{
    language_.FollowWithQtTexts();
    infoPanel_->LayOut();
    document_->RefreshTranslatedTexts();
    QGuiApplication::setApplicationDisplayName(windowTitle());
    document_->WriteHeadingRow();
    RetranslateWorkbench();
}

void TMainForm::ApplyCodePages()
{
    properties_->ApplyCodePages();
}

void TMainForm::NajitText()
{
    search_->ShowFind();
}

void TMainForm::NajitDalsi()
{
    search_->FindNext();
}

void TMainForm::ZapnoutTurmoMod()
{
    editing_->CompleteSameOriginals();
}

void TMainForm::ImportovatZeStareVerze()
{
    editing_->ImportOldVersion();
    ApplyFilter();
}

void TMainForm::Odinstalovat()
{
    if (installation_.Uninstall(*this, folders_))
        close();
}

} // namespace verbaria
