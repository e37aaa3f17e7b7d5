#include "TempDir.h"
#include "tests/support/FailingDevice.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "settings/core/SettingsFile.h"

#include <gtest/gtest.h>

using namespace verbaria;

namespace {

const std::string DefaultFile = "[Obecne]\r\n"
                                "Jazyk=czech.lng\r\n"
                                "Automatick\xE9 doplnovani=Ne\r\n"
                                "[Naposledy otevreny]\r\n"
                                "Jazyk=jazyky\\czech.lng\r\n"
                                "Jazyk pro popisy=jazyky\\czech.lng\r\n"
                                "Sablona=jazyky\\glotra11.lnd\r\n";

class SettingsFile : public ::testing::Test
{
protected:
    void TearDown() override { SetWriteFailureAfterBytesForTesting(-1); }

    SettingsValues ReadWith(const std::string &bytes) const
    {
        folder_.Write("glotra.ini", bytes);
        SettingsValues values;
        values.JazykRozhrani = "stale";
        NactiNastaveni(folder_.Folder(), values);
        return values;
    }

    TempDir folder_;
};

} // namespace

TEST_F(SettingsFile, WithoutAFileDefaultsAreReadAndTheWholeFileIsWritten)
{
    SettingsValues values;
    values.JazykRozhrani = "stale";
    values.AutomatickeDoplnovani = true;
    NactiNastaveni(folder_.Folder(), values);
    EXPECT_EQ(values.JazykRozhrani, "czech.lng");
    EXPECT_FALSE(values.AutomatickeDoplnovani);
    EXPECT_EQ(values.PosledniJazyk, "jazyky\\czech.lng");
    EXPECT_EQ(values.JazykProPopisy, "jazyky\\czech.lng");
    EXPECT_EQ(values.PosledniSablona, "jazyky\\glotra11.lnd");

    UlozitNastaveni(folder_.Folder(), values);
    EXPECT_EQ(folder_.Read("glotra.ini"), DefaultFile);
}

TEST_F(SettingsFile, ProgramFolderMayEndInABackslashOrNothing)
{
    SettingsValues values;
    UlozitNastaveni(folder_.Path() + "\\", values);
    EXPECT_EQ(folder_.Read("glotra.ini"), DefaultFile);
    values.JazykRozhrani = "x.lng";
    UlozitNastaveni(folder_.Path(), values);
    EXPECT_EQ(ReadWith(folder_.Read("glotra.ini")).JazykRozhrani, "x.lng");
}

TEST_F(SettingsFile, BooleanForms)
{
    for (const char *on : {"ano", "Yes", "ja", "true", "1", "ANO", "\"Ano\"", "  TRUE  "}) {
        SCOPED_TRACE(on);
        EXPECT_TRUE(ReadWith(std::string("[obecne]\r\nAUTOMATICK\xE9 DOPLNOVANI=") + on + "\r\n")
                        .AutomatickeDoplnovani);
    }
    for (const char *off : {"y", "on", "0", "Ne", "", "ano!", "Ano Ano", "jo"}) {
        SCOPED_TRACE(off);
        EXPECT_FALSE(ReadWith(std::string("[Obecne]\r\nAutomatick\xE9 doplnovani=") + off + "\r\n")
                         .AutomatickeDoplnovani);
    }
}

TEST_F(SettingsFile, TheFlagIsRewrittenAsAnoOrNe)
{
    SettingsValues values = ReadWith("[Obecne]\r\nAutomatick\xE9 doplnovani=yes\r\n");
    UlozitNastaveni(folder_.Folder(), values);
    EXPECT_TRUE(folder_.Read("glotra.ini")
                    .starts_with("[Obecne]\r\nAutomatick\xE9 doplnovani=Ano\r\nJazyk=czech.lng\r\n"));
    values.AutomatickeDoplnovani = false;
    UlozitNastaveni(folder_.Folder(), values);
    EXPECT_TRUE(folder_.Read("glotra.ini")
                    .starts_with("[Obecne]\r\nAutomatick\xE9 doplnovani=Ne\r\nJazyk=czech.lng\r\n"));
}

