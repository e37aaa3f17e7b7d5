#include "editor/ui/MainFormCommands.h"

#include "editor/ui/DocumentHistory.h"
#include "editor/ui/RowCommands.h"
#include "editor/ui/StartCommands.h"
#include "editor/ui/TMainForm.h"
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
        {"menuUlozitHned", nullptr, nullptr, P::SP_CustomBase, "Ctrl+S", run(&TMainForm::UlozitHned)},
        {"menuImportovat", nullptr, nullptr, P::SP_CustomBase, nullptr, run(&TMainForm::Importovat)},
        {"menuExportovat", nullptr, nullptr, P::SP_CustomBase, nullptr, run(&TMainForm::Exportovat)},
        {"menuOtevritZdrojovy", nullptr, "format-justify-left", P::SP_DirOpenIcon, "Ctrl+Shift+O",
         run(&TMainForm::OtevriZdroj)},
        {"menuVlastnosti", "toolVlastnosti", "document-properties", P::SP_FileDialogDetailedView,
         "Alt+Return", run(&TMainForm::toolVlastnostiClick)},
        {"menuInfo", "toolInfo", "help-about", P::SP_MessageBoxInformation, "F1", run(&TMainForm::OProgramu)},
        {"menuKonec", nullptr, "application-exit", P::SP_DialogCloseButton, "Ctrl+Q",
         [&window] { window.close(); }},

        {"menuZpet", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Z", run(&TMainForm::Zpet),
         [&window] { return window.History().CanUndo(); }},
        {"menuZnovu", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Shift+Z;Ctrl+Y", run(&TMainForm::Znovu),
         [&window] { return window.History().CanRedo(); }},
        {"menuDalsiNeprelozeny", nullptr, nullptr, P::SP_CustomBase, "Ctrl+J",
         run(&TMainForm::DalsiNeprelozeny)},
        {"menuPredchoziNeprelozeny", nullptr, nullptr, P::SP_CustomBase, "Ctrl+Shift+J",
         run(&TMainForm::PredchoziNeprelozeny)},
        {"menuFiltr", nullptr, nullptr, P::SP_CustomBase, "Ctrl+L", run(&TMainForm::FocusFilter)},
        {"menuTextovePole", nullptr, nullptr, P::SP_CustomBase, "Ctrl+E", run(&TMainForm::EditInTextPane)},
        {"menuPrevzitOriginal", nullptr, nullptr, P::SP_CustomBase, "Ctrl+B",
         [&window] { window.Rows().CopyOriginal(); }},
        {"menuKeKontrole", nullptr, nullptr, P::SP_CustomBase, "Ctrl+U",
         [&window] { window.Rows().ToggleReview(); }},
        {"menuVlozitZnacku", nullptr, nullptr, P::SP_CustomBase, "Ctrl+I",
         [&window] { window.Rows().InsertNextToken(); }},
        {"menuDalsiProblem", nullptr, nullptr, P::SP_CustomBase, "F8", run(&TMainForm::DalsiProblem)},
        {"menuPotvrditVarovani", nullptr, nullptr, P::SP_CustomBase, "Ctrl+K",
         run(&TMainForm::PotvrditVarovani)},
        {"menuPrevzitNavrh1", nullptr, nullptr, P::SP_CustomBase, "Ctrl+1",
         [&window] { window.PrevzitNavrh(0); }},
        {"menuPrevzitNavrh2", nullptr, nullptr, P::SP_CustomBase, "Ctrl+2",
         [&window] { window.PrevzitNavrh(1); }},
        {"menuPrevzitNavrh3", nullptr, nullptr, P::SP_CustomBase, "Ctrl+3",
         [&window] { window.PrevzitNavrh(2); }},
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
    return commands;
}

} // namespace verbaria
