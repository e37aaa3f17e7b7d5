#include "editor/ui/MainFormCommands.h"

#include "editor/ui/ChecksController.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/EditingCommands.h"
#include "editor/ui/ExchangeController.h"
#include "editor/ui/LiveController.h"
#include "editor/ui/MemoryController.h"
#include "editor/ui/PseudoTranslation.h"
#include "editor/ui/RowCommands.h"
#include "editor/ui/SearchCommands.h"
#include "editor/ui/StartCommands.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TrackingController.h"
#include "widgets/MenuStyle.h"

#include <QMenu>
#include <QToolBar>

namespace verbaria {

namespace {

template <std::size_t N> void NameSeparators(QWidget *owner, const char *const (&names)[N])
{
    if (!owner)
        return;
    std::size_t next = 0;
    for (QAction *action : owner->actions()) {
        if (action->isSeparator() && next < N)
            action->setObjectName(QString::fromLatin1(names[next++]));
    }
}

} // namespace

void PrepareMenus(QMainWindow &window)
{
    static const char *const ToolSeparators[] = {"toolNil", "toolNil3"};
    static const char *const SouborSeparators[] = {"menuNil", "menuNil2", "menuNil3"};
    static const char *const NastrojeSeparators[] = {"menuNil4", "menuNil5", "menuNil6"};
    auto *soubor = window.findChild<QMenu *>(QStringLiteral("menuSoubor"));
    auto *nastroje = window.findChild<QMenu *>(QStringLiteral("menuNastroje"));
    NameSeparators(window.findChild<QToolBar *>(QStringLiteral("ToolBarHlavni")), ToolSeparators);
    NameSeparators(soubor, SouborSeparators);
    NameSeparators(nastroje, NastrojeSeparators);
    // One style for both menus, owned by the window; it wraps a style of its own.
    auto *menuStyle = new MenuStyle;
    menuStyle->setParent(&window);
    for (QMenu *menu : {soubor, nastroje}) {
        if (menu)
            menu->setStyle(menuStyle);
    }
}

std::vector<Command> MainFormCommands(TMainForm &window)
{
    auto run = [&window](void (TMainForm::*command)()) {
        return [&window, command] { (window.*command)(); };
    };
    using P = QStyle::StandardPixmap;
    // The File menu, the Edit menu, the Tools menu; the toolbar's buttons beside their entries.
    std::vector<Command> commands{
        {"menuNovy", "toolNovy", "document-new", P::SP_FileIcon, "Ctrl+N", run(&TMainForm::NovyJazyk)},
        {"menuNovyPro", "toolNovyVJinemProgramu", "window-new", P::SP_DesktopIcon, "Ctrl+Shift+N",
         run(&TMainForm::NovyVJinemProgramu)},
        {"menuNovyZeSablony", nullptr, "document-new", P::SP_FileDialogNewFolder, "Ctrl+Alt+N",
         [&window] { window.Start().NewFromTemplate(); }},
        {"menuOtevrit", "toolOtevrit", "document-open", P::SP_DialogOpenButton, "Ctrl+O",
         run(&TMainForm::OtevritJazyk)},
        {"menuUlozit", "toolUlozit", "document-save", P::SP_DialogSaveButton, "Ctrl+Shift+S",
         run(&TMainForm::UlozitJazyk)},
        {"menuUlozitHned", nullptr, nullptr, P::SP_CustomBase, "Ctrl+S",
         [&window] { window.Editing().SaveNow(); }},
        {"menuImportovat", nullptr, nullptr, P::SP_CustomBase, nullptr,
         [&window] { window.Exchange().Import(); }},
        {"menuExportovat", nullptr, nullptr, P::SP_CustomBase, nullptr,
         [&window] { window.Exchange().Export(); }},
        {"menuOtevritZdrojovy", nullptr, "format-justify-left", P::SP_DirOpenIcon, "Ctrl+Shift+O",
         run(&TMainForm::OtevriZdroj)},
        {"menuVlastnosti", "toolVlastnosti", "document-properties", P::SP_FileDialogDetailedView,
         "Alt+Return", run(&TMainForm::toolVlastnostiClick)},
        {"menuInfo", "toolInfo", "help-about", P::SP_MessageBoxInformation, "F1", run(&TMainForm::OProgramu)},
        {"menuKonec", nullptr, "application-exit", P::SP_DialogCloseButton, "Ctrl+Q",
         [&window] { window.close(); }},

        {"menuZpet", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Z", [&window] { window.Editing().Undo(); },
         [&window] { return window.History().CanUndo(); }},
        {"menuZnovu", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Shift+Z;Ctrl+Y",
         [&window] { window.Editing().Redo(); }, [&window] { return window.History().CanRedo(); }},
        {"menuDalsiNeprelozeny", nullptr, nullptr, P::SP_CustomBase, "Ctrl+J",
         [&window] { window.Editing().MoveToUntranslated(1); }},
        {"menuPredchoziNeprelozeny", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Shift+J",
         [&window] { window.Editing().MoveToUntranslated(-1); }},
        {"menuFiltr", nullptr, nullptr, P::SP_CustomBase, "Ctrl+L",
         [&window] { window.Editing().FocusFilter(); }},
        {"menuTextovePole", nullptr, nullptr, P::SP_CustomBase, "Ctrl+E",
         [&window] { window.Editing().EditInTextPane(); }},
        {"menuDalsiProblem", nullptr, nullptr, P::SP_CustomBase, "F8",
         [&window] { window.ChecksCommands().NextProblem(); }},
        {"menuPredchoziProblem", nullptr, nullptr, P::SP_CustomBase, "Shift+F8",
         [&window] { window.ChecksCommands().PreviousProblem(); }},
        {"menuPrevzitOriginal", nullptr, nullptr, P::SP_CustomBase, "Ctrl+B",
         [&window] { window.Rows().CopyOriginal(); }},
        {"menuKeKontrole", nullptr, nullptr, P::SP_CustomBase, "Ctrl+U",
         [&window] { window.Rows().ToggleReview(); }},
        {"menuVlozitZnacku", nullptr, nullptr, P::SP_CustomBase, "Ctrl+I",
         [&window] { window.Rows().InsertNextToken(); }},
        {"menuKomentarRadku", nullptr, nullptr, P::SP_CustomBase, "Ctrl+M",
         [&window] { window.Rows().EditComment(); }},
        {"menuPotvrditVarovani", nullptr, nullptr, P::SP_CustomBase, "Ctrl+K",
         [&window] { window.ChecksCommands().AcknowledgeWarnings(); }},
        {"menuPonechatPreklad", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Shift+K",
         [&window] { window.Tracking().KeepTranslation(); }},
        {"menuPrevzitPresunute", nullptr, nullptr, P::SP_CustomBase, nullptr,
         [&window] { window.Tracking().TakeMoved(); }},
        {"menuZastaralePreklady", nullptr, nullptr, P::SP_CustomBase, nullptr,
         [&window] { window.Tracking().ShowObsolete(); }},
        {"menuPrevzitNavrh1", nullptr, nullptr, P::SP_CustomBase, "Ctrl+1",
         [&window] { window.MemoryCommands().Take(0); }},
        {"menuPrevzitNavrh2", nullptr, nullptr, P::SP_CustomBase, "Ctrl+2",
         [&window] { window.MemoryCommands().Take(1); }},
        {"menuPrevzitNavrh3", nullptr, nullptr, P::SP_CustomBase, "Ctrl+3",
         [&window] { window.MemoryCommands().Take(2); }},
        {"menuPredprelozit", nullptr, nullptr, P::SP_CustomBase, nullptr,
         [&window] { window.MemoryCommands().PreTranslate(); }},
        {"menuSpustitZive", nullptr, "media-playback-start", P::SP_MediaPlay, nullptr,
         [&window] { window.Live().ChooseAndStart(); }},
        {"menuVybiratVProgramu", nullptr, "edit-select", P::SP_ArrowUp, "Ctrl+Shift+P",
         [&window] { window.Live().SetPickMode(!window.Live().PickMode()); }},
        {"menuPseudoprelozit", nullptr, nullptr, P::SP_CustomBase, nullptr,
         [&window] { FillWithPseudoLanguage(window, window.ChecksCommands().Checks()); }},

        {"menuNajit", "toolNajit", "edit-find", P::SP_FileDialogContentsView, "Ctrl+F",
         run(&TMainForm::NajitText)},
        {"menuNajitDalsi", nullptr, nullptr, P::SP_CustomBase, "F3",
         [&window] { window.Search().FindNextCommand(); }},
        {"menuNahradit", nullptr, nullptr, P::SP_CustomBase, "Ctrl+H",
         [&window] { window.Search().ShowReplace(); }},
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
    return commands;
}

} // namespace verbaria
