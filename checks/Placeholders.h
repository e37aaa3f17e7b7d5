#pragma once

#include <string>
#include <string_view>
#include <vector>

// The placeholders a program fills into its texts at run time. A translation that loses one, or
// swaps %s for %d, crashes or garbles the program, so they are compared exactly.
namespace verbaria::checks {

struct PrintfPlaceholder
{
    int Position = 0;       // n of "%n$d", else 0
    std::string Conversion; // length modifier and conversion: "d", "ld", "s", "f"; "%i" counts as "d"
    std::string Spelling;   // as written, for messages: "%5.2f"
};

struct Placeholders
{
    std::vector<PrintfPlaceholder> Printf; // in text order; "%%" is a literal, not a placeholder
    std::vector<int> Qt;                   // the numbers of "%1" ... "%99" (and "%L1"), in text order
};

Placeholders FindPlaceholders(std::string_view text);

// Where each placeholder and each literal "%%" stands in text, as byte offsets [Start, End), in
// text order: what a word of prose never includes.
struct PlaceholderSpan
{
    std::size_t Start = 0;
    std::size_t End = 0;
};
std::vector<PlaceholderSpan> FindPlaceholderSpans(std::string_view text);

// True when both texts give the program the same printf arguments: the same conversions in the
// same order, or, where positions are numbered, the same conversion at every position.
bool SamePrintfArguments(const Placeholders &a, const Placeholders &b);
// True when both texts use the same Qt placeholders, each as often (their order is free).
bool SameQtArguments(const Placeholders &a, const Placeholders &b);

// "%s %d" / "%1 %2" for messages, NoPlaceholders when there are none.
std::string DescribePrintf(const Placeholders &p);
std::string DescribeQt(const Placeholders &p);

} // namespace verbaria::checks
