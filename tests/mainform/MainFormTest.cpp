#include "dialogs/ProgramFileFilter.h"
#include "dialogs/QtUserDialogs.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "formats/FileIO.h"
#include "mainform/WindowFixture.h"
#include "platform/RegistryRecord.h"
#include "support/ScriptedDialogs.h"
#include "tests/support/Cp1250.h"
#include "translator/qt/TKVTranslator.h"
#include "widgets/StringGrid.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

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
class MainWindow : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
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
        UseRegistry(registry_);
        form_.SetPropertiesDialog(&vlastnosti_);
        TMainForm::Hooks hooks;
        const std::string demo = Path("demo.lnd");
        hooks.ReadSettings = [demo, this](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = demo;
            settings.PosledniJazyk.clear();
            settings.JazykProPopisy.clear();
            settings.JazykRozhrani = language_;
        };
        Attach(form_, hooks);
    }

    void Show()
    {
        ASSERT_NO_FATAL_FAILURE(WindowFixture::Show(form_, {600, 400}));
        Grid()->setFocus();
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
    // Any characters, each to whatever has the focus: the first key opens the cell editor.
    void TypeIntoCell(const QString &text)
    {
        for (const QChar character : text)
            TypeCharacters(QApplication::focusWidget() ? QApplication::focusWidget() : Grid(),
                           QString(character));
    }

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
    EXPECT_EQ(form_.Document().Grid().Text(0, 0), std::string("Původní text"));
}

TEST_F(MainWindow, TypingEnterAndAutomaticAdvance)
{
    Show();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 2));
    Type(QStringLiteral("Titel"));
    EXPECT_EQ(Right(2), "Titel"); // the cell follows every keystroke
    EXPECT_FALSE(form_.Document().zmeneno());
    Press(Qt::Key_Return);
    EXPECT_TRUE(form_.Document().zmeneno());
    // past the comment row 3 to the message row 4
    EXPECT_EQ(Grid()->CurrentRow(), 4);
    EXPECT_EQ(Grid()->CurrentColumn(), 1);
    EXPECT_EQ(Child<QLineEdit>(form_, "editNazevKomponenty")->text(), QString::fromUtf8("Zpráva"));
}

TEST_F(MainWindow, EnterAtTheLastRowAppendsARowThatIsNotSaved)
{
    Show();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 5));
    Type(QStringLiteral("last"));
    Press(Qt::Key_Return);
    EXPECT_EQ(form_.Document().Grid().RowCount(), 7);
    EXPECT_EQ(Grid()->CurrentRow(), 6);
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
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 2));
    Type(QStringLiteral("typed"));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Right(2), "before");
    EXPECT_FALSE(form_.Document().zmeneno());
}

TEST_F(MainWindow, InfoPanelFollowsTheSelection)
{
    Show();
    ASSERT_TRUE(Grid()->SetCurrentCell(0, 2));
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
    EXPECT_EQ(dialogs_.Questions[0], std::string("Uložit změny ?"));
    EXPECT_EQ(Right(4), "");

    Write("de.lng", "00004:Hallo\r\nLanguage=Deutsch\r\n");
    dialogs_.OpenChoices = {Path("de.lng")};
    Child<QAction>(form_, "toolOtevrit")->trigger();
    EXPECT_EQ(Right(4), "Hallo");
    EXPECT_EQ(dialogs_.OpenDialogsShown.back().Title, std::string("Otevřít jazykovou verzi"));
    EXPECT_EQ(dialogs_.OpenDialogsShown.back().InitialFolder, folder_.path().toStdString() + "/");

    dialogs_.SaveChoices = {Path("copy.lng")};
    Child<QAction>(form_, "menuUlozit")->trigger();
    EXPECT_EQ(Read("copy.lng"), "Language=Deutsch\r\nDefinition=demo.lnd\r\n00004:Hallo\r\n");
}

TEST_F(MainWindow, PropertiesDialogFieldsReachTheSavedFile)
{
    Show();
    InModal([this](QDialog &) {
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
        QTest::mouseClick(Child<QPushButton>(vlastnosti_, "buttonZrusit"),
                          Qt::LeftButton); // Cancel undoes nothing
    });
    Child<QAction>(form_, "toolVlastnosti")->trigger();
    QCoreApplication::processEvents(); // the refusal is reported once the field has handled the key
    dialogs_.SaveChoices = {Path("p.lng")};
    Child<QAction>(form_, "toolUlozit")->trigger();
    EXPECT_EQ(Read("p.lng"), Cp("Language=Čeština\r\nAuthor=Jan|Petr\r\nDefinition=demo.lnd\r\n"));
    ASSERT_EQ(dialogs_.Messages.size(), 1u);
    EXPECT_EQ(dialogs_.Messages[0],
              std::string("Znak „Ж (U+0416)“ nelze v kódové stránce jazykových souborů uložit."));
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

// The real question box: Escape and the window's close button leave "Uložit změny ?" up; only
// Yes and No answer it.
TEST(QuestionBox, EscapeAndTheCloseButtonDoNotAnswerAQuestion)
{
    QtUserDialogs dialogs;
    for (const bool yes : {true, false}) {
        bool reached = false;
        QTimer::singleShot(0, qApp, [&reached, yes] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            reached = true;
            QWidget *focused = box->focusWidget() ? box->focusWidget() : box;
            QTest::keyClick(focused, Qt::Key_Escape);
            QCoreApplication::processEvents();
            EXPECT_TRUE(box->isVisible());
            EXPECT_FALSE(box->close());
            QCoreApplication::processEvents();
            EXPECT_TRUE(box->isVisible());
            EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowCloseButtonHint));
            QAbstractButton *answer = box->button(yes ? QMessageBox::Yes : QMessageBox::No);
            ASSERT_NE(answer, nullptr);
            QTest::mouseClick(answer, Qt::LeftButton);
        });
        EXPECT_EQ(dialogs.AskYesNo("Uložit změny ?"), yes);
        EXPECT_TRUE(reached);
    }
}

