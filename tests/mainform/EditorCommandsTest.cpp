// The main window's find, completion and uninstall commands and the about dialog, driven with real
// key and mouse events on the offscreen platform.
#include "editor/ui/FindDialog.h"
#include "editor/ui/SearchCommands.h"
#include "editor/ui/TAboutForm.h"
#include "editor/ui/TMainForm.h"
#include "platform/DetachedProcess.h"
#include "platform/RegistryRecord.h"
#include "platform/ShellOpen.h"
#include "platform/SystemDetachedProcess.h"
#include "platform/UninstallScript.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowHarness.h"
#include "tests/support/Cp1250.h"
#include "widgets/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace verbaria;
using namespace Qt::StringLiterals;

namespace {

std::string Cp(std::string_view utf8)
{
    return Utf8ToCp1250Lossy(utf8);
}

class FakeRegistry final : public RegistryRecord
{
public:
    bool Write(const QString &) override { return true; }
    bool Delete() override
    {
        ++deletions;
        return false; // a failure must not stop anything
    }
    int deletions = 0;
};

class RecordingDetachedProcess final : public DetachedProcess
{
public:
    bool StartScript(const QString &scriptPath) override
    {
        started.append(scriptPath);
        return false;
    }
    QStringList started;
};

// Records what the desktop would have been given.
class RecordingShell final : public ShellOpen
{
public:
    QStringList opened;

protected:
    bool OpenUrl(const QUrl &url) override
    {
        opened.append(url.toString());
        return true;
    }
};

// Keeps one log of questions and messages, so their order can be checked; the answers come from
// the script.
class LoggedDialogs final : public UserDialogs
{
public:
    explicit LoggedDialogs(ScriptedDialogs &script)
        : script_(script)
    {
    }

    bool AskYesNo(const std::string &question) override
    {
        log.push_back("ask: " + question);
        return script_.AskYesNo(question);
    }
    void Inform(const std::string &message) override
    {
        log.push_back("inform: " + message);
        script_.Inform(message);
    }
    void ReportError(const std::string &message) override
    {
        log.push_back("error: " + message);
        script_.ReportError(message);
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogState &dialog) override
    {
        return script_.ChooseFileToOpen(dialog);
    }
    std::optional<std::string> ChooseFileToSave(const FileDialogState &dialog) override
    {
        return script_.ChooseFileToSave(dialog);
    }

    std::vector<std::string> log;

private:
    ScriptedDialogs &script_;
};

const char *const TemplateBytes = "[ITEMS]\r\n"
                                  "1: SECTION \"Okno\"\r\n"
                                  "2: COMPONENT \"F.Caption\"\r\n"
                                  "3: MESSAGE \"Ahoj\"\r\n"
                                  "4: MESSAGE \"Ahoj\"\r\n"
                                  "5: COMPONENT \"F.b.Hint\"\r\n"
                                  "6: MESSAGE \"Konec\"\r\n";

// The program folder is a folder of the temporary folder, so that uninstalling has only the
// program's own files about it; the template lies beside it.
class EditorCommands : public WindowHarness
{
protected:
    void SetUp() override
    {
        WindowHarness::SetUp();
        programFolder_ = folder_.filePath(u"program"_s);
        QDir().mkpath(programFolder_);
        UseDialogs(logged_);
        UseRegistry(registry_);
    }
    void TearDown() override
    {
        if (form_) {
            form_->Document().SetZmeneno(false);
            form_.reset();
        }
    }

