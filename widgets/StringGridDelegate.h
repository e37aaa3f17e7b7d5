#pragma once

#include <QStyledItemDelegate>

namespace verbaria {

class StringGridModel;

// Paints a cell flat in its own colours (the current cell in the tool-tip colour with blue text) and
// edits it in a frameless line edit that writes every keystroke through to the model.
class StringGridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit StringGridDelegate(QObject *parent = nullptr);

    void setModel(const StringGridModel *model) { model_ = model; }

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
    void unrepresentableCharacter(const QString &text);

private:
    const StringGridModel *model_ = nullptr;
};

} // namespace verbaria
