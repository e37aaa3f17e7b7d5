// The checks and the translation memory in the main window, over real widgets: the marks, the next
// problem, acknowledged warnings kept through a save and a reopen, a suggestion taken with one key
// and pre-translation as one step.
#include "checks/Finding.h"
#include "checks/RowNotes.h"
#include "editor/ui/ChecksController.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/MemoryController.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TextPane.h"
#include "formats/FileIO.h"
#include "mainform/WindowFixture.h"
#include "platform/CodePage.h"
#include "platform/RegistryRecord.h"
#include "support/ScriptedDialogs.h"
#include "translator/TKVTranslator.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

using namespace verbaria;

namespace {

class Checks : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        Write("demo.lnd", "[LANGUAGE]\r\nProgram=Demo\r\nCodePage=UTF-8\r\n[ITEMS]\r\n"
                          "1: MESSAGE \"Otevřít %s\"\r\n"
                          "2: MESSAGE \"Soubor:\"\r\n"
                          "3: MESSAGE \"Uložit\"\r\n"
                          "4: MESSAGE \"Uložit soubory\"\r\n"
                          "5: MESSAGE \"Uložit soubor\"\r\n");
        Write("demo.lng", "Language=English\r\nDefinition=demo.lnd\r\n00001:Open\r\n00002:File\r\n");
        Write("memory.lng", "Language=English\r\nDefinition=demo.lnd\r\n00003:Save\r\n00005:Save file\r\n");
        Write("german.lng", "Language=Deutsch\r\nDefinition=demo.lnd\r\n00003:Speichern\r\n");
        form_ = MakeForm();
    }

    std::unique_ptr<TMainForm> MakeForm()
    {
        auto form = std::make_unique<TMainForm>();
        TMainForm::Hooks hooks;
        hooks.ReadSettings = [demo = Path("demo.lnd"),
                              language = Path("demo.lng")](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = demo;
            settings.PosledniJazyk = language;
            settings.JazykProPopisy.clear();
        };
        Attach(*form, hooks);
        form->resize(700, 500);
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->gridJazyk()->setFocus();
        return form;
    }
    StringGrid *Grid() { return form_->gridJazyk(); }
    const std::string &Right(int row) { return form_->Document().Grid().Text(1, row); }
    bool Marked(TMainForm &form, int row)
    {
        const StringGridModel *model = form.gridJazyk()->GridModel();
        return model->data(model->IndexOfCell(1, row), Qt::DecorationRole).isValid();
    }
    void Select(int row)
    {
        ASSERT_TRUE(Grid()->SetCurrentCell(1, row));
        QCoreApplication::processEvents();
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QApplication::setActiveWindow(form_.get());
        Grid()->setFocus();
        QTest::keyClick(Grid(), key, modifiers);
        QCoreApplication::processEvents();
    }
    QString Notes() { return form_->textPane()->labelPoznamky()->text(); }
    void Type(int row, const QString &text)
    {
        Select(row);
        Press(Qt::Key_F2);
        QWidget *editor = QApplication::focusWidget();
        ASSERT_TRUE(editor && editor != Grid());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // The status bar's count of rows waiting for review; empty when it shows none.
    QString ReviewCount()
    {
        const QLabel *label = form_->Status().labelKeKontrole();
        return label->isVisibleTo(form_.get()) ? label->text() : QString();
    }

    std::unique_ptr<TMainForm> form_;
};

} // namespace

