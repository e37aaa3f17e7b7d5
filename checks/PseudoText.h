#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A pseudo-language: every text accented, lengthened and bracketed ("Open" becomes "[Ŏƥēň ~~]"),
// still legible. Run in the program, a text without brackets is one the program does not
// translate, and a clipped one shows a layout too tight for a longer language.
namespace verbaria::checks {

struct PseudoOptions
{
    // How much longer a text gets, in percent of its length; negative: by its length, +40 % for
    // a short text and less for a long one.
    int ExpandPercent = -1;
    // Whether the file's code page holds a character; empty: it holds every one. A letter whose
    // accented forms it cannot hold stays as it is.
    std::function<bool(char32_t)> CanHold;
};

class PseudoLanguage final
{
public:
    explicit PseudoLanguage(const PseudoOptions &options = {});

    // The pseudo form of a text (UTF-8). What the program reads stays as it is: placeholders (%1,
    // %L1, %s, %n, %%, {name}), the accelerator's letter after "&" and "&&", markup (<b>, </a>)
    // and entities (&amp;), the escapes of the one-line form (\n, \\) and its "|". An empty text
    // stays empty.
    std::string Text(std::string_view utf8) const;

    // The pseudo form of a template entry's original: componentPath is the component's path,
    // empty for a message. nullopt for an entry that must keep its own text: a shortcut, a whole
    // number (Tag), an empty text. The entries of a list (Items, Lines, Columns, Rows) are each
    // bracketed, so that the list keeps its count.
    std::optional<std::string> Entry(std::string_view componentPath, std::string_view utf8,
                                     std::string_view separator = ",") const;

private:
    int expandPercent_;
    // The accented form of each ASCII letter, A to Z then a to z; 0 where none can be held.
    char32_t accented_[52] = {};
};

} // namespace verbaria::checks
