#include "formats/TextRules.h"
#include "formats/Errors.h"

#include <gtest/gtest.h>

#include <vector>

using namespace verbaria;

TEST(TextRules, UpperCasingTouchesOnlyAsciiLetters)
{
    EXPECT_EQ(UpperAscii("abc\xE8\x9A"
                         "z{"),
              "ABC\xE8\x9A"
              "Z{");
}

TEST(TextRules, LinesEndWithCrLfOrBareLfButNotBareCr)
{
    std::vector<std::string> lines;
    ForEachLine(std::string_view("a\r\nb\nc\rd\n\ne"), [&](std::string_view l) { lines.emplace_back(l); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c\rd", "", "e"}));
}

TEST(TextRules, NulBytesAreOrdinaryCharacters)
{
    std::vector<std::string> lines;
    ForEachLine(std::string_view("a\0b\nc", 5), [&](std::string_view l) { lines.emplace_back(l); });
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string("a\0b", 3));
}

TEST(TextRules, OneLineFormOfMultiLineValues)
{
    EXPECT_EQ(PipeToLineBreaks("Jan|Petr"), "Jan\r\nPetr");
    EXPECT_EQ(LineBreaksToPipe("Jan\r\nPetr"), "Jan|Petr");
    EXPECT_EQ(LineBreaksToPipe("a\rb\nc"), "a|bc");
    EXPECT_EQ(LineBreaksToPipe(PipeToLineBreaks("x|y|")), "x|y|");
}

TEST(TextRules, PadNumberKeepsLongFormsWhole)
{
    EXPECT_EQ(PadNumber(7, 5), "00007");
    EXPECT_EQ(PadNumber(123456, 5), "123456");
    EXPECT_EQ(PadNumber(-1, 5), "000-1");
    EXPECT_EQ(PadNumber(0, 5), "00000");
}

TEST(TextRules, WholeNumbersAreSigned32Bit)
{
    EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseWholeNumber("+12"), 12);
    EXPECT_FALSE(ParseWholeNumber("2147483648"));
    EXPECT_FALSE(ParseWholeNumber("99999999999999999999999"));
    EXPECT_FALSE(ParseWholeNumber("12 "));
    EXPECT_FALSE(ParseWholeNumber(""));
    EXPECT_FALSE(ParseWholeNumber("-"));
    EXPECT_FALSE(ParseWholeNumber("000-1"));
}

TEST(TextRules, ConversionErrorQuotesTheText)
{
    try {
        StrToInt("12A");
        FAIL();
    } catch (const ConversionError &e) {
        EXPECT_STREQ(e.what(), "'12A' is not a valid integer value");
    }
}

TEST(TextRules, TrimmingRules)
{
    EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(TrimBlanks("\ra\r"), "\ra\r");
    EXPECT_EQ(TrimControl("\r\n a \x01"), "a");
}
