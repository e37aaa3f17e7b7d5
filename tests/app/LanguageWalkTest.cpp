// The editor speaks one language everywhere. A walk through every window, dialog, message and check
// finding collects each text the user can read; switched to English none holds a Czech letter,
// switched to Czech none reads as English. The windows are the program's six with the real
// languages of jazyky/, driven by their widgets; questions and file dialogs are answered through
// the dialogs seam, which records what they were asked to show.
//
// What counts as English in a Czech text: a whole word of EnglishWords below, without regard to
// case. The list holds English function words and the commonest words of the editor's own
// messages, and no word that Czech writes the same way ("a", "i", "to", "on", "no", "by", "do",
// "program", "text"); so a Czech text never trips it, and an English sentence of any length
// hardly escapes it.
//
// Not walked: what the user or his files put there (translations, file names, dictionary words),
// the labels the about box keeps in every language (names ending in "Priv": the maker's
// addresses, the date, "Made in Czech Republic"), and the platform's own error texts, which the
// readers pass on word for word.
#include "app/EditorWindows.h"
#include "app/SettingsHooks.h"
#include "checks/Finding.h"
#include "editor/ui/ChecksController.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/FindDialog.h"
#include "editor/ui/MemoryController.h"
#include "editor/ui/ReplaceDialog.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/SearchCommands.h"
#include "editor/ui/TextPane.h"
#include "formats/LanguageFile.h"
#include "formats/TemplateFile.h"
#include "platform/CodePage.h"
#include "platform/DetachedProcess.h"
#include "platform/FolderListing.h"
#include "platform/ProgramIcon.h"
#include "platform/ProgramStarter.h"
#include "spelling/DictionaryCatalogue.h"
#include "support/DialogDriving.h"
#include "support/NoRegistryRecord.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowHarness.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <new>
#include <set>

using namespace verbaria;

