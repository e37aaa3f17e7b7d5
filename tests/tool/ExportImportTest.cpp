#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace {

const std::string Template = "[LANGUAGE]\r\nProgram=Demo\r\nVersion=2\r\nAuthor=A|B\r\n[ITEMS]\r\n"
                             "1: SECTION \"Okno\"\r\n"
                             "2: COMPONENT \"F.Caption\"\r\n"
                             "3: COMMENT \"Pozn\xE1mka\"\r\n"
                             "4: MESSAGE \"Tab\there\\back\"\r\n"
                             "123456: MESSAGE \"big\"\r\n";

const std::string Language = "Language=Deutsch\r\nVersion=1\r\nAuthor=Hans|Grete\r\nDefinition=demo.lnd\r\n"
                             "00002:Titel\r\n00004:\\mit\t\tTab\\\r\n123456:gro\xDF\r\n";

const std::string ExpectedTable = "#template\tdemo.lnd\n"
                                  "#program\tDemo\n"
                                  "#program-version\t2\n"
                                  "#program-author\tA|B\n"
                                  "#language\tDeutsch\n"
                                  "#version\t1\n"
                                  "#author\tHans|Grete\n"
                                  "#count\t3\n"
                                  "#rows\t6\n"
                                  "1\tsection\t1\tOkno\t\n"
                                  "2\tcomponent\t2\tF.Caption\tTitel\n"
                                  "3\tcomment\t3\tPozn\xE1mka\t\n"
                                  "4\tmessage\t4\tTab\\there\\\\back\t\\\\mit\\t\\tTab\\\\\n"
                                  "5\tmessage\t123456\tbig\tgro\xDF\n";

} // namespace

TEST(ToolExport, PrintsTheDocumentAsTheEditorBuildsIt)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("de.lng", Language);
    const auto result = RunTool({"export", folder.File("demo.lnd"), folder.File("de.lng")});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, ExpectedTable);
    EXPECT_EQ(result.Err, "");
}

TEST(ToolExport, DescriptionLanguageFillsTheLeftColumn)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("popisy.lng", "Language=ignored\r\n00002:Window title\r\n");
    const auto result =
        RunTool({"export", folder.File("demo.lnd"), "--description", folder.File("popisy.lng")});
    EXPECT_EQ(result.Status, 0);
    EXPECT_NE(result.Out.find("2\tcomponent\t2\tWindow title\t\n"), std::string::npos);
    EXPECT_NE(result.Out.find("#language\t\n"), std::string::npos);
}

TEST(ToolExport, AnotherTemplateIsNamedAndFollowedOnlyWhenAsked)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("other.lnd", "9: MESSAGE \"nine\"\r\n");
    folder.Write("x.lng", "Definition=other.lnd\r\n9:neun\r\n00002:Titel\r\n");
    auto result = RunTool({"export", folder.File("demo.lnd"), folder.File("x.lng")}, {}, folder.Path());
    EXPECT_EQ(result.Status, 0);
    EXPECT_NE(result.Err.find("other.lnd"), std::string::npos);
    EXPECT_NE(result.Out.find("2\tcomponent\t2\tF.Caption\tTitel\n"), std::string::npos);

    result = RunTool({"export", folder.File("demo.lnd"), folder.File("x.lng"), "--follow-definition"}, {},
                     folder.Path());
    EXPECT_EQ(result.Status, 0);
    EXPECT_NE(result.Out.find("#rows\t2\n1\tmessage\t9\tneun\tneun\n"), std::string::npos) << result.Out;
}

TEST(ToolExport, AReadErrorStillPrintsTheRowsAndFails)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("bad.lng", "00002:Titel\r\n4x:bad\r\n123456:not reached\r\n");
    const auto result = RunTool({"export", folder.File("demo.lnd"), folder.File("bad.lng")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "verbaria-tool: '4X' is not a valid integer value\n");
    EXPECT_NE(result.Out.find("2\tcomponent\t2\tF.Caption\tTitel\n"), std::string::npos);
    EXPECT_NE(result.Out.find("5\tmessage\t123456\tbig\t\n"), std::string::npos);
}

TEST(ToolExport, UsageAndMissingFiles)
{
    EXPECT_EQ(RunTool({"export"}).Status, 2);
    EXPECT_EQ(RunTool({"export", "--bogus", "x"}).Status, 2);
    EXPECT_EQ(RunTool({"frobnicate"}).Status, 2);
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    EXPECT_EQ(RunTool({"export", folder.File("nothing.lnd")}).Status, 1);
    EXPECT_EQ(RunTool({"export", folder.File("demo.lnd"), folder.File("missing.lng")}).Status, 1);
    const auto help = RunTool({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("export"), std::string::npos);
    EXPECT_NE(RunTool({"help", "import"}).Out.find("verbaria-tool import TEMPLATE TABLE"), std::string::npos);
    EXPECT_NE(RunTool({"--version"}).Out.find("verbaria-tool 1.1"), std::string::npos);
}

TEST(ToolImport, RoundTripReproducesTheEditorsFile)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("de.lng", Language);
    const auto exported = RunTool({"export", folder.File("demo.lnd"), folder.File("de.lng")});
    folder.Write("table.tsv", exported.Out);
    const auto imported =
        RunTool({"import", folder.File("demo.lnd"), folder.File("table.tsv"), "-o", folder.File("out.lng")});
    EXPECT_EQ(imported.Status, 0) << imported.Err;
    EXPECT_EQ(imported.Out, "");
    EXPECT_EQ(folder.Read("out.lng"), Language);
}

TEST(ToolImport, HeaderLinesAndEditedCellsReachTheFile)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("t.tsv", "#language\tFran\xE7"
                          "ais\r\n#author\tJean|Marie\n#count\t999\n"
                          "2\tcomponent\t2\tignored\tTitre\n4\tmessage\t4\t\tavec\\\\barre\n");
    const auto result =
        RunTool({"import", folder.File("demo.lnd"), folder.File("t.tsv"), "-o", folder.File("fr.lng")});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder.Read("fr.lng"), "Language=Fran\xE7"
                                     "ais\r\nAuthor=Jean|Marie\r\nDefinition=demo.lnd\r\n"
                                     "00002:Titre\r\n00004:avec\\barre\r\n");
}

TEST(ToolImport, AWrongRowOrNumberWritesNothing)
{
    TempFolder folder;
    folder.Write("demo.lnd", Template);
    folder.Write("old.lng", "kept\r\n");
    for (const std::string table : {"9\tmessage\t4\t\tx\n", "4\tmessage\t5\t\tx\n",
                                    "4\tmessage\t4\tonly four\n", "4\tmessage\t4\t\tbad\\q\n"}) {
        folder.Write("t.tsv", table);
        const auto result =
            RunTool({"import", folder.File("demo.lnd"), folder.File("t.tsv"), "-o", folder.File("old.lng")});
        EXPECT_EQ(result.Status, 1) << table;
        EXPECT_EQ(result.Err.rfind("verbaria-tool: ", 0), 0u);
        EXPECT_EQ(folder.Read("old.lng"), "kept\r\n");
    }
    EXPECT_EQ(RunTool({"import", folder.File("demo.lnd"), folder.File("t.tsv")}).Status, 2);
}