    // A main window on that program folder, shown, with the demo template loaded.
    void OpenMainForm(const QString &folder)
    {
        TMainForm::Hooks hooks;
        hooks.WriteSettings = [this](const std::string &, const SettingsValues &) {
            settingsWritten_ = true;
        };
        form_ = std::make_unique<TMainForm>();
        Attach(*form_, std::move(hooks), folder);
        form_->ThisCopy().SetDetachedProcess(&detached_);
        ASSERT_NO_FATAL_FAILURE(Show(*form_));
        Write("demo.lnd", TemplateBytes);
        form_->Document().MapujText(Path("demo.lnd"));
        form_->Document().NovyJazyk(true, false);
        ASSERT_EQ(form_->Document().polozky().size(), 6u);
    }
    void FillCell(int column, int row, const char *text)
    {
        form_->Document().Grid().SetText(column, row, text);
    }
    void TypeIntoFindDialog(const QString &text)
    {
        Trigger("toolNajit");
        FindDialog *find = form_->Search().findDialog();
        ASSERT_TRUE(find->isVisible());
        auto *edit = Child<QLineEdit>(*find, "editHledanyText");
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        // Key events carry Latin-1 characters only; others arrive as an input method would put them.
        bool latin1 = true;
        for (const QChar character : text)
            latin1 = latin1 && character.unicode() < 0x80;
        if (latin1)
            QTest::keyClicks(edit, text);
        else
            edit->insert(text);
    }
    void PressFindNext()
    {
        QTest::keyClick(Child<QLineEdit>(*form_->Search().findDialog(), "editHledanyText"), Qt::Key_Return);
    }
    std::pair<int, int> Current() const
    {
        return {form_->gridJazyk()->CurrentColumn(), form_->gridJazyk()->CurrentRow()};
    }
    QString Program(const QString &name) const { return programFolder_ + u'/' + name; }
    // A copy of a program in that folder of the temporary folder: the catalogue, settings, the
    // languages folder and an executable.
    void MakeProgramCopy(const std::string &folder)
    {
        Write(folder + "/programs.ini", "[Programy]\r\n");
        Write(folder + "/glotra.ini", "[Obecne]\r\n");
        Write(folder + "/jazyky/glotra11.lnd", "1: MESSAGE \"x\"\r\n");
        Write(folder + "/jazyky/czech.lng", "1=x\r\n");
        Write(folder + "/" + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString(),
              "not a program");
    }
    QString Folder(const std::string &name) const { return QString::fromStdString(Path(name)); }

    QString programFolder_;
    std::unique_ptr<TMainForm> form_;
    LoggedDialogs logged_{dialogs_};
    FakeRegistry registry_;
    RecordingDetachedProcess detached_;
    bool settingsWritten_ = false;
};

} // namespace

TEST_F(EditorCommands, FindWalksTheMatchesWithTheInfoPanelFollowing)
{
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    // Rows: 1 section, 2 component, 3 and 4 messages, 5 component, 6 message.
    FillCell(1, 3, "Hello");
    FillCell(1, 6, "End, hello");
    ASSERT_TRUE(form_->gridJazyk()->SetCurrentCell(1, 1));

    TypeIntoFindDialog(u"ahoj"_s);
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(0, 3));
    EXPECT_EQ(Child<QLineEdit>("editPuvodniText")->text(), u"Ahoj"_s);
    EXPECT_EQ(Child<QLineEdit>("editVNovemJazyce")->text(), u"Hello"_s);
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(0, 4));
    EXPECT_EQ(Child<QLineEdit>("editVNovemJazyce")->text(), QString());
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(0, 3)); // wrapped round

    TypeIntoFindDialog(u"hello"_s);
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(1, 3));
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(1, 6));
    EXPECT_EQ(Child<QLineEdit>("editPuvodniText")->text(), u"Konec"_s);
    EXPECT_EQ(Child<QLineEdit>("editNazevKomponenty")->text(), u"Zpráva"_s);
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(1, 3)); // from the last row over to row 1 and on
    EXPECT_TRUE(logged_.log.empty());
    EXPECT_FALSE(form_->Document().zmeneno());
}

