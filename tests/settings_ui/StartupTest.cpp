#include "SettingsWindows.h"

#include <QCheckBox>

using namespace verbaria;

namespace {

const char *const EveryKey[] = {
    "[Obecne]\r\n",      "Jazyk=",  "Automatick\xE9 doplnovani=", "[Naposledy otevreny]\r\n",
    "Jazyk pro popisy=", "Sablona="};

} // namespace

TEST(Startup, WithoutSettingsFileTheDefaultsAreUsedAndTheFileIsCreatedAtTheEnd)
{
    SettingsWindows w;
    w.main.show();
    EXPECT_TRUE(w.dialogs.Errors.empty());
    EXPECT_EQ(w.main.Settings().JazykRozhrani, "czech.lng");
    EXPECT_FALSE(w.main.Settings().AutomatickeDoplnovani);
    EXPECT_FALSE(w.nastaveni.findChild<QCheckBox *>(QStringLiteral("checkAutoDoplnovani"))->isChecked());
    EXPECT_EQ(w.main.Settings().PosledniSablona, "jazyky\\glotra11.lnd");
    w.main.close();
    const std::string ini = ReadFile(w.Path("glotra.ini"));
    for (const char *key : EveryKey)
        EXPECT_NE(ini.find(key), std::string::npos) << key << " in " << ini;
    EXPECT_NE(ini.find("doplnovani=Ne\r\n"), std::string::npos);
}

TEST(Startup, StoredFlagReachesTheCheckBox)
{
    SettingsWindows w;
    WriteFile(w.Path("glotra.ini"), "[obecne]\r\nAUTOMATICK\xE9 DOPLNOVANI = yes\r\n");
    w.main.show();
    EXPECT_TRUE(w.main.Settings().AutomatickeDoplnovani);
    EXPECT_TRUE(w.nastaveni.findChild<QCheckBox *>(QStringLiteral("checkAutoDoplnovani"))->isChecked());
    w.main.close();
}

class StartupWithTemplate : public ::testing::TestWithParam<bool>
{
};

TEST_P(StartupWithTemplate, ATemplateOnTheCommandLineOpensWithAnEmptyLanguage)
{
    const bool descriptionBeside = GetParam();
    QTemporaryDir other;
    const std::string lnd =
        WriteFile(other.filePath(QStringLiteral("prog.lnd")), "[ITEMS]\r\n1: MESSAGE \"Ahoj\"\r\n");
    const std::string czech = QFile::encodeName(other.filePath(QStringLiteral("czech.lng"))).toStdString();
    if (descriptionBeside)
        WriteFile(other.filePath(QStringLiteral("czech.lng")), "00001:Ahoj svete\r\n");

    SettingsWindows w({"\"" + lnd + "\""});
    WriteFile(w.Path("last.lng"), "00001:Nazdar\r\n");
    WriteFile(w.Path("glotra.ini"), "[Naposledy otevreny]\r\nJazyk=last.lng\r\n");
    w.main.show();
    EXPECT_EQ(w.main.Document().aktualniSablona(), lnd);
    EXPECT_EQ(w.main.Document().souborJazyka(), "");
    EXPECT_EQ(w.main.Document().Grid().Text(1, 1), "");
    if (descriptionBeside) {
        EXPECT_EQ(w.main.Settings().JazykProPopisy, czech);
        EXPECT_EQ(w.main.Document().Grid().Text(0, 1), "Ahoj svete");
    } else {
        EXPECT_EQ(w.main.Settings().JazykProPopisy, "jazyky\\czech.lng");
        EXPECT_EQ(w.main.Document().Grid().Text(0, 1), "Ahoj");
    }
    w.main.close();
    // No language file was loaded: the next start opens none.
    const std::string ini = ReadFile(w.Path("glotra.ini"));
    EXPECT_NE(ini.find("[Naposledy otevreny]\r\nJazyk=\r\n"), std::string::npos) << ini;
}

INSTANTIATE_TEST_SUITE_P(DescriptionLanguage, StartupWithTemplate, ::testing::Bool());

TEST(Startup, AMissingFileOnTheCommandLineOpensTheRememberedFiles)
{
    SettingsWindows w({"/nowhere/missing.lnd"});
    WriteFile(w.Path("last.lnd"), "[ITEMS]\r\n1: MESSAGE \"Ahoj\"\r\n");
    WriteFile(w.Path("last.lng"), "00001:Nazdar\r\n");
    WriteFile(w.Path("glotra.ini"), "[Naposledy otevreny]\r\nSablona=last.lnd\r\nJazyk=last.lng\r\n");
    w.main.show();
    EXPECT_EQ(w.main.Document().Grid().Text(0, 1), "Ahoj");
    EXPECT_EQ(w.main.Document().Grid().Text(1, 1), "Nazdar");
    EXPECT_EQ(w.main.Settings().PosledniJazyk, "last.lng");
    w.main.close();
}

TEST(Startup, AnEmptyStoredLanguageOpensNothing)
{
    SettingsWindows w;
    WriteFile(w.Path("last.lnd"), "[ITEMS]\r\n1: MESSAGE \"Ahoj\"\r\n");
    WriteFile(w.Path("glotra.ini"),
              "[Naposledy otevreny]\r\nSablona=last.lnd\r\nJazyk=\r\nJazyk pro popisy=\r\n");
    w.main.show();
    EXPECT_TRUE(w.dialogs.Errors.empty());
    EXPECT_EQ(w.main.Settings().PosledniJazyk, "");
    EXPECT_EQ(w.main.Document().souborJazyka(), "");
    EXPECT_EQ(w.main.Document().Grid().Text(0, 1), "Ahoj");
    EXPECT_EQ(w.main.Document().Grid().Text(1, 1), "");
    w.main.close();
}
