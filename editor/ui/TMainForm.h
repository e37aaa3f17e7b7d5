#pragma once

#include "editor/core/LanguageDocument.h"
#include "editor/ui/QtUserDialogs.h"
#include "editor/ui/TVlastnostiForm.h"
#include "editor/ui/TranslatorTexts.h"
#include "settings/core/SettingsValues.h"
#include "translator/qt/QtOwnTexts.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace Ui {
class TMainForm;
}

namespace verbaria {

namespace qt {
class TKVTranslator;
}
class DetachedProcess;
class FindDialog;
class FolderListing;
class RegistryRecord;
class TVlastnostiForm;
class TAboutForm;
class StringGrid;
class DocumentHistory;
class StatusPanel;
class FilterBar;
class TextPane;
class ReplaceDialog;
struct ReplacePlan;
class RowChecks;
class DocumentMemory;
class DocumentSpelling;

// The editor's main window: the toolbar and menus, the editing grid with its info panel, and the
// commands. The document behind the grid is a LanguageDocument; this class adds what needs
// widgets: start-up, the translator that speaks the editor's own language, and the dialogs.
class TMainForm final : public QMainWindow
{
    Q_OBJECT

public:
    // What the rooms above the editor (settings, catalogue) do for it.
    struct Hooks
    {
        // Reads "glotra.ini" and applies the command line (start-up steps 2 and 3).
        std::function<void(const std::string &slozkaProgramu, SettingsValues &settings)> ReadSettings;
        // Writes "glotra.ini" at the end; may raise FormatError.
        std::function<void(const std::string &slozkaProgramu, const SettingsValues &settings)> WriteSettings;
        // Shows the catalogue of registered programs; the chosen program's template, or nullopt.
        std::function<std::optional<std::string>()> ChooseProgram;
        // Reloads the catalogue and gives its templates in order (template look-ups).
        std::function<std::vector<std::string>()> CatalogueTemplates;
        // Shows the settings dialog modally.
        std::function<void()> ShowSettings;
    };

    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    void SetDialogs(UserDialogs *dialogs);        // for tests; nullptr for the real dialogs
    void SetProgramFolder(const QString &folder); // for tests; else the executable's folder
    // Where the editor's own languages lie: slozkaProgramu + "jazyky/" unless installed, then
    // the installed data folder (ProgramFolders).
    void SetLanguagesFolder(const QString &folder);
    void SetInstalled(bool installed) { installed_ = installed; } // for tests
    void SetRegistryRecord(RegistryRecord *record);               // for tests
    // For tests: how uninstalling lists the languages folder and starts its script (nullptr for
    // the system's), and the process the script waits for (the program's own by default).
    void SetFolderListing(FolderListing *listing);
    void SetDetachedProcess(DetachedProcess *process);
    void SetEditorProcessId(qint64 pid) { editorProcessId_ = pid; }
    void SetPropertiesDialog(TVlastnostiForm *dialog);
    void SetAboutDialog(QDialog *dialog) { about_ = dialog; }

    LanguageDocument &Document() { return *document_; }
    SettingsValues &Settings() { return settings_; }
    const std::string &slozkaProgramu() const { return slozkaProgramu_; }
    std::string LanguagesFolder() const
    {
        return languagesFolder_.empty() ? slozkaProgramu_ + "jazyky/" : languagesFolder_;
    }
    bool Installed() const { return installed_; }
    qt::TKVTranslator *prekladac() const { return prekladac_; }
    const TranslatorTexts &Texts() const { return texts_; }
    StringGrid *gridJazyk() const;
    FindDialog *findDialog() const { return findDialog_; }
    ReplaceDialog *replaceDialog() const { return replaceDialog_; }
    DocumentHistory &History() { return *history_; }
    StatusPanel &Status() { return *statusPanel_; }
    FilterBar *filterBar() const { return filterBar_; }
    TextPane *textPane() const { return textPane_; }
    RowChecks &Checks() { return *rowChecks_; }
    DocumentMemory &Memory() { return *memory_; }
    DocumentSpelling &Spelling() { return *spelling_; }
    // The caption the program's translator sets; the window itself shows it with the file name
    // and a mark for unsaved edits.
    QString windowTitle() const { return caption_; }
    Ui::TMainForm &ui() { return *ui_; }

    // Start-up and the end of the run.
    void FormShow();
    void FormResize();
    bool OpravduSkoncit();
    void FormHide();

public slots:
    void NovyJazyk();
    void NovyVJinemProgramu();
    void OtevritJazyk();
    void UlozitJazyk();
    void OtevriZdroj();
    void SmazatJazyk();
    void toolVlastnostiClick();
    void Nastaveni();
    void OProgramu();
    // Shows the modeless find dialog and returns.
    void NajitText();
    // One search from the grid's current cell with the find dialog's text and match-case box.
    void NajitDalsi();

public:
    // Gives the grid and the properties dialog the document's code pages.
    void ApplyCodePages();
    // The code pages of the document as the windows use them.
    CodePage TemplateCodePage() const;
    CodePage LanguageCodePage() const;
    CodePage DescriptionCodePage() const;
public slots:
    // Gives the rows that share an original text the translation of the group's last row.
    void ZapnoutTurmoMod();
    void ImportovatZeStareVerze();
    void Odinstalovat();

