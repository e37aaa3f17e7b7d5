#include "editor/ui/SpellingHighlighter.h"

#include "editor/ui/DocumentSpelling.h"

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
}

} // namespace verbaria
