// The language tag a language file carries, and the memory that offers the files of a language by
// its tag: the region's language falls back to the language, named so.
#include "formats/LanguageTag.h"
#include "checks/MemoryBuilder.h"
#include "formats/LanguageFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace verbaria;
using namespace verbaria::checks;

namespace {

TEST(LanguageTag, WellFormedTagsAreTheOnlyOnesWrittenAndReadBack)
{
    for (const char *tag : {"de", "de-AT", "en-GB", "zh-Hant-TW", "es-419", "sr-Latn", "fil"})
        EXPECT_TRUE(IsLanguageTag(tag)) << tag;
    for (const char *text :
         {"", "Deutsch", "d", "de_AT", "de-", "de-Austria", "de-AT-x", "de AT", "deutsch-AT"})
        EXPECT_FALSE(IsLanguageTag(text)) << text;

    // Above the first item line, replacing an earlier one; the readers still see the same items.
    const std::string file = "Language=Deutsch\r\n/Language-Tag: de\r\n00001:Datei\r\n00002:Ende\r\n";
    const std::string written = WithLanguageTag(file, "de-AT");
    EXPECT_EQ(written, "Language=Deutsch\r\n/Language-Tag: de-AT\r\n00001:Datei\r\n00002:Ende\r\n");
    EXPECT_EQ(ReadLanguageTag(written), "de-AT");
    EXPECT_EQ(ReadLanguageTag("Language=Deutsch\r\n00001:Datei\r\n"), std::nullopt);
    EXPECT_EQ(WithLanguageTag(file, "not a tag"), "Language=Deutsch\r\n00001:Datei\r\n00002:Ende\r\n");
    EXPECT_EQ(PrimaryLanguageOf("de-AT"), "de");
    EXPECT_EQ(PoLanguageOf("de-AT"), "de_AT");
}

class TagMemory : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("verbaria-tags-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                   "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        Write("demo.lnd", "[LANGUAGE]\r\nProgram=Demo\r\n[ITEMS]\r\n1: MESSAGE \"Soubor\"\r\n");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Write(const std::string &name, const std::string &bytes)
    {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string Language(const std::string &name, const std::string &language, const std::string &translation)
    {
        return Write(name,
                     "Language=" + language + "\r\nDefinition=demo.lnd\r\n00001:" + translation + "\r\n");
    }

    std::filesystem::path folder_;
};

TEST_F(TagMemory, FilesMatchByTagAndARegionsLanguageFallsBackToTheLanguageMarkedSo)
{
    TranslationMemory memory;
    MemoryBuilder builder(memory, [](const std::string &) {
        return Decoder([](std::string_view bytes) { return std::string(bytes); });
    });
    // The tag a file carries, else the one its name gives (here a small table).
    const std::map<std::string, std::string> names = {{"Deutsch", "de"},
                                                      {"Deutsch (Österreich)", "de-AT"},
                                                      {"Deutsch (Schweiz)", "de-CH"},
                                                      {"Français", "fr"}};
    builder.MatchTags("de-AT", [&names](std::string_view content) {
        if (auto tag = ReadLanguageTag(content))
            return *tag;
        const auto found = names.find(LanguageHeaderValue(content, "LANGUAGE"));
        return found == names.end() ? std::string() : found->second;
    });
    using Outcome = MemoryBuilder::Outcome;
    const auto same =
        builder.Add(Language("at.lng", "Deutsch (Österreich)", "Datei"), "at.lng", "Deutsch (Österreich)");
    EXPECT_EQ(same.What, Outcome::Added);
    EXPECT_FALSE(same.Fallback);
    // Another name, the same tag.
    const auto tagged = builder.Add(
        Write("wien.lng",
              "Language=Wienerisch\r\nDefinition=demo.lnd\r\n/Language-Tag: de-AT\r\n00001:Datei\r\n"),
        "wien.lng", "Deutsch (Österreich)");
    EXPECT_EQ(tagged.What, Outcome::Added);
    const auto language =
        builder.Add(Language("de.lng", "Deutsch", "Akte"), "de.lng", "Deutsch (Österreich)");
    EXPECT_EQ(language.What, Outcome::Added);
    EXPECT_TRUE(language.Fallback);
    EXPECT_EQ(builder.Add(Language("ch.lng", "Deutsch (Schweiz)", "Dossier"), "ch.lng", "x").What,
              Outcome::OtherLanguage);
    EXPECT_EQ(builder.Add(Language("fr.lng", "Français", "Fichier"), "fr.lng", "x").What,
              Outcome::OtherLanguage);
    // A file whose tag is unknown is taken by its name, as before.
    EXPECT_EQ(
        builder.Add(Language("x.lng", "Deutsch (Österreich) alt", "Alt"), "x.lng", "Deutsch (Österreich) alt")
            .What,
        Outcome::Added);
    builder.Finish();

    const std::vector<Suggestion> exact = memory.Exact("Soubor");
    std::map<std::string, std::vector<std::string>> sources;
    for (const Suggestion &suggestion : exact) {
        for (const MemorySource &source : suggestion.Sources)
            sources[suggestion.Translation].push_back(memory.Files()[source.File]);
    }
    EXPECT_EQ(sources["Datei"], (std::vector<std::string>{"at.lng", "wien.lng"}));
    EXPECT_EQ(sources["Akte"], (std::vector<std::string>{"de.lng [de]"}));
    EXPECT_TRUE(sources["Dossier"].empty());
    EXPECT_TRUE(sources["Fichier"].empty());
}

} // namespace
