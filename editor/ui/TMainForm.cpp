#include "editor/ui/TMainForm.h"

#include "editor/core/AutoCompletion.h"
#include "editor/core/OldVersionImport.h"
#include "editor/core/TranslationCounts.h"
#include "editor/ui/CodePageConversion.h"
#include "editor/ui/CommandTable.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/FileDialogComponent.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/InfoPanel.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/SearchCommands.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TVlastnostiForm.h"
#include "editor/ui/TextPane.h"
#include "editor/ui/TextPaneController.h"
#include "editor/ui/UiText.h"
#include "editor/ui/WindowPlacement.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"
#include "platform/ProgramFolders.h"
#include "platform/SystemRegistryRecord.h"
#include "translator/qt/TKVTranslator.h"
#include "ui_TMainForm.h"
#include "widgets/MenuStyle.h"
#include "widgets/OwnChildren.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QVBoxLayout>

// The window's end, step by step: QT_LOGGING_RULES="verbaria.window=true" tells where a close went.
Q_LOGGING_CATEGORY(lcWindow, "verbaria.window", QtWarningMsg)

namespace verbaria {

namespace {

// The separators of the toolbar and the menus, named as the editor's own template knows them.
const char *const ToolSeparators[] = {"toolNil", "toolNil3"};
const char *const SouborSeparators[] = {"menuNil", "menuNil2", "menuNil3"};
const char *const NastrojeSeparators[] = {"menuNil4", "menuNil5", "menuNil6"};

template <std::size_t N> void NameSeparators(const QList<QAction *> &actions, const char *const (&names)[N])
{
    std::size_t next = 0;
    for (QAction *action : actions) {
        if (action->isSeparator() && next < N)
            action->setObjectName(QString::fromLatin1(names[next++]));
    }
}

} // namespace

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

    NameSeparators(ui_->ToolBarHlavni->actions(), ToolSeparators);
    NameSeparators(ui_->menuSoubor->actions(), SouborSeparators);
    NameSeparators(ui_->menuNastroje->actions(), NastrojeSeparators);
    // One style for both menus, owned by the window; it wraps a style of its own.
    auto *menuStyle = new MenuStyle;
    menuStyle->setParent(this);
    for (QMenu *menu : {ui_->menuSoubor, ui_->menuNastroje})
        menu->setStyle(menuStyle);

