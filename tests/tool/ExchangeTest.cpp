#include "ExchangeFixture.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace exchange_fixture;

namespace {

const std::string Jazyky = std::string(VERBARIA_TEST_DATA) + "/../../jazyky";

class ToolExchange : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        folder_.Write("demo.lnd", Template);
        folder_.Write("de.lng", Language);
    }
    std::string Format() const { return GetParam(); }
    std::string Ext() const { return GetParam() == "xliff" ? "xlf" : "po"; }
    ToolResult Export(const std::vector<std::string> &more)
    {
        std::vector<std::string> args{"export", "--format", Format()};
        args.insert(args.end(), more.begin(), more.end());
        return RunTool(args);
    }
    // Imports exchange bytes into out.lng; the status and messages of verbaria-tool.
    ToolResult Import(const std::string &bytes, const std::vector<std::string> &more = {})
    {
        folder_.Write("in." + Ext(), bytes);
        std::vector<std::string> args{"import",
                                      "--format",
                                      Format(),
                                      folder_.File("demo.lnd"),
                                      folder_.File("in." + Ext()),
                                      "-o",
                                      folder_.File("out.lng")};
        args.insert(args.end(), more.begin(), more.end());
        return RunTool(args);
    }
    std::string Exported()
    {
        const auto result = Export({folder_.File("demo.lnd"), folder_.File("de.lng")});
        EXPECT_EQ(result.Status, 0) << result.Err;
        return result.Out;
    }
    bool OutputWritten() const { return std::filesystem::exists(folder_.File("out.lng")); }

    TempFolder folder_;
};

std::string Replaced(std::string text, const std::string &from, const std::string &to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST_P(ToolExchange, LanguageFilesComeBackByteForByte)
{
    struct Case
    {
        std::string Template, Language;
    };
    folder_.Write("empty.lng", "");
    folder_.Write("header.lng", "Language=X\r\nAuthor=a|b|c\r\n");
    const Case cases[] = {{folder_.File("demo.lnd"), folder_.File("de.lng")},
                          {folder_.File("demo.lnd"), folder_.File("empty.lng")},
                          {folder_.File("demo.lnd"), folder_.File("header.lng")},
                          {Jazyky + "/glotra11.lnd", Jazyky + "/czech.lng"},
                          {Jazyky + "/glotra11.lnd", Jazyky + "/english.lng"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Language);
        const std::string exchange = folder_.File("x." + Ext());
        auto result = Export({c.Template, c.Language, "-o", exchange});
        ASSERT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(result.Out, "");
        result =
            RunTool({"import", "--format", Format(), c.Template, exchange, "-o", folder_.File("back.lng")});
        ASSERT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        std::ifstream in(c.Language, std::ios::binary);
        const std::string original{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(folder_.Read("back.lng"), original);
    }
}

TEST_P(ToolExchange, ATranslationTheCodePageCannotHoldStopsNamingTheUnit)
{
    const std::string file = Replaced(Exported(), "Titel", "\xE6\x97\xA5\xE6\x9C\xAC"); // 日本
    const auto result = Import(file);
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("unit 2: the code page windows-1250 cannot hold the character '\xE6\x97\xA5'"),
              std::string::npos)
        << result.Err;
    EXPECT_FALSE(OutputWritten());
}

TEST_P(ToolExchange, AnUnknownNumberStopsUnlessIgnored)
{
    const std::string from = Format() == "xliff" ? "id=\"4\"" : "msgctxt \"4\"";
    const std::string to = Format() == "xliff" ? "id=\"99\"" : "msgctxt \"99\"";
    std::string file = Replaced(Exported(), from, to);
    if (Format() == "po")
        file = Replaced(file, "#: 4\n", "#: 99\n");
    auto result = Import(file);
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("unit 99: no entry of the template has this number"), std::string::npos)
        << result.Err;
    EXPECT_FALSE(OutputWritten());

    result = Import(file, {"--ignore-unknown"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder_.Read("out.lng"), Replaced(Language, "00004:\\mit\t\tTab\\\r\n", ""));
}

TEST_P(ToolExchange, ALineBreakInATranslationStopsNamingTheUnit)
{
    const std::string lineBreak = Format() == "xliff" ? "&#10;" : "\\n";
    for (const std::string &breakText :
         {lineBreak, Format() == "xliff" ? std::string("&#13;") : std::string("\\r")}) {
        const auto result = Import(Replaced(Exported(), "Gut  ", "Gut" + breakText + "Zeile"));
        EXPECT_EQ(result.Status, 1);
        EXPECT_NE(result.Err.find("unit 6: the translation holds a line break"), std::string::npos)
            << result.Err;
        EXPECT_FALSE(OutputWritten());
    }
}

TEST_P(ToolExchange, NothingIsWrittenOverAnExistingFileWhenImportStops)
{
    folder_.Write("out.lng", "old");
    const auto result = Import(Replaced(Exported(), "Titel", "\xE6\x97\xA5"));
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(folder_.Read("out.lng"), "old");
}

TEST_P(ToolExchange, AChangedSourceIsReportedAsAConflictAndImported)
{
    const std::string source = Format() == "xliff" ? "<source>big</source>" : "msgid \"big\"";
    const std::string changed = Format() == "xliff" ? "<source>large</source>" : "msgid \"large\"";
    const auto result = Import(Replaced(Exported(), source, changed));
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Err.find(
                  "unit 123456: conflict: the file's source \"large\" is not the template's text \"big\""),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(folder_.Read("out.lng"), Language);
}

TEST_P(ToolExchange, ASecondUnitForAnEntryStops)
{
    std::string file = Exported();
    const std::string unit = Format() == "xliff" ? "id=\"6\"" : "msgctxt \"6\"";
    file = Replaced(file, Format() == "xliff" ? "id=\"5\"" : "msgctxt \"5\"", unit);
    if (Format() == "po") // keep msgctxt and msgid apart for the reader, not for the document
        file = Replaced(file, "msgid \"OK\"\nmsgstr \"\"", "msgid \"OK?\"\nmsgstr \"\"");
    const auto result = Import(file);
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("unit 6: a second unit for the same entry"), std::string::npos) << result.Err;
}

