#include "settings/ui/ProgramNameOrder.h"

namespace verbaria {

namespace {

QLocale CollatingLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString WithoutHyphens(const QString &text)
{
    QString result = text;
    result.remove(QLatin1Char('-'));
    result.remove(QLatin1Char('\''));
    return result;
}

} // namespace

ProgramNameOrder::ProgramNameOrder()
    : ProgramNameOrder(QLocale())
{
}

ProgramNameOrder::ProgramNameOrder(const QLocale &locale)
    : collator_(CollatingLocale(locale))
{
    collator_.setCaseSensitivity(Qt::CaseSensitive);
    collator_.setNumericMode(false);
    collator_.setIgnorePunctuation(false);
}

int ProgramNameOrder::Compare(const QString &a, const QString &b) const
{
    if (const int first = collator_.compare(WithoutHyphens(a), WithoutHyphens(b)))
        return first;
    // Equal but for hyphens and apostrophes: the name with fewer of them first, then any order
    // that tells two different names apart, so the sort is stable from one run to the next.
    const qsizetype marksA = a.size() - WithoutHyphens(a).size();
    const qsizetype marksB = b.size() - WithoutHyphens(b).size();
    if (marksA != marksB)
        return marksA < marksB ? -1 : 1;
    if (const int second = collator_.compare(a, b))
        return second;
    return a.compare(b);
}

} // namespace verbaria