    StringGrid *grid = ui_->gridJazyk;
    grid->SetCells(document_->Grid());
    document_->SetCodePagesChanged([this] { ApplyCodePages(); });
    LanguageDocument::FileNameTexts names;
    names.ToText = [](const std::string &name, const std::string &codePage) {
        return CodePage::ForDeclared(codePage).Encode(QFile::decodeName(QByteArray::fromStdString(name)));
    };
    names.ToName = [](const std::string &text, const std::string &codePage) -> std::optional<std::string> {
        return QFile::encodeName(CodePage::ForDeclared(codePage).Decode(text)).toStdString();
    };
    document_->SetFileNameTexts(std::move(names));
    infoPanel_ = std::make_unique<InfoPanel>(
        InfoPanel::Widgets{ui_->panelInfo,
                           {ui_->labelPuvodniText, ui_->labelVNovemJazyce, ui_->labelNazevKomponenty},
                           {ui_->editPuvodniText, ui_->editVNovemJazyce, ui_->editNazevKomponenty}});
    connect(grid, &StringGrid::AfterEdit, this, [this](int column, int row) {
        document_->PolozkaZmenena(column, row);
        AfterCommand(true);
    });
    connect(grid, &StringGrid::UnrepresentableCharacter, this, &TMainForm::ReportUnrepresentable);
    connect(grid, &StringGrid::LineBreaksReplaced, this, &TMainForm::ReportLineBreaks);
    SetUpWorkbench();
    SetUpChecks();
    SetUpSpelling();
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
    textPaneController_.reset();
    // ... and no callback of a widget that would outlive the members.
    if (StringGridModel *model = ui_->gridJazyk->GridModel())
        model->SetMarker({});
    ui_->gridJazyk->SetEditorCreated({});
    filterBar_->SetProblemTest({});
    document_->SetLanguageRead({});
    document_->SetSaveAddition({});
    document_->SetCodePagesChanged({});
    // Then the widgets that show the document, while the document and the members they use are
    // still there; the document, its history and the checks go last.
    texts_.SetTranslator(nullptr);
    delete prekladac_;
    delete takeCentralWidget();
    search_.reset();
    history_.reset();
    document_.reset();
    rowChecks_.reset();
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

FindDialog *TMainForm::findDialog() const
{
    return search_->findDialog();
}

ReplaceDialog *TMainForm::replaceDialog() const
{
    return search_->replaceDialog();
}

void TMainForm::SetDialogs(UserDialogs *dialogs)
{
    dialogs_ = dialogs ? dialogs : &realDialogs_;
    document_->SetDialogs(*dialogs_);
}

void TMainForm::SetProgramFolder(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    slozkaProgramu_ = path.toStdString();
}

void TMainForm::SetLanguagesFolder(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    languagesFolder_ = path.toStdString();
}

void TMainForm::LocateProgramFolder()
{
    if (!slozkaProgramu_.empty())
        return;
    const ProgramFolders folders =
        ProgramFolders::ForExecutableFolder(QCoreApplication::applicationDirPath());
    installed_ = folders.Installed();
    registryFile_ = folders.RegistryFile();
    SetLanguagesFolder(folders.Languages());
    SetProgramFolder(folders.Program());
}

void TMainForm::FindInstalledDefaults()
{
    // The remembered paths default to "jazyky\..." against the current folder, which for an
    // installed copy is anywhere; such a path that names nothing there means the installed one.
    if (!installed_)
        return;
    for (std::string *path :
         {&settings_.PosledniJazyk, &settings_.JazykProPopisy, &settings_.PosledniSablona}) {
        const std::string upper = UpperAscii(std::string_view(*path).substr(0, 7));
        if ((upper == "JAZYKY\\" || upper == "JAZYKY/") &&
            !QFileInfo::exists(QString::fromStdString(NativePath(*path))))
            *path = LanguagesFolder() + NativePath(path->substr(7));
    }
}

void TMainForm::SetPropertiesDialog(TVlastnostiForm *dialog)
{
    vlastnosti_ = dialog;
    if (dialog) {
        vlastnosti_->Bind(document_->Header());
        ApplyCodePages();
        vlastnosti_->SetCodePageHandler([this](const QString &name) { return ZmenitKodovouStranku(name); });
        connect(dialog, &TVlastnostiForm::UnrepresentableCharacter, this, &TMainForm::ReportUnrepresentable);
        connect(dialog, &TVlastnostiForm::LineBreaksReplaced, this, &TMainForm::ReportLineBreaks);
    }
}

void TMainForm::SetRegistryRecord(RegistryRecord *record)
{
    registry_ = record;
}

void TMainForm::SetUpCommands()
{
    auto run = [this](void (TMainForm::*command)()) { return [this, command] { (this->*command)(); }; };
    using P = QStyle::StandardPixmap;
    // The File menu, the Edit menu, the Tools menu; the toolbar's buttons beside their entries.
    std::vector<Command> commands{
        {"menuNovy", "toolNovy", "document-new", P::SP_FileIcon, "Ctrl+N", run(&TMainForm::NovyJazyk)},
        {"menuNovyPro", "toolNovyVJinemProgramu", "window-new", P::SP_DesktopIcon, "Ctrl+Shift+N",
         run(&TMainForm::NovyVJinemProgramu)},
        {"menuOtevrit", "toolOtevrit", "document-open", P::SP_DialogOpenButton, "Ctrl+O",
         run(&TMainForm::OtevritJazyk)},
        {"menuUlozit", "toolUlozit", "document-save", P::SP_DialogSaveButton, "Ctrl+Shift+S",
         run(&TMainForm::UlozitJazyk)},
        {"menuUlozitHned", nullptr, nullptr, P::SP_CustomBase, "Ctrl+S", run(&TMainForm::UlozitHned)},
        {"menuImportovat", nullptr, nullptr, P::SP_CustomBase, nullptr, run(&TMainForm::Importovat)},
        {"menuExportovat", nullptr, nullptr, P::SP_CustomBase, nullptr, run(&TMainForm::Exportovat)},
        {"menuOtevritZdrojovy", nullptr, "format-justify-left", P::SP_DirOpenIcon, "Ctrl+Shift+O",
         run(&TMainForm::OtevriZdroj)},
        {"menuVlastnosti", "toolVlastnosti", "document-properties", P::SP_FileDialogDetailedView,
         "Alt+Return", run(&TMainForm::toolVlastnostiClick)},
        {"menuInfo", "toolInfo", "help-about", P::SP_MessageBoxInformation, "F1", run(&TMainForm::OProgramu)},
        {"menuKonec", nullptr, "application-exit", P::SP_DialogCloseButton, "Ctrl+Q", [this] { close(); }},

        {"menuZpet", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Z", run(&TMainForm::Zpet),
         [this] { return history_->CanUndo(); }},
        {"menuZnovu", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Shift+Z;Ctrl+Y", run(&TMainForm::Znovu),
         [this] { return history_->CanRedo(); }},
        {"menuDalsiNeprelozeny", nullptr, nullptr, P::SP_CustomBase, "Ctrl+J",
         run(&TMainForm::DalsiNeprelozeny)},
        {"menuPredchoziNeprelozeny", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Shift+J",
         run(&TMainForm::PredchoziNeprelozeny)},
        {"menuFiltr", nullptr, nullptr, P::SP_CustomBase, "Ctrl+L",
         [this] { filterBar_->comboFiltr()->setFocus(); }},
        {"menuTextovePole", nullptr, nullptr, P::SP_CustomBase, "Ctrl+E",
         [this] {
             EndEdits();
             textPane_->memoNovyText()->setFocus(Qt::ShortcutFocusReason);
         }},
        {"menuDalsiProblem", nullptr, nullptr, P::SP_CustomBase, "F8", run(&TMainForm::DalsiProblem)},
        {"menuPotvrditVarovani", nullptr, nullptr, P::SP_CustomBase, "Ctrl+K",
         run(&TMainForm::PotvrditVarovani)},
        {"menuPrevzitNavrh1", nullptr, nullptr, P::SP_CustomBase, "Ctrl+1", [this] { PrevzitNavrh(0); }},
        {"menuPrevzitNavrh2", nullptr, nullptr, P::SP_CustomBase, "Ctrl+2", [this] { PrevzitNavrh(1); }},
        {"menuPrevzitNavrh3", nullptr, nullptr, P::SP_CustomBase, "Ctrl+3", [this] { PrevzitNavrh(2); }},
        {"menuPredprelozit", nullptr, nullptr, P::SP_CustomBase, nullptr,
         run(&TMainForm::PredprelozitZPameti)},

        {"menuNajit", "toolNajit", "edit-find", P::SP_FileDialogContentsView, "Ctrl+F",
         run(&TMainForm::NajitText)},
        {"menuNajitDalsi", nullptr, nullptr, P::SP_CustomBase, "F3", run(&TMainForm::NajitDalsiPrikaz)},
        {"menuNahradit", nullptr, nullptr, P::SP_CustomBase, "Ctrl+H", run(&TMainForm::Nahradit)},
        {"menuAutoDoplneni", nullptr, "edit-copy", P::SP_ArrowDown, "Ctrl+D",
         run(&TMainForm::ZapnoutTurmoMod)},
        {"menuImportovatStarouVerzi", nullptr, "document-import", P::SP_ArrowRight, nullptr,
         run(&TMainForm::ImportovatZeStareVerze)},
        {"menuSmazat", nullptr, "edit-delete", P::SP_TrashIcon, nullptr, run(&TMainForm::SmazatJazyk)},
        {"menuNastaveni", "toolNastaveni", "preferences-system", P::SP_FileDialogListView, "Ctrl+,",
         run(&TMainForm::Nastaveni)},
        {"menuOdinstalovat", nullptr, "edit-clear", P::SP_DialogDiscardButton, nullptr,
         run(&TMainForm::Odinstalovat)},
    };
    commands_ = std::make_unique<CommandTable>(*this, std::move(commands));
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
    LocateProgramFolder();
    if (hooks_.ReadSettings) {
        try {
            hooks_.ReadSettings(slozkaProgramu_, settings_);
        } catch (const FormatError &) {
            // An unreadable settings file gives the defaults, without a message.
        }
    }
    FindInstalledDefaults();
    // Files that declare no code page are in the user's choice; an unknown name leaves the
    // program's own.
    if (!settings_.KodovaStranka.empty())
        CodePage::SetDefault(QString::fromStdString(settings_.KodovaStranka));
    ApplyCodePages();
    document_->SetStartovani(true);

    prekladac_ = new qt::TKVTranslator(this);
    prekladac_->setObjectName(QStringLiteral("prekladac"));
    // The editor's own languages are in the program's code page, whatever the documents' are.
    prekladac_->SetCodePage(QLatin1String(CodePage::FallbackName));
    connect(prekladac_, &qt::TKVTranslator::ErrorOccurred, this,
            [this](const QString &message) { Dialogs().ReportError(message.toStdString()); });
    const std::string languages = LanguagesFolder();
    const std::string editorTemplate =
        FindFileIgnoringCase(languages + "glotra11.lnd").value_or(languages + "glotra11.lnd");
    prekladac_->LoadTemplate(QString::fromStdString(editorTemplate));
    std::string language = languages + "czech.lng";
    if (!settings_.JazykRozhrani.empty()) {
        if (auto chosen = FindFileIgnoringCase(languages + NativePath(settings_.JazykRozhrani)))
            language = *chosen;
        else if (auto czech = FindFileIgnoringCase(languages + "czech.lng"))
            language = *czech;
    }
    prekladac_->SetLanguageFile(QString::fromStdString(language));
    texts_.SetTranslator(prekladac_);
    prekladac_->Translate();
    FollowLanguageWithQtTexts();
    infoPanel_->LayOut();

    if (!registry_) {
        ownRegistry_ = registryFile_.isEmpty() ? std::make_unique<SystemRegistryRecord>()
                                               : std::make_unique<SystemRegistryRecord>(registryFile_);
        registry_ = ownRegistry_.get();
    }
    registry_->Write(QString::fromStdString(slozkaProgramu_));

    document_->RefreshTranslatedTexts();
    QGuiApplication::setApplicationDisplayName(windowTitle());
    RetranslateWorkbench();

    document_->SetProgramFolder(slozkaProgramu_);
    if (hooks_.CatalogueTemplates)
        document_->SetCatalogue(hooks_.CatalogueTemplates);
    // The user's own words are kept with his settings.
    spelling_->SetUserWordsFolder(QString::fromStdString(slozkaProgramu_) + QStringLiteral("slovniky/"));
    document_->OpenAtStartup();
    FollowSpelling();
    history_->Reset();
    ApplyFilter();
    placement_->Restore(settings_.OknoPoloha, settings_.OknoSloupce, [this] { FormResize(); });
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
    placement_->Remember(settings_.OknoPoloha, settings_.OknoSloupce);
    texts_.SetTranslator(nullptr);
    delete prekladac_;
    if (hooks_.WriteSettings) {
        try {
            hooks_.WriteSettings(slozkaProgramu_, settings_);
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
    if (event->type() == QEvent::WindowTitleChange && !composingTitle_) {
        caption_ = QMainWindow::windowTitle();
        if (history_)
            UpdateTitle();
    }
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
                    RefreshChecks(first, last);
                }
                if (!textPane_->IsEditing())
                    ShowTextPane();
            });
    connect(grid->GridModel(), &QAbstractItemModel::modelReset, this, [this, filterChangedRows] {
        // Many rows changed at once (undo, replace): the checks and the filter look at them all
        // again, the filter but for the row the user is on.
        RefreshChecks(1, INT_MAX);
        filterBar_->RowsChanged(1, document_->Grid().RowCount() - 1);
        filterChangedRows();
    });
}

