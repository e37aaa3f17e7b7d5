#include "editor/ui/TMainForm.h"

#include "editor/core/AutoCompletion.h"
#include "editor/core/OldVersionImport.h"
#include "editor/core/TextSearch.h"
#include "editor/ui/FileDialogComponent.h"
#include "editor/ui/FindDialog.h"
#include "editor/ui/TVlastnostiForm.h"
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
#include "widgets/StringGrid.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStyle>

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
    connect(findDialog_, &FindDialog::findNext, this, &TMainForm::NajitDalsi);
    SetUpCommands();

    StringGrid *grid = ui_->gridJazyk;
    grid->setCodePage(CodePage::Default().Name());
    grid->setCells(document_->Grid());
    connect(grid, &StringGrid::cellAboutToBeSelected, this, &TMainForm::ShowInfo);
    connect(grid, &StringGrid::afterEdit, this,
            [this](int column, int row) { document_->PolozkaZmenena(column, row); });
    connect(grid, &StringGrid::unrepresentableCharacter, this, &TMainForm::ReportUnrepresentable);
    for (QLineEdit *field : {ui_->editPuvodniText, ui_->editVNovemJazyce, ui_->editNazevKomponenty}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        field->setPalette(palette);
    }
}

TMainForm::~TMainForm() = default;

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
        connect(dialog, &TVlastnostiForm::unrepresentableCharacter, this, &TMainForm::ReportUnrepresentable);
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
    document_->SetStartovani(true);

    prekladac_ = new qt::TKVTranslator(this);
    prekladac_->setObjectName(QStringLiteral("prekladac"));
    prekladac_->SetCodePage(CodePage::Default().Name());
    connect(prekladac_, &qt::TKVTranslator::ErrorOccurred, this, [this](const QString &message) {
        Dialogs().ReportError(CodePage::Default().EncodeLossy(message));
    });
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
    LayOutInfoPanel();

    if (!registry_) {
        ownRegistry_ = registryFile_.isEmpty() ? std::make_unique<SystemRegistryRecord>()
                                               : std::make_unique<SystemRegistryRecord>(registryFile_);
        registry_ = ownRegistry_.get();
    }
    registry_->Write(QString::fromStdString(slozkaProgramu_));

    document_->RefreshTranslatedTexts();
    QGuiApplication::setApplicationDisplayName(windowTitle());

    document_->SetProgramFolder(slozkaProgramu_);
    if (hooks_.CatalogueTemplates)
        document_->SetCatalogue(hooks_.CatalogueTemplates);
    document_->OpenAtStartup();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    ui_->gridJazyk->setDefaultColumnWidth(ui_->gridJazyk->width() / 2 - 20);
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
    if (!ended_ && !OpravduSkoncit()) {
        event->ignore();
        return;
    }
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
}

void TMainForm::NovyVJinemProgramu()
{
    if (!hooks_.ChooseProgram)
        return;
    const auto chosen = hooks_.ChooseProgram();
    if (chosen)
        document_->NovyVJinemProgramu(*chosen);
}

void TMainForm::OtevritJazyk()
{
    document_->OtevritJazyk();
}

void TMainForm::UlozitJazyk()
{
    document_->UlozitJazyk();
}

void TMainForm::OtevriZdroj()
{
    document_->OtevriZdroj();
}

void TMainForm::SmazatJazyk()
{
    document_->SmazatJazyk();
}

void TMainForm::toolVlastnostiClick()
{
    if (!vlastnosti_)
        return;
    vlastnosti_->Bind(document_->Header());
    vlastnosti_->SetCount(document_->pocetKPrekladu());
    vlastnosti_->exec();
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
    LayOutInfoPanel();
    document_->RefreshTranslatedTexts();
    QGuiApplication::setApplicationDisplayName(windowTitle());
    document_->WriteHeadingRow();
}

void TMainForm::ShowInfo(int column, int row)
{
    const auto info = document_->gridJazykSelectCell(column, row);
    if (!info)
        return;
    const CodePage &codePage = CodePage::Default();
    ui_->editPuvodniText->setText(codePage.Decode(info->editPuvodniText));
    ui_->editVNovemJazyce->setText(codePage.Decode(info->editVNovemJazyce));
    ui_->editNazevKomponenty->setText(codePage.Decode(info->editNazevKomponenty));
    ui_->editPuvodniText->setCursorPosition(0);
    ui_->editVNovemJazyce->setCursorPosition(0);
    ui_->editNazevKomponenty->setCursorPosition(0);
}

void TMainForm::ReportUnrepresentable(const QString &text)
{
    QString message = CodePage::Default().Decode(
        texts_.TranslateText("Znak „%s“ nelze v kódové stránce jazykových souborů uložit."));
    // The message itself is shown in the code page, so the refused characters are named by
    // their code points as well.
    QString named;
    for (const char32_t code : text.toUcs4()) {
        if (!named.isEmpty())
            named += QStringLiteral(", ");
        named += QStringLiteral("%1 (U+%2)")
                     .arg(QString::fromUcs4(&code, 1))
                     .arg(static_cast<uint>(code), 4, 16, QLatin1Char('0'))
                     .toUpper();
    }
    message.replace(QStringLiteral("%s"), named);
    Dialogs().Inform(CodePage::Default().EncodeLossy(message));
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
    // A text the code page cannot hold is in no cell.
    const std::optional<std::string> bytes = CodePage::Default().Encode(searchText);
    std::optional<GridPosition> found;
    if (bytes)
        found = FindNextCell(document_->Grid(), grid->currentColumn(), grid->currentRow(), *bytes,
                             findDialog_->MatchCase());
    if (found) {
        // Row first, then column, each through the grid's own change of the current cell.
        grid->setCurrentRow(found->Row);
        grid->setCurrentColumn(found->Column);
        return;
    }
    QString message = CodePage::Default().Decode(Texts().TranslateText("Text \"%s\" nebyl nalezen."));
    message.replace(QStringLiteral("%s"), searchText);
    Dialogs().ReportError(CodePage::Default().EncodeLossy(message));
}

void TMainForm::ZapnoutTurmoMod()
{
    // The placeholder is looked up once for the whole pass.
    const std::string placeholder = Document().TranslateText("Chyba: Položka nenalezena");
    CompleteTranslations(document_->Grid(), placeholder);
}

void TMainForm::ImportovatZeStareVerze()
{
    try {
        verbaria::ImportovatZeStareVerze(*document_);
    } catch (const std::exception &error) {
        Dialogs().ReportError(error.what());
    }
}

void TMainForm::Odinstalovat()
{
    const CodePage &codePage = CodePage::Default();
    // Asked in Czech whatever the user-interface language.
    LocateProgramFolder();
    if (installed_) {
        // The files of an installed copy belong to the package manager, not to us.
        Dialogs().Inform(Texts().TranslateText(
            "Verbaria je nainstalována jako balíček systému. Odinstalujte ji správcem balíčků, "
            "například příkazem: sudo apt remove verbaria"));
        return;
    }
    if (!Dialogs().AskYesNo(codePage.EncodeLossy(QStringLiteral("Opravdu chcete odinstalovat Verbaria ?"))))
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
    for (const FolderEntry &entry : listing_->List(languages)) {
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
