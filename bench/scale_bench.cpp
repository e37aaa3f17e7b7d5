// One measurement per run, for bench/run.sh, which runs each under /usr/bin/time for its peak
// memory: generates the files of a given size, or times one reader or writer on them. Prints the
// best of three runs of the operation in seconds ("seconds 0.123"), or look-ups per second.
#include "bench/GeneratedFiles.h"
#include "editor/core/LanguageDocument.h"
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/OldFormat.h"
#include "formats/TemplateFile.h"
#include "translator/TKVTranslator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace verbaria;
using Clock = std::chrono::steady_clock;

namespace {

template <class Operation> double BestOfThree(Operation &&operation)
{
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        operation();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

class NoDialogs final : public UserDialogs
{
public:
    std::optional<std::string> SaveAs;
    bool AskYesNo(const std::string &) override { return false; }
    void Inform(const std::string &) override {}
    void ReportError(const std::string &message) override
    {
        std::fprintf(stderr, "error: %s\n", message.c_str());
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogState &) override { return std::nullopt; }
    std::optional<std::string> ChooseFileToSave(const FileDialogState &) override { return SaveAs; }
};

int Usage()
{
    std::fprintf(
        stderr,
        "usage: scale_bench generate ENTRIES FOLDER\n"
        "       scale_bench template-editor|template-translator|old-format FILE\n"
        "       scale_bench language-translator|language-editor|save|lookups TEMPLATE LANGUAGE [OUT]\n"
        "       scale_bench convert OLD FOLDER\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return Usage();
    const std::string mode = argv[1];
    const std::string first = argv[2];
    const std::string second = argc > 3 ? argv[3] : std::string();

    if (mode == "generate" && argc == 4) {
        bench::Generate(std::atoi(argv[2]), second);
        return 0;
    }
    double seconds = 0;
    if (mode == "template-editor") {
        seconds = BestOfThree([&] {
            EditorTemplate t;
            ReadTemplateFile(first, t);
        });
    } else if (mode == "template-translator") {
        seconds = BestOfThree([&] {
            TranslatorTemplate t;
            ReadTemplateFile(first, t);
        });
    } else if (mode == "old-format") {
        seconds = BestOfThree([&] {
            std::string bytes;
            ReadFileBytes(first, bytes);
            ParseOldFormat(bytes);
        });
    } else if (mode == "convert" && argc == 4) {
        seconds = BestOfThree(
            [&] { ConvertOldFormatFile(first, second + "/converted.lng", second + "/converted.lnd"); });
    } else if (mode == "language-translator" && argc == 4) {
        TranslatorTemplate t;
        ReadTemplateFile(first, t);
        NumberIndex index;
        index.Build(t.Items);
        seconds = BestOfThree([&] {
            TLanguageInfo info;
            ReadLanguageFile(second, t.Items, index, info);
        });
    } else if ((mode == "language-editor" || mode == "save") && argc >= 4) {
        SettingsValues settings;
        NoDialogs dialogs;
        CzechTexts texts;
        LanguageDocument document(settings, dialogs, texts);
        document.SetProgramFolder(std::filesystem::path(first).parent_path().string() + "/");
        document.MapujText(first);
        document.NovyJazyk(true, false);
        seconds = BestOfThree([&] { document.NactiJazyk(second, LanguageDocument::ColumnTranslation); });
        if (mode == "save") {
            if (argc < 5)
                return Usage();
            dialogs.SaveAs = argv[4];
            seconds = BestOfThree([&] { document.UlozitJazyk(); });
        }
    } else if (mode == "lookups" && argc == 4) {
        TKVTranslator translator;
        translator.LoadTemplate(first);
        translator.SetLanguageFile(second);
        std::vector<std::string> messages;
        for (const auto &item : translator.Items()) {
            if (item.Kind == ikMessage)
                messages.push_back(item.Text);
        }
        messages.push_back("not a message of the template");
        std::size_t found = 0;
        const std::size_t lookups = std::max<std::size_t>(1'000'000, messages.size());
        const auto start = Clock::now();
        for (std::size_t i = 0; i < lookups; ++i)
            found += translator.TranslateText(messages[(i * 7919) % messages.size()]).size();
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("lookups_per_second %.0f\n", static_cast<double>(lookups) / elapsed);
        return found == 0;
    } else {
        return Usage();
    }
    std::printf("seconds %.6f\n", seconds);
    return 0;
}