TEST_F(Checks, MarksTheRowsWithProblemsAndGoesFromOneToTheNext)
{
    EXPECT_TRUE(Marked(*form_, 1)); // a lost %s
    EXPECT_TRUE(Marked(*form_, 2)); // a lost colon
    EXPECT_FALSE(Marked(*form_, 3));
    Select(1);
    EXPECT_TRUE(Notes().contains(QStringLiteral("Zástupné znaky printf se liší"))) << Notes().toStdString();
    Press(Qt::Key_F8);
    EXPECT_EQ(Grid()->CurrentRow(), 2);
    EXPECT_TRUE(Notes().contains(QStringLiteral("Originál končí na"))) << Notes().toStdString();
    Press(Qt::Key_F8); // round to the first
    EXPECT_EQ(Grid()->CurrentRow(), 1);

    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::Problems);
    EXPECT_FALSE(Grid()->isRowHidden(0));
    EXPECT_FALSE(Grid()->isRowHidden(1));
    for (int row = 3; row <= 5; ++row)
        EXPECT_TRUE(Grid()->isRowHidden(row - 1)) << row;
    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::All);

    // Fixed, the mark goes at once.
    form_->Document().Grid().SetText(1, 1, "Open %s");
    EXPECT_FALSE(Marked(*form_, 1));

    // The messages the editor translates are the checks' own.
    const CzechTexts czech;
    for (int check = 0; check < checks::CheckCount; ++check)
        EXPECT_EQ(RowChecks::Message(static_cast<checks::CheckId>(check), czech),
                  checks::CzechMessage(static_cast<checks::CheckId>(check)));
}

TEST_F(Checks, AFixedRowLeavesTheProblemFilterOnlyOnceTheUserLeavesIt)
{
    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::Problems);
    Select(1);
    Press(Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && editor != Grid());
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, QStringLiteral(" %s"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(Grid()->isRowHidden(0)); // under the cursor, fixed or not
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Right(1), "Open %s");
    EXPECT_NE(Grid()->CurrentRow(), 1);
    EXPECT_TRUE(Grid()->isRowHidden(0));  // left, and no longer a problem
    EXPECT_FALSE(Grid()->isRowHidden(1)); // still one
}

TEST_F(Checks, AnAcknowledgedWarningStaysSoAfterSaveAndReopenAndTheReadersSeeTheSameTexts)
{
    Select(2);
    Press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_FALSE(Marked(*form_, 2));
    Select(1);
    Press(Qt::Key_K, Qt::ControlModifier); // an error cannot be accepted
    EXPECT_TRUE(Marked(*form_, 1));
    EXPECT_TRUE(form_->isWindowModified());
    Action("menuUlozitHned")->trigger();
    const std::string saved = Read("demo.lng");
    EXPECT_NE(saved.find("/Notes 00002: acknowledged=end-punctuation for=" + checks::TextHash("File") +
                         "\r\n00002:File\r\n"),
              std::string::npos)
        << saved;

    form_.reset();
    form_ = MakeForm();
    EXPECT_FALSE(Marked(*form_, 2));
    EXPECT_TRUE(Marked(*form_, 1));

    // A program reading the file gets exactly what it got from the file without the note.
    Write("plain.lng", "Language=English\r\nDefinition=demo.lnd\r\n00001:Open\r\n00002:File\r\n");
    TKVTranslator withNotes;
    TKVTranslator plain;
    ASSERT_TRUE(withNotes.LoadTemplate(Path("demo.lnd")));
    ASSERT_TRUE(plain.LoadTemplate(Path("demo.lnd")));
    withNotes.SetLanguageFile(Path("demo.lng"));
    plain.SetLanguageFile(Path("plain.lng"));
    for (const char *text : {"Otevřít %s", "Soubor:", "Uložit"})
        EXPECT_EQ(withNotes.TranslateText(text), plain.TranslateText(text)) << text;
    EXPECT_EQ(withNotes.TranslateText("Soubor:"), "File");
}

TEST_F(Checks, OneKeyTakesASuggestionOfTheMemory)
{
    Select(5);
    form_->MemoryCommands().Memory().Wait();
    ASSERT_NE(form_->MemoryCommands().Memory().Memory(), nullptr);
    EXPECT_TRUE(Notes().contains(QStringLiteral("100 % „Save file“"))) << Notes().toStdString();
    Select(4);
    EXPECT_TRUE(Notes().contains(QStringLiteral("92 % „Save file“"))) << Notes().toStdString();
    Select(3);
    EXPECT_FALSE(Notes().contains(QStringLiteral("Speichern"))); // another language
    Press(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Right(3), "Save");
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Right(3), "");
}

