#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

// What the translator noted about a row besides its text: the warnings he has looked at and
// accepted, and whether the row still waits for review (a translation taken from the memory or
// imported as fuzzy). The notes travel inside the language file as comment lines, one above the
// item line of its row: "/Notes 00012: review acknowledged=blanks,end-punctuation for=1f0c2a9e".
// "for=" is the TextHash of the translation the warnings were accepted for: a rewritten text is
// checked afresh. A note written before it was kept has none and belongs to the translation the
// file holds with it. A translator's comment on the row (any text, UTF-8) ends the line after
// "comment=", escaped to ASCII so that it is one line whatever the file's code page:
// "/Notes 00012: review comment=Zkr\u00e1tit, m\u00e1lo m\u00edsta\n(viz okno)". A comment of a row
// that is not translated goes to the end of the file. Both readers skip "/" lines,
// so a program reads exactly the translations it read before, and the notes go wherever the file
// goes (copied, mailed, committed) without a second file to lose.
namespace verbaria {

struct RowNote
{
    bool Review = false;
    std::set<std::string> Acknowledged; // check names (CheckName); unknown ones are kept
    // TextHash of the translation Acknowledged belongs to; empty: the one the file holds.
    std::string AcknowledgedFor;
    std::string Comment; // the translator's comment, UTF-8; may hold line breaks

    bool empty() const { return !Review && Acknowledged.empty() && Comment.empty(); }
    bool operator==(const RowNote &) const = default;
};

using RowNotes = std::map<std::int32_t, RowNote>; // by entry number

// The notes of a language file.
RowNotes ReadRowNotes(std::string_view languageBytes);

// languageBytes (a language file, as the editor saves it) with the note of each row written
// directly above the row's item line; earlier note lines are dropped. A note of a row that has
// no item line (not translated) is left out, all but its comment: the comments of such rows are
// written at the end.
std::string WithRowNotes(std::string_view languageBytes, const RowNotes &notes);

// A short hash of a translation (its UTF-8 text): eight lower-case hex digits.
std::string TextHash(std::string_view utf8);

// Whether the note's accepted warnings belong to translation (UTF-8): accepted for this very
// text, or noted without a hash (the text the file holds).
bool AcknowledgesText(const RowNote &note, std::string_view utf8);

// A comment as a note line holds it: ASCII only, "\\", "\n", "\r", "\t", "\uXXXX" and
// "\UXXXXXXXX" standing for what they stand for in C; and back (an unknown escape stays as it is).
std::string EscapedComment(std::string_view utf8);
std::string UnescapedComment(std::string_view escaped);

// The comment line of one note, without line end.
std::string RowNoteLine(std::int32_t number, const RowNote &note);

} // namespace verbaria