INSTANTIATE_TEST_SUITE_P(Formats, ToolExchange, ::testing::Values("xliff", "po"));

TEST(ToolExchangeXliff, CarriesUnitsNotesHeaderAndStates)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("de.lng", Language);
    const auto result =
        RunTool({"export", "--format", "xliff", folder.File("demo.lnd"), folder.File("de.lng"),
                 "--source-language", "cs", "--target-language", "de"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    const std::string &x = result.Out;
    for (const char *expected :
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
          "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\" version=\"1.2\">",
          "<file original=\"de.lng\" source-language=\"cs\" target-language=\"de\" datatype=\"plaintext\" "
          "product-name=\"Demo\" product-version=\"2\">",
          "<prop prop-type=\"Language\">Deutsch</prop>", "<prop prop-type=\"Author\">Hans|Grete</prop>",
          "<prop prop-type=\"Definition\">demo.lnd</prop>",
          "<trans-unit id=\"2\" resname=\"F.Caption\" approved=\"yes\" xml:space=\"preserve\">\n"
          "    <source>F.Caption</source>\n"
          "    <target state=\"translated\">Titel</target>\n"
          "    <context-group purpose=\"information\">\n"
          "     <context context-type=\"x-gettext-msgctxt\">2</context>\n"
          "    </context-group>\n"
          "    <note from=\"developer\">COMPONENT F.Caption\nSECTION Okno</note>\n",
          "<trans-unit id=\"4\" approved=\"yes\" xml:space=\"preserve\">\n"
          "    <source>Tab\there\\back</source>\n"
          "    <target state=\"translated\">\\mit\t\tTab\\</target>\n"
          "    <context-group purpose=\"information\">\n"
          "     <context context-type=\"x-gettext-msgctxt\">4</context>\n"
          "    </context-group>\n"
          "    <note from=\"developer\">MESSAGE\nSECTION Okno\nCOMMENT Pozn\xC3\xA1mka</note>\n",
          "<trans-unit id=\"5\" approved=\"no\" xml:space=\"preserve\">\n    <source>OK</source>\n    "
          "<context-group",
          "<source>\xC4\x8D\xC5\xA1 &lt;&amp;&gt; 'q'</source>",
          "<target state=\"translated\">gro\xC3\x9F</target>"}) {
        EXPECT_NE(x.find(expected), std::string::npos) << expected << "\n" << x;
    }
    EXPECT_EQ(x.find("second six"), std::string::npos); // a language file reaches only the first of a number
    EXPECT_EQ(x.find("no number"), std::string::npos);
}

