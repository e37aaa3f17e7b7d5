#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verbaria::checks {

enum class Severity : std::uint8_t { Error, Warning };

// Every check, in the order findings are listed. The names (CheckName) are stable: build scripts
// filter on them and acknowledgements are stored by them.
enum class CheckId : std::uint8_t {
    PrintfPlaceholders,
    QtPlaceholders,
    EmptyOriginal,
    CodePage,
    Accelerator,
    AcceleratorClash,
    Blanks,
    EndPunctuation,
    SameAsOriginal,
    ValueType,
    ListItems,
    PluralForms,
    ChangedOriginal,
};
inline constexpr int CheckCount = 13;

const char *CheckName(CheckId check);
std::optional<CheckId> CheckNamed(std::string_view name);
Severity SeverityOf(CheckId check);
inline const char *SeverityName(Severity s)
{
    return s == Severity::Error ? "error" : "warning";
}

// One problem of one entry. Arguments are what the message names (UTF-8), in the order of the
// %1, %2 ... of its message.
struct Finding
{
    CheckId Check = CheckId::PrintfPlaceholders;
    std::vector<std::string> Arguments;

    Severity Level() const { return SeverityOf(Check); }
    bool operator==(const Finding &) const = default;
};

// Arguments that name nothing, in the tool's English: a text without placeholders (the placeholder
// checks), a translation's code page without a name (the code page check). The editor shows its
// own words for them.
inline constexpr std::string_view NoPlaceholders = "none";
inline constexpr std::string_view UnnamedCodePage = "of the file";

// The message in English (the tool's language), arguments filled in.
std::string EnglishMessage(const Finding &finding);
// The message in Czech with %1, %2 ... for the arguments: the key under which the editor's own
// translator finds the message in the user's language (fill it with FillArguments).
const char *CzechMessage(CheckId check);
// Replaces %1 ... %9 of pattern by the arguments.
std::string FillArguments(std::string_view pattern, const std::vector<std::string> &arguments);

} // namespace verbaria::checks
