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

const char *const TemplateBytes = "[LANGUAGE]\r\nProgram=Demo\r\nVersion=3\r\nAuthor=A|B\r\n[ITEMS]\r\n"
                                  "1: SECTION \"Okno\"\r\n"
                                  "2: COMPONENT \"F.Caption\"\r\n"
                                  "3: COMMENT \"Pozor\"\r\n"
                                  "4: MESSAGE \"Ahoj\"\r\n"
                                  "5: MESSAGE \"Ahoj\"\r\n"
                                  "6: COMPONENT \"F.b.Hint\"\r\n";

class Document : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("verbaria-doc-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root_ / "jazyky");
        previous_ = fs::current_path();
        fs::current_path(root_);
        document_.SetProgramFolder(root_.string() + "/");
        Write("demo.lnd", TemplateBytes);
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }
    void Write(const std::string &name, const std::string &bytes)
    {
        fs::create_directories((root_ / name).parent_path());
        std::ofstream(root_ / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string &name)
    {
        std::string bytes;
        ReadFileBytes((root_ / name).string(), bytes);
        return bytes;
    }
    std::string At(const std::string &name) { return (root_ / name).string(); }
    void LoadDemo()
    {
        document_.MapujText("demo.lnd");
        document_.NovyJazyk(true);
    }
    const std::string &Left(int row) { return document_.Grid().Text(0, row); }
    const std::string &Right(int row) { return document_.Grid().Text(1, row); }

    fs::path root_;
    fs::path previous_;
    SettingsValues settings_;
    ScriptedDialogs dialogs_;
    CzechTexts texts_;
    LanguageDocument document_{settings_, dialogs_, texts_};
};

} // namespace

TEST_F(Document, StartsWithTheEditorsOwnFilesWhenNothingIsRemembered)
{
    Write("jazyky/glotra11.lnd",
          "1: COMPONENT \"TMainForm.Caption\"\r\n2: MESSAGE \"Ulo\x9Eit zm\xECny ?\"\r\n");
    Write("jazyky/czech.lng", "Language=\xC8"
                              "e\x9Atina\r\n00001:Verbaria\r\n00002:Ulo\x9Eit zm\xECny ?\r\n");
    document_.OpenAtStartup();
    EXPECT_TRUE(dialogs_.Questions.empty());
    EXPECT_EQ(document_.Grid().RowCount(), 3);
    EXPECT_EQ(Left(0), std::string("Původní text"));
    EXPECT_EQ(Left(1), "Verbaria");
    EXPECT_EQ(Right(2), Cp("Uložit změny ?"));
    EXPECT_EQ(document_.Header().editJazyk, Cp("Čeština"));
    EXPECT_FALSE(document_.startovani());
    EXPECT_EQ(settings_.PosledniSablona, "jazyky\\glotra11.lnd");
}

TEST_F(Document, MissingTemplateKeepsTheInitialGrid)
{
    settings_.PosledniSablona = "nothing.lnd";
    document_.OpenAtStartup();
    EXPECT_EQ(document_.Grid().RowCount(), LanguageDocument::InitialRowCount);
    EXPECT_EQ(document_.pocetKPrekladu(), 0);
    EXPECT_EQ(document_.Header().editSablona, "nothing.lnd");
    EXPECT_EQ(document_.SavedBytes(), "Definition=nothing.lnd\r\n");
}

TEST_F(Document, AnErrorAtStartUpIsShownAndTheLaterStepsStillRun)
{
    Write("jazyky/glotra11.lnd", "1: COMPONENT \"a\"\r\n2x: MESSAGE \"b\"\r\n");
    Write("jazyky/czech.lng", "00001:first\r\n");
    document_.OpenAtStartup();
    ASSERT_EQ(dialogs_.Errors.size(), 1u);
    EXPECT_EQ(dialogs_.Errors[0], "'2x' is not a valid integer value");
    EXPECT_EQ(document_.Grid().RowCount(), 3); // the grid follows the table, also after an error
    EXPECT_EQ(Right(1), "first");
}