TEST(ToolExchangePo, CarriesContextCommentsAndHeader)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("de.lng", Language);
    const auto result = RunTool({"export", "--format", "po", folder.File("demo.lnd"), folder.File("de.lng")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    const std::string &po = result.Out;
    for (const char *expected :
         {"msgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: Demo 2\\n\"\n",
          "\"Last-Translator: Hans|Grete\\n\"\n", "\"Language: de\\n\"\n",
          "\"Content-Type: text/plain; charset=UTF-8\\n\"\n",
          "\n#. COMPONENT F.Caption\n#. SECTION Okno\n#: 2\nmsgctxt \"2\"\nmsgid \"F.Caption\"\n"
          "msgstr \"Titel\"\n",
          "#. COMMENT Pozn\xC3\xA1mka\n#: 4\nmsgctxt \"4\"\nmsgid \"Tab\\there\\\\back\"\n"
          "msgstr \"\\\\mit\\t\\tTab\\\\\"\n",
          "msgctxt \"5\"\nmsgid \"OK\"\nmsgstr \"\"\n", "msgctxt \"6\"\nmsgid \"OK\"\nmsgstr \"Gut  \"\n",
          "msgstr \"\xC4\x8D <&> \\\"x\\\"\"\n"}) {
        EXPECT_NE(po.find(expected), std::string::npos) << expected << "\n" << po;
    }
}

TEST(ToolExchangeLanguageTag, TheLanguagesTagIsTheTargetLanguageInBothFormats)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    // The name in Czech, English or the language itself gives the tag; a tag line chooses one.
    const std::pair<std::string, std::pair<std::string, std::string>> cases[] = {
        {"Language=Deutsch\r\n", {"de", "de"}},
        {"Language=\xC8"
         "e\x9A"
         "tina\r\nCodepage=windows-1250\r\n",
         {"cs", "cs"}},
        {"Language=English (UK)\r\n", {"en-GB", "en_GB"}},
        {"Language=Deutsch (\xD6sterreich)\r\n", {"de-AT", "de_AT"}},
        {"Language=N\u011bmecky\r\n/Language-Tag: de-CH\r\n", {"de-CH", "de_CH"}},
    };
    for (const auto &[header, tags] : cases) {
        folder.Write("x.lng", header + "Definition=demo.lnd\r\n00002:Titel\r\n");
        const auto xliff =
            RunTool({"export", "--format", "xliff", folder.File("demo.lnd"), folder.File("x.lng")});
        ASSERT_EQ(xliff.Status, 0) << xliff.Err;
        EXPECT_NE(xliff.Out.find("target-language=\"" + tags.first + "\""), std::string::npos)
            << header << xliff.Out;
        const auto po = RunTool({"export", "--format", "po", folder.File("demo.lnd"), folder.File("x.lng")});
        ASSERT_EQ(po.Status, 0) << po.Err;
        EXPECT_NE(po.Out.find("\"Language: " + tags.second + "\\n\""), std::string::npos) << header << po.Out;
    }
}

TEST(ToolExchangeReview, ATranslationMarkedForReviewIsImportedCountedAndNotedForReview)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("in.po", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                          "#, fuzzy\nmsgctxt \"2\"\nmsgid \"F.Caption\"\nmsgstr \"Titel\"\n\n"
                          "msgctxt \"5\"\nmsgid \"OK\"\nmsgstr \"Gut\"\n");
    folder.Write(
        "in.xlf",
        "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\" version=\"1.2\"><file original=\"x\" "
        "source-language=\"und\" datatype=\"plaintext\"><body>"
        "<trans-unit id=\"2\"><source>F.Caption</source>"
        "<target state=\"needs-review-l10n\">Titel</target></trans-unit>"
        "<trans-unit id=\"5\"><source>OK</source>"
        "<target state=\"translated\">Gut</target></trans-unit></body></file></xliff>");
    for (const std::string format : {"po", "xliff"}) {
        SCOPED_TRACE(format);
        const auto result =
            RunTool({"import", "--format", format, folder.File("demo.lnd"),
                     folder.File(format == "po" ? "in.po" : "in.xlf"), "-o", folder.File("out.lng")});
        EXPECT_EQ(result.Status, 0) << result.Err;
        EXPECT_NE(result.Err.find("1 translations are marked for review"), std::string::npos) << result.Err;
        // The mark stays with the row, as the editor saves it.
        const std::string noted =
            "Definition=demo.lnd\r\n/Notes 00002: review\r\n00002:Titel\r\n00005:Gut\r\n";
        EXPECT_EQ(folder.Read("out.lng"), noted);

        // And the mark goes out with an export, so that it comes back.
        const auto exported = RunTool({"export", "--format", format, folder.File("demo.lnd"),
                                       folder.File("out.lng"), "-o", folder.File("back.x")});
        ASSERT_EQ(exported.Status, 0) << exported.Err;
        EXPECT_NE(folder.Read("back.x").find(format == "po" ? "#, fuzzy" : "needs-review-translation"),
                  std::string::npos);
        const auto back = RunTool({"import", "--format", format, folder.File("demo.lnd"),
                                   folder.File("back.x"), "-o", folder.File("back.lng")});
        ASSERT_EQ(back.Status, 0) << back.Err;
        EXPECT_EQ(folder.Read("back.lng"), noted);
    }
}