TEST_F(Checks, PreTranslationFillsTheExactMatchesInOneStepForReview)
{
    Action("menuPredprelozit")->trigger();
    EXPECT_EQ(Right(3), "Save");
    EXPECT_EQ(Right(4), ""); // a near miss is for a person to read
    EXPECT_EQ(Right(5), "Save file");
    EXPECT_TRUE(Marked(*form_, 3));
    Select(3);
    EXPECT_TRUE(Notes().contains(QStringLiteral("čeká na kontrolu"))) << Notes().toStdString();
    Action("menuUlozitHned")->trigger();
    EXPECT_NE(Read("demo.lng").find("/Notes 00003: review\r\n00003:Save\r\n"), std::string::npos);
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Right(3), "");
    EXPECT_EQ(Right(5), "");
    EXPECT_FALSE(Marked(*form_, 3));
}

TEST_F(Checks, AcceptingTheWarningsIsAStepThatUndoAndRedoTakeBackAndForth)
{
    const std::string before = form_->Document().SavedBytes();
    Select(2);
    Press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_FALSE(Marked(*form_, 2));
    const std::string accepted = form_->Document().SavedBytes();
    ASSERT_NE(accepted.find("/Notes 00002: acknowledged=end-punctuation"), std::string::npos) << accepted;
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Marked(*form_, 2));
    EXPECT_EQ(form_->Document().NoteOf(2), nullptr);
    EXPECT_EQ(form_->Document().SavedBytes(), before);
    EXPECT_FALSE(form_->isWindowModified());
    Press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(Marked(*form_, 2));
    EXPECT_EQ(form_->Document().SavedBytes(), accepted);
    EXPECT_TRUE(form_->isWindowModified());
}

TEST_F(Checks, UndoingAPreTranslationTakesItsReviewMarksWithIt)
{
    const std::string before = form_->Document().SavedBytes();
    Action("menuPredprelozit")->trigger();
    ASSERT_EQ(Right(3), "Save");
    ASSERT_TRUE(form_->ChecksCommands().Checks().NeedsReview(3));
    const std::string filled = form_->Document().SavedBytes();
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form_->Document().Notes().empty());
    EXPECT_EQ(form_->Document().SavedBytes(), before);
    Press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(form_->ChecksCommands().Checks().NeedsReview(3));
    EXPECT_EQ(form_->Document().SavedBytes(), filled);
    // Undone again and then typed by hand, the text waits for no review.
    Press(Qt::Key_Z, Qt::ControlModifier);
    Type(3, QStringLiteral("Save"));
    EXPECT_EQ(Right(3), "Save");
    EXPECT_FALSE(form_->ChecksCommands().Checks().NeedsReview(3));
    EXPECT_EQ(ReviewCount(), QString());
}

// Every row takes its pseudo form in the language's code page (windows-1250 here: no ŏ, no ṽ), and
// one undo gives the translations back.
TEST_F(Checks, ThePseudoLanguageFillsEveryRowAsOneStep)
{
    const std::string before = form_->Document().SavedBytes();
    Action("menuPseudoprelozit")->trigger();
    const CodePage central = *CodePage::Named(QStringLiteral("windows-1250"));
    EXPECT_EQ(central.Decode(Right(1)), QStringLiteral("[Óťévříť %s ~~~]"));
    EXPECT_EQ(central.Decode(Right(2)), QStringLiteral("[Šóůbóř: ~~]"));
    EXPECT_EQ(central.Decode(Right(5)), QStringLiteral("[Ůĺóžíť šóůbóř ~~~~~]"));
    EXPECT_TRUE(form_->isWindowModified());
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Right(1), "Open");
    EXPECT_EQ(Right(3), "");
    EXPECT_EQ(form_->Document().SavedBytes(), before);
}

