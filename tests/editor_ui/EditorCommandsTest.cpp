#include "editor/ui/FindDialog.h"
#include "editor/ui/TAboutForm.h"
#include "editor/ui/TMainForm.h"
#include "platform/DetachedProcess.h"
#include "platform/RegistryRecord.h"
#include "platform/ShellOpen.h"
#include "platform/SystemDetachedProcess.h"
#include "platform/UninstallScript.h"
#include "support/ScriptedDialogs.h"
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

#include <fstream>

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

// Keeps one log of questions and messages, so their order can be checked.
class LoggedDialogs final : public UserDialogs
{
public:
    bool AskYesNo(const std::string &question) override
    {
        log.push_back("ask: " + question);
        return script.AskYesNo(question);
    }
    void Inform(const std::string &message) override
    {
        log.push_back("inform: " + message);
        script.Inform(message);
    }
    void ReportError(const std::string &message) override
    {
        log.push_back("error: " + message);
        script.ReportError(message);
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogState &dialog) override
    {
        return script.ChooseFileToOpen(dialog);
    }
    std::optional<std::string> ChooseFileToSave(const FileDialogState &dialog) override
    {
        return script.ChooseFileToSave(dialog);
    }

    ScriptedDialogs script;
    std::vector<std::string> log;
};

void WriteFile(const QString &path, const std::string &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << bytes;
}

const char *const TemplateBytes = "[ITEMS]\r\n"
                                  "1: SECTION \"Okno\"\r\n"
                                  "2: COMPONENT \"F.Caption\"\r\n"
                                  "3: MESSAGE \"Ahoj\"\r\n"
                                  "4: MESSAGE \"Ahoj\"\r\n"
                                  "5: COMPONENT \"F.b.Hint\"\r\n"
                                  "6: MESSAGE \"Konec\"\r\n";

// The named child, failing the test loudly when it is missing.
template <class Widget> Widget *Child(QObject *owner, const QString &name)
{
    Widget *child = owner->findChild<Widget *>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
}

} // namespace

class EditorCommandsTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void findWalksTheMatchesWithTheInfoPanelFollowing();
    void findStartsBesideTheCurrentCellAndNeverExaminesIt();
    void findFoldsOnlyAsciiLettersUnlessMatchCaseIsChecked();
    void findDialogKeepsItsTextAndIsModeless();
    void completionLeavesTheDocumentUnchanged();

    void uninstallAnsweredNoChangesNothing();
    void uninstallDeletesWhatIsOursAndLeavesTheRest();
    void uninstallRemovesAnEmptyLanguagesFolder();
    void uninstallTakesALinkedLanguagesFolderAsALink();
    void uninstallWithUnsavedChangesAsksAfterItsReport();
    void uninstallScriptNamesPathsWithSpacesQuotesAndDollars();
    void uninstallScriptRemovesTheExecutableAfterTheProgramEnds();

    void aboutLinksGoToTheDesktop();
    void aboutRefusesTargetsOtherThanMailAndWeb();
    void aboutShowsItsTextsAndCloses();

private:
    // A main window on its own temporary program folder, shown, with the demo template loaded.
    void OpenMainForm(const QString &folder);
    void FillCell(int column, int row, const char *text)
    {
        form_->Document().Grid().SetText(column, row, text);
    }
    void TypeIntoFindDialog(const QString &text);
    void PressFindNext();
    std::pair<int, int> Current() const
    {
        return {form_->gridJazyk()->CurrentColumn(), form_->gridJazyk()->CurrentRow()};
    }
    QAction *Action(const QString &name) const { return Child<QAction>(form_.get(), name); }
    QString Program(const QString &name) const { return programFolder_ + u'/' + name; }
    // A copy of a program folder: the catalogue, settings, the languages folder and an executable.
    void MakeProgramCopy(const QString &folder);

    std::unique_ptr<QTemporaryDir> temp_;
    QString programFolder_;
    std::unique_ptr<TMainForm> form_;
    LoggedDialogs dialogs_;
    FakeRegistry registry_;
    RecordingDetachedProcess detached_;
    bool settingsWritten_ = false;
};

