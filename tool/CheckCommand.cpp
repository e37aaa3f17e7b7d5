#include "tool/Command.h"
#include "tool/FileTexts.h"
#include "tool/Json.h"
#include "tool/OptionParser.h"

#include "checks/DocumentChecks.h"
#include "checks/RowNotes.h"
#include "checks/ScannedTexts.h"
#include "formats/CodePageNames.h"
#include "formats/Errors.h"
#include "formats/LanguageFile.h"
#include "formats/MessageInfo.h"
#include "formats/TextRules.h"
#include "formats/TrackedOriginals.h"
#include "translator/PluralRule.h"
#include "translator/qt/QtOwnTexts.h"

#include <QString>

#include <algorithm>
#include <iostream>

namespace verbaria::tool {

namespace {

const char *const kCheckUsage =
    "Usage: verbaria-tool check TEMPLATE LANGUAGE... [--description FILE] [--code-page NAME] [--json]\n"
    "\n"
    "Checks the translations of each LANGUAGE file against TEMPLATE and prints one line per\n"
    "finding:\n"
    "\n"
    "  FILE:LINE: error|warning: CHECK-ID: entry NUMBER: message\n"
    "\n"
    "LINE is the line of the language file that holds the translation. Errors: printf-placeholders,\n"
    "qt-placeholders, empty-original, code-page. Warnings: accelerator, accelerator-clash, blanks,\n"
    "end-punctuation, same-as-original, value-type, list-items (a list - Items, Columns, Rows -\n"
    "translated with another number of items than it has, split at \",\": the program's\n"
    "translator leaves such a list untranslated), plural-forms (a plural message translated with\n"
    "fewer forms than the language's rule - its Plural-Forms header, else its language - asks\n"
    "for), changed-original (in a file that tracks its originals: a translation made from\n"
    "another original than the template's now). Each further form of a plural message is checked as its "
    "first form is. A component entry is "
    "compared with the text\n"
    "of the --description language file, else with the text scan noted above it in the template;\n"
    "without either, the checks that need an original are skipped for it. Warnings acknowledged in\n"
    "the language file are not printed. With --json the findings are printed as one JSON array.\n"
    "Files that declare no code page are read in NAME (default windows-1250).\n"
    "\n"
    "Exit status: 0 when no error was found, 1 when one was or a file could not be read, 2 for a\n"
    "usage error.\n";

struct Reported
{
    std::string File;
    int Line = 0;
    std::int32_t Number = 0;
    checks::Finding Finding;
};

void CheckPluralForms(const std::string &file, const LanguageTexts &language,
                      const std::vector<TEditorItem> &items, const std::vector<MessageInfo> &messages,
                      const NumberIndex &index, const std::vector<int> &lines,
                      const std::vector<checks::CheckedEntry> &entries, std::vector<Reported> &reported);

std::string Json(const std::vector<Reported> &findings)
{
    std::string out;
    JsonWriter json(out);
    json.BeginArray({"\n  ", ",\n  ", "\n"});
    for (const Reported &r : findings) {
        json.BeginObject()
            .Member("file", r.File)
            .Member("line", r.Line)
            .Member("number", r.Number)
            .Member("severity", checks::SeverityName(r.Finding.Level()))
            .Member("check", checks::CheckName(r.Finding.Check))
            .Member("message", checks::EnglishMessage(r.Finding))
            .EndObject();
    }
    json.EndArray();
    out += '\n';
    return out;
}

int Check(const std::vector<std::string> &args)
{
    std::string description;
    std::string fallbackCodePage(FallbackCodePageName);
    bool json = false;
    OptionParser options("check");
    options.Include(shared::Description, description)
        .Include(shared::CodePage, fallbackCodePage)
        .Include(shared::Json, json);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &files = options.Arguments();
    if (files.size() < 2)
        return options.Error(files.empty() ? "no template given" : "no language file given");

    std::vector<Reported> reported;
    try {
        const TemplateTexts templateTexts = ReadTemplateTexts(files[0], fallbackCodePage);
        const checks::Decoder templateDecoder = DecoderFor(templateTexts.CodePage);
        const auto scanned = checks::ReadScannedTexts(templateTexts.Bytes);
        LanguageTexts descriptionTexts;
        checks::Decoder descriptionDecoder;
        if (!description.empty()) {
            descriptionTexts = ReadLanguageTexts(description, fallbackCodePage);
            descriptionDecoder = DecoderFor(descriptionTexts.CodePage);
        }

        // The originals are the same for every language file.
        const std::vector<TEditorItem> &items = templateTexts.Template.Items;
        NumberIndex index;
        index.Build(items);
        std::vector<checks::CheckedEntry> entries(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const TEditorItem &item = items[i];
            checks::CheckedEntry &entry = entries[i];
            entry = checks::CheckedEntry::Of(item);
            std::optional<std::string> described;
            std::optional<std::string> noted;
            if (const auto it = descriptionTexts.Items.find(item.Number); it != descriptionTexts.Items.end())
                described = descriptionDecoder(it->second.Value);
            if (const auto it = scanned.find(item.Number); it != scanned.end())
                noted = templateDecoder(it->second);
            entry.Original = checks::OriginalFor(item.Kind, templateDecoder(item.Text), described, noted);
        }

        std::vector<std::string> originals;
        for (std::size_t f = 1; f < files.size(); ++f) {
            const LanguageTexts language = ReadLanguageTexts(files[f], fallbackCodePage);
            const checks::RowNotes notes = checks::ReadRowNotes(language.Bytes);
            std::vector<checks::CheckedEntry> translated = entries;
            std::vector<int> lines(items.size(), 0);
            for (const auto &[number, line] : language.Items) {
                const std::int32_t i = index.IndexOf(number);
                if (i < 0)
                    continue;
                translated[static_cast<std::size_t>(i)].Translation = line.Value;
                lines[static_cast<std::size_t>(i)] = line.Line;
            }
            const std::size_t firstOfFile = reported.size();
            const checks::Decoder languageDecoder = DecoderFor(language.CodePage);
            checks::DocumentChecks document(languageDecoder, language.CodePage);
            document.Reset(std::move(translated));
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (lines[i] == 0)
                    continue;
                std::vector<checks::Finding> findings = document.FindingsFor(i);
                if (const auto note = notes.find(items[i].Number); note != notes.end())
                    findings = checks::WithoutAcknowledged(std::move(findings), note->second,
                                                           languageDecoder(document.Entry(i).Translation));
                for (checks::Finding &finding : findings)
                    reported.push_back(Reported{files[f], lines[i], items[i].Number, std::move(finding)});
            }
            // A file that tracks its originals: each translation made from another original.
            const TrackedOriginals tracked = ReadTrackedOriginals(language.Bytes);
            if (tracked.Tracking) {
                if (originals.empty())
                    originals = TemplateOriginals(templateTexts.Bytes, items);
                for (std::size_t i = 0; i < items.size(); ++i) {
                    const auto recorded = tracked.Originals.find(items[i].Number);
                    if (lines[i] == 0 || recorded == tracked.Originals.end() ||
                        recorded->second == originals[i] ||
                        index.IndexOf(items[i].Number) != static_cast<std::int32_t>(i))
                        continue;
                    reported.push_back(Reported{files[f], lines[i], items[i].Number,
                                                checks::Finding{checks::CheckId::ChangedOriginal,
                                                                {templateDecoder(recorded->second)}}});
                }
            }
            CheckPluralForms(files[f], language, items, templateTexts.Template.Messages, index, lines,
                             entries, reported);
            std::stable_sort(reported.begin() + static_cast<std::ptrdiff_t>(firstOfFile), reported.end(),
                             [](const Reported &a, const Reported &b) { return a.Line < b.Line; });
        }
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }

