#pragma once

#include "dialogs/QtUserDialogs.h"
#include "editor/core/LanguageDocument.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/EditorFolders.h"
#include "editor/ui/EditorLanguage.h"
#include "editor/ui/Installation.h"
#include "editor/ui/TVlastnostiForm.h"
#include "editor/ui/TranslatorTexts.h"
#include "editor/ui/WindowTitle.h"
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
class ChecksController;
class CommandTable;
class EditingCommands;
class ExchangeController;
class PropertiesController;
class LiveController;
class MemoryController;
class TrackingController;
class SpellingController;
class InfoPanel;
class SearchCommands;
class TextPaneController;
class WindowPlacement;
class StartCommands;
class UnsavedWorkKeeper;
class RowCommands;

// The editor's main window: the toolbar and menus, the editing grid with its info panel, and the
// commands. The document behind the grid is a LanguageDocument; this class adds what needs
// widgets: start-up, the translator that speaks the editor's own language, and the dialogs. Each
// feature beside the grid is a controller of its own, given the window as its EditorContext; the
// window keeps the commands' table and the handlers the program's own template names.
class TMainForm final : public QMainWindow, public EditorContext
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
    void SetDialogs(UserDialogs *dialogs); // for tests; nullptr for the real dialogs
    void SetProgramFolder(const QString &folder) { folders_.SetProgramFolder(folder); } // for tests
    // Where the editor's own languages lie: slozkaProgramu + "jazyky/" unless installed, then
    // the installed data folder (ProgramFolders).
    void SetLanguagesFolder(const QString &folder) { folders_.SetLanguagesFolder(folder); }
    void SetInstalled(bool installed) { folders_.SetInstalled(installed); } // for tests
    // For tests: the registry record, how uninstalling lists the languages folder and starts its
    // script, and the process the script waits for.
    Installation &ThisCopy() { return installation_; }
    void SetPropertiesDialog(TVlastnostiForm *dialog);
    void SetAboutDialog(QDialog *dialog) { about_ = dialog; }

    LanguageDocument &Document() override { return *document_; }
    DocumentHistory &History() override { return *history_; }
    StringGrid &Grid() override;
    const TranslatorTexts &Texts() const override { return texts_; }
    UserDialogs &Dialogs() override { return *dialogs_; }
    QStatusBar &StatusLine() override;
    void EndEdits() override;
    void AfterCommand(bool marksTranslations) override;
    void GoTo(int column, int row) override;

    SettingsValues &Settings() { return settings_; }
    const std::string &slozkaProgramu() const { return folders_.Program(); }
    std::string LanguagesFolder() const { return folders_.Languages(); }
    bool Installed() const { return folders_.Installed(); }
    qt::TKVTranslator *prekladac() const { return language_.Translator(); }
    StringGrid *gridJazyk() const;
    StatusPanel &Status() { return *statusPanel_; }
    FilterBar *filterBar() const { return filterBar_; }
    TextPane *textPane() const { return textPane_; }
    // The controllers the command table binds to.
    ChecksController &ChecksCommands() { return *checks_; }
    MemoryController &MemoryCommands() { return *memory_; }
    ExchangeController &Exchange() { return *exchange_; }
    SpellingController &SpellingCommands() { return *spelling_; }
    SearchCommands &Search() { return *search_; }
    EditingCommands &Editing() { return *editing_; }
    LiveController &Live() { return *live_; }
    TrackingController &Tracking() { return *tracking_; }
    StartCommands &Start() { return *start_; }
    UnsavedWorkKeeper &Unsaved() { return *unsaved_; }
    RowCommands &Rows() { return *rows_; }
    // The caption the program's translator sets; the window itself shows it with the file name
    // and a mark for unsaved edits.
    QString windowTitle() const { return title_.Caption(); }
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
    CodePage LanguageCodePage() const { return LanguageCodePageOf(*document_); }
public slots:
    // Gives the rows that share an original text the translation of the group's last row.
    void ZapnoutTurmoMod();
    void ImportovatZeStareVerze();
    void Odinstalovat();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void SetUpCommands();
    void RefreshAfterTranslation();
    void SetUpWorkbench();
    void RetranslateWorkbench();
    void UpdateStatus();
    void UpdateTitle();
    void ApplyFilter();
    void ShowTextPane();
    void SetUpControllers();
    void RetranslateChecks();
    // The row's facts, findings and the memory's suggestions under the text pane.
    void ShowRowNotes(int row);
    // Checks the translations in the dictionary the document's choice or language names.
    void FollowSpelling();

    std::unique_ptr<Ui::TMainForm> ui_;
    SettingsValues settings_;
    QtUserDialogs realDialogs_;
    UserDialogs *dialogs_ = nullptr;
    TranslatorTexts texts_;
    EditorLanguage language_{texts_};
    std::unique_ptr<LanguageDocument> document_;
    QPointer<QDialog> about_;
    Installation installation_;
    Hooks hooks_;
    EditorFolders folders_;
    bool shown_ = false;
    bool ended_ = false;

    std::unique_ptr<DocumentHistory> history_;
    StatusPanel *statusPanel_ = nullptr;
    FilterBar *filterBar_ = nullptr;
    TextPane *textPane_ = nullptr;
    std::unique_ptr<TextPaneController> textPaneController_;
    std::unique_ptr<SearchCommands> search_;
    std::unique_ptr<InfoPanel> infoPanel_;
    std::unique_ptr<WindowPlacement> placement_;
    std::unique_ptr<CommandTable> commands_;
    WindowTitle title_{*this};

    std::unique_ptr<ChecksController> checks_;
    std::unique_ptr<TrackingController> tracking_;
    std::unique_ptr<MemoryController> memory_;
    std::unique_ptr<SpellingController> spelling_;
    std::unique_ptr<ExchangeController> exchange_;
    std::unique_ptr<EditingCommands> editing_;
    std::unique_ptr<PropertiesController> properties_;
    std::unique_ptr<LiveController> live_;
    std::unique_ptr<StartCommands> start_;
    std::unique_ptr<UnsavedWorkKeeper> unsaved_;
    std::unique_ptr<RowCommands> rows_;
};

} // namespace verbaria
