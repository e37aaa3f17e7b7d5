#pragma once

#include <QValidator>

class QLineEdit;

namespace verbaria {

class StringGridModel;

// Refuses an edit that would bring in a character the files' code page cannot hold, so that such a
// character is never silently replaced when the file is written. Characters that were already in
// the text (from a damaged file) do not block further typing.
class CodePageValidator final : public QValidator
{
    Q_OBJECT

public:
    CodePageValidator(const StringGridModel &model, QLineEdit &edit);

    State validate(QString &input, int &pos) const override;
    // The characters refused by the last rejected edit.
    QString rejectedCharacters() const { return rejected_; }

private:
    const StringGridModel &model_;
    QLineEdit &edit_;
    mutable QString rejected_;
};

} // namespace verbaria
