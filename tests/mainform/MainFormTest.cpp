#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "formats/CodePage1250.h"
#include "formats/FileIO.h"
#include "platform/RegistryRecord.h"
#include "support/ScriptedDialogs.h"
#include "widgets/StringGrid.h"

#include <QAction>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>

using namespace verbaria;

namespace {

class FakeRegistry final : public RegistryRecord
{
public:
    QString Written;
    bool Write(const QString &programFolder) override
    {
        Written = programFolder;
        return true;
    }
    bool Delete() override { return true; }
};

template <class T>
T *Child(QObject &parent, const char *name)
{
    T *child = parent.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// Key presses that carry any character, also those without a key of their own on the keyboard.
void TypeCharacters(QWidget *target, const QString &text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(target, &release);
    }
}

std::string Cp(const char *utf8)
{
    return Utf8ToCp1250Lossy(utf8);
}

// A program folder of its own with the editor's languages, and a document template in it.
class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        Write("jazyky/glotra11.lnd", "1: COMPONENT \"MainForm.menuSoubor.Caption\"\r\n"
                                     "2: COMPONENT \"MainForm.toolNovy.Hint\"\r\n"
                                     "3: MESSAGE \"Ulo\x9Eit zm\xECny ?\"\r\n"
                                     "4: MESSAGE \"P\xF9vodn\xED text\"\r\n");
        Write("jazyky/english.lng", "1:File\r\n2:New language\r\n3:Save changes?\r\n4:Original text\r\n");
        Write("demo.lnd", "[LANGUAGE]\r\nProgram=Demo\r\n[ITEMS]\r\n"
                          "1: SECTION \"Okno\"\r\n"
                          "2: COMPONENT \"F.Caption\"\r\n"
                          "3: COMMENT \"Pozor\"\r\n"
                          "4: MESSAGE \"Ahoj\"\r\n"
                          "5: MESSAGE \"Ahoj\"\r\n");
        form_.SetProgramFolder(folder_.path());
        form_.SetDialogs(&dialogs_);
        form_.SetRegistryRecord(&registry_);
        form_.SetPropertiesDialog(&vlastnosti_);
        TMainForm::Hooks hooks;
        const std::string demo = Path("demo.lnd");
        hooks.ReadSettings = [demo, this](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = demo;
            settings.PosledniJazyk.clear();
            settings.JazykProPopisy.clear();
            settings.JazykRozhrani = language_;
        };
        form_.SetHooks(hooks);
    }

    void Show()
    {
        form_.resize(600, 400);
        form_.show();
        QApplication::setActiveWindow(&form_);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
        Grid()->setFocus();
    }

    void Write(const std::string &name, const std::string &bytes)
    {
        const std::string path = Path(name);
        QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string Path(const std::string &name) const { return folder_.path().toStdString() + "/" + name; }
    std::string Read(const std::string &name) const
    {
        std::string bytes;
        ReadFileBytes(Path(name), bytes);
        return bytes;
    }
    StringGrid *Grid() { return form_.gridJazyk(); }
    // Types as the user does: each key goes to whatever has the focus, the cell editor once the
    // first key has opened it.
    void Type(const QString &text)
    {
        for (const QChar character : text) {
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : Grid();
            QTest::keyClick(target, character.toLatin1() ? character.toLatin1() : 'x');
        }
    }
    void Press(Qt::Key key)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Grid(), key);
    }
    const std::string &Right(int row) { return form_.Document().Grid().Text(1, row); }

    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;
    FakeRegistry registry_;
    std::string language_ = "czech.lng";
    TMainForm form_;
    TVlastnostiForm vlastnosti_{&form_};
};

} // namespace