TEST_F(EditorCommands, FindStartsBesideTheCurrentCellAndNeverExaminesIt)
{
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    FillCell(1, 2, "Okno v titulku");
    ASSERT_TRUE(form_->gridJazyk()->SetCurrentCell(1, 1));
    TypeIntoFindDialog(u"OKNO"_s);
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(1, 2));

    // "Okno" stands only in the current cell now: not found, and the cell stays.
    FillCell(1, 2, "");
    ASSERT_TRUE(form_->gridJazyk()->SetCurrentCell(0, 1));
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(0, 1));
    EXPECT_EQ(dialogs_.Errors, std::vector<std::string>{"Text \"OKNO\" nebyl nalezen."});

    // From the translation column the original of the same row is not examined either.
    ASSERT_TRUE(form_->gridJazyk()->SetCurrentCell(1, 1));
    PressFindNext();
    EXPECT_EQ(dialogs_.Errors.size(), 2u);
    EXPECT_EQ(Current(), std::make_pair(1, 1));
}

TEST_F(EditorCommands, FindFoldsOnlyAsciiLettersUnlessMatchCaseIsChecked)
{
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    FillCell(1, 5, Cp("xABCx Č").c_str());
    ASSERT_TRUE(form_->gridJazyk()->SetCurrentCell(0, 1));
    TypeIntoFindDialog(u"abc"_s);
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(1, 5));

    TypeIntoFindDialog(u"č"_s);
    PressFindNext();
    EXPECT_EQ(dialogs_.Errors, std::vector<std::string>{std::string("Text \"č\" nebyl nalezen.")});

    auto *matchCase = Child<QCheckBox>(*form_->Search().findDialog(), "checkRozlisovatVelikost");
    ASSERT_FALSE(matchCase->isChecked());
    QTest::mouseClick(matchCase, Qt::LeftButton);
    ASSERT_TRUE(form_->Search().findDialog()->MatchCase());
    ASSERT_TRUE(form_->gridJazyk()->SetCurrentCell(0, 1));
    TypeIntoFindDialog(u"abc"_s);
    PressFindNext();
    EXPECT_EQ(dialogs_.Errors.size(), 2u);
    TypeIntoFindDialog(u"ABC"_s);
    ASSERT_TRUE(form_->gridJazyk()->SetCurrentCell(0, 1));
    PressFindNext();
    EXPECT_EQ(Current(), std::make_pair(1, 5));
    EXPECT_EQ(dialogs_.Errors.size(), 2u);

    // A character the code page cannot hold is in no cell.
    TypeIntoFindDialog(u"\u4e00"_s);
    PressFindNext();
    EXPECT_EQ(dialogs_.Errors.size(), 3u);
}

TEST_F(EditorCommands, FindDialogKeepsItsTextAndIsModeless)
{
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    FindDialog *find = form_->Search().findDialog();
    EXPECT_FALSE(find->isModal());
    auto *findNext = Child<QPushButton>(*find, "buttonNajitDalsi");
    Trigger("menuNajit");
    EXPECT_FALSE(findNext->isEnabled()); // an empty text cannot be searched for
    TypeIntoFindDialog(u"Konec"_s);
    EXPECT_TRUE(findNext->isEnabled());
    QTest::mouseClick(Child<QPushButton>(*find, "buttonZavrit"), Qt::LeftButton);
    EXPECT_FALSE(find->isVisible());
    Trigger("menuNajit");
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->SearchText(), u"Konec"_s);
    QTest::mouseClick(findNext, Qt::LeftButton);
    EXPECT_EQ(Current().second, 6);
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(find->SearchText(), u"Konec"_s);
}

TEST_F(EditorCommands, CompletionLeavesTheDocumentUnchanged)
{
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    FillCell(1, 3, "");
    FillCell(1, 4, "Hi");
    FillCell(0, 5, Cp("Chyba: Položka nenalezena").c_str());
    FillCell(0, 6, Cp("Chyba: Položka nenalezena").c_str());
    FillCell(1, 6, "kept");
    Trigger("menuAutoDoplneni");
    const GridCells &grid = form_->Document().Grid();
    EXPECT_EQ(grid.Text(1, 3), std::string("Hi"));
    EXPECT_EQ(grid.Text(1, 5), std::string());
    EXPECT_EQ(grid.Text(1, 6), std::string("kept"));
    EXPECT_FALSE(form_->Document().zmeneno());
    EXPECT_TRUE(logged_.log.empty());
    // Leaving the document asks nothing.
    EXPECT_TRUE(form_->close());
    EXPECT_TRUE(logged_.log.empty());
}

