#include "editor/ui/LineEditSpelling.h"

#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/SpellingHighlighter.h"
#include "editor/ui/SpellingMenu.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>

namespace verbaria {

LineEditSpelling::LineEditSpelling(QLineEdit *edit, DocumentSpelling &spelling, const TextService &texts,
                                   std::function<bool(const QString &)> fits)
    : QObject(edit)
    , edit_(edit)
    , spelling_(spelling)
    , texts_(texts)
    , fits_(std::move(fits))
{
    connect(edit, &QLineEdit::textChanged, this, &LineEditSpelling::Underline);
    connect(&spelling, &DocumentSpelling::Changed, this, &LineEditSpelling::Underline);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, &LineEditSpelling::ShowMenu);
    edit->installEventFilter(this);
}

bool LineEditSpelling::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit_ && event->type() == QEvent::InputMethod && !underlining_) {
        const bool composing = !static_cast<QInputMethodEvent *>(event)->preeditString().isEmpty();
        const bool ended = composing_ && !composing;
        composing_ = composing;
        if (ended)
            QMetaObject::invokeMethod(this, &LineEditSpelling::Underline, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void LineEditSpelling::Underline()
{
    // What an input method is composing is its own to show: the underlines wait for it.
    if (composing_)
        return;
    // A line edit draws formats only as an input method gives them: an event with no text to
    // insert and no text being composed changes nothing but the formats, whose positions count
    // from the cursor.
    const int cursor = edit_->cursorPosition();
    QList<QInputMethodEvent::Attribute> formats;
    const QTextCharFormat format = MisspelledFormat();
    for (const spelling::MisspelledWord &word : spelling_.Misspelled(edit_->text()))
        formats.append({QInputMethodEvent::TextFormat, word.Start - cursor, word.Length, format});
    QInputMethodEvent event(QString(), formats);
    underlining_ = true;
    QCoreApplication::sendEvent(edit_, &event);
    underlining_ = false;
}

void LineEditSpelling::ShowMenu(const QPoint &position)
{
    QMenu *menu = edit_->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString text = edit_->text();
    if (const auto word =
            SpellingMenu::WordAt(spelling_.Misspelled(text), edit_->cursorPositionAt(position))) {
        QPointer<QLineEdit> edit(edit_);
        const int start = word->Start;
        const int length = word->Length;
        std::function<void(const QString &)> replace;
        if (!edit_->isReadOnly())
            replace = [edit, start, length, text](const QString &replacement) {
                // The text may have changed while the menu was open.
                if (!edit || edit->text() != text)
                    return;
                edit->setSelection(start, length);
                edit->insert(replacement);
            };
        SpellingMenu::AddEntries(*menu, spelling_, texts_, *word, text.mid(start, length), fits_, replace);
    }
    menu->popup(edit_->mapToGlobal(position));
}

} // namespace verbaria
