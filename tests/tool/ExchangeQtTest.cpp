#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

// XLIFF and PO of a Qt program's files: contexts, disambiguations, plural forms, the programmer's
// comments and a form's own texts, there and back, and as gettext and Qt's tools read them.
namespace {

const std::string QtWay = std::string(VERBARIA_TEST_DATA) + "/../../examples/qt-way/jazyky";

// As scan writes it for a form and a program's messages (windows-1250, CR LF): one form's text on
// two buttons of two forms, a component whose text is not noted, a message whose context and
// disambiguation hold Qt's separator and escape, with a comment of two lines and a text with a
// line break and quotes, and a plural message.
const std::string FormTemplate = "[LANGUAGE]\r\nProgram=Demo\r\n[ITEMS]\r\n"
                                 "1: section \"MainForm\"\r\n"
                                 "/Text=&Otev\xF8\xEDt\r\n"
                                 "2: component \"MainForm.buttonOpen.Caption\"\r\n"
                                 "/Text=&Otev\xF8\xEDt\r\n"
                                 "3: component \"OtherForm.buttonOpen.Caption\"\r\n"
                                 "4: component \"MainForm.labelInfo.Caption\"\r\n"
                                 "/Context=A|B\r\n"
                                 "/Disambiguation=x~y\r\n"
                                 "/Comment=First line\\nsecond line\r\n"
                                 "/Source=Line one\\nline \"two\"\r\n"
                                 "5: message \"Line one|line 'two'\"\r\n"
                                 "/Context=Main\r\n"
                                 "/Plural\r\n"
                                 "6: message \"%n file(s)\"\r\n";

const std::string FormLanguage = "Language=\xC8"
                                 "e\x9Atina\r\n"
                                 "Plural-Forms=nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;\r\n"
                                 "Direction=LTR\r\n"
                                 "00002:&Open\r\n"
                                 "00003:O&pen\r\n"
                                 "00005:\xD8\xE1"
                                 "dek jedna\\n\xF8\xE1"
                                 "dek \"dva\"\r\n"
                                 "00006:%n soubor\r\n"
                                 "/Form 00006 1:%n soubory\r\n"
                                 "/Form 00006 2:%n soubor\xF9\r\n";

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Program(const std::string &name)
{
    // scripts/deps.sh installs both (gettext, qt6-l10n-tools): a missing one fails, not skips.
    const std::string program = FindProgram(name, {"/usr/lib/qt6/bin", "/usr/lib/x86_64-linux-gnu/qt6/bin"});
    EXPECT_FALSE(program.empty()) << name << " is not installed; run scripts/deps.sh";
    return program;
}

class QtExchange : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder_.Write("form.lnd", FormTemplate);
        folder_.Write("czech.lng", FormLanguage);
        std::filesystem::create_directory(folder_.File("back"));
    }

    struct Case
    {
        std::string Template, Language;
    };
    std::vector<Case> Cases() const
    {
        return {{QtWay + "/files.lnd", QtWay + "/czech.lng"},
                {QtWay + "/files.lnd", QtWay + "/arabic.lng"},
                {folder_.File("form.lnd"), folder_.File("czech.lng")}};
    }

    std::string Export(const std::string &format, const Case &c, const std::string &language,
                       const std::string &file)
    {
        const auto result = RunTool({"export", "--format", format, c.Template, language, "-o", file});
        EXPECT_EQ(result.Status, 0) << result.Err;
        return folder_.Read(std::filesystem::path(file).filename().string());
    }

    TempFolder folder_;
};

} // namespace

TEST_F(QtExchange, LanguageFilesComeBackByteForByteAndExportAgainTheSame)
{
    for (const std::string format : {"po", "xliff"}) {
        for (const Case &c : Cases()) {
            SCOPED_TRACE(format + " " + c.Language);
            const std::string exported = Export(format, c, c.Language, folder_.File("x"));
            // Under its own name, as the file names it.
            const std::string name = std::filesystem::path(c.Language).filename().string();
            const std::string back = folder_.File("back/" + name);
            std::filesystem::remove(back);
            const auto result =
                RunTool({"import", "--format", format, c.Template, folder_.File("x"), "-o", back});
            ASSERT_EQ(result.Status, 0) << result.Err;
            EXPECT_EQ(result.Err, ""); // no conflict: every source is the template's
            EXPECT_EQ(ReadFile(back), ReadFile(c.Language));
            // The PO file dates itself by the language file's last change.
            std::filesystem::last_write_time(back, std::filesystem::last_write_time(c.Language));
            EXPECT_EQ(Export(format, c, back, folder_.File("y")), exported);
        }
    }
}

