#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>

namespace verbaria {

// The order of the catalogue's names, as the desktop's word sort gives it: letters compare before
// case and a lowercase letter comes before its capital, hyphens and apostrophes count only when
// the names are otherwise equal, other punctuation comes before digits and digits before letters,
// and digits compare one at a time. ICU's collation gives all of it but the hyphen rule.
class ProgramNameOrder final
{
public:
    // The user's locale; the untailored order where the locale is "C", which has no collation.
    ProgramNameOrder();
    explicit ProgramNameOrder(const QLocale &locale);

    // Negative, zero or positive as a sorts before, with or after b.
    int Compare(const QString &a, const QString &b) const;
    bool Less(const QString &a, const QString &b) const { return Compare(a, b) < 0; }

private:
    QCollator collator_;
};

} // namespace verbaria
