#include "formats/CatalogueFile.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/FindTemplateFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace verbaria;
namespace fs = std::filesystem;

TEST(Catalogue, ReadingRules)
{
    const auto entries = ParseCatalogue("  Notepad=C:\\a\\n.lnd ; C:\\a\\n.exe\r\n"
                                        "no semicolon = x\r\n"
                                        "no equals\r\n"
                                        "\r\n"
                                        " \t \r\n"
                                        "\t/Commented = a;b\r\n"
                                        "Odd = t.lnd;C:\\x;y=z.exe\r\n"
                                        "Last = a.lnd;b");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Name, "Notepad");
    EXPECT_EQ(entries[0].Template, "C:\\a\\n.lnd");
    EXPECT_EQ(entries[0].Program, "C:\\a\\n.exe");
    EXPECT_EQ(entries[1].Program, "C:\\x;y=z.exe");
    EXPECT_EQ(entries[2].Program, "b");
}

TEST(Catalogue, WritesWhatItReadsBack)
{
    std::vector<CatalogueEntry> entries{{"A", "a.lnd", "p;q=r"}, {"B", "b.lnd", ""}};
    const std::string bytes = FormatCatalogue(entries);
    EXPECT_EQ(bytes, "A = a.lnd;p;q=r\r\nB = b.lnd;\r\n");
    const auto back = ParseCatalogue(bytes);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].Program, "p;q=r");
    EXPECT_EQ(back[1].Program, "");
}

class TemplateLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("verbaria-lookup-" + std::to_string(::getpid()));
        fs::create_directories(root_ / "jazyky");
        fs::create_directories(root_ / "other");
        previous_ = fs::current_path();
        fs::current_path(root_);
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }
    void Touch(const fs::path &relative) { std::ofstream(root_ / relative) << "[ITEMS]\r\n"; }
    std::string At(const fs::path &relative) { return (root_ / relative).string(); }

    fs::path root_;
    fs::path previous_;
};

TEST_F(TemplateLookup, FindsTheNameItselfWithOrWithoutExtensionIgnoringCase)
{
    Touch("Abc.lnd");
    EXPECT_EQ(FindTemplateFile("abc", "", nullptr), At("Abc.lnd"));
    EXPECT_EQ(FindTemplateFile("ABC.LND", "", nullptr), At("Abc.lnd"));
    EXPECT_EQ(FindTemplateFile(At("abc.lnd"), "", nullptr), At("Abc.lnd"));
}

TEST_F(TemplateLookup, FindsTheSubfolderJazyky)
{
    Touch("jazyky/ABC.LND");
    EXPECT_EQ(FindTemplateFile("abc", "", nullptr), At("jazyky/ABC.LND"));
    EXPECT_EQ(FindTemplateFile("jazyky\\abc.lnd", "", nullptr), At("jazyky/ABC.LND"));
}

TEST_F(TemplateLookup, FindsTheFileBesideTheReferenceFile)
{
    Touch("other/prog.lnd");
    EXPECT_EQ(FindTemplateFile("C:\\Program Files\\Prog\\PROG.LND", "", nullptr), "");
    EXPECT_EQ(FindTemplateFile("C:\\Program Files\\Prog\\PROG.LND", At("other/german.lng"), nullptr),
              At("other/prog.lnd"));
}

TEST_F(TemplateLookup, FallsBackOnTheCatalogue)
{
    std::ofstream(root_ / "programs.ini")
        << "Prog = D:\\somewhere\\Prog.lnd;D:\\p.exe\r\nOther = x.lnd;y\r\n";
    const auto catalogue = CatalogueFileTemplates((root_ / "programs.ini").string());
    EXPECT_EQ(FindTemplateFile("prog", "", catalogue), "D:\\somewhere\\Prog.lnd");
    EXPECT_EQ(FindTemplateFile("nothing", "", catalogue), "");
}

TEST_F(TemplateLookup, AMissingCatalogueIsEmptyButAnUnreadableOneIsAnError)
{
    EXPECT_EQ(FindTemplateFile("prog", "", CatalogueFileTemplates(At("missing.ini"))), "");
    fs::create_directories(root_ / "programs.ini");
    EXPECT_THROW(FindTemplateFile("prog", "", CatalogueFileTemplates(At("programs.ini"))), InOutError);
}
