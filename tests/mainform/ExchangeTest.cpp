// Export and import in the File menu: the same files verbaria-tool writes, one undo step for an
// import, nothing changed by a refused one.
#include "editor/ui/ChecksController.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TMainForm.h"
#include "formats/FileIO.h"
#include "mainform/WindowFixture.h"
#include "platform/RegistryRecord.h"
#include "support/ScriptedDialogs.h"
#include "tool/ToolRunner.h"
#include "widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

using namespace verbaria;

namespace {

class Exchange : public WindowFixture
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
                          "5: MESSAGE \"P\xF8\xEDli\x9A\"\r\n" // windows-1250: "Příliš"
                          "6: MESSAGE \"Soubor\"\r\n");
        Write("demo.lng", "Language=Deutsch\r\nAuthor=Jana|Petr\r\nDefinition=demo.lnd\r\n"
                          "00002:Titel\r\n00005:Zu sehr\r\n");
        Write("popisy.lng", "Definition=demo.lnd\r\n00002:Nadpis okna\r\n");
        TMainForm::Hooks hooks;
        hooks.ReadSettings = [this](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = Path("demo.lnd");
            settings.PosledniJazyk = Path("demo.lng");
            settings.JazykProPopisy.clear();
        };
        Attach(form_, hooks);
        form_.resize(700, 500);
        form_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
    }

    LanguageDocument &Document() { return form_.Document(); }
    std::vector<std::string> Translations()
    {
        std::vector<std::string> texts;
        for (int row = 1; row < Document().Grid().RowCount(); ++row)
            texts.push_back(Document().Grid().Text(1, row));
        return texts;
    }
    void Import(const std::string &name, const std::string &bytes)
    {
        Write(name, bytes);
        dialogs_.OpenChoices.push_back(Path(name));
        Trigger("menuImportovat");
    }

    TMainForm form_;
};

const std::string PoStart = "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

std::string PoUnit(int number, const std::string &source, const std::string &target)
{
    return "msgctxt \"" + std::to_string(number) + "\"\nmsgid \"" + source + "\"\nmsgstr \"" + target +
           "\"\n\n";
}

} // namespace

TEST_F(Exchange, ExportWritesWhatTheToolWrites)
{
    dialogs_.OpenChoices.push_back(Path("popisy.lng"));
    Trigger("menuOtevritZdrojovy"); // components are exported with their descriptions
    for (const std::string format : {"xliff", "po"}) {
        SCOPED_TRACE(format);
        const std::string name = format == "po" ? "editor.po" : "editor.xlf";
        dialogs_.SaveChoices.push_back(Path(name));
        Trigger("menuExportovat");
        EXPECT_EQ(dialogs_.SaveDialogsShown.back().FileName, "demo.xlf");
        const ToolResult tool = RunTool({"export", "--format", format, Path("demo.lnd"), Path("demo.lng"),
                                         "--description", Path("popisy.lng"), "-o", Path("tool." + format)});
        ASSERT_EQ(tool.Status, 0) << tool.Err;
        EXPECT_EQ(Read(name), Read("tool." + format));
        EXPECT_NE(Read(name).find("Nadpis okna"), std::string::npos);
    }
    EXPECT_TRUE(dialogs_.Errors.empty());
    EXPECT_FALSE(Document().zmeneno());
}

TEST_F(Exchange, ImportChangesItsRowsAndOneUndoPutsThemBack)
{
    const std::vector<std::string> before = Translations();
    const std::string saved = Document().SavedBytes();
    Import("platform.po", PoStart + PoUnit(4, "Ahoj", "Hallo") + PoUnit(5, "Příliš", "Übermäßig") +
                              PoUnit(6, "Složka", "Ordner"));
    ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors.front();
    EXPECT_EQ(Translations(), (std::vector<std::string>{"", "Titel", "", "Hallo",
                                                        "\xDC"
                                                        "berm\xE4\xDF"
                                                        "ig",
                                                        "Ordner"}));
    EXPECT_TRUE(Document().zmeneno());
    EXPECT_TRUE(form_.isWindowModified());
    ASSERT_EQ(dialogs_.Messages.size(), 1u);
    const std::string &report = dialogs_.Messages.front();
    EXPECT_NE(report.find("Importováno překladů: 3."), std::string::npos) << report;
    // The template says "Soubor" where the platform had "Složka": the template changed since.
    EXPECT_NE(report.find("unit 6"), std::string::npos) << report;
    EXPECT_EQ(report.find("unit 4"), std::string::npos) << report;

    Trigger("menuZpet");
    EXPECT_EQ(Translations(), before);
    EXPECT_EQ(Document().SavedBytes(), saved);
    EXPECT_FALSE(Document().zmeneno());
    Trigger("menuZnovu");
    EXPECT_EQ(Translations()[3], "Hallo");
}

