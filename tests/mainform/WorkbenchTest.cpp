// The workbench beside the classic commands: counts, filter, text pane, going to untranslated
// texts, undo and redo of every kind of step, replace and the shortcuts, over real widgets.
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/FindDialog.h"
#include "editor/ui/ReplaceDialog.h"
#include "editor/ui/SearchCommands.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "editor/ui/TextPane.h"
#include "formats/FileIO.h"
#include "mainform/WindowFixture.h"
#include "platform/RegistryRecord.h"
#include "support/ScriptedDialogs.h"
#include "ui_ReplaceDialog.h"
#include "ui_TVlastnostiForm.h"
#include "widgets/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>

using namespace verbaria;

namespace {

// Everything a step can change: texts and styles of every cell, the row count and the header.
struct Snapshot
{
    GridCells Cells;
    DocumentHeader Header;
    bool operator==(const Snapshot &other) const
    {
        if (Cells.RowCount() != other.Cells.RowCount())
            return false;
        for (int row = 0; row < Cells.RowCount(); ++row) {
            for (int column = 0; column < 2; ++column) {
                if (Cells.Text(column, row) != other.Cells.Text(column, row) ||
                    !(Cells.Style(column, row) == other.Cells.Style(column, row)))
                    return false;
            }
        }
        return Header.editJazyk == other.Header.editJazyk &&
               Header.editVerzeJazyka == other.Header.editVerzeJazyka;
    }
};

class Workbench : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        Write("demo.lnd", "[LANGUAGE]\r\nProgram=Demo\r\n[ITEMS]\r\n"
                          "1: SECTION \"Okno\"\r\n"
                          "2: COMPONENT \"F.Caption\"\r\n"
                          "3: COMMENT \"Pozor\"\r\n"
                          "4: MESSAGE \"Ahoj\"\r\n"
                          "5: MESSAGE \"Ahoj\"\r\n"
                          "6: MESSAGE \"Soubor\"\r\n");
        Write("demo.lng", original_);
        Write("other.lng", "Language=Jiny\r\nDefinition=demo.lnd\r\n00004:Servus\r\n00006:Datei\r\n");
        TMainForm::Hooks hooks;
        const std::string demo = Path("demo.lnd");
        const std::string language = Path("demo.lng");
        hooks.ReadSettings = [demo, language, this](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = demo;
            settings.PosledniJazyk = language;
            settings.JazykProPopisy.clear();
            settings.AutomatickeDoplnovani = autoComplete_;
            settings.OknoPoloha = place_;
            settings.OknoSloupce = columns_;
        };
        hooks.WriteSettings = [this](const std::string &, const SettingsValues &settings) {
            written_ = settings;
        };
        Attach(form_, hooks);
    }

    void Show()
    {
        form_.resize(700, 500);
        form_.show();
        QApplication::setActiveWindow(&form_);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
        Grid()->setFocus();
    }
    StringGrid *Grid() { return form_.gridJazyk(); }
    LanguageDocument &Document() { return form_.Document(); }
    const std::string &Right(int row) { return Document().Grid().Text(1, row); }
    void Type(const QString &text)
    {
        for (const QChar character : text)
            QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Grid(), key, modifiers);
    }
    void TypeIntoCell(int row, const QString &text)
    {
        ASSERT_TRUE(Grid()->SetCurrentCell(1, row));
        Grid()->setFocus();
        Type(text);
        Press(Qt::Key_Return);
        Press(Qt::Key_Escape); // the editor the advance opened
    }
    std::vector<bool> ShownRows()
    {
        std::vector<bool> shown;
        for (int row = 1; row < Document().Grid().RowCount(); ++row)
            shown.push_back(!Grid()->isRowHidden(row - 1));
        return shown;
    }
    Snapshot Take() { return {Document().Grid(), Document().Header()}; }

    std::string place_;
    std::string columns_;
    SettingsValues written_;
    const std::string original_ = "Definition=demo.lnd\r\n00002:Titel\r\n";
    bool autoComplete_ = false;
    TMainForm form_;
};

} // namespace