    if (json) {
        std::cout << Json(reported);
    } else {
        for (const Reported &r : reported)
            std::cout << r.File << ':' << r.Line << ": " << checks::SeverityName(r.Finding.Level()) << ": "
                      << checks::CheckName(r.Finding.Check) << ": entry " << r.Number << ": "
                      << checks::EnglishMessage(r.Finding) << '\n';
    }
    std::cout << std::flush;
    const bool error = std::any_of(reported.begin(), reported.end(), [](const Reported &r) {
        return r.Finding.Level() == checks::Severity::Error;
    });
    return error ? ExitFailure : ExitOk;
}

const CommandRegistration registration{Command{
    "check", "check translations for broken placeholders, accelerators and punctuation", kCheckUsage, Check}};

// The further forms of plural messages: each is checked as a translation of the original, and a
// message with fewer forms than the language's rule asks for is reported at its first line.
void CheckPluralForms(const std::string &file, const LanguageTexts &language,
                      const std::vector<TEditorItem> &items, const std::vector<MessageInfo> &messages,
                      const NumberIndex &index, const std::vector<int> &lines,
                      const std::vector<checks::CheckedEntry> &entries, std::vector<Reported> &reported)
{
    if (messages.empty())
        return;
    struct Form
    {
        std::size_t Entry;
        std::size_t Index;
        std::string Text;
        int Line;
    };
    std::vector<Form> forms;
    ForEachFormLine(language.Bytes,
                    [&](std::int32_t number, std::size_t form, std::string_view text, int line) {
                        const std::int32_t i = index.IndexOf(number);
                        if (i >= 0)
                            forms.push_back(Form{static_cast<std::size_t>(i), form, std::string(text), line});
                    });
    const checks::Decoder decoder = DecoderFor(language.CodePage);
    // The rule: the file's own, else its language's (by its name or its file name).
    const std::optional<PluralRule> rule = qt::QtOwnTexts::PluralRuleFor(
        TrimBlanks(LanguageHeaderValue(language.Bytes, "PLURAL-FORMS")),
        QString::fromStdString(decoder(LanguageHeaderValue(language.Bytes, "LANGUAGE"))),
        QString::fromStdString(file));
    std::vector<std::size_t> present(items.size(), 0);
    std::size_t deepest = 0;
    for (const Form &form : forms) {
        if (!form.Text.empty())
            present[form.Entry] = std::max(present[form.Entry], form.Index);
        deepest = std::max(deepest, form.Index);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::int32_t m = items[i].Message;
        if (m < 0 || !messages[static_cast<std::size_t>(m)].Plural || lines[i] == 0)
            continue;
        const std::size_t count = present[i] + 1;
        if (count < static_cast<std::size_t>(rule->Count()))
            reported.push_back(
                Reported{file, lines[i], items[i].Number,
                         checks::Finding{checks::CheckId::PluralForms,
                                         {std::to_string(rule->Count()), std::to_string(count)}}});
    }
    // One pass of the checks per form index, each form standing in for its entry's translation.
    for (std::size_t k = 1; k <= deepest; ++k) {
        std::vector<checks::CheckedEntry> translated = entries;
        std::vector<int> formLines(items.size(), 0);
        for (const Form &form : forms) {
            if (form.Index == k && !form.Text.empty()) {
                translated[form.Entry].Translation = form.Text;
                formLines[form.Entry] = form.Line;
            }
        }
        checks::DocumentChecks document(decoder, language.CodePage);
        document.Reset(std::move(translated));
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (formLines[i] == 0)
                continue;
            for (checks::Finding &finding : document.FindingsFor(i))
                reported.push_back(Reported{file, formLines[i], items[i].Number, std::move(finding)});
        }
    }
}

} // namespace

} // namespace verbaria::tool