TEST_F(Document, StylesEveryKind)
{
    LoadDemo();
    const GridCells &g = document_.Grid();
    EXPECT_EQ(document_.pocetKPrekladu(), 4);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Style(0, 0).Background, CellColour::Of(MakeRgb(183, 182, 242)));
    EXPECT_EQ(g.Style(1, 0).Background, CellColour::Of(MakeRgb(238, 238, 238)));
    // section
    EXPECT_FALSE(g.Style(1, 1).IsEditable());
    EXPECT_EQ(g.Style(1, 1).Text, CellColour::Of(MakeRgb(0, 0, 128)));
    EXPECT_EQ(g.Style(0, 1).Background, CellColour::Of(MakeRgb(238, 238, 238)));
    // component
    EXPECT_FALSE(g.Style(0, 2).IsEditable());
    EXPECT_TRUE(g.Style(1, 2).IsEditable());
    EXPECT_EQ(g.Style(1, 2).Background, CellColour::Window());
    EXPECT_EQ(g.Style(0, 2).Background, CellColour::Of(MakeRgb(204, 203, 245)));
    // comment
    EXPECT_FALSE(g.Style(1, 3).IsEditable());
    EXPECT_EQ(g.Style(1, 3).Text, CellColour::Of(MakeRgb(128, 128, 128)));
    EXPECT_EQ(Left(2), "F.Caption");
    EXPECT_EQ(document_.Header().editProgram, "Demo");
    EXPECT_EQ(document_.Header().memoAutorProgramu, "A\r\nB");
}

TEST_F(Document, LanguageLinesFillTheirColumnAndColourTheRightCell)
{
    LoadDemo();
    Write("de.lng",
          "Language=Deutsch\r\nAuthor=X|Y\r\n1:Fenster\r\n3:ignored\r\n00002:Titel\r\n12 =none\r\n4=a:b\r\n");
    document_.NactiJazyk(At("de.lng"), 1);
    EXPECT_EQ(Right(1), "Fenster");
    EXPECT_EQ(document_.Grid().Style(1, 1).Text, CellColour::Of(0));
    EXPECT_EQ(Right(3), "");
    EXPECT_EQ(document_.Grid().Style(1, 3).Text, CellColour::Of(MakeRgb(128, 128, 128)));
    EXPECT_EQ(Right(2), "Titel");
    EXPECT_EQ(Right(4), "a:b");
    EXPECT_EQ(document_.Header().editJazyk, "Deutsch");
    EXPECT_EQ(document_.Header().memoAutorJazyka, "X\r\nY");
    EXPECT_EQ(settings_.PosledniJazyk, At("de.lng"));

    document_.NactiJazyk(At("de.lng"), 0);
    EXPECT_EQ(Left(2), "Titel");
    EXPECT_EQ(settings_.JazykProPopisy, At("de.lng"));
}

TEST_F(Document, DescriptionLanguageNeverTouchesTheHeaderNorAsks)
{
    LoadDemo();
    Write("other.lng", "Language=Other\r\nDefinition=elsewhere.lnd\r\n2:x\r\n");
    document_.NactiJazyk(At("other.lng"), 0);
    EXPECT_TRUE(document_.Header().editJazyk.empty());
    EXPECT_EQ(document_.Header().editSablona, "demo.lnd");
    EXPECT_TRUE(dialogs_.Questions.empty());
}

TEST_F(Document, TheSameTemplateByAnotherNameAsksNothing)
{
    LoadDemo();
    Write("de.lng", "Definition=DEMO.LND\r\n2:x\r\n");
    document_.NactiJazyk(At("de.lng"), 1);
    EXPECT_TRUE(dialogs_.Questions.empty());
    EXPECT_EQ(document_.definiceJazyka(), "DEMO.LND");
}

