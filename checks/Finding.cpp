#include "checks/Finding.h"

#include <array>

namespace verbaria::checks {

namespace {

struct CheckText
{
    const char *Name;
    Severity Level;
    const char *English;
    const char *Czech;
};

constexpr std::array<CheckText, CheckCount> kChecks{{
    {"printf-placeholders", Severity::Error,
     "printf placeholders differ: original \"%1\", translation \"%2\"",
     "Zástupné znaky printf se liší: originál „%1“, překlad „%2“"},
    {"qt-placeholders", Severity::Error, "placeholders differ: original \"%1\", translation \"%2\"",
     "Zástupné znaky se liší: originál „%1“, překlad „%2“"},
    {"empty-original", Severity::Error, "a translation of a message whose original is empty",
     "Překlad zprávy, jejíž původní text je prázdný"},
    {"code-page", Severity::Error, "the code page %1 cannot hold a character of the translation",
     "Kódová stránka %1 nepojme některý znak překladu"},
    {"accelerator", Severity::Warning, "the accelerator '&' differs: original \"%1\", translation \"%2\"",
     "Akcelerátor '&' se liší: originál „%1“, překlad „%2“"},
    {"accelerator-clash", Severity::Warning, "the accelerator '%1' is also used by entry %2 of the form %3",
     "Akcelerátor '%1' používá i položka %2 formuláře %3"},
    {"blanks", Severity::Warning, "blanks at the start or end differ: original \"%1\", translation \"%2\"",
     "Mezery na začátku nebo na konci se liší: originál „%1“, překlad „%2“"},
    {"end-punctuation", Severity::Warning, "the original ends with \"%1\", the translation with \"%2\"",
     "Originál končí na „%1“, překlad na „%2“"},
    {"same-as-original", Severity::Warning, "the translation equals the original",
     "Překlad je stejný jako originál"},
    {"value-type", Severity::Warning, "the translation is not a value of the type %1",
     "Překlad není hodnota typu %1"},
    {"list-items", Severity::Warning,
     "the list has %1 items, the translation %2 (separator %3); the program leaves the list untranslated",
     "Seznam má %1 položek, překlad %2 (oddělovač %3); program seznam nepřeloží"},
    {"plural-forms", Severity::Warning, "the language has %1 plural forms, the translation %2",
     "Jazyk má %1 množných tvarů, překlad %2"},
    {"changed-original", Severity::Warning, "the original changed since the translation was made from \"%1\"",
     "Originál se změnil od doby, kdy překlad vznikl z „%1“"},
}};

} // namespace

const char *CheckName(CheckId check)
{
    return kChecks[static_cast<std::size_t>(check)].Name;
}

std::optional<CheckId> CheckNamed(std::string_view name)
{
    for (std::size_t i = 0; i < kChecks.size(); ++i) {
        if (name == kChecks[i].Name)
            return static_cast<CheckId>(i);
    }
    return std::nullopt;
}

Severity SeverityOf(CheckId check)
{
    return kChecks[static_cast<std::size_t>(check)].Level;
}

std::string EnglishMessage(const Finding &finding)
{
    return FillArguments(kChecks[static_cast<std::size_t>(finding.Check)].English, finding.Arguments);
}

const char *CzechMessage(CheckId check)
{
    return kChecks[static_cast<std::size_t>(check)].Czech;
}

std::string FillArguments(std::string_view pattern, const std::vector<std::string> &arguments)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < arguments.size())
                out += arguments[n];
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

} // namespace verbaria::checks