void EditorCommandsTest::init()
{
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    programFolder_ = temp_->filePath(u"program"_s);
    QDir().mkpath(programFolder_);
    dialogs_ = LoggedDialogs();
    registry_.deletions = 0;
    detached_.started.clear();
    settingsWritten_ = false;
}

void EditorCommandsTest::cleanup()
{
    if (form_) {
        form_->Document().SetZmeneno(false);
        form_.reset();
    }
    temp_.reset();
}

void EditorCommandsTest::OpenMainForm(const QString &folder)
{
    form_ = std::make_unique<TMainForm>();
    form_->SetDialogs(&dialogs_);
    form_->SetProgramFolder(folder);
    form_->SetRegistryRecord(&registry_);
    form_->SetDetachedProcess(&detached_);
    TMainForm::Hooks hooks;
    hooks.WriteSettings = [this](const std::string &, const SettingsValues &) { settingsWritten_ = true; };
    form_->SetHooks(std::move(hooks));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const QString templatePath = temp_->filePath(u"demo.lnd"_s);
    WriteFile(templatePath, TemplateBytes);
    form_->Document().MapujText(templatePath.toStdString());
    form_->Document().NovyJazyk(true, false);
    QCOMPARE(form_->Document().polozky().size(), 6u);
}

void EditorCommandsTest::TypeIntoFindDialog(const QString &text)
{
    Action(u"toolNajit"_s)->trigger();
    FindDialog *find = form_->findDialog();
    QVERIFY(find->isVisible());
    QLineEdit *edit = find->findChild<QLineEdit *>(u"editHledanyText"_s);
    QVERIFY(edit);
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

void EditorCommandsTest::PressFindNext()
{
    QTest::keyClick(form_->findDialog()->findChild<QLineEdit *>(u"editHledanyText"_s), Qt::Key_Return);
}

void EditorCommandsTest::findWalksTheMatchesWithTheInfoPanelFollowing()
{
    OpenMainForm(programFolder_);
    // Rows: 1 section, 2 component, 3 and 4 messages, 5 component, 6 message.
    FillCell(1, 3, "Hello");
    FillCell(1, 6, "End, hello");
    QVERIFY(form_->gridJazyk()->SetCurrentCell(1, 1));

    TypeIntoFindDialog(u"ahoj"_s);
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(0, 3));
    QCOMPARE(Child<QLineEdit>(form_.get(), u"editPuvodniText"_s)->text(), u"Ahoj"_s);
    QCOMPARE(Child<QLineEdit>(form_.get(), u"editVNovemJazyce"_s)->text(), u"Hello"_s);
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(0, 4));
    QCOMPARE(Child<QLineEdit>(form_.get(), u"editVNovemJazyce"_s)->text(), QString());
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(0, 3)); // wrapped round

    TypeIntoFindDialog(u"hello"_s);
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(1, 3));
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(1, 6));
    QCOMPARE(Child<QLineEdit>(form_.get(), u"editPuvodniText"_s)->text(), u"Konec"_s);
    QCOMPARE(Child<QLineEdit>(form_.get(), u"editNazevKomponenty"_s)->text(), u"Zpráva"_s);
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(1, 3)); // from the last row over to row 1 and on
    QVERIFY(dialogs_.log.empty());
    QVERIFY(!form_->Document().zmeneno());
}

void EditorCommandsTest::findStartsBesideTheCurrentCellAndNeverExaminesIt()
{
    OpenMainForm(programFolder_);
    FillCell(1, 2, "Okno v titulku");
    QVERIFY(form_->gridJazyk()->SetCurrentCell(1, 1));
    TypeIntoFindDialog(u"OKNO"_s);
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(1, 2));

    // "Okno" stands only in the current cell now: not found, and the cell stays.
    FillCell(1, 2, "");
    QVERIFY(form_->gridJazyk()->SetCurrentCell(0, 1));
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(0, 1));
    QCOMPARE(dialogs_.script.Errors, std::vector<std::string>{"Text \"OKNO\" nebyl nalezen."});

    // From the translation column the original of the same row is not examined either.
    QVERIFY(form_->gridJazyk()->SetCurrentCell(1, 1));
    PressFindNext();
    QCOMPARE(dialogs_.script.Errors.size(), 2u);
    QCOMPARE(Current(), std::make_pair(1, 1));
}

