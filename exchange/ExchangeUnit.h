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
};

} // namespace verbaria::exchange
