#include "checks/EntryChecks.h"

#include "checks/Placeholders.h"
#include "checks/Utf8.h"
#include "formats/TextRules.h"

#include <algorithm>
#include <array>

namespace verbaria::checks {

namespace {

enum class EndMark { None, Period, Colon, Ellipsis, Question, Exclamation };

struct EndSpelling
{
    std::u32string_view Text;
    EndMark Mark;
};

// Longer spellings first: "..." must not read as a period.
constexpr std::array<EndSpelling, 14> kEndSpellings{{
    {U"...", EndMark::Ellipsis},
    {U"\u2026", EndMark::Ellipsis}, // …
    {U"\u22EF", EndMark::Ellipsis}, // ⋯
    {U".", EndMark::Period},
    {U"\u3002", EndMark::Period}, // 。
    {U"\uFF0E", EndMark::Period}, // ．
    {U":", EndMark::Colon},
    {U"\uFF1A", EndMark::Colon}, // ：
    {U"?", EndMark::Question},
    {U"\uFF1F", EndMark::Question}, // ？
    {U"\u037E", EndMark::Question}, // Greek question mark
    {U";", EndMark::Question},      // what Greek keyboards type for it
    {U"!", EndMark::Exclamation},
    {U"\uFF01", EndMark::Exclamation}, // ！
}};

bool IsBlankChar(char32_t c)
{
    return c == U' ' || c == U'\t';
}

std::u32string_view WithoutTrailingBlanks(std::u32string_view text)
{
    while (!text.empty() && IsBlankChar(text.back()))
        text.remove_suffix(1);
    return text;
}

std::pair<EndMark, std::u32string_view> EndOf(std::u32string_view text)
{
    text = WithoutTrailingBlanks(text);
    for (const EndSpelling &spelling : kEndSpellings) {
        if (text.size() >= spelling.Text.size() &&
            text.substr(text.size() - spelling.Text.size()) == spelling.Text)
            return {spelling.Mark, text.substr(text.size() - spelling.Text.size())};
    }
    return {EndMark::None, {}};
}

std::u32string_view LeadingBlanks(std::u32string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && IsBlankChar(text[n]))
        ++n;
    return text.substr(0, n);
}

std::u32string_view TrailingBlanks(std::u32string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && IsBlankChar(text[text.size() - 1 - n]))
        ++n;
    return text.substr(text.size() - n);
}

bool ReadsAsReal(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - start;
    };
    std::size_t mantissa = digits();
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

} // namespace

std::optional<std::string> OriginalFor(TItemKind kind, std::string_view messageText,
                                       const std::optional<std::string> &descriptionText,
                                       const std::optional<std::string> &scannedText)
{
    if (kind == ikMessage)
        return std::string(messageText);
    if (kind != ikComponent)
        return std::nullopt;
    return descriptionText ? descriptionText : scannedText;
}

char32_t AcceleratorOf(std::u32string_view text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != U'&')
            continue;
        if (text[i + 1] == U'&') {
            ++i; // "&&" is an ampersand
            continue;
        }
        if (IsBlankChar(text[i + 1]))
            continue; // "Tom & Jerry"
        return FoldCase(text[i + 1]);
    }
    return 0;
}

bool IsListPath(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string property = UpperAscii(TrimControl(path.substr(dot + 1)));
    return property == "ITEMS" || property == "COLUMNS" || property == "ROWS";
}

std::size_t ListItemCount(std::string_view value)
{
    // As the translator splits: at every separator, and a last item that trims to nothing is none.
    std::size_t count = 0;
    for (std::size_t at = value.find(ListSeparator); at != std::string_view::npos;
         at = value.find(ListSeparator)) {
        ++count;
        value.remove_prefix(at + ListSeparator.size());
    }
    return TrimControl(value).empty() ? count : count + 1;
}

std::string FormOf(std::string_view path)
{
    return UpperAscii(TrimControl(path.substr(0, path.find('.'))));
}

std::vector<Finding> CheckEntry(const CheckedEntry &entry, const Decoder &decoder,
                                std::string_view codePageName)
{
    std::vector<Finding> findings;
    if ((entry.Kind != ikComponent && entry.Kind != ikMessage) || entry.Translation.empty())
        return findings;
    const std::string translationUtf8 = decoder ? decoder(entry.Translation) : entry.Translation;
    const std::u32string translation = DecodeUtf8(translationUtf8);
    const auto add = [&](CheckId check, std::vector<std::string> arguments = {}) {
        findings.push_back(Finding{check, std::move(arguments)});
    };

    std::u32string original;
    if (entry.Original) {
        original = DecodeUtf8(*entry.Original);
        const Placeholders a = FindPlaceholders(*entry.Original);
        const Placeholders b = FindPlaceholders(translationUtf8);
        if (!SamePrintfArguments(a, b))
            add(CheckId::PrintfPlaceholders, {DescribePrintf(a), DescribePrintf(b)});
        if (!SameQtArguments(a, b))
            add(CheckId::QtPlaceholders, {DescribeQt(a), DescribeQt(b)});
    }
    if (entry.Kind == ikMessage && entry.Original && entry.Original->empty())
        add(CheckId::EmptyOriginal);
    // A byte the code page does not define decodes to U+FFFD, or, with the converters that hand
    // such bytes through, to a C1 control (0x98 of windows-1250 becomes U+0098); a U+FFFD that the
    // text really spells (a UTF-8 file) is there in the bytes too.
    const auto replaced =
        static_cast<std::size_t>(std::count(translation.begin(), translation.end(), ReplacementCharacter));
    const bool control = std::any_of(translation.begin(), translation.end(),
                                     [](char32_t c) { return c >= 0x80 && c <= 0x9F; });
    if (control || replaced > CountReplacementCharacters(entry.Translation))
        add(CheckId::CodePage, {std::string(codePageName.empty() ? UnnamedCodePage : codePageName)});

    if (entry.Original && !entry.Original->empty()) {
        if ((AcceleratorOf(original) != 0) != (AcceleratorOf(translation) != 0))
            add(CheckId::Accelerator, {*entry.Original, translationUtf8});
    }
    // The clash of accelerators is the document's check (DocumentChecks): it needs the form.
    if (entry.Original && !entry.Original->empty()) {
        if (LeadingBlanks(original) != LeadingBlanks(translation) ||
            TrailingBlanks(original) != TrailingBlanks(translation))
            add(CheckId::Blanks, {*entry.Original, translationUtf8});
        const auto [originalEnd, originalSpelling] = EndOf(original);
        const auto [translationEnd, translationSpelling] = EndOf(translation);
        if (originalEnd != translationEnd)
            add(CheckId::EndPunctuation, {EncodeUtf8(originalSpelling), EncodeUtf8(translationSpelling)});
        if (translation == original && HasLetter(original))
            add(CheckId::SameAsOriginal);
    }
    if (entry.ValueType == 1 && !ParseWholeNumber(entry.Translation))
        add(CheckId::ValueType, {"INTEGER"});
    else if (entry.ValueType == 2 && !ReadsAsReal(entry.Translation))
        add(CheckId::ValueType, {"REAL"});
    if (entry.Kind == ikComponent && entry.Original && IsListPath(entry.Path)) {
        const std::size_t originalItems = ListItemCount(*entry.Original);
        const std::size_t translatedItems = ListItemCount(translationUtf8);
        if (originalItems != translatedItems)
            add(CheckId::ListItems,
                {std::to_string(originalItems), std::to_string(translatedItems), std::string(ListSeparator)});
    }
    return findings;
}

} // namespace verbaria::checks