TEST_F(MainWindow, ResizingGivesBothColumnsHalfTheGrid)
{
    Show();
    form_.resize(800, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(Grid()->columnWidth(0), Grid()->width() / 2 - 20);
    EXPECT_EQ(Grid()->columnWidth(1), Grid()->width() / 2 - 20);
}

// Every language reaches its file: a document in another code page than the program's own.
TEST_F(MainWindow, TypingIntoAWindows1252DocumentSavesItsBytes)
{
    Write("fr.lng", "Language=Fran\xE7"
                    "ais\r\nCodepage=windows-1252\r\n");
    Show();
    dialogs_.OpenChoices = {Path("fr.lng")};
    Child<QAction>(form_, "toolOtevrit")->trigger();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 2));
    TypeIntoCell(QString::fromUtf8("Très"));
    Press(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs_.Messages.empty()); // è fits windows-1252
    EXPECT_EQ(Right(2), "Tr\xE8s");
    dialogs_.SaveChoices = {Path("fr.lng")};
    Child<QAction>(form_, "toolUlozit")->trigger();
    EXPECT_EQ(Read("fr.lng"), "Language=Fran\xE7"
                              "ais\r\nDefinition=demo.lnd\r\nCodepage=windows-1252\r\n00002:Tr\xE8s\r\n");
}

TEST_F(MainWindow, ARussianTranslationOfACzechTemplateRoundTripsIntoALiveWidget)
{
    Show();
    // The properties dialog switches the new language to windows-1251.
    InModal([this](QDialog &) {
        QComboBox *combo = Child<QComboBox>(vlastnosti_, "comboKodovaStranka");
        const int index = combo->findText(QStringLiteral("windows-1251"));
        ASSERT_GE(index, 0);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        QLineEdit *jazyk = Child<QLineEdit>(vlastnosti_, "editJazyk");
        jazyk->setFocus();
        TypeCharacters(jazyk, QString::fromUtf8("Русский"));
        QTest::mouseClick(Child<QPushButton>(vlastnosti_, "buttonOK"), Qt::LeftButton);
    });
    Child<QAction>(form_, "toolVlastnosti")->trigger();
    EXPECT_EQ(form_.Document().LanguageCodePage(), "windows-1251");
    QApplication::setActiveWindow(&form_);
    Grid()->setFocus();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 2));
    TypeIntoCell(QString::fromUtf8("Окно"));
    Press(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs_.Messages.empty());
    dialogs_.SaveChoices = {Path("ru.lng")};
    Child<QAction>(form_, "toolUlozit")->trigger();
    EXPECT_EQ(Read("ru.lng"), "Language=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\nDefinition=demo.lnd\r\n"
                              "Codepage=windows-1251\r\n00002:\xCE\xEA\xED\xEE\r\n");

    // Reopened: the declaration brings the code page back.
    dialogs_.OpenChoices = {Path("ru.lng")};
    Child<QAction>(form_, "toolNovy")->trigger();
    Child<QAction>(form_, "toolOtevrit")->trigger();
    EXPECT_EQ(form_.Document().LanguageCodePage(), "windows-1251");
    EXPECT_EQ(Grid()->model()->index(1, 1).data().toString(), QString::fromUtf8("Окно"));

    // A program's translator shows it on a live widget, and a Czech text in the template's code page.
    QWidget window;
    window.setObjectName(QStringLiteral("F"));
    qt::TKVTranslator translator(&window);
    translator.LoadTemplate(QString::fromStdString(Path("demo.lnd")));
    translator.SetLanguageFile(QString::fromStdString(Path("ru.lng")));
    ASSERT_TRUE(translator.Translate());
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Окно"));
}

