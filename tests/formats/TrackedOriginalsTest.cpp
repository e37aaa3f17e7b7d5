#include "formats/TrackedOriginals.h"
#include "formats/LanguageFile.h"

#include <gtest/gtest.h>

using namespace verbaria;

namespace {

const std::string Plain = "Language=English\r\n00002:Window\r\n00003:Save file\r\n";
const std::string Tracked =
    "Language=English\r\n/Tracking: originals\r\n/Original 00002:F.Caption\r\n00002:Window\r\n"
    "/Original 00003:Uložit soubor\r\n00003:Save file\r\n"
    "/Original 00040:Zavřít\r\n/Obsolete 00040:Close\r\n";

std::map<std::int32_t, std::string> TranslatorReads(std::string_view bytes)
{
    TranslatorTemplate table;
    TemplateReader(table).ReadAll("2:component \"F.Caption\"\r\n3:message \"Uložit soubor\"\r\n"
                                  "40:message \"Zavřít\"\r\n");
    NumberIndex index;
    index.Build(table.Items);
    TLanguageInfo info;
    ReadLanguageBytes(bytes, table.Items, index, info);
    std::map<std::int32_t, std::string> read;
    for (const TTemplateItem &item : table.Items)
        read[item.Number] = item.Translation;
    return read;
}

} // namespace

TEST(TrackedOriginals, WrittenReadBackAndSkippedByTheTranslator)
{
    TrackedOriginals tracked;
    tracked.Tracking = true;
    tracked.Originals = {{2, "F.Caption"}, {3, "Uložit soubor"}, {7, "no line of its own"}};
    tracked.Obsolete[40] = {"Zavřít", "Close"};
    EXPECT_EQ(WithTrackedOriginals(Plain, tracked), Tracked);
    // Written again over itself it stays; the original of a number without a line is not written.
    EXPECT_EQ(WithTrackedOriginals(Tracked, tracked), Tracked);
    tracked.Originals.erase(7);
    EXPECT_EQ(ReadTrackedOriginals(Tracked), tracked);
    // A program reads the translations it read before: the obsolete one reaches nothing.
    EXPECT_EQ(TranslatorReads(Tracked), TranslatorReads(Plain));
    EXPECT_EQ(TranslatorReads(Tracked)[40], "");
}

TEST(TrackedOriginals, AnObsoletePluralKeepsItsFormsWhereNoEntryOfItsNumberReadsThem)
{
    TrackedOriginals tracked;
    tracked.Tracking = true;
    tracked.Obsolete[40] = {"Zavřít", "Close", {"", "Closes"}};
    const std::string bytes = WithTrackedOriginals(Plain, tracked);
    EXPECT_EQ(bytes, "Language=English\r\n/Tracking: originals\r\n00002:Window\r\n00003:Save file\r\n"
                     "/Original 00040:Zavřít\r\n/Obsolete 00040:Close\r\n/Obsolete-Form 00040 2:Closes\r\n");
    EXPECT_EQ(ReadTrackedOriginals(bytes), tracked);
    EXPECT_EQ(WithTrackedOriginals(bytes, tracked), bytes);
    EXPECT_EQ(WithTrackedOriginals(bytes, {}), Plain);
    TranslatorTemplate table;
    TemplateReader(table).ReadAll("/Plural\r\n40:message \"Zavřít\"\r\n");
    NumberIndex index;
    index.Build(table.Items);
    ReadPluralForms(bytes, table, index);
    ASSERT_EQ(table.Messages.size(), 1u);
    EXPECT_TRUE(table.Messages[0].Plural);
    EXPECT_TRUE(table.Messages[0].Forms.empty());
}

TEST(TrackedOriginals, AFileThatDoesNotTrackKeepsItsBytesAndTurningTrackingOffDropsTheLines)
{
    const std::string odd = "Language=English\n/comment\r\n00002:Window \r\n\r\n12:x";
    EXPECT_EQ(WithTrackedOriginals(odd, {}), odd);
    EXPECT_FALSE(ReadTrackedOriginals(odd).Tracking);
    EXPECT_EQ(WithTrackedOriginals(Tracked, {}), Plain);
}

TEST(TrackedOriginals, AnOriginalBelongsToItsOwnNumberAcrossNotesAndForms)
{
    const std::string bytes = "/Tracking: originals\r\n/Original 00003:Soubor\r\n/Notes 00003: review\r\n"
                              "00003:File\r\n/Form 00003 1:Files\r\n/Original 00009:stray\r\n00004:x\r\n";
    const TrackedOriginals read = ReadTrackedOriginals(bytes);
    EXPECT_TRUE(read.Tracking);
    EXPECT_EQ(read.Originals, (std::map<std::int32_t, std::string>{{3, "Soubor"}}));
}

TEST(TrackedOriginals, AComponentsOriginalIsItsFormTextWhereTheTemplateNotesOne)
{
    const std::string templateBytes =
        "[ITEMS]\r\n/Text=&Open\r\n2:component \"F.b.Caption\"\r\n3:component \"F.c.Caption\"\r\n"
        "/Text=not mine\r\n4:message \"Ahoj\"\r\n";
    EditorTemplate read;
    TemplateReader(read).ReadAll(templateBytes);
    EXPECT_EQ(TemplateOriginals(templateBytes, read.Items),
              (std::vector<std::string>{"&Open", "F.c.Caption", "Ahoj"}));
}
