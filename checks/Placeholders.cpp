#include "checks/Placeholders.h"

#include "checks/Finding.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace verbaria::checks {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr const char *kConversions = "diouxXeEfFgGaAcspn";
// No blank among the flags: "50 % off" is prose, not "% o".
constexpr const char *kFlags = "-+#0'";

// Reads a printf conversion after the "%" at start; returns its end, or npos when none is there.
std::size_t ReadPrintf(std::string_view text, std::size_t start, PrintfPlaceholder &out)
{
    std::size_t i = start + 1;
    // "%n$": a numbered argument.
    std::size_t digits = i;
    while (digits < text.size() && IsDigit(text[digits]))
        ++digits;
    if (digits > i && digits - i <= 3 && digits < text.size() && text[digits] == '$' && text[i] != '0') {
        out.Position = std::stoi(std::string(text.substr(i, digits - i)));
        i = digits + 1;
    }
    while (i < text.size() && std::strchr(kFlags, text[i]) && text[i] != '\0')
        ++i;
    if (i < text.size() && text[i] == '*')
        ++i;
    else
        while (i < text.size() && IsDigit(text[i]))
            ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (i < text.size() && text[i] == '*')
            ++i;
        else
            while (i < text.size() && IsDigit(text[i]))
                ++i;
    }
    std::string length;
    while (i < text.size() && std::strchr("hlLqjzt", text[i]) && text[i] != '\0' && length.size() < 2)
        length += text[i++];
    if (i >= text.size() || !std::strchr(kConversions, text[i]) || text[i] == '\0')
        return std::string_view::npos;
    char conversion = text[i];
    if (conversion == 'i')
        conversion = 'd';
    out.Conversion = length + conversion;
    out.Spelling.assign(text.substr(start, i + 1 - start));
    return i + 1;
}

// Walks text's placeholders in order: onPrintf(placeholder, start, end), onQt(number, start,
// end), onLiteral(start, end) for "%%".
template <typename OnPrintf, typename OnQt, typename OnLiteral>
void ScanPlaceholders(std::string_view text, OnPrintf &&onPrintf, OnQt &&onQt, OnLiteral &&onLiteral)
{
    std::size_t i = 0;
    while ((i = text.find('%', i)) != std::string_view::npos) {
        if (i + 1 < text.size() && text[i + 1] == '%') {
            onLiteral(i, i + 2);
            i += 2;
            continue;
        }
        // Qt's "%1" to "%99", "%L1" for a localised number. A digit run followed by a printf
        // conversion ("%5d") is printf's width instead.
        std::size_t q = i + 1;
        if (q < text.size() && text[q] == 'L')
            ++q;
        std::size_t end = q;
        while (end < text.size() && end < q + 2 && IsDigit(text[end]))
            ++end;
        PrintfPlaceholder found;
        const std::size_t printfEnd = ReadPrintf(text, i, found);
        if (printfEnd != std::string_view::npos && !(q > i + 1 && end > q)) {
            onPrintf(std::move(found), i, printfEnd);
            i = printfEnd;
            continue;
        }
        if (end > q && text[q] != '0') {
            onQt(std::stoi(std::string(text.substr(q, end - q))), i, end);
            i = end;
            continue;
        }
        ++i; // a lone "%", as in "50 %"
    }
}

} // namespace

Placeholders FindPlaceholders(std::string_view text)
{
    Placeholders found;
    ScanPlaceholders(
        text, [&](PrintfPlaceholder &&p, std::size_t, std::size_t) { found.Printf.push_back(std::move(p)); },
        [&](int number, std::size_t, std::size_t) { found.Qt.push_back(number); },
        [](std::size_t, std::size_t) {});
    return found;
}

std::vector<PlaceholderSpan> FindPlaceholderSpans(std::string_view text)
{
    std::vector<PlaceholderSpan> spans;
    const auto add = [&](std::size_t start, std::size_t end) { spans.push_back({start, end}); };
    ScanPlaceholders(
        text, [&](PrintfPlaceholder &&, std::size_t start, std::size_t end) { add(start, end); },
        [&](int, std::size_t start, std::size_t end) { add(start, end); }, add);
    return spans;
}

bool SamePrintfArguments(const Placeholders &a, const Placeholders &b)
{
    const auto numbered = [](const Placeholders &p) {
        return std::any_of(p.Printf.begin(), p.Printf.end(), [](const auto &x) { return x.Position > 0; });
    };
    if (a.Printf.size() != b.Printf.size())
        return false;
    if (!numbered(a) && !numbered(b)) {
        for (std::size_t i = 0; i < a.Printf.size(); ++i) {
            if (a.Printf[i].Conversion != b.Printf[i].Conversion)
                return false;
        }
        return true;
    }
    // Numbered arguments may move; an unnumbered one takes the next position, as printf does.
    const auto byPosition = [](const Placeholders &p) {
        std::vector<std::pair<int, std::string>> list;
        int next = 1;
        for (const auto &x : p.Printf) {
            const int position = x.Position > 0 ? x.Position : next;
            next = position + 1;
            list.emplace_back(position, x.Conversion);
        }
        std::sort(list.begin(), list.end());
        return list;
    };
    return byPosition(a) == byPosition(b);
}

bool SameQtArguments(const Placeholders &a, const Placeholders &b)
{
    std::vector<int> x = a.Qt;
    std::vector<int> y = b.Qt;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    return x == y;
}

std::string DescribePrintf(const Placeholders &p)
{
    std::string out;
    for (const auto &x : p.Printf)
        out += (out.empty() ? "" : " ") + x.Spelling;
    return out.empty() ? std::string(NoPlaceholders) : out;
}

std::string DescribeQt(const Placeholders &p)
{
    std::string out;
    for (int n : p.Qt)
        out += (out.empty() ? "%" : " %") + std::to_string(n);
    return out.empty() ? std::string(NoPlaceholders) : out;
}

} // namespace verbaria::checks