TEST_F(EditorCommands, UninstallAnsweredNoChangesNothing)
{
    MakeProgramCopy("program");
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    dialogs_.Answers = {false};
    Trigger("menuOdinstalovat");
    EXPECT_EQ(logged_.log, std::vector<std::string>{"ask: Opravdu chcete odinstalovat Verbaria ?"});
    EXPECT_EQ(registry_.deletions, 0);
    EXPECT_TRUE(QFile::exists(Program(u"programs.ini"_s)));
    EXPECT_TRUE(QFile::exists(Program(u"jazyky/czech.lng"_s)));
    EXPECT_FALSE(QFile::exists(Program(UninstallScript::FileName())));
    EXPECT_TRUE(detached_.started.isEmpty());
    EXPECT_TRUE(form_->isVisible());
}

TEST_F(EditorCommands, UninstallDeletesWhatIsOursAndLeavesTheRest)
{
    MakeProgramCopy("program");
    Write("program/jazyky/.hidden", "");
    Write("program/jazyky/sub/inner.lng", "");
    ASSERT_TRUE(QFile::link(Program(u"nowhere"_s), Program(u"jazyky/broken-link"_s)));
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    dialogs_.Answers = {true};
    Trigger("menuOdinstalovat");

    EXPECT_EQ(registry_.deletions, 1);
    EXPECT_FALSE(QFile::exists(Program(u"programs.ini"_s)));
    EXPECT_FALSE(QFile::exists(Program(u"jazyky/czech.lng"_s)));
    EXPECT_FALSE(QFile::exists(Program(u"jazyky/glotra11.lnd"_s)));
    EXPECT_TRUE(QFile::exists(Program(u"jazyky/.hidden"_s)));
    EXPECT_TRUE(QFile::exists(Program(u"jazyky/sub/inner.lng"_s)));
    EXPECT_TRUE(QFileInfo(Program(u"jazyky/broken-link"_s)).isSymLink());
    EXPECT_TRUE(QFileInfo(Program(u"jazyky"_s)).isDir());
    EXPECT_TRUE(QFile::exists(Program(u"glotra.ini"_s)));
    EXPECT_TRUE(QFileInfo(programFolder_).isDir());

    const QString script = Program(UninstallScript::FileName());
    EXPECT_TRUE(QFile::exists(script));
    EXPECT_EQ(detached_.started, QStringList{script});
    EXPECT_EQ(logged_.log, (std::vector<std::string>{"ask: Opravdu chcete odinstalovat Verbaria ?",
                                                     std::string("inform: Verbaria byl odinstalován.")}));
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(settingsWritten_);
}

TEST_F(EditorCommands, UninstallRemovesAnEmptyLanguagesFolder)
{
    MakeProgramCopy("program");
    QFile::remove(Program(u"programs.ini"_s));
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    dialogs_.Answers = {true};
    Trigger("menuOdinstalovat");
    EXPECT_FALSE(QFileInfo::exists(Program(u"jazyky"_s)));
    EXPECT_EQ(dialogs_.Messages.size(), 1u);
    EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(EditorCommands, UninstallTakesALinkedLanguagesFolderAsALink)
{
    MakeProgramCopy("program");
    // The languages live elsewhere and the program folder links to them.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    QDir languages(Program(u"jazyky"_s));
    for (const QString &name : languages.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(languages.filePath(name), elsewhere.filePath(name)));
    ASSERT_TRUE(languages.removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere.path(), Program(u"jazyky"_s)));
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    dialogs_.Answers = {true};
    Trigger("menuOdinstalovat");
    EXPECT_FALSE(QFileInfo(Program(u"jazyky"_s)).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(Program(u"jazyky"_s)));
    EXPECT_TRUE(QFileInfo::exists(elsewhere.filePath(u"czech.lng"_s)));
    EXPECT_TRUE(QFileInfo::exists(elsewhere.filePath(u"glotra11.lnd"_s)));
}

