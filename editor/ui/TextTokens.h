#pragma once

#include <QColor>
#include <QString>
#include <QSyntaxHighlighter>

#include <functional>
#include <optional>
#include <vector>

class QTextCharFormat;
class QTextDocument;

namespace verbaria {

struct StringGridTextMark;

// What a program fills in or reads out of a text: placeholders ("%1", "%s", "%n", "{name}"),
// markup ("<b>", "</b>") and the accelerator's "&".
struct TextToken
{
    enum class Kind { Placeholder, Markup, Accelerator };
    Kind What = Kind::Placeholder;
    qsizetype Start = 0;
    qsizetype Length = 0;
};

// The tokens of text in text order.
std::vector<TextToken> FindTextTokens(const QString &text);

// The first placeholder or markup of original (in its order) that translation holds fewer times
// than original does; empty when none is missing. Accelerators are the translator's to place.
QString NextMissingToken(const QString &original, const QString &translation);

// The background a token of the kind is marked with; none (invalid) for an accelerator, which is
// underlined instead.
QColor TokenBackground(TextToken::Kind kind);

// The token of text that covers position (a cursor position: before or inside it), or nullopt.
std::optional<TextToken> TokenAt(const QString &text, qsizetype position);

// The grid's marks of a cell's text: its placeholders and markup on their backgrounds. A text
// without '%', '{' or '<' is not searched.
void CellTokenMarks(int column, const QString &text, std::vector<StringGridTextMark> &marks);

// Calls setFormat for each token of text with the format it is marked in.
void MarkTokens(const QString &text,
                const std::function<void(int start, int length, const QTextCharFormat &format)> &setFormat);

// Marks the tokens of a text shown in a plain text field.
class TokenHighlighter final : public QSyntaxHighlighter
{
public:
    explicit TokenHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;
};

} // namespace verbaria
