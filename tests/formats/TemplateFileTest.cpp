#include "formats/TemplateFile.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace verbaria;

namespace {

EditorTemplate ReadEditor(std::string_view bytes)
{
    EditorTemplate t;
    TemplateReader(t).ReadAll(bytes);
    return t;
}

TranslatorTemplate ReadTranslator(std::string_view bytes)
{
    TranslatorTemplate t;
    TemplateReader(t).ReadAll(bytes);
    return t;
}

} // namespace

TEST(TemplateSyntax, HeaderOnlyFileGivesHeaderAndNoEntries)
{
    const auto t = ReadEditor("[LANGUAGE]\r\nProgram=Glotra\r\nVersion: 1.1\r\nAuthor=Jan|Petr\r\n");
    EXPECT_TRUE(t.Items.empty());
    EXPECT_EQ(t.Info.Program, "Glotra");
    EXPECT_EQ(t.Info.Version, " 1.1"); // the value is not trimmed
    EXPECT_EQ(t.Info.Author, "Jan|Petr");
    EXPECT_EQ(ReadTranslator("[LANGUAGE]\nAuthor=Jan|Petr\n").Info.Author, "Jan\r\nPetr");
}

TEST(TemplateSyntax, HeaderKeyWithBlankBeforeSeparatorIsIgnored)
{
    const auto t = ReadEditor("[language]\nProgram =X\nprogram:Y\n");
    EXPECT_EQ(t.Info.Program, "Y");
}

TEST(TemplateSyntax, DefinitionLinesBeforeAnySectionAreRead)
{
    const auto t = ReadEditor("1: COMPONENT \"A.B\"\n[LANGUAGE]\nProgram=P\n[iTeMs]\n2: MESSAGE \"M\"\n");
    ASSERT_EQ(t.Items.size(), 2u);
    EXPECT_EQ(t.Items[0].Number, 1);
    EXPECT_EQ(t.Items[1].Number, 2);
}

TEST(TemplateSyntax, SectionNameWithBlanksChangesNothing)
{
    const auto t = ReadEditor("[LANGUAGE]\n[ ITEMS ]\n1: MESSAGE \"x\"\n[ITEMS] \n2: MESSAGE \"y\"\n");
    EXPECT_TRUE(t.Items.empty()); // still in header mode: both definition lines are header lines
}

TEST(TemplateSyntax, CommentsAndBlankLinesAreIgnoredEverywhere)
{
    const auto t = ReadEditor(" \t \n// c\n  / also\n\t1: MESSAGE \"m\"\n[LANGUAGE]\n/Program=x\n");
    ASSERT_EQ(t.Items.size(), 1u);
    EXPECT_TRUE(t.Info.Program.empty());
}

TEST(TemplateDefinitions, KindsNumbersParamsAndTexts)
{
    const auto t = ReadEditor("7:\n"
                              "MESSAGE \"Konverze dokon\xE8"
                              "ena\"\n"
                              "12: COMPONENT 40 \"MainForm.toolNovy.Hint\"\n"
                              "3: message \" Ulo\x9Eit zm\xECny ? \"\n"
                              "12:\"MainForm.Caption\" COMPONENT\n"
                              "5: COMMENT \"Koment\xE1\xF8\"\n"
                              "6: COMPONENT INTEGER \"a\" REAL\n");
    ASSERT_EQ(t.Items.size(), 7u);
    EXPECT_EQ(t.Items[0].Kind, ikSection);
    EXPECT_EQ(t.Items[0].Number, 7);
    EXPECT_EQ(t.Items[0].Text, "");
    EXPECT_EQ(t.Items[1].Kind, ikMessage);
    EXPECT_EQ(t.Items[1].Number, -1);
    EXPECT_EQ(t.Items[2].Kind, ikComponent);
    EXPECT_EQ(t.Items[2].Number, 12);
    EXPECT_EQ(t.Items[2].Param, 40);
    EXPECT_EQ(t.Items[2].Text, "MainForm.toolNovy.Hint");
    EXPECT_EQ(t.Items[3].Text, " Ulo\x9Eit zm\xECny ? ");
    EXPECT_EQ(t.Items[4].Kind, ikComponent);
    EXPECT_EQ(t.Items[5].Kind, ikComment);
    EXPECT_EQ(t.Items[6].ValueType, 2);
    EXPECT_EQ(t.CountToTranslate, 5);
}

