#include "editor/ui/TMainForm.h"

#include "editor/core/AutoCompletion.h"
#include "editor/core/OldVersionImport.h"
#include "editor/core/TextSearch.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/FileDialogComponent.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/FindDialog.h"
#include "editor/ui/ReplaceDialog.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TVlastnostiForm.h"
#include "editor/ui/TextPane.h"
#include "formats/Errors.h"
#include "formats/Paths.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"
#include "platform/ProgramFolders.h"
#include "platform/SystemDetachedProcess.h"
#include "platform/SystemFolderListing.h"
#include "platform/SystemRegistryRecord.h"
#include "platform/UninstallScript.h"
#include "translator/qt/TKVTranslator.h"
#include "ui_TMainForm.h"
#include "widgets/MenuStyle.h"
#include "widgets/OwnChildren.h"
#include "widgets/StringGrid.h"

#include "widgets/StringGridModel.h"
#include <QLoggingCategory>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStyle>

// The window's end, step by step: QT_LOGGING_RULES="verbaria.window=true" tells where a close went.
Q_LOGGING_CATEGORY(lcWindow, "verbaria.window", QtWarningMsg)

namespace verbaria {

namespace {

// Menu and toolbar pictures: the desktop's icon theme where it has one, the style's own otherwise,
// so every button shows a picture on a bare system too.
struct IconChoice
{
    const char *action;
    const char *themeName;
    QStyle::StandardPixmap fallback;
};

const IconChoice Icons[] = {
    {"toolNovy", "document-new", QStyle::SP_FileIcon},
    {"menuNovy", "document-new", QStyle::SP_FileIcon},
    {"toolNovyVJinemProgramu", "window-new", QStyle::SP_DesktopIcon},
    {"menuNovyPro", "window-new", QStyle::SP_DesktopIcon},
    {"toolOtevrit", "document-open", QStyle::SP_DialogOpenButton},
    {"menuOtevrit", "document-open", QStyle::SP_DialogOpenButton},
    {"toolUlozit", "document-save", QStyle::SP_DialogSaveButton},
    {"menuUlozit", "document-save", QStyle::SP_DialogSaveButton},
    {"menuOtevritZdrojovy", "format-justify-left", QStyle::SP_DirOpenIcon},
    {"toolVlastnosti", "document-properties", QStyle::SP_FileDialogDetailedView},
    {"menuVlastnosti", "document-properties", QStyle::SP_FileDialogDetailedView},
    {"toolNajit", "edit-find", QStyle::SP_FileDialogContentsView},
    {"menuNajit", "edit-find", QStyle::SP_FileDialogContentsView},
    {"toolNastaveni", "preferences-system", QStyle::SP_FileDialogListView},
    {"menuNastaveni", "preferences-system", QStyle::SP_FileDialogListView},
    {"toolInfo", "help-about", QStyle::SP_MessageBoxInformation},
    {"menuInfo", "help-about", QStyle::SP_MessageBoxInformation},
    {"menuKonec", "application-exit", QStyle::SP_DialogCloseButton},
    {"menuAutoDoplneni", "edit-copy", QStyle::SP_ArrowDown},
    {"menuImportovatStarouVerzi", "document-import", QStyle::SP_ArrowRight},
    {"menuSmazat", "edit-delete", QStyle::SP_TrashIcon},
    {"menuOdinstalovat", "edit-clear", QStyle::SP_DialogDiscardButton},
};

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
    SetUpIcons();
    findDialog_ = new FindDialog(this);
    connect(findDialog_, &FindDialog::FindNext, this, &TMainForm::NajitDalsi);
    SetUpCommands();

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
    connect(grid, &StringGrid::CellAboutToBeSelected, this, &TMainForm::ShowInfo);
    connect(grid, &StringGrid::AfterEdit, this, [this](int column, int row) {
        document_->PolozkaZmenena(column, row);
        AfterCommand(true);
    });
    connect(grid, &StringGrid::UnrepresentableCharacter, this, &TMainForm::ReportUnrepresentable);
    connect(grid, &StringGrid::LineBreaksReplaced, this, &TMainForm::ReportLineBreaks);
    for (QLineEdit *field : {ui_->editPuvodniText, ui_->editVNovemJazyce, ui_->editNazevKomponenty}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        field->setPalette(palette);
    }
    SetUpWorkbench();
    SetUpChecks();
    SetUpSpelling();
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
    // ... and no callback of a widget that would outlive the members.
    if (StringGridModel *model = ui_->gridJazyk->GridModel())
        model->SetMarker({});
    ui_->gridJazyk->SetEditorCreated({});
    filterBar_->SetProblemTest({});
    replaceDialog_->SetPlanner({});
    document_->SetLanguageRead({});
    document_->SetTextDecoder({});
    document_->SetCodePagesChanged({});
    // Then the widgets that show the document, while the document and the members they use are
    // still there; the document, its history and the checks go last.
    texts_.SetTranslator(nullptr);
    delete prekladac_;
    delete takeCentralWidget();
    delete replaceDialog_;
    delete findDialog_;
    history_.reset();
    document_.reset();
    rowChecks_.reset();
}

StringGrid *TMainForm::gridJazyk() const
{
    return ui_->gridJazyk;
}

UserDialogs &TMainForm::Dialogs()
{
    return *dialogs_;
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
        vlastnosti_->SetCodePages(LanguageCodePage(), TemplateCodePage());
        vlastnosti_->SetCodePageHandler([this](const QString &name) { return ZmenitKodovouStranku(name); });
        connect(dialog, &TVlastnostiForm::UnrepresentableCharacter, this, &TMainForm::ReportUnrepresentable);
        connect(dialog, &TVlastnostiForm::LineBreaksReplaced, this, &TMainForm::ReportLineBreaks);
    }
}

