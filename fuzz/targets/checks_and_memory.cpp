// A template and a language file (the input split at its first NUL byte) through everything the
// checks read them with: the scanned texts, the row notes, the checks of every entry and the
// memory's look-ups. Nothing may crash, and the notes must leave the readers' translations alone.
#include "FuzzSupport.h"

#include "checks/DocumentChecks.h"
#include "checks/MemoryInput.h"
#include "checks/RowNotes.h"
#include "checks/ScannedTexts.h"
#include "formats/Errors.h"
#include "formats/LanguageFile.h"
#include "formats/TextRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input = AsBytes(data, size);
    const std::size_t split = input.find('\0');
    const std::string_view templateBytes = input.substr(0, split);
    const std::string_view languageBytes =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
    using namespace verbaria;
    try {
        EditorTemplate parsed;
        checks::ScannedTexts scanned;
        checks::ReadTemplateWithScannedTexts(templateBytes, parsed, scanned);
        NumberIndex index;
        index.Build(parsed.Items);

        const checks::RowNotes notes = checks::ReadRowNotes(languageBytes);
        const std::string withNotes = checks::WithRowNotes(languageBytes, notes);
        FUZZ_CHECK(checks::ReadRowNotes(withNotes) ==
                   checks::ReadRowNotes(checks::WithRowNotes(withNotes, notes)));
        {
            // The translator reads the same translations with the notes as without them.
            TranslatorTemplate t;
            TemplateReader(t).ReadAll(templateBytes);
            NumberIndex translatorIndex;
            translatorIndex.Build(t.Items);
            TLanguageTemplate plain = t.Items;
            TLanguageTemplate noted = t.Items;
            TLanguageInfo plainInfo;
            TLanguageInfo notedInfo;
            ReadLanguageBytes(languageBytes, plain, translatorIndex, plainInfo);
            ReadLanguageBytes(withNotes, noted, translatorIndex, notedInfo);
            for (std::size_t i = 0; i < plain.size(); ++i)
                FUZZ_CHECK(plain[i].Translation == noted[i].Translation);
            FUZZ_CHECK(plainInfo.Language == notedInfo.Language &&
                       plainInfo.Definition == notedInfo.Definition);
        }

        std::vector<checks::CheckedEntry> entries;
        for (const TEditorItem &item : parsed.Items) {
            const auto found = scanned.find(item.Number);
            entries.push_back(
                {item.Kind,
                 item.Number,
                 item.ValueType,
                 item.Text,
                 checks::OriginalFor(item.Kind, item.Text, std::nullopt,
                                     found == scanned.end() ? std::nullopt
                                                            : std::optional<std::string>(found->second)),
                 {}});
        }
        ForEachLine(languageBytes, [&](std::string_view line) {
            const auto item = SplitLanguageLine(line);
            if (item && item->IsItem && index.IndexOf(item->Number) >= 0)
                entries[static_cast<std::size_t>(index.IndexOf(item->Number))].Translation.assign(
                    item->Value);
        });
        checks::DocumentChecks document;
        document.Reset(entries);
        for (std::size_t i = 0; i < document.size(); ++i)
            (void)checks::WithoutAcknowledged(document.FindingsFor(i), {}, document.Entry(i).Translation);
        if (!entries.empty())
            document.SetTranslation(0, std::string(languageBytes.substr(0, 64)));

        checks::TranslationMemory memory;
        checks::AddLanguageFile(memory, memory.AddFile("x"), templateBytes, languageBytes, {}, {});
        memory.Build();
        for (const TEditorItem &item : parsed.Items) {
            (void)memory.Exact(item.Text);
            (void)memory.Similar(item.Text, 60);
        }
        (void)memory.Inconsistencies();
    } catch (const FormatError &) {
        // The readers' own stop on a bad number: expected.
    }
    return 0;
}