void TMainForm::RetranslateWorkbench()
{
    statusPanel_->Retranslate();
    filterBar_->Retranslate();
    textPane_->Retranslate();
    search_->Retranslate();
    RetranslateChecks();
    // The heading row just written is no step of the document.
    history_->Forget();
    UpdateTitle();
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
                       CountTranslations(*document_));
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
    // A new language starts without notes.
    if (document_->souborJazyka().empty())
        rowChecks_->Notes().clear();
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
    if (document_->souborJazyka().empty())
        rowChecks_->Notes().clear();
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
    if (!vlastnosti_)
        return;
    vlastnosti_->Bind(document_->Header());
    ApplyCodePages();
    vlastnosti_->SetCount(document_->pocetKPrekladu());
    vlastnosti_->SetSpellingChoices(SpellingChoices());
    vlastnosti_->exec();
    AfterCommand(true);
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

void TMainForm::FollowLanguageWithQtTexts()
{
    if (!prekladac_)
        return;
    const std::string &language = prekladac_->Core().LanguageInfo().Language;
    qtTexts_.Follow(prekladac_->LanguageCodePage().Decode(language), prekladac_->LanguageFile());
}

void TMainForm::RefreshAfterTranslation()
{
    FollowLanguageWithQtTexts();
    infoPanel_->LayOut();
    document_->RefreshTranslatedTexts();
    QGuiApplication::setApplicationDisplayName(windowTitle());
    document_->WriteHeadingRow();
    RetranslateWorkbench();
}