namespace {

const QString Languages = QStringLiteral(VERBARIA_SOURCE_DIR "/jazyky/");

const QString CzechLetters = QString::fromUtf8("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");

const std::set<QString> EnglishWords = [] {
    std::set<QString> words;
    for (const QString &word :
         QStringLiteral(
             "the of and or is are was were be been has have it its in at an for with from this "
             "that these not cannot can will would should all none your you which there file files "
             "save open error warning translation original language row rows found changed "
             "replaced cancel close yes undo redo copy delete select find settings dictionary "
             "memory review untranslated")
             .split(QLatin1Char(' ')))
        words.insert(word);
    return words;
}();

bool HasCzechLetter(const QString &text)
{
    for (const QChar c : text) {
        if (CzechLetters.contains(c))
            return true;
    }
    return false;
}

// The words of the list that text holds; "&" marks of mnemonics do not split words.
QStringList EnglishWordsIn(QString text)
{
    text.remove(QLatin1Char('&'));
    static const QRegularExpression letters(QStringLiteral("[^\\p{L}]+"));
    QStringList found;
    for (const QString &word : text.split(letters, Qt::SkipEmptyParts)) {
        if (EnglishWords.contains(word.toLower()))
            found << word;
    }
    return found;
}

class NoFolders final : public FolderListing
{
public:
    std::vector<FolderEntry> List(const QString &) override { return {}; }
};

class NoScripts final : public DetachedProcess
{
public:
    bool StartScript(const QString &) override { return false; }
};

class NoIcons final : public ProgramIcon
{
public:
    QIcon IconOf(const QString &) override { return {}; }
};

class NoStarts final : public ProgramStarter
{
public:
    bool Start(const QString &) override { return false; }
};

struct SeenText
{
    std::string Where;
    QString Text;
};

class LanguageWalk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        // The small dictionaries of the test data, never the machine's.
        qputenv(spelling::DictionaryCatalogue::FoldersVariable, VERBARIA_SOURCE_DIR "/tests/data/spelling");
        // One finding of each check the editor makes, a row the memory knows, a translation
        // ISO-8859-1 cannot hold, a message with plural forms and the facts of its source, a section
        // and a comment. No text is Czech or English.
        Write("demo.lnd", "[LANGUAGE]\r\nProgram=Demo\r\n[ITEMS]\r\n"
                          "0: SECTION \"Okno\"\r\n"
                          "1: MESSAGE \"Alfa %s\"\r\n"
                          "2: MESSAGE \"Beta %1\"\r\n"
                          "3: MESSAGE \"\"\r\n"
                          "4: MESSAGE \"Delta\"\r\n"
                          "5: MESSAGE \"&Epsilon\"\r\n"
                          "/Text=&Zeta\r\n6: COMPONENT \"Okno.a.Caption\"\r\n"
                          "/Text=&Eta\r\n7: COMPONENT \"Okno.b.Caption\"\r\n"
                          "8: MESSAGE \"Iota \"\r\n"
                          "9: MESSAGE \"Kappa:\"\r\n"
                          "10: MESSAGE \"Lambda\"\r\n"
                          "/Text=12\r\n11: COMPONENT INTEGER \"Okno.c.Tag\"\r\n"
                          "/Text=Mu,Nu\r\n12: COMPONENT \"Okno.d.Items\"\r\n"
                          "13: MESSAGE \"Omikron\"\r\n"
                          "14: MESSAGE \"Pi\"\r\n"
                          "/Context=Okno\r\n/Disambiguation=Xi\r\n/Comment=Nota\r\n/Location=okno.cpp:7\r\n"
                          "/Plural\r\n15: MESSAGE \"%n Sigma\"\r\n"
                          "16: COMMENT \"Nota\"\r\n");
        Write("demo.lng", "Language=Latina\r\nDefinition=demo.lnd\r\n/Spelling: cs_CZ\r\n"
                          "00001:Alfa\r\n00002:Beta\r\n00003:Gama\r\n00004:Del\x98ta\r\n00005:Epsilon\r\n"
                          "00006:&Ziti\r\n00007:&Zota\r\n00008:Jota\r\n00009:Kapa\r\n00010:Lambda\r\n"
                          "00011:dvanact\r\n00012:Mu\r\n00014:Pi \x80\r\n");
        Write("pamet.lng", "Language=Latina\r\nDefinition=demo.lnd\r\n00013:Omikrona\r\n");
        Write("hotovo.lnd", "[LANGUAGE]\r\nProgram=Hotovo\r\n[ITEMS]\r\n1: MESSAGE \"Rho.\"\r\n");
        Write("hotovo.lng", "Language=Latina\r\nDefinition=hotovo.lnd\r\n00001:Ro.\r\n");
        Write("stary.txt", "[TRANSLATIONS]\r\nOkno.x.Caption = Alfa\r\n[MESSAGES]\r\nBeta = Gama\r\n");
        Write("programs.ini", "Demo=demo.lnd;demo\r\n");
    }

    void TearDown() override
    {
        windows_.reset();
        qunsetenv(spelling::DictionaryCatalogue::FoldersVariable);
    }

    void Write(const char *name, const std::string &bytes) { WriteFile(Path(name), bytes); }
    QString Path(const char *name) const { return folder_.filePath(QString::fromLatin1(name)); }
    std::string Native(const char *name) const { return QFile::encodeName(Path(name)).toStdString(); }

    // The program's windows in the folder, started in the language of that file.
    void Start(const char *language)
    {
        windows_ = std::make_unique<EditorWindows>(std::vector<std::string>{});
        TMainForm &form = windows_->mainForm;
        form.SetProgramFolder(folder_.path());
        form.SetLanguagesFolder(Languages);
        form.SetDialogs(&dialogs_);
        form.ThisCopy().SetRegistryRecord(&registry_);
        form.ThisCopy().SetFolderListing(&listing_);
        form.ThisCopy().SetDetachedProcess(&scripts_);
        form.SetInstalled(false);
        windows_->programyForm.SetDialogs(&dialogs_);
        windows_->programyForm.SetPlatform(&icons_, &starts_);
        windows_->pridatProgramForm.SetDialogs(&dialogs_);
        TMainForm::Hooks hooks = SettingsHooks({}, windows_->nastaveniForm, windows_->programyForm);
        hooks.ReadSettings = [this, language](const std::string &, SettingsValues &settings) {
            settings.JazykRozhrani = language;
            settings.PosledniSablona = Native("demo.lnd");
            settings.PosledniJazyk = Native("demo.lng");
            settings.JazykProPopisy.clear();
        };
        hooks.WriteSettings = {};
        form.SetHooks(std::move(hooks));
        form.resize(900, 600);
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    TMainForm &Form() { return windows_->mainForm; }

    QAction *Action(const char *name) { return FindAction(Form(), QString::fromLatin1(name)); }
    void Trigger(const char *name) { TriggerAction(Form(), QString::fromLatin1(name)); }

    // The user-interface language chosen in the settings dialog, as the user chooses it.
    void SwitchTo(const char *language)
    {
        InModal([language](QDialog &dialog) {
            auto *list = FindChild<QListWidget>(dialog, "listJazyky");
            const QList<QListWidgetItem *> items =
                list->findItems(QString::fromLatin1(language), Qt::MatchFixedString);
            ASSERT_EQ(items.size(), 1) << language;
            list->scrollToItem(items.front());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(items.front()).center());
            QTest::mouseClick(FindChild<QPushButton>(dialog, "buttonOK"), Qt::LeftButton);
        });
        Trigger("toolNastaveni");
    }

    void See(const std::string &where, QString text)
    {
        text.replace(QDir::toNativeSeparators(folder_.path()), QStringLiteral("<folder>"));
        text.replace(folder_.path(), QStringLiteral("<folder>"));
        if (!text.trimmed().isEmpty())
            seen_.push_back({where, text});
    }
    void See(const std::string &where, const std::string &utf8) { See(where, QString::fromStdString(utf8)); }

    // Every text of root and its children that the program sets: titles, captions, hints, list
    // entries of its own, placeholders, headings, the status bar's message. What the user typed or
    // a file holds (fields, the grid's cells, lists of files and programs) is not its text.
    void Collect(const std::string &where, QWidget *root)
    {
        QList<QObject *> objects = root->findChildren<QObject *>();
        objects.prepend(root);
        for (QObject *object : objects) {
            const std::string at = where + " " + object->objectName().toStdString();
            if (auto *widget = qobject_cast<QWidget *>(object)) {
                if (widget->isWindow())
                    See(at + " title", widget->windowTitle());
                See(at + " tool tip", widget->toolTip());
                See(at + " status tip", widget->statusTip());
                See(at + " what's this", widget->whatsThis());
            }
            if (auto *action = qobject_cast<QAction *>(object)) {
                // A suggestion of the spelling menu is a word of the dictionary.
                if (!action->font().bold()) {
                    See(at + " text", action->text());
                    See(at + " tool tip", action->toolTip());
                    See(at + " status tip", action->statusTip());
                }
            } else if (auto *menu = qobject_cast<QMenu *>(object)) {
                See(at + " title", menu->title());
            } else if (auto *label = qobject_cast<QLabel *>(object)) {
                if (!label->objectName().endsWith(QLatin1String("Priv")))
                    See(at + " text", label->textFormat() == Qt::PlainText
                                          ? label->text()
                                          : QTextDocumentFragment::fromHtml(label->text()).toPlainText());
            } else if (auto *button = qobject_cast<QAbstractButton *>(object)) {
                See(at + " text", button->text());
            } else if (auto *box = qobject_cast<QGroupBox *>(object)) {
                See(at + " title", box->title());
            } else if (auto *tabs = qobject_cast<QTabBar *>(object)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    See(at + " tab", tabs->tabText(i));
                    See(at + " tab tool tip", tabs->tabToolTip(i));
                }
            } else if (auto *combo = qobject_cast<QComboBox *>(object)) {
                for (int i = 0; i < combo->count(); ++i)
                    See(at + " entry", combo->itemText(i));
            } else if (auto *line = qobject_cast<QLineEdit *>(object)) {
                See(at + " placeholder", line->placeholderText());
            } else if (auto *memo = qobject_cast<QPlainTextEdit *>(object)) {
                See(at + " placeholder", memo->placeholderText());
            } else if (auto *tree = qobject_cast<QTreeWidget *>(object)) {
                for (int i = 0; i < tree->columnCount(); ++i)
                    See(at + " heading", tree->headerItem()->text(i));
            } else if (auto *table = qobject_cast<QTableView *>(object)) {
                for (int i = 0; table->model() && i < table->model()->columnCount(); ++i)
                    See(at + " heading", table->model()->headerData(i, Qt::Horizontal).toString());
            } else if (auto *progress = qobject_cast<QProgressBar *>(object)) {
                See(at + " text", progress->text());
            } else if (auto *bar = qobject_cast<QStatusBar *>(object)) {
                See(at + " message", bar->currentMessage());
            }
        }
    }

    void CollectStatus(const std::string &where)
    {
        See(where + " status bar", Form().statusBar()->currentMessage());
    }

    // The windows, commands, dialogs and check findings, one after the other.
    void Walk()
    {
        TMainForm &form = Form();
        StringGrid *grid = form.gridJazyk();
        Collect("main window", &form);

        // Every row: its marks' hints, the text pane with its notes, the info panel, the status bar.
        const int rows = static_cast<int>(form.Document().polozky().size());
        ASSERT_EQ(rows, 17);
        auto walkRows = [&](const std::string &pass) {
            for (int row = 1; row <= rows; ++row) {
                ASSERT_TRUE(grid->SetCurrentCell(1, row));
                QCoreApplication::processEvents();
                const std::string at = pass + " row " + std::to_string(row);
                const StringGridModel *model = grid->GridModel();
                See(at + " hint", model->data(model->IndexOfCell(1, row), Qt::ToolTipRole).toString());
                Collect(at, form.textPane());
                CollectStatus(at);
                // The info panel names the kind of a row that is no component.
                if (form.Document().polozky()[static_cast<std::size_t>(row - 1)].Kind != ikComponent)
                    See(at + " kind", FindChild<QLineEdit>(form, "editNazevKomponenty")->text());
                for (const checks::Finding &finding : form.ChecksCommands().Checks().Shown(row))
                    produced_.insert(finding.Check);
            }
        };
        walkRows("first pass");
        form.MemoryCommands().Memory().Wait();
        QCoreApplication::processEvents();
        walkRows("with the memory");
        // The editor finds every check but the plural forms', which only the tool counts; its message
        // is read as the editor would show it.
        const TextService &texts = form.Texts();
        const checks::Finding plural{checks::CheckId::PluralForms, {"3", "2"}};
        See("plural forms finding", checks::FillArguments(RowChecks::Message(plural.Check, texts),
                                                          RowChecks::Arguments(plural, texts)));

        // A warning accepted; the memory's match pre-translated, and its row waiting for review.
        ASSERT_TRUE(grid->SetCurrentCell(1, 10));
        Trigger("menuPotvrditVarovani");
        Trigger("menuPredprelozit");
        CollectStatus("pre-translation");
        Collect("after pre-translation", form.statusBar());
        ASSERT_TRUE(grid->SetCurrentCell(1, 14));
        QCoreApplication::processEvents();
        EXPECT_TRUE(form.ChecksCommands().Checks().NeedsReview(14));
        Collect("row for review", form.textPane());

        // The spelling menu of the text pane over a word the dictionary does not know.
        QPlainTextEdit *memo = form.textPane()->memoNovyText();
        memo->setFocus();
        const QPoint at = memo->cursorRect(QTextCursor(memo->document())).center() + QPoint(2, 0);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, memo->viewport()->mapToGlobal(at));
        QApplication::sendEvent(memo->viewport(), &menuEvent);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        EXPECT_NE(menu, nullptr);
        if (menu) {
            EXPECT_GT(menu->actions().size(), 3);
            Collect("spelling menu", menu);
            menu->close();
        }

        // Find, not found.
        Trigger("menuNajit");
        FindDialog *find = form.Search().findDialog();
        Collect("find dialog", find);
        FindChild<QLineEdit>(*find, "editHledanyText")->setText(QStringLiteral("xyzzy"));
        QTest::mouseClick(FindChild<QPushButton>(*find, "buttonNajitDalsi"), Qt::LeftButton);
        find->close();

        // Replace: a wrong expression, a text the code page refuses, a replace done.
        Trigger("menuNahradit");
        ReplaceDialog *replace = form.Search().replaceDialog();
        Collect("replace dialog", replace);
        auto preview = [&](const char *what, const QString &from, const QString &to, bool expression) {
            FindChild<QCheckBox>(*replace, "checkRegularniVyraz")->setChecked(expression);
            FindChild<QLineEdit>(*replace, "editHledat")->setText(from);
            FindChild<QLineEdit>(*replace, "editNahradit")->setText(to);
            QTest::mouseClick(FindChild<QPushButton>(*replace, "buttonNahled"), Qt::LeftButton);
            See(std::string("replace preview, ") + what, FindChild<QLabel>(*replace, "labelPocet")->text());
        };
        preview("wrong expression", QStringLiteral("("), QString(), true);
        preview("refused", QStringLiteral("Kapa"), QString::fromUtf8("Ω"), false);
        preview("done", QStringLiteral("Jota"), QStringLiteral("Jotta"), false);
        Collect("replace preview", replace);
        QTest::mouseClick(FindChild<QPushButton>(*replace, "buttonNahraditVse"), Qt::LeftButton);
        See("replace done", FindChild<QLabel>(*replace, "labelPocet")->text());
        replace->close();

        // The properties dialog: a character the language's code page lacks, a pasted line break, a
        // code page that cannot hold the translations.
        InModal([this](QDialog &dialog) {
            Collect("properties dialog", &dialog);
            QLineEdit *language = FindChild<QLineEdit>(dialog, "editJazyk");
            language->setFocus();
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("Ж"));
            QApplication::sendEvent(language, &press);
            QLineEdit *version = FindChild<QLineEdit>(dialog, "editVerzeJazyka");
            version->setFocus();
            QApplication::clipboard()->setText(QStringLiteral("1\r\n2"));
            QTest::keyClick(version, Qt::Key_V, Qt::ControlModifier);
            QComboBox *codePages = FindChild<QComboBox>(dialog, "comboKodovaStranka");
            const int latin = codePages->findText(QStringLiteral("ISO-8859-1"));
            ASSERT_GE(latin, 0);
            codePages->setCurrentIndex(latin);
            emit codePages->activated(latin);
            QTest::mouseClick(FindChild<QPushButton>(dialog, "buttonZrusit"), Qt::LeftButton);
        });
        Trigger("toolVlastnosti");

        // The settings dialog, the catalogue in it and the entry dialog in that: their refusals, the
        // file dialogs of the entry, the question before an entry goes.
        InModal([this](QDialog &settings) {
            Collect("settings dialog", &settings);
            InModal([this](QDialog &catalogue) {
                Collect("catalogue", &catalogue);
                InModal([this](QDialog &entry) {
                    Collect("program entry", &entry);
                    QLineEdit *name = FindChild<QLineEdit>(entry, "editNazev");
                    name->setText(QStringLiteral("Alfa=Beta"));
                    QTest::mouseClick(FindChild<QPushButton>(entry, "buttonOK"), Qt::LeftButton);
                    name->setText(QStringLiteral("Alfa"));
                    FindChild<QLineEdit>(entry, "editSablona")->setText(QStringLiteral("alfa;beta.lnd"));
                    QTest::mouseClick(FindChild<QPushButton>(entry, "buttonOK"), Qt::LeftButton);
                    dialogs_.OpenChoices = {std::nullopt, std::nullopt};
                    QTest::mouseClick(FindChild<QToolButton>(entry, "buttonOtevritProgram"), Qt::LeftButton);
                    QTest::mouseClick(FindChild<QToolButton>(entry, "buttonOtevritSablonu"), Qt::LeftButton);
                    QTest::mouseClick(FindChild<QPushButton>(entry, "buttonCancel"), Qt::LeftButton);
                });
                FindChild<QAction>(catalogue, "toolNovy")->trigger();
                auto *list = FindChild<QListView>(catalogue, "listProgramy");
                list->setCurrentIndex(list->model()->index(0, 0));
                dialogs_.Answers = {false};
                FindChild<QAction>(catalogue, "toolSmazat")->trigger();
                QTest::mouseClick(FindChild<QPushButton>(catalogue, "buttonZrusit"), Qt::LeftButton);
            });
            QTest::mouseClick(FindChild<QPushButton>(settings, "buttoinNastavProgramy"), Qt::LeftButton);
            QTest::mouseClick(FindChild<QPushButton>(settings, "buttonZrusit"), Qt::LeftButton);
        });
        Trigger("toolNastaveni");

        // The about box; the catalogue as the new language for another program opens it.
        InModal([this](QDialog &about) { Collect("about box", &about); });
        Trigger("toolInfo");
        InModal([this](QDialog &catalogue) { Collect("catalogue for a new language", &catalogue); });
        Trigger("toolNovyVJinemProgramu");

        // The file commands' dialogs, cancelled; the conversion from the old format.
        dialogs_.OpenChoices = {std::nullopt};
        Trigger("menuOtevritZdrojovy");
        dialogs_.SaveChoices = {std::nullopt};
        Trigger("toolUlozit");
        dialogs_.OpenChoices = {Native("stary.txt")};
        dialogs_.SaveChoices = {Native("novy.lng"), Native("novy.lnd")};
        Trigger("menuImportovatStarouVerzi");

        // Another program's language, all translated and without problems: nothing left to go to;
        // saved without a dialog.
        dialogs_.OpenChoices = {Native("hotovo.lng")};
        dialogs_.Answers = {false, true}; // not saved; switched to its template
        Trigger("toolOtevrit");
        EXPECT_EQ(form.Document().polozky().size(), 1u);
        ASSERT_TRUE(grid->SetCurrentCell(1, 1));
        Trigger("menuDalsiProblem");
        CollectStatus("no problem");
        Trigger("menuDalsiNeprelozeny");
        CollectStatus("all translated");
        Trigger("menuUlozitHned");
        CollectStatus("saved");

        // A new language; the language file deleted, and then there is none to delete.
        Trigger("toolNovy");
        Collect("new language", &form);
        dialogs_.Answers = {true, true};
        Trigger("menuSmazat");
        EXPECT_FALSE(QFile::exists(Path("hotovo.lng")));
        Trigger("menuSmazat");
        form.Document().ReportFailure(std::bad_alloc());

        // Uninstalling an installed copy, a copy the user keeps, and one he removes: the end.
        form.SetInstalled(true);
        Trigger("menuOdinstalovat");
        form.SetInstalled(false);
        dialogs_.Answers = {false};
        Trigger("menuOdinstalovat");
        dialogs_.Answers = {true};
        Trigger("menuOdinstalovat");
        EXPECT_FALSE(form.isVisible());

        // What the dialogs were asked to show.
        for (const std::string &question : dialogs_.Questions)
            See("question", question);
        for (const std::string &message : dialogs_.Messages)
            See("message", message);
        for (const std::string &error : dialogs_.Errors)
            See("error", error);
        for (const FileDialogState &dialog : dialogs_.OpenDialogsShown) {
            See("open dialog title", dialog.Title);
            See("open dialog filter", dialog.Filter);
        }
        for (const FileDialogState &dialog : dialogs_.SaveDialogsShown) {
            See("save dialog title", dialog.Title);
            See("save dialog filter", dialog.Filter);
            // The name a new file is offered; a path is the user's.
            if (dialog.FileName.find('/') == std::string::npos)
                See("save dialog file name", dialog.FileName);
        }
    }

    // The walk went where it should: each check found, each kind of dialog asked.
    void ExpectTheWholeWalk()
    {
        for (int check = 0; check < checks::CheckCount; ++check) {
            const auto id = static_cast<checks::CheckId>(check);
            // Plural forms are the tool's; so is a changed original (the editor marks it itself).
            if (id != checks::CheckId::PluralForms && id != checks::CheckId::ChangedOriginal) {
                EXPECT_TRUE(produced_.contains(id)) << checks::CheckName(id);
            }
        }
        EXPECT_EQ(dialogs_.Questions.size(), 7u);
        EXPECT_EQ(dialogs_.Messages.size(), 9u);
        EXPECT_EQ(dialogs_.Errors.size(), 2u);
        EXPECT_EQ(dialogs_.OpenDialogsShown.size(), 5u);
        EXPECT_EQ(dialogs_.SaveDialogsShown.size(), 3u);
        EXPECT_GT(seen_.size(), 400u);
    }

    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;
    NoRegistryRecord registry_;
    NoFolders listing_;
    NoScripts scripts_;
    NoIcons icons_;
    NoStarts starts_;
    std::unique_ptr<EditorWindows> windows_;
    std::vector<SeenText> seen_;
    std::set<checks::CheckId> produced_;
};

} // namespace

