#include "checks/RowNotes.h"
#include "editor/core/LanguageDocument.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace verbaria;
namespace fs = std::filesystem;

namespace {

// The notes of a row (acknowledged warnings, review marks) live in comment lines of the language
// file: the editor's reader must fill the grid exactly as without them, and what the editor
// saves, with the notes put back, must be the file it read.
class RowNotesInDocument : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("verbaria-notes-" + std::to_string(::getpid()));
        fs::create_directories(root_);
        previous_ = fs::current_path();
        fs::current_path(root_);
        document_.SetProgramFolder(root_.string() + "/");
        Write("demo.lnd", "1:section \"Okno\"\r\n2:component \"F.Caption\"\r\n3:message \"Jméno:\"\r\n"
                          "4:message \"Ahoj\"\r\n");
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }
    void Write(const std::string &name, const std::string &bytes)
    {
        std::ofstream(root_ / name, std::ios::binary) << bytes;
    }
    std::vector<std::string> Load(const std::string &name)
    {
        document_.MapujText("demo.lnd");
        document_.NovyJazyk(true, false);
        document_.NactiJazyk((root_ / name).string(), 1);
        std::vector<std::string> right;
        for (int row = 1; row <= 4; ++row)
            right.push_back(document_.Grid().Text(1, row));
        return right;
    }

    fs::path root_;
    fs::path previous_;
    SettingsValues settings_;
    ScriptedDialogs dialogs_;
    CzechTexts texts_;
    LanguageDocument document_{settings_, dialogs_, texts_};
};

TEST_F(RowNotesInDocument, TheEditorReadsTheSameTranslationsAndSavesTheNotesBack)
{
    const std::string plain = "Language=English\r\nDefinition=demo.lnd\r\n00002:Window\r\n00003:Name\r\n"
                              "00004:Ahoj\r\n";
    checks::RowNotes notes;
    notes[3].Acknowledged = {"end-punctuation"};
    notes[4].Review = true;
    const std::string withNotes = checks::WithRowNotes(plain, notes);
    ASSERT_NE(withNotes, plain);
    Write("plain.lng", plain);
    Write("notes.lng", withNotes);

    const std::vector<std::string> expected{"", "Window", "Name", "Ahoj"};
    EXPECT_EQ(Load("plain.lng"), expected);
    EXPECT_EQ(Load("notes.lng"), expected);
    // The document keeps the notes it read and saves them where they were.
    EXPECT_EQ(checks::WithRowNotes(document_.SavedBytes(), {}), plain);
    EXPECT_EQ(checks::WithRowNotes(document_.SavedBytes(), checks::ReadRowNotes(withNotes)), withNotes);
    EXPECT_EQ(document_.SavedBytes(), withNotes);
}

// The document reads the notes and the spelling choice with the file and saves them as they were
// read; an acceptance goes when its text changes, a review mark stays.
TEST_F(RowNotesInDocument, NotesAndTheSpellingChoiceAreSavedAsTheyWereRead)
{
    const std::string file = "Language=English\r\nDefinition=demo.lnd\r\n/Spelling: cs_CZ\r\n00002:Window\r\n"
                             "/Notes 00003: acknowledged=end-punctuation for=" +
                             checks::TextHash("Name") +
                             "\r\n00003:Name\r\n"
                             "/Notes 00004: review acknowledged=blanks\r\n00004:Ahoj\r\n";
    Write("notes.lng", file);
    Load("notes.lng");
    EXPECT_EQ(document_.Header().Pravopis, "cs_CZ");
    EXPECT_EQ(document_.Notes().size(), 2u);
    EXPECT_EQ(document_.SavedBytes(), file);

    document_.Grid().SetText(1, 4, "Hi");
    EXPECT_EQ(document_.SavedBytes(),
              file.substr(0, file.find("/Notes 00004")) + "/Notes 00004: review\r\n00004:Hi\r\n");
    document_.NovyJazyk(true, false);
    EXPECT_TRUE(document_.Notes().empty());
}

} // namespace

namespace {

// A Qt program's plural forms and plural rule live in lines the grid does not show: a save must
// write them back, and a new language must not inherit them.
TEST_F(RowNotesInDocument, PluralFormsAndTheRuleSurviveASave)
{
    const std::string plural = "Language=Czech\r\nDefinition=demo.lnd\r\n"
                               "Plural-Forms=nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;\r\n"
                               "Direction=LTR\r\n00003:%n soubor\r\n/Form 00003 1:%n soubory\r\n"
                               "/Form 00003 2:%n souborů\r\n/Form 00004 1:a form without its first\r\n";
    Write("plural.lng", plural);
    EXPECT_EQ(Load("plural.lng"), (std::vector<std::string>{"", "", "%n soubor", ""}));
    EXPECT_EQ(document_.SavedBytes(), plural);
    document_.NovyJazyk(true, false);
    EXPECT_EQ(document_.SavedBytes().find("/Form"), std::string::npos);
}

} // namespace