TEST_F(MainWindow, StartsWithTheTemplateAndSpeaksTheChosenLanguage)
{
    language_ = "ENGLISH.LNG"; // matched without regard to case
    Show();
    EXPECT_EQ(form_.Document().Grid().RowCount(), 6);
    EXPECT_EQ(Child<QMenu>(form_, "menuSoubor")->title(), QStringLiteral("File"));
    EXPECT_EQ(Child<QAction>(form_, "toolNovy")->toolTip(), QStringLiteral("New language"));
    EXPECT_EQ(form_.Document().Grid().Text(0, 0), "Original text");
    EXPECT_EQ(registry_.Written, folder_.path() + QLatin1Char('/'));
    // every toolbar button shows a picture, also without an icon theme
    for (QAction *action : Child<QToolBar>(form_, "ToolBarHlavni")->actions())
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << action->objectName().toStdString();
}

TEST_F(MainWindow, WithoutTheChosenLanguageTheWindowsStayCzech)
{
    language_ = "missing.lng";
    Show();
    EXPECT_EQ(Child<QMenu>(form_, "menuSoubor")->title(), QString::fromUtf8("&Soubor"));
    EXPECT_EQ(form_.Document().Grid().Text(0, 0), Cp("Původní text"));
}

TEST_F(MainWindow, TypingEnterAndAutomaticAdvance)
{
    Show();
    ASSERT_TRUE(Grid()->setCurrentCell(1, 2));
    Type(QStringLiteral("Titel"));
    EXPECT_EQ(Right(2), "Titel"); // the cell follows every keystroke
    EXPECT_FALSE(form_.Document().zmeneno());
    Press(Qt::Key_Return);
    EXPECT_TRUE(form_.Document().zmeneno());
    // past the comment row 3 to the message row 4
    EXPECT_EQ(Grid()->currentRow(), 4);
    EXPECT_EQ(Grid()->currentColumn(), 1);
    EXPECT_EQ(Child<QLineEdit>(form_, "editNazevKomponenty")->text(), QString::fromUtf8("Zpráva"));
}

TEST_F(MainWindow, EnterAtTheLastRowAppendsARowThatIsNotSaved)
{
    Show();
    ASSERT_TRUE(Grid()->setCurrentCell(1, 5));
    Type(QStringLiteral("last"));
    Press(Qt::Key_Return);
    EXPECT_EQ(form_.Document().Grid().RowCount(), 7);
    EXPECT_EQ(Grid()->currentRow(), 6);
    Type(QStringLiteral("appended"));
    Press(Qt::Key_Return);
    EXPECT_EQ(form_.Document().Grid().Text(1, 6), "appended");
    dialogs_.SaveChoices = {Path("out.lng")};
    Child<QAction>(form_, "toolUlozit")->trigger();
    EXPECT_EQ(Read("out.lng"), "Definition=demo.lnd\r\n00005:last\r\n");
}

TEST_F(MainWindow, EscapePutsTheTextBackAndRaisesNothing)
{
    Show();
    form_.Document().Grid().SetText(1, 2, "before");
    ASSERT_TRUE(Grid()->setCurrentCell(1, 2));
    Type(QStringLiteral("typed"));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Right(2), "before");
    EXPECT_FALSE(form_.Document().zmeneno());
}

TEST_F(MainWindow, InfoPanelFollowsTheSelection)
{
    Show();
    ASSERT_TRUE(Grid()->setCurrentCell(0, 2));
    EXPECT_EQ(Child<QLineEdit>(form_, "editNazevKomponenty")->text(), QStringLiteral("F.Caption"));
    EXPECT_EQ(Child<QLineEdit>(form_, "editPuvodniText")->text(), QStringLiteral("F.Caption"));
    Press(Qt::Key_Up);
    EXPECT_EQ(Child<QLineEdit>(form_, "editNazevKomponenty")->text(), QStringLiteral("Sekce"));
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(Child<QLineEdit>(form_, "editNazevKomponenty")->text(), QString::fromUtf8("Komentář"));
}

