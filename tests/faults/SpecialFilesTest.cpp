#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "settings/core/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// What is not a plain file is never read as one and never replaced by one.
using namespace verbaria;
namespace fs = std::filesystem;

namespace {

class SpecialFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("verbaria-special-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string At(const std::string &name) const { return (root_ / name).string(); }

    fs::path root_;
};

} // namespace

TEST_F(SpecialFiles, ANamedPipeIsRefusedAsUnreadableInsteadOfWaitedFor)
{
    ASSERT_EQ(::mkfifo(At("glotra.ini").c_str(), 0600), 0);
    std::string bytes = "kept";
    EXPECT_THROW(ReadFileBytes(At("glotra.ini"), bytes), InOutError);
    EXPECT_EQ(bytes, "kept");
    // The settings in its place are the defaults.
    SettingsValues values;
    values.JazykRozhrani = "other.lng";
    try {
        NactiNastaveni(root_.string() + "/", values);
    } catch (const FormatError &) {
    }
    EXPECT_TRUE(fs::is_fifo(At("glotra.ini")));
}

TEST_F(SpecialFiles, ASaveOntoANamedPipeWritesIntoItAndThePipeStays)
{
    ASSERT_EQ(::mkfifo(At("out.lng").c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] {
        std::ifstream pipe(At("out.lng"), std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(pipe), std::istreambuf_iterator<char>());
    });
    WriteFileAtomically(At("out.lng"), "00001:Ahoj\r\n");
    reader.join();
    EXPECT_EQ(received, "00001:Ahoj\r\n");
    EXPECT_TRUE(fs::is_fifo(At("out.lng")));
}

TEST_F(SpecialFiles, ALinkToNothingGetsItsFileAndStaysALink)
{
    fs::create_symlink("target.lng", At("link.lng"));
    WriteFileAtomically(At("link.lng"), "x\r\n");
    EXPECT_TRUE(fs::is_symlink(At("link.lng")));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(At("target.lng"), bytes));
    EXPECT_EQ(bytes, "x\r\n");
}

TEST_F(SpecialFiles, ALeftoverOfAKilledSaveGoesAtTheNextSaveAndNothingElseDoes)
{
    std::ofstream(At("cs.lng.verbaria-save-AbC123")) << "half";
    std::ofstream(At("cs.lng.verbaria-save-keep")) << "not ours"; // not the program's pattern
    std::ofstream(At("other.lng.verbaria-save-XyZ789")) << "another target's";
    WriteFileAtomically(At("cs.lng"), "new");
    EXPECT_FALSE(fs::exists(At("cs.lng.verbaria-save-AbC123")));
    EXPECT_TRUE(fs::exists(At("cs.lng.verbaria-save-keep")));
    EXPECT_TRUE(fs::exists(At("other.lng.verbaria-save-XyZ789")));
}
