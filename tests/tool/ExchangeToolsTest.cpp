#include "ExchangeFixture.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

using namespace exchange_fixture;

// The exchange files proven against the programs translation platforms build on: gettext, Qt's
// lconvert and the Translate Toolkit. Each test skips when its program is not installed.
namespace {

const std::string Jazyky = std::string(VERBARIA_TEST_DATA) + "/../../jazyky";

std::string Program(const std::string &name)
{
    return FindProgram(name, {"/usr/lib/qt6/bin", "/usr/lib/x86_64-linux-gnu/qt6/bin"});
}

#define REQUIRE_PROGRAM(variable, name)                                                                      \
    const std::string variable = Program(name);                                                              \
    if (variable.empty())                                                                                    \
    GTEST_SKIP() << name << " is not installed (scripts/deps.sh installs it)"

std::size_t Occurrences(const std::string &text, const std::string &what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

// The item lines of a language file: what lands in the rows.
std::string ItemLines(const std::string &language)
{
    std::string items;
    std::istringstream lines(language);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] >= '0' && line[0] <= '9')
            items += line + '\n';
    }
    return items;
}

const std::string Uppercased =
    "Language=Deutsch\r\nVersion=1\r\nAuthor=Hans|Grete\r\nDefinition=demo.lnd\r\n"
    "00002:TITEL\r\n00004:\\MIT\t\tTAB\\\r\n00006:GUT  \r\n00007:\xE8 <&> \"X\"\r\n"
    "123456:GRO\xDF\r\n";

class ExchangeTools : public ::testing::Test
{
protected:
    struct Exported
    {
        std::string Name, Xliff, Po;
        std::size_t Units, Translated;
    };

    void SetUp() override
    {
        folder_.Write("demo.lnd", Template);
        folder_.Write("de.lng", Language);
        folder_.Write(
            "ru.lng",
            "Language=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\nCodepage=windows-1251\r\n00002:\xCE\xEA\xED\xEE\r\n");
        Add("demo", folder_.File("demo.lnd"), folder_.File("de.lng"));
        Add("russian", folder_.File("demo.lnd"), folder_.File("ru.lng"));
        Add("czech", Jazyky + "/glotra11.lnd", Jazyky + "/czech.lng");
        Add("english", Jazyky + "/glotra11.lnd", Jazyky + "/english.lng");
    }

    void Add(const std::string &name, const std::string &templateFile, const std::string &language)
    {
        Exported e{name, folder_.File(name + ".xlf"), folder_.File(name + ".po"), 0, 0};
        for (const auto &[format, file] : {std::pair{"xliff", e.Xliff}, std::pair{"po", e.Po}}) {
            const auto result = RunTool({"export", "--format", format, templateFile, language, "-o", file});
            ASSERT_EQ(result.Status, 0) << result.Err;
        }
        const std::string xliff = folder_.Read(name + ".xlf");
        e.Units = Occurrences(xliff, "<trans-unit ");
        e.Translated = Occurrences(xliff, "<target ");
        EXPECT_EQ(Occurrences(folder_.Read(name + ".po"), "\nmsgctxt "), e.Units);
        exported_.push_back(e);
    }

    std::string ImportInto(const std::string &format, const std::string &file)
    {
        const auto result = RunTool(
            {"import", "--format", format, folder_.File("demo.lnd"), file, "-o", folder_.File("out.lng")});
        EXPECT_EQ(result.Status, 0) << file << ": " << result.Err;
        return folder_.Read("out.lng");
    }

    TempFolder folder_;
    std::vector<Exported> exported_;
};

} // namespace

TEST_F(ExchangeTools, MsgfmtChecksEveryPoFileWithoutAWord)
{
    REQUIRE_PROGRAM(msgfmt, "msgfmt");
    for (const Exported &e : exported_) {
        const auto result = RunProgram(msgfmt, {"--check", "-o", "/dev/null", e.Po});
        EXPECT_EQ(result.Status, 0) << e.Name << ": " << result.Err;
        EXPECT_EQ(result.Err, "") << e.Name;
    }
}

