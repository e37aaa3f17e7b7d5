#include "editor/ui/SpellingHighlighter.h"

#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/TextTokens.h"

#include <QTextCharFormat>

namespace verbaria {

QTextCharFormat MisspelledFormat()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    format.setUnderlineColor(Qt::red);
    return format;
}

SpellingHighlighter::SpellingHighlighter(const DocumentSpelling &spelling, QTextDocument *document)
    : QSyntaxHighlighter(document)
    , spelling_(spelling)
{
    connect(&spelling, &DocumentSpelling::Changed, this, &QSyntaxHighlighter::rehighlight);
}

void SpellingHighlighter::highlightBlock(const QString &text)
{
    const QTextCharFormat format = MisspelledFormat();
    for (const spelling::MisspelledWord &word : spelling_.Misspelled(text))
        setFormat(word.Start, word.Length, format);
    // The translation's placeholders and markup are marked as the original's are.
    MarkTokens(text, [this](int start, int length, const QTextCharFormat &token) {
        setFormat(start, length, token);
    });
}

} // namespace verbaria
