// Files that other people made, by hand, on other systems: every reader and the editor's open
// command must either read them by the format's rules or stop with a clear error, in time and
// memory that grow linearly with the file.
#include "editor/core/LanguageDocument.h"
#include "formats/CatalogueFile.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/OldFormat.h"
#include "formats/ProfileFile.h"
#include "formats/TemplateFile.h"
#include "settings/core/SettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "tool/ImportTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace verbaria;
namespace fs = std::filesystem;

namespace {

const fs::path CommittedFolder = VERBARIA_TEST_DATA "/hostile";

// The large files are made at run time: they are too big to keep in the repository.
class GeneratedFiles final
{
public:
    GeneratedFiles()
        : folder_(fs::temp_directory_path() / ("verbaria-hostile-" + std::to_string(::getpid())))
    {
        fs::create_directories(folder_);

        // 100 MB on one line: a number, a colon, then words, quotes, separators and brackets, so
        // that every reader's tokenizer walks the whole line.
        std::string line = "12:";
        const std::string_view pattern = "Ulo\x9Ei\x9D zm\xECny \"x\" = : [a] \t/ ";
        while (line.size() < 100u * 1024 * 1024)
            line += pattern;
        Write("single-line-100mb.txt", line);
        line.clear();
        line.shrink_to_fit();

        std::string brackets;
        for (int i = 0; i < 1'000'000; ++i)
            brackets += "[\r\n";
        Write("brackets-1m.txt", brackets);

        // Lines of 64 KB quoted text without their closing quote, in each format's shape.
        const std::string quoted = "\"" + std::string(64 * 1024, 'a');
        std::string unclosed = "[ITEMS]\r\n";
        for (int i = 1; i <= 8; ++i)
            unclosed += std::to_string(i) + ": MESSAGE " + quoted + "\r\n" + std::to_string(i) + ":" +
                        quoted + "\r\n" + quoted + " = " + quoted + "\r\n";
        unclosed += "9: MESSAGE \"closed\"\r\n";
        Write("unclosed-quotes.txt", unclosed);

        std::string duplicates = "[ITEMS]\r\n";
        for (int i = 0; i < 100'000; ++i)
            duplicates += "7: MESSAGE \"same\"\r\n";
        duplicates += "8: MESSAGE \"other\"\r\n";
        Write("same-number-100k.lnd", duplicates);
    }
    ~GeneratedFiles() { fs::remove_all(folder_); }

    const fs::path &Folder() const { return folder_; }

private:
    void Write(const std::string &name, const std::string &bytes)
    {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }

    fs::path folder_;
};

GeneratedFiles &Generated()
{
    static GeneratedFiles files;
    return files;
}

std::vector<fs::path> AllHostileFiles()
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(CommittedFolder))
        files.push_back(entry.path());
    for (const auto &entry : fs::directory_iterator(Generated().Folder()))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Read(const fs::path &path)
{
    std::string bytes;
    ReadFileBytes(path.string(), bytes);
    return bytes;
}

// Runs action; a reader may stop only with one of the format errors.
template <class Action> void ReadsOrStopsCleanly(const fs::path &file, const char *reader, Action &&action)
{
    SCOPED_TRACE(std::string(reader) + " on " + file.filename().string());
    try {
        action();
    } catch (const FormatError &error) {
        EXPECT_FALSE(std::string(error.what()).empty());
    }
}

// A program folder with a document on it, as the editor has it after start-up.
class DocumentFolder
{
public:
    DocumentFolder()
        : root_(fs::temp_directory_path() / ("verbaria-hostile-doc-" + std::to_string(::getpid())))
        , document_(settings_, dialogs_, texts_)
    {
        fs::create_directories(root_ / "jazyky");
        document_.SetProgramFolder(root_.string() + "/");
        std::ofstream(root_ / "demo.lnd", std::ios::binary)
            << "[ITEMS]\r\n1: COMPONENT \"F.Caption\"\r\n7: MESSAGE \"Ahoj\"\r\n12: MESSAGE \"Konec\"\r\n";
        document_.MapujText((root_ / "demo.lnd").string());
        document_.NovyJazyk(true, false);
    }
    ~DocumentFolder() { fs::remove_all(root_); }