TEST_F(EditorCommands, UninstallWithUnsavedChangesAsksAfterItsReport)
{
    MakeProgramCopy("program");
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(programFolder_));
    form_->Document().SetZmeneno(true);
    dialogs_.Answers = {true, false};
    Trigger("menuOdinstalovat");
    EXPECT_EQ(logged_.log, (std::vector<std::string>{"ask: Opravdu chcete odinstalovat Verbaria ?",
                                                     std::string("inform: Verbaria byl odinstalován."),
                                                     std::string("ask: Uložit změny ?")}));
    EXPECT_FALSE(form_->isVisible());
}

TEST_F(EditorCommands, UninstallScriptNamesPathsWithSpacesQuotesAndDollars)
{
    const std::string name = "my prog's \"best\" $HOME";
    const QString folder = Folder(name);
    MakeProgramCopy(name);
    ASSERT_NO_FATAL_FAILURE(OpenMainForm(folder));
    dialogs_.Answers = {true};
    Trigger("menuOdinstalovat");
    QFile script(folder + u'/' + UninstallScript::FileName());
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    const QByteArray text = script.readAll();
    // Inside single quotes nothing is special but the quote itself, closed and reopened.
    const QByteArray quotedFolder = QFile::encodeName(folder).replace("'", "'\\''");
    EXPECT_TRUE(
        text.contains("'" + quotedFolder + "/" +
                      QFile::encodeName(QFileInfo(QCoreApplication::applicationFilePath()).fileName()) + "'"))
        << text.toStdString();
    EXPECT_TRUE(
        text.contains("'" + quotedFolder + "/" + QFile::encodeName(UninstallScript::FileName()) + "'"));
    EXPECT_FALSE(text.contains("Glotrator"));
}