TEST_F(Workbench, StatusBarAndTitleFollowTheTyping)
{
    Show();
    QLabel *counts = form_.Status().labelPrelozeno();
    EXPECT_EQ(counts->text(), QStringLiteral("Přeloženo 1 z 4"));
    EXPECT_EQ(form_.Status().labelSoubor()->text(), QStringLiteral("demo.lng"));
    EXPECT_EQ(form_.Status().labelSoubor()->toolTip(), QString::fromStdString(Path("demo.lng")));
    EXPECT_EQ(form_.windowTitle(), QStringLiteral("Verbaria")); // the program's caption stays
    EXPECT_EQ(form_.QMainWindow::windowTitle(), QStringLiteral("demo.lng[*]"));
    EXPECT_FALSE(form_.isWindowModified());

    ASSERT_TRUE(Grid()->SetCurrentCell(1, 4));
    Type(QStringLiteral("Servus"));
    EXPECT_EQ(counts->text(), QStringLiteral("Přeloženo 1 z 4")); // counted when the edit ends
    Press(Qt::Key_Return);
    EXPECT_EQ(counts->text(), QStringLiteral("Přeloženo 2 z 4"));
    EXPECT_EQ(form_.Status().progressPrelozeno()->value(), 500);
    EXPECT_TRUE(form_.isWindowModified());

    Press(Qt::Key_Escape);
    Action("menuUlozitHned")->trigger(); // Ctrl+S: no dialog, the same file
    EXPECT_EQ(Read("demo.lng"), "Definition=demo.lnd\r\n00002:Titel\r\n00004:Servus\r\n");
    EXPECT_FALSE(form_.isWindowModified());
    EXPECT_TRUE(dialogs_.SaveDialogsShown.empty());
}

TEST_F(Workbench, TheFilterHidesRowsAndChangesNothingElse)
{
    Show();
    const std::string unfiltered = Document().SavedBytes();
    FilterBar *filter = form_.filterBar();
    filter->comboFiltr()->setCurrentIndex(FilterBar::Untranslated);
    EXPECT_EQ(ShownRows(), (std::vector<bool>{false, false, false, true, true, true}));
    filter->comboFiltr()->setCurrentIndex(FilterBar::Translated);
    EXPECT_EQ(ShownRows(), (std::vector<bool>{false, true, false, false, false, false}));
    filter->comboFiltr()->setCurrentIndex(FilterBar::Containing);
    QTest::keyClicks(filter->editFiltr(), QStringLiteral("AHOJ")); // as the find command compares
    EXPECT_EQ(ShownRows(), (std::vector<bool>{false, false, false, true, true, false}));

    // Hidden rows are saved as they stand, and the find command still finds them.
    dialogs_.SaveChoices = {Path("filtered.lng")};
    Action("menuUlozit")->trigger();
    EXPECT_EQ(Read("filtered.lng"), unfiltered);
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 4));
    form_.Search()
        .findDialog()
        ->findChild<QLineEdit *>(QStringLiteral("editHledanyText"))
        ->setText(QStringLiteral("Titel"));
    form_.NajitDalsi();
    EXPECT_EQ(Grid()->CurrentRow(), 2);
    EXPECT_FALSE(Grid()->isRowHidden(1)); // the place found is shown
    filter->comboFiltr()->setCurrentIndex(FilterBar::All);
    EXPECT_EQ(ShownRows(), std::vector<bool>(6, true));
}

TEST_F(Workbench, NextAndPreviousUntranslatedWrap)
{
    Show();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 2));
    Press(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(Grid()->CurrentRow(), 4);
    Press(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(Grid()->CurrentRow(), 5);
    Press(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(Grid()->CurrentRow(), 6);
    Press(Qt::Key_J, Qt::ControlModifier); // past the end, round to the first one
    EXPECT_EQ(Grid()->CurrentRow(), 4);
    Press(Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier); // and back round the start
    EXPECT_EQ(Grid()->CurrentRow(), 6);
    EXPECT_EQ(Grid()->CurrentColumn(), 1);

    TypeIntoCell(4, QStringLiteral("a"));
    TypeIntoCell(5, QStringLiteral("b"));
    TypeIntoCell(6, QStringLiteral("c"));
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 5));
    Press(Qt::Key_J, Qt::ControlModifier); // nothing left: the cell stays
    EXPECT_EQ(Grid()->CurrentRow(), 5);
}

