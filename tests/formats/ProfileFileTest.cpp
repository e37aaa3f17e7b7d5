#include "formats/ProfileFile.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "tests/support/FailingDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace verbaria;

namespace {

std::string Read(std::string_view bytes, std::string_view section, std::string_view key)
{
    return ProfileReadString(bytes, section, key, "<default>");
}

std::string Write(std::string_view bytes, std::string_view section, std::string_view key,
                  std::string_view value)
{
    return ProfileWriteString(bytes, section, key, value);
}

} // namespace

TEST(ProfileRead, SectionsAndKeysMatchWithoutRegardToAsciiCase)
{
    const std::string file = "[obECNE]\r\njAZYK=english.lng\r\n";
    EXPECT_EQ(Read(file, "Obecne", "Jazyk"), "english.lng");
    // Only a-z change case: an accented capital is another letter.
    EXPECT_EQ(Read("[A]\r\n\xC9=1\r\n", "A", "\xE9"), "<default>");
}

TEST(ProfileRead, BlanksAroundKeyAndValueAreNotPartOfThem)
{
    const std::string file = "  [ Obecne ]  \r\n \tJazyk pro popisy \t=  a b\t \r\n";
    EXPECT_EQ(Read(file, "Obecne", "Jazyk pro popisy"), "a b");
}

TEST(ProfileRead, MatchingEnclosingQuotesAreDropped)
{
    const std::string file = "[S]\r\n"
                             "double=\"a b\"\r\n"
                             "single='x'\r\n"
                             "mixed=\"x'\r\n"
                             "lone=\"\r\n"
                             "inner=a\"b\"\r\n"
                             "blanksOutside=  \" c \"  \r\n"
                             "empty=\"\"\r\n";
    EXPECT_EQ(Read(file, "S", "double"), "a b");
    EXPECT_EQ(Read(file, "S", "single"), "x");
    EXPECT_EQ(Read(file, "S", "mixed"), "\"x'");
    EXPECT_EQ(Read(file, "S", "lone"), "\"");
    EXPECT_EQ(Read(file, "S", "inner"), "a\"b\"");
    EXPECT_EQ(Read(file, "S", "blanksOutside"), " c ");
    EXPECT_EQ(Read(file, "S", "empty"), "");
}

TEST(ProfileRead, AtMost2047CharactersOfAValue)
{
    const std::string longValue(3000, 'x');
    EXPECT_EQ(Read("[S]\r\nk=" + longValue + "\r\n", "S", "k"), std::string(2047, 'x'));
    const std::string exact(2047, 'y');
    EXPECT_EQ(Read("[S]\r\nk=\"" + exact + "\"\r\n", "S", "k"), exact);
}

TEST(ProfileRead, MissingGivesDefaultButEmptyGivesEmpty)
{
    const std::string file = "[S]\r\nempty=\r\nblank=   \r\n";
    EXPECT_EQ(Read("", "S", "empty"), "<default>");
    EXPECT_EQ(Read(file, "Other", "empty"), "<default>");
    EXPECT_EQ(Read(file, "S", "missing"), "<default>");
    EXPECT_EQ(Read(file, "S", "empty"), "");
    EXPECT_EQ(Read(file, "S", "blank"), "");
}

TEST(ProfileRead, FirstSectionAndFirstKeyOfANameCount)
{
    const std::string file = "[S]\r\nk=first\r\nK=second\r\n[s]\r\nk=third\r\nonlyLater=1\r\n";
    EXPECT_EQ(Read(file, "S", "k"), "first");
    EXPECT_EQ(Read(file, "S", "onlyLater"), "<default>");
}

TEST(ProfileRead, LinesWithoutEqualsAndKeysBeforeAnySectionAreNoKeys)
{
    const std::string file = "k=outside\r\n[S]\r\nk\r\n; comment=x\r\n[broken\r\nk=inside\r\n";
    EXPECT_EQ(Read(file, "S", "k"), "inside");
    EXPECT_EQ(Read(file, "S", "; comment"), "x");
    // "[broken" lacks its bracket, so it is a line of section S, not a section.
    EXPECT_EQ(Read(file, "broken", "k"), "<default>");
}

TEST(ProfileRead, CrLfBareLfAndBareCrEachEndALine)
{
    const std::string file = "[S]\na=1\rb=2\r\nc=3\r\r\nd=4";
    EXPECT_EQ(Read(file, "S", "a"), "1");
    EXPECT_EQ(Read(file, "S", "b"), "2");
    EXPECT_EQ(Read(file, "S", "c"), "3");
    EXPECT_EQ(Read(file, "S", "d"), "4");
}

