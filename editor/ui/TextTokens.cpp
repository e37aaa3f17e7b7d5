#include "editor/ui/TextTokens.h"

#include "widgets/StringGridDelegate.h"

#include <QRegularExpression>
#include <QTextCharFormat>

#include <algorithm>

namespace verbaria {

namespace {

const QRegularExpression &TokenExpression()
{
    // Qt's %1 (and %L1), printf's conversions with their flags, width, precision and length, and
    // "{name}"; then markup; then "&" before a character ("&&" is a literal "&").
    static const QRegularExpression expression(QStringLiteral(
        "(?<placeholder>%%|%L?[1-9][0-9]?|%(?:[0-9]+\\$)?[-+#0']*(?:[0-9]+|\\*)?(?:\\.(?:[0-9]+|\\*))?"
        "(?:hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcspn]|\\{[A-Za-z_][A-Za-z0-9_]*\\})"
        "|(?<markup></?[A-Za-z][^<>]*>)"
        "|(?<accelerator>&&|&(?=[^&\\s]))"));
    return expression;
}

} // namespace

std::vector<TextToken> FindTextTokens(const QString &text)
{
    std::vector<TextToken> tokens;
    QRegularExpressionMatchIterator matches = TokenExpression().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QString whole = match.captured(0);
        // "%%" and "&&" are literal characters, no tokens.
        if (whole == QStringLiteral("%%") || whole == QStringLiteral("&&"))
            continue;
        TextToken token;
        token.Start = match.capturedStart(0);
        token.Length = match.capturedLength(0);
        if (match.capturedStart(QStringLiteral("markup")) >= 0)
            token.What = TextToken::Kind::Markup;
        else if (match.capturedStart(QStringLiteral("accelerator")) >= 0) {
            token.What = TextToken::Kind::Accelerator;
            token.Length = 2; // the "&" and the letter it marks
        }
        tokens.push_back(token);
    }
    return tokens;
}

QString NextMissingToken(const QString &original, const QString &translation)
{
    std::vector<QString> found;
    for (const TextToken &token : FindTextTokens(translation)) {
        if (token.What != TextToken::Kind::Accelerator)
            found.push_back(translation.mid(token.Start, token.Length));
    }
    for (const TextToken &token : FindTextTokens(original)) {
        if (token.What == TextToken::Kind::Accelerator)
            continue;
        const QString wanted = original.mid(token.Start, token.Length);
        // Each one of the translation answers one of the original.
        const auto at = std::find(found.begin(), found.end(), wanted);
        if (at == found.end())
            return wanted;
        found.erase(at);
    }
    return {};
}

QColor TokenBackground(TextToken::Kind kind)
{
    switch (kind) {
    case TextToken::Kind::Placeholder:
        return QColor(255, 229, 153);
    case TextToken::Kind::Markup:
        return QColor(214, 234, 248);
    case TextToken::Kind::Accelerator:
        break;
    }
    return {};
}

std::optional<TextToken> TokenAt(const QString &text, qsizetype position)
{
    for (const TextToken &token : FindTextTokens(text)) {
        if (position >= token.Start && position < token.Start + token.Length)
            return token;
    }
    return std::nullopt;
}

void CellTokenMarks(int, const QString &text, std::vector<StringGridTextMark> &marks)
{
    if (!text.contains(u'%') && !text.contains(u'{') && !text.contains(u'<'))
        return;
    for (const TextToken &token : FindTextTokens(text)) {
        if (const QColor background = TokenBackground(token.What); background.isValid())
            marks.push_back({token.Start, token.Length, background});
    }
}

TokenHighlighter::TokenHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
}

void MarkTokens(const QString &text,
                const std::function<void(int start, int length, const QTextCharFormat &format)> &setFormat)
{
    QTextCharFormat placeholder;
    placeholder.setBackground(TokenBackground(TextToken::Kind::Placeholder));
    placeholder.setForeground(QColor(122, 62, 0));
    QTextCharFormat markup;
    markup.setBackground(TokenBackground(TextToken::Kind::Markup));
    markup.setForeground(QColor(21, 67, 96));
    QTextCharFormat accelerator;
    accelerator.setFontUnderline(true);
    accelerator.setFontWeight(QFont::Bold);
    for (const TextToken &token : FindTextTokens(text)) {
        const QTextCharFormat &format = token.What == TextToken::Kind::Placeholder ? placeholder
                                        : token.What == TextToken::Kind::Markup    ? markup
                                                                                   : accelerator;
        setFormat(static_cast<int>(token.Start), static_cast<int>(token.Length), format);
    }
}

void TokenHighlighter::highlightBlock(const QString &text)
{
    MarkTokens(text, [this](int start, int length, const QTextCharFormat &format) {
        setFormat(start, length, format);
    });
}

} // namespace verbaria
