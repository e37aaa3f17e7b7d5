#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

const std::string kCorpus = VERBARIA_TEST_DATA "/checks";

// CHECK-ID -> how many findings name it, and every line in the promised form.
std::map<std::string, int> CountByCheck(const std::string &out)
{
    std::map<std::string, int> counts;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        // FILE:LINE: error|warning: CHECK-ID: entry N: message
        const std::size_t file = line.find(':');
        const std::size_t number = line.find(": ", file + 1);
        const std::size_t level = line.find(": ", number + 2);
        EXPECT_NE(level, std::string::npos) << line;
        if (level == std::string::npos)
            continue;
        EXPECT_GT(std::stoi(line.substr(file + 1, number - file - 1)), 0) << line;
        const std::string severity = line.substr(number + 2, level - number - 2);
        EXPECT_TRUE(severity == "error" || severity == "warning") << line;
        const std::size_t id = line.find(": ", level + 2);
        ++counts[line.substr(level + 2, id - level - 2)];
    }
    return counts;
}

TEST(CheckCommand, TheSeededCorpusGivesOneFindingPerFault)
{
    const ToolResult result =
        RunTool({"check", "program.lnd", "seeded.lng", "--description", "description.lng"}, {}, kCorpus);
    EXPECT_EQ(result.Status, 1) << result.Err;
    const std::map<std::string, int> expected{
        {"printf-placeholders", 1}, {"qt-placeholders", 1},   {"empty-original", 1}, {"code-page", 1},
        {"accelerator", 1},         {"accelerator-clash", 1}, {"blanks", 1},         {"end-punctuation", 1},
        {"same-as-original", 1},    {"value-type", 1}};
    EXPECT_EQ(CountByCheck(result.Out), expected) << result.Out;
    EXPECT_NE(
        result.Out.find("seeded.lng:6: warning: accelerator-clash: entry 4: the accelerator 'f' is also "
                        "used by entry 2 of the form MainForm\n"),
        std::string::npos)
        << result.Out;
}

TEST(CheckCommand, TheCleanCorporaGiveNothing)
{
    // A windows-1250 file, a UTF-8 one with Japanese punctuation and accelerators, and one that
    // declares windows-1251 (its "€" is the byte 0x88, which windows-1250 lacks).
    const ToolResult result = RunTool({"check", "program.lnd", "clean.lng", "clean-japanese.lng",
                                       "clean-russian.lng", "--description", "description.lng"},
                                      {}, kCorpus);
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "");
    const ToolResult json = RunTool({"check", "program.lnd", "clean.lng", "--json"}, {}, kCorpus);
    EXPECT_EQ(json.Status, 0);
    EXPECT_EQ(json.Out, "[]\n");
}

TEST(CheckCommand, AComponentWithoutAnyOriginalIsNotGuessedFrom)
{
    // Without the description language entry 6 has nothing to be compared with: its blanks go
    // unnoticed rather than being compared with the component path.
    const ToolResult result = RunTool({"check", "program.lnd", "seeded.lng"}, {}, kCorpus);
    EXPECT_EQ(result.Status, 1);
    const auto counts = CountByCheck(result.Out);
    EXPECT_EQ(counts.count("blanks"), 0u) << result.Out;
    EXPECT_EQ(counts.at("accelerator"), 1);
}

