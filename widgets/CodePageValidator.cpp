#include "widgets/CodePageValidator.h"

#include "widgets/StringGridModel.h"

#include <QLineEdit>

namespace verbaria {

CodePageValidator::CodePageValidator(const StringGridModel &model, QLineEdit &edit)
    : QValidator(&edit)
    , model_(model)
    , edit_(edit)
{
}

QValidator::State CodePageValidator::validate(QString &input, int &) const
{
    const QString bad = model_.unrepresentable(input);
    if (bad.isEmpty())
        return Acceptable;
    // validate() runs before the line edit takes the change, so text() is still the old text.
    const QString before = model_.unrepresentable(edit_.text());
    QString added;
    for (qsizetype i = 0; i < bad.size();) {
        const qsizetype length = bad.at(i).isHighSurrogate() && i + 1 < bad.size() ? 2 : 1;
        const QString character = bad.mid(i, length);
        if (!before.contains(character))
            added += character;
        i += length;
    }
    if (added.isEmpty())
        return Acceptable;
    rejected_ = added;
    return Invalid;
}

} // namespace verbaria
