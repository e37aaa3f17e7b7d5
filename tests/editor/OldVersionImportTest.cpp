#include "editor/core/OldVersionImport.h"
#include "editor/core/LanguageDocument.h"
#include "formats/FileIO.h"
#include "support/ScriptedDialogs.h"
#include "tests/support/Cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace verbaria;
namespace fs = std::filesystem;

namespace {

std::string Cp(std::string_view utf8)
{
    return Utf8ToCp1250Lossy(utf8);
}

// A user-interface language that is not Czech, so translated texts show as translated.
class MarkedTexts final : public TextService
{
public:
    std::string TranslateText(std::string_view czechUtf8) const override
    {
        return "[" + std::string(czechUtf8) + "]";
    }
};

class OldVersionImport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("verbaria-import-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root_);
        std::ofstream(root_ / "old.txt", std::ios::binary)
            << Cp("[TRANSLATIONS]\r\nMainForm.menuSoubor.Caption = File\r\n"
                  "[MESSAGES]\r\nUložit změny ? = Save changes?\r\n");
        document_.OpenDialog().FileName = "remembered.lng";
        document_.SaveDialog().FileName = "Nový jazyk";
        save_ = document_.SaveDialog();
        open_ = document_.OpenDialog();
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string At(const std::string &name) { return (root_ / name).string(); }
    std::string Read(const std::string &name)
    {
        std::string bytes;
        ReadFileBytes(At(name), bytes);
        return bytes;
    }
    // After every run, whatever happened in it, the dialogs are as the file commands know them.
    void ExpectDialogsSetBack()
    {
        EXPECT_EQ(document_.SaveDialog().Title, save_.Title);
        EXPECT_EQ(document_.SaveDialog().Filter, save_.Filter);
        EXPECT_EQ(document_.SaveDialog().DefaultExtension, "*.lng");
        EXPECT_EQ(document_.SaveDialog().FileName, "remembered.lng");
        EXPECT_EQ(document_.OpenDialog().FileName, "remembered.lng");
        EXPECT_EQ(document_.OpenDialog().Title, open_.Title);
        EXPECT_EQ(document_.OpenDialog().Filter, open_.Filter);
    }

    fs::path root_;
    SettingsValues settings_;
    ScriptedDialogs dialogs_;
    MarkedTexts texts_;
    LanguageDocument document_{settings_, dialogs_, texts_};
    FileDialogState save_;
    FileDialogState open_;
};

} // namespace

TEST_F(OldVersionImport, ThreeDialogsThenBothFilesAndTheUntranslatedReport)
{
    dialogs_.OpenChoices = {At("old.txt")};
    dialogs_.SaveChoices = {At("new.lng"), At("new.lnd")};
    ImportovatZeStareVerze(document_);

    ASSERT_EQ(dialogs_.OpenDialogsShown.size(), 1u);
    EXPECT_EQ(dialogs_.OpenDialogsShown[0].Title, open_.Title);
    EXPECT_EQ(dialogs_.OpenDialogsShown[0].Filter, open_.Filter);
    EXPECT_EQ(dialogs_.OpenDialogsShown[0].FileName, "remembered.lng");

    ASSERT_EQ(dialogs_.SaveDialogsShown.size(), 2u);
    const FileDialogState &language = dialogs_.SaveDialogsShown[0];
    EXPECT_EQ(language.Title, "[Zvolte název nového jazykového souboru]");
    EXPECT_EQ(language.Filter, save_.Filter);
    EXPECT_EQ(language.DefaultExtension, save_.DefaultExtension);
    EXPECT_EQ(language.FileName, "Nový jazyk");
    const FileDialogState &templ = dialogs_.SaveDialogsShown[1];
    EXPECT_EQ(templ.Title, "[Zvolte název souboru šablony.]");
    EXPECT_EQ(templ.Filter, "[Šablony jazyka (*.lnd)|*.lnd|Všechny soubory|*.*]");
    EXPECT_EQ(templ.DefaultExtension, "*.lnd");
    EXPECT_EQ(templ.FileName, At("new.lnd"));

    EXPECT_EQ(Read("new.lng"), "Language=old.txt\r\nVersion=1.0\r\nAuthor=\r\nDefinition=new.lnd\r\n\r\n"
                               "0:File\r\n1:Save changes?\r\n\r\n");
    EXPECT_EQ(Read("new.lnd"), Cp("[LANGUAGE]\r\nProgram=Neznámý\r\nVersion=\r\nAuthor=\r\n\r\n[ITEMS]\r\n"
                                  "0:component \"MainForm.menuSoubor.Caption\"\r\n"
                                  "1:message \"Uložit změny ?\"\r\n\r\n"));
    EXPECT_EQ(dialogs_.Messages, std::vector<std::string>{"[Konverze dokončena]"});
    EXPECT_TRUE(dialogs_.Errors.empty());
    ExpectDialogsSetBack();
    EXPECT_FALSE(document_.zmeneno());
}