TEST_F(Exchange, ARefusedImportChangesNothing)
{
    const std::vector<std::string> before = Translations();
    const std::string saved = Document().SavedBytes();
    // Each time a first unit that fits, then the one the language file cannot take.
    const std::pair<std::string, std::string> refused[] = {
        {PoUnit(6, "Soubor", "ファイル"), "6"}, // windows-1250 holds no Japanese
        {PoUnit(6, "Soubor", "Da\\ntei"), "6"}, // a line break
        {PoUnit(99, "Nic", "Nichts"), "99"},    // no entry has the number
    };
    for (const auto &[unit, number] : refused) {
        SCOPED_TRACE(unit);
        dialogs_.Errors.clear();
        Import("refused.po", PoStart + PoUnit(4, "Ahoj", "Hallo") + unit);
        ASSERT_EQ(dialogs_.Errors.size(), 1u);
        EXPECT_NE(dialogs_.Errors.front().find("unit " + number), std::string::npos)
            << dialogs_.Errors.front();
        EXPECT_NE(dialogs_.Errors.front().find("Nic nebylo změněno"), std::string::npos);
        EXPECT_EQ(Translations(), before);
        EXPECT_EQ(Document().SavedBytes(), saved);
        EXPECT_FALSE(Document().zmeneno());
        EXPECT_FALSE(form_.History().CanUndo());
    }
    EXPECT_TRUE(dialogs_.Messages.empty());
}

TEST_F(Exchange, ARefusedImportKeepsTheNotesAndAnUndoneImportTakesItsReviewMarks)
{
    Write("notes.lng", "Language=Deutsch\r\nAuthor=Jana|Petr\r\nDefinition=demo.lnd\r\n/Spelling: de_DE\r\n"
                       "/Notes 00002: review\r\n00002:Titel\r\n"
                       "/Notes 00005: acknowledged=blanks\r\n00005:Zu sehr\r\n");
    dialogs_.OpenChoices.push_back(Path("notes.lng"));
    Trigger("menuOtevrit");
    const std::string saved = Document().SavedBytes();
    EXPECT_EQ(saved, Read("notes.lng"));
    const RowNotes notes = Document().Notes();
    ASSERT_EQ(notes.size(), 2u);

    Import("refused.po", PoStart + "#, fuzzy\n" + PoUnit(4, "Ahoj", "Hallo") + PoUnit(99, "Nic", "Nichts"));
    ASSERT_EQ(dialogs_.Errors.size(), 1u);
    EXPECT_EQ(Document().Notes(), notes);
    EXPECT_EQ(Document().SavedBytes(), saved);
    EXPECT_FALSE(Document().zmeneno());

    dialogs_.Errors.clear();
    Import("fuzzy.po", PoStart + "#, fuzzy\n" + PoUnit(4, "Ahoj", "Hallo"));
    ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors.front();
    EXPECT_TRUE(form_.ChecksCommands().Checks().NeedsReview(4));
    Trigger("menuZpet");
    EXPECT_EQ(Document().Notes(), notes);
    EXPECT_EQ(Document().SavedBytes(), saved);
    EXPECT_FALSE(Document().zmeneno());
}

// The translators' comments go out as the tool writes them and an import brings them in, undone in
// the one step of the import.
TEST_F(Exchange, TheRowsCommentsGoOutAndComeInWithTheirRows)
{
    Write("comments.lng", "Language=Deutsch\r\nDefinition=demo.lnd\r\n"
                          "/Notes 00002: comment=Kr\\u00e1tce\\nv\\u00fdraz okna\r\n00002:Titel\r\n");
    dialogs_.OpenChoices.push_back(Path("comments.lng"));
    Trigger("menuOtevrit");
    for (const std::string format : {"xliff", "po"}) {
        SCOPED_TRACE(format);
        dialogs_.SaveChoices.push_back(Path("editor." + format));
        Trigger("menuExportovat");
        const ToolResult tool = RunTool({"export", "--format", format, Path("demo.lnd"), Path("comments.lng"),
                                         "-o", Path("tool." + format)});
        ASSERT_EQ(tool.Status, 0) << tool.Err;
        const std::string comment = format == "po"
                                        ? "\n# Kr\xC3\xA1tce\n# v\xC3\xBDraz okna\n#. COMPONENT"
                                        : "<note from=\"translator\">Kr\xC3\xA1tce\nv\xC3\xBDraz okna</note>";
        EXPECT_NE(Read("editor." + format).find(comment), std::string::npos) << Read("editor." + format);
        EXPECT_NE(Read("tool." + format).find(comment), std::string::npos);
    }
    Import("comment.po", PoStart + "# Ov\xC4\x9B\xC5\x99it\n" + PoUnit(4, "Ahoj", "Hallo"));
    ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors.front();
    ASSERT_NE(Document().NoteOf(4), nullptr);
    EXPECT_EQ(Document().NoteOf(4)->Comment, "Ov\xC4\x9B\xC5\x99it");
    EXPECT_EQ(Document().NoteOf(2)->Comment, "Kr\xC3\xA1tce\nv\xC3\xBDraz okna");
    Trigger("menuZpet");
    EXPECT_EQ(Document().NoteOf(4), nullptr);
}

