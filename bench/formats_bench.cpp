// Reading and writing speed of the two file formats, and export of a large pair, on generated
// files of realistic Czech text. Prints MB/s; asserts nothing.
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/TemplateFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace verbaria;
using Clock = std::chrono::steady_clock;

namespace {

const char *const Words[] = {"Uložit", "změny", "soubor", "jazyk", "překlad", "okno", "nástroje", "nápověda",
                             "Otevřít", "šablona", "položka", "čeština", "tisk", "úpravy", "zobrazit", "vlastnosti"};

std::string Sentence(unsigned &seed, int words)
{
    std::string s;
    for (int i = 0; i < words; ++i) {
        seed = seed * 1103515245u + 12345u;
        if (i)
            s += ' ';
        s += Words[(seed >> 16) % 16];
    }
    return s;
}

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <class F>
double Best(F &&f)
{
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        f();
        best = std::min(best, Seconds(start));
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    const int entries = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const auto folder = std::filesystem::temp_directory_path() / "verbaria-formats-bench";
    std::filesystem::create_directories(folder);
    const std::string lndPath = (folder / "big.lnd").string();
    const std::string lngPath = (folder / "big.lng").string();

    unsigned seed = 42;
    std::string lnd = "[LANGUAGE]\r\nProgram=Benchmark\r\nVersion=1.0\r\nAuthor=Verbaria\r\n\r\n[ITEMS]\r\n";
    std::string lng = "Language=English\r\nVersion=1.0\r\nDefinition=big.lnd\r\n";
    for (int i = 1; i <= entries; ++i) {
        if (i % 50 == 1) {
            lnd += std::to_string(i) + ": SECTION \"" + Sentence(seed, 2) + "\"\r\n";
            continue;
        }
        const bool message = i % 3 == 0;
        lnd += std::to_string(i) + (message ? ": MESSAGE \"" + Sentence(seed, 5) + "\"\r\n"
                                            : ": COMPONENT \"Form" + std::to_string(i % 97) + ".control" +
                                                  std::to_string(i) + ".Caption\"\r\n");
        lng += std::to_string(i) + ":" + Sentence(seed, 4) + "\r\n";
    }
    WriteFileAtomically(lndPath, lnd);
    WriteFileAtomically(lngPath, lng);
    const double lndMb = static_cast<double>(lnd.size()) / 1e6;
    const double lngMb = static_cast<double>(lng.size()) / 1e6;

    std::printf("%d entries: template %.1f MB, language file %.1f MB\n", entries, lndMb, lngMb);
    std::printf("%-40s %10s %10s\n", "operation", "seconds", "MB/s");
    auto report = [](const char *what, double seconds, double mb) {
        std::printf("%-40s %10.3f %10.0f\n", what, seconds, mb / seconds);
    };

    EditorTemplate editorTemplate;
    report("read template (editor)", Best([&] { ReadTemplateFile(lndPath, editorTemplate); }), lndMb);
    TranslatorTemplate translatorTemplate;
    report("read template (translator)", Best([&] { ReadTemplateFile(lndPath, translatorTemplate); }), lndMb);

    NumberIndex index;
    index.Build(translatorTemplate.Items);
    TLanguageInfo info;
    report("read language (translator)",
           Best([&] { ReadLanguageFile(lngPath, translatorTemplate.Items, index, info); }), lngMb);

    std::vector<std::string> cells(editorTemplate.Items.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = Sentence(seed, 4);
    std::string out;
    const double format = Best([&] { out = FormatLanguageFile({"English", "1.0", "", "big.lnd"}, editorTemplate.Items, cells); });
    report("format language file", format, static_cast<double>(out.size()) / 1e6);
    report("write language file (format + save)",
           Best([&] {
               WriteFileAtomically((folder / "saved.lng").string(),
                                   FormatLanguageFile({"English", "1.0", "", "big.lnd"}, editorTemplate.Items, cells));
           }),
           static_cast<double>(out.size()) / 1e6);
    std::filesystem::remove_all(folder);
    return 0;
}
