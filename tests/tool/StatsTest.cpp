#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace {

TEST(StatsCommand, CountsEveryLanguageFileAgainstTheTemplate)
{
    TempFolder folder;
    folder.Write("demo.lnd", "[LANGUAGE]\r\nProgram=Demo\r\n[ITEMS]\r\n"
                             "1: SECTION \"Okno\"\r\n"
                             "2: COMPONENT \"F.Caption\"\r\n"
                             "3: COMMENT \"Pozor\"\r\n"
                             "4: MESSAGE \"Ahoj\"\r\n"
                             "5: MESSAGE \"Konec\"\r\n");
    // A text for the comment and the section is not one of the texts to translate.
    // Words are those of the originals (here the template's texts, one word each); the note waits
    // for review.
    folder.Write("de.lng",
                 "Definition=demo.lnd\r\n/Notes 00002: review\r\n00002:Titel\r\n00003:x\r\n00001:y\r\n"
                 "00004:\r\n");
    folder.Write("fr \"q\".lng", "Definition=other.lnd\r\n00002:Titre\r\n00004:Salut\r\n00005:Fin\r\n");

    const ToolResult json = RunTool(
        {"stats", "--json", folder.File("demo.lnd"), folder.File("de.lng"), folder.File("fr \"q\".lng")});
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_EQ(json.Out,
              "[{\"file\": \"" + folder.File("de.lng") +
                  "\", \"translated\": 1, \"untranslated\": 2, \"total\": 3, \"changed\": 0, \"words\": 3, "
                  "\"words_translated\": 1, \"review\": 1},\n {\"file\": \"" +
                  folder.File("fr \\\"q\\\".lng") +
                  "\", \"translated\": 3, \"untranslated\": 0, \"total\": 3, \"changed\": 0, \"words\": 3, "
                  "\"words_translated\": 3, \"review\": 0}]\n");

    const ToolResult table = RunTool({"stats", folder.File("demo.lnd"), folder.File("de.lng")});
    ASSERT_EQ(table.Status, 0) << table.Err;
    const std::string file = folder.File("de.lng");
    EXPECT_EQ(table.Out, "file" + std::string(file.size() - 4, ' ') +
                             "    translated  untranslated         total\n" + file +
                             "             1             2             3\n");

    EXPECT_EQ(RunTool({"stats", folder.File("demo.lnd"), folder.File("missing.lng")}).Status, 1);
    EXPECT_EQ(RunTool({"stats"}).Status, 2);
}

} // namespace