void EditorCommandsTest::findFoldsOnlyAsciiLettersUnlessMatchCaseIsChecked()
{
    OpenMainForm(programFolder_);
    FillCell(1, 5, Cp("xABCx Č").c_str());
    QVERIFY(form_->gridJazyk()->SetCurrentCell(0, 1));
    TypeIntoFindDialog(u"abc"_s);
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(1, 5));

    TypeIntoFindDialog(u"č"_s);
    PressFindNext();
    QCOMPARE(dialogs_.script.Errors, std::vector<std::string>{std::string("Text \"č\" nebyl nalezen.")});

    QCheckBox *matchCase = form_->findDialog()->findChild<QCheckBox *>(u"checkRozlisovatVelikost"_s);
    QVERIFY(matchCase && !matchCase->isChecked());
    QTest::mouseClick(matchCase, Qt::LeftButton);
    QVERIFY(form_->findDialog()->MatchCase());
    QVERIFY(form_->gridJazyk()->SetCurrentCell(0, 1));
    TypeIntoFindDialog(u"abc"_s);
    PressFindNext();
    QCOMPARE(dialogs_.script.Errors.size(), 2u);
    TypeIntoFindDialog(u"ABC"_s);
    QVERIFY(form_->gridJazyk()->SetCurrentCell(0, 1));
    PressFindNext();
    QCOMPARE(Current(), std::make_pair(1, 5));
    QCOMPARE(dialogs_.script.Errors.size(), 2u);

    // A character the code page cannot hold is in no cell.
    TypeIntoFindDialog(u"\u4e00"_s);
    PressFindNext();
    QCOMPARE(dialogs_.script.Errors.size(), 3u);
}

void EditorCommandsTest::findDialogKeepsItsTextAndIsModeless()
{
    OpenMainForm(programFolder_);
    FindDialog *find = form_->findDialog();
    QVERIFY(!find->isModal());
    QPushButton *findNext = find->findChild<QPushButton *>(u"buttonNajitDalsi"_s);
    QVERIFY(findNext);
    Action(u"menuNajit"_s)->trigger();
    QVERIFY(!findNext->isEnabled()); // an empty text cannot be searched for
    TypeIntoFindDialog(u"Konec"_s);
    QVERIFY(findNext->isEnabled());
    QTest::mouseClick(find->findChild<QPushButton *>(u"buttonZavrit"_s), Qt::LeftButton);
    QVERIFY(!find->isVisible());
    Action(u"menuNajit"_s)->trigger();
    QVERIFY(find->isVisible());
    QCOMPARE(find->SearchText(), u"Konec"_s);
    QTest::mouseClick(findNext, Qt::LeftButton);
    QCOMPARE(Current().second, 6);
    QTest::keyClick(find, Qt::Key_Escape);
    QVERIFY(!find->isVisible());
    QCOMPARE(find->SearchText(), u"Konec"_s);
}

void EditorCommandsTest::completionLeavesTheDocumentUnchanged()
{
    OpenMainForm(programFolder_);
    FillCell(1, 3, "");
    FillCell(1, 4, "Hi");
    FillCell(0, 5, Cp("Chyba: Položka nenalezena").c_str());
    FillCell(0, 6, Cp("Chyba: Položka nenalezena").c_str());
    FillCell(1, 6, "kept");
    Action(u"menuAutoDoplneni"_s)->trigger();
    const GridCells &grid = form_->Document().Grid();
    QCOMPARE(grid.Text(1, 3), std::string("Hi"));
    QCOMPARE(grid.Text(1, 5), std::string());
    QCOMPARE(grid.Text(1, 6), std::string("kept"));
    QVERIFY(!form_->Document().zmeneno());
    QVERIFY(dialogs_.log.empty());
    // Leaving the document asks nothing.
    QVERIFY(form_->close());
    QVERIFY(dialogs_.log.empty());
}