TEST_F(Document, AnotherTemplateAnsweredNoKeepsTheRowsByNumber)
{
    LoadDemo();
    Write("sub/other.lnd", "1: MESSAGE \"other\"\r\n");
    Write("sub/de.lng", "Definition=other.lnd\r\n2:x\r\n");
    dialogs_.Answers = {false};
    document_.NactiJazyk(At("sub/de.lng"), 1);
    ASSERT_EQ(dialogs_.Questions.size(), 1u);
    EXPECT_EQ(
        dialogs_.Questions[0],
        std::string("Soubor, který se pokoušíte otevřít je určen pro jiný program. Chcete pokračovat?"));
    EXPECT_EQ(Right(2), "x");
    EXPECT_EQ(document_.polozky().size(), 6u);
}

TEST_F(Document, AnotherTemplateAnsweredYesSwitches)
{
    LoadDemo();
    Write("sub/other.lnd",
          "[LANGUAGE]\r\nProgram=Other\r\n[ITEMS]\r\n7: MESSAGE \"seven\"\r\n8: COMPONENT \"F.x\"\r\n");
    Write("sub/de.lng", "Language=Deutsch\r\nDefinition=other.lnd\r\n7:sieben\r\n8:acht\r\n");
    Write("sub/czech.lng", "7:sedm\r\n");
    dialogs_.Answers = {true};
    document_.NactiJazyk(At("sub/de.lng"), 1);
    EXPECT_EQ(dialogs_.Questions.size(), 1u);
    EXPECT_EQ(document_.polozky().size(), 2u);
    EXPECT_EQ(document_.Grid().RowCount(), 3);
    EXPECT_EQ(Right(1), "sieben");
    EXPECT_EQ(Right(2), "acht");
    EXPECT_EQ(Left(1), "sedm"); // the user's own language beside the file
    EXPECT_EQ(Left(2), "F.x");  // not in it: the template's text
    // found beside the language file, so remembered by its full path
    EXPECT_EQ(document_.aktualniSablona(), At("sub/other.lnd"));
    EXPECT_EQ(document_.souborPopisu(), At("sub/de.lng"));
    EXPECT_EQ(settings_.PosledniSablona, At("sub/other.lnd"));
    EXPECT_EQ(document_.Header().editProgram, "Other");
}

TEST_F(Document, AFileNamingTwoTemplatesEnds)
{
    LoadDemo();
    Write("a.lnd", "1: MESSAGE \"a\"\r\n");
    Write("b.lnd", "1: MESSAGE \"b\"\r\n");
    Write("x.lng", "Definition=a.lnd\r\nDefinition=b.lnd\r\n1:text\r\n");
    dialogs_.Answers = {true, true, true, true};
    document_.NactiJazyk(At("x.lng"), 1);
    EXPECT_EQ(dialogs_.Questions.size(), 1u); // once per read, however many names the file gives
    EXPECT_EQ(Right(1), "text");
}

TEST_F(Document, InfoPanelFollowsTheSelectedRow)
{
    LoadDemo();
    Write("de.lng", "2:Titel\r\n");
    document_.NactiJazyk(At("de.lng"), 1);
    EXPECT_FALSE(document_.gridJazykSelectCell(1, 0));
    EXPECT_EQ(document_.gridJazykSelectCell(1, 1)->editNazevKomponenty, std::string("Sekce"));
    EXPECT_EQ(document_.gridJazykSelectCell(0, 2)->editNazevKomponenty, "F.Caption");
    EXPECT_EQ(document_.gridJazykSelectCell(0, 2)->editVNovemJazyce, "Titel");
    EXPECT_EQ(document_.gridJazykSelectCell(1, 3)->editNazevKomponenty, std::string("Komentář"));
    EXPECT_EQ(document_.gridJazykSelectCell(1, 4)->editNazevKomponenty, std::string("Zpráva"));
    document_.Grid().AppendRow();
    EXPECT_FALSE(document_.gridJazykSelectCell(1, 7));
}

