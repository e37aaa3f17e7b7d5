#pragma once

#include "formats/TemplateFile.h"
#include "formats/TextRules.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Language files (.lng): a header (language, version, author, the template it belongs to) and
// one line per translated text, keyed by the template entry's number.
namespace verbaria {

struct TLanguageInfo
{
    std::string Language;
    std::string Version;
    std::string Author; // decoded: line breaks restored
    std::string Definition;
    // The code page the file declares ("Codepage=NAME", or "UTF-8" for a byte-order mark); empty
    // when it declares none. Unlike the other values it belongs to one file: every read sets it.
    std::string CodePage;
    // "Plural-Forms=" (gettext's "nplurals=N; plural=EXPRESSION;") and "Direction=" ("RTL" or
    // "LTR"): empty when the file says nothing, and then the language's own rule holds. They too
    // belong to one file.
    std::string PluralForms;
    std::string Direction;
};

// The code page a language file declares, found without reading its items; empty for none.
std::string DeclaredCodePage(std::string_view bytes);

// One meaningful line of a language file.
struct LanguageLine
{
    bool IsItem = false;
    std::string Key;         // upper-cased; for an item line without its trailing blanks and tabs
    std::int32_t Number = 0; // item lines only
    std::string_view Value;  // header: whole; item: without leading blanks and tabs
};

// Splits a line by the format's rules; nullopt for comments, blank lines, lines without a
// separator and lines with an empty key. Raises ConversionError for an item key that is not a
// whole number (the message quotes the key, upper-cased).
std::optional<LanguageLine> SplitLanguageLine(std::string_view line);

// The number of an item line; nullopt for any other line and for an item line whose key is no
// whole number.
std::optional<std::int32_t> ItemNumberOf(std::string_view line);

// Whether a line is an item line, a broken one (a key that is no whole number) included: the
// comment lines written above the first item go above it too.
bool IsItemLine(std::string_view line);

// The one reader of a language file's lines, in the order they stand: onHeader(KEY, value) for a
// header line (KEY upper-cased: "LANGUAGE", "VERSION", "AUTHOR", "DEFINITION", "CODEPAGE" or any
// other), onEntry(number, value) for an entry line; comments and lines without a separator are
// passed over. The translator and the editor are its two flavours: each keeps what it needs.
template <class OnHeader, class OnEntry>
void ForEachLanguageLine(std::string_view bytes, OnHeader &&onHeader, OnEntry &&onEntry)
{
    ForEachLine(bytes, [&](std::string_view line) {
        const std::optional<LanguageLine> split = SplitLanguageLine(line);
        if (!split)
            return;
        if (split->IsItem)
            onEntry(split->Number, split->Value);
        else
            onHeader(std::string_view(split->Key), split->Value);
    });
}

// The value of the last header line with that (upper-case) key, as it stands; empty when none.
std::string LanguageHeaderValue(std::string_view bytes, std::string_view key);

// "The first entry with that number wins", in constant time per look-up.
class NumberIndex final
{
public:
    template <class Items> void Build(const Items &items)
    {
        BuildFrom(items.size(), [&](std::size_t i) { return items[i].Number; });
    }
    // Index of the first entry with that number, or -1.
    std::int32_t IndexOf(std::int32_t number) const;

private:
    template <class NumberAt> void BuildFrom(std::size_t count, NumberAt numberAt);

    // Dense numbers (the usual case) use a plain table; sparse ones a hash map.
    std::int64_t denseBase_ = 0;
    std::vector<std::int32_t> dense_;
    std::unordered_map<std::int32_t, std::int32_t> sparse_;
    bool useDense_ = true;
};

template <class NumberAt> void NumberIndex::BuildFrom(std::size_t count, NumberAt numberAt)
{
    dense_.clear();
    sparse_.clear();
    if (count == 0) {
        useDense_ = true;
        return;
    }
    std::int64_t low = numberAt(0);
    std::int64_t high = low;
    for (std::size_t i = 1; i < count; ++i) {
        const std::int64_t n = numberAt(i);
        low = n < low ? n : low;
        high = n > high ? n : high;
    }
    const std::int64_t span = high - low + 1;
    useDense_ = span <= static_cast<std::int64_t>(count) * 4 + 1024;
    if (useDense_) {
        denseBase_ = low;
        dense_.assign(static_cast<std::size_t>(span), -1);
        for (std::size_t i = 0; i < count; ++i) {
            std::int32_t &slot = dense_[static_cast<std::size_t>(numberAt(i) - low)];
            if (slot < 0)
                slot = static_cast<std::int32_t>(i);
        }
    } else {
        sparse_.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            sparse_.try_emplace(numberAt(i), static_cast<std::int32_t>(i));
    }
}

// Reads a language file into the translator's table. Nothing is cleared first. Returns false,
// changing nothing, when the file does not exist.
bool ReadLanguageFile(const std::string &path, TLanguageTemplate &items, const NumberIndex &index,
                      TLanguageInfo &info);
void ReadLanguageBytes(std::string_view bytes, TLanguageTemplate &items, const NumberIndex &index,
                       TLanguageInfo &info);

// The further forms of plural messages ("/Form NUMBER INDEX:text" lines) into the messages of the
// translator's table; a line for a number no plural message has is passed over.
void ReadPluralForms(std::string_view bytes, TranslatorTemplate &table, const NumberIndex &index);

// The four header values as the editor saves them; Author is the multi-line text.
struct LanguageHeader
{
    std::string Language;
    std::string Version;
    std::string Author;
    std::string Definition;
    // Written as "Codepage=NAME" after the four lines unless empty or "windows-1250", so that a
    // file in the program's own code page keeps its bytes.
    std::string CodePage;
    // "Plural-Forms=" and "Direction=" after it, each only when not empty.
    std::string PluralForms;
    std::string Direction;
};

// The bytes of a language file as the editor saves it: the header lines that are not empty, then
// one line for every component or message entry whose translation is not empty, CR LF endings.
// translations[i] is the translation of items[i]. Entries without a number are never written:
// their key could not be read back. Raises LineBreakError, writing nothing, for a value with CR
// or LF (the author is written in the one-line form and may hold them).
// forms[i], when given, holds the further plural forms of items[i]: each one not empty is written
// as "/Form NUMBER INDEX:text" after the entry's line.
std::string FormatLanguageFile(const LanguageHeader &header, std::span<const TEditorItem> items,
                               std::span<const std::string> translations,
                               std::span<const std::vector<std::string>> forms = {});

} // namespace verbaria
