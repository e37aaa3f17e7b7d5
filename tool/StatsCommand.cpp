#include "tool/Command.h"
#include "tool/DocumentSession.h"
#include "tool/OptionParser.h"

#include "editor/core/TranslationCounts.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"

#include <algorithm>
#include <cstdio>
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
    "array of objects with the keys \"file\", \"translated\", \"untranslated\" and \"total\".\n"
    "Without a language file the template itself is listed, with nothing translated.\n";

struct Row
{
    std::string File;
    TranslationCounts Counts;
};

void AppendJsonString(std::string &out, const std::string &text)
{
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void PrintRows(const std::vector<Row> &rows, bool json)
{
    std::string out;
    if (json) {
        out += '[';
        for (std::size_t i = 0; i < rows.size(); ++i) {
            out += i ? ",\n {" : "{";
            out += "\"file\": ";
            AppendJsonString(out, rows[i].File);
            out += ", \"translated\": " + std::to_string(rows[i].Counts.Translated);
            out += ", \"untranslated\": " + std::to_string(rows[i].Counts.Untranslated());
            out += ", \"total\": " + std::to_string(rows[i].Counts.Total) + "}";
        }
        out += "]\n";
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
    options.Value({"--program-folder"}, programFolder).Flag({"--json"}, json);
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
            rows.push_back({positional[0], CountTranslations(document)});
        for (std::size_t i = 1; i < positional.size(); ++i) {
            // Each file is counted against the template given, whatever its DEFINITION says.
            document.NovyJazyk(false, false);
            document.SetStartovani(true);
            document.NactiJazyk(positional[i], 1);
            rows.push_back({positional[i], CountTranslations(document)});
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
