// What must never cost the translator work: a save without a dialog writes only the file the
// document came from, a corrupt file beside the document is skipped and named, the window ends
// while its memory is still being built, and any bytes make a message.
#include "dialogs/QtUserDialogs.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/MemoryController.h"
#include "editor/ui/TMainForm.h"
#include "mainform/WindowFixture.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QAction>
#include <QDir>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

using namespace verbaria;

namespace {

class NothingLost : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        Write("demo.lnd", "[LANGUAGE]\r\nProgram=Demo\r\n[ITEMS]\r\n"
                          "1: COMPONENT \"F.Caption\"\r\n"
                          "2: MESSAGE \"Ahoj\"\r\n"
                          "3: MESSAGE \"Soubor\"\r\n");
        Write("demo.lng", demo_);
    }

    std::unique_ptr<TMainForm> MakeForm(const std::string &language = {})
    {
        auto form = std::make_unique<TMainForm>();
        TMainForm::Hooks hooks;
        const std::string demo = Path("demo.lnd");
        const std::string file = language.empty() ? Path("demo.lng") : language;
        hooks.ReadSettings = [demo, file](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = demo;
            settings.PosledniJazyk = file;
            settings.JazykProPopisy.clear();
        };
        hooks.ChooseProgram = [demo]() -> std::optional<std::string> { return demo; };
        Attach(*form, hooks);
        form->resize(600, 400);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    static void TypeInto(TMainForm &form, int row, const char *text)
    {
        StringGrid *grid = form.gridJazyk();
        EXPECT_TRUE(grid->SetCurrentCell(1, row));
        grid->setFocus();
        for (const char *c = text; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }
    // Ctrl+S must ask for a name and, cancelled, leave every file as it was.
    void ExpectSaveAsksAndWritesNothing(TMainForm &form)
    {
        const std::size_t shown = dialogs_.SaveDialogsShown.size();
        dialogs_.SaveChoices.push_back(std::nullopt);
        Action(form, "menuUlozitHned")->trigger();
        EXPECT_EQ(dialogs_.SaveDialogsShown.size(), shown + 1);
        EXPECT_EQ(Read("demo.lng"), demo_);
    }

    const std::string demo_ = "Language=Deutsch\r\nDefinition=demo.lnd\r\n00002:Hallo\r\n";
};

TEST_F(NothingLost, SaveWithoutDialogWritesOnlyTheFileTheDocumentWasReadFromOrSavedTo)
{
    auto form = MakeForm();
    EXPECT_EQ(form->Document().SaveTarget(), Path("demo.lng"));

    // A new language: the dialog proposes the old name, Ctrl+S does not take it.
    Action(*form, "menuNovy")->trigger();
    TypeInto(*form, 3, "Datei");
    ExpectSaveAsksAndWritesNothing(*form);
    EXPECT_EQ(dialogs_.SaveDialogsShown.back().FileName, Path("demo.lng"));

    // Saved under a new name, Ctrl+S writes there without a dialog.
    dialogs_.SaveChoices.push_back(Path("new.lng"));
    Action(*form, "menuUlozitHned")->trigger();
    TypeInto(*form, 2, "Servus");
    const std::size_t shown = dialogs_.SaveDialogsShown.size();
    Action(*form, "menuUlozitHned")->trigger();
    EXPECT_EQ(dialogs_.SaveDialogsShown.size(), shown);
    EXPECT_NE(Read("new.lng").find("00002:Servus\r\n"), std::string::npos) << Read("new.lng");
    EXPECT_EQ(Read("demo.lng"), demo_);

    // A new language for a registered program.
    Action(*form, "menuNovyPro")->trigger();
    ExpectSaveAsksAndWritesNothing(*form);
}

TEST_F(NothingLost, SaveWithoutDialogAsksAfterATemplateOrAFileThatStoppedItsRead)
{
    auto form = MakeForm();
    // A template chosen through "all files" is read, but is no language file to write over.
    dialogs_.OpenChoices.push_back(Path("demo.lnd"));
    Action(*form, "menuOtevrit")->trigger();
    EXPECT_TRUE(form->Document().SaveTarget().empty());
    const std::string templateBytes = Read("demo.lnd");
    dialogs_.SaveChoices.push_back(std::nullopt);
    Action(*form, "menuUlozitHned")->trigger();
    EXPECT_EQ(Read("demo.lnd"), templateBytes);

    // A file whose read stopped at a bad number.
    Write("broken.lng", "Language=X\r\n00002:Hallo\r\n12x4:kaputt\r\n");
    dialogs_.OpenChoices.push_back(Path("broken.lng"));
    Action(*form, "menuOtevrit")->trigger();
    EXPECT_EQ(dialogs_.Errors.size(), 1u);
    dialogs_.SaveChoices.push_back(std::nullopt);
    Action(*form, "menuUlozitHned")->trigger();
    EXPECT_EQ(Read("broken.lng"), "Language=X\r\n00002:Hallo\r\n12x4:kaputt\r\n");

    // Opened again as it should be, Ctrl+S writes it without a dialog.
    dialogs_.OpenChoices.push_back(Path("demo.lng"));
    Action(*form, "menuOtevrit")->trigger();
    TypeInto(*form, 3, "Datei");
    const std::size_t shown = dialogs_.SaveDialogsShown.size();
    Action(*form, "menuUlozitHned")->trigger();
    EXPECT_EQ(dialogs_.SaveDialogsShown.size(), shown);
    EXPECT_EQ(Read("demo.lng"), "Language=Deutsch\r\nDefinition=demo.lnd\r\n00002:Hallo\r\n00003:Datei\r\n");
}

TEST_F(NothingLost, TheTitleNamesTheFileAsTheDesktopDoes)
{
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("jazyky")));
    Write("jazyky/demo.lng", demo_);
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder_.path()));
    auto form = MakeForm("jazyky\\demo.lng"); // as the settings file keeps it
    QDir::setCurrent(current);
    EXPECT_EQ(form->QMainWindow::windowTitle(), QStringLiteral("demo.lng[*]"));
    EXPECT_EQ(form->Settings().PosledniJazyk, "jazyky\\demo.lng");
}

