// What a Qt program's messages carry through the files: contexts, disambiguations and plural
// forms, read by both template readers and the translator, and the plural rules that pick a form.
#include "TranslatorTestFiles.h"

#include "formats/LanguageFile.h"
#include "formats/MessageInfo.h"
#include "formats/TemplateFile.h"
#include "translator/PluralRule.h"
#include "translator/TKVTranslator.h"

#include <gtest/gtest.h>

using namespace verbaria;

namespace {

const char *const kTemplate = "[ITEMS]\r\n"
                              "/Context=MainWindow\r\n"
                              "/Disambiguation=noun\r\n"
                              "/Comment=The menu\\nof files\r\n"
                              "1: message \"File\"\r\n"
                              "/Context=Dialog\r\n"
                              "2: message \"File\"\r\n"
                              "/Text=unrelated comment\r\n"
                              "3: message \"Plain\"\r\n"
                              "/Context=MainWindow\r\n"
                              "/Plural\r\n"
                              "4: message \"%n file(s)\"\r\n"
                              "/Context=Lost\r\n"
                              "5: section \"A heading takes no context\"\r\n"
                              "6: message \"Next\"\r\n"
                              "/Context=MainWindow\r\n"
                              "/Source=Say \\\"hi\\\"\\nto all\r\n"
                              "7: message \"Say 'hi'|to all\"\r\n";

TEST(PluralRule, LanguagesPickTheirForms)
{
    const PluralRule czech = PluralRule::ForLanguage("cs_CZ");
    EXPECT_EQ(czech.Count(), 3);
    const int czechForms[] = {2, 0, 1, 1, 1, 2, 2};
    for (int n = 0; n < 7; ++n)
        EXPECT_EQ(czech.FormFor(n), czechForms[n]) << n;
    const PluralRule polish = PluralRule::ForLanguage("pl");
    EXPECT_EQ(polish.FormFor(22), 1);
    EXPECT_EQ(polish.FormFor(12), 2);
    const PluralRule arabic = PluralRule::ForLanguage("ar-EG");
    EXPECT_EQ(arabic.Count(), 6);
    const int arabicCases[][2] = {{0, 0},  {1, 1},  {2, 2},   {3, 3},   {10, 3},
                                  {11, 4}, {99, 4}, {100, 5}, {102, 5}, {103, 3}};
    for (const auto &c : arabicCases)
        EXPECT_EQ(arabic.FormFor(c[0]), c[1]) << c[0];
    EXPECT_EQ(PluralRule::ForLanguage("fr").FormFor(1), 0);
    EXPECT_EQ(PluralRule::ForLanguage("fr").FormFor(0), 0);
    EXPECT_EQ(PluralRule::ForLanguage("pt_BR").FormFor(0), 0);
    EXPECT_EQ(PluralRule::ForLanguage("pt").FormFor(0), 1);
    EXPECT_EQ(PluralRule::ForLanguage("ja").Count(), 1);
    EXPECT_EQ(PluralRule::ForLanguage("xx").FormFor(2), 1); // unknown: as English
    EXPECT_TRUE(IsRightToLeftLanguage("he_IL"));
    EXPECT_FALSE(IsRightToLeftLanguage("cs"));
}

TEST(PluralRule, GettextExpressionsAndWhatIsNotOne)
{
    const std::optional<PluralRule> rule = PluralRule::Parse(
        " nplurals = 4 ; plural=(n%100==1 ? 0 : n%100==2 ? 1 : n%100==3 || n%100==4 ? 2 : 3);");
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->Count(), 4);
    EXPECT_EQ(rule->FormFor(101), 0);
    EXPECT_EQ(rule->FormFor(204), 2);
    EXPECT_EQ(rule->FormFor(5), 3);
    // A form outside the count, a division by zero: the first form, never a crash.
    EXPECT_EQ(PluralRule::Parse("nplurals=2; plural=n+5;")->FormFor(1), 0);
    EXPECT_EQ(PluralRule::Parse("nplurals=2; plural=1/(n-1);")->FormFor(1), 0);
    EXPECT_EQ(PluralRule::Parse("nplurals=2; plural=!(n<=1)")->FormFor(3), 1);
    for (const char *bad :
         {"", "nplurals=2;", "plural=n!=1;", "nplurals=0; plural=0;", "nplurals=2; plural=n!=;",
          "nplurals=2; plural=(n;", "nplurals=2; plural=x;", "nplurals=x; plural=n;"})
        EXPECT_FALSE(PluralRule::Parse(bad)) << bad;
    EXPECT_FALSE(
        PluralRule::Parse("nplurals=2; plural=" + std::string(5000, '(') + "n" + std::string(5000, ')')));
}

