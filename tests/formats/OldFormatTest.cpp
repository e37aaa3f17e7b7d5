#include "formats/OldFormat.h"
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

// The worked example: "Uložit změny ?" in code page 1250.
const std::string SaveQuestion = "Ulo\x9Eit zm\xECny ?";

const std::string ExampleOldFile = "[LANGUAGE]\r\n"
                                   "Language Name = English\r\n"
                                   "Author = Jan Nov\xE1k\r\n"
                                   "Program Version = 1.1\r\n"
                                   "\r\n"
                                   "[TRANSLATIONS]\r\n"
                                   "MainForm.menuSoubor.Caption = File\r\n"
                                   "[MESSAGES]\r\n" +
                                   SaveQuestion + " = Save changes?\r\n";

const std::string ExampleLanguage = "Language=English\r\n"
                                    "Version=1.0\r\n"
                                    "Author=Jan Nov\xE1k\r\n"
                                    "Definition=new.lnd\r\n"
                                    "\r\n"
                                    "0:File\r\n"
                                    "1:Save changes?\r\n"
                                    "\r\n";

const std::string ExampleTemplate = "[LANGUAGE]\r\n"
                                    "Program=Nezn\xE1m\xFD\r\n"
                                    "Version=1.1\r\n"
                                    "Author=Jan Nov\xE1k\r\n"
                                    "\r\n"
                                    "[ITEMS]\r\n"
                                    "0:component \"MainForm.menuSoubor.Caption\"\r\n"
                                    "1:message \"" +
                                    SaveQuestion + "\"\r\n\r\n";

std::string TemplateItems(const std::string &bytes)
{
    return bytes.substr(bytes.find("[ITEMS]\r\n") + 9);
}

std::string LanguageItems(const std::string &bytes)
{
    return bytes.substr(bytes.find("\r\n\r\n") + 4);
}

class OldFormatFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "verbaria-oldformat-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override
    {
        SetWriteFailureAfterBytesForTesting(-1);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string File(const std::string &name) const { return folder_ + "/" + name; }
    void Put(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    std::string Get(const std::string &name) const
    {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string folder_;
};

} // namespace

TEST(OldFormat, WorkedExampleByteForByte)
{
    const OldFormatFile file = ParseOldFormat(ExampleOldFile);
    EXPECT_EQ(FormatConvertedLanguage(file, "C:\\old\\english.txt", "C:\\new\\new.lnd"), ExampleLanguage);
    EXPECT_EQ(FormatConvertedTemplate(file), ExampleTemplate);
}

TEST(OldFormat, WithoutSectionsEveryEntryIsAComponent)
{
    const OldFormatFile file = ParseOldFormat("Form1.Caption=Okno\nForm1.Hint = Tip\n");
    EXPECT_EQ(
        FormatConvertedLanguage(file, "/data/old/Deutsch.old", "/out/x.lnd"),
        "Language=Deutsch.old\r\nVersion=1.0\r\nAuthor=\r\nDefinition=x.lnd\r\n\r\n0:Okno\r\n1:Tip\r\n\r\n");
    EXPECT_EQ(FormatConvertedTemplate(file),
              "[LANGUAGE]\r\nProgram=Nezn\xE1m\xFD\r\nVersion=\r\nAuthor=\r\n\r\n"
              "[ITEMS]\r\n0:component \"Form1.Caption\"\r\n"
              "1:component \"Form1.Hint\"\r\n\r\n");
}

TEST(OldFormat, OneCounterAcrossInterleavedBlocks)
{
    const OldFormatFile file = ParseOldFormat("[MESSAGES]\r\nm0=a\r\n[TRANSLATIONS]\r\nc1=b\r\nc2=c\r\n"
                                              "[LANGUAGE]\r\nAuthor=X\r\n[MESSAGES]\r\nm3=d\r\n"
                                              "[TRANSLATIONS]\r\nc4=e\r\n");
    EXPECT_EQ(TemplateItems(FormatConvertedTemplate(file)),
              "0:message \"m0\"\r\n1:component \"c1\"\r\n2:component \"c2\"\r\n3:message \"m3\"\r\n"
              "4:component \"c4\"\r\n\r\n");
    EXPECT_EQ(LanguageItems(FormatConvertedLanguage(file, "o", "t")),
              "0:a\r\n1:b\r\n2:c\r\n3:d\r\n4:e\r\n\r\n");
}

TEST(OldFormat, SectionHeadersMustStandAloneButIgnoreCase)
{
    const OldFormatFile file = ParseOldFormat(" \t[messages]\t\r\n"
                                              "a=1\r\n"
                                              "[TRANSLATIONS] more words\r\n"
                                              "b=2\r\n"
                                              "[Other]=3\r\n");
    ASSERT_EQ(file.Entries.size(), 3u);
    EXPECT_EQ(file.Entries[1].Kind, OldEntryKind::Message);
    EXPECT_EQ(file.Entries[2].Kind, OldEntryKind::Message);
    EXPECT_EQ(file.Entries[2].Key, "[Other]");
}

TEST(OldFormat, CommentsEqualsSignsAndTrimming)
{
    const OldFormatFile file = ParseOldFormat("  // Form1.Caption=not an entry\r\n"
                                              "Form1.Caption // x = a // b\r\n"
                                              "no equals sign here\r\n"
                                              "=empty key\r\n"
                                              "k = v = w \r\n"
                                              "e=\r\n"
                                              "  \t  \r\n");
    ASSERT_EQ(file.Entries.size(), 4u);
    EXPECT_EQ(file.Entries[0].Key, "Form1.Caption // x");
    EXPECT_EQ(file.Entries[0].Value, "a // b");
    EXPECT_EQ(file.Entries[1].Key, "");
    EXPECT_EQ(file.Entries[1].Value, "empty key");
    EXPECT_EQ(file.Entries[2].Key, "k");
    EXPECT_EQ(file.Entries[2].Value, "v = w");
    EXPECT_EQ(file.Entries[3].Value, "");
    EXPECT_TRUE(TemplateItems(FormatConvertedTemplate(file))
                    .starts_with("0:component \"Form1.Caption // x\"\r\n1:component \"\"\r\n"));
}

TEST(OldFormat, HeaderKeysMatchWholeAndTheLastOneCounts)
{
    const OldFormatFile file = ParseOldFormat("[Language]\r\n"
                                              "language name=First\r\n"
                                              "LANGUAGE  NAME=TwoSpaces\r\n"
                                              "LANGUAGENAME=NoSpace\r\n"
                                              "Author=A|B\r\n"
                                              "program version=2.0\r\n"
                                              "Program Version=2.1\r\n"
                                              "Whatever=ignored\r\n");
    EXPECT_EQ(file.LanguageName, "First");
    EXPECT_EQ(file.Author, "A|B");
    EXPECT_EQ(file.ProgramVersion, "2.1");
    EXPECT_TRUE(file.Entries.empty());

    // An empty name given later replaces the earlier one, so the old file's name is used.
    const OldFormatFile emptied = ParseOldFormat("[LANGUAGE]\nLanguage Name=English\nLanguage Name=\n");
    EXPECT_EQ(FormatConvertedLanguage(emptied, "dir/eng.old", "t.lnd").substr(0, 19),
              "Language=eng.old\r\nV");
}

TEST(OldFormat, FileWithoutEntriesGivesFilesWithoutItemLines)
{
    const OldFormatFile file = ParseOldFormat("");
    EXPECT_EQ(FormatConvertedLanguage(file, "x.old", "x.lnd"),
              "Language=x.old\r\nVersion=1.0\r\nAuthor=\r\nDefinition=x.lnd\r\n\r\n\r\n");
    EXPECT_EQ(FormatConvertedTemplate(file),
              "[LANGUAGE]\r\nProgram=Nezn\xE1m\xFD\r\nVersion=\r\nAuthor=\r\n\r\n"
              "[ITEMS]\r\n\r\n");
}

TEST_F(OldFormatFiles, ConvertsFilesByteForByte)
{
    Put("english.old", ExampleOldFile);
    ConvertOldFormatFile(File("english.old"), File("new.lng"), File("new.lnd"));
    EXPECT_EQ(Get("new.lng"), ExampleLanguage);
    EXPECT_EQ(Get("new.lnd"), ExampleTemplate);
}

TEST_F(OldFormatFiles, OldFileChosenAsLanguageOutputIsReadFirst)
{
    Put("english.old", ExampleOldFile);
    ConvertOldFormatFile(File("english.old"), File("english.old"), File("new.lnd"));
    EXPECT_EQ(Get("english.old"), ExampleLanguage);
    EXPECT_EQ(Get("new.lnd"), ExampleTemplate);
}

TEST_F(OldFormatFiles, SameNameTwiceLeavesTheTemplate)
{
    Put("english.old", ExampleOldFile);
    ConvertOldFormatFile(File("english.old"), File("same.lnd"), File("same.lnd"));
    EXPECT_EQ(Get("same.lnd"), ExampleTemplate);
}

TEST_F(OldFormatFiles, MissingOldFileWritesNothing)
{
    try {
        ConvertOldFormatFile(File("none.old"), File("new.lng"), File("new.lnd"));
        FAIL() << "a missing old file must fail";
    } catch (const InOutError &error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_FALSE(std::filesystem::exists(File("new.lng")));
    EXPECT_FALSE(std::filesystem::exists(File("new.lnd")));
}

TEST_F(OldFormatFiles, FailedTemplateKeepsTheLanguageFileAndTheOldTemplate)
{
    Put("english.old", ExampleOldFile);
    Put("new.lnd", "previous template");
    SetWriteFailureAfterBytesForTesting(10, 1);
    EXPECT_THROW(ConvertOldFormatFile(File("english.old"), File("new.lng"), File("new.lnd")), InOutError);
    EXPECT_EQ(Get("new.lng"), ExampleLanguage);
    EXPECT_EQ(Get("new.lnd"), "previous template");
}
