#include "checks/TranslationMemory.h"
#include "checks/EditDistance.h"
#include "checks/MemoryInput.h"
#include "checks/Utf8.h"

#include <gtest/gtest.h>

using namespace verbaria::checks;

namespace {

std::vector<std::pair<std::string, int>> TranslationsAndScores(const std::vector<Suggestion> &suggestions)
{
    std::vector<std::pair<std::string, int>> result;
    for (const Suggestion &s : suggestions)
        result.emplace_back(s.Translation, s.Score);
    return result;
}

class Memory : public ::testing::Test
{
protected:
    Memory()
    {
        const auto a = memory.AddFile("a.lng");
        const auto b = memory.AddFile("b.lng");
        const auto c = memory.AddFile("c.lng");
        memory.Add(a, 1, "Uložit změny ?", "Save changes?");
        memory.Add(b, 7, "Uložit změny ?", "Save the changes?");
        memory.Add(c, 3, "Uložit změny ?", "Save changes?");
        memory.Add(a, 2, "Uložit změny do souboru ?", "Save changes to the file?");
        memory.Add(a, 4, "Uložit zmeny ?", "Save changes ?");
        memory.Add(b, 5, "Otevřít", "Open");
        memory.Add(b, 6, "Otevřít", "");
        memory.Add(c, 8, "Zavřít", "Close");
        memory.Build();
    }
    TranslationMemory memory;
};

TEST_F(Memory, ExactMatchesAreGroupedByTranslationTheMostUsedFirst)
{
    const auto exact = memory.Exact("Uložit změny ?");
    ASSERT_EQ(exact.size(), 2u);
    EXPECT_EQ(exact[0].Translation, "Save changes?");
    EXPECT_EQ(exact[0].Score, 100);
    ASSERT_EQ(exact[0].Sources.size(), 2u);
    EXPECT_EQ(memory.Files()[exact[0].Sources[1].File], "c.lng");
    EXPECT_EQ(exact[0].Sources[1].Number, 3);
    EXPECT_EQ(exact[1].Translation, "Save the changes?");
    EXPECT_TRUE(memory.Exact("uložit změny ?").empty()); // exact means exact
    EXPECT_EQ(memory.Exact("Otevřít").size(), 1u);       // the empty translation is no translation
}

TEST_F(Memory, SimilarOriginalsComeBestFirstWithTheirScores)
{
    // One changed letter of 14 is 92 %, two edits of 25 too; "Zavřít" against "Otevřít" is 3 of 7.
    EXPECT_EQ(TranslationsAndScores(memory.Similar("Uložit změny ?")),
              (std::vector<std::pair<std::string, int>>{{"Save changes ?", 92}}));
    EXPECT_EQ(TranslationsAndScores(memory.Similar("Uložit změny v souboru ?")),
              (std::vector<std::pair<std::string, int>>{{"Save changes to the file?", 92}}));
    EXPECT_TRUE(memory.Similar("Otevřít").empty());
    EXPECT_EQ(memory.Similar("Otevřít", 50).size(), 1u);
    // A text the memory does not hold itself still finds its neighbours.
    const auto near = memory.Similar("Uložit změny ?!");
    ASSERT_EQ(near.size(), 3u);
    EXPECT_EQ(near[0].Original, "Uložit změny ?");
    EXPECT_EQ(near[0].Translation, "Save changes?");
    EXPECT_EQ(near[0].Score, 93);
    EXPECT_EQ(near[2].Original, "Uložit zmeny ?");
    EXPECT_EQ(memory.Similar("Uložit změny ?!", 75, 1).size(), 1u);
}

TEST_F(Memory, TheSameOriginalTranslatedDifferentlyIsReported)
{
    const auto report = memory.Inconsistencies();
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].Original, "Uložit změny ?");
    ASSERT_EQ(report[0].Translations.size(), 2u);
    EXPECT_EQ(report[0].Translations[1].Translation, "Save the changes?");
}

TEST_F(Memory, FilesAddedAfterABuildCountOnceBuiltAgain)
{
    const auto d = memory.AddFile("d.lng");
    memory.Add(d, 1, "Zavřít okno", "Close the window");
    memory.Add(d, 2, "Otevřít", "Open");
    EXPECT_TRUE(memory.Exact("Zavřít okno").empty());
    memory.Build();
    ASSERT_EQ(memory.Exact("Zavřít okno").size(), 1u);
    ASSERT_EQ(memory.Exact("Otevřít").size(), 1u);
    EXPECT_EQ(memory.Exact("Otevřít")[0].Sources.size(), 2u);
    EXPECT_EQ(memory.Exact("Uložit změny ?").size(), 2u);
    EXPECT_EQ(memory.Similar("Zavřít okna").at(0).Translation, "Close the window");
}

TEST_F(Memory, PreTranslationFillsOnlyRowsWithAnExactMatchWithTheMostUsedTranslation)
{
    const auto filled =
        memory.PreTranslate({std::string("Uložit změny ?"), std::nullopt, std::string("Uložit změny"),
                             std::string("Zavřít"), std::string()});
    ASSERT_EQ(filled.size(), 2u);
    EXPECT_EQ(filled[0].Row, 0u);
    EXPECT_EQ(filled[0].Translation, "Save changes?");
    EXPECT_EQ(filled[1].Row, 3u);
    EXPECT_EQ(filled[1].Translation, "Close");
}

TEST(MemoryInput, MessagesByTheirTextAndComponentsByTheScannedText)
{
    TranslationMemory memory;
    const std::string templateBytes =
        "1:section \"F\"\r\n/Text=&Soubor\r\n2:component \"F.menuSoubor.Caption\"\r\n"
        "3:component \"F.menuBez.Caption\"\r\n4:message \"Hotovo\"\r\n";
    AddLanguageFile(memory, memory.AddFile("x.lng"), templateBytes,
                    "Language=X\r\n2:&File\r\n3:Without\r\n4:Done\r\n4:Finished\r\n9:Nothing\r\n", {}, {});
    memory.Build();
    EXPECT_EQ(memory.size(), 2u);
    ASSERT_EQ(memory.Exact("&Soubor").size(), 1u);
    EXPECT_EQ(memory.Exact("&Soubor")[0].Translation, "&File");
    ASSERT_EQ(memory.Exact("Hotovo").size(), 1u);
    EXPECT_EQ(memory.Exact("Hotovo")[0].Translation, "Finished"); // the later line wins
}

} // namespace

namespace {

TEST(EditDistance, TheBitParallelDistanceAgreesWithTheTable)
{
    std::uint64_t state = 12345;
    const auto next = [&] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::size_t>(state >> 33);
    };
    const std::u32string alphabet = U"abcčd ";
    for (int round = 0; round < 2000; ++round) {
        std::u32string a, b;
        const std::size_t la = next() % 70, lb = next() % 70;
        for (std::size_t i = 0; i < la; ++i)
            a += alphabet[next() % alphabet.size()];
        for (std::size_t i = 0; i < lb; ++i)
            b += alphabet[next() % alphabet.size()];
        const std::size_t limit = next() % 80;
        const std::size_t expected = EditDistanceByRows(a, b, 1000);
        const EditDistance from(a);
        const std::size_t got = from.To(b, limit);
        const std::size_t gotFromUtf8 = from.ToUtf8(EncodeUtf8(b), b.size(), limit);
        if (expected <= limit) {
            ASSERT_EQ(got, expected) << round;
            ASSERT_EQ(gotFromUtf8, expected) << round;
        } else {
            ASSERT_GT(got, limit) << round;
            ASSERT_GT(gotFromUtf8, limit) << round;
        }
    }
}

} // namespace