void EditorCommandsTest::MakeProgramCopy(const QString &folder)
{
    QDir().mkpath(folder);
    WriteFile(folder + u"/programs.ini"_s, "[Programy]\r\n");
    WriteFile(folder + u"/glotra.ini"_s, "[Obecne]\r\n");
    WriteFile(folder + u"/jazyky/glotra11.lnd"_s, "1: MESSAGE \"x\"\r\n");
    WriteFile(folder + u"/jazyky/czech.lng"_s, "1=x\r\n");
    WriteFile(folder + u'/' + QFileInfo(QCoreApplication::applicationFilePath()).fileName(), "not a program");
}

void EditorCommandsTest::uninstallAnsweredNoChangesNothing()
{
    MakeProgramCopy(programFolder_);
    OpenMainForm(programFolder_);
    dialogs_.script.Answers = {false};
    Action(u"menuOdinstalovat"_s)->trigger();
    QCOMPARE(dialogs_.log, std::vector<std::string>{"ask: Opravdu chcete odinstalovat Verbaria ?"});
    QCOMPARE(registry_.deletions, 0);
    QVERIFY(QFile::exists(Program(u"programs.ini"_s)));
    QVERIFY(QFile::exists(Program(u"jazyky/czech.lng"_s)));
    QVERIFY(!QFile::exists(Program(UninstallScript::FileName())));
    QVERIFY(detached_.started.isEmpty());
    QVERIFY(form_->isVisible());
}

void EditorCommandsTest::uninstallDeletesWhatIsOursAndLeavesTheRest()
{
    MakeProgramCopy(programFolder_);
    WriteFile(Program(u"jazyky/.hidden"_s), "");
    WriteFile(Program(u"jazyky/sub/inner.lng"_s), "");
    QVERIFY(QFile::link(Program(u"nowhere"_s), Program(u"jazyky/broken-link"_s)));
    OpenMainForm(programFolder_);
    dialogs_.script.Answers = {true};
    Action(u"menuOdinstalovat"_s)->trigger();

    QCOMPARE(registry_.deletions, 1);
    QVERIFY(!QFile::exists(Program(u"programs.ini"_s)));
    QVERIFY(!QFile::exists(Program(u"jazyky/czech.lng"_s)));
    QVERIFY(!QFile::exists(Program(u"jazyky/glotra11.lnd"_s)));
    QVERIFY(QFile::exists(Program(u"jazyky/.hidden"_s)));
    QVERIFY(QFile::exists(Program(u"jazyky/sub/inner.lng"_s)));
    QVERIFY(QFileInfo(Program(u"jazyky/broken-link"_s)).isSymLink());
    QVERIFY(QFileInfo(Program(u"jazyky"_s)).isDir());
    QVERIFY(QFile::exists(Program(u"glotra.ini"_s)));
    QVERIFY(QFileInfo(programFolder_).isDir());

    const QString script = Program(UninstallScript::FileName());
    QVERIFY(QFile::exists(script));
    QCOMPARE(detached_.started, QStringList{script});
    QCOMPARE(dialogs_.log, (std::vector<std::string>{"ask: Opravdu chcete odinstalovat Verbaria ?",
                                                     std::string("inform: Verbaria byl odinstalován.")}));
    QVERIFY(!form_->isVisible());
    QVERIFY(settingsWritten_);
}

void EditorCommandsTest::uninstallRemovesAnEmptyLanguagesFolder()
{
    MakeProgramCopy(programFolder_);
    QFile::remove(Program(u"programs.ini"_s));
    OpenMainForm(programFolder_);
    dialogs_.script.Answers = {true};
    Action(u"menuOdinstalovat"_s)->trigger();
    QVERIFY(!QFileInfo::exists(Program(u"jazyky"_s)));
    QCOMPARE(dialogs_.script.Messages.size(), 1u);
    QVERIFY(dialogs_.script.Errors.empty());
}

