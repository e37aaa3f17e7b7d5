#include "widgets/CodePageValidator.h"

#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace verbaria {

QString LineBreaksToBlanks(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

CodePageValidator::CodePageValidator(CodePageSource codePage, QObject *parent)
    : QValidator(parent)
    , codePage_(std::move(codePage))
{
}

QValidator::State CodePageValidator::validate(QString &input, int &) const
{
    if (input.contains(QLatin1Char('\n')) || input.contains(QLatin1Char('\r'))) {
        // "\r\n" becomes one blank; the cursor stays where the text ends up no longer.
        input = LineBreaksToBlanks(input);
        lineBreaksReplaced_ = true;
    }
    const QString bad = codePage_().Unrepresentable(input);
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
    lineBreaksReplaced_ = false;
    return Invalid;
}

CodePageValidator *CodePageValidator::Guard(QLineEdit *edit, CodePageSource codePage,
                                            std::function<void(const QString &refused)> onRefused,
                                            std::function<void()> onLineBreaks)
{
    auto *validator = new CodePageValidator(std::move(codePage), edit);
    edit->setValidator(validator);
    QPointer<CodePageValidator> guarded(validator);
    // The report waits until the field has finished the key: a modal box shown from inside
    // QLineEdit::keyPressEvent pulls the field away under it.
    QObject::connect(edit, &QLineEdit::inputRejected, validator, [guarded, onRefused] {
        const QString refused = guarded ? guarded->RejectedCharacters() : QString();
        if (refused.isEmpty() || !onRefused)
            return;
        QTimer::singleShot(0, guarded, [onRefused, refused] { onRefused(refused); });
    });
    QObject::connect(edit, &QLineEdit::textEdited, validator, [guarded, onLineBreaks] {
        if (!guarded || !guarded->TakeLineBreaksReplaced() || !onLineBreaks)
            return;
        QTimer::singleShot(0, guarded, [onLineBreaks] { onLineBreaks(); });
    });
    return validator;
}

} // namespace verbaria