void TMainForm::SetRegistryRecord(RegistryRecord *record)
{
    registry_ = record;
}

void TMainForm::SetFolderListing(FolderListing *listing)
{
    listing_ = listing;
}

void TMainForm::SetDetachedProcess(DetachedProcess *process)
{
    detached_ = process;
}

void TMainForm::SetUpIcons()
{
    for (const IconChoice &choice : Icons) {
        QAction *action = findChild<QAction *>(QString::fromLatin1(choice.action));
        if (!action)
            continue;
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(choice.themeName));
        if (icon.isNull())
            icon = style()->standardIcon(choice.fallback, nullptr, this);
        action->setIcon(icon);
    }
}

void TMainForm::SetUpCommands()
{
    auto bind = [this](QAction *tool, QAction *menu, void (TMainForm::*command)()) {
        for (QAction *action : {tool, menu}) {
            if (action)
                connect(action, &QAction::triggered, this, command);
        }
    };
    bind(ui_->toolNovy, ui_->menuNovy, &TMainForm::NovyJazyk);
    bind(ui_->toolNovyVJinemProgramu, ui_->menuNovyPro, &TMainForm::NovyVJinemProgramu);
    bind(ui_->toolOtevrit, ui_->menuOtevrit, &TMainForm::OtevritJazyk);
    bind(ui_->toolUlozit, ui_->menuUlozit, &TMainForm::UlozitJazyk);
    bind(nullptr, ui_->menuOtevritZdrojovy, &TMainForm::OtevriZdroj);
    bind(nullptr, ui_->menuImportovat, &TMainForm::Importovat);
    bind(nullptr, ui_->menuExportovat, &TMainForm::Exportovat);
    bind(ui_->toolVlastnosti, ui_->menuVlastnosti, &TMainForm::toolVlastnostiClick);
    bind(nullptr, ui_->menuSmazat, &TMainForm::SmazatJazyk);
    bind(ui_->toolNastaveni, ui_->menuNastaveni, &TMainForm::Nastaveni);
    bind(ui_->toolInfo, ui_->menuInfo, &TMainForm::OProgramu);
    bind(ui_->toolNajit, ui_->menuNajit, &TMainForm::NajitText);
    bind(nullptr, ui_->menuAutoDoplneni, &TMainForm::ZapnoutTurmoMod);
    bind(nullptr, ui_->menuImportovatStarouVerzi, &TMainForm::ImportovatZeStareVerze);
    bind(nullptr, ui_->menuOdinstalovat, &TMainForm::Odinstalovat);
    connect(ui_->menuKonec, &QAction::triggered, this, &QWidget::close);
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
    LayOutInfoPanel();

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
    RestoreWindow();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    ui_->gridJazyk->SetDefaultColumnWidth(ui_->gridJazyk->width() / 2 - 20);
    KeepRememberedColumns();
    LayOutInfoPanel();
}