void EditorCommandsTest::uninstallTakesALinkedLanguagesFolderAsALink()
{
    MakeProgramCopy(programFolder_);
    // The languages live elsewhere and the program folder links to them.
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    QDir languages(Program(u"jazyky"_s));
    for (const QString &name : languages.entryList(QDir::Files))
        QVERIFY(QFile::copy(languages.filePath(name), elsewhere.filePath(name)));
    QVERIFY(languages.removeRecursively());
    QVERIFY(QFile::link(elsewhere.path(), Program(u"jazyky"_s)));
    OpenMainForm(programFolder_);
    dialogs_.script.Answers = {true};
    Action(u"menuOdinstalovat"_s)->trigger();
    QVERIFY(!QFileInfo(Program(u"jazyky"_s)).isSymLink());
    QVERIFY(!QFileInfo::exists(Program(u"jazyky"_s)));
    QVERIFY(QFileInfo::exists(elsewhere.filePath(u"czech.lng"_s)));
    QVERIFY(QFileInfo::exists(elsewhere.filePath(u"glotra11.lnd"_s)));
}

void EditorCommandsTest::uninstallWithUnsavedChangesAsksAfterItsReport()
{
    MakeProgramCopy(programFolder_);
    OpenMainForm(programFolder_);
    form_->Document().SetZmeneno(true);
    dialogs_.script.Answers = {true, false};
    Action(u"menuOdinstalovat"_s)->trigger();
    QCOMPARE(dialogs_.log, (std::vector<std::string>{"ask: Opravdu chcete odinstalovat Verbaria ?",
                                                     std::string("inform: Verbaria byl odinstalován."),
                                                     std::string("ask: Uložit změny ?")}));
    QVERIFY(!form_->isVisible());
}

void EditorCommandsTest::uninstallScriptNamesPathsWithSpacesQuotesAndDollars()
{
    const QString folder = temp_->filePath(u"my prog's \"best\" $HOME"_s);
    MakeProgramCopy(folder);
    OpenMainForm(folder);
    dialogs_.script.Answers = {true};
    Action(u"menuOdinstalovat"_s)->trigger();
    QFile script(folder + u'/' + UninstallScript::FileName());
    QVERIFY(script.open(QIODevice::ReadOnly));
    const QByteArray text = script.readAll();
    // Inside single quotes nothing is special but the quote itself, closed and reopened.
    const QByteArray quotedFolder = QFile::encodeName(folder).replace("'", "'\\''");
    QVERIFY2(text.contains("'" + quotedFolder + "/" +
                           QFile::encodeName(QFileInfo(QCoreApplication::applicationFilePath()).fileName()) +
                           "'"),
             text.constData());
    QVERIFY(text.contains("'" + quotedFolder + "/" + QFile::encodeName(UninstallScript::FileName()) + "'"));
    QVERIFY(!text.contains("Glotrator"));
}

void EditorCommandsTest::uninstallScriptRemovesTheExecutableAfterTheProgramEnds()
{
#ifdef Q_OS_WIN
    QSKIP("The batch script is run by cmd.exe");
#endif
    const QString folder = temp_->filePath(u"copy with spaces"_s);
    MakeProgramCopy(folder);
    const QString executable = folder + u'/' + QFileInfo(QCoreApplication::applicationFilePath()).fileName();

    // Stands for the running editor: the script must wait for it.
    QProcess editor;
    editor.start(u"sleep"_s, {u"600"_s});
    QVERIFY(editor.waitForStarted());

    OpenMainForm(folder);
    SystemDetachedProcess realProcess;
    form_->SetDetachedProcess(&realProcess);
    form_->SetEditorProcessId(editor.processId());
    dialogs_.script.Answers = {true};
    Action(u"menuOdinstalovat"_s)->trigger();
    const QString script = folder + u'/' + UninstallScript::FileName();
    QVERIFY(QFile::exists(executable));

    editor.kill();
    QVERIFY(editor.waitForFinished());
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(executable) && !QFile::exists(script), 60000);
    QVERIFY(QFile::exists(folder + u"/glotra.ini"_s));
    QVERIFY(QFileInfo(folder).isDir());
}