TEST_F(MainWindow, ACodePageThatCannotHoldATranslationChangesNothingAndNamesTheRows)
{
    Show();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, 2));
    TypeIntoCell(QString::fromUtf8("Čas"));
    Press(Qt::Key_Return);
    const std::string before = Right(2);
    InModal([this](QDialog &) {
        QComboBox *combo = Child<QComboBox>(vlastnosti_, "comboKodovaStranka");
        const int index = combo->findText(QStringLiteral("windows-1252"));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        EXPECT_EQ(combo->currentText(), QStringLiteral("windows-1250")); // the choice went back
        QTest::mouseClick(Child<QPushButton>(vlastnosti_, "buttonOK"), Qt::LeftButton);
    });
    Child<QAction>(form_, "toolVlastnosti")->trigger();
    EXPECT_EQ(form_.Document().LanguageCodePage(), "windows-1250");
    EXPECT_EQ(Right(2), before);
    ASSERT_EQ(dialogs_.Messages.size(), 1u);
    EXPECT_EQ(dialogs_.Messages[0],
              "Kódová stránka windows-1252 nepojme texty těchto řádků: 2. Nic nebylo změněno.");
}

TEST_F(MainWindow, ATemplateNameIsWrittenInTheLanguageFilesCodePageOrRefused)
{
    Write("příklad.lnd", "[ITEMS]\r\n1: MESSAGE \"Ahoj\"\r\n");
    Write("日本.lnd", "[ITEMS]\r\n1: MESSAGE \"Ahoj\"\r\n");
    Show();
    form_.Document().MapujText(Path("příklad.lnd"));
    dialogs_.SaveChoices = {Path("cs.lng")};
    Child<QAction>(form_, "toolUlozit")->trigger();
    EXPECT_EQ(Read("cs.lng"), "Definition=p\xF8\xEDklad.lnd\r\n");
    // Read back, the name finds the template again: no question about another program.
    dialogs_.OpenChoices = {Path("cs.lng")};
    Child<QAction>(form_, "toolOtevrit")->trigger();
    EXPECT_TRUE(dialogs_.Questions.empty());

    // A name windows-1250 cannot hold is never written as bytes of another code page.
    form_.Document().MapujText(Path("日本.lnd"));
    dialogs_.SaveChoices = {Path("ja.lng")};
    Child<QAction>(form_, "toolUlozit")->trigger();
    EXPECT_EQ(Read("ja.lng"), "");
    ASSERT_EQ(dialogs_.Errors.size(), 1u);
    EXPECT_EQ(dialogs_.Errors[0],
              "Název šablony „日本.lnd“ nelze v kódové stránce jazykového souboru uložit. Změňte "
              "jej ve vlastnostech jazyka.");
}

TEST_F(MainWindow, ALineBreakPastedIntoAOneLineFieldBecomesABlankAndIsTold)
{
    Show();
    InModal([this](QDialog &) {
        QLineEdit *jazyk = Child<QLineEdit>(vlastnosti_, "editJazyk");
        jazyk->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("Česky\r\n00005:podvrh"));
        QTest::keyClick(jazyk, Qt::Key_V, Qt::ControlModifier);
        QTest::mouseClick(Child<QPushButton>(vlastnosti_, "buttonOK"), Qt::LeftButton);
    });
    Child<QAction>(form_, "toolVlastnosti")->trigger();
    QCoreApplication::processEvents();
    dialogs_.SaveChoices = {Path("p.lng")};
    Child<QAction>(form_, "toolUlozit")->trigger();
    EXPECT_EQ(Read("p.lng"), Cp("Language=Česky 00005:podvrh\r\nDefinition=demo.lnd\r\n"));
    EXPECT_EQ(dialogs_.Messages,
              (std::vector<std::string>{"Konce řádků ve vloženém textu byly nahrazeny mezerami."}));
}

TEST_F(MainWindow, QtsOwnButtonsSpeakTheEditorsLanguage)
{
    // The test folder has no czech.lng: the name of the file asked for tells the language.
    Show();
    EXPECT_EQ(qt::QtOwnTexts::LocaleFor(QString::fromUtf8("Čeština"), QString()), QStringLiteral("cs"));
    EXPECT_EQ(qt::QtOwnTexts::LocaleFor(QStringLiteral("English"), QStringLiteral("english.lng")), QString());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ano"));
}

TEST(FileDialogFilters, AllFilesAreAllFilesAlsoWithoutADotAndProgramsAreExecutables)
{
    // A program has no suffix here: its entry lists every name, and the dialog's list keeps the
    // folders, the executables and the .exe files.
    EXPECT_EQ(QtUserDialogs::QtFilters(QString::fromUtf8("Programy (*.exe)|*.exe|Všechny soubory (*.*)|*.*")),
              (QStringList{QStringLiteral("Programy (*)"), QString::fromUtf8("Všechny soubory (*)")}));
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto make = [&folder](const QString &name, QFileDevice::Permissions permissions) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.setPermissions(permissions);
        return QFileInfo(file.fileName());
    };
    const auto readWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    EXPECT_TRUE(
        ProgramFileFilter::Offered(make(QStringLiteral("editor"), readWrite | QFileDevice::ExeOwner)));
    EXPECT_TRUE(ProgramFileFilter::Offered(make(QStringLiteral("SETUP.EXE"), readWrite)));
    EXPECT_FALSE(ProgramFileFilter::Offered(make(QStringLiteral("notes.txt"), readWrite)));
    EXPECT_TRUE(ProgramFileFilter::Offered(QFileInfo(folder.path())));
}
