#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What a Qt program's message carries besides its text: the context and disambiguation that tell
// equal texts apart, the programmer's comment, where it stands in the sources, and whether it has
// plural forms. A template writes them as comment lines directly above the message's definition
// line, which every reader that does not know them skips:
//
//     /Context=MainWindow
//     /Disambiguation=noun
//     /Comment=Shown in the status bar
//     /Location=src/mainwindow.cpp:42
//     /Plural
//     /Source=Say \"hi\"\nto all
//     00012: message "Say 'hi'|to all"
//
// /Source holds the exact text when the quoted text cannot (a double quote or a line break). The
// values are escaped: \\ for a backslash, \n, \r and \t for LF, CR and TAB (\" reads as a quote).
//
// A language file keeps a plural message's first form on its item line and each further form on
// a comment line after it ("/Form 00012 1:text"); the translations of a message with a /Source line
// are escaped as the /Source value is, so that they too can hold line breaks. It may name its
// plural rule and its direction
// in header lines ("Plural-Forms=nplurals=3; plural=...;", "Direction=RTL").
namespace verbaria {

struct MessageInfo
{
    std::string Context;
    std::string Disambiguation;
    std::string Comment;
    std::string Location;
    std::string Source; // the exact text when HasSource, else the quoted text is
    bool HasSource = false;
    bool Plural = false;
    // The translations of the forms after the first (the first is the item's Translation).
    std::vector<std::string> Forms;

    bool Empty() const
    {
        return Context.empty() && Disambiguation.empty() && Comment.empty() && Location.empty() &&
               !HasSource && !Plural;
    }
};

std::string EscapeMessageValue(std::string_view text);
std::string UnescapeMessageValue(std::string_view text);

// Reads one comment line (stripped of leading blanks and tabs, starting with '/') into info;
// false when it is no message comment.
bool ReadMessageComment(std::string_view line, MessageInfo &info);

// Writes the comment lines for info, each ended with CR LF (nothing for an empty info).
std::string FormatMessageComments(const MessageInfo &info);

// The text a quoted definition text can hold in place of one that it cannot: a double quote
// becomes an apostrophe, each line break a vertical bar.
std::string QuotableText(std::string_view text);
// True when the text cannot stand between the quotes of a definition line as it is.
bool NeedsSourceLine(std::string_view text);

// A further plural form of a language file's line: "/Form NUMBER INDEX:text". False for any
// other line.
bool ReadFormLine(std::string_view line, std::int32_t &number, std::size_t &index, std::string_view &text);
// Every "/Form" line of a language file's bytes, in order: the entry's number, the form's index
// (1 for the second form), its text without leading blanks and tabs, and the line's number.
void ForEachFormLine(std::string_view bytes,
                     const std::function<void(std::int32_t number, std::size_t form, std::string_view text,
                                              int line)> &onForm);
std::string FormatFormLine(std::int32_t number, std::size_t index, std::string_view text);

} // namespace verbaria