TEST(TemplateDefinitions, LastKeywordAndLastQuotedTextCount)
{
    const auto t = ReadEditor("1: MESSAGE COMPONENT \"a\" \"b\"\n2: \"x\"y\n3: COMPONENT \"unclosed\n");
    EXPECT_EQ(t.Items[0].Kind, ikComponent);
    EXPECT_EQ(t.Items[0].Text, "b");
    EXPECT_EQ(t.CountToTranslate, 3); // every COMPONENT or MESSAGE token counts
    EXPECT_EQ(t.Items[1].Text, "x");
    EXPECT_EQ(t.Items[2].Text, "");
}

TEST(TemplateDefinitions, TranslatorKeepsOnlyComponentsAndMessages)
{
    const auto t = ReadTranslator(
        "1: SECTION \"s\"\n2: COMPONENT \"c\"\n3: COMMENT \"k\"\n4:\n5: MESSAGE \"m\" INTEGER\n");
    ASSERT_EQ(t.Items.size(), 2u);
    EXPECT_EQ(t.Items[0].Number, 2);
    EXPECT_EQ(t.Items[1].Number, 5);
    EXPECT_TRUE(t.Items[1].Translation.empty());
}

TEST(TemplateErrors, BadNumbersStopTheReadingAndKeepWhatWasRead)
{
    EditorTemplate t;
    try {
        TemplateReader(t).ReadAll("1: MESSAGE \"a\"\n2 : MESSAGE \"b\"\n3: MESSAGE \"c\"\n");
        FAIL() << "expected a conversion error";
    } catch (const ConversionError &e) {
        EXPECT_STREQ(e.what(), "'2 ' is not a valid integer value");
    }
    ASSERT_EQ(t.Items.size(), 2u); // the failing line's entry stays as far as it was filled
    EXPECT_EQ(t.Items[1].Number, -1);

    EditorTemplate u;
    EXPECT_THROW(TemplateReader(u).ReadAll("4: MESSAGE 5x \"a\"\n"), ConversionError);
    ASSERT_EQ(u.Items.size(), 1u);
    EXPECT_EQ(u.Items[0].Number, 4);
    EXPECT_EQ(u.Items[0].Kind, ikMessage);
    EXPECT_EQ(u.Items[0].Text, "");

    try {
        EditorTemplate v;
        TemplateReader(v).ReadAll("1: MESSAGE 5x\n");
        FAIL() << "no error";
    } catch (const ConversionError &e) {
        EXPECT_STREQ(e.what(), "'5X' is not a valid integer value");
    }
    EXPECT_THROW(ReadEditor("99999999999: MESSAGE \"big\"\n"), ConversionError);
}

TEST(TemplateErrors, HeaderValuesSurviveANewTemplate)
{
    EditorTemplate t;
    TemplateReader(t).ReadAll("[LANGUAGE]\nProgram=A\nVersion=1\n[ITEMS]\n1: MESSAGE \"x\"\n");
    TemplateReader(t).ReadAll("[LANGUAGE]\nProgram=B\n");
    EXPECT_EQ(t.Info.Program, "B");
    EXPECT_EQ(t.Info.Version, "1");
    EXPECT_TRUE(t.Items.empty());
    EXPECT_EQ(t.CountToTranslate, 0);
}

TEST(TemplateFiles, MissingFileChangesNothing)
{
    EditorTemplate t;
    t.Items.push_back({});
    EXPECT_FALSE(ReadTemplateFile("/nonexistent/x.lnd", t));
    EXPECT_EQ(t.Items.size(), 1u);
}

TEST(TemplateFiles, AFolderInPlaceOfTheFileIsAnInputOutputError)
{
    EditorTemplate t;
    EXPECT_THROW(ReadTemplateFile(std::filesystem::temp_directory_path().string(), t), InOutError);
}

TEST(TemplateFiles, GoldenTemplateReadsAsExpected)
{
    EditorTemplate t;
    ASSERT_TRUE(ReadTemplateFile(VERBARIA_TEST_DATA "/formats/sample.lnd", t));
    ASSERT_EQ(t.Items.size(), 6u);
    EXPECT_EQ(t.Info.Program, "Uk\xE1zka");
    EXPECT_EQ(t.CountToTranslate, 4);
    EXPECT_EQ(t.Items[5].Number, 123456);
}
