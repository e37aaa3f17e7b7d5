#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace {

// Two English files and a German one of one template (windows-1250 bytes): the German one never
// counts against the English ones. The commands speak UTF-8.
class MemoryCommands : public ::testing::Test
{
protected:
    MemoryCommands()
    {
        folder.Write("app.lnd",
                     "[ITEMS]\r\n/Text=&Soubor\r\n1:component \"F.menuSoubor.Caption\"\r\n"
                     "2:message \"Ulo\x9eit zm\xecny ?\"\r\n3:message \"Otev\xf8\xedt soubor\"\r\n");
        folder.Write("a.lng", "Language=English\r\nDefinition=app.lnd\r\n1:&File\r\n2:Save changes?\r\n"
                              "3:Open file\r\n");
        folder.Write("b.lng", "Language=English\r\nDefinition=app.lnd\r\n1:&File\r\n2:Save the changes?\r\n");
        folder.Write("de.lng", "Language=Deutsch\r\nDefinition=app.lnd\r\n1:&Datei\r\n2:Speichern?\r\n");
    }
    TempFolder folder;
};

TEST_F(MemoryCommands, ConsistencyListsOriginalsTranslatedInSeveralWaysPerLanguage)
{
    const ToolResult result = RunTool({"consistency", "a.lng", "de.lng", "b.lng"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "Language=English\n"
                          "Uložit změny ?\n"
                          "\tSave changes?\ta.lng#2\n"
                          "\tSave the changes?\tb.lng#2\n");
    EXPECT_EQ(RunTool({"consistency"}, {}, folder.Path()).Status, 2);
    EXPECT_EQ(RunTool({"consistency", "missing.lng"}, {}, folder.Path()).Status, 1);
}

TEST_F(MemoryCommands, SuggestGivesExactThenSimilarTranslationsWithTheirScores)
{
    const ToolResult result =
        RunTool({"suggest", "Uložit změny ?", "Otevřít soubory", "--memory", "b.lng", "a.lng", "de.lng"}, {},
                folder.Path());
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "Uložit změny ?\n"
                          "\t100\tSave the changes?\tUložit změny ?\tb.lng#2\n"
                          "\t100\tSave changes?\tUložit změny ?\ta.lng#2\n"
                          "Otevřít soubory\n"
                          "\t93\tOpen file\tOtevřít soubor\ta.lng#3\n");
    const ToolResult german = RunTool(
        {"suggest", "&Soubor", "--memory", "a.lng", "de.lng", "--language", "Deutsch"}, {}, folder.Path());
    EXPECT_EQ(german.Out, "&Soubor\n\t100\t&Datei\t&Soubor\tde.lng#1\n");
    EXPECT_EQ(RunTool({"suggest", "x", "--memory", "a.lng", "--minimum", "0"}, {}, folder.Path()).Status, 2);
}

TEST_F(MemoryCommands, PretranslateFillsExactMatchesForReviewAndKeepsWhatIsThere)
{
    folder.Write("c.lng", "Language=English\r\nDefinition=app.lnd\r\n"
                          "/Notes 00001: acknowledged=same-as-original\r\n1:&File\r\n");
    ToolResult result =
        RunTool({"pretranslate", "app.lnd", "c.lng", "--memory", "a.lng", "de.lng", "-o", "out.lng"}, {},
                folder.Path());
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder.Read("out.lng"), "Language=English\r\nDefinition=app.lnd\r\n"
                                      "/Notes 00001: acknowledged=same-as-original\r\n00001:&File\r\n"
                                      "/Notes 00002: review\r\n00002:Save changes?\r\n"
                                      "/Notes 00003: review\r\n00003:Open file\r\n");
    // A new language file of the memory's language.
    result = RunTool({"pretranslate", "app.lnd", "--memory", "de.lng", "-o", "new.lng"}, {}, folder.Path());
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder.Read("new.lng"), "Language=Deutsch\r\nDefinition=app.lnd\r\n"
                                      "/Notes 00001: review\r\n00001:&Datei\r\n"
                                      "/Notes 00002: review\r\n00002:Speichern?\r\n");
    EXPECT_EQ(RunTool({"pretranslate", "app.lnd", "--memory", "a.lng"}, {}, folder.Path()).Status, 2);
}

} // namespace