TEST_F(Workbench, WhatIsTypedInAFilteredViewNeverGoesIntoAHiddenRow)
{
    Show();
    TypeIntoCell(5, QStringLiteral("Hallo"));
    FilterBar *filter = form_.filterBar();
    // The row the user is on is hidden by the new filter: the cursor moves on to a shown row.
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 2));
    filter->comboFiltr()->setCurrentIndex(FilterBar::Untranslated);
    QCoreApplication::processEvents();
    ASSERT_EQ(ShownRows(), (std::vector<bool>{false, false, false, true, false, true}));
    EXPECT_EQ(Grid()->CurrentRow(), 4);
    EXPECT_FALSE(Grid()->SetCurrentCell(1, 5));

    // Enter in row 4 advances over the hidden row 5 to row 6, and the typing lands there.
    Grid()->setFocus();
    Type(QStringLiteral("Servus"));
    Press(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Grid()->CurrentRow(), 6);
    EXPECT_TRUE(Grid()->IsEditing());
    Type(QStringLiteral("ZZZ"));
    EXPECT_EQ(Right(4), "Servus");
    EXPECT_EQ(Right(5), "Hallo");
    EXPECT_EQ(Right(6), "ZZZ");

    // Nothing shown follows: the cell stays, without an appended row the view would hide.
    const int rows = Document().Grid().RowCount();
    Press(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Grid()->CurrentRow(), 6);
    EXPECT_FALSE(Grid()->IsEditing());
    EXPECT_EQ(Document().Grid().RowCount(), rows);
    EXPECT_EQ(ShownRows(), (std::vector<bool>{false, false, false, false, false, true}));

    // Undo keeps the cursor and the filter; the row it made untranslated again comes back.
    Press(Qt::Key_Z, Qt::ControlModifier);
    Press(Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(Right(4), "");
    EXPECT_EQ(Right(6), "");
    EXPECT_EQ(Grid()->CurrentRow(), 6);
    EXPECT_EQ(ShownRows(), (std::vector<bool>{false, false, false, true, false, true}));
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(Right(6), "ZZZ");
    EXPECT_EQ(Grid()->CurrentRow(), 6);
    EXPECT_EQ(ShownRows(), (std::vector<bool>{false, false, false, false, false, true}));

    // A filter that shows no row leaves no current cell: typing goes nowhere.
    filter->comboFiltr()->setCurrentIndex(FilterBar::All);
    filter->comboFiltr()->setCurrentIndex(FilterBar::Untranslated);
    QCoreApplication::processEvents();
    EXPECT_EQ(ShownRows(), std::vector<bool>(6, false));
    EXPECT_EQ(Grid()->CurrentRow(), -1);
    const Snapshot before = Take();
    Grid()->setFocus();
    Type(QStringLiteral("Q"));
    Press(Qt::Key_Return);
    EXPECT_TRUE(Take() == before);
    EXPECT_FALSE(Grid()->IsEditing());
}

TEST_F(Workbench, UndoAndRedoKeysReachTheDocumentFromTheEditorTheAdvanceOpened)
{
    Show();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 4));
    Type(QStringLiteral("Servus"));
    Press(Qt::Key_Return);
    ASSERT_TRUE(Grid()->IsEditing()); // row 5, nothing typed yet
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(Grid()->IsEditing());
    EXPECT_EQ(Right(4), "");
    EXPECT_EQ(Right(5), "");
    EXPECT_FALSE(Document().zmeneno());

    for (const QKeyCombination redo : {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z),
                                       QKeyCombination(Qt::ControlModifier, Qt::Key_Y)}) {
        Press(Qt::Key_Return); // the editor again, untouched
        ASSERT_TRUE(Grid()->IsEditing());
        Press(redo.key(), redo.keyboardModifiers());
        EXPECT_FALSE(Grid()->IsEditing());
        EXPECT_EQ(Right(4), "Servus");
        EXPECT_TRUE(Document().zmeneno());
        Press(Qt::Key_Return);
        Press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Right(4), "");
    }

    // What is typed is undone in the editor first; the next Ctrl+Z goes on to the document.
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(Right(4), "Servus");
    Press(Qt::Key_Return);
    Type(QStringLiteral("a"));
    EXPECT_EQ(Right(5), "a");
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Grid()->IsEditing());
    EXPECT_EQ(Right(4), "Servus");
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(Grid()->IsEditing());
    EXPECT_EQ(Right(4), "");
    EXPECT_EQ(Right(5), "");
}

