#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace {

const std::string OldFile = "[Language]\r\n"
                            "Language Name=English\r\n"
                            "Author=Jan\r\n"
                            "Program Version=1.1\r\n"
                            "[Translations]\r\n"
                            "MainForm.menuSoubor.Caption = File\r\n"
                            "[Messages]\r\n"
                            "Ulo\x9Eit zm\xECny ? = Save changes?\r\n";

} // namespace

TEST(ConvertCommand, WritesBothFilesAndPrintsNothing)
{
    TempFolder folder;
    folder.Write("old.txt", OldFile);
    const ToolResult result =
        RunTool({"convert", "old.txt", "--language", "out.lng", "--template=out.lnd"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(folder.Read("out.lng"),
              "Language=English\r\nVersion=1.0\r\nAuthor=Jan\r\nDefinition=out.lnd\r\n\r\n"
              "0:File\r\n1:Save changes?\r\n\r\n");
    EXPECT_EQ(folder.Read("out.lnd"),
              "[LANGUAGE]\r\nProgram=Nezn\xE1m\xFD\r\nVersion=1.1\r\nAuthor=Jan\r\n\r\n"
              "[ITEMS]\r\n0:component \"MainForm.menuSoubor.Caption\"\r\n"
              "1:message \"Ulo\x9Eit zm\xECny ?\"\r\n\r\n");
}

TEST(ConvertCommand, FailuresReportThePlatformMessage)
{
    TempFolder folder;
    ToolResult result =
        RunTool({"convert", "missing.txt", "--language", "l.lng", "--template", "t.lnd"}, {}, folder.Path());
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "verbaria-tool: File not found\n");

    folder.Write("old.txt", "a=b\n");
    result = RunTool({"convert", "old.txt", "--language", "no/such/folder/l.lng", "--template", "t.lnd"}, {},
                     folder.Path());
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err.rfind("verbaria-tool: ", 0), 0u);
}

TEST(ConvertCommand, UsageErrors)
{
    TempFolder folder;
    folder.Write("old.txt", "a=b\n");
    const std::vector<std::vector<std::string>> wrong = {
        {"convert"},
        {"convert", "old.txt", "--language", "l.lng"},
        {"convert", "old.txt", "--template", "t.lnd"},
        {"convert", "old.txt", "--language"},
        {"convert", "old.txt", "other.txt", "--language", "l.lng", "--template", "t.lnd"},
        {"convert", "old.txt", "--language", "l.lng", "--template", "t.lnd", "--force"},
    };
    for (const auto &args : wrong) {
        const ToolResult result = RunTool(args, {}, folder.Path());
        EXPECT_EQ(result.Status, 2) << args.size();
        EXPECT_EQ(result.Err.rfind("verbaria-tool: ", 0), 0u);
    }
}