TEST_F(EditorCommands, UninstallScriptRemovesTheExecutableAfterTheProgramEnds)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "The batch script is run by cmd.exe";
#endif
    const QString folder = Folder("copy with spaces");
    MakeProgramCopy("copy with spaces");
    const QString executable = folder + u'/' + QFileInfo(QCoreApplication::applicationFilePath()).fileName();

    // Stands for the running editor: the script must wait for it.
    QProcess editor;
    editor.start(u"sleep"_s, {u"600"_s});
    ASSERT_TRUE(editor.waitForStarted());

    ASSERT_NO_FATAL_FAILURE(OpenMainForm(folder));
    SystemDetachedProcess realProcess;
    form_->ThisCopy().SetDetachedProcess(&realProcess);
    form_->ThisCopy().SetEditorProcessId(editor.processId());
    dialogs_.Answers = {true};
    Trigger("menuOdinstalovat");
    const QString script = folder + u'/' + UninstallScript::FileName();
    EXPECT_TRUE(QFile::exists(executable));

    editor.kill();
    ASSERT_TRUE(editor.waitForFinished());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(executable) && !QFile::exists(script); }, 60000));
    EXPECT_TRUE(QFile::exists(folder + u"/glotra.ini"_s));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(AboutDialog, LinksGoToTheDesktop)
{
    TAboutForm about;
    RecordingShell shell;
    about.SetShellOpen(&shell);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto *email = FindChild<QLabel>(about, "labelEmailPriv");
    auto *web = FindChild<QLabel>(about, "labelWwwPriv");
    EXPECT_EQ(email->text(), QStringLiteral(VERBARIA_MAKER_EMAIL));
    EXPECT_EQ(web->text(), QStringLiteral(VERBARIA_MAKER_WEB));
    EXPECT_EQ(email->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(email, Qt::LeftButton);
    QTest::mouseClick(web, Qt::LeftButton);
    EXPECT_EQ(shell.opened, (QStringList{u"mailto:"_s + QStringLiteral(VERBARIA_MAKER_EMAIL),
                                         QStringLiteral(VERBARIA_MAKER_WEB)}));
    EXPECT_TRUE(about.isVisible());

    // A language file may give the labels other captions: the click opens what they show.
    email->setText(u"prekladatel@example.cz"_s);
    web->setText(u"http://example.cz/cs"_s);
    QTest::mouseClick(email, Qt::LeftButton);
    QTest::mouseClick(web, Qt::LeftButton);
    EXPECT_EQ(shell.opened.mid(2),
              (QStringList{u"mailto:prekladatel@example.cz"_s, u"http://example.cz/cs"_s}));
}

TEST(AboutDialog, RefusesTargetsOtherThanMailAndWeb)
{
    TAboutForm about;
    RecordingShell shell;
    about.SetShellOpen(&shell);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto *web = FindChild<QLabel>(about, "labelWwwPriv");
    auto *email = FindChild<QLabel>(about, "labelEmailPriv");
    for (const QString &target : {u"/usr/bin/xterm"_s, u"file:///etc/passwd"_s, u"javascript:alert(1)"_s,
                                  u"C:\\Windows\\system32\\cmd.exe"_s, u"ftp://example.org"_s, u""_s}) {
        web->setText(target);
        QTest::mouseClick(web, Qt::LeftButton);
    }
    EXPECT_TRUE(shell.opened.isEmpty()) << shell.opened.join(u", "_s).toStdString();
    // The e-mail label always gets "mailto:" in front, so its caption cannot name a program.
    email->setText(u"/usr/bin/xterm"_s);
    QTest::mouseClick(email, Qt::LeftButton);
    EXPECT_EQ(shell.opened, QStringList{u"mailto:/usr/bin/xterm"_s});
    // Other labels are not links.
    QTest::mouseClick(FindChild<QLabel>(about, "labelNazevProgramu"), Qt::LeftButton);
    EXPECT_EQ(shell.opened.size(), 1);
}

TEST(AboutDialog, ShowsItsTextsAndCloses)
{
    TAboutForm about;
    EXPECT_EQ(about.objectName(), u"AboutForm"_s);
    EXPECT_EQ(about.windowTitle(), u"O programu"_s);
    const std::pair<const char *, QString> texts[] = {
        {"labelNazevProgramu", u"Verbaria"_s},
        {"labelVerze", u"Verze"_s},
        {"labelVerze1", u"1.1"_s},
        {"labelDokonceno", u"Dokončeno"_s},
        {"labelDokoncenoPriv", u"12. 6. 2003"_s},
        {"labelMadeInCzechRepPriv", u"Made in Czech Republic"_s},
        {"labelEmail", u"E-mail"_s},
        {"labelWWW", u"Web"_s},
    };
    for (const auto &[name, text] : texts)
        EXPECT_EQ(FindChild<QLabel>(about, name)->text(), text) << name;
    auto Label = [&about](const char *name) { return FindChild<QLabel>(about, name); };
    QLabel *title = Label("labelNazevProgramu");
    EXPECT_TRUE(title->font().bold());
    EXPECT_GT(title->font().pointSizeF(), about.font().pointSizeF());
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::red));
    for (QLabel *navy : {Label("labelVerze"), Label("labelVerze1"), Label("labelAutori")}) {
        EXPECT_TRUE(navy->font().bold());
        EXPECT_EQ(navy->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    }
    EXPECT_TRUE(Label("labelEmailPriv")->font().underline());
    EXPECT_EQ(Label("labelWwwPriv")->palette().color(QPalette::WindowText), QColor(Qt::blue));

    // A language file of an earlier release translates the version too; the shown dialog names
    // the build's own.
    Label("labelVerze1")->setText(u"1.0"_s);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(Label("labelVerze1")->text(), QStringLiteral(VERBARIA_SHOWN_VERSION));
    EXPECT_FALSE(Label("ImageIkonaProgramu")->pixmap().isNull());
    QTest::mouseClick(FindChild<QPushButton>(about, "buttonOK"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), int(QDialog::Accepted));
}
