#include "ToolRunner.h"

#include <gtest/gtest.h>

// verbaria-tool live against the example programs, each started offscreen with the link: the
// language and the changes reach the running program's widgets, by component and by message.
namespace {

const std::string kExamples = VERBARIA_SOURCE_DIR "/examples";

TEST(LiveTool, ChangesReachTheRunningProgramByComponentAndByMessage)
{
    TempFolder folder;
    // The example that owns a TKVTranslator: the English language, then one label changed live.
    const ToolResult demo = RunTool({"live", "--template", kExamples + "/jazyky/demo.lnd", "--language",
                                     kExamples + "/jazyky/english.lng", "--set", "9=Živě změněný nadpis",
                                     "--print", "DemoForm.labelNadpis.Caption", "--print", "DemoForm.Caption",
                                     "--print", "DemoForm.noSuchLabel.Caption", "--screenshots",
                                     folder.File("shots"), "--", VERBARIA_EXAMPLE_PROGRAM});
    ASSERT_EQ(demo.Status, 0) << demo.Err;
    EXPECT_EQ(demo.Out, "Živě změněný nadpis\nTranslator demo\n\n");
    EXPECT_NE(demo.Err.find("DemoForm.noSuchLabel.Caption reaches no property"), std::string::npos)
        << demo.Err;
    EXPECT_EQ(folder.Read("shots/DemoForm.png").substr(0, 8), "\x89PNG\r\n\x1a\n");

    // The tr() example: a message changed live answers its next look-up, and LanguageChange makes
    // the window ask again (its title is set by retranslateUi).
    const ToolResult qtWay =
        RunTool({"live", "--template", kExamples + "/qt-way/jazyky/files.lnd", "--language",
                 kExamples + "/qt-way/jazyky/czech.lng", "--set", "2=Živý titulek", "--print",
                 "MainWindow.Caption", "--fit", "--", VERBARIA_QT_WAY_PROGRAM});
    ASSERT_EQ(qtWay.Status, 0) << qtWay.Err;
    EXPECT_EQ(qtWay.Out, "Živý titulek\n");
}

TEST(LiveTool, FitReportsTheTextsTheRunningProgramClipsAndExitsOne)
{
    // A menu title longer than the window: it and the menu after it no longer fit the menu bar.
    const ToolResult clipped = RunTool({"live", "--template", kExamples + "/jazyky/demo.lnd", "--language",
                                        kExamples + "/jazyky/english.lng", "--set",
                                        "3=A file menu whose title is far too long for the menu bar of this "
                                        "small window, longer than the window itself",
                                        "--fit", "--", VERBARIA_EXAMPLE_PROGRAM});
    EXPECT_EQ(clipped.Status, 1) << clipped.Err;
    EXPECT_NE(clipped.Out.find("entry 3: DemoForm.menuSoubor.Caption lacks "), std::string::npos)
        << clipped.Out;
    EXPECT_NE(clipped.Out.find("entry 7: DemoForm.menuJazyk.Caption lacks "), std::string::npos)
        << clipped.Out;
    EXPECT_EQ(clipped.Out.find("entry 9:"), std::string::npos) << clipped.Out;
}

TEST(LiveTool, AProgramThatDoesNotConnectOrABadCommandLineEndsWithItsStatus)
{
    const std::string demo = kExamples + "/jazyky/demo.lnd";
    const std::string english = kExamples + "/jazyky/english.lng";
    // A program without a translator never connects; one that ends at once neither.
    EXPECT_EQ(RunTool({"live", "--template", demo, "--language", english, "--wait", "1", "--", "sleep", "20"})
                  .Status,
              3);
    EXPECT_EQ(RunTool({"live", "--template", demo, "--language", english, "--", "true"}).Status, 3);
    EXPECT_EQ(RunTool({"live", "--template", demo, "--language", english}).Status, 2);
    EXPECT_EQ(
        RunTool({"live", "--template", demo, "--language", english, "--set", "x=1", "--", "true"}).Status, 2);
    EXPECT_EQ(RunTool({"live", "--language", english, "--", "true"}).Status, 2);
}

} // namespace
