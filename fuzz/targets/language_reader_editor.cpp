// The editor's language reader: the document's NactiJazyk on a small fixed template, into either
// column; what it read (the tracked originals' obsolete translations too) must save and read back
// the same.
#include "FuzzSupport.h"
#include "editor/core/LanguageDocument.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class DeclineEverything final : public verbaria::UserDialogs
{
public:
    bool AskYesNo(const std::string &) override { return false; }
    void Inform(const std::string &) override {}
    void ReportError(const std::string &) override {}
    std::optional<std::string> ChooseFileToOpen(const verbaria::FileDialogState &) override { return {}; }
    std::optional<std::string> ChooseFileToSave(const verbaria::FileDialogState &) override { return {}; }
};

struct Session
{
    std::string folder;
    verbaria::SettingsValues settings;
    DeclineEverything dialogs;
    verbaria::CzechTexts texts;
    verbaria::LanguageDocument document{settings, dialogs, texts};

    Session()
    {
        // Memory-backed when possible: rewriting a file on disk for every input costs a flush.
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        folder = base / ("verbaria-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        folder += "/";
        // Template names in DEFINITION lines resolve against the working folder: keep it small.
        std::filesystem::current_path(folder);
        verbaria::WriteFileAtomically(
            folder + "demo.lnd", "[ITEMS]\r\n1: SECTION \"Okno\"\r\n2: COMPONENT \"F.Caption\"\r\n"
                                 "3: COMMENT \"Pozor\"\r\n4: MESSAGE \"Ahoj\"\r\n4: MESSAGE \"znovu\"\r\n"
                                 "123456: MESSAGE \"big\"\r\n");
        document.SetProgramFolder(folder);
        document.MapujText(folder + "demo.lnd");
    }
    ~Session() { std::filesystem::remove_all(folder); }
};

// A plain write: the atomic one syncs to disk, which would make every input a thousand times slower.
void WriteInput(const std::string &file, std::string_view bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace verbaria;
    static Session session;
    LanguageDocument &document = session.document;
    const int column =
        size > 0 && (data[0] & 1) ? LanguageDocument::ColumnOriginal : LanguageDocument::ColumnTranslation;
    document.NovyJazyk(true, false);
    document.Header() = {};
    const std::string file = session.folder + "input.lng";
    WriteInput(file, AsBytes(data, size));
    bool stopped = false;
    try {
        document.NactiJazyk(file, column);
    } catch (const FormatError &) {
        stopped = true;
    }
    FUZZ_CHECK(document.polozky().size() == 6);
    FUZZ_CHECK(document.Grid().RowCount() == 7);
    FUZZ_CHECK(document.Grid().Text(1, 3).empty()); // a comment row takes no text
    FUZZ_CHECK(document.Grid().Text(1, 5).empty()); // the second entry of a number neither

    // A translation that does not begin with a blank or a tab and has no line break reads back
    // as it was saved.
    if (!stopped && column == LanguageDocument::ColumnTranslation) {
        // A value with CR (a bare CR ends no line when read) is refused by the writer, whole.
        std::string saved;
        try {
            saved = document.SavedBytes();
        } catch (const LineBreakError &) {
            return 0;
        }
        std::vector<std::string> before;
        for (int row = 1; row <= 6; ++row)
            before.push_back(document.Grid().Text(1, row));
        // What a file that tracks its originals keeps comes back too.
        const bool tracking = document.Tracking();
        const auto obsolete = document.Obsolete();
        WriteInput(file, saved);
        document.NovyJazyk(true, false);
        document.Header() = {};
        try {
            document.NactiJazyk(file, column);
        } catch (const FormatError &) {
            FUZZ_CHECK(false);
        }
        FUZZ_CHECK(document.Tracking() == tracking);
        if (tracking)
            FUZZ_CHECK(document.Obsolete() == obsolete);
        for (int row = 1; row <= 6; ++row) {
            const std::string &was = before[static_cast<std::size_t>(row - 1)];
            const bool keepsShape = !was.empty() && was.front() != ' ' && was.front() != '\t' &&
                                    was.find_first_of("\r\n") == std::string::npos;
            const auto kind = document.polozky()[static_cast<std::size_t>(row - 1)].Kind;
            if (keepsShape && (kind == ikComponent || kind == ikMessage))
                FUZZ_CHECK(document.Grid().Text(1, row) == was);
        }
    }
    return 0;
}
