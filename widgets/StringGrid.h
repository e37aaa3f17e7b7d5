#pragma once

#include <QPointer>
#include <QTableView>

#include <string>

namespace verbaria {

class GridCells;
class StringGridDelegate;
class StringGridModel;

// The two-column string grid of the editor. Rows and columns in its interface are those of GridCells:
// row 0 is the fixed heading row (never current, never edited), row i + 1 the document's entry i.
// Typing into an editable cell opens the editor; every keystroke goes into the cells at once. Enter
// ends the edit and advances to the next editable cell, appending a row at the end when there is
// none; moving to another cell ends the edit too; Escape puts the old text back.
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
    // open edit). False when the cell does not exist or is the heading row.
    bool SetCurrentCell(int column, int row);
    bool SetCurrentRow(int row);
    bool SetCurrentColumn(int column);

    bool IsEditing() const { return !editor_.isNull(); }
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
};

} // namespace verbaria