void TMainForm::LayOutInfoPanel()
{
    // Three rows of a label and its field: 16 pixels apart with fields from 112 pixels in the
    // classic small font; a larger desktop font moves them just as far as its text needs, so
    // no caption is cut.
    const QLabel *labels[] = {ui_->labelPuvodniText, ui_->labelVNovemJazyce, ui_->labelNazevKomponenty};
    QLineEdit *fields[] = {ui_->editPuvodniText, ui_->editVNovemJazyce, ui_->editNazevKomponenty};
    const int line = std::max(14, ui_->panelInfo->fontMetrics().height());
    int fieldLeft = 112;
    for (const QLabel *label : labels)
        fieldLeft = std::max(fieldLeft, 8 + label->fontMetrics().horizontalAdvance(label->text()) + 8);
    for (int i = 0; i < 3; ++i) {
        const int top = 4 + i * (line + 2);
        const_cast<QLabel *>(labels[i])->setGeometry(8, top, fieldLeft - 16, line);
        fields[i]->setGeometry(fieldLeft, top, std::max(0, ui_->panelInfo->width() - fieldLeft - 8), line);
    }
    ui_->panelInfo->setFixedHeight(std::max(52, 4 + 3 * (line + 2)));
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
    RememberWindow();
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
    if (!vlastnosti_)
        return;
    vlastnosti_->Bind(document_->Header());
    vlastnosti_->SetCodePages(LanguageCodePage(), TemplateCodePage());
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
    LayOutInfoPanel();
    document_->RefreshTranslatedTexts();
    QGuiApplication::setApplicationDisplayName(windowTitle());
    document_->WriteHeadingRow();
    RetranslateWorkbench();
}

