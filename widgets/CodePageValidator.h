#pragma once

#include "platform/CodePage.h"

#include <QValidator>

#include <functional>
#include <utility>

class QLineEdit;

namespace verbaria {

// Keeps a one-line field to what its file can hold. A character the code page cannot hold is
// refused (the edit that would bring it in is undone), so nothing is silently replaced when the
// file is written; characters that the text already had when the edit began (from a damaged
// file) are tolerated, so they do not block all typing. A line break, which would split the
// file's line, becomes a blank.
class CodePageValidator final : public QValidator
{
    Q_OBJECT

public:
    using CodePageSource = std::function<const CodePage &()>;

    CodePageValidator(CodePageSource codePage, QObject *parent);

    // Fits edit with a validator and reports what it refused or changed. The reports come after
    // the key or paste has been handled, never from inside it: a receiver may show a modal box
    // while the field stays open.
    static CodePageValidator *Guard(QLineEdit *edit, CodePageSource codePage,
                                    std::function<void(const QString &refused)> onRefused,
                                    std::function<void()> onLineBreaks);

    void SetTolerated(const QString &characters) { tolerated_ = characters; }
    State validate(QString &input, int &pos) const override;
    // The characters refused by the last rejected edit.
    QString RejectedCharacters() const { return rejected_; }
    // True once after an edit whose line breaks became blanks.
    bool TakeLineBreaksReplaced() const { return std::exchange(lineBreaksReplaced_, false); }

private:
    CodePageSource codePage_;
    QString tolerated_;
    mutable QString rejected_;
    mutable bool lineBreaksReplaced_ = false;
};

// A text with every line break (CR LF, CR or LF) as one blank.
QString LineBreaksToBlanks(const QString &text);

} // namespace verbaria