TEST(ToolExchangeComments, TheTranslatorsCommentsGoOutAndComeBackWithTheirRows)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    // A comment with blanks, a line break and letters of no code page; one on a row not translated
    // (5) is kept at the end of the file.
    const std::string commented =
        "Definition=demo.lnd\r\n"
        "/Notes 00002: review comment=Zkr\\u00e1tit, m\\u00e1lo m\\u00edsta\\n\\u65e5 (viz okno)\r\n"
        "00002:Titel\r\n"
        "/Notes 00005: comment=Zeptat se\r\n";
    folder.Write("de.lng", commented);
    for (const std::string format : {"po", "xliff"}) {
        SCOPED_TRACE(format);
        const auto exported = RunTool({"export", "--format", format, folder.File("demo.lnd"),
                                       folder.File("de.lng"), "-o", folder.File("out.x")});
        ASSERT_EQ(exported.Status, 0) << exported.Err;
        const std::string out = folder.Read("out.x");
        if (format == "po") {
            EXPECT_NE(
                out.find("\n# Zkr\xC3\xA1tit, m\xC3\xA1lo m\xC3\xADsta\n# \xE6\x97\xA5 (viz okno)\n#. "),
                std::string::npos)
                << out;
            EXPECT_NE(out.find("\n# Zeptat se\n"), std::string::npos);
        } else {
            EXPECT_NE(
                out.find("<note from=\"translator\">Zkr\xC3\xA1tit, m\xC3\xA1lo m\xC3\xADsta\n\xE6\x97\xA5 "
                         "(viz okno)</note>"),
                std::string::npos)
                << out;
        }
        const auto back = RunTool({"import", "--format", format, folder.File("demo.lnd"),
                                   folder.File("out.x"), "-o", folder.File("back.lng")});
        ASSERT_EQ(back.Status, 0) << back.Err;
        EXPECT_EQ(folder.Read("back.lng"), commented);
    }
}

TEST(ToolExchangePo, StrictReaderStopsAtWhatItCannotImport)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    const std::pair<std::string, std::string> cases[] = {
        {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-2\\n\"\n",
         "only UTF-8 can be read"},
        {"msgctxt \"2\"\nmsgid \"a\"\nmsgid_plural \"b\"\nmsgstr[0] \"c\"\n",
         "unit 2: plural forms, but the entry is not a plural message"},
        {"msgctxt \"2\"\nmsgid \"a\"\nmsgid_plural \"b\"\nmsgstr[1] \"c\"\n", "line 4: msgstr[0] expected"},
        {"msgctxt \"2\"\nmsgid \"a\"\nmsgstr \"\\q\"\n", "line 3: not a valid PO string"},
        {"msgctxt \"2\"\nmsgid \"a\"\nmsgstr \"\xFF\"\n", "not UTF-8"},
        {"msgctxt \"2\"\nbogus \"a\"\n", "line 2: unknown keyword 'bogus'"},
    };
    for (const auto &[po, message] : cases) {
        folder.Write("in.po", po);
        const auto result = RunTool({"import", "--format", "po", folder.File("demo.lnd"),
                                     folder.File("in.po"), "-o", folder.File("out.lng")});
        EXPECT_EQ(result.Status, 1) << po;
        EXPECT_NE(result.Err.find(message), std::string::npos) << result.Err;
        EXPECT_FALSE(std::filesystem::exists(folder.File("out.lng")));
    }
}

TEST(ToolExchangeXliff, MarkupInATargetStops)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write(
        "in.xlf",
        "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\" version=\"1.2\"><file original=\"x\" "
        "source-language=\"und\" datatype=\"plaintext\"><body><trans-unit id=\"2\"><source>F.Caption"
        "</source><target>a<g id=\"1\">b</g></target></trans-unit></body></file></xliff>");
    const auto result = RunTool({"import", "--format", "xliff", folder.File("demo.lnd"),
                                 folder.File("in.xlf"), "-o", folder.File("out.lng")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("unit 2: <target> holds markup"), std::string::npos) << result.Err;
}