void EditorCommandsTest::aboutLinksGoToTheDesktop()
{
    TAboutForm about;
    RecordingShell shell;
    about.SetShellOpen(&shell);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QLabel *email = about.findChild<QLabel *>(u"labelEmailPriv"_s);
    QLabel *web = about.findChild<QLabel *>(u"labelWwwPriv"_s);
    QVERIFY(email && web);
    QCOMPARE(email->text(), QStringLiteral(VERBARIA_MAKER_EMAIL));
    QCOMPARE(web->text(), QStringLiteral(VERBARIA_MAKER_WEB));
    QCOMPARE(email->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(email, Qt::LeftButton);
    QTest::mouseClick(web, Qt::LeftButton);
    QCOMPARE(shell.opened, (QStringList{u"mailto:"_s + QStringLiteral(VERBARIA_MAKER_EMAIL),
                                        QStringLiteral(VERBARIA_MAKER_WEB)}));
    QVERIFY(about.isVisible());

    // A language file may give the labels other captions: the click opens what they show.
    email->setText(u"prekladatel@example.cz"_s);
    web->setText(u"http://example.cz/cs"_s);
    QTest::mouseClick(email, Qt::LeftButton);
    QTest::mouseClick(web, Qt::LeftButton);
    QCOMPARE(shell.opened.mid(2),
             (QStringList{u"mailto:prekladatel@example.cz"_s, u"http://example.cz/cs"_s}));
}

void EditorCommandsTest::aboutRefusesTargetsOtherThanMailAndWeb()
{
    TAboutForm about;
    RecordingShell shell;
    about.SetShellOpen(&shell);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QLabel *web = about.findChild<QLabel *>(u"labelWwwPriv"_s);
    QLabel *email = about.findChild<QLabel *>(u"labelEmailPriv"_s);
    for (const QString &target : {u"/usr/bin/xterm"_s, u"file:///etc/passwd"_s, u"javascript:alert(1)"_s,
                                  u"C:\\Windows\\system32\\cmd.exe"_s, u"ftp://example.org"_s, u""_s}) {
        web->setText(target);
        QTest::mouseClick(web, Qt::LeftButton);
    }
    QVERIFY2(shell.opened.isEmpty(), qPrintable(shell.opened.join(u", "_s)));
    // The e-mail label always gets "mailto:" in front, so its caption cannot name a program.
    email->setText(u"/usr/bin/xterm"_s);
    QTest::mouseClick(email, Qt::LeftButton);
    QCOMPARE(shell.opened, QStringList{u"mailto:/usr/bin/xterm"_s});
    // Other labels are not links.
    QTest::mouseClick(about.findChild<QLabel *>(u"labelNazevProgramu"_s), Qt::LeftButton);
    QCOMPARE(shell.opened.size(), 1);
}

void EditorCommandsTest::aboutShowsItsTextsAndCloses()
{
    TAboutForm about;
    QCOMPARE(about.objectName(), u"AboutForm"_s);
    QCOMPARE(about.windowTitle(), u"O programu"_s);
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
    for (const auto &[name, text] : texts) {
        QLabel *label = about.findChild<QLabel *>(QString::fromLatin1(name));
        QVERIFY2(label, name);
        QCOMPARE(label->text(), text);
    }
    QLabel *title = Child<QLabel>(&about, u"labelNazevProgramu"_s);
    QVERIFY(title->font().bold());
    QVERIFY(title->font().pointSizeF() > about.font().pointSizeF());
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::red));
    for (QLabel *navy : {Child<QLabel>(&about, u"labelVerze"_s), Child<QLabel>(&about, u"labelVerze1"_s),
                         Child<QLabel>(&about, u"labelAutori"_s)}) {
        QVERIFY(navy->font().bold());
        QCOMPARE(navy->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    }
    QVERIFY(Child<QLabel>(&about, u"labelEmailPriv"_s)->font().underline());
    QCOMPARE(Child<QLabel>(&about, u"labelWwwPriv"_s)->palette().color(QPalette::WindowText),
             QColor(Qt::blue));

    // A language file of an earlier release translates the version too; the shown dialog names
    // the build's own.
    Child<QLabel>(&about, u"labelVerze1"_s)->setText(u"1.0"_s);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(Child<QLabel>(&about, u"labelVerze1"_s)->text(), QStringLiteral(VERBARIA_SHOWN_VERSION));
    QVERIFY(!Child<QLabel>(&about, u"ImageIkonaProgramu"_s)->pixmap().isNull());
    QTest::mouseClick(about.findChild<QPushButton *>(u"buttonOK"_s), Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(EditorCommandsTest)
#include "EditorCommandsTest.moc"
