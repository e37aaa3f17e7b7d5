// Writes that fail part-way, saves killed at random moments, and a program folder whose files
// cannot be read: the earlier file must survive whole, and nothing may crash.
#include "editor/core/LanguageDocument.h"
#include "formats/CatalogueFile.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/OldFormat.h"
#include "settings/core/LanguageList.h"
#include "settings/core/SettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "tests/support/FailingDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace verbaria;
namespace fs = std::filesystem;

namespace {

class Folder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("verbaria-faults-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root_);
    }
    void TearDown() override
    {
        SetWriteFailureAfterBytesForTesting(-1);
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    std::string At(const std::string &name) const { return (root_ / name).string(); }
    void Write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(root_ / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string &name) const
    {
        std::string bytes;
        ReadFileBytes(At(name), bytes);
        return bytes;
    }
    // Files in the folder other than the ones a test made: a failed write must leave none.
    std::size_t FileCount() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(root_), fs::directory_iterator()));
    }

    fs::path root_;
};

const std::string DiskFull = InOutMessage(ENOSPC, true);

class DocumentFaults : public Folder
{
protected:
    void SetUp() override
    {
        Folder::SetUp();
        document_.SetProgramFolder(root_.string() + "/");
        Write("demo.lnd", "[ITEMS]\r\n1: COMPONENT \"F.Caption\"\r\n2: MESSAGE \"Ahoj\"\r\n");
        document_.MapujText(At("demo.lnd"));
        document_.NovyJazyk(true, false);
    }

    SettingsValues settings_;
    ScriptedDialogs dialogs_;
    CzechTexts texts_;
    LanguageDocument document_{settings_, dialogs_, texts_};
};

} // namespace

