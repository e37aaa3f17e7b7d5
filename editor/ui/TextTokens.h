#pragma once

#include <QString>
#include <QSyntaxHighlighter>

#include <vector>

class QTextDocument;

namespace verbaria {

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

// Marks the tokens of a text shown in a plain text field.
class TokenHighlighter final : public QSyntaxHighlighter
{
public:
    explicit TokenHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;
};

} // namespace verbaria
