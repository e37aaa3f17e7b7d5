#pragma once

#include <QValidator>

namespace verbaria {

class StringGridModel;

// Refuses an edit that would bring in a character the files' code page cannot hold, so that such a
// character is never silently replaced when the file is written. Characters that the text already
// had when the edit began (from a damaged file) are tolerated, so they do not block all typing.
class CodePageValidator final : public QValidator
{
    Q_OBJECT

public:
    CodePageValidator(const StringGridModel &model, QObject *parent);

    void setTolerated(const QString &characters) { tolerated_ = characters; }
    State validate(QString &input, int &pos) const override;
    // The characters refused by the last rejected edit.
    QString rejectedCharacters() const { return rejected_; }

private:
    const StringGridModel &model_;
    QString tolerated_;
    mutable QString rejected_;
};

} // namespace verbaria