TEST_F(LanguageWalk, SwitchedToEnglishNoTextHoldsACzechLetter)
{
    Start("czech.lng");
    SwitchTo("english.lng");
    Walk();
    ExpectTheWholeWalk();
    for (const SeenText &seen : seen_)
        EXPECT_FALSE(HasCzechLetter(seen.Text)) << seen.Where << ": " << seen.Text.toStdString();
}

TEST_F(LanguageWalk, SwitchedToCzechNoTextReadsAsEnglish)
{
    Start("english.lng");
    SwitchTo("czech.lng");
    Walk();
    ExpectTheWholeWalk();
    for (const SeenText &seen : seen_)
        EXPECT_TRUE(EnglishWordsIn(seen.Text).isEmpty())
            << seen.Where << ": " << seen.Text.toStdString() << " ("
            << EnglishWordsIn(seen.Text).join(QLatin1Char(' ')).toStdString() << ")";
}

namespace {

// The letter after a single '&', lower case; none for a text without one.
QChar MnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Within one menu or one dialog, each mnemonic reaches one entry.
void ExpectUniqueMnemonics(const std::string &where, const QStringList &texts)
{
    std::map<QChar, QString> owners;
    for (const QString &text : texts) {
        const QChar letter = MnemonicOf(text);
        if (letter.isNull())
            continue;
        const auto [owner, added] = owners.emplace(letter, text);
        EXPECT_TRUE(added) << where << ": \"" << text.toStdString() << "\" and \""
                           << owner->second.toStdString() << "\" share " << QString(letter).toStdString();
    }
}

QStringList TextsOfDialog(QWidget &dialog)
{
    QStringList texts;
    for (QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        texts << button->text();
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->buddy())
            texts << label->text();
    }
    for (QGroupBox *box : dialog.findChildren<QGroupBox *>())
        texts << box->title();
    return texts;
}

} // namespace

