#include "dialogs/CodePageGuard.h"

#include "widgets/CodePageValidator.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

namespace verbaria {

void CodePageGuard::Watch(QLineEdit *edit, CodePageSource codePage, Report report,
                          std::function<void()> lineBreaksReplaced)
{
    CodePageValidator::Guard(edit, std::move(codePage), std::move(report), std::move(lineBreaksReplaced));
}

void CodePageGuard::Watch(QPlainTextEdit *edit, QObject *context, CodePageSource codePage, Report report)
{
    auto accepted = std::make_shared<QString>(edit->toPlainText());
    QPointer<QPlainTextEdit> guarded(edit);
    QObject::connect(
        edit, &QPlainTextEdit::textChanged, context, [guarded, accepted, codePage, report, context] {
            if (!guarded)
                return;
            const QString text = guarded->toPlainText();
            const QString refused = codePage().Unrepresentable(text);
            if (refused.isEmpty()) {
                *accepted = text;
                return;
            }
            const QSignalBlocker blocker(guarded);
            const int position =
                static_cast<int>(std::min<qsizetype>(guarded->textCursor().position(), accepted->size()));
            guarded->setPlainText(*accepted);
            QTextCursor cursor = guarded->textCursor();
            cursor.setPosition(position);
            guarded->setTextCursor(cursor);
            // Not from inside the memo's own key handling.
            if (report)
                QTimer::singleShot(0, context, [report, refused] { report(refused); });
        });
}

} // namespace verbaria
