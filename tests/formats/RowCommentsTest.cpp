#include "formats/RowNotes.h"

#include <gtest/gtest.h>

using namespace verbaria;

// A comment may hold anything a translator types; the note line holds it in ASCII on one line.
TEST(RowComments, AnyTextSurvivesTheNoteLineOnOneLineOfAscii)
{
    for (const std::string &text :
         {std::string("plain"), std::string(" blanks at both ends "),
          std::string("back\\slash \\n not a break"), std::string("two\nlines\r\nand\ta tab"),
          std::string("\xC5\x99\xC3\xA1"
                      "dek \xF0\x9F\x98\x80 \xE6\x97\xA5"),
          std::string("comment= review acknowledged=x for=1")}) {
        SCOPED_TRACE(text);
        RowNote note;
        note.Review = true;
        note.Comment = text;
        const std::string line = RowNoteLine(7, note);
        for (const char c : line)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
        const RowNotes read = ReadRowNotes("00006:x\r\n" + line + "\r\n00007:y\r\n");
        ASSERT_EQ(read.count(7), 1u);
        EXPECT_EQ(read.at(7), note);
    }
    // Escapes nobody wrote stay as they stand.
    EXPECT_EQ(UnescapedComment("C:\\dir \\q \\u12 \\uD800 end\\"), "C:\\dir \\q \\u12 \\uD800 end\\");
}

TEST(RowComments, AFileWithoutCommentsKeepsItsBytesAndACommentOfAnUntranslatedRowGoesToTheEnd)
{
    const std::string plain = "Language=Deutsch\r\n00002:Datei\r\n00004:Ende";
    EXPECT_EQ(WithRowNotes(plain, {}), plain);
    RowNotes notes;
    notes[3].Comment = "Zeptat se";
    notes[3].Review = true; // nothing to review without a translation
    notes[4].Comment = "Kr\xC3\xA1tce";
    const std::string written = WithRowNotes(plain, notes);
    EXPECT_EQ(written,
              "Language=Deutsch\r\n00002:Datei\r\n/Notes 00004: comment=Kr\\u00e1tce\r\n00004:Ende\r\n"
              "/Notes 00003: comment=Zeptat se\r\n");
    RowNotes expected = notes;
    expected[3].Review = false;
    EXPECT_EQ(ReadRowNotes(written), expected);
    EXPECT_EQ(WithRowNotes(written, expected), written);
}
