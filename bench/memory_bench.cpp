// The translation memory of a catalogue: 50 language files of 20,000 entries each, with their
// templates, read from their bytes and built into one memory; then the look-ups the editor makes
// for the selected row (exact and similar originals) and the consistency report. Goals: the build
// under 2 s, a look-up under 50 ms.
#include "checks/DocumentChecks.h"
#include "checks/MemoryInput.h"
#include "checks/TranslationMemory.h"
#include "tests/support/Cp1250.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using namespace verbaria;
using namespace verbaria::checks;

namespace {

constexpr int Files = 50;
constexpr int EntriesPerFile = 20'000;

std::uint64_t Mix(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ull;
    return x ^ (x >> 33);
}

// A vocabulary of 4,000 made-up words of Czech syllables and their made-up English, drawn as
// words of real texts are (the r-th most common about 1/r as often): a few words are in most
// texts, most words in few.
constexpr int VocabularySize = 4000;

const std::vector<std::pair<std::string, std::string>> &Vocabulary()
{
    static const std::vector<std::pair<std::string, std::string>> words = [] {
        static const char *const czech[] = {"ná",  "sta",  "ve",  "ní",  "so",  "ubor", "ulo",  "žit",
                                            "ote", "vřít", "za",  "změ", "ny",  "pře",  "klad", "ja",
                                            "zyk", "ok",   "no",  "čí",  "tač", "ko",   "pro",  "gram",
                                            "řá",  "dek",  "str", "án",  "ka",  "dy"};
        static const char *const english[] = {"fi",   "le",  "sa",   "ve",  "op",  "en",  "clo", "se",
                                              "chan", "ge",  "win",  "dow", "lan", "gua", "tem", "pla",
                                              "te",   "pro", "gram", "li",  "ne",  "pa",  "ge",  "coun",
                                              "ter",  "ed",  "it",   "vi",  "ew",  "ing"};
        std::vector<std::pair<std::string, std::string>> list;
        for (std::uint64_t w = 0; w < VocabularySize; ++w) {
            std::string c;
            std::string e;
            const int syllables = 1 + static_cast<int>(Mix(w) % 3);
            for (int k = 0; k < syllables; ++k) {
                const std::uint64_t pick = Mix(w * 7 + static_cast<std::uint64_t>(k)) % 30;
                c += czech[pick];
                e += english[(pick * 7 + w) % 30];
            }
            list.emplace_back(c, e);
        }
        return list;
    }();
    return words;
}

std::size_t WordRank(std::uint64_t draw)
{
    // Inverse of a 1/r distribution over the vocabulary.
    const double u = static_cast<double>(draw % 1'000'000) / 1'000'000.0;
    const auto rank =
        static_cast<std::size_t>(std::exp(u * std::log(static_cast<double>(VocabularySize))) - 1);
    return std::min<std::size_t>(rank, VocabularySize - 1);
}

// The original (UTF-8) and its translation for one key: two to eight words and a number.
std::pair<std::string, std::string> TextOf(std::uint64_t key, bool variant)
{
    const int words = 2 + static_cast<int>(Mix(key) % 7);
    std::string original;
    std::string translation;
    for (int k = 0; k < words; ++k) {
        const auto &[czech, english] = Vocabulary()[WordRank(Mix(key * 31 + static_cast<std::uint64_t>(k)))];
        original += (k ? " " : "") + czech;
        translation += (k ? " " : "") + english;
    }
    const std::string number = " " + std::to_string(key % 997);
    original += number;
    translation += (variant ? " (" + number.substr(1) + ")" : number);
    return {original, translation};
}

struct Pair
{
    std::string Template;
    std::string Language;
};

// Three entries in five come from a pool the programs share (so the memory finds them in other
// files), the rest are the program's own; every tenth file words some shared texts its own way.
const std::vector<Pair> &Catalogue()
{
    static const std::vector<Pair> files = [] {
        std::vector<Pair> result;
        for (int f = 0; f < Files; ++f) {
            Pair pair;
            pair.Template = "[LANGUAGE]\r\nPROGRAM=Program " + std::to_string(f) + "\r\n[ITEMS]\r\n";
            pair.Language = "Language=English\r\nDefinition=p" + std::to_string(f) + ".lnd\r\n";
            for (int i = 1; i <= EntriesPerFile; ++i) {
                const std::uint64_t draw =
                    Mix(static_cast<std::uint64_t>(f) * 1'000'003 + static_cast<std::uint64_t>(i));
                const bool shared = draw % 5 < 3;
                const std::uint64_t key =
                    shared ? draw % 200'000 : 1'000'000 + static_cast<std::uint64_t>(f) * EntriesPerFile + i;
                const auto [original, translation] = TextOf(key, f % 10 == 9 && draw % 7 == 0);
                const std::string number = std::to_string(i);
                if (i % 2 == 0) {
                    pair.Template += "/Text=" + Utf8ToCp1250Lossy(original) + "\r\n" + number +
                                     ":component \"Form" + std::to_string(i / 100) + ".label" + number +
                                     ".Caption\"\r\n";
                } else {
                    pair.Template += number + ":message \"" + Utf8ToCp1250Lossy(original) + "\"\r\n";
                }
                pair.Language += number + ":" + Utf8ToCp1250Lossy(translation) + "\r\n";
            }
            result.push_back(std::move(pair));
        }
        return result;
    }();
    return files;
}

TranslationMemory BuildMemory()
{
    const Decoder decoder = [](std::string_view bytes) { return Cp1250ToUtf8(bytes); };
    TranslationMemory memory;
    int f = 0;
    for (const Pair &pair : Catalogue())
        AddLanguageFile(memory, memory.AddFile("p" + std::to_string(f++) + ".lng"), pair.Template,
                        pair.Language, decoder, decoder);
    memory.Build();
    return memory;
}

const TranslationMemory &SharedMemory()
{
    static const TranslationMemory memory = BuildMemory();
    return memory;
}

// Originals as a selected row would ask for them: ones the memory holds, and the same with one
// word changed (the similar look-up's usual case).
std::vector<std::string> Queries(bool changed)
{
    std::vector<std::string> queries;
    for (std::uint64_t k = 0; k < 1000; ++k) {
        std::string original = TextOf(Mix(k) % 200'000, false).first;
        if (changed)
            original.insert(original.find(' ') + 1, "velmi ");
        queries.push_back(std::move(original));
    }
    return queries;
}

void BM_BuildMemory(benchmark::State &state)
{
    Catalogue();
    std::size_t units = 0;
    for (auto _ : state) {
        TranslationMemory memory = BuildMemory();
        units = memory.size();
        benchmark::DoNotOptimize(memory);
    }
    state.counters["translations"] = static_cast<double>(units);
}
BENCHMARK(BM_BuildMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExactLookUp(benchmark::State &state)
{
    const TranslationMemory &memory = SharedMemory();
    const std::vector<std::string> queries = Queries(false);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(memory.Exact(queries[i++ % queries.size()]));
}
BENCHMARK(BM_ExactLookUp)->Unit(benchmark::kMicrosecond);

// What the text pane asks for the selected row: the exact matches and the similar ones.
void BM_SelectedRowLookUp(benchmark::State &state)
{
    const TranslationMemory &memory = SharedMemory();
    const std::vector<std::string> queries = Queries(state.range(0) != 0);
    std::size_t i = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        const std::string &query = queries[i++ % queries.size()];
        auto exact = memory.Exact(query);
        auto similar = memory.Similar(query);
        found += exact.size() + similar.size();
        benchmark::DoNotOptimize(similar);
    }
    state.counters["suggestions"] =
        benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SelectedRowLookUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ConsistencyReport(benchmark::State &state)
{
    const TranslationMemory &memory = SharedMemory();
    std::size_t count = 0;
    for (auto _ : state)
        count = memory.Inconsistencies().size();
    state.counters["originals"] = static_cast<double>(count);
}
BENCHMARK(BM_ConsistencyReport)->Unit(benchmark::kMillisecond)->Iterations(3);

// The checks of a whole document of 200,000 entries, as the editor runs them when it opens one
// (the markers and the filter "rows with problems" need every row's findings).
void BM_CheckWholeDocument(benchmark::State &state)
{
    std::vector<CheckedEntry> entries;
    for (std::uint64_t i = 0; i < 200'000; ++i) {
        auto [original, translation] = TextOf(Mix(i) % 200'000, i % 13 == 0);
        if (i % 4 == 0)
            original = "&" + original;
        if (i % 7 == 0)
            translation += ":";
        entries.push_back({i % 2 ? ikMessage : ikComponent, static_cast<std::int32_t>(i + 1), 0,
                           "Form" + std::to_string(i / 100) + ".label" + std::to_string(i) + ".Caption",
                           original, translation});
    }
    std::size_t findings = 0;
    for (auto _ : state) {
        DocumentChecks checks;
        checks.Reset(entries);
        findings = 0;
        for (std::size_t i = 0; i < checks.size(); ++i)
            findings += checks.FindingsFor(i).size();
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckWholeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
