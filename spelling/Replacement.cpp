#include "spelling/Replacement.h"

namespace verbaria::spelling {

QString ReplacementFor(const QString &written, const QString &suggestion)
{
    qsizetype mark = -1;
    for (qsizetype i = 0; i + 1 < written.size(); ++i) {
        if (written[i] != u'&')
            continue;
        if (written[i + 1] == u'&') {
            ++i;
            continue;
        }
        mark = i;
        break;
    }
    if (mark < 0)
        return suggestion;
    const QChar letter = written[mark + 1];
    // Letters before the mark, "&" not counted: where the same letter is looked for first.
    const qsizetype before = mark - written.left(mark).count(u'&');
    qsizetype at = suggestion.indexOf(letter, std::min(before, suggestion.size()), Qt::CaseInsensitive);
    if (at < 0)
        at = suggestion.indexOf(letter, 0, Qt::CaseInsensitive);
    if (at < 0)
        at = std::min(before, suggestion.size());
    QString result = suggestion;
    result.insert(at, u'&');
    return result;
}

} // namespace verbaria::spelling