TEST_F(QtExchange, PoCarriesContextsPluralsCommentsAndTheFormsTexts)
{
    const std::string po = Export("po", Cases()[0], QtWay + "/czech.lng", folder_.File("cs.po"));
    for (const char *expected : {
             "\"Language: cs\\n\"\n",
             "\"Plural-Forms: nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;\\n\"\n",
             "\"X-Qt-Contexts: true\\n\"\n",
             "\"X-Verbaria-Plural-Forms: \\n\"\n", // the file names no rule of its own
             "#. MESSAGE\n#. SECTION Files::MainWindow\n#. Above the list of files\n#: 5\n#: "
             "MainWindow.ui:16\n"
             "msgctxt \"Files::MainWindow|\"\nmsgid \"Choose the files to send:\"\n",
             "msgctxt \"Files::MainWindow|verb\"\nmsgid \"&Open\"\n",
             "#: 11\n#: MainWindow.cpp:80\nmsgctxt \"Files::MainWindow|\"\nmsgid \"%n file(s)\"\n"
             "msgid_plural \"%n file(s)\"\nmsgstr[0] \"%n soubor\"\nmsgstr[1] \"%n soubory\"\n"
             "msgstr[2] \"%n soubor\xC5\xAF\"\n",
         }) {
        EXPECT_NE(po.find(expected), std::string::npos) << expected << "\n" << po;
    }

    const std::string form = Export("po", Cases()[2], folder_.File("czech.lng"), folder_.File("form.po"));
    for (const char *expected : {
             "\"X-Verbaria-Plural-Forms: nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;\\n\"\n",
             "\"X-Verbaria-Direction: LTR\\n\"\n",
             // The form's text is the source, the path keeps the two buttons apart.
             "msgctxt \"MainForm.buttonOpen.Caption|\"\nmsgid \"&Otev\xC5\x99\xC3\xADt\"\nmsgstr \"&Open\"\n",
             "msgctxt \"OtherForm.buttonOpen.Caption|\"\nmsgid \"&Otev\xC5\x99\xC3\xADt\"\nmsgstr "
             "\"O&pen\"\n",
             "msgctxt \"4\"\nmsgid \"MainForm.labelInfo.Caption\"\n",
             "#. First line\n#. second line\n#: 5\nmsgctxt \"A~|B|x~~y\"\nmsgid \"Line one\\nline "
             "\\\"two\\\"\"\n"
             "msgstr \"\xC5\x98\xC3\xA1"
             "dek jedna\\n\xC5\x99\xC3\xA1"
             "dek \\\"dva\\\"\"\n",
         }) {
        EXPECT_NE(form.find(expected), std::string::npos) << expected << "\n" << form;
    }
    // The table shows the form's text too.
    const auto table = RunTool({"export", "--utf8", folder_.File("form.lnd"), folder_.File("czech.lng")});
    ASSERT_EQ(table.Status, 0) << table.Err;
    EXPECT_NE(table.Out.find("\n2\tcomponent\t2\t&Otev\xC5\x99\xC3\xADt\t&Open\n"), std::string::npos)
        << table.Out;
}

TEST_F(QtExchange, XliffGroupsThePluralFormsAndKeepsContextAndPlace)
{
    const std::string xliff = Export("xliff", Cases()[0], QtWay + "/czech.lng", folder_.File("cs.xlf"));
    for (const char *expected : {
             "target-language=\"cs\"",
             "<group id=\"11\" restype=\"x-gettext-plurals\">\n"
             "    <trans-unit id=\"11[0]\" approved=\"yes\" xml:space=\"preserve\">\n"
             "     <source>%n file(s)</source>\n"
             "     <target state=\"translated\">%n soubor</target>\n",
             "<trans-unit id=\"11[2]\" approved=\"yes\" xml:space=\"preserve\">\n"
             "     <source>%n file(s)</source>\n"
             "     <target state=\"translated\">%n soubor\xC5\xAF</target>\n",
             "<context context-type=\"x-gettext-msgctxt\">Files::MainWindow|verb</context>",
             "<context-group purpose=\"location\">\n"
             "     <context context-type=\"sourcefile\">MainWindow.ui</context>\n"
             "     <context context-type=\"linenumber\">39</context>\n",
             "<note from=\"developer\">MESSAGE\nSECTION Files::MainWindow\nAbove the list of files</note>",
         }) {
        EXPECT_NE(xliff.find(expected), std::string::npos) << expected << "\n" << xliff;
    }
    const std::string form = Export("xliff", Cases()[2], folder_.File("czech.lng"), folder_.File("form.xlf"));
    EXPECT_NE(form.find("<prop prop-type=\"Plural-Forms\">nplurals=3;"), std::string::npos) << form;
    EXPECT_NE(form.find("<trans-unit id=\"3\" resname=\"OtherForm.buttonOpen.Caption\" approved=\"yes\" "
                        "xml:space=\"preserve\">\n    <source>&amp;Otev\xC5\x99\xC3\xADt</source>"),
              std::string::npos)
        << form;
}

