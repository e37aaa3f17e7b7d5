#include "widgets/StringGridDelegate.h"

#include "widgets/CodePageValidator.h"
#include "widgets/StringGridModel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {
const char *const FilledProperty = "verbariaFilled";
}

StringGridDelegate::StringGridDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void StringGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    QBrush background = selected ? option.palette.brush(QPalette::ToolTipBase)
                                 : index.data(Qt::BackgroundRole).value<QBrush>();
    if (background.style() == Qt::NoBrush)
        background = option.palette.brush(QPalette::Base);
    QColor text = selected ? QColor(0, 0, 255) : index.data(Qt::ForegroundRole).value<QBrush>().color();

    painter->save();
    painter->fillRect(option.rect, background);
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(text);
    QRect textRect = option.rect.adjusted(TextMargin, 0, -TextMargin, 0);
    // A mark (a problem of the row) at the right end, so the text stays where it always is.
    if (const QVariant mark = index.data(Qt::DecorationRole); mark.canConvert<QIcon>()) {
        const int side = std::min(option.rect.height() - 2, 16);
        const QRect iconRect(option.rect.right() - TextMargin - side, option.rect.center().y() - side / 2,
                             side, side);
        mark.value<QIcon>().paint(painter, iconRect);
        textRect.setRight(iconRect.left() - TextMargin);
    }
    const QString shown = index.data(Qt::DisplayRole).toString();
    if (textMarks_ && !shown.isEmpty()) {
        marks_.clear();
        textMarks_(index.column(), shown, marks_);
        if (!marks_.empty()) {
            // The marks lie under the text, where a single left-aligned line puts each part.
            const QFontMetrics metrics(option.font);
            const int top = textRect.center().y() - metrics.height() / 2;
            painter->save();
            painter->setClipRect(textRect, Qt::IntersectClip);
            for (const StringGridTextMark &mark : marks_) {
                const int left = textRect.left() + metrics.horizontalAdvance(shown.left(mark.Start));
                const int width = metrics.horizontalAdvance(shown.mid(mark.Start, mark.Length));
                painter->fillRect(QRect(left, top, width, metrics.height()), mark.Background);
            }
            painter->restore();
        }
    }
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter->restore();
}

void StringGridDelegate::Report(QWidget *editor, const std::function<void()> &report)
{
    ++reporting_;
    report();
    --reporting_;
    if (editor) {
        editor->activateWindow();
        editor->setFocus(Qt::OtherFocusReason);
    }
}

bool StringGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (reporting_ > 0 && (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide))
        return false;
    // Enter belongs to the grid, which ends the edit and moves on at once; the delegate's own
    // handling would end the same edit a second time, later, on an editor already gone.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QWidget *StringGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    // createEditor is const, but the editor's signals are this delegate's own.
    auto *self = const_cast<StringGridDelegate *>(this);
    auto *edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setFont(option.font);
    edit->setTextMargins(TextMargin - 1, 0, 0, 0);
    if (model_) {
        const StringGridModel *model = model_;
        const int column = index.column();
        QPointer<QLineEdit> guarded(edit);
        CodePageValidator::Guard(
            edit, [model, column]() -> const CodePage & { return model->CodePageOf(column); },
            [self, guarded](const QString &refused) {
                self->Report(guarded, [self, refused] { emit self->UnrepresentableCharacter(refused); });
            },
            [self, guarded] { self->Report(guarded, [self] { emit self->LineBreaksReplaced(); }); });
    }
    // The cell follows the editor at every keystroke, so a save during the edit writes what is typed.
    connect(edit, &QLineEdit::textEdited, self, [self, edit] { emit self->commitData(edit); });
    if (editorCreated_)
        editorCreated_(edit, index);
    return edit;
}

void StringGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return;
    const QString text = index.data(Qt::EditRole).toString();
    // Called again whenever the cell changes; resetting an unchanged text would move the cursor.
    if (edit->text() != text)
        edit->setText(text);
    if (!edit->property(FilledProperty).toBool()) {
        edit->setProperty(FilledProperty, true);
        if (auto *validator = qobject_cast<CodePageValidator *>(const_cast<QValidator *>(edit->validator())))
            validator->SetTolerated(model_ ? model_->Unrepresentable(index.column(), text) : QString());
        // As in a classic grid, a typed character replaces the whole text.
        edit->selectAll();
    }
}

void StringGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                      const QModelIndex &index) const
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor))
        model->setData(index, edit->text(), Qt::EditRole);
}

void StringGridDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                              const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

} // namespace verbaria