TEST_F(Document, EndedEditMarksChangedAndCompletesEqualOriginals)
{
    LoadDemo();
    document_.Grid().SetText(0, 0, "Ahoj"); // a heading that happens to equal an original
    document_.Grid().SetText(1, 4, "Hello");
    document_.PolozkaZmenena(1, 4);
    EXPECT_TRUE(document_.zmeneno());
    EXPECT_EQ(Right(5), "");

    settings_.AutomatickeDoplnovani = true;
    document_.PolozkaZmenena(1, 4);
    EXPECT_EQ(Right(5), "Hello");
    EXPECT_EQ(Right(0), std::string("Nový text")); // the column heading is not a translation
    document_.Grid().SetText(0, 6, "");
    document_.Grid().SetText(1, 6, "z");
    document_.PolozkaZmenena(1, 6); // an empty original copies nothing
    EXPECT_EQ(Right(1), "");
}

TEST_F(Document, SaveWritesTheGoldenFileAndOpenReadsItBack)
{
    fs::copy_file(VERBARIA_TEST_DATA "/formats/sample.lnd", root_ / "sample.lnd");
    document_.MapujText("sample.lnd");
    document_.NovyJazyk(true);
    dialogs_.OpenChoices = {std::string(VERBARIA_TEST_DATA "/formats/sample.lng")};
    document_.OtevritJazyk();
    EXPECT_FALSE(document_.zmeneno());
    dialogs_.SaveChoices = {At("saved.lng")};
    ASSERT_TRUE(document_.UlozitJazyk());
    std::string golden;
    ReadFileBytes(VERBARIA_TEST_DATA "/formats/sample.lng", golden);
    EXPECT_EQ(Read("saved.lng"), golden);
    EXPECT_EQ(dialogs_.SaveDialogsShown[0].FileName, VERBARIA_TEST_DATA "/formats/sample.lng");
    EXPECT_EQ(document_.souborJazyka(), At("saved.lng"));
}

TEST_F(Document, SaveIgnoresAppendedRowsAndFollowsTheHeaderFields)
{
    LoadDemo();
    document_.Grid().AppendRow();
    document_.Grid().SetText(1, 7, "appended");
    document_.Grid().SetText(1, 6, "hint");
    document_.Header().editVerzeJazyka = "";
    document_.Header().memoAutorJazyka = "One\r\nTwo|Three";
    dialogs_.SaveChoices = {At("x.lng")};
    document_.UlozitJazyk();
    EXPECT_EQ(Read("x.lng"), "Author=One|Two|Three\r\nDefinition=demo.lnd\r\n00006:hint\r\n");
}

TEST_F(Document, CancelledOrFailedSaveKeepsTheChangedFlag)
{
    LoadDemo();
    document_.SetZmeneno(true);
    dialogs_.SaveChoices = {std::nullopt, At("no/such/folder/x.lng")};
    EXPECT_FALSE(document_.UlozitJazyk());
    EXPECT_FALSE(document_.UlozitJazyk());
    EXPECT_TRUE(document_.zmeneno());
    ASSERT_EQ(dialogs_.Errors.size(), 1u);
    EXPECT_EQ(dialogs_.Errors[0], "Path not found");
}

TEST_F(Document, NewLanguageAsksAndStopsWhenTheSaveDoesNotHappen)
{
    LoadDemo();
    document_.Grid().SetText(1, 2, "typed");
    document_.PolozkaZmenena(1, 2);
    dialogs_.Answers = {true};
    dialogs_.SaveChoices = {std::nullopt};
    document_.NovyJazykCommand();
    EXPECT_EQ(Right(2), "typed");
    EXPECT_TRUE(document_.zmeneno());

    dialogs_.Answers = {false};
    document_.NovyJazykCommand();
    EXPECT_EQ(Right(2), "");
    EXPECT_FALSE(document_.zmeneno());
    EXPECT_EQ(Left(2), "F.Caption");
}

TEST_F(Document, OpenAsksAfterTheChoiceAndBeforeEmptyingAnything)
{
    LoadDemo();
    Write("de.lng", "2:neu\r\n");
    document_.Grid().SetText(1, 6, "typed");
    document_.PolozkaZmenena(1, 6);

    dialogs_.OpenChoices = {std::nullopt};
    document_.OtevritJazyk(); // cancelled: no question at all
    EXPECT_TRUE(dialogs_.Questions.empty());

    dialogs_.OpenChoices = {At("de.lng")};
    dialogs_.Answers = {true};
    dialogs_.SaveChoices = {std::nullopt};
    document_.OtevritJazyk();
    EXPECT_EQ(Right(6), "typed");
    EXPECT_TRUE(document_.zmeneno());

    dialogs_.OpenChoices = {At("de.lng")};
    dialogs_.Answers = {false};
    document_.OtevritJazyk();
    EXPECT_EQ(Right(6), "");
    EXPECT_EQ(Right(2), "neu");
    EXPECT_FALSE(document_.zmeneno());
    EXPECT_EQ(document_.souborJazyka(), At("de.lng"));
}