TEST_F(Checks, AnAcceptanceEndsWhenTheTextItAcceptedIsRewritten)
{
    Select(2);
    Press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_FALSE(Marked(*form_, 2));
    Type(2, QStringLiteral("Files")); // still without the colon: to be looked at again
    EXPECT_EQ(Right(2), "Files");
    EXPECT_TRUE(Marked(*form_, 2));
    Action("menuUlozitHned")->trigger();
    EXPECT_EQ(Read("demo.lng").find("acknowledged"), std::string::npos) << Read("demo.lng");
    // Undone to the text it was given for, the acceptance holds again.
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Right(2), "File");
    EXPECT_FALSE(Marked(*form_, 2));
}

TEST_F(Checks, AnAcceptanceReadWithoutItsTextKeepsItsBytesUntilTheTextChanges)
{
    const std::string old = "Language=English\r\nDefinition=demo.lnd\r\n00001:Open\r\n"
                            "/Notes 00002: acknowledged=end-punctuation\r\n00002:File\r\n";
    Write("demo.lng", old);
    form_.reset();
    form_ = MakeForm();
    EXPECT_FALSE(Marked(*form_, 2));
    EXPECT_EQ(form_->Document().SavedBytes(), old);
    form_->Document().Grid().SetText(1, 2, "Folder");
    EXPECT_TRUE(Marked(*form_, 2));
    EXPECT_EQ(form_->Document().SavedBytes().find("/Notes"), std::string::npos);
}

TEST_F(Checks, ANearMissTakenFromTheMemoryWaitsForReviewCountedAndFiltered)
{
    EXPECT_EQ(ReviewCount(), QString());
    Select(5);
    form_->MemoryCommands().Memory().Wait();
    Select(4);
    ASSERT_TRUE(Notes().contains(QStringLiteral("92 % „Save file“"))) << Notes().toStdString();
    // Its original word by word against the row's: "soubor" went, "soubory" came.
    EXPECT_TRUE(Notes().contains(QStringLiteral("„Uložit <span style=\"background-color:#f4b6b6; "
                                                "text-decoration:line-through\">soubor</span><span "
                                                "style=\"background-color:#b9e8b0\">soubory</span>“")))
        << Notes().toStdString();
    Press(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Right(4), "Save file");
    EXPECT_TRUE(form_->ChecksCommands().Checks().NeedsReview(4));
    EXPECT_TRUE(Marked(*form_, 4));
    Select(5);
    Press(Qt::Key_1, Qt::ControlModifier); // the exact match is the text itself
    EXPECT_EQ(Right(5), "Save file");
    EXPECT_FALSE(form_->ChecksCommands().Checks().NeedsReview(5));
    EXPECT_EQ(ReviewCount(), QStringLiteral("Ke kontrole: 1"));

    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::Review);
    EXPECT_EQ(form_->filterBar()->comboFiltr()->currentText(), QStringLiteral("Řádky ke kontrole"));
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(Grid()->isRowHidden(row - 1), row != 4) << row;

    Action("menuUlozitHned")->trigger();
    EXPECT_NE(Read("demo.lng").find("/Notes 00004: review\r\n00004:Save file\r\n"), std::string::npos);
    EXPECT_EQ(Read("demo.lng").find("/Notes 00005"), std::string::npos);

    // Accepted, the review ends: the count goes and the row leaves the view once left.
    Select(4);
    Press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_FALSE(form_->ChecksCommands().Checks().NeedsReview(4));
    EXPECT_EQ(ReviewCount(), QString());
    EXPECT_FALSE(Grid()->isRowHidden(3));
    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::All);
    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::Review);
    EXPECT_TRUE(Grid()->isRowHidden(3));
}