TEST(ProfileWrite, ChangesOnlyTheKeysLine)
{
    const std::string before = "; my notes\n"
                               "[Obecne]\r\n"
                               "  jazyk = old.lng  \n"
                               "junk line\r"
                               "Jazyk=second\r\n"
                               "\r\n"
                               "[Mine]\r\n"
                               "x=1";
    const std::string after = "; my notes\n"
                              "[Obecne]\r\n"
                              "jazyk=new.lng\r\n"
                              "junk line\r"
                              "Jazyk=second\r\n"
                              "\r\n"
                              "[Mine]\r\n"
                              "x=1";
    EXPECT_EQ(Write(before, "OBECNE", "Jazyk", "new.lng"), after);
}

TEST(ProfileWrite, WritesIntoTheFirstSectionOfAName)
{
    EXPECT_EQ(Write("[S]\r\na=1\r\n[S]\r\nb=1\r\n", "s", "b", "2"), "[S]\r\na=1\r\nb=2\r\n[S]\r\nb=1\r\n");
}

TEST(ProfileWrite, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    EXPECT_EQ(Write("[S]\r\na=1\r\n; note\r\n\r\n[T]\r\n", "S", "b", "2"),
              "[S]\r\na=1\r\nb=2\r\n; note\r\n\r\n[T]\r\n");
    EXPECT_EQ(Write("[S]\n\n[T]\n", "S", "b", "2"), "[S]\nb=2\r\n\n[T]\n");
    EXPECT_EQ(Write("[S]\r\na=1", "S", "b", "2"), "[S]\r\na=1\r\nb=2\r\n");
}

TEST(ProfileWrite, NewSectionGoesAtTheEndOfTheFile)
{
    EXPECT_EQ(Write("", "Obecne", "Jazyk", "czech.lng"), "[Obecne]\r\nJazyk=czech.lng\r\n");
    EXPECT_EQ(Write("[A]\nx=1\n", "B", "k", "v"), "[A]\nx=1\n[B]\r\nk=v\r\n");
    EXPECT_EQ(Write("[A]\rx=1\r", "B", "k", "v"), "[A]\rx=1\r[B]\r\nk=v\r\n");
    // A last line without a line end gets one first.
    EXPECT_EQ(Write("[A]\r\nx=1", "B", "k", "v"), "[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
}

TEST(ProfileWrite, ReplacedLastLineGetsALineEnd)
{
    EXPECT_EQ(Write("[A]\r\nk=old", "A", "k", ""), "[A]\r\nk=\r\n");
}

TEST(ProfileWrite, ALineBreakInAValueIsRefusedRatherThanForgingLines)
{
    EXPECT_THROW(Write("[S]\r\nk=1\r\n", "S", "k", "a\r\n[S]\r\nother=forged"), LineBreakError);
    EXPECT_THROW(Write("", "S", "k", "a\nb"), LineBreakError);
}

class ProfileFileOnDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "verbaria-profile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        path_ = folder_ + "/glotra.ini";
    }
    void TearDown() override
    {
        SetWriteFailureAfterBytesForTesting(-1);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    void Put(const std::string &bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string Get() const
    {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string folder_;
    std::string path_;
};

TEST_F(ProfileFileOnDisk, AFailedWriteStopsThereAndKeepsTheEarlierValues)
{
    Put("[User]\nmine=1\n");
    ProfileFile file(path_);
    file.WriteString("S", "a", "1");
    SetWriteFailureAfterBytesForTesting(3);
    try {
        file.WriteString("S", "b", "2");
        FAIL() << "the write should have failed";
    } catch (const InOutError &error) {
        EXPECT_STREQ(error.what(), ("Unable to write to " + path_).c_str());
    }
    EXPECT_EQ(Get(), "[User]\nmine=1\n[S]\r\na=1\r\n");
    EXPECT_EQ(file.Bytes(), Get());
    EXPECT_EQ(file.ReadString("S", "b", "none"), "none");
}

TEST_F(ProfileFileOnDisk, AFileThatCannotBeReadIsNeverWrittenOver)
{
    // A folder in the file's place cannot be read whoever runs the test.
    std::filesystem::create_directory(path_);
    ProfileFile file(path_);
    EXPECT_EQ(file.ReadString("S", "k", "dflt"), "dflt");
    EXPECT_THROW(file.WriteString("S", "k", "v"), InOutError);
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}
