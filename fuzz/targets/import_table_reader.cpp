// The export table reader of 'verbaria-tool import' over a document with a small fixed template.
#include "FuzzSupport.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "tool/DocumentSession.h"
#include "tool/ImportTable.h"

#include <filesystem>
#include <iostream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace verbaria;
    struct RemovedAtExit
    {
        std::string path;
        ~RemovedAtExit() { std::filesystem::remove_all(path); }
    };
    static const RemovedAtExit folder{[] {
        std::cerr.setstate(std::ios::failbit); // the session's questions go to stderr
        const auto path =
            std::filesystem::temp_directory_path() / ("verbaria-fuzz-import-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        WriteFileAtomically(
            (path / "demo.lnd").string(),
            "[ITEMS]\r\n1: SECTION \"Okno\"\r\n2: COMPONENT \"F.Caption\"\r\n3: COMMENT \"Pozor\"\r\n"
            "4: MESSAGE \"Ahoj\"\r\n123456: MESSAGE \"big\"\r\n");
        return path.string() + "/";
    }()};
    static tool::DocumentSession session(folder.path);
    static const bool loaded = session.LoadTemplate(folder.path + "demo.lnd");
    FUZZ_CHECK(loaded);
    LanguageDocument &document = session.Document();
    document.NovyJazyk(false, false);
    const std::string error = tool::ApplyImportTable(AsBytes(data, size), document);
    FUZZ_CHECK(error.empty() || error.rfind("line ", 0) == 0);
    FUZZ_CHECK(document.polozky().size() == 5);
    document.SavedBytes();
    return 0;
}
