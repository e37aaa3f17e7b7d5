#pragma once

#include <QPointer>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;

namespace verbaria {

class GridCells;
class StringGridDelegate;
struct StringGridTextMark;
class StringGridModel;

// The two-column string grid of the editor. Rows and columns in its interface are those of GridCells:
// row 0 is the fixed heading row (never current, never edited), row i + 1 the document's entry i.
// Typing into an editable cell opens the editor; every keystroke goes into the cells at once. Enter
// ends the edit and advances to the next editable cell, appending a row at the end when there is
// none; moving to another cell ends the edit too; Escape puts the old text back.
// Hidden rows (a filtered view) are never current and never edited: the advance skips them, and
// with rows hidden it stays where it is rather than append a row that the view would not show.
// The undo and redo keys in an editor with nothing of its own to undo end the edit as Escape does
// and go on to the window, so that they reach the document's history.
class StringGrid final : public QTableView
{
    Q_OBJECT

public:
    static constexpr int InitialRowHeight = 16;

    explicit StringGrid(QWidget *parent = nullptr);
    ~StringGrid() override;

    // The grid shows these cells through its own model until it is given others; the cells must
    // outlive the grid or be replaced first.
    void SetCells(GridCells &cells);
    StringGridModel *GridModel() const { return gridModel_; }
    // The code page of every column's texts, "windows-1250" by default; false for an unknown name.
    bool setCodePage(const QString &name);
    // The code page of one column's texts in one encoding (see GridCells::Encoding).
    bool setCodePage(int column, int encoding, const QString &name);
    // The translations' code page: what typing into a cell must fit.
    QString CodePageName() const { return codePages_[1][0]; }

    // Gives both columns this width; the user may drag them afterwards.
    void SetDefaultColumnWidth(int width);
    int DefaultColumnWidth() const;
    void SetDefaultRowHeight(int height);
    int DefaultRowHeight() const;

    // The current cell in grid coordinates; -1 when there is none.
    int CurrentColumn() const;
    int CurrentRow() const;
    // Each goes through the ordinary change of the current cell (cellAboutToBeSelected, ending an
    // open edit). False when the cell does not exist, is the heading row or is in a hidden row.
    bool SetCurrentCell(int column, int row);
    bool SetCurrentRow(int row);
    bool SetCurrentColumn(int column);
    // After rows were hidden: a current cell in a hidden row ends its edit and moves to the next
    // shown row (else the nearest shown one above, else nowhere), so nothing typed goes there.
    void LeaveHiddenRow();

    bool IsEditing() const { return !editor_.isNull(); }
    // Told of every cell editor as it opens, with the cell in grid coordinates.
    void SetEditorCreated(std::function<void(QLineEdit *editor, int column, int row)> handler);
    // Marked parts of the cells' texts (placeholders, markup), by column and text shown.
    void SetTextMarks(
        std::function<void(int column, const QString &text, std::vector<StringGridTextMark> &marks)> marks);
    // Ends an open edit as leaving its cell does (raises afterEdit); nothing when none is open.
    void EndEdit();

    void keyboardSearch(const QString &search) override;
    using QTableView::edit;

signals:
    // A cell is about to become the current one, by mouse, keyboard or program.
    void CellAboutToBeSelected(int column, int row);
    // An edit of the cell ended by Enter or by leaving the cell (not by Escape).
    void AfterEdit(int column, int row);
    // The user typed or pasted characters that the code page cannot hold; they were refused. Sent
    // once the key or paste has been handled, with the editor still open.
    void UnrepresentableCharacter(const QString &text);
    // A pasted text's line breaks became blanks: a cell holds one line.
    void LineBreaksReplaced();

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AdvanceFrom(int column, int row);
    bool RowShown(int row) const;
    // The first shown row from row on, else the last one before it; -1 when none is shown.
    int ShownRowNear(int row) const;

    StringGridModel *gridModel_ = nullptr;
    StringGridDelegate *delegate_ = nullptr;
    QString codePages_[2][2];
    int defaultColumnWidth_ = 64;

    // The edit in progress: its editor, cell and the bytes to put back on Escape.
    QPointer<QWidget> editor_;
    int editColumn_ = -1;
    int editRow_ = -1;
    std::string textBeforeEdit_;
    bool endedByEnter_ = false;

    // What a reset of the model must not take away: the current cell and the hidden rows (view rows).
    int keptColumn_ = -1;
    int keptRow_ = -1;
    std::vector<int> hiddenRows_;
};

} // namespace verbaria