void TMainForm::ReportUnrepresentable(const QString &text)
{
    QString message = QString::fromStdString(
        texts_.TranslateText("Znak „%s“ nelze v kódové stránce jazykových souborů uložit."));
    message.replace(QStringLiteral("%s"), NameCharacters(text));
    Dialogs().Inform(message.toStdString());
}

void TMainForm::ReportLineBreaks()
{
    Dialogs().Inform(texts_.TranslateText("Konce řádků ve vloženém textu byly nahrazeny mezerami."));
}

void TMainForm::ApplyCodePages()
{
    StringGrid *grid = ui_->gridJazyk;
    const QString languageName = LanguageCodePage().Name();
    grid->setCodePage(0, GridCells::ColumnEncoding, TemplateCodePageOf(*document_).Name());
    grid->setCodePage(0, GridCells::DescriptionEncoding, DescriptionCodePageOf(*document_).Name());
    grid->setCodePage(1, GridCells::ColumnEncoding, languageName);
    grid->setCodePage(1, GridCells::DescriptionEncoding, languageName);
    if (vlastnosti_)
        vlastnosti_->SetCodePages(LanguageCodePage(), TemplateCodePageOf(*document_));
}

bool TMainForm::ZmenitKodovouStranku(const QString &name)
{
    const std::optional<CodePage> target = CodePage::Named(name);
    if (!target)
        return false;
    const CodePageRefusal refusal = ConvertLanguageCodePage(*document_, name, *target);
    if (refusal.Empty()) {
        ApplyCodePages();
        return true;
    }
    constexpr qsizetype Shown = 20;
    QString rows = refusal.Rows.mid(0, Shown).join(QStringLiteral(", "));
    if (refusal.Rows.size() > Shown)
        rows += QStringLiteral(", … (%1)").arg(refusal.Rows.size());
    if (!refusal.ValuesFit)
        rows += (rows.isEmpty() ? QString() : QStringLiteral("; ")) +
                QString::fromStdString(texts_.TranslateText("vlastnosti jazyka"));
    QString message = QString::fromStdString(
        texts_.TranslateText("Kódová stránka %s nepojme texty těchto řádků: %s. Nic nebylo změněno."));
    message.replace(message.indexOf(QStringLiteral("%s")), 2, name);
    message.replace(message.indexOf(QStringLiteral("%s")), 2, rows);
    Dialogs().Inform(message.toStdString());
    return false;
}