TEST_F(Workbench, TheTextPaneShowsTheRowWholeAndEditsItsTranslation)
{
    Show();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 2));
    QCoreApplication::processEvents();
    TextPane *pane = form_.textPane();
    EXPECT_EQ(pane->memoPuvodniText()->toPlainText(), QStringLiteral("F.Caption"));
    EXPECT_EQ(pane->memoNovyText()->toPlainText(), QStringLiteral("Titel"));

    ASSERT_TRUE(Grid()->SetCurrentCell(1, 4));
    QCoreApplication::processEvents();
    pane->memoNovyText()->setFocus();
    QTest::keyClicks(pane->memoNovyText(), QStringLiteral("Servus"));
    EXPECT_EQ(Right(4), "Servus"); // the cell follows as it does its own editor
    EXPECT_FALSE(Document().zmeneno());
    pane->memoNovyText()->insertPlainText(QStringLiteral(" a\nb"));
    EXPECT_EQ(Right(4), "Servus a b"); // a line break never reaches the file
    QTest::keyClick(pane->memoNovyText(), Qt::Key_Return);
    EXPECT_TRUE(Document().zmeneno());
    EXPECT_EQ(form_.Status().labelPrelozeno()->text(), QStringLiteral("Přeloženo 2 z 4"));

    // Escape puts back what stood before the edit; a section row cannot be edited here either.
    QTest::keyClicks(pane->memoNovyText(), QStringLiteral("xyz"));
    QTest::keyClick(pane->memoNovyText(), Qt::Key_Escape);
    EXPECT_EQ(Right(4), "Servus a b");
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 1));
    QCoreApplication::processEvents();
    EXPECT_TRUE(pane->memoNovyText()->isReadOnly());

    Action("menuZpet")->trigger();
    EXPECT_EQ(Right(4), "");
}

TEST_F(Workbench, EveryKindOfStepIsUndoneAndRedoneExactly)
{
    autoComplete_ = true;
    Show();
    const Snapshot before = Take();

    // 1. an ended edit with its automatic completion (rows 4 and 5 share "Ahoj")
    TypeIntoCell(4, QStringLiteral("Servus"));
    EXPECT_EQ(Right(5), "Servus");
    // 2. an edit without completion, 3. the completion command that evens the group out again
    form_.Settings().AutomatickeDoplnovani = false;
    TypeIntoCell(5, QStringLiteral("Hallo"));
    EXPECT_EQ(Right(4), "Servus");
    Action("menuAutoDoplneni")->trigger();
    EXPECT_EQ(Right(4), "Hallo");
    // 4. the properties dialog
    TVlastnostiForm vlastnosti(&form_);
    form_.SetPropertiesDialog(&vlastnosti);
    QTimer::singleShot(0, &vlastnosti, [&vlastnosti] {
        vlastnosti.ui().editJazyk->setText(QStringLiteral("Deutsch"));
        vlastnosti.reject();
    });
    Action("menuVlastnosti")->trigger();
    EXPECT_EQ(Document().Header().editJazyk, "Deutsch");
    // 5. an open that replaced the translations (and the header)
    dialogs_.OpenChoices = {Path("other.lng")};
    dialogs_.Answers = {false}; // the edits before it are not to be saved
    Action("menuOtevrit")->trigger();
    EXPECT_EQ(Right(6), "Datei");
    EXPECT_EQ(Right(2), "");
    // 6. a replace
    Action("menuNahradit")->trigger();
    ReplaceDialog *replace = form_.Search().replaceDialog();
    replace->ui().editHledat->setText(QStringLiteral("ei"));
    replace->ui().editNahradit->setText(QStringLiteral("EI"));
    replace->ui().buttonNahled->click();
    replace->ui().buttonNahraditVse->click();
    EXPECT_EQ(Right(6), "DatEI");
    const Snapshot after = Take();
    const std::string savedAfter = Document().SavedBytes();
    ASSERT_EQ(form_.History().Stack().count(), 6);

    replace->close();
    QApplication::setActiveWindow(&form_);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Take() == before);
    EXPECT_EQ(Document().souborJazyka(), Path("demo.lng")); // the open is undone with its file
    dialogs_.SaveChoices = {Path("undone.lng")};
    Action("menuUlozit")->trigger();
    EXPECT_EQ(Read("undone.lng"), original_); // byte for byte the file before the steps

    for (int i = 0; i < 6; ++i)
        QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Take() == after);
    EXPECT_EQ(Document().SavedBytes(), savedAfter);
    EXPECT_EQ(Document().souborJazyka(), Path("other.lng")); // and redone with it
    EXPECT_TRUE(Document().zmeneno());
}

