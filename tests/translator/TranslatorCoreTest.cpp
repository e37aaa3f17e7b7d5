#include "FakeComponentTree.h"
#include "TranslatorTestFiles.h"

#include "formats/Errors.h"
#include "translator/TKVTranslator.h"

#include <gtest/gtest.h>

using verbaria::PropertyKind;
using verbaria::TKVTranslator;

namespace {

const std::string kTemplate = "[LANGUAGE]\r\n"
                              "PROGRAM=Demo\r\n"
                              "AUTHOR=Jan|Eva\r\n"
                              "[ITEMS]\r\n"
                              "1:section \"Hlavni\"\r\n"
                              "2:component \"MainForm.toolNovy.Hint\"\r\n"
                              "3:component \"MainForm.buttonOK.Caption\"\r\n"
                              "4:message \"Ulo\x9eit zm\xecny ?\"\r\n"
                              "5:comment \"jen pro prekladatele\"\r\n"
                              "6:message \"Hotovo\"\r\n"
                              "7:message \"Hotovo\"\r\n";

class TranslatorCoreTest : public ::testing::Test
{
protected:
    TranslatorCoreTest()
    {
        FakeComponent &form = tree.Add(tree.RootComponent(), "MainForm");
        toolNovy = &tree.Add(form, "toolNovy");
        buttonOK = &tree.Add(form, "buttonOK");
        toolNovy->Property("Hint").Text = "Nový";
        buttonOK->Property("Caption").Text = "OK";
        buttonOK->Property("Tag", PropertyKind::Integer);
        buttonOK->Property("Items", PropertyKind::StringList);
        buttonOK->Property("Font", PropertyKind::Other);
        tree.RootComponent().Property("Title").Text = "Aplikace";
    }

    std::string TemplateFile() { return files.Write("demo.lnd", kTemplate); }