TEST_F(LanguageWalk, NoTwoCommandsShareAKeyNorTwoEntriesOfAMenuOrDialogAMnemonic)
{
    for (const char *language : {"czech.lng", "english.lng"}) {
        SCOPED_TRACE(language);
        Start(language);
        std::map<QString, QString> keys;
        for (QAction *action : Form().findChildren<QAction *>()) {
            for (const QKeySequence &key : action->shortcuts()) {
                const auto [owner, added] = keys.emplace(key.toString(), action->objectName());
                EXPECT_TRUE(added) << key.toString().toStdString() << ": "
                                   << action->objectName().toStdString() << " and "
                                   << owner->second.toStdString();
            }
        }
        QStringList titles;
        for (QAction *entry : Form().menuBar()->actions()) {
            titles << entry->text();
            if (QMenu *menu = entry->menu()) {
                QStringList texts;
                for (QAction *action : menu->actions())
                    texts << action->text();
                ExpectUniqueMnemonics(menu->objectName().toStdString(), texts);
            }
        }
        ExpectUniqueMnemonics("menu bar", titles);
        for (QWidget *dialog : std::initializer_list<QWidget *>{
                 Form().Search().findDialog(), Form().Search().replaceDialog(), &windows_->vlastnostiForm,
                 &windows_->nastaveniForm, &windows_->programyForm, &windows_->pridatProgramForm})
            ExpectUniqueMnemonics(dialog->objectName().toStdString(), TextsOfDialog(*dialog));
        windows_.reset();
    }
}

