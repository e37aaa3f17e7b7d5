#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// One story: version 1 of a program's template and a translation made for it; version 2 changes
// entry 3, drops entry 4, gives entry 4's text to the new entry 5 and adds entry 6.
const std::string Version1 = "[ITEMS]\r\n1: SECTION \"Window\"\r\n2: COMPONENT \"F.Caption\"\r\n"
                             "3: MESSAGE \"Save file\"\r\n4: MESSAGE \"Close window\"\r\n";
const std::string Version2 =
    "[ITEMS]\r\n1: SECTION \"Window\"\r\n2: COMPONENT \"F.Caption\"\r\n"
    "3: MESSAGE \"Save file as\"\r\n5: MESSAGE \"Close window\"\r\n6: MESSAGE \"New\"\r\n";
const std::string Made =
    "Language=Czech\r\nDefinition=v1.lnd\r\n00002:Okno\r\n00003:Ulozit\r\n00004:Zavrit\r\n";
const std::string Updated = "Language=Czech\r\nDefinition=v2.lnd\r\n/Tracking: originals\r\n"
                            "/Original 00002:F.Caption\r\n00002:Okno\r\n"
                            "/Original 00003:Save file\r\n00003:Ulozit\r\n"
                            "/Original 00004:Close window\r\n/Obsolete 00004:Zavrit\r\n";

class UpdateStory : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder_.Write("v1.lnd", Version1);
        folder_.Write("v2.lnd", Version2);
        folder_.Write("cs.lng", Made);
    }
    TempFolder folder_;
};

TEST_F(UpdateStory, RecordsTheOldOriginalsKeepsTheDroppedAndReportsWhatChanged)
{
    ::mkdir(folder_.File("out").c_str(), 0700);
    const ToolResult json = RunTool({"update", "--from", folder_.File("v1.lnd"), folder_.File("v2.lnd"),
                                     folder_.File("cs.lng"), "-o", folder_.File("out"), "--json"});
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_EQ(json.Out,
              "{\"added\": [\n  {\"number\": 6, \"original\": \"New\"}\n], "
              "\"changed\": [\n  {\"number\": 3, \"old\": \"Save file\", \"new\": \"Save file as\"}\n], "
              "\"removed\": [\n  {\"number\": 4, \"original\": \"Close window\"}\n], "
              "\"moved\": [\n  {\"number\": 5, \"from\": 4, \"original\": \"Close window\"}\n], "
              "\"files\": [\n  {\"file\": \"" +
                  folder_.File("cs.lng") + "\", \"written\": \"" + folder_.File("out/cs.lng") +
                  "\", \"changed\": 1, \"obsolete\": 1, \"moved\": 1}\n]}\n");
    EXPECT_EQ(folder_.Read("out/cs.lng"), Updated);
    EXPECT_EQ(folder_.Read("cs.lng"), Made);

    // Over itself, as a table; a second update against the same versions changes nothing more.
    const ToolResult table =
        RunTool({"update", "--from", folder_.File("v1.lnd"), folder_.File("v2.lnd"), folder_.File("cs.lng")});
    ASSERT_EQ(table.Status, 0) << table.Err;
    EXPECT_EQ(table.Out, "change   number  from   original\n"
                         "added    00006          New\n"
                         "changed  00003          Save file -> Save file as\n"
                         "removed  00004          Close window\n"
                         "moved    00005   00004  Close window\n" +
                             folder_.File("cs.lng") +
                             ": 1 changed, 1 obsolete, 1 offered to moved entries\n");
    EXPECT_EQ(folder_.Read("cs.lng"), Updated);
    ASSERT_EQ(
        RunTool({"update", "--from", folder_.File("v1.lnd"), folder_.File("v2.lnd"), folder_.File("cs.lng")})
            .Status,
        0);
    EXPECT_EQ(folder_.Read("cs.lng"), Updated);

    EXPECT_EQ(RunTool({"update", folder_.File("v2.lnd"), folder_.File("cs.lng")}).Status, 2);
}