TEST_F(Workbench, AStepThatChangesOnlyThePluralRuleOrDirectionIsUndone)
{
    // Every value of the header is the document's: a command that changes no other (an import of
    // a catalogue's Plural-Forms) is still one step, and undo takes it back.
    Show();
    Document().Header().PluralForms = "nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;";
    Document().Header().Direction = "RTL";
    form_.History().Commit({});
    ASSERT_TRUE(form_.History().CanUndo());
    Action("menuZpet")->trigger();
    EXPECT_EQ(Document().Header().PluralForms, "");
    EXPECT_EQ(Document().Header().Direction, "");
}

TEST_F(Workbench, TheChangedFlagFollowsUndoAndTheCompletionCommandSetsIt)
{
    Show();
    TypeIntoCell(4, QStringLiteral("Servus"));
    EXPECT_TRUE(Document().zmeneno());
    Action("menuZpet")->trigger();
    EXPECT_FALSE(Document().zmeneno()); // back at the file as opened
    Action("menuZnovu")->trigger();
    EXPECT_TRUE(Document().zmeneno());
    Action("menuUlozitHned")->trigger();
    EXPECT_FALSE(Document().zmeneno());
    Action("menuZpet")->trigger();
    EXPECT_TRUE(Document().zmeneno()); // the file on disk has the text, the document not

    // Completion that empties a translation: the work is not dropped without the question.
    Action("menuUlozitHned")->trigger();
    Document().Grid().SetText(1, 4, "Servus");
    form_.History().Forget();
    Document().SetZmeneno(false);
    Action("menuAutoDoplneni")->trigger();
    EXPECT_EQ(Right(4), "");
    EXPECT_TRUE(Document().zmeneno());
    dialogs_.Answers = {false};
    form_.close();
    ASSERT_EQ(dialogs_.Questions.size(), 1u);
    EXPECT_EQ(dialogs_.Questions[0], "Uložit změny ?");
}

TEST_F(Workbench, ReplaceShowsItsPreviewFirstAndIsOneStep)
{
    Show();
    Document().Grid().SetText(1, 4, "Sou&bor");
    Document().Grid().SetText(1, 5, "Soubor");
    Document().Grid().SetText(1, 6, "soubory");
    form_.History().Forget();
    const Snapshot before = Take();

    QTest::keyClick(Grid(), Qt::Key_H, Qt::ControlModifier);
    ReplaceDialog *replace = form_.Search().replaceDialog();
    ASSERT_TRUE(replace->isVisible());
    auto &ui = replace->ui();
    ui.editHledat->setText(QStringLiteral("soubor"));
    ui.editNahradit->setText(QStringLiteral("Dokument"));
    ui.checkCelaSlova->setChecked(true);
    ui.checkBezAkceleratoru->setChecked(true);
    EXPECT_FALSE(ui.buttonNahraditVse->isEnabled()); // no change before a preview
    ui.buttonNahled->click();
    EXPECT_EQ(ui.labelPocet->text(), QStringLiteral("Nalezeno 2 výskytů, změní se 2 řádků."));
    ASSERT_EQ(ui.listNahled->topLevelItemCount(), 2);
    EXPECT_EQ(ui.listNahled->topLevelItem(0)->text(1), QStringLiteral("Sou&bor"));
    EXPECT_EQ(ui.listNahled->topLevelItem(0)->text(2), QStringLiteral("Dokument"));
    EXPECT_TRUE(Take() == before);
    ui.checkCelaSlova->setChecked(false); // a changed setting needs a new preview
    EXPECT_FALSE(ui.buttonNahraditVse->isEnabled());

    ui.checkCelaSlova->setChecked(true);
    ui.buttonNahled->click();
    ui.buttonNahraditVse->click();
    EXPECT_EQ(Right(4), "Dokument");
    EXPECT_EQ(Right(5), "Dokument");
    EXPECT_EQ(Right(6), "soubory");
    EXPECT_TRUE(Document().zmeneno());
    Action("menuZpet")->trigger();
    EXPECT_TRUE(Take() == before);

    // A regular expression with a group; only the rows the filter shows.
    ui.checkCelaSlova->setChecked(false);
    ui.checkRegularniVyraz->setChecked(true);
    ui.checkRozlisovatVelikost->setChecked(true);
    ui.editHledat->setText(QStringLiteral("^(s\\w+)y$"));
    ui.editNahradit->setText(QStringLiteral("\\1i"));
    ui.buttonNahled->click();
    ui.buttonNahraditVse->click();
    EXPECT_EQ(Right(6), "soubori");
    form_.filterBar()->comboFiltr()->setCurrentIndex(FilterBar::Containing);
    form_.filterBar()->editFiltr()->setText(QStringLiteral("Ahoj"));
    ui.checkRegularniVyraz->setChecked(false);
    ui.editHledat->setText(QStringLiteral("o"));
    ui.editNahradit->setText(QStringLiteral("0"));
    ui.buttonNahled->click();
    ui.buttonNahraditVse->click();
    EXPECT_EQ(Right(4), "S0u&b0r");
    EXPECT_EQ(Right(6), "soubori"); // hidden by the filter
}