// A Qt program's message carries its context, disambiguation and the programmer's comment; the
// pane tells them with the row, and a plural row's further forms survive a save.
TEST_F(Checks, TheTextPaneTellsAMessagesContextAndAPluralRowKeepsItsForms)
{
    Write("qt.lnd",
          "[LANGUAGE]\r\nCodepage=UTF-8\r\n[ITEMS]\r\n/Context=Files::MainWindow\r\n"
          "/Disambiguation=sloveso\r\n/Comment=Tlačítko pod seznamem\r\n/Location=MainWindow.ui:39\r\n"
          "1: message \"&Open\"\r\n/Context=Files::MainWindow\r\n/Plural\r\n"
          "2: message \"%n file(s)\"\r\n");
    Write("qt.lng", "Language=Čeština\r\nDefinition=qt.lnd\r\nCodepage=UTF-8\r\n00001:&Otevřít\r\n"
                    "00002:%n soubor\r\n/Form 00002 1:%n soubory\r\n/Form 00002 2:%n souborů\r\n");
    form_->Document().MapujText(Path("qt.lnd"));
    form_->Document().NovyJazyk(true, false);
    form_->Document().NactiJazyk(Path("qt.lng"), 1);
    Select(1);
    EXPECT_TRUE(Notes().contains(QStringLiteral("Files::MainWindow"))) << Notes().toStdString();
    EXPECT_TRUE(Notes().contains(QStringLiteral("sloveso"))) << Notes().toStdString();
    EXPECT_TRUE(Notes().contains(QString::fromUtf8("Tlačítko pod seznamem"))) << Notes().toStdString();
    EXPECT_TRUE(Notes().contains(QStringLiteral("MainWindow.ui:39"))) << Notes().toStdString();
    Select(2);
    EXPECT_TRUE(Notes().contains(QString::fromUtf8("množnými tvary"))) << Notes().toStdString();
    EXPECT_FALSE(Notes().contains(QStringLiteral("sloveso")));
    // Edited and saved, the row keeps the forms the grid does not show.
    Type(2, QStringLiteral("%n souboru"));
    const std::string saved = form_->Document().SavedBytes();
    EXPECT_NE(saved.find("00002:%n souboru\r\n/Form 00002 1:%n soubory\r\n/Form 00002 2:%n souborů\r\n"),
              std::string::npos)
        << saved;

    // Each form has its tab, named by the counts it stands for (Czech: three forms); the keyboard
    // goes from form to form in the text and edits each; undo takes a form's edit back.
    TextPane *pane = form_->textPane();
    QTabBar *tabs = pane->tabTvary();
    Select(2);
    ASSERT_TRUE(tabs->isVisibleTo(form_.get()));
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("1: n = 1"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("2: n = 2, 3, 4"));
    EXPECT_EQ(tabs->tabText(2), QString::fromUtf8("3: n = 0, 5, 6…"));
    EXPECT_EQ(pane->memoNovyText()->toPlainText(), QStringLiteral("%n souboru"));
    QApplication::setActiveWindow(form_.get());
    pane->memoNovyText()->setFocus();
    QTest::keyClick(pane->memoNovyText(), Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(pane->memoNovyText(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_EQ(pane->memoNovyText()->toPlainText(), QString::fromUtf8("%n souborů"));
    QTest::keyClick(pane->memoNovyText(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pane->memoNovyText(), QStringLiteral("%n files"));
    QTest::keyClick(pane->memoNovyText(), Qt::Key_Return);
    EXPECT_EQ(Right(2), "%n souboru"); // the cell keeps the first form
    EXPECT_TRUE(form_->Document().zmeneno());
    EXPECT_NE(form_->Document().SavedBytes().find("/Form 00002 1:%n soubory\r\n/Form 00002 2:%n files\r\n"),
              std::string::npos);
    // Another row and back starts on the first form; Ctrl+Page Up wraps round to the last.
    Select(1);
    EXPECT_FALSE(tabs->isVisibleTo(form_.get()));
    Select(2);
    EXPECT_EQ(tabs->currentIndex(), 0);
    pane->memoNovyText()->setFocus();
    QTest::keyClick(pane->memoNovyText(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(pane->memoNovyText()->toPlainText(), QStringLiteral("%n files"));
    Action("menuZpet")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->memoNovyText()->toPlainText(), QString::fromUtf8("%n souborů"));
    EXPECT_NE(form_->Document().SavedBytes().find("/Form 00002 2:%n souborů\r\n"), std::string::npos);
    Action("menuZnovu")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->memoNovyText()->toPlainText(), QStringLiteral("%n files"));
}

// A component row of a scanned form names its path; the translator reads the form's own text in
// the pane and in the original's tooltip.
TEST_F(Checks, AComponentRowShowsTheTextItsFormHolds)
{
    Write("form.lnd", "[LANGUAGE]\r\nCodepage=UTF-8\r\n[ITEMS]\r\n1:section \"MainForm\"\r\n"
                      "/Text=Otevřít &soubor\r\n2:component \"MainForm.buttonOpen.text\"\r\n"
                      "3:component \"MainForm.buttonClose.text\"\r\n");
    form_->Document().MapujText(Path("form.lnd"));
    form_->Document().NovyJazyk(true, false);
    QCoreApplication::processEvents();
    Select(2);
    EXPECT_TRUE(Notes().contains(QString::fromUtf8("Otevřít &amp;soubor"))) << Notes().toStdString();
    const StringGridModel *model = Grid()->GridModel();
    EXPECT_EQ(model->data(model->IndexOfCell(0, 2), Qt::ToolTipRole).toString(),
              QString::fromUtf8("Otevřít &soubor"));
    Select(3);
    EXPECT_FALSE(Notes().contains(QString::fromUtf8("Otevřít")));
    EXPECT_TRUE(model->data(model->IndexOfCell(0, 3), Qt::ToolTipRole).toString().isEmpty());
}

// A document of more rows than the window checks at once is checked off its thread: once that is
// done, the marks, the next problem and the problem filter answer as for a small one, an edit
// made meanwhile included.
TEST_F(Checks, ALargeDocumentCheckedAfterOpeningGivesTheSameAnswers)
{
    constexpr int Entries = 20'500;
    std::string lnd = "[LANGUAGE]\r\nProgram=Demo\r\nCodePage=UTF-8\r\n[ITEMS]\r\n";
    std::string lng = "Language=English\r\nDefinition=demo.lnd\r\n";
    for (int i = 1; i <= Entries; ++i) {
        const std::string number = std::to_string(i);
        const bool lost = i == 3 || i == 20'400; // a printf placeholder the translation lost
        lnd += number + ": MESSAGE \"Soubor " + (lost ? "%d " : "") + number + "\"\r\n";
        lng += number + ":File " + number + "\r\n";
    }
    Write("demo.lnd", lnd);
    Write("demo.lng", lng);
    form_.reset();
    form_ = MakeForm();
    ASSERT_EQ(form_->Document().Grid().RowCount(), Entries + 1);
    form_->Document().Grid().SetText(1, 7, "File %d 7"); // perhaps while the checks run
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form_->ChecksCommands().Checks().Pending(); }, 60'000));
    QCoreApplication::processEvents();

    for (const int row : {3, 7, 20'400})
        EXPECT_TRUE(Marked(*form_, row)) << row;
    for (const int row : {1, 4, 8, 20'401})
        EXPECT_FALSE(Marked(*form_, row)) << row;
    Select(1);
    for (const int expected : {3, 7, 20'400, 3}) {
        Press(Qt::Key_F8);
        EXPECT_EQ(Grid()->CurrentRow(), expected);
    }
    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::Problems);
    for (const int row : {1, 2, 4, 8, 20'399, 20'401, Entries})
        EXPECT_TRUE(Grid()->isRowHidden(row - 1)) << row;
    for (const int row : {3, 7, 20'400})
        EXPECT_FALSE(Grid()->isRowHidden(row - 1)) << row;
    EXPECT_EQ(ReviewCount(), QString());
}
