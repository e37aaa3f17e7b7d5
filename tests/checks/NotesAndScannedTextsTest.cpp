#include "checks/RowNotes.h"
#include "checks/ScannedTexts.h"
#include "formats/LanguageFile.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"

#include <gtest/gtest.h>

using namespace verbaria;
using namespace verbaria::checks;

namespace {

const std::string kTemplate = "[LANGUAGE]\r\nPROGRAM=Demo\r\n[ITEMS]\r\n"
                              "1:section \"MainForm\"\r\n"
                              "/Text=&Soubor\r\n"
                              "2:component \"MainForm.menuSoubor.Caption\"\r\n"
                              "3:component \"MainForm.menuUpravy.Caption\"\r\n"
                              "  /text=Uložit|jako\r\n"
                              "4:component \"MainForm.menuUlozit.Caption\"\r\n"
                              "/Text=not a component\r\n"
                              "5:message \"Hotovo\"\r\n";

TEST(ScannedTexts, TheCommentAboveAComponentGivesItsText)
{
    const auto texts = ReadScannedTexts(kTemplate);
    EXPECT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts.at(2), "&Soubor");
    EXPECT_EQ(texts.at(4), "Uložit|jako");
}

TEST(ScannedTexts, BothTemplateReadersSkipTheComments)
{
    EditorTemplate with;
    TemplateReader(with).ReadAll(kTemplate);
    std::string bare;
    ForEachLine(kTemplate, [&](std::string_view line) {
        if (!IsScannedTextComment(line))
            bare += std::string(line) + "\r\n";
    });
    EditorTemplate without;
    TemplateReader(without).ReadAll(bare);
    ASSERT_EQ(with.Items.size(), without.Items.size());
    for (std::size_t i = 0; i < with.Items.size(); ++i) {
        EXPECT_EQ(with.Items[i].Number, without.Items[i].Number);
        EXPECT_EQ(with.Items[i].Text, without.Items[i].Text);
    }
    EXPECT_EQ(with.CountToTranslate, 4);
    TranslatorTemplate translator;
    TemplateReader(translator).ReadAll(kTemplate);
    EXPECT_EQ(translator.Items.size(), 4u);
}

TEST(RowNotes, NotesGoAboveTheirRowsAndReadBack)
{
    const std::string saved = "Language=Čeština\r\n00002:&Soubor\r\n00004:Uložit\r\n00005:Hotovo\r\n";
    RowNotes notes;
    notes[2].Acknowledged = {"end-punctuation", "blanks"};
    notes[5].Review = true;
    notes[9].Review = true; // no item line: nothing to note
    const std::string withNotes = WithRowNotes(saved, notes);
    EXPECT_EQ(withNotes, "Language=Čeština\r\n"
                         "/Notes 00002: acknowledged=blanks,end-punctuation\r\n00002:&Soubor\r\n"
                         "00004:Uložit\r\n"
                         "/Notes 00005: review\r\n00005:Hotovo\r\n");
    RowNotes expected = notes;
    expected.erase(9);
    EXPECT_EQ(ReadRowNotes(withNotes), expected);
    // Saving again replaces the notes instead of piling them up.
    notes.erase(2);
    EXPECT_EQ(WithRowNotes(withNotes, notes), "Language=Čeština\r\n00002:&Soubor\r\n00004:Uložit\r\n"
                                              "/Notes 00005: review\r\n00005:Hotovo\r\n");
}

TEST(RowNotes, AnAcceptanceBelongsToTheTextItWasGivenFor)
{
    const std::vector<Finding> findings{{CheckId::EndPunctuation, {":", ""}},
                                        {CheckId::PrintfPlaceholders, {"%s", ""}}};
    RowNote note;
    note.Acknowledged = {"end-punctuation"};
    note.AcknowledgedFor = TextHash("Soubor");
    EXPECT_EQ(note.AcknowledgedFor.size(), 8u);
    EXPECT_NE(TextHash("Soubor"), TextHash("Soubory"));
    EXPECT_EQ(WithoutAcknowledged(findings, note, "Soubor").size(), 1u); // the error stays
    EXPECT_EQ(WithoutAcknowledged(findings, note, "Soubory").size(), 2u);

    // The hash travels with the note; older readers skip the word they do not know.
    const std::string line = RowNoteLine(12, note);
    EXPECT_EQ(line, "/Notes 00012: acknowledged=end-punctuation for=" + TextHash("Soubor"));
    const std::string file = "Language=X\r\n" + line + "\r\n00012:Soubor\r\n";
    EXPECT_EQ(ReadRowNotes(file).at(12), note);

    // A note from before the hash was kept: it holds for whatever text the file gives it.
    const RowNotes old =
        ReadRowNotes("/Notes 00012: review acknowledged=end-punctuation\r\n00012:Soubor\r\n");
    EXPECT_TRUE(old.at(12).AcknowledgedFor.empty());
    EXPECT_TRUE(AcknowledgesText(old.at(12), "Soubor"));
    EXPECT_EQ(RowNoteLine(12, old.at(12)), "/Notes 00012: review acknowledged=end-punctuation");
}

TEST(RowNotes, TheTranslatorReadsTheSameTranslationsWithAndWithoutNotes)
{
    const std::string templateBytes = "2:component \"A.b.Caption\"\r\n5:message \"Hotovo\"\r\n";
    const std::string saved = "Language=X\r\n00002:&Soubor\r\n00005:Hotovo \r\n";
    RowNotes notes;
    notes[2].Review = true;
    notes[5].Acknowledged = {"same-as-original"};
    const auto read = [&](const std::string &bytes) {
        TranslatorTemplate t;
        TemplateReader(t).ReadAll(templateBytes);
        NumberIndex index;
        index.Build(t.Items);
        TLanguageInfo info;
        ReadLanguageBytes(bytes, t.Items, index, info);
        std::vector<std::string> translations;
        for (const auto &item : t.Items)
            translations.push_back(item.Translation);
        translations.push_back(info.Language);
        return translations;
    };
    EXPECT_EQ(read(WithRowNotes(saved, notes)), read(saved));
    EXPECT_EQ(read(saved), (std::vector<std::string>{"&Soubor", "Hotovo ", "X"}));
}

} // namespace
