#include "ToolRunner.h"

#include <gtest/gtest.h>

// Tables travel between code pages: a file's declaration, a UTF-8 table, and no text that could
// forge a line of the language file.
namespace {

const std::string CzechTemplate = "[ITEMS]\r\n1: COMPONENT \"F.Caption\"\r\n2: MESSAGE \"Ulo\x9Eit\"\r\n";

} // namespace

TEST(ToolCodePages, AJapaneseTranslationTravelsThroughAUtf8TableAndBack)
{
    TempFolder folder;
    folder.Write("demo.lnd", CzechTemplate);
    // "ファイル" and "保存" typed in a spreadsheet, in UTF-8.
    folder.Write("table.tsv",
                 "#encoding\tUTF-8\n#codepage\tUTF-8\n#language\t\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n"
                 "1\tcomponent\t1\tF.Caption\t\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\n"
                 "2\tmessage\t2\tUlo\xC5\xBEit\t\xE4\xBF\x9D\xE5\xAD\x98\n");
    auto result =
        RunTool({"import", folder.File("demo.lnd"), folder.File("table.tsv"), "-o", folder.File("ja.lng")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder.Read("ja.lng"),
              "Language=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\nDefinition=demo.lnd\r\n"
              "Codepage=UTF-8\r\n00001:\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\r\n"
              "00002:\xE4\xBF\x9D\xE5\xAD\x98\r\n");

    // Back out in UTF-8: the Czech original converted from the template's code page.
    result = RunTool({"export", "--utf8", folder.File("demo.lnd"), folder.File("ja.lng")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out.substr(0, 36), "#encoding\tUTF-8\n#codepage\tUTF-8\n#tem");
    EXPECT_NE(result.Out.find("2\tmessage\t2\tUlo\xC5\xBEit\t\xE4\xBF\x9D\xE5\xAD\x98\n"), std::string::npos);
    // and as bytes: the file's own, with its declaration.
    result = RunTool({"export", folder.File("demo.lnd"), folder.File("ja.lng")});
    EXPECT_NE(result.Out.find("#codepage\tUTF-8\n"), std::string::npos);
    EXPECT_NE(result.Out.find("2\tmessage\t2\tUlo\x9Eit\t\xE4\xBF\x9D\xE5\xAD\x98\n"), std::string::npos);
}

TEST(ToolCodePages, FilesThatDeclareNothingKeepTheirBytes)
{
    TempFolder folder;
    folder.Write("demo.lnd", CzechTemplate);
    folder.Write("cs.lng", "Language=\xC8"
                           "e\x9Atina\r\n00002:Ulo\x9Eit\r\n");
    const auto exported = RunTool({"export", folder.File("demo.lnd"), folder.File("cs.lng")});
    EXPECT_EQ(exported.Out.find("#codepage"), std::string::npos);
    folder.Write("table.tsv", exported.Out);
    const auto result =
        RunTool({"import", folder.File("demo.lnd"), folder.File("table.tsv"), "-o", folder.File("back.lng")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder.Read("back.lng"), "Language=\xC8"
                                       "e\x9Atina\r\nDefinition=demo.lnd\r\n00002:Ulo\x9Eit\r\n");
}

TEST(ToolCodePages, ATableThatWouldBreakTheFileWritesNothing)
{
    TempFolder folder;
    folder.Write("demo.lnd", CzechTemplate);
    // An escaped line break would write a translation of entry 5 that nobody typed.
    folder.Write("forged.tsv", "1\tcomponent\t1\tF.Caption\tTitle\\r\\n5:forged\n");
    auto result =
        RunTool({"import", folder.File("demo.lnd"), folder.File("forged.tsv"), "-o", folder.File("out.lng")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("line 1: row 1: a translation cannot hold a line break"), std::string::npos)
        << result.Err;
    EXPECT_EQ(folder.Read("out.lng"), "");

    // A UTF-8 text the code page cannot hold is named by its row.
    folder.Write("greek.tsv", "#encoding\tUTF-8\n2\tmessage\t2\tUlo\xC5\xBEit\t\xCE\xB1\n");
    result =
        RunTool({"import", folder.File("demo.lnd"), folder.File("greek.tsv"), "-o", folder.File("out.lng")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("row 2: the code page windows-1250 cannot hold the translation"),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(folder.Read("out.lng"), "");
}