    TranslatorTestFiles files;
    FakeComponentTree tree;
    FakeComponent *toolNovy = nullptr;
    FakeComponent *buttonOK = nullptr;
    TKVTranslator translator{&tree};
};

TEST_F(TranslatorCoreTest, NewTranslatorIsEmpty)
{
    EXPECT_TRUE(translator.LanguageFile().empty());
    EXPECT_EQ(translator.Separator(), ","); // as scan joins a list's entries
    EXPECT_TRUE(translator.Template().empty());
    EXPECT_FALSE(translator.TemplateRead());
    EXPECT_FALSE(translator.LanguageRead());
    EXPECT_TRUE(translator.Items().empty());
}

TEST_F(TranslatorCoreTest, LoadTemplateKeepsComponentsAndMessagesAndDecodesAuthor)
{
    ASSERT_TRUE(translator.LoadTemplate(TemplateFile()));
    EXPECT_TRUE(translator.TemplateRead());
    EXPECT_FALSE(translator.LanguageRead());
    ASSERT_EQ(translator.Items().size(), 5u);
    EXPECT_EQ(translator.Items()[0].Number, 2);
    EXPECT_EQ(translator.Items()[2].Text, "Ulo\x9eit zm\xecny ?");
    EXPECT_EQ(translator.TemplateInfo().Program, "Demo");
    EXPECT_EQ(translator.TemplateInfo().Author, "Jan\r\nEva");
    EXPECT_EQ(translator.IndexOfNumber(4), 2);
    EXPECT_EQ(translator.IndexOfNumber(5), -1); // comments are not kept
}

TEST_F(TranslatorCoreTest, MissingFilesChangeNothing)
{
    translator.LoadTemplate(TemplateFile());
    translator.SetLanguageFile(files.Write("cs.lng", "6:Done\r\n"));
    ASSERT_TRUE(translator.LanguageRead());

    EXPECT_FALSE(translator.LoadTemplate(files.Path("missing.lnd")));
    EXPECT_TRUE(translator.LanguageRead());
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Done");

    translator.SetLanguageFile(files.Path("missing.lng"));
    EXPECT_EQ(translator.LanguageFile(), files.Path("missing.lng"));
    EXPECT_TRUE(translator.LanguageRead());
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Done");
}

TEST_F(TranslatorCoreTest, MissingLanguageIsLookedForAgainAtEveryUse)
{
    translator.LoadTemplate(TemplateFile());
    translator.SetLanguageFile(files.Path("later.lng"));
    EXPECT_FALSE(translator.LanguageRead());
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Hotovo");
    files.Write("later.lng", "6:Done\r\n");
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Done");
    EXPECT_TRUE(translator.LanguageRead());
}

TEST_F(TranslatorCoreTest, LanguageBeforeAnyTemplateReadsTheTemplateLines)
{
    translator.SetLanguageFile(files.Write("cs.lng", "6:Done\r\n"));
    EXPECT_TRUE(translator.TemplateRead());
    EXPECT_TRUE(translator.LanguageRead());
    EXPECT_TRUE(translator.Items().empty());
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Hotovo");

    // Lines assigned once a template is read are never read.
    translator.SetTemplate({"6:message \"Hotovo\""});
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Hotovo");

    // A template loaded later rebuilds the table; the next use reads the language again.
    translator.LoadTemplate(TemplateFile());
    EXPECT_FALSE(translator.LanguageRead());
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Done");
    EXPECT_TRUE(translator.LanguageRead());
}

TEST_F(TranslatorCoreTest, TemplateLinesServeWhenNoFileWasLoaded)
{
    translator.SetTemplate({"[ITEMS]", "6:message \"Hotovo\"", "2:component \"MainForm.toolNovy.Hint\""});
    files.Write("cs.lng", "6:Done\r\n2:New\r\n");
    translator.SetLanguageFile(files.Path("cs.lng"));
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Done");
    translator.Translate();
    EXPECT_EQ(toolNovy->Properties["HINT"].Text, "New");
}

TEST_F(TranslatorCoreTest, NoTemplateTranslatesNothing)
{
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Hotovo");
    translator.Translate();
    EXPECT_TRUE(translator.TemplateRead());
    EXPECT_EQ(toolNovy->Properties["HINT"].Writes, 0);
    EXPECT_EQ(buttonOK->Properties["CAPTION"].Writes, 0);
}

TEST_F(TranslatorCoreTest, TranslateTextAnswersFromTheFirstEntryWithTranslation)
{
    translator.LoadTemplate(TemplateFile());
    translator.SetLanguageFile(files.Write("cs.lng", "Language=English\r\n"
                                                     "00004:  Save changes ?  \r\n"
                                                     "6:Done\r\n"
                                                     "7:Finished\r\n"
                                                     "99:nobody\r\n"));
    EXPECT_EQ(translator.LanguageInfo().Language, "English");
    EXPECT_EQ(translator.TranslateText("Ulo\x9eit zm\xecny ?"), "Save changes ?  ");
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Done");   // 7 has the same text: 6 answers
    EXPECT_EQ(translator.TranslateText("hotovo"), "hotovo"); // case matters
    EXPECT_EQ(translator.TranslateText("Neznamy"), "Neznamy");
    EXPECT_EQ(translator.FindTranslation("Neznamy"), nullptr);
    // Component paths take part in look-ups as well.
    EXPECT_EQ(translator.TranslateText("MainForm.toolNovy.Hint"), "MainForm.toolNovy.Hint");
}

TEST_F(TranslatorCoreTest, ManyRepeatedTextsEachAnswerFromTheirFirstEntry)
{
    // 3,000 messages over 1,000 texts, each text three times: the look-up table is full of
    // neighbours and repeats, and must still find the first entry of every text.
    std::string lnd = "[ITEMS]\r\n";
    std::string lng;
    for (int number = 1; number <= 3000; ++number) {
        lnd += std::to_string(number) + ":message \"Zprava " + std::to_string(number % 1000) + "\"\r\n";
        lng += std::to_string(number) + ":T" + std::to_string(number) + "\r\n";
    }
    translator.LoadTemplate(files.Write("many.lnd", lnd));
    translator.SetLanguageFile(files.Write("many.lng", lng));
    for (int text = 0; text < 1000; ++text) {
        const int first = text == 0 ? 1000 : text;
        ASSERT_EQ(translator.TranslateText("Zprava " + std::to_string(text)), "T" + std::to_string(first))
            << text;
    }
    EXPECT_EQ(translator.TranslateText("Zprava 1000"), "Zprava 1000");
    EXPECT_EQ(translator.TranslateText(""), "");
}

TEST_F(TranslatorCoreTest, EmptyTranslationAnswersWithTheText)
{
    translator.LoadTemplate(TemplateFile());
    translator.SetLanguageFile(files.Write("cs.lng", "6:\r\n"));
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Hotovo");
}

TEST_F(TranslatorCoreTest, SecondLanguageReplacesTheFirst)
{
    // A partial second language must not leave texts of the first one behind.
    translator.LoadTemplate(TemplateFile());
    translator.SetLanguageFile(files.Write("a.lng", "2:New A\r\n3:OK A\r\n6:Done A\r\n"));
    translator.Translate();
    toolNovy->Properties["HINT"].Text = "changed by the program";
    translator.SetLanguageFile(files.Write("b.lng", "3:OK B\r\n"));
    translator.Translate();
    EXPECT_EQ(toolNovy->Properties["HINT"].Text, "changed by the program");
    EXPECT_EQ(buttonOK->Properties["CAPTION"].Text, "OK B");
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Hotovo");

    // A missing file changes nothing; an empty name drops every translation.
    translator.SetLanguageFile(files.Path("missing.lng"));
    EXPECT_EQ(translator.TranslateText("MainForm.buttonOK.Caption"), "OK B");
    translator.SetLanguageFile("");
    EXPECT_EQ(translator.TranslateText("MainForm.buttonOK.Caption"), "MainForm.buttonOK.Caption");
}

TEST_F(TranslatorCoreTest, TranslateWritesPathsWithoutRegardToCase)
{
    translator.SetTemplate(
        {"1:component \"  mainform . TOOLNOVY . hint \"", "2:component \"Title\"",
         "3:component \"MainForm.buttonOK.Caption\"", "4:component \"MainForm.nobody.Caption\"",
         "5:component \"MainForm.buttonOK.Nothing\"", "6:component \"MainForm.buttonOK.Font\"",
         "7:component \"MainForm.buttonOK.Caption.Text\"", "8:component \"   \""});
    translator.SetLanguageFile(files.Write("cs.lng", "1:New\r\n2:Application\r\n3:\r\n4:x\r\n5:x\r\n6:x\r\n"
                                                     "7:x\r\n8:x\r\n"));
    translator.Translate();
    EXPECT_EQ(toolNovy->Properties["HINT"].Text, "New");
    EXPECT_EQ(tree.RootComponent().Properties["TITLE"].Text, "Application"); // no "." names the root
    EXPECT_EQ(buttonOK->Properties["CAPTION"].Writes, 0); // empty translation keeps the caption
    EXPECT_EQ(buttonOK->Properties["FONT"].Writes, 0);
    EXPECT_EQ(buttonOK->Properties["CAPTION"].Text, "OK");
}

TEST_F(TranslatorCoreTest, IntegerPropertiesTakeWholeNumbers)
{
    translator.SetTemplate({"1:component \"MainForm.buttonOK.Tag\""});
    translator.SetLanguageFile(files.Write("cs.lng", "1:-42\r\n"));
    translator.Translate();
    EXPECT_EQ(buttonOK->Properties["TAG"].Number, -42);
}

TEST_F(TranslatorCoreTest, BadIntegerEndsTranslateBeforeTheAfterEvent)
{
    translator.SetTemplate({"1:component \"MainForm.toolNovy.Hint\"", "2:component \"MainForm.buttonOK.Tag\"",
                            "3:component \"MainForm.buttonOK.Caption\""});
    translator.SetLanguageFile(files.Write("cs.lng", "1:New\r\n2:12a\r\n3:Fine\r\n"));
    std::vector<std::string> events;
    translator.SetOnBeforeTranslation([&](TKVTranslator &sender) {
        EXPECT_EQ(&sender, &translator);
        events.push_back("before:" + toolNovy->Properties["HINT"].Text);
    });
    translator.SetOnAfterTranslation([&](TKVTranslator &) { events.push_back("after"); });
    try {
        translator.Translate();
        FAIL() << "a conversion error was expected";
    } catch (const verbaria::ConversionError &error) {
        EXPECT_STREQ(error.what(), "'12a' is not a valid integer value");
    }
    EXPECT_EQ(events, std::vector<std::string>{"before:Nový"});
    EXPECT_EQ(toolNovy->Properties["HINT"].Text, "New");
    EXPECT_EQ(buttonOK->Properties["CAPTION"].Text, "OK");

    // Without the bad entry both events come, in order around the writes.
    translator.SetLanguageFile(files.Write("cs.lng", "1:New\r\n2:7\r\n3:Fine\r\n"));
    events.clear();
    translator.Translate();
    EXPECT_EQ(events, (std::vector<std::string>{"before:New", "after"}));
    EXPECT_EQ(buttonOK->Properties["CAPTION"].Text, "Fine");
}

TEST_F(TranslatorCoreTest, SeparatorRules)
{
    for (const char *empty : {"", "   ", "\t", " \t\r\n "}) {
        translator.SetSeparator(empty);
        EXPECT_EQ(translator.Separator(), ",") << '"' << empty << '"';
    }
    translator.SetSeparator(" ; ");
    EXPECT_EQ(translator.Separator(), " ; ");
}

TEST_F(TranslatorCoreTest, ListValuesSplitAtTheSeparator)
{
    auto lines = [&](std::string_view separator, bool assign, std::string_view value) {
        TKVTranslator local(&tree);
        if (assign)
            local.SetSeparator(separator);
        local.SetListProperty(buttonOK, "Items", value);
        return buttonOK->Properties["ITEMS"].Lines;
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(lines(",", true, "a,,b"), (Lines{"a", "", "b"}));
    EXPECT_EQ(lines(",", true, "a,b,"), (Lines{"a", "b"}));
    EXPECT_EQ(lines(",", true, " a , b ,  "), (Lines{"a", "b"}));
    EXPECT_EQ(lines(" ; ", true, "x ; y;z ; "), (Lines{"x", "y;z"}));
    EXPECT_EQ(lines("", false, " a,b "), (Lines{"a", "b"})); // a new translator splits at ","
    EXPECT_EQ(lines(",", true, ","), (Lines{""}));
}

TEST_F(TranslatorCoreTest, FirstOwnedComponentWithTheNameWins)
{
    FakeComponent &form = *tree.RootComponent().Owned.front();
    FakeComponent &twin = tree.Add(form, "TOOLNOVY");
    twin.Property("Hint");
    EXPECT_EQ(translator.FindOwnedComponent(&form, "toolnovy"), toolNovy);
    translator.SetTemplate({"1:component \"MainForm.toolNovy.Hint\""});
    translator.SetLanguageFile(files.Write("cs.lng", "1:New\r\n"));
    translator.Translate();
    EXPECT_EQ(toolNovy->Properties["HINT"].Text, "New");
    EXPECT_EQ(twin.Properties["HINT"].Writes, 0);
    EXPECT_EQ(translator.FindOwnedComponent(nullptr, "toolNovy"), nullptr);
}

TEST_F(TranslatorCoreTest, TranslateIndexesEachOwnerOnce)
{
    FakeComponent &big = tree.Add(tree.RootComponent(), "BigForm");
    std::vector<std::string> lines;
    std::string language;
    for (int i = 0; i < 2000; ++i) {
        const std::string name = "label" + std::to_string(i);
        tree.Add(big, name).Property("Caption");
        lines.push_back(std::to_string(i + 1) + ":component \"BigForm." + name + ".Caption\"");
        language += std::to_string(i + 1) + ":T" + std::to_string(i) + "\r\n";
    }
    translator.SetTemplate(lines);
    translator.SetLanguageFile(files.Write("big.lng", language));
    tree.Walks = 0;
    translator.Translate();
    EXPECT_EQ(tree.Walks, 2); // the application once, the form once
    EXPECT_EQ(big.Owned[1999]->Properties["CAPTION"].Text, "T1999");
}

TEST_F(TranslatorCoreTest, ResolvePathTellsWhatAPathReaches)
{
    EXPECT_EQ(translator.ResolvePath("MainForm.buttonOK.caption"), PropertyKind::Text);
    EXPECT_EQ(translator.ResolvePath("MainForm.buttonOK.Items"), PropertyKind::StringList);
    EXPECT_EQ(translator.ResolvePath("MainForm.nobody.Caption"), PropertyKind::None);
    EXPECT_EQ(translator.ResolvePath(""), PropertyKind::None);
}

TEST_F(TranslatorCoreTest, BadLanguageLineStopsReadingAndIsReadAgainLater)
{
    translator.LoadTemplate(TemplateFile());
    const std::string path = files.Write("cs.lng", "6:Done\r\n12a:x\r\n4:never\r\n");
    EXPECT_THROW(translator.SetLanguageFile(path), verbaria::ConversionError);
    EXPECT_FALSE(translator.LanguageRead());
    EXPECT_EQ(translator.Items()[3].Translation, "Done"); // lines before the error stay
    files.Write("cs.lng", "4:Save ?\r\n");
    EXPECT_EQ(translator.TranslateText("Ulo\x9eit zm\xecny ?"), "Save ?");
}

TEST_F(TranslatorCoreTest, TemplateThatStopsAtAnErrorIsNotMarkedRead)
{
    const std::string path = files.Write("bad.lnd", "6:message \"Hotovo\"\r\n7 :message \"x\"\r\n");
    EXPECT_THROW(translator.LoadTemplate(path), verbaria::ConversionError);
    EXPECT_FALSE(translator.TemplateRead());
}

// A template read that stops at an error has already emptied every translation; the language
// must not be taken as read any more, or all look-ups would answer untranslated.
TEST_F(TranslatorCoreTest, FailedTemplateReadMakesTheLanguageBeReadAgain)
{
    translator.LoadTemplate(TemplateFile());
    translator.SetLanguageFile(files.Write("cs.lng", "6:Done\r\n"));
    ASSERT_EQ(translator.TranslateText("Hotovo"), "Done");
    EXPECT_THROW(translator.LoadTemplate(files.Write("bad.lnd", "6:message \"Hotovo\"\r\n5x:\r\n")),
                 verbaria::ConversionError);
    EXPECT_FALSE(translator.LanguageRead());
    EXPECT_EQ(translator.TranslateText("Hotovo"), "Done");
}

} // namespace
