#include "formats/LanguageFile.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "tests/support/FailingDevice.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace verbaria;

namespace {

struct Translated
{
    TLanguageTemplate Items;
    NumberIndex Index;
    TLanguageInfo Info;

    explicit Translated(std::string_view templateBytes)
    {
        TranslatorTemplate t;
        TemplateReader(t).ReadAll(templateBytes);
        Items = std::move(t.Items);
        Index.Build(Items);
    }
    void Read(std::string_view bytes) { ReadLanguageBytes(bytes, Items, Index, Info); }
    const std::string &Of(std::int32_t number) const
    {
        return Items[static_cast<std::size_t>(Index.IndexOf(number))].Translation;
    }
};

const char *const Template = "12: MESSAGE \"a\"\n13: COMPONENT \"F.b.Caption\"\n14: SECTION \"s\"\n";

} // namespace

TEST(LanguageLines, AllSpellingsOfAKeyReachTheSameEntry)
{
    for (const char *line : {"00012:Text", "12:Text", "12=Text", "12 :Text", "12\t=  Text"}) {
        Translated t(Template);
        t.Read(line);
        EXPECT_EQ(t.Of(12), "Text") << line;
    }
    Translated t(Template);
    t.Read(" 12:Text\n");
    EXPECT_EQ(t.Of(12), "");
}

TEST(LanguageLines, OnlyTheFirstSeparatorCountsAndTrailingBlanksStay)
{
    Translated t(Template);
    t.Read("12:a:b=c\n13=  x y  \n");
    EXPECT_EQ(t.Of(12), "a:b=c");
    EXPECT_EQ(t.Of(13), "x y  ");
}

TEST(LanguageLines, EmptyValueReplacesCommentsAndUnknownNumbersAreIgnored)
{
    Translated t(Template);
    t.Read("12:first\n");
    t.Read("12:\n/13:x\n99:nobody\n14:section lines are not in the translator's table\n");
    EXPECT_EQ(t.Of(12), "");
    EXPECT_EQ(t.Of(13), "");
}

TEST(LanguageLines, HeaderKeysNeedTheSeparatorDirectlyAfterThem)
{
    Translated t(Template);
    t.Read("Language :ignored\nlanguage:Deutsch\nAUTHOR=A|B\nDefinition=x.lnd\nVersion=\n[ITEMS]\n");
    EXPECT_EQ(t.Info.Language, "Deutsch");
    EXPECT_EQ(t.Info.Author, "A\r\nB");
    EXPECT_EQ(t.Info.Definition, "x.lnd");
    EXPECT_EQ(t.Info.Version, "");
}

TEST(LanguageLines, SecondFileKeepsWhatOnlyTheFirstNamed)
{
    Translated t(Template);
    t.Read("12:one\n13:two\n");
    t.Read("13:zwei\n");
    EXPECT_EQ(t.Of(12), "one");
    EXPECT_EQ(t.Of(13), "zwei");
}

TEST(LanguageLines, BadItemKeyStopsWithTheKeyUpperCased)
{
    Translated t(Template);
    try {
        t.Read("12:kept\n13a:x\n13:not reached\n");
        FAIL();
    } catch (const ConversionError &e) {
        EXPECT_STREQ(e.what(), "'13A' is not a valid integer value");
    }
    EXPECT_EQ(t.Of(12), "kept");
    EXPECT_EQ(t.Of(13), "");
    EXPECT_THROW(t.Read("000-1:x\n"), ConversionError);
    EXPECT_THROW(t.Read("4294967296:x\n"), ConversionError);
}

TEST(NumberIndexTest, FirstEntryWinsForDenseAndSparseNumbers)
{
    struct Item
    {
        std::int32_t Number;
    };
    std::vector<Item> dense{{5}, {6}, {5}, {7}};
    NumberIndex index;
    index.Build(dense);
    EXPECT_EQ(index.IndexOf(5), 0);
    EXPECT_EQ(index.IndexOf(7), 3);
    EXPECT_EQ(index.IndexOf(8), -1);
    EXPECT_EQ(index.IndexOf(-2147483647 - 1), -1);

    std::vector<Item> sparse{{2000000000}, {-2000000000}, {2000000000}, {0}};
    index.Build(sparse);
    EXPECT_EQ(index.IndexOf(2000000000), 0);
    EXPECT_EQ(index.IndexOf(-2000000000), 1);
    EXPECT_EQ(index.IndexOf(1), -1);

    index.Build(std::vector<Item>{});
    EXPECT_EQ(index.IndexOf(0), -1);
}

TEST(LanguageWriter, WritesHeaderThenTranslatedComponentsAndMessages)
{
    std::vector<TEditorItem> items(6);
    items[0] = {ikSection, 1, "s", 0, 0};
    items[1] = {ikComponent, 7, "c", 0, 0};
    items[2] = {ikMessage, 123456, "m", 0, 0};
    items[3] = {ikComment, 4, "k", 0, 0};
    items[4] = {ikMessage, 8, "empty", 0, 0};
    items[5] = {ikMessage, -1, "no number", 0, 0};
    std::vector<std::string> cells{"section text", " seven ", "six digits", "comment", "", "lost"};
    LanguageHeader header{"Deutsch", "", "Hans\r\nGrete", "x.lnd", "", "", ""};
    EXPECT_EQ(FormatLanguageFile(header, items, cells), "Language=Deutsch\r\nAuthor=Hans|Grete\r\nDefinition="
                                                        "x.lnd\r\n00007: seven \r\n123456:six digits\r\n");
    EXPECT_EQ(FormatLanguageFile({}, items, std::vector<std::string>(6)), "");
}

TEST(LanguageWriter, RoundTripThroughTheTranslatorReader)
{
    std::vector<TEditorItem> items{{ikComponent, 7, "a", 0, 0}, {ikMessage, 123456, "b", 0, 0}};
    std::vector<std::string> cells{"x:=y", "trailing  "};
    const std::string bytes = FormatLanguageFile({"L", "V", "One\r\nTwo", "d.lnd", "", "", ""}, items, cells);
    Translated t("7: COMPONENT \"a\"\n123456: MESSAGE \"b\"\n");
    t.Read(bytes);
    EXPECT_EQ(t.Of(7), "x:=y");
    EXPECT_EQ(t.Of(123456), "trailing  ");
    EXPECT_EQ(t.Info.Author, "One\r\nTwo");
    EXPECT_EQ(LineBreaksToPipe(t.Info.Author), "One|Two");
}

TEST(FileWriting, AFailedWriteLeavesTheOldFileIntact)
{
    // A folder of this run's own: another run at the same time must not see its files.
    std::string pattern = (std::filesystem::temp_directory_path() / "verbaria-filewrite-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern;
    const std::string path = (folder / "a.lng").string();
    WriteFileAtomically(path, "old contents\r\n");
    SetWriteFailureAfterBytesForTesting(3);
    try {
        WriteFileAtomically(path, "new contents that do not fit\r\n");
        FAIL();
    } catch (const InOutError &e) {
        EXPECT_STREQ(e.what(), "Disk full");
    }
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "old contents\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1); // no temporary left
    EXPECT_THROW(WriteFileAtomically((folder / "missing" / "a.lng").string(), "x"), InOutError);
    std::filesystem::remove_all(folder);
}
