#include "tool/Command.h"
#include "tool/DocumentSession.h"
#include "tool/Json.h"
#include "tool/OptionParser.h"

#include "editor/core/TranslationCounts.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"

#include <algorithm>
#include <iostream>
#include <string>

namespace verbaria::tool {

namespace {

const char *const StatsUsage =
    "Usage: verbaria-tool stats [--program-folder DIR] [--json] TEMPLATE [LANGUAGE]...\n"
    "\n"
    "Prints for every language file how many of the template's texts to translate (its\n"
    "COMPONENT and MESSAGE entries) it translates, as the editor's status bar counts them: a\n"
    "table with the columns file, translated, untranslated and total, or with --json one JSON\n"
    "array of objects with the keys \"file\", \"translated\", \"untranslated\", \"total\",\n"
    "\"changed\" (the translations whose original the template changed since they were made, in a\n"
    "file that tracks its originals), \"words\" and \"words_translated\" (the words of the\n"
    "originals of those texts) and \"review\" (the translations waiting for review).\n"
    "Without a language file the template itself is listed, with nothing translated.\n";

struct Row
{
    std::string File;
    TranslationCounts Counts;
    int Changed = 0; // translations whose original changed since (a file that tracks them)
    ReviewCounts Review;
};

void PrintRows(const std::vector<Row> &rows, bool json)
{
    std::string out;
    if (json) {
        JsonWriter writer(out);
        writer.BeginArray({"", ",\n ", ""});
        for (const Row &row : rows) {
            writer.BeginObject()
                .Member("file", row.File)
                .Member("translated", row.Counts.Translated)
                .Member("untranslated", row.Counts.Untranslated())
                .Member("total", row.Counts.Total)
                .Member("changed", row.Changed)
                .Member("words", row.Counts.Words)
                .Member("words_translated", row.Counts.WordsTranslated)
                .Member("review", row.Review.Rows)
                .EndObject();
        }
        writer.EndArray();
        out += '\n';
    } else {
        std::size_t width = 4;
        for (const Row &row : rows)
            width = std::max(width, row.File.size());
        auto line = [&](const std::string &file, const std::string &a, const std::string &b,
                        const std::string &c) {
            out += file + std::string(width - file.size(), ' ');
            for (const std::string *number : {&a, &b, &c})
                out += "  " + std::string(number->size() < 12 ? 12 - number->size() : 0, ' ') + *number;
            out += '\n';
        };
        line("file", "translated", "untranslated", "total");
        for (const Row &row : rows)
            line(row.File, std::to_string(row.Counts.Translated), std::to_string(row.Counts.Untranslated()),
                 std::to_string(row.Counts.Total));
    }
    std::cout << out;
    std::cout.flush();
}

int RunStats(const std::vector<std::string> &args)
{
    std::string programFolder;
    bool json = false;
    OptionParser options("stats");
    options.Include(shared::ProgramFolder, programFolder).Include(shared::Json, json);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &positional = options.Arguments();
    if (positional.empty())
        return options.Error("a template is needed");
    for (std::size_t i = 1; i < positional.size(); ++i) {
        if (!FileExists(positional[i])) {
            PrintError(positional[i] + ": File not found");
            return ExitFailure;
        }
    }

    DocumentSession session(programFolder);
    LanguageDocument &document = session.Document();
    std::vector<Row> rows;
    try {
        if (!session.LoadTemplate(positional[0])) {
            PrintError(positional[0] + ": template not found");
            return ExitFailure;
        }
        if (positional.size() == 1)
            rows.push_back({positional[0], CountTranslations(document), 0, CountForReview(document)});
        for (std::size_t i = 1; i < positional.size(); ++i) {
            // Each file is counted against the template given, whatever its DEFINITION says.
            document.NovyJazyk(false, false);
            document.SetStartovani(true);
            document.NactiJazyk(positional[i], 1);
            rows.push_back({positional[i], CountTranslations(document), document.ChangedCount(),
                            CountForReview(document)});
        }
    } catch (const FormatError &error) {
        PrintRows(rows, json);
        PrintError(error.what());
        return ExitFailure;
    }
    PrintRows(rows, json);
    return ExitOk;
}

const CommandRegistration registration{
    Command{"stats", "count the translated texts of language files", StatsUsage, RunStats}};

} // namespace
} // namespace verbaria::tool