TEST(MessageComments, BothReadersKeepThemForTheNextDefinitionOnly)
{
    TranslatorTemplate table;
    TemplateReader(table).ReadAll(kTemplate);
    ASSERT_EQ(table.Items.size(), 6u); // the section is dropped, and its context with it
    auto info = [&](std::size_t i) -> const MessageInfo * {
        const std::int32_t m = table.Items[i].Message;
        return m < 0 ? nullptr : &table.Messages[static_cast<std::size_t>(m)];
    };
    ASSERT_TRUE(info(0));
    EXPECT_EQ(info(0)->Context, "MainWindow");
    EXPECT_EQ(info(0)->Disambiguation, "noun");
    EXPECT_EQ(info(0)->Comment, "The menu\nof files");
    EXPECT_EQ(info(1)->Context, "Dialog");
    EXPECT_FALSE(info(2)); // "/Text=" is no message comment
    EXPECT_TRUE(info(3)->Plural);
    EXPECT_FALSE(info(4)); // "Next": the section's context did not travel on
    EXPECT_EQ(info(5)->Source, "Say \"hi\"\nto all");
    EXPECT_EQ(table.Items[5].Text, "Say 'hi'|to all");

    EditorTemplate editor;
    TemplateReader(editor).ReadAll(kTemplate);
    ASSERT_EQ(editor.Items.size(), 7u);
    EXPECT_EQ(editor.Messages[static_cast<std::size_t>(editor.Items[4].Message)].Context, "Lost");
    EXPECT_EQ(editor.Items[5].Message, -1);
}

TEST(MessageComments, WrittenAsTheyAreRead)
{
    MessageInfo info;
    info.Context = "Ns::Window";
    info.Comment = "back\\slash\ttab\r\n";
    info.Plural = true;
    info.Source = "a \"b\"\nc";
    info.HasSource = NeedsSourceLine(info.Source);
    const std::string lines =
        FormatMessageComments(info) + "1: message \"" + QuotableText(info.Source) + "\"\r\n";
    TranslatorTemplate table;
    TemplateReader(table).ReadAll(lines);
    ASSERT_EQ(table.Messages.size(), 1u);
    const MessageInfo &back = table.Messages[0];
    EXPECT_EQ(back.Context, info.Context);
    EXPECT_EQ(back.Comment, info.Comment);
    EXPECT_TRUE(back.Plural);
    EXPECT_EQ(back.Source, info.Source);
    EXPECT_EQ(table.Items[0].Text, "a 'b'|c");
    EXPECT_FALSE(NeedsSourceLine("plain | text"));
}

TEST(PluralForms, TheTranslatorReadsEachFormAndDropsThemWithTheLanguage)
{
    TranslatorTestFiles files;
    TKVTranslator translator;
    ASSERT_TRUE(translator.LoadTemplate(files.Write("p.lnd", kTemplate)));
    const std::string czech =
        files.Write("cs.lng", "Language=cs\r\nPlural-Forms=nplurals=3; plural=(n==1) ? 0 : "
                              "(n>=2 && n<=4) ? 1 : 2;\r\nDirection=ltr\r\n"
                              "00004:%n soubor\r\n/Form 00004 1:%n soubory\r\n"
                              "/Form 00004 2: %n souborů\r\n/Form 00003 1:not plural\r\n"
                              "/Form 00099 1:no such entry\r\n/Form 00004 x:bad\r\n");
    translator.SetLanguageFile(czech);
    const TTemplateItem &plural = translator.Items()[3];
    ASSERT_GE(plural.Message, 0);
    const MessageInfo &message = translator.Messages()[static_cast<std::size_t>(plural.Message)];
    EXPECT_EQ(plural.Translation, "%n soubor");
    EXPECT_EQ(message.Forms, (std::vector<std::string>{"%n soubory", "%n souborů"}));
    EXPECT_EQ(translator.LanguageInfo().PluralForms,
              "nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;");
    EXPECT_EQ(translator.LanguageInfo().Direction, "LTR");
    // The older readers see a language file with one text per entry and comments.
    EXPECT_EQ(LanguageHeaderValue(files.Write("x", "/Form 00004 1:x\r\nLanguage=cs\r\n"), "LANGUAGE"), "");
    translator.SetLanguageFile(files.Write("en.lng", "00004:%n file\r\n"));
    EXPECT_TRUE(message.Forms.empty());
    EXPECT_TRUE(translator.LanguageInfo().PluralForms.empty());
}

} // namespace