TEST_F(Workbench, EveryShortcutReachesItsCommand)
{
    Show();
    const std::pair<const char *, QKeySequence> keys[] = {
        {"menuNovy", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"menuNovyPro", QKeySequence(QStringLiteral("Ctrl+Shift+N"))},
        {"menuOtevrit", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"menuUlozitHned", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"menuUlozit", QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {"menuOtevritZdrojovy", QKeySequence(QStringLiteral("Ctrl+Shift+O"))},
        {"menuVlastnosti", QKeySequence(QStringLiteral("Alt+Return"))},
        {"menuInfo", QKeySequence(QStringLiteral("F1"))},
        {"menuZpet", QKeySequence(QStringLiteral("Ctrl+Z"))},
        {"menuZnovu", QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
        {"menuDalsiNeprelozeny", QKeySequence(QStringLiteral("Ctrl+J"))},
        {"menuPredchoziNeprelozeny", QKeySequence(QStringLiteral("Ctrl+Shift+J"))},
        {"menuFiltr", QKeySequence(QStringLiteral("Ctrl+L"))},
        {"menuTextovePole", QKeySequence(QStringLiteral("Ctrl+E"))},
        {"menuNajit", QKeySequence(QStringLiteral("Ctrl+F"))},
        {"menuNajitDalsi", QKeySequence(QStringLiteral("F3"))},
        {"menuNahradit", QKeySequence(QStringLiteral("Ctrl+H"))},
        {"menuAutoDoplneni", QKeySequence(QStringLiteral("Ctrl+D"))},
        {"menuNastaveni", QKeySequence(QStringLiteral("Ctrl+,"))},
        {"menuKonec", QKeySequence(QStringLiteral("Ctrl+Q"))},
    };
    dialogs_.OpenChoices = {std::nullopt, std::nullopt};
    // Ctrl+S after Ctrl+N asks for a name: the new language has no file yet.
    dialogs_.SaveChoices = {std::nullopt, std::nullopt};
    TypeIntoCell(4, QStringLiteral("x")); // so that Ctrl+Z has a step and Ctrl+N a question
    dialogs_.Answers = {false};
    for (const auto &[name, sequence] : keys) {
        QAction *action = Action(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_TRUE(action->shortcuts().contains(sequence)) << name;
        int triggered = 0;
        const auto connection = QObject::connect(action, &QAction::triggered, [&triggered] { ++triggered; });
        QApplication::setActiveWindow(&form_);
        Grid()->setFocus();
        const QKeyCombination combination = sequence[0];
        QTest::keyClick(Grid(), combination.key(), combination.keyboardModifiers());
        EXPECT_EQ(triggered, 1) << name;
        QObject::disconnect(connection);
    }
    EXPECT_TRUE(form_.Search().findDialog()->isVisible());
    EXPECT_TRUE(form_.Search().replaceDialog()->isVisible());
    EXPECT_FALSE(form_.isVisible()); // Ctrl+Q, last
}

TEST_F(Workbench, TheWindowKeepsItsPlaceAndColumnsOnlyOnceTheyChanged)
{
    Show();
    form_.close();
    EXPECT_EQ(written_.OknoPoloha, ""); // a run that changed nothing adds nothing to the file
    EXPECT_EQ(written_.OknoSloupce, "");
}

TEST_F(Workbench, TheWindowComesBackWhereTheUserLeftIt)
{
    place_ = "40,30,820,560";
    columns_ = "300,200";
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
    EXPECT_EQ(form_.size(), QSize(820, 560));
    EXPECT_EQ(Grid()->columnWidth(0), 300);
    EXPECT_EQ(Grid()->columnWidth(1), 200);
    Grid()->setColumnWidth(0, 250);
    form_.close();
    EXPECT_EQ(written_.OknoSloupce, "250,200");
    EXPECT_FALSE(written_.OknoPoloha.empty());
}
