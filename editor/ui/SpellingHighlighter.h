#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace verbaria {

class DocumentSpelling;

// Underlines the misspelled words of a text document (the text pane's translation) in red waves,
// and again whenever the dictionary changes; marks its placeholders, markup and accelerators.
class SpellingHighlighter final : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    SpellingHighlighter(const DocumentSpelling &spelling, QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    const DocumentSpelling &spelling_;
};

// The format of a misspelled word, in the cell editor and in the text pane alike.
QTextCharFormat MisspelledFormat();

} // namespace verbaria
