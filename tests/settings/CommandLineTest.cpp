#include "TempDir.h"

#include "settings/core/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace verbaria;

namespace {

// Runs the test inside a folder, so relative paths on the command line are taken against it.
class CurrentFolder final
{
public:
    explicit CurrentFolder(const std::string &folder)
        : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(previous_); }
    CurrentFolder(const CurrentFolder &) = delete;
    CurrentFolder &operator=(const CurrentFolder &) = delete;

private:
    std::filesystem::path previous_;
};

class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder_.File("my app"));
        folder_.Write("my app/app.lnd", "[ITEMS]\r\n");
        folder_.Write("my app/de.lng", "Language=Deutsch\r\n");
        folder_.Write("bare.LnD", "");
        // The real path of the folder, as AbsolutePath gives it.
        real_ = std::filesystem::canonical(folder_.Path()).string();
    }

    SettingsValues Apply(const std::vector<std::string> &parameters) const
    {
        SettingsValues values;
        values.JazykRozhrani = "CZECH.LNG";
        values.PosledniJazyk = "remembered.lng";
        values.JazykProPopisy = "remembered-description.lng";
        values.PosledniSablona = "remembered.lnd";
        ZpracujParametry(parameters, values);
        return values;
    }

    TempDir folder_;
    std::string real_;
};

void ExpectUnchanged(const SettingsValues &values)
{
    EXPECT_EQ(values.PosledniJazyk, "remembered.lng");
    EXPECT_EQ(values.JazykProPopisy, "remembered-description.lng");
    EXPECT_EQ(values.PosledniSablona, "remembered.lnd");
}

} // namespace

TEST_F(CommandLine, QuotedTemplateOpensWithAnEmptyLanguageAndTheDescriptionLanguageBesideIt)
{
    folder_.Write("my app/czech.lng", "");
    const SettingsValues values = Apply({"\"" + real_ + "/my app/app.lnd\""});
    EXPECT_EQ(values.PosledniSablona, real_ + "/my app/app.lnd");
    EXPECT_EQ(values.PosledniJazyk, "");
    // Found without regard to case; the real name is stored.
    EXPECT_EQ(values.JazykProPopisy, real_ + "/my app/czech.lng");
}

TEST_F(CommandLine, TemplateWithoutADescriptionLanguageBesideItKeepsTheRememberedOne)
{
    const SettingsValues values = Apply({real_ + "/bare.LnD"});
    EXPECT_EQ(values.PosledniSablona, real_ + "/bare.LnD");
    EXPECT_EQ(values.PosledniJazyk, "");
    EXPECT_EQ(values.JazykProPopisy, "remembered-description.lng");
}

TEST_F(CommandLine, AnyOtherFileIsTheLanguageFile)
{
    folder_.Write("my app/CZECH.LNG", "");
    const SettingsValues values = Apply({"\t \"" + real_ + "/my app/de.lng\" \t"});
    EXPECT_EQ(values.PosledniJazyk, real_ + "/my app/de.lng");
    EXPECT_EQ(values.JazykProPopisy, real_ + "/my app/CZECH.LNG");
    EXPECT_EQ(values.PosledniSablona, "remembered.lnd");
}

TEST_F(CommandLine, SplitParametersAreJoinedWithABlank)
{
    const SettingsValues values = Apply({real_ + "/my", "app/app.lnd"});
    EXPECT_EQ(values.PosledniSablona, real_ + "/my app/app.lnd");
}

TEST_F(CommandLine, RelativePathsWithEitherSeparatorAreTakenAgainstTheCurrentFolder)
{
    const CurrentFolder inside(folder_.Path());
    EXPECT_EQ(Apply({"my app\\app.lnd"}).PosledniSablona, real_ + "/my app/app.lnd");
    EXPECT_EQ(Apply({"./my app/../my app/de.lng"}).PosledniJazyk, real_ + "/my app/de.lng");
}

TEST_F(CommandLine, NothingUsableChangesNothing)
{
    ExpectUnchanged(Apply({}));
    ExpectUnchanged(Apply({" \"\t\"", "\"\""}));
    ExpectUnchanged(Apply({real_ + "/my app/missing.lnd"}));
    ExpectUnchanged(Apply({real_ + "/my app"}));
    ExpectUnchanged(Apply({real_ + "/MY APP/app.lnd"}));
}