TEST_F(MainWindow, ToolbarAndMenuRunTheirCommands)
{
    Show();
    form_.Document().Grid().SetText(1, 4, "Hallo");
    form_.Document().SetZmeneno(true);
    dialogs_.Answers = {false};
    Child<QAction>(form_, "menuNovy")->trigger(); // asks, No: the new document is empty
    ASSERT_EQ(dialogs_.Questions.size(), 1u);
    EXPECT_EQ(dialogs_.Questions[0], Cp("Uložit změny ?"));
    EXPECT_EQ(Right(4), "");

    Write("de.lng", "00004:Hallo\r\nLanguage=Deutsch\r\n");
    dialogs_.OpenChoices = {Path("de.lng")};
    Child<QAction>(form_, "toolOtevrit")->trigger();
    EXPECT_EQ(Right(4), "Hallo");
    EXPECT_EQ(dialogs_.OpenDialogsShown.back().Title, Cp("Otevřít jazykovou verzi"));
    EXPECT_EQ(dialogs_.OpenDialogsShown.back().InitialFolder, folder_.path().toStdString() + "/");

    dialogs_.SaveChoices = {Path("copy.lng")};
    Child<QAction>(form_, "menuUlozit")->trigger();
    EXPECT_EQ(Read("copy.lng"), "Language=Deutsch\r\nDefinition=demo.lnd\r\n00004:Hallo\r\n");
}

TEST_F(MainWindow, PropertiesDialogFieldsReachTheSavedFile)
{
    Show();
    QTimer::singleShot(0, &vlastnosti_, [this] {
        EXPECT_EQ(Child<QLabel>(vlastnosti_, "labelKPrekladuN")->text(), QStringLiteral("3"));
        EXPECT_EQ(Child<QLineEdit>(vlastnosti_, "editProgram")->text(), QStringLiteral("Demo"));
        QLineEdit *jazyk = Child<QLineEdit>(vlastnosti_, "editJazyk");
        jazyk->setFocus();
        TypeCharacters(jazyk, QString::fromUtf8("Čeština"));
        TypeCharacters(jazyk, QString::fromUtf8("Ж")); // not in the code page: refused
        QPlainTextEdit *author = Child<QPlainTextEdit>(vlastnosti_, "memoAutorJazyka");
        author->setFocus();
        QTest::keyClicks(author, QStringLiteral("Jan"));
        QTest::keyClick(author, Qt::Key_Return);
        QTest::keyClicks(author, QStringLiteral("Petr"));
        QTest::mouseClick(Child<QPushButton>(vlastnosti_, "buttonZrusit"), Qt::LeftButton); // Cancel undoes nothing
    });
    Child<QAction>(form_, "toolVlastnosti")->trigger();
    dialogs_.SaveChoices = {Path("p.lng")};
    Child<QAction>(form_, "toolUlozit")->trigger();
    EXPECT_EQ(Read("p.lng"), Cp("Language=Čeština\r\nAuthor=Jan|Petr\r\nDefinition=demo.lnd\r\n"));
    ASSERT_EQ(dialogs_.Messages.size(), 1u);
    EXPECT_EQ(dialogs_.Messages[0], Cp("Znak „? (U+0416)“ nelze v kódové stránce jazykových souborů uložit."));
}

TEST_F(MainWindow, ClosingWithUnsavedEditsAsksAndStaysWhenTheSaveIsCancelled)
{
    Show();
    form_.Document().SetZmeneno(true);
    dialogs_.Answers = {true};
    dialogs_.SaveChoices = {std::nullopt};
    EXPECT_FALSE(form_.close());
    EXPECT_TRUE(form_.isVisible());
    dialogs_.Answers = {false};
    EXPECT_TRUE(form_.close());
    EXPECT_EQ(form_.prekladac(), nullptr); // freed at the end of the run
}

TEST_F(MainWindow, ResizingGivesBothColumnsHalfTheGrid)
{
    Show();
    form_.resize(800, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(Grid()->columnWidth(0), Grid()->width() / 2 - 20);
    EXPECT_EQ(Grid()->columnWidth(1), Grid()->width() / 2 - 20);
}
