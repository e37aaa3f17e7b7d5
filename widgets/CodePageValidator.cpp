#include "widgets/CodePageValidator.h"

#include "widgets/StringGridModel.h"

namespace verbaria {

CodePageValidator::CodePageValidator(const StringGridModel &model, QObject *parent)
    : QValidator(parent)
    , model_(model)
{
}

QValidator::State CodePageValidator::validate(QString &input, int &) const
{
    const QString bad = model_.unrepresentable(input);
    QString added;
    for (qsizetype i = 0; i < bad.size();) {
        const qsizetype length = bad.at(i).isHighSurrogate() && i + 1 < bad.size() ? 2 : 1;
        const QString character = bad.mid(i, length);
        if (!tolerated_.contains(character))
            added += character;
        i += length;
    }
    if (added.isEmpty())
        return Acceptable;
    rejected_ = added;
    return Invalid;
}

} // namespace verbaria