TEST_F(QtExchange, MsgfmtChecksThePoAndLconvertReadsBothWithContextsAndEveryForm)
{
    const std::string msgfmt = Program("msgfmt");
    const std::string lconvert = Program("lconvert");
    ASSERT_FALSE(msgfmt.empty() || lconvert.empty());
    struct Expected
    {
        Case Files;
        std::vector<std::string> InTs;
        std::size_t Forms; // <numerusform>s of the plural messages
    };
    const Expected cases[] = {
        {Cases()[0],
         {"<name>Files::MainWindow</name>", "<comment>verb</comment>", "<comment>state</comment>",
          "<name>Status</name>"},
         6},
        {Cases()[1], {"<name>Files::MainWindow</name>"}, 12},
        {Cases()[2], {"<name>A|B</name>", "<comment>x~y</comment>", "<name>Main</name>"}, 3},
    };
    for (const Expected &e : cases) {
        for (const std::string format : {"po", "xliff"}) {
            SCOPED_TRACE(format + " " + e.Files.Language);
            const std::string file = folder_.File(format == "po" ? "x.po" : "x.xlf");
            Export(format, e.Files, e.Files.Language, file);
            if (format == "po") {
                const auto checked = RunProgram(msgfmt, {"--check", "-o", "/dev/null", file});
                EXPECT_EQ(checked.Status, 0) << checked.Err;
                EXPECT_EQ(checked.Err, "");
            }
            const auto converted = RunProgram(lconvert, {"-i", file, "-o", file + ".ts"});
            ASSERT_EQ(converted.Status, 0) << converted.Err;
            EXPECT_EQ(converted.Err, ""); // it would say so if it dropped forms
            const std::string ts = ReadFile(file + ".ts");
            // Qt reads an XLIFF unit's contexts from groups of its own; ours name them in msgctxt.
            if (format == "po") {
                for (const std::string &expected : e.InTs)
                    EXPECT_NE(ts.find(expected), std::string::npos) << expected << "\n" << ts;
            }
            std::size_t forms = 0;
            for (std::size_t at = ts.find("<numerusform>"); at != std::string::npos;
                 at = ts.find("<numerusform>", at + 1))
                ++forms;
            EXPECT_EQ(forms, e.Forms) << ts;
        }
    }
}

TEST_F(QtExchange, APoFileMadeByGettextsToolsImportsByContextAndText)
{
    // As msgmerge and an editor leave a catalogue of this program: no numbers, wrapped strings,
    // flags, previous texts, an obsolete entry, and a context as gettext writes one (no bar).
    folder_.Write("in.po", "# Czech translation of File Picker.\n"
                           "msgid \"\"\n"
                           "msgstr \"\"\n"
                           "\"Project-Id-Version: File Picker 1.0\\n\"\n"
                           "\"Language: cs\\n\"\n"
                           "\"MIME-Version: 1.0\\n\"\n"
                           "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                           "\"Content-Transfer-Encoding: 8bit\\n\"\n"
                           "\"Plural-Forms: nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;\\n\"\n"
                           "\"X-Qt-Contexts: true\\n\"\n"
                           "\n"
                           "#: MainWindow.ui:39\n"
                           "#, fuzzy\n"
                           "#| msgid \"Select all\"\n"
                           "msgctxt \"Files::MainWindow|\"\n"
                           "msgid \"Select &all\"\n"
                           "msgstr \"Vybrat &v\xC5\xA1\x65\"\n"
                           "\n"
                           "#: MainWindow.cpp:88\n"
                           "#, qt-format\n"
                           "msgctxt \"Files::MainWindow|\"\n"
                           "msgid \"%n file(s) selected\"\n"
                           "msgid_plural \"%n file(s) selected\"\n"
                           "msgstr[0] \"Vybr\xC3\xA1n %n \"\n"
                           "\"soubor\"\n"
                           "msgstr[1] \"\"\n"
                           "\"Vybr\xC3\xA1ny %n soubory\"\n"
                           "msgstr[2] \"Vybr\xC3\xA1no %n soubor\xC5\xAF\"\n"
                           "\n"
                           "msgctxt \"Status\"\n"
                           "msgid \"Ready\"\n"
                           "msgstr \"P\xC5\x99ipraveno\"\n"
                           "\n"
                           "#~ msgctxt \"Files::MainWindow|\"\n"
                           "#~ msgid \"Gone\"\n"
                           "#~ msgstr \"Pry\xC4\x8D\"\n");
    const auto result = RunTool({"import", "--format", "po", QtWay + "/files.lnd", folder_.File("in.po"),
                                 "-o", folder_.File("out.lng")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder_.Read("out.lng"),
              "Language=cs\r\n"
              "Definition=files.lnd\r\n"
              "Plural-Forms=nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;\r\n"
              "/Notes 00006: review\r\n"
              "00006:Vybrat &v\x9A"
              "e\r\n"
              "00012:Vybr\xE1n %n soubor\r\n"
              "/Form 00012 1:Vybr\xE1ny %n soubory\r\n"
              "/Form 00012 2:Vybr\xE1no %n soubor\xF9\r\n"
              "00014:P\xF8ipraveno\r\n");

    // A plural translation for an entry that has no plural forms is refused, naming it.
    folder_.Write("in.po", "msgctxt \"Status|\"\nmsgid \"Ready\"\nmsgid_plural \"Ready\"\nmsgstr[0] \"a\"\n"
                           "msgstr[1] \"b\"\n");
    const auto refused = RunTool({"import", "--format", "po", QtWay + "/files.lnd", folder_.File("in.po"),
                                  "-o", folder_.File("refused.lng")});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("plural forms, but the entry is not a plural message"), std::string::npos)
        << refused.Err;
}
