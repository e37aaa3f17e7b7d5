#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// An installed verbaria-tool (a bin/ it may not write to, the editor's languages under share/)
// finds the registered programs where the installed editor keeps them.
TEST(ProgramFolder, AnInstalledToolReadsTheCatalogueOfTheUsersConfigurationFolder)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    const fs::path bin = fs::path(folder.Path()) / "prefix" / "bin";
    fs::create_directories(bin);
    fs::create_directories(fs::path(folder.Path()) / "prefix" / "share" / "verbaria" / "jazyky");
    fs::copy_file(std::string(VERBARIA_BIN_DIR) + "/verbaria-tool", bin / "verbaria-tool");
    folder.Write("programs/demo.lnd", "[ITEMS]\r\n1:message \"Ahoj\"\r\n");
    folder.Write("config/verbaria/programs.ini",
                 "Demo = " + folder.File("programs/demo.lnd") + ";" + folder.File("programs/demo") + "\r\n");
    folder.Write("work/.keep", "");
    fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec);

    // Only the catalogue knows where demo.lnd is.
    const ToolResult result = RunProgram(
        "/usr/bin/env",
        {"XDG_CONFIG_HOME=" + folder.File("config"), (bin / "verbaria-tool").string(), "export", "demo.lnd"},
        {}, folder.File("work"));
    fs::permissions(bin, fs::perms::owner_all);
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("Ahoj"), std::string::npos) << result.Out;
    EXPECT_FALSE(fs::exists(bin / "programs.ini"));
}

} // namespace