TEST_F(ExchangeTools, LconvertReadsEveryFileAndItsTsKeepsEveryUnit)
{
    REQUIRE_PROGRAM(lconvert, "lconvert");
    for (const Exported &e : exported_) {
        for (const std::string &file : {e.Xliff, e.Po}) {
            const auto result = RunProgram(lconvert, {"-i", file, "-o", file + ".ts"});
            ASSERT_EQ(result.Status, 0) << file << ": " << result.Err;
            std::ifstream in(file + ".ts", std::ios::binary);
            const std::string tsText{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            EXPECT_EQ(Occurrences(tsText, "<message"), e.Units) << file;
            EXPECT_EQ(Occurrences(tsText, "<translation type=\"unfinished\""), e.Units - e.Translated)
                << file;
        }
    }
}

TEST_F(ExchangeTools, PocountCountsTheSameUnitsAndTranslatedUnits)
{
    REQUIRE_PROGRAM(pocount, "pocount");
    EXPECT_EQ(exported_[0].Units, std::size_t(Units));
    EXPECT_EQ(exported_[0].Translated, std::size_t(Translated));
    for (const Exported &e : exported_) {
        const auto result = RunProgram(pocount, {"--csv", e.Xliff, e.Po});
        ASSERT_EQ(result.Status, 0) << result.Err;
        std::istringstream lines(result.Out);
        int files = 0;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind(e.Xliff, 0) != 0 && line.rfind(e.Po, 0) != 0)
                continue;
            ++files;
            std::vector<std::size_t> fields;
            std::istringstream csv(line.substr(line.find(',') + 1));
            for (std::string field; std::getline(csv, field, ',');)
                fields.push_back(std::stoul(field));
            ASSERT_GE(fields.size(), 8u) << line;
            EXPECT_EQ(fields[0], e.Translated) << line; // translated messages
            EXPECT_EQ(fields[3], 0u) << line;           // fuzzy messages
            EXPECT_EQ(fields[7], e.Units) << line;      // total messages
        }
        EXPECT_EQ(files, 2) << result.Out;
    }
}

TEST_F(ExchangeTools, FilesWrittenByTheToolsImportIntoTheRightRows)
{
    REQUIRE_PROGRAM(msgfilter, "msgfilter");
    REQUIRE_PROGRAM(po2xliff, "po2xliff");
    REQUIRE_PROGRAM(xliff2po, "xliff2po");
    REQUIRE_PROGRAM(podebug, "podebug");
    REQUIRE_PROGRAM(lconvert, "lconvert");
    const auto run = [](const std::string &program, const std::vector<std::string> &args) {
        const auto result = RunProgram(program, args);
        ASSERT_EQ(result.Status, 0) << program << ": " << result.Err;
    };
    const std::string po = exported_[0].Po;
    const std::string xliff = exported_[0].Xliff;
    const auto file = [this](const std::string &name) { return folder_.File(name); };

    // gettext changes the translations of our PO file.
    run(msgfilter, {"--keep-header", "-i", po, "-o", file("upper.po"), "tr", "a-z", "A-Z"});
    EXPECT_EQ(ImportInto("po", file("upper.po")), Uppercased);
    // The Translate Toolkit turns it into XLIFF (numbering its units anew).
    run(po2xliff, {file("upper.po"), file("upper.xlf")});
    EXPECT_EQ(ImportInto("xliff", file("upper.xlf")), Uppercased);
    // lconvert turns it into XLIFF too (keeping msgctxt in a context).
    run(lconvert, {"-i", file("upper.po"), "-o", file("upper-qt.xlf")});
    EXPECT_EQ(ItemLines(ImportInto("xliff", file("upper-qt.xlf"))), ItemLines(Uppercased));
    // Our XLIFF through xliff2po and lconvert into PO (both drop msgctxt), then changed by gettext.
    run(xliff2po, {xliff, file("tk.po")});
    run(msgfilter, {"--keep-header", "-i", file("tk.po"), "-o", file("tk-upper.po"), "tr", "a-z", "A-Z"});
    EXPECT_EQ(ItemLines(ImportInto("po", file("tk-upper.po"))), ItemLines(Uppercased));
    run(lconvert, {"-i", xliff, "-o", file("qt.po")});
    run(msgfilter, {"--keep-header", "-i", file("qt.po"), "-o", file("qt-upper.po"), "tr", "a-z", "A-Z"});
    EXPECT_EQ(ItemLines(ImportInto("po", file("qt-upper.po"))), ItemLines(Uppercased));
    // The Translate Toolkit rewrites the translations of our XLIFF file itself; the text it gave
    // the untranslated (not approved) unit waits for review.
    run(podebug, {"--rewrite=bracket", xliff, file("bracket.xlf")});
    EXPECT_EQ(ImportInto("xliff", file("bracket.xlf")),
              "Language=Deutsch\r\nVersion=1\r\nAuthor=Hans|Grete\r\nDefinition=demo.lnd\r\n"
              "00002:[Titel]\r\n00004:[\\mit\t\tTab\\]\r\n/Notes 00005: review\r\n00005:[OK]\r\n00006:[Gut  "
              "]\r\n00007:[\xE8 <&> \"x\"]\r\n"
              "123456:[gro\xDF]\r\n");
}