void TMainForm::NajitText()
{
    search_->ShowFind();
}

void TMainForm::NajitDalsi()
{
    search_->FindNext();
}

void TMainForm::NajitDalsiPrikaz()
{
    search_->FindNextCommand();
}

void TMainForm::Nahradit()
{
    search_->ShowReplace();
}

void TMainForm::Zpet()
{
    EndEdits();
    history_->Undo();
}

void TMainForm::Znovu()
{
    EndEdits();
    history_->Redo();
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
    const int entries = document_->EntryRowCount();
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

void TMainForm::ZapnoutTurmoMod()
{
    // The placeholder is looked up once for the whole pass. It is compared with the originals,
    // so as the template's bytes; one that code page cannot hold is no original.
    const QString placeholder = QString::fromStdString(Document().TranslateText("Chyba: Položka nenalezena"));
    const std::optional<std::string> bytes = TemplateCodePageOf(*document_).Encode(placeholder);
    CompleteTranslations(document_->Grid(), bytes ? *bytes : std::string("\n"));
    // A pass that overwrote translations is work a close must not drop without asking.
    AfterCommand(true);
}

void TMainForm::ImportovatZeStareVerze()
{
    try {
        verbaria::ImportovatZeStareVerze(*document_);
    } catch (const std::exception &error) {
        Dialogs().ReportError(error.what());
    }
    AfterCommand(false);
    ApplyFilter();
}

void TMainForm::Odinstalovat()
{
    LocateProgramFolder();
    if (installed_) {
        // The files of an installed copy belong to the package manager, not to us.
        Dialogs().Inform(Texts().TranslateText(
            "Verbaria je nainstalována jako balíček systému. Odinstalujte ji správcem balíčků, "
            "například příkazem: sudo apt remove verbaria"));
        return;
    }
    if (!Dialogs().AskYesNo(Texts().TranslateText("Opravdu chcete odinstalovat Verbaria ?")))
        return;
    uninstaller_.SetRegistryRecord(registry_);
    uninstaller_.Run(QString::fromStdString(slozkaProgramu_),
                     QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                     editorProcessId_ > 0 ? editorProcessId_ : QCoreApplication::applicationPid());
    Dialogs().Inform(Texts().TranslateText("Verbaria byl odinstalován."));
    close();
}

} // namespace verbaria
