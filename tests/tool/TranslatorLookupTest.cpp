#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace {

const std::string kTemplate = "[ITEMS]\r\n"
                              "1:message \"Ulo\x9eit zm\xecny ?\"\r\n"
                              "2:message \"Hotovo\"\r\n"
                              "3:message \"Hotovo\"\r\n"
                              "4:message \"Pr\xe1zdn\xfd\"\r\n";

class TranslatorLookupTest : public ::testing::Test
{
protected:
    TranslatorLookupTest()
    {
        folder.Write("app.lnd", kTemplate);
        folder.Write("first.lng", "1:Save changes ?\r\n2:Done\r\n3:Finished\r\n4:\r\n");
        folder.Write("second.lng", "2:Complete\r\n");
    }
    TempFolder folder;
};

TEST_F(TranslatorLookupTest, TranslatesArgumentsAndKeepsUnknownTexts)
{
    const ToolResult result =
        RunTool({"lookup", "--template", folder.File("app.lnd"), "--language", folder.File("first.lng"),
                 "Ulo\x9eit zm\xecny ?", "Hotovo", "Nezn\xe1m\xfd", "Pr\xe1zdn\xfd"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "Save changes ?\nDone\nNezn\xe1m\xfd\nPr\xe1zdn\xfd\n");
}

TEST_F(TranslatorLookupTest, LanguagesAreReadInTheOrderGiven)
{
    // As in a running program, the last language replaces the earlier ones, also where it has
    // no entry; a missing one changes nothing.
    const ToolResult result =
        RunTool({"lookup", "--template", folder.File("app.lnd"), "--language", folder.File("first.lng"),
                 "--language", folder.File("second.lng"), "--language", folder.File("missing.lng"), "Hotovo",
                 "Ulo\x9eit zm\xecny ?"});
    EXPECT_EQ(result.Out, "Complete\nUlo\x9eit zm\xecny ?\n");
}

TEST_F(TranslatorLookupTest, ReadsTextsFromStandardInput)
{
    const ToolResult result =
        RunTool({"lookup", "--template", folder.File("app.lnd"), "--language", folder.File("first.lng")},
                "Hotovo\r\nnic\nUlo\x9eit zm\xecny ?");
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out, "Done\nnic\nSave changes ?\n");
}

TEST_F(TranslatorLookupTest, TemplateLinesServeOnlyWithoutATemplateFile)
{
    folder.Write("lines.txt", "7:message \"Ano\"\n");
    folder.Write("lines.lng", "7:Yes\r\n2:Done\r\n");
    ToolResult result = RunTool({"lookup", "--template-lines", folder.File("lines.txt"), "--language",
                                 folder.File("lines.lng"), "Ano", "Hotovo"});
    EXPECT_EQ(result.Out, "Yes\nHotovo\n");
    // The template file is loaded after the lines and replaces their table.
    result = RunTool({"lookup", "--template-lines", folder.File("lines.txt"), "--template",
                      folder.File("app.lnd"), "--language", folder.File("lines.lng"), "Ano", "Hotovo"});
    EXPECT_EQ(result.Out, "Ano\nDone\n");
}

TEST_F(TranslatorLookupTest, ATextTypedInUtf8IsAnsweredInUtf8)
{
    folder.Write("czech.lng", "1:Zm\xecny ulo\x9eit ?\r\n2:Hotovo!\r\n");
    const ToolResult result =
        RunTool({"lookup", "--template", folder.File("app.lnd"), "--language", folder.File("czech.lng"),
                 "Ulo\xc5\xbeit zm\xc4\x9bny ?", "Ulo\x9eit zm\xecny ?", "Hotovo", "Nezn\xc3\xa1m\xc3\xbd"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "Zm\xc4\x9bny ulo\xc5\xbeit ?\n" // UTF-8 in, UTF-8 out
                          "Zm\xecny ulo\x9eit ?\n"         // the file's bytes in, its bytes out
                          "Hotovo!\n"
                          "Nezn\xc3\xa1m\xc3\xbd\n"); // unknown: as given
    // From standard input too.
    const ToolResult piped =
        RunTool({"lookup", "--template", folder.File("app.lnd"), "--language", folder.File("czech.lng")},
                "Ulo\xc5\xbeit zm\xc4\x9bny ?\n");
    EXPECT_EQ(piped.Out, "Zm\xc4\x9bny ulo\xc5\xbeit ?\n");
}

TEST_F(TranslatorLookupTest, ErrorsAndUsage)
{
    folder.Write("bad.lng", "2:Done\r\n12a:x\r\n");
    ToolResult result = RunTool(
        {"lookup", "--template", folder.File("app.lnd"), "--language", folder.File("bad.lng"), "Hotovo"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "verbaria-tool: '12A' is not a valid integer value\n");
    EXPECT_TRUE(result.Out.empty());

    result = RunTool({"lookup", "--language"});
    EXPECT_EQ(result.Status, 2);
    result = RunTool({"lookup", "--bogus", "x"});
    EXPECT_EQ(result.Status, 2);

    // A missing language file changes nothing, as in the program, but is mentioned.
    result = RunTool({"lookup", "--template", folder.File("app.lnd"), "--language", folder.File("none.lng"),
                      "--", "--Hotovo"});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out, "--Hotovo\n");
    EXPECT_NE(result.Err.find("none.lng"), std::string::npos);
}

} // namespace