TEST_F(DocumentFaults, AFailedSaveKeepsTheEarlierFileAndTheChangedFlag)
{
    const std::string earlier = "Language=Deutsch\r\n00001:Titel\r\n";
    Write("de.lng", earlier);
    document_.Grid().SetText(1, 1, "Neuer Titel");
    document_.Grid().SetText(1, 2, std::string(100'000, 'x'));
    document_.PolozkaZmenena(1, 1);
    ASSERT_TRUE(document_.zmeneno());
    const std::size_t files = FileCount();

    for (const long long failAfter : {0LL, 1LL, 20LL, 65'536LL}) {
        SCOPED_TRACE(failAfter);
        dialogs_.Errors.clear();
        SetWriteFailureAfterBytesForTesting(failAfter);
        dialogs_.SaveChoices = {At("de.lng")};
        EXPECT_FALSE(document_.UlozitJazyk());
        EXPECT_TRUE(document_.zmeneno());
        EXPECT_EQ(Read("de.lng"), earlier);
        ASSERT_EQ(dialogs_.Errors.size(), 1u);
        EXPECT_EQ(dialogs_.Errors[0], DiskFull);
        EXPECT_EQ(FileCount(), files); // no temporary file left behind
    }

    // The same save without the fault writes the new file and clears the flag.
    dialogs_.SaveChoices = {At("de.lng")};
    EXPECT_TRUE(document_.UlozitJazyk());
    EXPECT_FALSE(document_.zmeneno());
    EXPECT_EQ(Read("de.lng"), document_.SavedBytes());
}

TEST_F(DocumentFaults, ASaveOntoAFolderReportsThePlatformMessage)
{
    fs::create_directories(root_ / "de.lng" / "inside");
    document_.SetZmeneno(true);
    dialogs_.SaveChoices = {At("de.lng")};
    EXPECT_FALSE(document_.UlozitJazyk());
    EXPECT_TRUE(document_.zmeneno());
    ASSERT_EQ(dialogs_.Errors.size(), 1u);
    EXPECT_EQ(dialogs_.Errors[0], "File access denied");
    EXPECT_TRUE(fs::is_directory(root_ / "de.lng" / "inside"));
}

TEST_F(DocumentFaults, ASaveIntoAFolderWithoutWriteRightsReportsThePlatformMessage)
{
    document_.SetZmeneno(true);
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into folders without write rights";
    fs::create_directories(root_ / "locked");
    Write("locked/de.lng", "00001:old\r\n");
    fs::permissions(root_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    dialogs_.SaveChoices = {At("locked/de.lng")};
    EXPECT_FALSE(document_.UlozitJazyk());
    fs::permissions(root_ / "locked", fs::perms::owner_all);
    EXPECT_TRUE(document_.zmeneno());
    ASSERT_EQ(dialogs_.Errors.size(), 1u);
    EXPECT_EQ(dialogs_.Errors[0], "File access denied");
    EXPECT_EQ(Read("locked/de.lng"), "00001:old\r\n");
}

TEST_F(Folder, SettingsFileKeepsTheKeysWrittenBeforeTheFailingOne)
{
    const std::string earlier = "[Obecne]\r\nJazyk=english.lng\r\n; a remark\r\n";
    Write("glotra.ini", earlier);
    SettingsValues values;
    values.JazykRozhrani = "deutsch.lng";

    SetWriteFailureAfterBytesForTesting(10);
    try {
        UlozitNastaveni(root_.string() + "/", values);
        FAIL() << "no error";
    } catch (const InOutError &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + At("glotra.ini"));
    }
    EXPECT_EQ(Read("glotra.ini"), earlier);

    // Two keys go through, the third fails: the two stay, everything else is as it was.
    SetWriteFailureAfterBytesForTesting(10, 2);
    EXPECT_THROW(UlozitNastaveni(root_.string() + "/", values), InOutError);
    SettingsValues read;
    NactiNastaveni(root_.string() + "/", read);
    EXPECT_EQ(read.JazykRozhrani, "deutsch.lng");
    EXPECT_EQ(read.PosledniJazyk, SettingsValues().PosledniJazyk);
    EXPECT_NE(Read("glotra.ini").find("; a remark\r\n"), std::string::npos);
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(Folder, CatalogueKeepsItsEntriesWhenTheWriteFails)
{
    const std::vector<CatalogueEntry> earlier = {{"Demo", "demo.lnd", "demo.exe"},
                                                 {"Druhy", "b.lnd", "b.exe"}};
    WriteFileAtomically(At("programs.ini"), FormatCatalogue(earlier));
    std::vector<CatalogueEntry> changed = earlier;
    changed.erase(changed.begin());

    SetWriteFailureAfterBytesForTesting(5);
    try {
        WriteFileAtomically(At("programs.ini"), FormatCatalogue(changed));
        FAIL() << "no error";
    } catch (const InOutError &error) {
        EXPECT_EQ(std::string(error.what()), DiskFull);
    }
    const auto read = ReadCatalogueFile(At("programs.ini"));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].Program, "b.exe");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(Folder, ConversionKeepsEachEarlierOutputWhoseWriteFailed)
{
    Write("old.txt", "[TRANSLATIONS]\r\nF.Caption = Titel\r\n[MESSAGES]\r\nAhoj = Hallo\r\n");
    Write("new.lng", "earlier language");
    Write("new.lnd", "earlier template");

    // The language file fails: neither output changes.
    SetWriteFailureAfterBytesForTesting(3);
    try {
        ConvertOldFormatFile(At("old.txt"), At("new.lng"), At("new.lnd"));
        FAIL() << "no error";
    } catch (const InOutError &error) {
        EXPECT_EQ(std::string(error.what()), DiskFull);
    }
    EXPECT_EQ(Read("new.lng"), "earlier language");
    EXPECT_EQ(Read("new.lnd"), "earlier template");

    // The template fails: the language file is complete and the earlier template stays.
    SetWriteFailureAfterBytesForTesting(3, 1);
    EXPECT_THROW(ConvertOldFormatFile(At("old.txt"), At("new.lng"), At("new.lnd")), InOutError);
    const OldFormatFile old = ParseOldFormat(Read("old.txt"));
    EXPECT_EQ(Read("new.lng"), FormatConvertedLanguage(old, At("old.txt"), At("new.lnd")));
    EXPECT_EQ(Read("new.lnd"), "earlier template");
    EXPECT_EQ(FileCount(), 3u);
}

// A save of a million entries is killed at random moments; each time the file must be the
// complete old one or the complete new one.
TEST_F(Folder, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole)
{
    constexpr int EntryCount = 1'000'000;
    constexpr int KillCount = 20;
    {
        std::string lnd = "[ITEMS]\r\n";
        std::string lng;
        for (int i = 1; i <= EntryCount; ++i) {
            lnd += std::to_string(i) + ": MESSAGE \"Zpr\xE1va " + std::to_string(i) + "\"\r\n";
            lng += std::to_string(i) + ":Nachricht " + std::to_string(i) + "\r\n";
        }
        Write("big.lnd", lnd);
        Write("source.lng", lng);
    }
    SettingsValues settings;
    ScriptedDialogs dialogs;
    CzechTexts texts;
    LanguageDocument document(settings, dialogs, texts);
    document.SetProgramFolder(root_.string() + "/");
    document.MapujText(At("big.lnd"));
    document.NovyJazyk(true, false);
    document.NactiJazyk(At("source.lng"), LanguageDocument::ColumnTranslation);
    const std::string newBytes = document.SavedBytes();
    std::string oldBytes = newBytes;
    for (std::size_t at = 0; (at = oldBytes.find("Nachricht", at)) != std::string::npos; at += 9)
        oldBytes.replace(at, 9, "Botschaft");
    ASSERT_NE(oldBytes, newBytes);
    ASSERT_GT(newBytes.size(), 20'000'000u);

    const std::string target = At("big.lng");
    // The first child saves through the document; the killed ones write the same bytes, so that
    // the whole of their time is the write a kill is to interrupt.
    bool throughDocument = true;
    auto saveInChild = [&] {
        const pid_t child = ::fork();
        if (child == 0) {
            if (!throughDocument) {
                WriteFileAtomically(target, newBytes);
                ::_exit(0);
            }
            dialogs.SaveChoices = {target};
            ::_exit(document.UlozitJazyk() ? 0 : 1);
        }
        return child;
    };

    // One undisturbed save through the document, then one of the bytes alone, which tells how
    // long a write takes here.
    WriteFileAtomically(target, oldBytes);
    int status = 0;
    const pid_t first = saveInChild();
    ASSERT_GT(first, 0);
    ::waitpid(first, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(Read("big.lng"), newBytes);
    throughDocument = false;
    WriteFileAtomically(target, oldBytes);
    const auto start = std::chrono::steady_clock::now();
    const pid_t second = saveInChild();
    ASSERT_GT(second, 0);
    ::waitpid(second, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto saveTime =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(Read("big.lng"), newBytes);

    std::mt19937 random(20240607);
    std::uniform_int_distribution<long long> moment(0, saveTime.count() * 6 / 5);
    int oldSeen = 0;
    int newSeen = 0;
    int midWrite = 0;
    for (int kill = 0; kill < KillCount; ++kill) {
        WriteFileAtomically(target, oldBytes);
        const pid_t child = saveInChild();
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);

        const std::string now = Read("big.lng");
        ASSERT_TRUE(now == oldBytes || now == newBytes)
            << "kill " << kill << ": a mixture of " << now.size() << " bytes";
        (now == oldBytes ? oldSeen : newSeen)++;
        // A kill during the write leaves the save's temporary file: proof that it landed mid-write.
        for (const auto &entry : fs::directory_iterator(root_)) {
            if (entry.path().filename().string().starts_with("big.lng.verbaria-save-"))
                ++midWrite;
        }
    }
    EXPECT_GT(midWrite, 0) << "no kill landed while the file was being written";
    // The next save clears what the killed ones left.
    WriteFileAtomically(target, oldBytes);
    EXPECT_EQ(FileCount(), 3u); // big.lnd, source.lng, big.lng
    RecordProperty("old", oldSeen);
    RecordProperty("new", newSeen);
}

// Start-up with a program folder whose settings, catalogue and languages folder cannot be read.
TEST_F(Folder, UnreadableSettingsCatalogueAndLanguagesFolderGiveDefaults)
{
    const std::string programFolder = root_.string() + "/";
    // The default template name is relative: it must not find the one of the working folder.
    struct WorkingFolder
    {
        fs::path previous = fs::current_path();
        ~WorkingFolder() { fs::current_path(previous); }
    } workingFolder;
    fs::current_path(root_);
    fs::create_directories(root_ / "glotra.ini");
    fs::create_directories(root_ / "programs.ini");
    Write("jazyky", "a file where the languages folder should be");

    SettingsValues settings;
    settings.JazykRozhrani = "changed.lng";
    NactiNastaveni(programFolder, settings);
    EXPECT_EQ(settings.JazykRozhrani, SettingsValues().JazykRozhrani);
    EXPECT_EQ(settings.PosledniSablona, SettingsValues().PosledniSablona);
    // What cannot be read is never written over.
    EXPECT_THROW(UlozitNastaveni(programFolder, settings), InOutError);
    EXPECT_TRUE(fs::is_directory(root_ / "glotra.ini"));

    EXPECT_TRUE(ListLanguageFiles(At("jazyky")).empty());
    EXPECT_THROW(ReadCatalogueFile(At("programs.ini")), InOutError);

    // The document's start-up reports the catalogue's error and goes on with an empty document.
    ScriptedDialogs dialogs;
    CzechTexts texts;
    LanguageDocument document(settings, dialogs, texts);
    document.SetProgramFolder(programFolder);
    document.OpenAtStartup();
    EXPECT_TRUE(document.polozky().empty());
    EXPECT_FALSE(document.zmeneno());
    EXPECT_FALSE(dialogs.Errors.empty());
    for (const auto &error : dialogs.Errors)
        EXPECT_EQ(error, "File access denied");
}

TEST_F(Folder, ASettingsFileWithoutReadRightsGivesDefaults)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads files without read rights";
    const std::string programFolder = root_.string() + "/";
    SettingsValues settings;
    Write("glotra.ini", "[Obecne]\r\nJazyk=english.lng\r\n");
    fs::permissions(root_ / "glotra.ini", fs::perms::none);
    NactiNastaveni(programFolder, settings);
    EXPECT_EQ(settings.JazykRozhrani, SettingsValues().JazykRozhrani);
}