TEST_F(NothingLost, AFileBesideTheDocumentThatCannotBeReadIsSkippedAndNamed)
{
    std::mt19937 random(20);
    std::string bytes(4000, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(random());
    // Random bytes, and a file that reads until a bad number: neither may end the program.
    Write("zz-random.lng", bytes);
    Write("zz-bad.lng", "Language=Deutsch\r\nDefinition=demo.lnd\r\n00003:Datei\r\n7x:y\r\n");
    Write("good.lng", "Language=Deutsch\r\nDefinition=demo.lnd\r\n00003:Datei\r\n");
    auto form = MakeForm();
    ASSERT_TRUE(form->gridJazyk()->SetCurrentCell(1, 3));
    QCoreApplication::processEvents();
    form->MemoryCommands().Memory().Wait();
    ASSERT_NE(form->MemoryCommands().Memory().Memory(), nullptr);
    EXPECT_FALSE(
        form->MemoryCommands().Memory().Memory()->Exact("Soubor").empty()); // the good file still counts
    const QString message = form->statusBar()->currentMessage();
    EXPECT_TRUE(message.contains(QStringLiteral("zz-bad.lng"))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("good.lng"))) << message.toStdString();
}

TEST_F(NothingLost, TheWindowEndsWhileItsMemoryIsStillBeingBuilt)
{
    for (int i = 0; i < 200; ++i)
        Write("other" + std::to_string(i) + ".lng",
              "Language=Deutsch\r\nDefinition=demo.lnd\r\n00003:Datei\r\n");
    for (int round = 0; round < 3; ++round) {
        auto form = MakeForm();
        TypeInto(*form, 3, "Datei");
        ASSERT_TRUE(form->gridJazyk()->SetCurrentCell(1, 2));
        QCoreApplication::processEvents();
        form.reset(); // edits unsaved, a build under way, an editor maybe open
    }
    EXPECT_EQ(Read("demo.lng"), demo_);
}

TEST_F(NothingLost, ClosingAsksForATextTypedButNotYetConfirmed)
{
    auto form = MakeForm();
    StringGrid *grid = form->gridJazyk();
    ASSERT_TRUE(grid->SetCurrentCell(1, 3));
    grid->setFocus();
    for (const char c : std::string("Datei"))
        QTest::keyClick(QApplication::focusWidget(), c);
    // No Enter: the window is closed with the cell editor open.
    dialogs_.Answers = {true};
    dialogs_.SaveChoices = {Path("demo.lng")};
    EXPECT_TRUE(form->close());
    ASSERT_EQ(dialogs_.Questions.size(), 1u);
    EXPECT_EQ(Read("demo.lng"), "Language=Deutsch\r\nDefinition=demo.lnd\r\n00002:Hallo\r\n00003:Datei\r\n");
}

TEST(MessageText, AnyBytesMakeAMessage)
{
    const std::string utf8 = "Soubor „x“ nelze otevřít";
    EXPECT_EQ(QtUserDialogs::MessageText(utf8), QString::fromUtf8(utf8.c_str()));
    // Quoted bytes of a file in the default code page, and bytes that are text in none.
    EXPECT_EQ(QtUserDialogs::MessageText("'\xe8\x61s' is not a valid integer value"),
              QStringLiteral("'\u010das' is not a valid integer value"));
    std::string noise;
    for (int i = 0; i < 256; ++i)
        noise += static_cast<char>(255 - i);
    EXPECT_FALSE(QtUserDialogs::MessageText(noise).isEmpty());
}

} // namespace
