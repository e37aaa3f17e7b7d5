// One measurement per run, for bench/run.sh, which runs each under /usr/bin/time for its peak
// memory: generates the files of a given size, or times one reader or writer on them. Prints the
// best of three runs of the operation in seconds ("seconds 0.123"), or look-ups per second.
#include "editor/core/LanguageDocument.h"
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/OldFormat.h"
#include "formats/TemplateFile.h"
#include "tests/support/Cp1250.h"
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

// Words of a Czech user interface, in the files' code page.
std::vector<std::string> CzechWords()
{
    const char *const utf8[] = {"Uložit",   "změny",    "soubor",   "jazyk",      "překlad",   "okno",
                                "nástroje", "nápověda", "Otevřít",  "šablona",    "položka",   "čeština",
                                "tisk",     "úpravy",   "zobrazit", "vlastnosti", "Zavřít",    "nový",
                                "řádek",    "příkaz",   "hledat",   "další",      "předchozí", "nastavení",
                                "program",  "verze",    "autor",    "chyba",      "dokončena", "konverze"};
    std::vector<std::string> words;
    for (const char *word : utf8)
        words.push_back(Utf8ToCp1250Lossy(word));
    return words;
}

class Text final
{
public:
    std::string Sentence(int minWords, int maxWords)
    {
        const int count =
            minWords + static_cast<int>(Next() % static_cast<unsigned>(maxWords - minWords + 1));
        std::string s;
        for (int i = 0; i < count; ++i) {
            if (i)
                s += ' ';
            s += words_[Next() % words_.size()];
        }
        return s;
    }
    unsigned Next()
    {
        seed_ = seed_ * 1103515245u + 12345u;
        return seed_ >> 8;
    }

private:
    std::vector<std::string> words_ = CzechWords();
    unsigned seed_ = 20240607;
};

// A template of entries entries, its language file and the same texts in the old format.
void Generate(int entries, const std::string &folder)
{
    Text text;
    const std::string base = folder + "/t" + std::to_string(entries);
    std::string lnd = "[LANGUAGE]\r\nProgram=Velk\xFD program\r\nVersion=2.5\r\nAuthor=Jan Nov\xE1k|Petr "
                      "Svoboda\r\n\r\n[ITEMS]\r\n";
    std::string lng = "Language=English\r\nVersion=1.0\r\nAuthor=Jane Doe\r\nDefinition=t" +
                      std::to_string(entries) + ".lnd\r\n";
    std::string oldTranslations =
        "[LANGUAGE]\r\nLANGUAGE NAME = English\r\nAUTHOR = Jane Doe\r\nPROGRAM VERSION = 2.5\r\n"
        "\r\n[TRANSLATIONS]\r\n";
    std::string oldMessages = "[MESSAGES]\r\n";
    for (int i = 1; i <= entries; ++i) {
        const std::string number = std::to_string(i);
        if (i % 50 == 1) {
            lnd += number + ": SECTION \"" + text.Sentence(1, 3) + "\"\r\n";
            continue;
        }
        if (i % 97 == 0) {
            lnd += number + ": COMMENT \"" + text.Sentence(3, 8) + "\"\r\n";
            continue;
        }
        const std::string translation = text.Sentence(1, 6);
        if (i % 3 == 0) {
            const std::string message = text.Sentence(2, 8) + " " + number;
            lnd += number + ": MESSAGE \"" + message + "\"\r\n";
            oldMessages += message + " = " + translation + "\r\n";
        } else {
            const std::string path =
                "Form" + std::to_string(i % 211) + ".control" + number + (i % 5 == 0 ? ".Hint" : ".Caption");
            lnd += number + ": COMPONENT \"" + path + "\"\r\n";
            oldTranslations += path + " = " + translation + "\r\n";
        }
        lng += number + ":" + translation + "\r\n";
    }
    WriteFileAtomically(base + ".lnd", lnd);
    WriteFileAtomically(base + ".lng", lng);
    WriteFileAtomically(base + ".old", oldTranslations + oldMessages);
}

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
        Generate(std::atoi(argv[2]), second);
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
