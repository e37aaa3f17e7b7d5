// The old-format reader and the conversion's two outputs: the converted template and language
// file must read back with one entry and one translation per old entry.
#include "FuzzSupport.h"
#include "formats/Errors.h"
#include "formats/LanguageFile.h"
#include "formats/OldFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace verbaria;
    OldFormatFile old;
    try {
        old = ParseOldFormat(AsBytes(data, size));
    } catch (const FormatError &error) {
        // Only a key with a double quote stops the reading, naming its line (the message quotes
        // the key, which may hold any byte).
        FUZZ_CHECK(std::string_view(error.what()).starts_with("Line "));
        return 0;
    }
    for (std::size_t i = 0; i < old.Entries.size(); ++i)
        FUZZ_CHECK(old.Entries[i].Number == i);
    const std::string language = FormatConvertedLanguage(old, "old.txt", "folder/new.lnd");
    const std::string templateBytes = FormatConvertedTemplate(old);

    // Keys with a double quote cannot be quoted; every other one comes back as it was.
    bool quotable = true;
    for (const auto &entry : old.Entries)
        quotable = quotable && entry.Key.find('"') == std::string::npos;
    TranslatorTemplate read;
    try {
        TemplateReader(read).ReadAll(templateBytes);
    } catch (const FormatError &) {
        // A quote in a key ends the quoted text early and its rest becomes tokens, which may
        // read as a number that is not one: the format cannot hold such a key.
        FUZZ_CHECK(!quotable);
        return 0;
    }
    if (quotable) {
        FUZZ_CHECK(read.Items.size() == old.Entries.size());
        for (std::size_t i = 0; i < old.Entries.size(); ++i)
            FUZZ_CHECK(read.Items[i].Text == old.Entries[i].Key);
    }
    NumberIndex index;
    index.Build(read.Items);
    TLanguageInfo info;
    try {
        ReadLanguageBytes(language, read.Items, index, info);
    } catch (const FormatError &) {
        FUZZ_CHECK(false);
    }
    if (quotable) {
        for (std::size_t i = 0; i < old.Entries.size(); ++i)
            FUZZ_CHECK(read.Items[i].Translation == old.Entries[i].Value);
    }
    FUZZ_CHECK(info.Definition == "new.lnd");
    return 0;
}