TEST_F(OldVersionImport, TemplateNameIsPresetWithTheExtensionChanged)
{
    fs::create_directories(root_ / "v1.0 dir");
    dialogs_.OpenChoices = {At("old.txt"), At("old.txt")};
    dialogs_.SaveChoices = {At("v1.0 dir/czech.lng"), std::nullopt, At("v1.0 dir/czech"), std::nullopt};
    ImportovatZeStareVerze(document_);
    ImportovatZeStareVerze(document_);
    ASSERT_EQ(dialogs_.SaveDialogsShown.size(), 4u);
    EXPECT_EQ(dialogs_.SaveDialogsShown[1].FileName, At("v1.0 dir/czech.lnd"));
    // A dot in a folder's name is not an extension.
    EXPECT_EQ(dialogs_.SaveDialogsShown[3].FileName, At("v1.0 dir/czech.lnd"));
}

TEST_F(OldVersionImport, CancelInTheOpenDialogChangesNothing)
{
    dialogs_.OpenChoices = {std::nullopt};
    ImportovatZeStareVerze(document_);
    EXPECT_TRUE(dialogs_.SaveDialogsShown.empty());
    EXPECT_TRUE(dialogs_.Messages.empty());
    EXPECT_EQ(document_.SaveDialog().FileName, "Nový jazyk");
    EXPECT_EQ(document_.OpenDialog().FileName, "remembered.lng");
}

TEST_F(OldVersionImport, CancelInEitherSaveDialogSetsTheDialogsBackAndWritesNothing)
{
    dialogs_.OpenChoices = {At("old.txt"), At("old.txt")};
    dialogs_.SaveChoices = {std::nullopt, At("new.lng"), std::nullopt};
    ImportovatZeStareVerze(document_);
    ExpectDialogsSetBack();
    ImportovatZeStareVerze(document_);
    ExpectDialogsSetBack();
    EXPECT_FALSE(fs::exists(root_ / "new.lng"));
    EXPECT_FALSE(fs::exists(root_ / "new.lnd"));
    EXPECT_TRUE(dialogs_.Messages.empty());
    EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(OldVersionImport, SameNameTwiceLeavesTheTemplate)
{
    dialogs_.OpenChoices = {At("old.txt")};
    dialogs_.SaveChoices = {At("both.x"), At("both.x")};
    ImportovatZeStareVerze(document_);
    EXPECT_EQ(Read("both.x").substr(0, 10), "[LANGUAGE]");
    EXPECT_EQ(dialogs_.Messages.size(), 1u);
}

// Left as they were in the conversion, the save command would next offer to save the language
// under the template's title, filter and extension.
TEST_F(OldVersionImport, AFailedConversionIsReportedAndTheDialogsAreStillSetBack)
{
    dialogs_.OpenChoices = {At("old.txt")};
    dialogs_.SaveChoices = {At("missing folder/new.lng"), At("new.lnd")};
    ImportovatZeStareVerze(document_);
    ASSERT_EQ(dialogs_.Errors.size(), 1u);
    EXPECT_FALSE(dialogs_.Errors[0].empty());
    EXPECT_TRUE(dialogs_.Messages.empty());
    EXPECT_FALSE(fs::exists(root_ / "new.lnd"));
    ExpectDialogsSetBack();
}