TEST(EditorLanguages, EveryLineOfEachLanguageIsInThatLanguage)
{
    // What no walk reaches is at least translated so: English lines hold no Czech letter, Czech
    // lines no English word, but the about box's own ("...Priv").
    TranslatorTemplate editorTemplate;
    ASSERT_TRUE(ReadTemplateFile((Languages + QStringLiteral("glotra11.lnd")).toStdString(), editorTemplate));
    const CodePage codePage = *CodePage::Named(QStringLiteral("windows-1250"));
    for (const char *language : {"english.lng", "czech.lng"}) {
        TranslatorTemplate items = editorTemplate;
        NumberIndex index;
        index.Build(items.Items);
        TLanguageInfo info;
        ASSERT_TRUE(ReadLanguageFile((Languages + QString::fromLatin1(language)).toStdString(), items.Items,
                                     index, info));
        for (const TTemplateItem &item : items.Items) {
            if (item.Text.ends_with("Priv.text"))
                continue;
            const QString text = codePage.Decode(item.Translation);
            if (std::string_view(language) == "english.lng") {
                EXPECT_FALSE(HasCzechLetter(text)) << item.Number << ": " << text.toStdString();
            } else {
                EXPECT_TRUE(EnglishWordsIn(text).isEmpty()) << item.Number << ": " << text.toStdString();
            }
        }
    }
}