    fs::path root_;
    SettingsValues settings_;
    ScriptedDialogs dialogs_;
    CzechTexts texts_;
    LanguageDocument document_;
};

void RunEveryReader(const fs::path &file)
{
    const std::string path = file.string();
    const std::string bytes = Read(file);

    ReadsOrStopsCleanly(file, "editor template", [&] {
        EditorTemplate editor;
        ReadTemplateFile(path, editor);
        EXPECT_GE(editor.CountToTranslate, 0);
    });
    ReadsOrStopsCleanly(file, "translator template", [&] {
        TranslatorTemplate translator;
        ReadTemplateFile(path, translator);
        for (const auto &item : translator.Items)
            EXPECT_TRUE(item.Kind == ikComponent || item.Kind == ikMessage);
    });
    ReadsOrStopsCleanly(file, "translator language", [&] {
        TranslatorTemplate translator;
        TemplateReader(translator).ReadAll("1: MESSAGE \"a\"\r\n12: MESSAGE \"b\"\r\n");
        NumberIndex index;
        index.Build(translator.Items);
        TLanguageInfo info;
        ReadLanguageFile(path, translator.Items, index, info);
        EXPECT_EQ(translator.Items.size(), 2u);
    });
    ReadsOrStopsCleanly(file, "old format", [&] {
        const OldFormatFile old = ParseOldFormat(bytes);
        FormatConvertedLanguage(old, path, "new.lnd");
        FormatConvertedTemplate(old);
    });
    ReadsOrStopsCleanly(file, "catalogue", [&] {
        for (const auto &entry : ReadCatalogueFile(path))
            EXPECT_EQ(entry.Name.find('='), std::string::npos);
    });
    ReadsOrStopsCleanly(file, "profile", [&] {
        const std::string before = ProfileReadString(bytes, "Obecne", "Jazyk", "default");
        EXPECT_LE(before.size(), ProfileMaxValueLength);
        const std::string written = ProfileWriteString(bytes, "Naposledy otevreny", "Sablona", "x.lnd");
        EXPECT_EQ(ProfileReadString(written, "Naposledy otevreny", "Sablona", "?"), "x.lnd");
        EXPECT_EQ(ProfileReadString(written, "Obecne", "Jazyk", "default"), before);
    });

    DocumentFolder folder;
    ReadsOrStopsCleanly(file, "settings", [&] {
        fs::copy_file(file, folder.root_ / "glotra.ini");
        SettingsValues values;
        NactiNastaveni(folder.root_.string() + "/", values);
    });
    ReadsOrStopsCleanly(file, "editor's open command", [&] {
        LanguageDocument &document = folder.document_;
        folder.dialogs_.OpenChoices = {path};
        folder.dialogs_.Answers = {false, false};
        document.OtevritJazyk();
        EXPECT_EQ(document.Grid().RowCount(), static_cast<int>(document.polozky().size()) + 1);
        EXPECT_FALSE(document.zmeneno());
        // What was read saves without a fault.
        FormatLanguageFile({}, document.polozky(), document.Grid().Column(1));
    });
    ReadsOrStopsCleanly(file, "editor template through the document", [&] {
        folder.document_.MapujText(path);
        folder.document_.NovyJazyk(true, false);
        EXPECT_EQ(folder.document_.Grid().RowCount(),
                  static_cast<int>(folder.document_.polozky().size()) + 1);
    });
    ReadsOrStopsCleanly(file, "import table", [&] {
        const std::string error = tool::ApplyImportTable(bytes, folder.document_);
        if (!error.empty()) {
            EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
        }
    });
}

} // namespace

TEST(HostileFiles, EveryReaderReadsOrStopsWithAClearError)
{
    const auto files = AllHostileFiles();
    ASSERT_GE(files.size(), 20u);
    for (const auto &file : files)
        RunEveryReader(file);
}