    // Beside the commands above.
    // Writes the current language file without a dialog; without one it is the save command.
    void UlozitHned();
    void Zpet();
    void Znovu();
    void NajitDalsiPrikaz();
    void Nahradit();
    void DalsiNeprelozeny();
    void PredchoziNeprelozeny();
    // The checks and the translation memory.
    void DalsiProblem();
    void PotvrditVarovani();
    void PrevzitNavrh(int index);
    void PredprelozitZPameti();
    // XLIFF and PO, by the chosen file's extension (ExchangeCommands.cpp).
    void Exportovat();
    void Importovat();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void SetUpIcons();
    void LocateProgramFolder();
    void FindInstalledDefaults();
    void SetUpCommands();
    void RefreshAfterTranslation();
    void LayOutInfoPanel();
    void ShowInfo(int column, int row);
    void ReportUnrepresentable(const QString &text);
    void ReportLineBreaks();
    // Qt's own buttons and dialogs in the language the editor speaks now.
    void FollowLanguageWithQtTexts();
    // The properties dialog's choice of the language file's code page: the translations and the
    // language's values are converted, or, when the new code page cannot hold some of them,
    // nothing changes and the rows are listed. True when the document took it.
    bool ZmenitKodovouStranku(const QString &name);
    UserDialogs &Dialogs();
    void SetUpWorkbench();
    void RetranslateWorkbench();
    // Ends the edits open in the grid or the text pane, as leaving them would.
    void EndEdits();
    // After any command: one undo step of what it changed.
    void AfterCommand(bool marksTranslations);
    void UpdateStatus();
    void UpdateTitle();
    void ApplyFilter();
    void ShowTextPane();
    void MoveToUntranslated(int direction);
    void GoTo(int column, int row);
    void ApplyReplace(const ReplacePlan &plan);
    void SetUpChecks();
    void RetranslateChecks();
    void RefreshChecks(int first, int last);
    // The row's context, disambiguation, programmer's comment and source place, as rich text.
    QString MessageFacts(int row) const;
    // The text the form holds for a component row (the template tells it); empty when unknown.
    QString FormTextOf(int row) const;
    void ShowRowNotes(int row);
    void StartMemory();
    // Names in the status bar the files the memory could not read.
    void ReportSkippedMemoryFiles();
    void SetUpSpelling();
    // Checks the translations in the dictionary the document's choice or language names.
    void FollowSpelling();
    // The choice a language file read carries; the saved bytes with the choice written in.
    // What the properties dialog offers: (text, value of DocumentHeader::Pravopis).
    QList<std::pair<QString, QString>> SpellingChoices();
    void RestoreWindow();
    void SetDefaultSize();
    void KeepRememberedColumns();
    void RememberWindow();
    QString WindowGeometryText() const;
    QString ColumnWidthsText() const;

    std::unique_ptr<Ui::TMainForm> ui_;
    SettingsValues settings_;
    QtUserDialogs realDialogs_;
    UserDialogs *dialogs_ = nullptr;
    TranslatorTexts texts_;
    qt::QtOwnTexts qtTexts_;
    std::unique_ptr<LanguageDocument> document_;
    QPointer<qt::TKVTranslator> prekladac_;
    RegistryRecord *registry_ = nullptr;
    std::unique_ptr<RegistryRecord> ownRegistry_;
    QPointer<TVlastnostiForm> vlastnosti_;
    QPointer<QDialog> about_;
    FindDialog *findDialog_ = nullptr;
    FolderListing *listing_ = nullptr;
    std::unique_ptr<FolderListing> ownListing_;
    DetachedProcess *detached_ = nullptr;
    std::unique_ptr<DetachedProcess> ownDetached_;
    qint64 editorProcessId_ = 0;
    Hooks hooks_;
    std::string slozkaProgramu_;
    std::string languagesFolder_;
    QString registryFile_;
    bool installed_ = false;
    bool shown_ = false;
    bool ended_ = false;

    std::unique_ptr<DocumentHistory> history_;
    StatusPanel *statusPanel_ = nullptr;
    FilterBar *filterBar_ = nullptr;
    TextPane *textPane_ = nullptr;
    ReplaceDialog *replaceDialog_ = nullptr;
    QString caption_;
    bool composingTitle_ = false;
    bool activatedOnce_ = false;
    QString geometryAtStart_;
    QString columnsAtStart_;
    // The column widths of the last run, kept until the window's size differs from theirs.
    std::optional<std::pair<int, int>> rememberedColumns_;
    QSize rememberedFor_;

    std::unique_ptr<RowChecks> rowChecks_;
    DocumentMemory *memory_ = nullptr;
    DocumentSpelling *spelling_ = nullptr;
    std::string memoryKey_;
    // UTF-8, in the order of their keys; whether taking it leaves the row for review.
    std::vector<std::pair<std::string, bool>> shownSuggestions_;
    int suggestionsRow_ = -1;
    // The export and import dialog's folder and file name between uses.
    FileDialogState exchangeDialog_;
};

} // namespace verbaria