TEST_F(UpdateStory, StatsCheckAndTheExchangeFormatsTellTheChangedTranslation)
{
    folder_.Write("cs.lng", Updated);
    const ToolResult stats = RunTool({"stats", "--json", folder_.File("v2.lnd"), folder_.File("cs.lng")});
    ASSERT_EQ(stats.Status, 0) << stats.Err;
    EXPECT_NE(stats.Out.find("\"translated\": 2, \"untranslated\": 2, \"total\": 4, \"changed\": 1,"),
              std::string::npos)
        << stats.Out;

    const ToolResult check = RunTool({"check", folder_.File("v2.lnd"), folder_.File("cs.lng")});
    EXPECT_EQ(check.Status, 0) << check.Err;
    EXPECT_EQ(check.Out,
              folder_.File("cs.lng") +
                  ":7: warning: changed-original: entry 3: the original changed since the translation "
                  "was made from \"Save file\"\n");

    // Both exchange formats carry the old original and the obsolete translation (with the forms of
    // a plural one) and bring them back.
    const std::string kept = Updated + "/Obsolete-Form 00004 1:Zavrete\r\n";
    folder_.Write("cs.lng", kept);
    for (const std::string format : {"po", "xliff"}) {
        const std::string file = folder_.File("cs." + format);
        const ToolResult exported = RunTool(
            {"export", "--format", format, folder_.File("v2.lnd"), folder_.File("cs.lng"), "-o", file});
        ASSERT_EQ(exported.Status, 0) << exported.Err;
        std::string bytes = folder_.Read("cs." + format);
        if (format == "po") {
            EXPECT_NE(bytes.find("#, fuzzy\n#| msgid \"Save file\"\nmsgctxt \"3\"\nmsgid \"Save file as\"\n"),
                      std::string::npos)
                << bytes;
            EXPECT_TRUE(bytes.ends_with("\n#~ msgctxt \"4\"\n#~ msgid \"Close window\"\n"
                                        "#~ msgid_plural \"Close window\"\n#~ msgstr[0] \"Zavrit\"\n"
                                        "#~ msgstr[1] \"Zavrete\"\n"))
                << bytes;
            // What msgmerge keeps of a message its sources dropped, without our number, is passed over.
            bytes += "\n#~| msgid \"Gone away\"\n#~ msgid \"Gone\"\n#~ msgstr \"Pryc\"\n";
            folder_.Write("cs.po", bytes);
        } else {
            const std::size_t target =
                bytes.find("<target state=\"needs-review-translation\">Ulozit</target>");
            const std::size_t previous = bytes.find("<alt-trans alttranstype=\"previous-version\">");
            ASSERT_NE(target, std::string::npos) << bytes;
            ASSERT_NE(previous, std::string::npos) << bytes;
            EXPECT_LT(target, previous);
            EXPECT_NE(bytes.find("<source>Save file</source>", previous), std::string::npos) << bytes;
            const std::size_t obsolete =
                bytes.find("<group id=\"4\" restype=\"x-gettext-plurals\" translate=\"no\">");
            ASSERT_NE(obsolete, std::string::npos) << bytes;
            EXPECT_NE(bytes.find("<trans-unit id=\"4[1]\" translate=\"no\"", obsolete), std::string::npos)
                << bytes;
        }
        const ToolResult back = RunTool(
            {"import", "--format", format, folder_.File("v2.lnd"), file, "-o", folder_.File("back.lng")});
        ASSERT_EQ(back.Status, 0) << back.Err;
        EXPECT_EQ(folder_.Read("back.lng"), kept) << format;
    }

    // A table carries the old original as a sixth field of the changed row, and brings it back.
    for (const bool utf8 : {false, true}) {
        std::vector<std::string> args = {"export", folder_.File("v2.lnd"), folder_.File("cs.lng")};
        if (utf8)
            args.push_back("--utf8");
        const ToolResult table = RunTool(args);
        ASSERT_EQ(table.Status, 0) << table.Err;
        EXPECT_NE(table.Out.find("\tSave file as\tUlozit\tSave file\n"), std::string::npos) << table.Out;
        EXPECT_NE(table.Out.find("\tF.Caption\tOkno\n"), std::string::npos) << table.Out;
        folder_.Write("cs.tsv", table.Out);
        const ToolResult back =
            RunTool({"import", folder_.File("v2.lnd"), folder_.File("cs.tsv"), "-o", folder_.File("t.lng")});
        ASSERT_EQ(back.Status, 0) << back.Err;
        EXPECT_EQ(folder_.Read("t.lng"), "Language=Czech\r\nDefinition=v2.lnd\r\n/Tracking: originals\r\n"
                                         "/Original 00002:F.Caption\r\n00002:Okno\r\n"
                                         "/Original 00003:Save file\r\n00003:Ulozit\r\n");
    }
}

TEST_F(UpdateStory, ImportAndConvertTrackWhenAskedAndAFileThatDoesNotTrackStaysAsItWas)
{
    const ToolResult table = RunTool({"export", folder_.File("v1.lnd"), folder_.File("cs.lng")});
    ASSERT_EQ(table.Status, 0) << table.Err;
    folder_.Write("cs.tsv", table.Out);
    ASSERT_EQ(RunTool({"import", folder_.File("v1.lnd"), folder_.File("cs.tsv"), "-o", folder_.File("a.lng")})
                  .Status,
              0);
    EXPECT_EQ(folder_.Read("a.lng"), Made);
    ASSERT_EQ(RunTool({"import", folder_.File("v1.lnd"), folder_.File("cs.tsv"), "-o", folder_.File("b.lng"),
                       "--track"})
                  .Status,
              0);
    EXPECT_EQ(folder_.Read("b.lng"), "Language=Czech\r\nDefinition=v1.lnd\r\n/Tracking: originals\r\n"
                                     "/Original 00002:F.Caption\r\n00002:Okno\r\n"
                                     "/Original 00003:Save file\r\n00003:Ulozit\r\n"
                                     "/Original 00004:Close window\r\n00004:Zavrit\r\n");
    // A table of a tracking file says so, and its import tracks again.
    const ToolResult tracked = RunTool({"export", folder_.File("v1.lnd"), folder_.File("b.lng")});
    EXPECT_NE(tracked.Out.find("#tracking\toriginals\n"), std::string::npos);
    folder_.Write("b.tsv", tracked.Out);
    ASSERT_EQ(RunTool({"import", folder_.File("v1.lnd"), folder_.File("b.tsv"), "-o", folder_.File("c.lng")})
                  .Status,
              0);
    EXPECT_EQ(folder_.Read("c.lng"), folder_.Read("b.lng"));
}

} // namespace
