#include "SettingsWindows.h"
#include "tests/support/FailingDevice.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/FindTemplateFile.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

using namespace verbaria;

namespace {

using Entries = std::vector<std::string>;

void TypeInto(QWidget *dialog, const char *field, const QString &text)
{
    auto *edit = dialog->findChild<QLineEdit *>(QString::fromLatin1(field));
    ASSERT_NE(edit, nullptr) << field;
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// A press, a release and the double click that the window system makes of a second press.
void DoubleClick(QWidget *widget, QPoint position)
{
    const QPointF local(position);
    const QPointF global(widget->mapToGlobal(position));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

QString FieldText(QWidget *dialog, const char *field)
{
    return dialog->findChild<QLineEdit *>(QString::fromLatin1(field))->text();
}

} // namespace

// ---- the file ----------------------------------------------------------------------------------

TEST(CatalogueFile, ReadsTheLinesItCanAndWritesThemBackInItsOwnForm)
{
    SettingsWindows w;
    WriteFile(w.Path("programs.ini"), "  Beta=C:\\b\\beta.lnd ; C:\\b\\beta.exe\r\n"
                                      "// a comment\r\n"
                                      "   / another one = x;y\r\n"
                                      "\r\n"
                                      " \t \r\n"
                                      "no equals sign\r\n"
                                      "Gamma = no semicolon\r\n"
                                      "Alfa = a.lnd;C:\\a;b=c.exe\n");
    w.programy.Zobrazit();
    EXPECT_EQ(w.Names(), (Entries{"Alfa", "Beta"}));
    EXPECT_EQ(w.programy.Entry(1).Template, "C:\\b\\beta.lnd");
    EXPECT_EQ(w.programy.Entry(1).Program, "C:\\b\\beta.exe");
    EXPECT_EQ(w.programy.Entry(0).Program, "C:\\a;b=c.exe");

    w.programy.Zavrit();
    EXPECT_EQ(ReadFile(w.Path("programs.ini")),
              "Alfa = a.lnd;C:\\a;b=c.exe\r\nBeta = C:\\b\\beta.lnd;C:\\b\\beta.exe\r\n");
    // And what was written reads back the same.
    w.programy.Zobrazit();
    EXPECT_EQ(w.programy.Entry(0).Program, "C:\\a;b=c.exe");
}

TEST(CatalogueFile, AMissingFileIsAnEmptyListWithoutAnErrorAndClosingCreatesIt)
{
    SettingsWindows w;
    w.programy.show();
    EXPECT_TRUE(w.dialogs.Errors.empty());
    EXPECT_EQ(w.programy.Count(), 0);
    Click(&w.programy, "buttonZrusit");
    EXPECT_FALSE(w.programy.isVisible());
    EXPECT_EQ(ReadFile(w.Path("programs.ini")), "");
}

TEST(CatalogueFile, AnUnreadableFileIsReportedAndTheDialogOpensWithWhatItHeld)
{
    SettingsWindows w;
    w.programy.PridatZaznam("Held", "h.lnd", "h.exe");
    QDir(w.folder.path()).mkdir(QStringLiteral("programs.ini"));
    w.programy.show();
    ASSERT_EQ(w.dialogs.Errors.size(), 1u);
    EXPECT_TRUE(w.programy.isVisible());
    EXPECT_EQ(w.Names(), (Entries{"Held"}));
    // A direct reload (the template look-up) hands the error to its caller.
    EXPECT_THROW(w.programy.Zobrazit(), InOutError);
    w.programy.hide();
}

TEST(CatalogueFile, AFailedWriteIsReportedTheDialogClosesAndTheOldFileStays)
{
    SettingsWindows w;
    WriteFile(w.Path("programs.ini"), "Old = o.lnd;o.exe\r\n");
    w.programy.show();
    w.programy.PridatZaznam("New", "n.lnd", "n.exe");
    SetWriteFailureAfterBytesForTesting(0);
    Click(&w.programy, "buttonOK");
    SetWriteFailureAfterBytesForTesting(-1);
    EXPECT_FALSE(w.programy.isVisible());
    EXPECT_EQ(w.dialogs.Errors.size(), 1u);
    EXPECT_EQ(ReadFile(w.Path("programs.ini")), "Old = o.lnd;o.exe\r\n");
    EXPECT_EQ(w.Names(), (Entries{"New", "Old"}));
}

// ---- the list ----------------------------------------------------------------------------------

TEST(CatalogueList, EntriesAddedInAnyOrderAreShownAndWrittenSortedByName)
{
    SettingsWindows w;
    for (const char *name : {"beta", "Alfa", "alfa", "10 programs", "2 programs", "co-op", "coop", "Coo"})
        w.programy.PridatZaznam(name, std::string(name) + ".lnd", "");
    EXPECT_EQ(w.Names(),
              (Entries{"10 programs", "2 programs", "alfa", "Alfa", "beta", "Coo", "coop", "co-op"}));
    w.programy.Zavrit();
    EXPECT_EQ(ReadFile(w.Path("programs.ini")).substr(0, 30), "10 programs = 10 programs.lnd;");
}

TEST(CatalogueList, RenamingMovesTheEntryWithItsOwnTemplateAndProgram)
{
    SettingsWindows w;
    w.programy.show();
    w.programy.PridatZaznam("Alfa", "a.lnd", "a.exe");
    w.programy.PridatZaznam("Beta", "b.lnd", "b.exe");
    w.programy.PridatZaznam("Gama", "g.lnd", "g.exe");
    w.SelectEntry(0);
    ASSERT_EQ(w.programy.SelectedIndex(), 0);
    OnNextModal([](QWidget *dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("PridatProgramForm"));
        EXPECT_EQ(FieldText(dialog, "editNazev"), QStringLiteral("Alfa"));
        EXPECT_EQ(FieldText(dialog, "editSablona"), QStringLiteral("a.lnd"));
        TypeInto(dialog, "editNazev", QStringLiteral("Zeta"));
        TypeInto(dialog, "editProgram", QStringLiteral("z.exe"));
        Click(dialog, "buttonOK");
    });
    ClickTool(&w.programy, "toolUpravit");
    EXPECT_EQ(w.Names(), (Entries{"Beta", "Gama", "Zeta"}));
    EXPECT_EQ(w.programy.Entry(2).Template, "a.lnd");
    EXPECT_EQ(w.programy.Entry(2).Program, "z.exe");
    EXPECT_EQ(w.programy.Entry(0).Template, "b.lnd");
    EXPECT_EQ(w.programy.Entry(1).Program, "g.exe");
    // The edited entry keeps its selection while it moves.
    EXPECT_EQ(w.programy.SelectedIndex(), 2);
    w.programy.hide();
}

TEST(CatalogueList, RemovingAsksAndOnlyYesRemoves)
{
    SettingsWindows w;
    WriteFile(w.Path("programs.ini"), "Alfa = a.lnd;a.exe\r\nBeta = b.lnd;b.exe\r\n");
    w.programy.show();
    ClickTool(&w.programy, "toolSmazat"); // nothing selected: no question
    EXPECT_TRUE(w.dialogs.Questions.empty());

    w.SelectEntry(1);
    w.dialogs.Answers = {false, true};
    ClickTool(&w.programy, "toolSmazat");
    EXPECT_EQ(w.Names(), (Entries{"Alfa", "Beta"}));
    ClickTool(&w.programy, "toolSmazat");
    EXPECT_EQ(w.Names(), (Entries{"Alfa"}));
    ASSERT_EQ(w.dialogs.Questions.size(), 2u);
    EXPECT_EQ(w.dialogs.Questions[0], Cp("Opravdu chcete tento program odstranit ze seznamu ?"));
    Click(&w.programy, "buttonZrusit");
    EXPECT_EQ(ReadFile(w.Path("programs.ini")), "Alfa = a.lnd;a.exe\r\n");
}

TEST(CatalogueList, CancelStillSavesAndNovyShowsTheLastValues)
{
    SettingsWindows w;
    int result = -1;
    OnNextModal([&w](QWidget *catalogue) {
        OnNextModal([](QWidget *entry) {
            TypeInto(entry, "editNazev", QStringLiteral("Prvni"));
            TypeInto(entry, "editSablona", QStringLiteral("/p/prvni.lnd"));
            TypeInto(entry, "editProgram", QStringLiteral("/p/prvni"));
            Click(entry, "buttonOK");
        });
        ClickTool(catalogue, "toolNovy");
        // The second "Nový" shows the first one's texts; Cancel adds nothing.
        OnNextModal([](QWidget *entry) {
            EXPECT_EQ(FieldText(entry, "editNazev"), QStringLiteral("Prvni"));
            EXPECT_EQ(FieldText(entry, "editSablona"), QStringLiteral("/p/prvni.lnd"));
            EXPECT_EQ(FieldText(entry, "editProgram"), QStringLiteral("/p/prvni"));
            QTest::keyClick(entry, Qt::Key_Escape);
        });
        ClickTool(catalogue, "toolNovy");
        EXPECT_EQ(w.programy.Count(), 1);
        Click(catalogue, "buttonZrusit");
    });
    result = w.programy.exec();
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(ReadFile(w.Path("programs.ini")), "Prvni = /p/prvni.lnd;/p/prvni\r\n");
}

TEST(CatalogueList, StartOpensTheSelectedProgramAndDoesNothingWithoutASelection)
{
    SettingsWindows w;
    WriteFile(w.Path("programs.ini"), "Alfa = a.lnd;/opt/alfa/alfa\r\n");
    w.programy.show();
    ClickTool(&w.programy, "toolSpustit");
    EXPECT_TRUE(w.starter.Started.empty());
    w.SelectEntry(0);
    ClickTool(&w.programy, "toolSpustit");
    ASSERT_EQ(w.starter.Started.size(), 1u);
    EXPECT_EQ(w.starter.Started[0], QStringLiteral("/opt/alfa/alfa"));
    w.programy.hide();
}

TEST(CatalogueList, CtrlEnterStartsTheSelectedProgramLiveWhereTheEditorOffersIt)
{
    SettingsWindows w;
    WriteFile(w.Path("programs.ini"), "Alfa = a.lnd;/opt/alfa/alfa\r\nBeta = b.lnd;/opt/beta/beta\r\n");
    // Without the editor's live link the command is not offered.
    w.programy.show();
    EXPECT_FALSE(w.programy.findChild<QAction *>(QStringLiteral("toolSpustitZive"))->isVisible());
    w.programy.hide();

    QStringList live;
    w.programy.SetLiveStart([&live](const QString &program) { live.append(program); });
    OnNextModal([&w](QWidget *) {
        EXPECT_TRUE(w.programy.findChild<QAction *>(QStringLiteral("toolSpustitZive"))->isVisible());
        w.SelectEntry(1);
        w.List()->setFocus();
        QTest::keyClick(w.List(), Qt::Key_Return, Qt::ControlModifier);
    });
    // The dialog closes without choosing; the program starts live, not the desktop's way.
    EXPECT_EQ(w.programy.exec(), QDialog::Rejected);
    EXPECT_EQ(live, QStringList{QStringLiteral("/opt/beta/beta")});
    EXPECT_TRUE(w.starter.Started.empty());
}

TEST(CatalogueList, OkAndDoubleClickAcceptAndTheSelectionStaysAfterClosing)
{
    SettingsWindows w;
    WriteFile(w.Path("programs.ini"), "Alfa = a.lnd;a\r\nBeta = b.lnd;b\r\n");
    OnNextModal([&w](QWidget *) {
        w.SelectEntry(1);
        QTest::keyClick(w.List(), Qt::Key_Return);
    });
    EXPECT_EQ(w.programy.exec(), QDialog::Accepted);
    EXPECT_EQ(w.programy.SelectedIndex(), 1);

    OnNextModal([&w](QWidget *) {
        w.List()->doItemsLayout();
        const QRect rect = w.List()->visualRect(w.List()->model()->index(0, 0));
        DoubleClick(w.List()->viewport(), rect.center());
    });
    EXPECT_EQ(w.programy.exec(), QDialog::Accepted);
    EXPECT_EQ(w.programy.Entry(w.programy.SelectedIndex()).Template, "a.lnd");
}

// ---- the catalogue for the editor ----------------------------------------------------------------

TEST(CatalogueForEditor, NewLanguageForAnotherProgramTakesTheChosenTemplate)
{
    SettingsWindows w;
    const std::string lnd = WriteFile(w.Path("p/prog.lnd"), "[ITEMS]\r\n1: COMPONENT \"Form1.Caption\"\r\n"
                                                            "2: MESSAGE \"Ahoj\"\r\n");
    const std::string popisy =
        WriteFile(w.Path("p/czech.lng"), Cp("00001:Hlavní okno\r\n00002:Ahoj světe\r\n"));
    WriteFile(w.Path("programs.ini"), "Jiny = /nowhere/jiny.lnd;\r\nProgram = " + lnd + ";\r\n");
    w.main.show();
    const std::string languageBefore = w.main.Document().souborJazyka();

    OnNextModal([&w](QWidget *) {
        w.SelectEntry(1);
        Click(&w.programy, "buttonOK");
    });
    w.main.NovyVJinemProgramu();
    EXPECT_EQ(w.main.Document().aktualniSablona(), lnd);
    EXPECT_EQ(w.main.Document().souborPopisu(), popisy);
    EXPECT_EQ(w.main.Settings().JazykProPopisy, popisy);
    EXPECT_EQ(w.main.Document().souborJazyka(), languageBefore);
    EXPECT_EQ(w.main.Document().Grid().Text(0, 1), Cp("Hlavní okno"));
    EXPECT_EQ(w.main.Document().Grid().Text(1, 1), "");

    // Cancel, or OK with nothing selected, changes nothing.
    OnNextModal([&w](QWidget *) { Click(&w.programy, "buttonZrusit"); });
    w.main.NovyVJinemProgramu();
    EXPECT_EQ(w.main.Document().aktualniSablona(), lnd);
    w.main.close();
}

TEST(CatalogueForEditor, TemplateLookUpFindsATemplateThroughTheCatalogue)
{
    SettingsWindows w;
    const std::string lnd = WriteFile(w.Path("elsewhere/prog.lnd"), "[ITEMS]\r\n");
    WriteFile(w.Path("programs.ini"), "Program = " + lnd + ";\r\n");
    EXPECT_EQ(FindTemplateFile("PROG.LND", "", w.hooks.CatalogueTemplates), lnd);
    EXPECT_FALSE(w.programy.isVisible());
    EXPECT_EQ(FindTemplateFile("other.lnd", "", w.hooks.CatalogueTemplates), "");
}

TEST(CatalogueEntry, ANameWithEqualsOrAPathWithSemicolonIsRefusedAndTheDialogStays)
{
    SettingsWindows w;
    OnNextModal([&w](QWidget *catalogue) {
        OnNextModal([&w](QWidget *entry) {
            TypeInto(entry, "editNazev", QStringLiteral("A=B"));
            TypeInto(entry, "editSablona", QStringLiteral("/p/a;b.lnd"));
            TypeInto(entry, "editProgram", QStringLiteral("/p/a"));
            Click(entry, "buttonOK");
            EXPECT_TRUE(entry->isVisible());
            TypeInto(entry, "editNazev", QStringLiteral("A"));
            Click(entry, "buttonOK");
            EXPECT_TRUE(entry->isVisible());
            TypeInto(entry, "editSablona", QStringLiteral("/p/a.lnd"));
            Click(entry, "buttonOK");
            EXPECT_FALSE(entry->isVisible());
            EXPECT_EQ(w.dialogs.Messages,
                      (std::vector<std::string>{"Název programu nesmí obsahovat znak „=“.",
                                                "Cesta k šabloně ani k programu nesmí obsahovat znak „;“."}));
        });
        ClickTool(catalogue, "toolNovy");
        Click(catalogue, "buttonOK");
    });
    w.programy.exec();
    EXPECT_EQ(ReadFile(w.Path("programs.ini")), "A = /p/a.lnd;/p/a\r\n");
}

TEST(CatalogueList, ACatalogueGoneMissingKeepsTheEntriesHeldAndWritesThemBack)
{
    SettingsWindows w;
    WriteFile(w.Path("programs.ini"), "Alfa = a.lnd;a.exe\r\nBeta = b.lnd;b.exe\r\n");
    w.programy.show();
    Click(&w.programy, "buttonOK");
    ASSERT_TRUE(QFile::remove(w.Path("programs.ini")));
    w.programy.show();
    EXPECT_EQ(w.Names(), (Entries{"Alfa", "Beta"}));
    Click(&w.programy, "buttonOK");
    EXPECT_EQ(ReadFile(w.Path("programs.ini")), "Alfa = a.lnd;a.exe\r\nBeta = b.lnd;b.exe\r\n");
}

TEST(CatalogueList, TheListsKeysAddEditAndRemoveAndTheMenuKeyOffersTheCommands)
{
    SettingsWindows w;
    WriteFile(w.Path("programs.ini"), "Alfa = a.lnd;a\r\n");
    OnNextModal([&w](QWidget *catalogue) {
        QListView *list = w.List();
        list->setFocus();
        // Insert: a new entry through the entry dialog, typed and confirmed with Enter.
        OnNextModal([](QWidget *entry) {
            TypeInto(entry, "editNazev", QStringLiteral("Beta"));
            TypeInto(entry, "editSablona", QStringLiteral("b.lnd"));
            QTest::keyClick(entry, Qt::Key_Return);
        });
        QTest::keyClick(list, Qt::Key_Insert);
        EXPECT_EQ(w.Names(), (Entries{"Alfa", "Beta"}));

        // F2: the selected entry in the entry dialog.
        w.SelectEntry(1);
        list->setFocus();
        OnNextModal([](QWidget *entry) {
            EXPECT_EQ(FieldText(entry, "editNazev"), QStringLiteral("Beta"));
            TypeInto(entry, "editNazev", QStringLiteral("Gama"));
            QTest::keyClick(entry, Qt::Key_Return);
        });
        QTest::keyClick(list, Qt::Key_F2);
        EXPECT_EQ(w.Names(), (Entries{"Alfa", "Gama"}));

        // Delete asks first.
        w.SelectEntry(0);
        list->setFocus();
        w.dialogs.Answers = {true};
        QTest::keyClick(list, Qt::Key_Delete);
        EXPECT_EQ(w.Names(), (Entries{"Gama"}));
        EXPECT_EQ(w.dialogs.Questions.size(), 1u);

        // The menu key: the same commands beside the entry.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), list->mapToGlobal(QPoint(5, 5)));
        QTimer::singleShot(0, qApp, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            EXPECT_NE(menu, nullptr);
            if (!menu)
                return;
            QStringList names;
            for (QAction *action : menu->actions())
                names.append(action->objectName());
            EXPECT_TRUE(names.contains(QStringLiteral("toolNovy")));
            EXPECT_TRUE(names.contains(QStringLiteral("toolUpravit")));
            EXPECT_TRUE(names.contains(QStringLiteral("toolSmazat")));
            menu->close();
        });
        QApplication::sendEvent(list, &menuKey);
        Click(catalogue, "buttonZrusit");
    });
    w.programy.exec();
    EXPECT_EQ(ReadFile(w.Path("programs.ini")), "Gama = b.lnd;\r\n");
}