void TMainForm::ShowInfo(int column, int row)
{
    const auto info = document_->gridJazykSelectCell(column, row);
    if (!info)
        return;
    const StringGridModel *model = ui_->gridJazyk->GridModel();
    ui_->editPuvodniText->setText(model ? model->CellText(0, row) : QString());
    ui_->editVNovemJazyce->setText(model ? model->CellText(1, row) : QString());
    // A component's name is its path in the template; the other kinds are named by the program.
    const bool component = document_->polozky()[static_cast<std::size_t>(row - 1)].Kind == ikComponent;
    ui_->editNazevKomponenty->setText(component ? TemplateCodePage().Decode(info->editNazevKomponenty)
                                                : QString::fromStdString(info->editNazevKomponenty));
    ui_->editPuvodniText->setCursorPosition(0);
    ui_->editVNovemJazyce->setCursorPosition(0);
    ui_->editNazevKomponenty->setCursorPosition(0);
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

CodePage TMainForm::TemplateCodePage() const
{
    return CodePage::ForDeclared(document_->TemplateCodePage());
}

CodePage TMainForm::LanguageCodePage() const
{
    return CodePage::ForDeclared(document_->LanguageCodePage());
}

CodePage TMainForm::DescriptionCodePage() const
{
    return CodePage::ForDeclared(document_->DescriptionCodePage());
}

void TMainForm::ApplyCodePages()
{
    StringGrid *grid = ui_->gridJazyk;
    const QString templateName = TemplateCodePage().Name();
    const QString languageName = LanguageCodePage().Name();
    grid->setCodePage(0, GridCells::ColumnEncoding, templateName);
    grid->setCodePage(0, GridCells::DescriptionEncoding, DescriptionCodePage().Name());
    grid->setCodePage(1, GridCells::ColumnEncoding, languageName);
    grid->setCodePage(1, GridCells::DescriptionEncoding, languageName);
    if (vlastnosti_)
        vlastnosti_->SetCodePages(LanguageCodePage(), TemplateCodePage());
}

bool TMainForm::ZmenitKodovouStranku(const QString &name)
{
    const std::optional<CodePage> target = CodePage::Named(name);
    if (!target)
        return false;
    const CodePage source = LanguageCodePage();
    GridCells &cells = document_->Grid();
    DocumentHeader &header = document_->Header();
    // Everything is converted first and changed only when all of it fits.
    std::vector<std::pair<int, std::string>> converted;
    QStringList refusedRows;
    for (int row = 1; row < cells.RowCount(); ++row) {
        const std::string &bytes = cells.Text(1, row);
        if (bytes.empty())
            continue;
        std::optional<std::string> encoded = target->Encode(source.Decode(bytes));
        if (!encoded)
            refusedRows << QString::number(row);
        else if (*encoded != bytes)
            converted.emplace_back(row, *std::move(encoded));
    }
    std::string *values[] = {&header.editJazyk, &header.editVerzeJazyka, &header.editSablona,
                             &header.memoAutorJazyka};
    std::vector<std::string> convertedValues;
    bool valuesFit = true;
    for (std::string *value : values) {
        std::optional<std::string> encoded = target->Encode(source.Decode(*value));
        valuesFit = valuesFit && encoded.has_value();
        convertedValues.push_back(encoded.value_or(std::string()));
    }
    if (!refusedRows.isEmpty() || !valuesFit) {
        constexpr qsizetype Shown = 20;
        QString rows = refusedRows.mid(0, Shown).join(QStringLiteral(", "));
        if (refusedRows.size() > Shown)
            rows += QStringLiteral(", … (%1)").arg(refusedRows.size());
        if (!valuesFit)
            rows += (rows.isEmpty() ? QString() : QStringLiteral("; ")) +
                    QString::fromStdString(texts_.TranslateText("vlastnosti jazyka"));
        QString message = QString::fromStdString(
            texts_.TranslateText("Kódová stránka %s nepojme texty těchto řádků: %s. Nic nebylo změněno."));
        message.replace(message.indexOf(QStringLiteral("%s")), 2, name);
        message.replace(message.indexOf(QStringLiteral("%s")), 2, rows);
        Dialogs().Inform(message.toStdString());
        return false;
    }
    {
        GridBatch batch(cells);
        for (auto &[row, bytes] : converted)
            cells.SetText(1, row, std::move(bytes));
    }
    for (std::size_t i = 0; i < std::size(values); ++i)
        *values[i] = std::move(convertedValues[i]);
    header.KodovaStranka = name.toStdString();
    document_->SetZmeneno(true);
    ApplyCodePages();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Find, completion, conversion, uninstall

void TMainForm::NajitText()
{
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

void TMainForm::NajitDalsi()
{
    const QString searchText = findDialog_->SearchText();
    StringGrid *grid = ui_->gridJazyk;
    // The text as each kind of cell holds it; one its code page cannot hold is in no such cell.
    SearchTexts texts;
    const CodePage codePages[2][2] = {{TemplateCodePage(), DescriptionCodePage()},
                                      {LanguageCodePage(), LanguageCodePage()}};
    for (int column = 0; column < 2; ++column) {
        for (int encoding = 0; encoding < 2; ++encoding)
            texts.Text[column][encoding] = codePages[column][encoding].Encode(searchText);
    }
    const std::optional<GridPosition> found = FindNextCell(
        document_->Grid(), grid->CurrentColumn(), grid->CurrentRow(), texts, findDialog_->MatchCase());
    if (found) {
        // Row first, then column, each through the grid's own change of the current cell.
        GoTo(found->Column, found->Row);
        return;
    }
    // A template's text cannot hold a double quote, so the message is looked up with „“ in their
    // place; where the language keeps it as it is, it reads as ever, with its straight quotes.
    std::string notFound = Texts().TranslateText("Text „%s“ nebyl nalezen.");
    if (notFound == "Text „%s“ nebyl nalezen.")
        notFound = "Text \"%s\" nebyl nalezen.";
    QString message = QString::fromStdString(notFound);
    message.replace(QStringLiteral("%s"), searchText);
    Dialogs().ReportError(message.toStdString());
}

void TMainForm::ZapnoutTurmoMod()
{
    // The placeholder is looked up once for the whole pass.
    // The placeholder is compared with the originals, so as the template's bytes; one that
    // code page cannot hold is no original.
    const QString placeholder = QString::fromStdString(Document().TranslateText("Chyba: Položka nenalezena"));
    const std::optional<std::string> bytes = TemplateCodePage().Encode(placeholder);
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
    const QString folder = QString::fromStdString(slozkaProgramu_);

    // No step reports a failure, and none stops the steps after it.
    if (!registry_) {
        ownRegistry_ = std::make_unique<SystemRegistryRecord>();
        registry_ = ownRegistry_.get();
    }
    registry_->Delete();

    const QString catalogue = folder + QStringLiteral("programs.ini");
    if (QFileInfo::exists(catalogue))
        QFile::remove(catalogue);

    if (!listing_) {
        ownListing_ = std::make_unique<SystemFolderListing>();
        listing_ = ownListing_.get();
    }
    const QString languages = folder + QStringLiteral("jazyky");
    // A languages folder that is a link goes as a link: what it points at is not ours.
    const bool linked = QFileInfo(languages).isSymLink();
    if (linked)
        QFile::remove(languages);
    for (const FolderEntry &entry : linked ? std::vector<FolderEntry>() : listing_->List(languages)) {
        // Hidden files, special files (which the listing marks as neither folder nor file) and
        // subfolders stay.
        if (entry.IsFolder || !entry.IsRegularFile || entry.IsHidden || entry.Name.startsWith(u'.'))
            continue;
        QFile::remove(languages + u'/' + entry.Name);
    }
    if (QFileInfo(languages).isDir())
        QDir(folder).rmdir(QStringLiteral("jazyky"));

    const QString script = folder + UninstallScript::FileName();
    const QString executable = folder + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const qint64 pid = editorProcessId_ > 0 ? editorProcessId_ : QCoreApplication::applicationPid();
    // A script that could not be written is not started: what lies there under its name is
    // not ours to run.
    if (UninstallScript::Write(script, executable, pid)) {
        if (!detached_) {
            ownDetached_ = std::make_unique<SystemDetachedProcess>();
            detached_ = ownDetached_.get();
        }
        detached_->StartScript(script);
    }

    Dialogs().Inform(Texts().TranslateText("Verbaria byl odinstalován."));
    close();
}

} // namespace verbaria
