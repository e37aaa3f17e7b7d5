#include "tool/Command.h"
#include "tool/FileTexts.h"
#include "tool/MemoryFiles.h"
#include "tool/OptionParser.h"
#include "tool/Output.h"

#include "checks/EntryChecks.h"
#include "checks/RowNotes.h"
#include "checks/ScannedTexts.h"
#include "formats/CodePageNames.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/TextRules.h"
#include "formats/TrackedOriginals.h"
#include "platform/CodePage.h"

#include <QFileInfo>

#include <iostream>
#include <map>

namespace verbaria::tool {

namespace {

const char *const kPretranslateUsage =
    "Usage: verbaria-tool pretranslate TEMPLATE [LANGUAGE] --memory FILE... -o OUT|-\n"
    "                                  [--description FILE] [--code-page NAME]\n"
    "\n"
    "Fills the untranslated entries of LANGUAGE (or of a new language file) whose original the\n"
    "translation memory of the --memory files holds exactly, with the translation it gives most\n"
    "often, and marks each of them for review (\"/Notes NUMBER: review\" above its line, which every\n"
    "reader skips). Only files of LANGUAGE's language (LANGUAGE=, else that of the first memory\n"
    "file) make the memory; --memory takes the files after it, up to the next option. Writes OUT\n"
    "(- for standard output) as the editor saves a language file; its earlier notes stay.\n"
    "A translation the file's code page cannot hold is left out.\n";

int Pretranslate(const std::vector<std::string> &args)
{
    std::vector<std::string> memoryFiles;
    std::string output;
    std::string description;
    std::string fallbackCodePage(FallbackCodePageName);
    OptionParser options("pretranslate");
    options.Include(shared::Memory, memoryFiles)
        .Include(shared::Output, output)
        .Include(shared::Description, description)
        .Include(shared::CodePage, fallbackCodePage);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &files = options.Arguments();
    if (files.empty() || files.size() > 2)
        return options.Error(files.empty() ? "no template given" : "more than one language file given");
    if (memoryFiles.empty())
        return options.Error("no --memory language file given");
    if (output.empty())
        return options.Error("no -o OUT given");

    try {
        const TemplateTexts templateTexts = ReadTemplateTexts(files[0], fallbackCodePage);
        const checks::Decoder templateDecoder = DecoderFor(templateTexts.CodePage);
        const auto scanned = checks::ReadScannedTexts(templateTexts.Bytes);
        LanguageTexts language;
        if (files.size() == 2)
            language = ReadLanguageTexts(files[1], fallbackCodePage);
        else
            language.CodePage = fallbackCodePage;
        LanguageTexts descriptionTexts;
        checks::Decoder descriptionDecoder;
        if (!description.empty()) {
            descriptionTexts = ReadLanguageTexts(description, fallbackCodePage);
            descriptionDecoder = DecoderFor(descriptionTexts.CodePage);
        }

        std::string languageName = LanguageHeaderValue(language.Bytes, "LANGUAGE");
        if (files.size() == 1)
            languageName = LanguageNameOf(memoryFiles.front());
        std::vector<std::string> sameLanguage;
        for (const std::string &file : memoryFiles) {
            if (LanguageNameOf(file) == languageName)
                sameLanguage.push_back(file);
        }
        checks::TranslationMemory memory;
        AddLanguageFiles(memory, sameLanguage, {}, fallbackCodePage);

        const std::vector<TEditorItem> &items = templateTexts.Template.Items;
        NumberIndex index;
        index.Build(items);
        std::vector<std::string> translations(items.size());
        for (const auto &[number, line] : language.Items) {
            const std::int32_t i = index.IndexOf(number);
            if (i >= 0)
                translations[static_cast<std::size_t>(i)] = line.Value;
        }
        std::vector<std::optional<std::string>> toFill(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const TEditorItem &item = items[i];
            if ((item.Kind != ikComponent && item.Kind != ikMessage) || !translations[i].empty() ||
                item.Number < 0)
                continue;
            std::optional<std::string> described;
            std::optional<std::string> noted;
            if (const auto it = descriptionTexts.Items.find(item.Number); it != descriptionTexts.Items.end())
                described = descriptionDecoder(it->second.Value);
            if (const auto it = scanned.find(item.Number); it != scanned.end())
                noted = templateDecoder(it->second);
            toFill[i] = checks::OriginalFor(item.Kind, templateDecoder(item.Text), described, noted);
        }

        const std::optional<CodePage> codePage = CodePage::Named(QString::fromStdString(language.CodePage));
        if (!codePage)
            throw InOutError("unknown code page '" + language.CodePage + "'");
        checks::RowNotes notes = checks::ReadRowNotes(language.Bytes);
        int filled = 0;
        std::vector<std::size_t> filledRows;
        for (const checks::PreTranslation &found : memory.PreTranslate(toFill)) {
            const std::optional<std::string> bytes =
                codePage->Encode(QString::fromStdString(found.Translation));
            if (!bytes || bytes->find_first_of("\r\n") != std::string::npos)
                continue;
            translations[found.Row] = *bytes;
            notes[items[found.Row].Number].Review = true;
            filledRows.push_back(found.Row);
            ++filled;
        }

        LanguageHeader header;
        header.Language = languageName;
        header.Version = LanguageHeaderValue(language.Bytes, "VERSION");
        header.Author = PipeToLineBreaks(LanguageHeaderValue(language.Bytes, "AUTHOR"));
        header.Definition = files.size() == 2
                                ? LanguageHeaderValue(language.Bytes, "DEFINITION")
                                : QFileInfo(QString::fromStdString(files[0])).fileName().toStdString();
        header.CodePage = DeclaredCodePage(language.Bytes);
        header.PluralForms = TrimBlanks(LanguageHeaderValue(language.Bytes, "PLURAL-FORMS"));
        header.Direction = TrimBlanks(LanguageHeaderValue(language.Bytes, "DIRECTION"));
        // A plural message's further forms go through unchanged.
        // So do the forms of a translation whose entry is gone, kept with it when the file tracks.
        std::vector<std::vector<std::string>> forms(items.size());
        std::map<std::int32_t, std::vector<std::string>> formsOfGone;
        ForEachLine(language.Bytes, [&](std::string_view line) {
            std::int32_t number = 0;
            std::size_t form = 0;
            std::string_view text;
            if (!ReadFormLine(line, number, form, text))
                return;
            const std::int32_t at = index.IndexOf(number);
            std::vector<std::string> &entry =
                at < 0 ? formsOfGone[number] : forms[static_cast<std::size_t>(at)];
            entry.resize(std::max(entry.size(), form));
            entry[form - 1] = TrimLeftBlanks(text);
        });
        std::string bytes = FormatLanguageFile(header, items, translations, forms);
        // A file that tracks its originals keeps doing so: a filled entry is made from the
        // template's original, the others keep what they recorded, and nothing is dropped.
        TrackedOriginals tracked = ReadTrackedOriginals(language.Bytes);
        if (tracked.Tracking) {
            const std::vector<std::string> originals = TemplateOriginals(templateTexts.Bytes, items);
            std::map<std::int32_t, std::string> recorded = std::move(tracked.Originals);
            tracked.Originals.clear();
            for (const auto &[number, line] : language.Items) {
                const std::int32_t i = index.IndexOf(number);
                const auto found = recorded.find(number);
                if (i < 0)
                    tracked.Obsolete[number] = {found == recorded.end() ? std::string() : found->second,
                                                std::string(line.Value), formsOfGone[number]};
                else if (found != recorded.end())
                    tracked.Originals[number] = found->second;
            }
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (!translations[i].empty() && items[i].Number >= 0)
                    tracked.Originals.try_emplace(items[i].Number, originals[i]);
            }
            for (const std::size_t row : filledRows)
                tracked.Originals[items[row].Number] = originals[row];
            bytes = WithTrackedOriginals(bytes, tracked);
        }
        WriteOutput(output, checks::WithRowNotes(bytes, notes));
        std::cerr << "verbaria-tool: " << filled << " entries pre-translated and marked for review\n";
        return ExitOk;
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
}

const CommandRegistration registration{
    Command{"pretranslate", "fill untranslated entries from the translation memory, for review",
            kPretranslateUsage, Pretranslate}};

} // namespace

} // namespace verbaria::tool
