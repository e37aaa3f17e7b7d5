#include "editor/ui/CodePageGuard.h"

#include "platform/CodePage.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QValidator>

namespace verbaria {

namespace {

class CodePageFieldValidator final : public QValidator
{
public:
    CodePageFieldValidator(CodePageGuard::Report report, QObject *parent)
        : QValidator(parent)
        , report_(std::move(report))
    {}

    State validate(QString &input, int &) const override
    {
        const QString refused = CodePageGuard::Unrepresentable(input);
        if (refused.isEmpty())
            return Acceptable;
        if (report_)
            report_(refused);
        return Invalid;
    }

private:
    CodePageGuard::Report report_;
};

} // namespace

QString CodePageGuard::Unrepresentable(const QString &text)
{
    const CodePage &codePage = CodePage::Default();
    if (codePage.CanEncode(text))
        return {};
    QString refused;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!codePage.CanEncode(character) && !refused.contains(character))
            refused += character;
        i += length - 1;
    }
    return refused;
}

void CodePageGuard::Watch(QLineEdit *edit, QObject *, Report report)
{
    edit->setValidator(new CodePageFieldValidator(std::move(report), edit));
}

void CodePageGuard::Watch(QPlainTextEdit *edit, QObject *context, Report report)
{
    auto accepted = std::make_shared<QString>(edit->toPlainText());
    QPointer<QPlainTextEdit> guarded(edit);
    QObject::connect(edit, &QPlainTextEdit::textChanged, context, [guarded, accepted, report] {
        if (!guarded)
            return;
        const QString text = guarded->toPlainText();
        const QString refused = Unrepresentable(text);
        if (refused.isEmpty()) {
            *accepted = text;
            return;
        }
        const QSignalBlocker blocker(guarded);
        const int position = static_cast<int>(std::min<qsizetype>(guarded->textCursor().position(), accepted->size()));
        guarded->setPlainText(*accepted);
        QTextCursor cursor = guarded->textCursor();
        cursor.setPosition(position);
        guarded->setTextCursor(cursor);
        if (report)
            report(refused);
    });
}

} // namespace verbaria
