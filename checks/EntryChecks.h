#pragma once

#include "checks/Finding.h"
#include "formats/TemplateFile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verbaria::checks {

// Turns bytes of a file into UTF-8; a byte or sequence that the file's code page does not define
// becomes U+FFFD or a C1 control character (what Qt's converters give). CodePage::Decode serves.
// An empty decoder takes the bytes as UTF-8.
using Decoder = std::function<std::string(std::string_view)>;

// What the checks need of one template entry.
struct CheckedEntry
{
    TItemKind Kind = ikSection;
    std::int32_t Number = -1;
    std::uint8_t ValueType = 0; // 0 none, 1 INTEGER, 2 REAL
    // The template's Text as bytes: for a component its path, whose first part names the form.
    std::string Path;
    // The original the translation is compared with, in UTF-8: a message's text; for a component
    // the description language's text or the text the form holds. Nullopt when unknown: the
    // checks that compare with it are then skipped.
    std::optional<std::string> Original;
    // Bytes in the language file's code page; empty when not translated (nothing is checked).
    std::string Translation;

    // What the template says of the entry; the original and the translation are the caller's.
    static CheckedEntry Of(const TEditorItem &item)
    {
        CheckedEntry entry;
        entry.Kind = item.Kind;
        entry.Number = item.Number;
        entry.ValueType = item.ValueType;
        entry.Path = item.Text;
        return entry;
    }
};

// The original a translation is checked against, in UTF-8: a message's own text; for a component
// the description language's text of the row, else the text scan noted above it; nullopt for a
// component with neither (its path is no text to compare with) and for every other kind.
std::optional<std::string> OriginalFor(TItemKind kind, std::string_view messageText,
                                       const std::optional<std::string> &descriptionText,
                                       const std::optional<std::string> &scannedText);

// The letter after a single "&" (folded to lower case), 0 when the text has no accelerator.
char32_t AcceleratorOf(std::u32string_view text);
// The separator a program's translator splits list values at unless it is told otherwise, the
// one scan joins a list's entries with.
inline constexpr std::string_view ListSeparator = ",";
// True for a component path that names a list: entries (Items) or header labels (Columns, Rows).
bool IsListPath(std::string_view path);
// How many items the translator makes of a list value.
std::size_t ListItemCount(std::string_view value);
// The first part of a component path, upper-cased: the translator finds forms by it.
std::string FormOf(std::string_view path);

// The checks of one entry on its own (everything but the clash of accelerators within a form).
// codePageName only names the code page in the message.
std::vector<Finding> CheckEntry(const CheckedEntry &entry, const Decoder &decoder,
                                std::string_view codePageName = {});

} // namespace verbaria::checks
