#include "editor/core/LanguageDocument.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace verbaria;
namespace fs = std::filesystem;

namespace {

// One story: version 1 of a program's template and its translation, then version 2, which changes
// entry 3, drops entry 4, gives entry 4's text to a new entry 5 and adds entry 6.
const char *const Version1 =
    "1:section \"Okno\"\r\n2:component \"F.Caption\"\r\n3:message \"Uložit soubor\"\r\n"
    "4:message \"Zavřít okno\"\r\n";
const char *const Version2 =
    "1:section \"Okno\"\r\n2:component \"F.Caption\"\r\n"
    "3:message \"Uložit soubor jako\"\r\n5:message \"Zavřít okno\"\r\n6:message \"Nový\"\r\n";
const char *const Untracked = "Language=English\r\nDefinition=demo.lnd\r\n00002:Window\r\n00003:Save file\r\n"
                              "00004:Close window\r\n";
const char *const TrackedVersion1 = "Language=English\r\nDefinition=demo.lnd\r\n/Tracking: originals\r\n"
                                    "/Original 00002:F.Caption\r\n00002:Window\r\n"
                                    "/Original 00003:Uložit soubor\r\n00003:Save file\r\n"
                                    "/Original 00004:Zavřít okno\r\n00004:Close window\r\n";

class TrackingStory : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("verbaria-tracking-" + std::to_string(::getpid()));
        fs::create_directories(root_);
        previous_ = fs::current_path();
        fs::current_path(root_);
        document_.SetProgramFolder(root_.string() + "/");
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }
    void Write(const std::string &name, const std::string &bytes)
    {
        std::ofstream(root_ / name, std::ios::binary) << bytes;
    }
    void Load(const char *templateBytes, const std::string &language)
    {
        Write("demo.lnd", templateBytes);
        Write("de.lng", language);
        document_.MapujText("demo.lnd");
        document_.NovyJazyk(true, false);
        document_.NactiJazyk((root_ / "de.lng").string(), 1);
    }
    std::size_t IndexOf(std::int32_t number) const
    {
        return static_cast<std::size_t>(document_.IndexOfNumber(number));
    }
    void Type(std::int32_t number, const std::string &text)
    {
        document_.Grid().SetText(1, document_.IndexOfNumber(number) + 1, text);
    }

    fs::path root_;
    fs::path previous_;
    SettingsValues settings_;
    ScriptedDialogs dialogs_;
    CzechTexts texts_;
    LanguageDocument document_{settings_, dialogs_, texts_};
};

} // namespace

TEST_F(TrackingStory, AFileThatDoesNotTrackIsSavedAsBeforeEvenAgainstTheNewTemplate)
{
    Load(Version1, Untracked);
    EXPECT_FALSE(document_.Tracking());
    EXPECT_EQ(document_.SavedBytes(), Untracked);
    Load(Version2, Untracked);
    EXPECT_EQ(document_.ChangedCount(), 0);
    EXPECT_TRUE(document_.MovedOffers().empty());
    // The dropped entry's translation goes, as it always went.
    EXPECT_EQ(document_.SavedBytes(),
              "Language=English\r\nDefinition=demo.lnd\r\n00002:Window\r\n00003:Save file\r\n");
    // Tracking turned on keeps it, with its original unknown.
    document_.SetTracking(true);
    EXPECT_EQ(document_.SavedBytes(), "Language=English\r\nDefinition=demo.lnd\r\n/Tracking: originals\r\n"
                                      "/Original 00002:F.Caption\r\n00002:Window\r\n"
                                      "/Original 00003:Uložit soubor jako\r\n00003:Save file\r\n"
                                      "/Obsolete 00004:Close window\r\n");
}