TEST_F(SettingsFile, TheFlagsKeyIsSpelledWithByteE9)
{
    // Neither a plain "e" nor the capital "\xC9" is the same key.
    EXPECT_FALSE(ReadWith("[Obecne]\r\nAutomaticke doplnovani=Ano\r\n").AutomatickeDoplnovani);
    EXPECT_FALSE(ReadWith("[Obecne]\r\nAUTOMATICK\xC9 DOPLNOVANI=Ano\r\n").AutomatickeDoplnovani);
    EXPECT_FALSE(ReadWith("[Obecne]\r\nAutomatick\xE9 dopl\xF2ov\xE1n\xED=Ano\r\n").AutomatickeDoplnovani);
}

TEST_F(SettingsFile, TheTwoJazykKeysStayApartByTheirSections)
{
    const SettingsValues values = ReadWith("[Naposledy otevreny]\r\nJazyk=d:\\prace\\de.lng\r\n"
                                           "[Obecne]\r\nJazyk=english.lng\r\n");
    EXPECT_EQ(values.JazykRozhrani, "english.lng");
    EXPECT_EQ(values.PosledniJazyk, "d:\\prace\\de.lng");
    EXPECT_EQ(values.JazykProPopisy, "jazyky\\czech.lng");
}

TEST_F(SettingsFile, AnEmptyValueIsNotTheDefault)
{
    SettingsValues values = ReadWith(DefaultFile);
    values.PosledniJazyk.clear();
    UlozitNastaveni(folder_.Folder(), values);
    EXPECT_NE(folder_.Read("glotra.ini").find("[Naposledy otevreny]\r\nJazyk=\r\n"), std::string::npos);
    EXPECT_EQ(ReadWith(folder_.Read("glotra.ini")).PosledniJazyk, "");
}

TEST_F(SettingsFile, AUsersOtherSectionsAndKeysSurviveARun)
{
    const std::string before = "; Verbaria settings\n"
                               "[Moje]\n"
                               "barva=modra\n"
                               "\n"
                               "[obecne]\n"
                               "jazyk = english.lng\n"
                               "Okno=maximalni\n"
                               "\n"
                               "[Naposledy otevreny]\n"
                               "Sablona=\"C:\\Program Files\\app.lnd\"\n"
                               "poznamka bez rovnitka\n"
                               "Dalsi=1";
    const SettingsValues values = ReadWith(before);
    EXPECT_EQ(values.JazykRozhrani, "english.lng");
    EXPECT_EQ(values.PosledniSablona, "C:\\Program Files\\app.lnd");

    UlozitNastaveni(folder_.Folder(), values);
    const std::string after = "; Verbaria settings\n"
                              "[Moje]\n"
                              "barva=modra\n"
                              "\n"
                              "[obecne]\n"
                              "jazyk=english.lng\r\n"
                              "Okno=maximalni\n"
                              "Automatick\xE9 doplnovani=Ne\r\n"
                              "\n"
                              "[Naposledy otevreny]\n"
                              "Sablona=C:\\Program Files\\app.lnd\r\n"
                              "poznamka bez rovnitka\n"
                              "Dalsi=1\r\n"
                              "Jazyk=jazyky\\czech.lng\r\n"
                              "Jazyk pro popisy=jazyky\\czech.lng\r\n";
    EXPECT_EQ(folder_.Read("glotra.ini"), after);
}

TEST_F(SettingsFile, AFailedWriteEndsAtThatValueAndKeepsTheEarlierOnes)
{
    folder_.Write("glotra.ini", "[Mine]\r\nx=1\r\n");
    SettingsValues values;
    values.JazykRozhrani = "english.lng";
    values.AutomatickeDoplnovani = true;
    values.PosledniJazyk = "new.lng";
    // The third value, "Naposledy otevreny"/"Jazyk", fails.
    SetWriteFailureAfterBytesForTesting(5, 2);
    try {
        UlozitNastaveni(folder_.Folder(), values);
        FAIL() << "the write should have failed";
    } catch (const InOutError &error) {
        EXPECT_STREQ(error.what(), ("Unable to write to " + folder_.File("glotra.ini")).c_str());
    }
    EXPECT_EQ(folder_.Read("glotra.ini"),
              "[Mine]\r\nx=1\r\n[Obecne]\r\nJazyk=english.lng\r\nAutomatick\xE9 doplnovani=Ano\r\n");
}