TEST(HostileFiles, NumbersBeyondThirtyTwoBitsStopTheReadingWithTheConversionError)
{
    EditorTemplate editor;
    try {
        ReadTemplateFile((CommittedFolder / "big-numbers.lnd").string(), editor);
        FAIL() << "no error";
    } catch (const ConversionError &error) {
        EXPECT_STREQ(error.what(), "'4294967296' is not a valid integer value");
    }
    ASSERT_EQ(editor.Items.size(), 4u); // the lines before it and the failing line's entry
    EXPECT_EQ(editor.Items[1].Number, 2147483647);
    EXPECT_EQ(editor.Items[2].Number, -2147483647 - 1);

    TranslatorTemplate translator;
    TemplateReader(translator)
        .ReadAll("1: MESSAGE \"a\"\r\n2147483647: MESSAGE \"b\"\r\n3: MESSAGE \"c\"\r\n");
    NumberIndex index;
    index.Build(translator.Items);
    TLanguageInfo info;
    try {
        ReadLanguageFile((CommittedFolder / "big-numbers.lng").string(), translator.Items, index, info);
        FAIL() << "no error";
    } catch (const ConversionError &error) {
        EXPECT_STREQ(error.what(), "'4294967297' is not a valid integer value");
    }
    EXPECT_EQ(translator.Items[0].Translation, "erste");
    EXPECT_EQ(translator.Items[1].Translation, "groesste");
    EXPECT_EQ(translator.Items[2].Translation, ""); // after the error nothing is read

    try {
        ReadTemplateFile((CommittedFolder / "big-param.lnd").string(), editor);
        FAIL() << "no error";
    } catch (const ConversionError &error) {
        EXPECT_STREQ(error.what(), "'99999999999' is not a valid integer value");
    }
}

TEST(HostileFiles, OnlyCrLfAndLfEndLines)
{
    EditorTemplate editor;
    ReadTemplateFile((CommittedFolder / "cr-only.lnd").string(), editor);
    // The whole file is one line: a bracketed line of header mode's name with text after it.
    EXPECT_TRUE(editor.Items.empty());
    EXPECT_TRUE(editor.Info.Program.empty());

    TranslatorTemplate translator;
    TemplateReader(translator).ReadAll("1: MESSAGE \"a\"\r\n");
    NumberIndex index;
    index.Build(translator.Items);
    TLanguageInfo info;
    ReadLanguageFile((CommittedFolder / "cr-only.lng").string(), translator.Items, index, info);
    EXPECT_EQ(info.Language, "Deutsch\r00001:eins\r00002:zwei\r");
    EXPECT_EQ(translator.Items[0].Translation, "");
}

TEST(HostileFiles, AByteOrderMarkDeclaresUtf8AndIsNotPartOfTheFirstLine)
{
    EditorTemplate editor;
    ReadTemplateFile((CommittedFolder / "utf8-bom.lnd").string(), editor);
    EXPECT_EQ(editor.Info.CodePage, "UTF-8");
    EXPECT_FALSE(editor.Info.Program.empty());
    ASSERT_FALSE(editor.Items.empty());
    EXPECT_EQ(editor.Items.back().Number, 1);
    EXPECT_EQ(editor.Items.back().Text, "P\xc5\x99\xc3\xadklad");

    TranslatorTemplate translator;
    TemplateReader(translator).ReadAll("1: MESSAGE \"a\"\r\n");
    NumberIndex index;
    index.Build(translator.Items);
    TLanguageInfo info;
    ReadLanguageFile((CommittedFolder / "utf8-bom.lng").string(), translator.Items, index, info);
    EXPECT_EQ(info.Language, "Deutsch");
    EXPECT_EQ(info.CodePage, "UTF-8");
    EXPECT_EQ(translator.Items[0].Translation, "Beispiel");
}

TEST(HostileFiles, ALanguageFileWhoseDefinitionNamesItselfAsksOnceAtMost)
{
    DocumentFolder folder;
    const std::string self = (folder.root_ / "self-definition.lng").string();
    const std::string loop = (folder.root_ / "loop.lnd").string();
    fs::copy_file(CommittedFolder / "self-definition.lng", self);
    fs::copy_file(CommittedFolder / "loop.lnd", loop);

    // A definition that names no template: the user is asked, and following it finds nothing.
    folder.dialogs_.OpenChoices = {self};
    folder.dialogs_.Answers = {true, true, true};
    folder.document_.OtevritJazyk();
    EXPECT_EQ(folder.dialogs_.Questions.size(), 1u);
    EXPECT_EQ(folder.document_.Header().editSablona, "self-definition.lng");

    // A language file that is its own template: switching to it reads it once more and stops.
    folder.dialogs_.Questions.clear();
    folder.dialogs_.OpenChoices = {loop};
    folder.dialogs_.Answers = {true, true, true};
    folder.document_.OtevritJazyk();
    EXPECT_EQ(folder.dialogs_.Questions.size(), 1u);
    EXPECT_EQ(folder.document_.Grid().RowCount(), static_cast<int>(folder.document_.polozky().size()) + 1);
}