TEST_F(Document, ClosingStaysOpenWhenTheWantedSaveFails)
{
    LoadDemo();
    EXPECT_TRUE(document_.OpravduSkoncit());
    document_.PolozkaZmenena(1, 2);
    dialogs_.Answers = {true, false};
    dialogs_.SaveChoices = {std::nullopt};
    EXPECT_FALSE(document_.OpravduSkoncit());
    EXPECT_TRUE(document_.OpravduSkoncit());
}

TEST_F(Document, DeleteRemovesTheFileAndADeleteWithoutFileFails)
{
    LoadDemo();
    Write("de.lng", "2:x\r\n");
    dialogs_.OpenChoices = {At("de.lng")};
    document_.OtevritJazyk();
    dialogs_.Answers = {false};
    document_.SmazatJazyk();
    EXPECT_TRUE(fs::exists(root_ / "de.lng"));

    dialogs_.Answers = {true};
    document_.SmazatJazyk();
    EXPECT_FALSE(fs::exists(root_ / "de.lng"));
    EXPECT_TRUE(document_.souborJazyka().empty());
    EXPECT_EQ(Right(2), "");

    dialogs_.Answers = {true};
    document_.SmazatJazyk();
    ASSERT_EQ(dialogs_.Messages.size(), 1u);
    EXPECT_EQ(dialogs_.Messages[0], std::string("Chyba : Soubor se nepodařilo smazat"));
}

TEST_F(Document, OpenDescriptionEmptiesOnlyTranslatableLeftCells)
{
    LoadDemo();
    Write("popisy.lng", "Language=ignored\r\n2:Caption text\r\n");
    dialogs_.OpenChoices = {At("popisy.lng")};
    document_.OtevriZdroj();
    EXPECT_EQ(Left(1), "Okno");
    EXPECT_EQ(Left(2), "Caption text");
    EXPECT_EQ(Left(4), "");
    EXPECT_EQ(document_.souborPopisu(), At("popisy.lng"));
    EXPECT_TRUE(document_.Header().editJazyk.empty());
}

TEST_F(Document, NewLanguageForAnotherProgramReadsTheUserLanguageBesideTheTemplate)
{
    LoadDemo();
    Write("prog/prog.lnd", "1: MESSAGE \"Ano\"\r\n2: MESSAGE \"Ne\"\r\n");
    Write("prog/CZECH.LNG", "1:Ano!\r\n");
    document_.NovyVJinemProgramu(At("prog/prog.lnd"));
    EXPECT_EQ(document_.aktualniSablona(), At("prog/prog.lnd"));
    EXPECT_EQ(Left(1), "Ano!");
    EXPECT_EQ(Left(2), "Ne");
    EXPECT_EQ(document_.souborPopisu(), At("prog/CZECH.LNG"));
    EXPECT_EQ(settings_.JazykProPopisy, At("prog/CZECH.LNG"));
    EXPECT_EQ(document_.OpenDialog().InitialFolder, At("prog") + "/");
}

TEST_F(Document, TwoThousandNamesOfAnotherTemplateAskOnce)
{
    LoadDemo();
    Write("a.lnd", "1: MESSAGE \"a\"\r\n");
    std::string lines;
    for (int i = 0; i < 2000; ++i)
        lines += "Definition=a.lnd\r\n";
    Write("x.lng", lines + "1:text\r\n");
    dialogs_.Answers = {false, false, false};
    document_.NactiJazyk(At("x.lng"), 1);
    EXPECT_EQ(dialogs_.Questions.size(), 1u);
}
