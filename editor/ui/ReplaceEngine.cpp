#include "editor/ui/ReplaceEngine.h"

#include "editor/core/LanguageDocument.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace verbaria {

namespace {

// The replacement for one match: "\N" stands for the Nth captured group in a regular expression,
// "\\" for a backslash; a plain replacement is taken as it stands.
QString Expand(const QRegularExpressionMatch &match, const ReplaceOptions &options)
{
    if (!options.RegularExpression)
        return options.Replacement;
    const QString &replacement = options.Replacement;
    QString result;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        if (c == u'\\' && i + 1 < replacement.size()) {
            const QChar next = replacement[i + 1];
            if (next.isDigit()) {
                result += match.captured(next.digitValue());
                ++i;
                continue;
            }
            if (next == u'\\') {
                result += u'\\';
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

} // namespace

QRegularExpression ReplaceExpression(const ReplaceOptions &options)
{
    QString pattern = options.RegularExpression ? options.Find : QRegularExpression::escape(options.Find);
    if (options.WholeWord)
        pattern = QStringLiteral("\\b(?:") + pattern + QStringLiteral(")\\b");
    QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
    if (!options.MatchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(pattern, flags);
}

QString ReplaceInText(const QString &text, const QRegularExpression &expression,
                      const ReplaceOptions &options, int &count)
{
    count = 0;
    // The text searched, and for each of its characters where it starts and ends in text.
    QString searched;
    std::vector<qsizetype> starts;
    std::vector<qsizetype> ends;
    if (options.IgnoreAccelerators) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'&') {
                if (i + 1 < text.size() && text[i + 1] == u'&') {
                    searched += u'&';
                    starts.push_back(i);
                    ends.push_back(i + 2);
                    ++i;
                }
                continue;
            }
            searched += text[i];
            starts.push_back(i);
            ends.push_back(i + 1);
        }
    } else {
        searched = text;
    }
    auto startOf = [&](qsizetype at) {
        if (!options.IgnoreAccelerators)
            return at;
        return at < static_cast<qsizetype>(starts.size()) ? starts[static_cast<std::size_t>(at)]
                                                          : text.size();
    };
    auto endOf = [&](qsizetype last) { // last: index of the match's last character
        return options.IgnoreAccelerators ? ends[static_cast<std::size_t>(last)] : last + 1;
    };

    QString result;
    qsizetype copied = 0;
    QRegularExpressionMatchIterator matches = expression.globalMatch(searched);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const qsizetype begin = startOf(match.capturedStart());
        const qsizetype end = match.capturedLength() > 0 ? endOf(match.capturedEnd() - 1) : begin;
        if (begin < copied)
            continue;
        result += QStringView(text).mid(copied, begin - copied);
        result += Expand(match, options);
        copied = end;
        ++count;
    }
    result += QStringView(text).mid(copied);
    return result;
}

ReplacePlan PlanReplace(const LanguageDocument &document, const CodePage &codePage,
                        const ReplaceOptions &options, const std::function<bool(int row)> &shown)
{
    ReplacePlan plan;
    if (options.Find.isEmpty())
        return plan;
    const QRegularExpression expression = ReplaceExpression(options);
    if (!expression.isValid()) {
        plan.Error = expression.errorString();
        return plan;
    }
    const std::vector<TEditorItem> &items = document.polozky();
    const GridCells &grid = document.Grid();
    const int rows = document.EntryRowCount();
    for (int i = 0; i < rows; ++i) {
        const int row = i + 1;
        const TItemKind kind = items[static_cast<std::size_t>(i)].Kind;
        if ((kind != ikComponent && kind != ikMessage) || !grid.Style(1, row).IsEditable() || !shown(row))
            continue;
        const std::string &old = grid.Text(1, row);
        if (old.empty() && !options.RegularExpression)
            continue;
        int count = 0;
        const QString before = codePage.Decode(old);
        QString replaced = ReplaceInText(before, expression, options, count);
        if (count == 0)
            continue;
        for (const QChar breakCharacter : {QChar(u'\r'), QChar(u'\n')})
            replaced.replace(breakCharacter, QLatin1Char(' '));
        std::optional<std::string> bytes = codePage.Encode(replaced);
        if (!bytes) {
            ++plan.Refused;
            continue;
        }
        plan.Matches += count;
        if (*bytes != old)
            plan.Rows.push_back({row, old, std::move(*bytes), count, before, replaced});
    }
    return plan;
}

} // namespace verbaria
