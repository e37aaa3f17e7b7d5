// A language file that names a template on 2,000 lines, read beside a folder of 3,000 files and a
// catalogue of registered programs: each name is looked up once per read and the user is asked
// once at most. Prints the best of three reads in seconds and the questions asked, for the
// editor's document and for `verbaria-tool export` (when it is built beside this program).
#include "editor/core/LanguageDocument.h"
#include "tests/support/ScriptedDialogs.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace verbaria;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

void Write(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Read
{
    double Seconds;
    std::size_t Questions;
};

Read ReadInEditor(const fs::path &folder, const fs::path &language)
{
    double best = 1e9;
    std::size_t questions = 0;
    for (int run = 0; run < 3; ++run) {
        SettingsValues settings;
        ScriptedDialogs dialogs;
        dialogs.Answers = {false};
        CzechTexts texts;
        LanguageDocument document(settings, dialogs, texts);
        document.SetProgramFolder(folder.string() + "/");
        document.MapujText((folder / "demo.lnd").string());
        document.NovyJazyk(true);
        const auto start = Clock::now();
        document.NactiJazyk(language.string(), LanguageDocument::ColumnTranslation);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
        questions = dialogs.Questions.size();
    }
    return {best, questions};
}

double ExportWithTool(const fs::path &tool, const fs::path &folder, const fs::path &language)
{
    if (!fs::exists(tool))
        return -1;
    const std::string command = "'" + tool.string() + "' export '" + (folder / "demo.lnd").string() + "' '" +
                                language.string() + "' --program-folder '" + folder.string() +
                                "' >/dev/null 2>&1";
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0)
            return -1;
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int, char **argv)
{
    const fs::path folder =
        fs::temp_directory_path() / ("verbaria-definitions-" + std::to_string(::getpid()));
    fs::create_directories(folder / "programs");
    for (int i = 0; i < 3000; ++i)
        Write(folder / ("soubor" + std::to_string(i) + ".txt"), "x");
    Write(folder / "demo.lnd", "[ITEMS]\r\n1: MESSAGE \"Ahoj\"\r\n2: MESSAGE \"Soubor\"\r\n");
    Write(folder / "programs/other.lnd", "[ITEMS]\r\n1: MESSAGE \"Jiný\"\r\n");
    std::string catalogue;
    for (int i = 0; i < 50; ++i)
        catalogue += "Program " + std::to_string(i) + "=" + (folder / "programs").string() + "/p" +
                     std::to_string(i) + ".exe;" + (folder / "programs/other.lnd").string() + "\r\n";
    Write(folder / "programs.ini", catalogue);

    // The same other template on every line, and 2,000 names that exist nowhere.
    std::string same, distinct;
    for (int i = 0; i < 2000; ++i) {
        same += "Definition=other.lnd\r\n";
        distinct += "Definition=missing" + std::to_string(i) + ".lnd\r\n";
    }
    Write(folder / "same.lng", same + "00001:Hallo\r\n");
    Write(folder / "distinct.lng", distinct + "00001:Hallo\r\n");

    const fs::path tool = fs::path(argv[0]).parent_path() / "verbaria-tool";
    for (const char *name : {"same.lng", "distinct.lng"}) {
        const Read read = ReadInEditor(folder, folder / name);
        std::printf("%-13s editor %.3f s, %zu question(s); verbaria-tool export %.3f s\n", name, read.Seconds,
                    read.Questions, ExportWithTool(tool, folder, folder / name));
    }
    fs::remove_all(folder);
    return 0;
}