TEST(HostileFiles, TheFirstOfOneHundredThousandEqualNumbersTakesTheTranslation)
{
    const std::string path = (Generated().Folder() / "same-number-100k.lnd").string();
    TranslatorTemplate translator;
    ReadTemplateFile(path, translator);
    ASSERT_EQ(translator.Items.size(), 100'001u);
    NumberIndex index;
    index.Build(translator.Items);
    TLanguageInfo info;
    ReadLanguageBytes("7:sama\r\n8:jina\r\n", translator.Items, index, info);
    EXPECT_EQ(translator.Items[0].Translation, "sama");
    EXPECT_EQ(translator.Items[1].Translation, "");
    EXPECT_EQ(translator.Items[100'000].Translation, "jina");

    DocumentFolder folder;
    folder.document_.MapujText(path);
    folder.document_.NovyJazyk(true, false);
    ASSERT_EQ(folder.document_.polozky().size(), 100'001u);
    EXPECT_EQ(folder.document_.pocetKPrekladu(), 100'001);
    const std::string language = (folder.root_ / "same.lng").string();
    std::ofstream(language, std::ios::binary) << "7:sama\r\n";
    folder.document_.NactiJazyk(language, 1);
    EXPECT_EQ(folder.document_.Grid().Text(1, 1), "sama");
    EXPECT_EQ(folder.document_.Grid().Text(1, 2), "");
}

TEST(HostileFiles, UnclosedQuotesGiveAnEmptyText)
{
    EditorTemplate editor;
    ReadTemplateFile((Generated().Folder() / "unclosed-quotes.txt").string(), editor);
    ASSERT_FALSE(editor.Items.empty());
    EXPECT_EQ(editor.Items.front().Number, 1);
    EXPECT_EQ(editor.Items.front().Kind, ikMessage);
    EXPECT_EQ(editor.Items.front().Text, "");
    EXPECT_EQ(editor.Items.back().Text, "closed");
}

TEST(HostileFiles, OneHundredMegabytesOnOneLineAreReadWhole)
{
    const std::string path = (Generated().Folder() / "single-line-100mb.txt").string();
    TranslatorTemplate translator;
    TemplateReader(translator).ReadAll("12: MESSAGE \"a\"\r\n");
    NumberIndex index;
    index.Build(translator.Items);
    TLanguageInfo info;
    ReadLanguageFile(path, translator.Items, index, info);
    EXPECT_GE(translator.Items[0].Translation.size(), 100u * 1024 * 1024 - 3);
    EXPECT_EQ(translator.Items[0].Translation.substr(0, 4), "Ulo\x9E");
}

TEST(HostileFiles, AMillionBracketLinesChangeNothing)
{
    const std::string path = (Generated().Folder() / "brackets-1m.txt").string();
    EditorTemplate editor;
    ReadTemplateFile(path, editor);
    EXPECT_TRUE(editor.Items.empty());
    EXPECT_TRUE(ParseOldFormat(Read(path)).Entries.empty());
    EXPECT_TRUE(ReadCatalogueFile(path).empty());
    EXPECT_EQ(ProfileReadString(Read(path), "Obecne", "Jazyk", "default"), "default");
}

// Found by fuzzing: a double quote in an old-format key cannot be quoted in the converted
// template; its rest is read as tokens, and a token that looks like a number stops the reading.
TEST(HostileFiles, AQuoteInAnOldFormatKeyIsRefusedNamingItsLine)
{
    try {
        ParseOldFormat("[MESSAGES]\r\nAhoj = Hallo\r\n\"0quoted\" = q\r\n");
        FAIL() << "no error";
    } catch (const FormatError &error) {
        EXPECT_STREQ(error.what(),
                     "Line 3: the text \"\"0quoted\"\" holds a double quote, which a template line "
                     "cannot hold");
    }
}
