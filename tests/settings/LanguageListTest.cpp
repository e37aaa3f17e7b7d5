#include "TempDir.h"

#include "settings/core/LanguageList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace verbaria;
namespace fs = std::filesystem;

TEST(LanguageList, RegularLanguageFilesInCaseInsensitiveOrder)
{
    TempDir program;
    const std::string folder = program.File("jazyky");
    fs::create_directory(folder);
    for (const char *name : {"english.lng", "Czech.LNG", "b.lng", ".hidden.lng",
                             "\xC8"
                             "esky.lng",
                             "Alpha.Lng", "notes.txt", "lng", "x.lngx", "x.lng.bak"})
        program.Write(std::string("jazyky/") + name, "");
    fs::create_directory(folder + "/folder.lng");
    ASSERT_EQ(::mkfifo((folder + "/pipe.lng").c_str(), 0600), 0);
    fs::create_symlink("english.lng", folder + "/linked.lng");
    fs::create_symlink("nowhere", folder + "/broken.lng");
    fs::create_directory_symlink("folder.lng", folder + "/dirlink.lng");

    const std::vector<std::string> expected = {".hidden.lng",
                                               "Alpha.Lng",
                                               "b.lng",
                                               "Czech.LNG",
                                               "english.lng",
                                               "linked.lng",
                                               "\xC8"
                                               "esky.lng"};
    EXPECT_EQ(ListLanguageFiles(folder), expected);
    // The folder itself is found without regard to case, with either separator.
    EXPECT_EQ(ListLanguageFiles(program.Folder() + "Jazyky"), expected);
    EXPECT_EQ(ListLanguageFiles(program.Path() + "\\JAZYKY\\"), expected);
}

TEST(LanguageList, NamesThatDifferOnlyInCaseKeepAFixedOrder)
{
    TempDir folder;
    folder.Write("a.lng", "");
    folder.Write("A.LNG", "");
    EXPECT_EQ(ListLanguageFiles(folder.Path()), (std::vector<std::string>{"A.LNG", "a.lng"}));
}

TEST(LanguageList, MissingOrEmptyFolderGivesAnEmptyList)
{
    TempDir folder;
    EXPECT_TRUE(ListLanguageFiles(folder.Path()).empty());
    EXPECT_TRUE(ListLanguageFiles(folder.File("jazyky")).empty());
}
