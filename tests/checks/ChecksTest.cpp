#include "checks/DocumentChecks.h"
#include "checks/EntryChecks.h"
#include "checks/Placeholders.h"

#include <gtest/gtest.h>

using namespace verbaria;
using namespace verbaria::checks;

namespace {

std::vector<std::string> Names(const std::vector<Finding> &findings)
{
    std::vector<std::string> names;
    for (const Finding &f : findings)
        names.emplace_back(CheckName(f.Check));
    return names;
}

std::vector<std::string> Check(std::string original, std::string translation, TItemKind kind = ikMessage,
                               std::uint8_t valueType = 0)
{
    CheckedEntry entry{kind, 1, valueType, "Form.label.Caption", std::move(original), std::move(translation)};
    return Names(CheckEntry(entry, {}));
}

using List = std::vector<std::string>;

TEST(Placeholders, PrintfAndQtAreToldApart)
{
    const Placeholders p = FindPlaceholders("%5.2f of %s: 100%% done, %1 and %L2, 50 % off, %ld %i");
    ASSERT_EQ(p.Printf.size(), 4u);
    EXPECT_EQ(p.Printf[0].Conversion, "f");
    EXPECT_EQ(p.Printf[0].Spelling, "%5.2f");
    EXPECT_EQ(p.Printf[1].Conversion, "s");
    EXPECT_EQ(p.Printf[2].Conversion, "ld");
    EXPECT_EQ(p.Printf[3].Conversion, "d");
    EXPECT_EQ(p.Qt, (std::vector<int>{1, 2}));
}

TEST(Placeholders, OrderMattersForPlainPrintfButNotForNumberedOrQt)
{
    EXPECT_FALSE(SamePrintfArguments(FindPlaceholders("%s %d"), FindPlaceholders("%d %s")));
    EXPECT_TRUE(SamePrintfArguments(FindPlaceholders("%1$s %2$d"), FindPlaceholders("%2$d %1$s")));
    EXPECT_TRUE(SameQtArguments(FindPlaceholders("%1 of %2"), FindPlaceholders("%2: %1")));
    EXPECT_FALSE(SameQtArguments(FindPlaceholders("%1 of %2"), FindPlaceholders("%1")));
    EXPECT_TRUE(SamePrintfArguments(FindPlaceholders("%d files"), FindPlaceholders("%i souborů")));
}

TEST(EntryChecks, EachFaultIsFoundAndACleanTranslationPasses)
{
    EXPECT_EQ(Check("Delete %s?", "Smazat %s?"), List{});
    EXPECT_EQ(Check("Delete %s?", "Smazat %d?"), List{"printf-placeholders"});
    EXPECT_EQ(Check("%1 of %2", "%1 z"), List{"qt-placeholders"});
    EXPECT_EQ(Check("", "Něco"), List{"empty-original"});
    EXPECT_EQ(Check("&File", "Soubor"), List{"accelerator"});
    EXPECT_EQ(Check("Tom && Jerry", "Tom a Jerry"), List{});
    EXPECT_EQ(Check("Name: ", "Jméno:"), List{"blanks"});
    EXPECT_EQ(Check("Name:", "Jméno"), List{"end-punctuation"});
    EXPECT_EQ(Check("Wait...", "Počkejte\u2026"), List{});
    EXPECT_EQ(Check("Continue?", "Συνέχεια;"), List{});
    EXPECT_EQ(Check("Done.", "完了。"), List{});
    EXPECT_EQ(Check("Open", "Open"), List{"same-as-original"});
    EXPECT_EQ(Check("42", "42"), List{});
    EXPECT_EQ(Check("12", "dvanáct", ikComponent, 1), List{"value-type"});
    EXPECT_EQ(Check("1.5", "1,5", ikComponent, 2), List{});
    EXPECT_EQ(Check("1.5", "1,5x", ikComponent, 2), List{"value-type"});
}

TEST(EntryChecks, WithoutAnOriginalOnlyTheChecksOfTheTranslationRun)
{
    CheckedEntry entry{ikComponent, 3, 1, "Form.edit.Tag", std::nullopt, "%s x"};
    EXPECT_EQ(Names(CheckEntry(entry, {})), List{"value-type"});
    entry.Translation.clear();
    EXPECT_TRUE(CheckEntry(entry, {}).empty());
}

TEST(EntryChecks, ACharacterTheCodePageLacksIsAnError)
{
    // 0x98 is not defined in windows-1250; the decoder says so with U+FFFD.
    const Decoder decoder = [](std::string_view bytes) {
        std::string out;
        for (char c : bytes)
            out += c == '\x98' ? std::string("\xEF\xBF\xBD") : std::string(1, c);
        return out;
    };
    CheckedEntry entry{ikMessage, 1, 0, "x", "Text", "Te\x98xt"};
    const auto findings = CheckEntry(entry, decoder, "windows-1250");
    ASSERT_EQ(Names(findings), List{"code-page"});
    EXPECT_EQ(EnglishMessage(findings[0]),
              "the code page windows-1250 cannot hold a character of the translation");
    // Qt's converters hand the undefined byte through as the C1 control U+0098.
    const Decoder handThrough = [](std::string_view bytes) {
        std::string out;
        for (char c : bytes)
            out += c == '\x98' ? std::string("\xC2\x98") : std::string(1, c);
        return out;
    };
    EXPECT_EQ(Names(CheckEntry(entry, handThrough)), List{"code-page"});
    // A UTF-8 file that spells U+FFFD itself holds it.
    entry.Translation = "Te\xEF\xBF\xBDxt";
    EXPECT_TRUE(CheckEntry(entry, {}).empty());
}

TEST(DocumentChecks, AcceleratorsClashWithinAFormOnly)
{
    DocumentChecks checks;
    checks.Reset({
        {ikComponent, 1, 0, "MainForm.menuSoubor.Caption", "&File", "&Soubor"},
        {ikComponent, 2, 0, "MainForm.menuUpravy.Caption", "&Edit", "Úpravy"},
        {ikComponent, 3, 0, "Dialog.buttonSmazat.Caption", "&Delete", "&Smazat"},
    });
    EXPECT_EQ(Names(checks.FindingsFor(1)), List{"accelerator"});
    EXPECT_TRUE(checks.FindingsFor(2).empty());

    // The edit creates a clash; both rows may change, the later one carries it.
    const auto affected = checks.SetTranslation(1, "Úpravy &s");
    EXPECT_EQ(affected, (std::vector<std::size_t>{0, 1}));
    const auto findings = checks.FindingsFor(1);
    ASSERT_EQ(Names(findings), List{"accelerator-clash"});
    EXPECT_EQ(EnglishMessage(findings[0]),
              "the accelerator 's' is also used by entry 1 of the form MainForm");
    EXPECT_TRUE(checks.FindingsFor(0).empty());

    EXPECT_EQ(checks.SetTranslation(1, "Ú&pravy"), (std::vector<std::size_t>{0, 1}));
    EXPECT_TRUE(checks.FindingsFor(1).empty());
}

TEST(DocumentChecks, AClashTheOriginalsAlreadyHaveIsNotTheTranslationsFault)
{
    DocumentChecks checks;
    checks.Reset({
        {ikComponent, 1, 0, "Form.a.Caption", "&Open", "&Otevřít"},
        {ikComponent, 2, 0, "Form.b.Caption", "&Options", "&Obecné"},
    });
    EXPECT_TRUE(checks.FindingsFor(1).empty());
}

TEST(Findings, NamesAreStableAndEveryCheckHasItsTexts)
{
    for (int i = 0; i < CheckCount; ++i) {
        const auto check = static_cast<CheckId>(i);
        EXPECT_EQ(CheckNamed(CheckName(check)), check);
        EXPECT_STRNE(CzechMessage(check), "");
    }
    EXPECT_EQ(FillArguments("%2 a %1", {"x", "y"}), "y a x");
}

} // namespace