TEST(ToolExchangeXliff, SeveralLanguageFilesTravelInOneFileAndComeBackIntoAFolder)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("de.lng", Language);
    folder.Write("cs.lng", "Language=\xC8"
                           "e\x9Atina\r\n00002:Titulek\r\n");
    auto result = RunTool({"export", "--format", "xliff", folder.File("demo.lnd"), folder.File("de.lng"),
                           folder.File("cs.lng"), "-o", folder.File("all.xlf")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::filesystem::create_directory(folder.File("back"));
    result = RunTool({"import", "--format", "xliff", folder.File("demo.lnd"), folder.File("all.xlf"), "-o",
                      folder.File("back")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder.Read("back/de.lng"), Language);
    EXPECT_EQ(folder.Read("back/cs.lng"), "Language=\xC8"
                                          "e\x9Atina\r\n00002:Titulek\r\n");

    result = RunTool({"import", "--format", "xliff", folder.File("demo.lnd"), folder.File("all.xlf"), "-o",
                      folder.File("one.lng")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("give a folder as -o"), std::string::npos);
}

TEST(ToolExchangeUsage, UnknownFormatAndSeveralLanguagesInPoAreUsageErrors)
{
    EXPECT_EQ(RunTool({"export", "--format", "json", "a.lnd"}).Status, 2);
    EXPECT_EQ(RunTool({"import", "--format"}).Status, 2);
    EXPECT_EQ(RunTool({"export", "--format", "po", "a.lnd", "a.lng", "b.lng"}).Status, 2);
}

TEST_P(ToolExchange, EveryCodePageComesBackByteForByteAndTravelsAsUnicode)
{
    struct Case
    {
        std::string Name, Bytes, Utf8;
    };
    const Case cases[] = {
        {"ru.lng",
         "Language=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\nDefinition=demo.lnd\r\nCodepage=windows-1251\r\n00002:"
         "\xCE\xEA\xED\xEE\r\n",
         "\xD0\x9E\xD0\xBA\xD0\xBD\xD0\xBE"}, // Окно
        {"fr.lng",
         "Language=Fran\xE7"
         "ais\r\nCodepage=windows-1252\r\n00002:Tr\xE8s\r\n00004:\x80 \x9C\r\n",
         "\xE2\x82\xAC \xC5\x93"}, // € œ
        {"ja.lng", "Language=Japanese\r\nCodepage=UTF-8\r\n00002:\xE6\x97\xA5\xE6\x9C\xAC\r\n",
         "\xE6\x97\xA5\xE6\x9C\xAC"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        folder_.Write(c.Name, c.Bytes);
        const auto exported = Export({folder_.File("demo.lnd"), folder_.File(c.Name)});
        ASSERT_EQ(exported.Status, 0) << exported.Err;
        EXPECT_NE(exported.Out.find(c.Utf8), std::string::npos) << exported.Out;
        const auto result = Import(exported.Out);
        ASSERT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(folder_.Read("out.lng"), c.Bytes);
    }
    // The same Russian text in the windows-1250 file has no place.
    const auto result = Import(Replaced(Exported(), "Titel", "\xD0\x9E\xD0\xBA\xD0\xBD\xD0\xBE"));
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("unit 2: the code page windows-1250 cannot hold"), std::string::npos)
        << result.Err;
}

TEST_P(ToolExchange, OriginalsAreReadInTheTemplatesCodePage)
{
    folder_.Write(
        "ru.lnd",
        "[LANGUAGE]\r\nProgram=X\r\nCodepage=windows-1251\r\n[ITEMS]\r\n2: MESSAGE \"\xCE\xEA\xED\xEE\"\r\n");
    folder_.Write("de2.lng", "Language=Deutsch\r\n00002:Fenster\r\n");
    auto result = Export({folder_.File("ru.lnd"), folder_.File("de2.lng"), "-o", folder_.File("x")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(folder_.Read("x").find("\xD0\x9E\xD0\xBA\xD0\xBD\xD0\xBE"), std::string::npos);
    result = RunTool(
        {"import", "--format", Format(), folder_.File("ru.lnd"), folder_.File("x"), "-o", folder_.File("o")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, ""); // no conflict: the sources are the template's texts
    EXPECT_EQ(folder_.Read("o"), "Language=Deutsch\r\n00002:Fenster\r\n");
}

TEST_P(ToolExchange, FilesThatDeclareNoCodePageAreReadInTheOneGiven)
{
    folder_.Write("ru.lng", "Language=ru\r\n00002:\xCE\xEA\xED\xEE\r\n");
    const auto result =
        Export({folder_.File("demo.lnd"), folder_.File("ru.lng"), "--code-page", "windows-1251"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("\xD0\x9E\xD0\xBA\xD0\xBD\xD0\xBE"), std::string::npos);
    EXPECT_EQ(Export({folder_.File("demo.lnd"), "--code-page", "no-such-page"}).Status, 2);
}
