#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace verbaria {

class StringGridModel;

// Paints a cell flat in its own colours (the current cell in the tool-tip colour with blue text) and
// edits it in a frameless line edit that writes every keystroke through to the model.
class StringGridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit StringGridDelegate(QObject *parent = nullptr);

    void SetModel(const StringGridModel *model) { model_ = model; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    static constexpr int TextMargin = 2;

signals:
    // Both are sent after the editor has handled the key or paste, while it stays open.
    void UnrepresentableCharacter(const QString &text);
    void LineBreaksReplaced();

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    // Runs a report (which may show a modal box) with the editor kept open and focused after it.
    void Report(QWidget *editor, const std::function<void()> &report);

    const StringGridModel *model_ = nullptr;
    // While a report's box is up the editor loses focus to it; that must not end the edit.
    int reporting_ = 0;
};

} // namespace verbaria