TEST_F(TrackingStory, TurnedOnTheFileRecordsEachOriginalAndReadsBackByteForByte)
{
    Load(Version1, Untracked);
    document_.SetTracking(true);
    EXPECT_EQ(document_.SavedBytes(), TrackedVersion1);
    Load(Version1, TrackedVersion1);
    EXPECT_TRUE(document_.Tracking());
    EXPECT_EQ(document_.ChangedCount(), 0);
    EXPECT_EQ(document_.SavedBytes(), TrackedVersion1);
}

TEST_F(TrackingStory, TheNewVersionMarksTheChangedKeepsTheDroppedAndOffersTheMoved)
{
    Load(Version2, TrackedVersion1);
    EXPECT_FALSE(document_.IsChanged(IndexOf(2)));
    ASSERT_TRUE(document_.IsChanged(IndexOf(3)));
    EXPECT_EQ(*document_.OldOriginal(IndexOf(3)), "Uložit soubor");
    EXPECT_EQ(document_.CurrentOriginal(IndexOf(3)), "Uložit soubor jako");
    EXPECT_EQ(document_.ChangedCount(), 1);
    ASSERT_EQ(document_.Obsolete().size(), 1u);
    EXPECT_EQ(document_.Obsolete().at(4), (ObsoleteTranslation{"Zavřít okno", "Close window"}));
    const auto offers = document_.MovedOffers();
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].Index, IndexOf(5));
    EXPECT_EQ(offers[0].From, 4);
    EXPECT_EQ(offers[0].Translation, "Close window");

    // Saved unchanged, the stale record and the obsolete translation stay.
    const std::string stale = "Language=English\r\nDefinition=demo.lnd\r\n/Tracking: originals\r\n"
                              "/Original 00002:F.Caption\r\n00002:Window\r\n"
                              "/Original 00003:Uložit soubor\r\n00003:Save file\r\n"
                              "/Original 00004:Zavřít okno\r\n/Obsolete 00004:Close window\r\n";
    EXPECT_EQ(document_.SavedBytes(), stale);
    Load(Version2, stale);
    EXPECT_EQ(document_.SavedBytes(), stale);

    // Keeping the translation records the new original; typing another one does too, and typing
    // the old text back (as undo does) brings the mark back.
    document_.KeepTranslation(IndexOf(3));
    EXPECT_FALSE(document_.IsChanged(IndexOf(3)));
    EXPECT_NE(document_.SavedBytes().find("/Original 00003:Uložit soubor jako\r\n00003:Save file\r\n"),
              std::string::npos);
    Load(Version2, stale);
    Type(3, "Save file as");
    EXPECT_FALSE(document_.IsChanged(IndexOf(3)));
    Type(3, "Save file");
    EXPECT_TRUE(document_.IsChanged(IndexOf(3)));

    // Only the explicit command removes an obsolete translation.
    document_.RemoveObsolete(4);
    EXPECT_TRUE(document_.Obsolete().empty());
    EXPECT_TRUE(document_.MovedOffers().empty());
}

TEST_F(TrackingStory, AnEntryWhoseTextMovedToAnotherNumberIsOfferedItsTranslation)
{
    // Version 2 renumbers entry 3: entry 3 now holds another text, entry 7 the old one.
    Load("3:message \"Otevřít\"\r\n7:message \"Uložit soubor\"\r\n", TrackedVersion1);
    const auto offers = document_.MovedOffers();
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].Index, IndexOf(7));
    EXPECT_EQ(offers[0].From, 3);
    EXPECT_EQ(offers[0].Translation, "Save file");
}

TEST_F(TrackingStory, NewLanguagesTrackWhenTheSettingsSaySo)
{
    Write("demo.lnd", Version1);
    document_.MapujText("demo.lnd");
    settings_.SledovatOriginaly = true;
    document_.NovyJazyk(true, false);
    EXPECT_TRUE(document_.Tracking());
    Type(3, "Save");
    EXPECT_EQ(document_.SavedBytes(), "Definition=demo.lnd\r\n/Tracking: originals\r\n"
                                      "/Original 00003:Uložit soubor\r\n00003:Save\r\n");
}
