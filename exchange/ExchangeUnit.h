#pragma once

#include <QString>
#include <QStringList>

namespace verbaria::exchange {

// One translatable entry as XLIFF and PO carry it.
struct ExchangeUnit
{
    QString Id;      // the entry's number; a reader leaves it empty when the file names none
    QString Resname; // the component path; empty for a message
    QString Source;
    QString Target; // empty: not translated
    bool NeedsReview = false;
    QStringList Notes;  // the entry's kind and the sections and comments around it
    long long Line = 0; // where a reader found it, for messages
    // A Qt program's message: its context and disambiguation (for a component whose source is the
    // form's text, the path is its context), and where it stands in the sources ("file:line").
    QString Context;
    QString Disambiguation;
    QString Location;
    // A plural message: Target is its first form, Forms the translations of the forms after it.
    bool Plural = false;
    QStringList Forms;
    // The original the translation was made from, when the template changed it since (PO's
    // "#| msgid", XLIFF's previous-version alt-trans); null for none.
    QString PreviousSource;
    // A translation whose number the template no longer has, kept by a file that tracks its
    // originals: Source is the original it was made from. PO writes it as an obsolete entry
    // ("#~"), XLIFF as a unit with translate="no"; other tools pass it over as they do theirs.
    bool Obsolete = false;
    // The translator's own comment on the entry (PO's "# " lines, XLIFF's translator note); may
    // hold line breaks. Empty for none.
    QString TranslatorComment;

    bool HasContext() const { return !Context.isEmpty() || !Disambiguation.isEmpty(); }
};

} // namespace verbaria::exchange
