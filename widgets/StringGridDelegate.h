#pragma once

#include <QColor>
#include <QStyledItemDelegate>

#include <functional>
#include <vector>

class QLineEdit;

namespace verbaria {

class StringGridModel;

// A part of a cell's text painted on a background of its own.
struct StringGridTextMark
{
    qsizetype Start = 0;
    qsizetype Length = 0;
    QColor Background;
};

// Paints a cell flat in its own colours (the current cell in the tool-tip colour with blue text) and
// edits it in a frameless line edit that writes every keystroke through to the model.
class StringGridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit StringGridDelegate(QObject *parent = nullptr);

    void SetModel(const StringGridModel *model) { model_ = model; }
    // Told of every cell editor made, after the delegate's own set-up: what the rooms above add
    // to it (spelling).
    using EditorCreated = std::function<void(QLineEdit *editor, const QModelIndex &index)>;
    void SetEditorCreated(EditorCreated handler) { editorCreated_ = std::move(handler); }
    // Parts of a cell's text painted on a background of their own (placeholders, markup): what
    // the rooms above find in the text shown, by column. Asked only for the cells painted.
    using TextMarks =
        std::function<void(int column, const QString &text, std::vector<StringGridTextMark> &marks)>;
    void SetTextMarks(TextMarks marks) { textMarks_ = std::move(marks); }

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
    EditorCreated editorCreated_;
    TextMarks textMarks_;
    mutable std::vector<StringGridTextMark> marks_; // one buffer for every cell painted
    // While a report's box is up the editor loses focus to it; that must not end the edit.
    int reporting_ = 0;
};

} // namespace verbaria