TEST(CheckCommand, AcknowledgedWarningsAreQuietAndWarningsAloneDoNotFail)
{
    TempFolder folder;
    folder.Write("t.lnd", "1:message \"Jméno:\"\r\n2:message \"Konec\"\r\n3:message \"%s\"\r\n");
    folder.Write("l.lng", "/Notes 00001: acknowledged=end-punctuation\r\n00001:Name\r\n00002:Konec\r\n");
    ToolResult result = RunTool({"check", "t.lnd", "l.lng"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out,
              "l.lng:3: warning: same-as-original: entry 2: the translation equals the original\n");
    // Accepted for this very text, or for another one the row held before.
    folder.Write("l.lng", "/Notes 00001: acknowledged=end-punctuation for=0fe07306\r\n00001:Name\r\n");
    EXPECT_EQ(RunTool({"check", "t.lnd", "l.lng"}, {}, folder.Path()).Out, "");
    folder.Write("l.lng", "/Notes 00001: acknowledged=end-punctuation for=953dd555\r\n00001:Name\r\n");
    EXPECT_NE(RunTool({"check", "t.lnd", "l.lng"}, {}, folder.Path()).Out.find("end-punctuation: entry 1"),
              std::string::npos);
    // An error cannot be acknowledged away.
    folder.Write("e.lng", "/Notes 00003: acknowledged=printf-placeholders\r\n00003:%d\r\n");
    result = RunTool({"check", "t.lnd", "e.lng", "--json"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Out.find("\"check\": \"printf-placeholders\""), std::string::npos) << result.Out;
}

TEST(CheckCommand, ComponentsOfAScannedTemplateAreComparedWithTheFormsTexts)
{
    TempFolder folder;
    folder.Write("Okno.ui", R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <widget class="QDialog" name="Okno">
  <property name="windowTitle"><string>Nastavení</string></property>
  <widget class="QPushButton" name="buttonUlozit">
   <property name="text"><string>&amp;Uložit</string></property>
  </widget>
 </widget>
</ui>
)");
    ASSERT_EQ(RunTool({"scan", "Okno.ui", "-o", "okno.lnd"}, {}, folder.Path()).Status, 0);
    folder.Write("en.lng", "2:Settings\r\n3:Save\r\n");
    const ToolResult result = RunTool({"check", "okno.lnd", "en.lng"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out, "en.lng:2: warning: accelerator: entry 3: the accelerator '&' differs: original "
                          "\"&Uložit\", translation \"Save\"\n");
}

TEST(CheckCommand, AListTranslationNeedsAsManyItemsAsTheList)
{
    TempFolder folder;
    folder.Write("t.lnd", "/Text=\xe8"
                          "e\x9atina,angli\xe8tina\r\n1:component \"Okno.comboJazyk.Items\"\r\n"
                          "/Text=N\xe1zev,Velikost\r\n2:component \"Okno.tree.Columns\"\r\n"
                          "/Text=a,b\r\n3:component \"Okno.label.text\"\r\n");
    // Fewer items would delete an entry, an item holding "," is two; a text is no list.
    folder.Write("en.lng", "1:Czech\r\n2:Name,Size, bytes\r\n3:a\r\n");
    ToolResult result = RunTool({"check", "t.lnd", "en.lng"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out, "en.lng:1: warning: list-items: entry 1: the list has 2 items, the translation 1 "
                          "(separator ,); the program leaves the list untranslated\n"
                          "en.lng:2: warning: list-items: entry 2: the list has 2 items, the translation 3 "
                          "(separator ,); the program leaves the list untranslated\n");
    folder.Write("en.lng", "1:Czech,English\r\n2:Name,Size\r\n");
    EXPECT_EQ(RunTool({"check", "t.lnd", "en.lng"}, {}, folder.Path()).Out, "");
}

TEST(CheckCommand, EachPluralFormIsCheckedAndAMissingOneIsReported)
{
    TempFolder folder;
    folder.Write("t.lnd", "/Context=Files\r\n/Plural\r\n1:message \"%n file(s)\"\r\n"
                          "/Context=Files\r\n2:message \"Open\"\r\n");
    // Czech by its name: three forms; the second one lost its %n, the third is missing.
    folder.Write("cs.lng",
                 "Language=Czech\r\n00001:%n soubor\r\n/Form 00001 1:soubory\r\n00002:Otev\xf8\xedt\r\n");
    ToolResult result = RunTool({"check", "t.lnd", "cs.lng"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out,
              "cs.lng:2: warning: plural-forms: entry 1: the language has 3 plural forms, the translation 2\n"
              "cs.lng:3: error: printf-placeholders: entry 1: printf placeholders differ: original \"%n\", "
              "translation \"none\"\n");
    // The file's own rule holds over its language's.
    folder.Write("cs.lng", "Language=Czech\r\nPlural-Forms=nplurals=2; plural=n != 1;\r\n00001:%n soubor\r\n"
                           "/Form 00001 1:%n souborů\r\n");
    result = RunTool({"check", "t.lnd", "cs.lng"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 0) << result.Out;
    EXPECT_EQ(result.Out, "");
}

TEST(CheckCommand, UsageErrorsExitWithTwoAndUnreadableFilesWithOne)
{
    EXPECT_EQ(RunTool({"check"}, {}, kCorpus).Status, 2);
    EXPECT_EQ(RunTool({"check", "program.lnd"}, {}, kCorpus).Status, 2);
    EXPECT_EQ(RunTool({"check", "program.lnd", "clean.lng", "--bogus", "x"}, {}, kCorpus).Status, 2);
    const ToolResult missing = RunTool({"check", "program.lnd", "missing.lng"}, {}, kCorpus);
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("missing.lng"), std::string::npos) << missing.Err;
}

} // namespace