// A Qt program's plural message: the export names the language's rule (Czech: three forms), and a
// refused import puts back the forms it had already changed.
TEST_F(Exchange, PluralFormsGoOutWithTheirRuleAndARefusedImportPutsThemBack)
{
    Write("qt.lnd", "[LANGUAGE]\r\nCodepage=UTF-8\r\n[ITEMS]\r\n/Context=Files\r\n/Plural\r\n"
                    "1: message \"%n file(s)\"\r\n");
    Write("qt.lng", "Language=Čeština\r\nDefinition=qt.lnd\r\nCodepage=UTF-8\r\n00001:%n soubor\r\n"
                    "/Form 00001 1:%n soubory\r\n/Form 00001 2:%n souborů\r\n");
    Document().MapujText(Path("qt.lnd"));
    Document().NovyJazyk(true, false);
    Document().SetSouborJazyka(Path("qt.lng"));
    Document().NactiJazyk(Path("qt.lng"), 1);
    form_.History().Reset();
    dialogs_.SaveChoices.push_back(Path("qt.po"));
    Trigger("menuExportovat");
    ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors.front();
    EXPECT_NE(Read("qt.po").find("nplurals=3;"), std::string::npos) << Read("qt.po");

    const std::string saved = Document().SavedBytes();
    Import("refused.po", PoStart +
                             "msgctxt \"Files|\"\nmsgid \"%n file(s)\"\nmsgid_plural \"%n file(s)\"\n"
                             "msgstr[0] \"a\"\nmsgstr[1] \"b\"\nmsgstr[2] \"c\"\n\n" +
                             PoUnit(99, "Nic", "Nichts"));
    ASSERT_EQ(dialogs_.Errors.size(), 1u);
    EXPECT_EQ(Document().SavedBytes(), saved);
    EXPECT_FALSE(Document().zmeneno());
}

TEST_F(Exchange, ATranslationMarkedForReviewWaitsForReviewAndIsSavedSo)
{
    const std::pair<std::string, std::string> files[] = {
        {"fuzzy.po", PoStart + "#, fuzzy\n" + PoUnit(4, "Ahoj", "Hallo") + PoUnit(6, "Soubor", "Datei")},
        {"review.xlf",
         "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\" version=\"1.2\"><file original=\"x\" "
         "source-language=\"und\" datatype=\"plaintext\"><body>"
         "<trans-unit id=\"4\"><source>Ahoj</source>"
         "<target state=\"needs-review-translation\">Hallo</target></trans-unit>"
         "<trans-unit id=\"6\"><source>Soubor</source>"
         "<target state=\"translated\">Datei</target></trans-unit></body></file></xliff>"},
    };
    const std::string original = Read("demo.lng");
    for (const auto &[name, bytes] : files) {
        SCOPED_TRACE(name);
        Write("demo.lng", original);
        dialogs_.OpenChoices.push_back(Path("demo.lng"));
        Trigger("menuOtevrit");
        ASSERT_FALSE(form_.ChecksCommands().Checks().NeedsReview(4));
        EXPECT_FALSE(form_.Status().labelKeKontrole()->isVisibleTo(&form_));
        dialogs_.Messages.clear();
        Import(name, bytes);
        ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors.front();
        ASSERT_EQ(dialogs_.Messages.size(), 1u);
        EXPECT_NE(dialogs_.Messages.front().find("Z nich ke kontrole: 1."), std::string::npos);
        EXPECT_TRUE(form_.ChecksCommands().Checks().NeedsReview(4));
        EXPECT_FALSE(form_.ChecksCommands().Checks().NeedsReview(6));
        const QLabel *count = form_.Status().labelKeKontrole();
        EXPECT_TRUE(count->isVisibleTo(&form_));
        EXPECT_EQ(count->text(), QStringLiteral("Ke kontrole: 1"));
        form_.filterBar()->comboFiltr()->setCurrentIndex(FilterBar::Review);
        for (int row = 1; row <= 6; ++row)
            EXPECT_EQ(form_.gridJazyk()->isRowHidden(row - 1), row != 4) << row;
        form_.filterBar()->comboFiltr()->setCurrentIndex(FilterBar::All);

        Trigger("menuUlozitHned");
        EXPECT_NE(Read("demo.lng").find("/Notes 00004: review\r\n00004:Hallo\r\n00005:"), std::string::npos)
            << Read("demo.lng");
        EXPECT_EQ(Read("demo.lng").find("/Notes 00006"), std::string::npos);
        // The tool notes the same.
        const ToolResult tool = RunTool({"import", "--format", name.ends_with(".po") ? "po" : "xliff",
                                         Path("demo.lnd"), Path(name), "-o", Path("tool.lng")});
        ASSERT_EQ(tool.Status, 0) << tool.Err;
        EXPECT_NE(Read("tool.lng").find("/Notes 00004: review\r\n00004:Hallo\r\n"), std::string::npos)
            << Read("tool.lng");
    }
}
