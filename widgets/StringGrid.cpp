#include "widgets/StringGrid.h"

#include "widgets/GridCells.h"
#include "widgets/StringGridDelegate.h"
#include "widgets/StringGridHeader.h"
#include "widgets/StringGridModel.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {

enum class HistoryKey { None, Undo, Redo };

// The keys the desktop's editors take for undo and redo, and the other common ones for redo.
HistoryKey HistoryKeyOf(const QKeyEvent &key)
{
    const QKeyCombination combination = key.keyCombination();
    if (key.matches(QKeySequence::Undo) || combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Z))
        return HistoryKey::Undo;
    if (key.matches(QKeySequence::Redo) ||
        combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) ||
        combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y))
        return HistoryKey::Redo;
    return HistoryKey::None;
}

} // namespace

StringGrid::StringGrid(QWidget *parent)
    : QTableView(parent)
{
    for (auto &column : codePages_) {
        for (QString &name : column)
            name = QString::fromLatin1(CodePage::FallbackName);
    }
    setHorizontalHeader(new StringGridHeader(this));
    // One fixed height for every row: the view then never measures rows, whatever their number.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    SetDefaultRowHeight(InitialRowHeight);
    SetDefaultColumnWidth(defaultColumnWidth_);

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);

    delegate_ = new StringGridDelegate(this);
    setItemDelegate(delegate_);
    connect(delegate_, &StringGridDelegate::UnrepresentableCharacter, this,
            &StringGrid::UnrepresentableCharacter);
    connect(delegate_, &StringGridDelegate::LineBreaksReplaced, this, &StringGrid::LineBreaksReplaced);
}

StringGrid::~StringGrid() = default;

void StringGrid::SetCells(GridCells &cells)
{
    // The old model lets go of its cells before the new one watches them, which may be the same.
    StringGridModel *old = gridModel_;
    editor_ = nullptr;
    setModel(nullptr);
    delegate_->SetModel(nullptr);
    delete old;
    gridModel_ = new StringGridModel(cells, this);
    for (int column = 0; column < 2; ++column) {
        for (int encoding = 0; encoding < 2; ++encoding)
            gridModel_->setCodePage(column, static_cast<GridCells::Encoding>(encoding),
                                    codePages_[column][encoding]);
    }
    delegate_->SetModel(gridModel_);
    setModel(gridModel_);
    // Many changes at once (undo, replace) reset the model; the view would forget its current
    // cell and its hidden rows with it, and a filtered view would then show everything.
    connect(gridModel_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        editor_ = nullptr;
        keptColumn_ = CurrentColumn();
        keptRow_ = CurrentRow();
        hiddenRows_.clear();
        if (verticalHeader()->hiddenSectionCount() > 0) {
            for (int row = 0; row < verticalHeader()->count(); ++row) {
                if (isRowHidden(row))
                    hiddenRows_.push_back(row);
            }
        }
    });
    connect(gridModel_, &QAbstractItemModel::modelReset, this, [this] {
        const int rows = gridModel_->rowCount();
        for (const int row : std::exchange(hiddenRows_, {})) {
            if (row < rows)
                setRowHidden(row, true);
        }
        if (keptRow_ >= 1 && rows >= 1) {
            const int row = ShownRowNear(std::min(keptRow_, rows));
            if (row >= 1)
                SetCurrentCell(std::max(keptColumn_, 0), row);
        }
        keptRow_ = -1;
    });
    SetDefaultColumnWidth(defaultColumnWidth_);
}

bool StringGrid::setCodePage(const QString &name)
{
    if (!CodePage::IsKnown(name))
        return false;
    for (int column = 0; column < 2; ++column) {
        for (int encoding = 0; encoding < 2; ++encoding)
            setCodePage(column, encoding, name);
    }
    return true;
}

bool StringGrid::setCodePage(int column, int encoding, const QString &name)
{
    if (column < 0 || column > 1 || encoding < 0 || encoding > 1 || !CodePage::IsKnown(name))
        return false;
    codePages_[column][encoding] = name;
    if (gridModel_)
        gridModel_->setCodePage(column, static_cast<GridCells::Encoding>(encoding), name);
    return true;
}

void StringGrid::SetDefaultColumnWidth(int width)
{
    defaultColumnWidth_ = std::max(width, 0);
    horizontalHeader()->setDefaultSectionSize(defaultColumnWidth_);
    for (int column = 0; column < horizontalHeader()->count(); ++column)
        horizontalHeader()->resizeSection(column, defaultColumnWidth_);
}

int StringGrid::DefaultColumnWidth() const
{
    return defaultColumnWidth_;
}

void StringGrid::SetDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}

int StringGrid::DefaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

int StringGrid::CurrentColumn() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.column() : -1;
}

int StringGrid::CurrentRow() const
{
    return StringGridModel::GridRowOf(currentIndex());
}

bool StringGrid::SetCurrentCell(int column, int row)
{
    if (!gridModel_)
        return false;
    const QModelIndex index = gridModel_->IndexOfCell(column, row);
    if (!index.isValid() || !RowShown(row))
        return false;
    setCurrentIndex(index);
    return true;
}

bool StringGrid::SetCurrentRow(int row)
{
    return SetCurrentCell(std::max(CurrentColumn(), 0), row);
}

bool StringGrid::SetCurrentColumn(int column)
{
    return SetCurrentCell(column, std::max(CurrentRow(), 1));
}

bool StringGrid::RowShown(int row) const
{
    return row >= 1 && !isRowHidden(row - 1);
}

int StringGrid::ShownRowNear(int row) const
{
    const int rows = gridModel_ ? gridModel_->rowCount() : 0;
    for (int next = std::max(row, 1); next <= rows; ++next) {
        if (RowShown(next))
            return next;
    }
    for (int previous = std::min(row, rows + 1) - 1; previous >= 1; --previous) {
        if (RowShown(previous))
            return previous;
    }
    return -1;
}

void StringGrid::LeaveHiddenRow()
{
    const int row = CurrentRow();
    if (row < 1 || RowShown(row) || !gridModel_)
        return;
    // The edit of a row the filter took away ends as leaving the row would end it.
    EndEdit();
    if (const int shown = ShownRowNear(row); shown >= 1)
        SetCurrentCell(std::max(CurrentColumn(), 0), shown);
    else
        setCurrentIndex(QModelIndex());
}

bool StringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    GridCells *cells = gridModel_ ? gridModel_->Cells() : nullptr;
    const int row = StringGridModel::GridRowOf(index);
    // What is typed must land where the user sees it.
    if (index.isValid() && !RowShown(row))
        return false;
    // Taken before the editor opens: the key that opens it already changes the cell.
    std::string before =
        cells && row >= 1 && row < cells->RowCount() ? cells->Text(index.column(), row) : std::string();
    if (!QTableView::edit(index, trigger, event))
        return false;
    QWidget *editor = indexWidget(index);
    if (editor && editor != editor_) {
        editor_ = editor;
        editColumn_ = index.column();
        editRow_ = row;
        textBeforeEdit_ = std::move(before);
        endedByEnter_ = false;
        editor->installEventFilter(this);
    }
    return true;
}

void StringGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool ours = editor && editor == editor_;
    const int column = editColumn_;
    const int row = editRow_;
    const bool byEnter = endedByEnter_;
    if (ours) {
        editor->removeEventFilter(this);
        editor_ = nullptr;
        endedByEnter_ = false;
        GridCells *cells = gridModel_ ? gridModel_->Cells() : nullptr;
        if (hint == QAbstractItemDelegate::RevertModelCache && cells && row < cells->RowCount() &&
            cells->Text(column, row) != textBeforeEdit_)
            cells->SetText(column, row, textBeforeEdit_);
        textBeforeEdit_.clear();
    }
    QTableView::closeEditor(editor, hint);
    if (!ours || hint == QAbstractItemDelegate::RevertModelCache)
        return;
    emit AfterEdit(column, row);
    if (byEnter)
        AdvanceFrom(column, row);
}

void StringGrid::EndEdit()
{
    QWidget *editor = editor_.data();
    if (!editor)
        return;
    // The view lets go of its editors when the cells are reset under them; then there is no
    // edit left to end.
    if (!gridModel_ || indexWidget(gridModel_->IndexOfCell(editColumn_, editRow_)) != editor) {
        editor->removeEventFilter(this);
        editor_ = nullptr;
        textBeforeEdit_.clear();
        return;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void StringGrid::AdvanceFrom(int column, int row)
{
    GridCells *cells = gridModel_ ? gridModel_->Cells() : nullptr;
    if (!cells)
        return;
    // Left to right, then down: the next cell that may be edited and is shown.
    const int rows = cells->RowCount();
    int nextColumn = column;
    int nextRow = row;
    for (;;) {
        if (nextColumn == 0) {
            nextColumn = 1;
        } else {
            nextColumn = 0;
            ++nextRow;
        }
        if (nextRow >= rows)
            break;
        if (RowShown(nextRow) && cells->Style(nextColumn, nextRow).IsEditable()) {
            if (SetCurrentCell(nextColumn, nextRow))
                edit(currentIndex());
            return;
        }
    }
    // A filtered view would not show the appended row; the cell just edited stays current.
    if (verticalHeader()->hiddenSectionCount() > 0)
        return;
    cells->AppendRow();
    if (SetCurrentCell(1, cells->RowCount() - 1))
        edit(currentIndex());
}

void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Leaving a cell ends its edit before the new cell is announced, whether by mouse, keyboard or
    // program, so whoever listens sees the cells after the edit and what it caused.
    if (QWidget *editor = editor_.data(); editor && previous.isValid() && previous.column() == editColumn_ &&
                                          StringGridModel::GridRowOf(previous) == editRow_) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    if (current.isValid())
        emit CellAboutToBeSelected(current.column(), StringGridModel::GridRowOf(current));
    QTableView::currentChanged(current, previous);
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    // Enter opens the editor like F2; on a cell that cannot be edited it does nothing.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !IsEditing() &&
        currentIndex().isValid()) {
        if (currentIndex().flags().testFlag(Qt::ItemIsEditable))
            edit(currentIndex());
        event->accept();
        return;
    }
    // Ctrl+V on a cell that is not being edited pastes over its text, as typing over it would: through
    // the cell's editor, so the code page and the line breaks are dealt with as in any paste.
    if (event->matches(QKeySequence::Paste) && !IsEditing() && currentIndex().isValid()) {
        if (currentIndex().flags().testFlag(Qt::ItemIsEditable)) {
            edit(currentIndex());
            if (auto *line = qobject_cast<QLineEdit *>(editor_.data())) {
                line->selectAll();
                line->paste();
                EndEdit();
            }
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void StringGrid::SetEditorCreated(std::function<void(QLineEdit *editor, int column, int row)> handler)
{
    delegate_->SetEditorCreated([handler = std::move(handler)](QLineEdit *editor, const QModelIndex &index) {
        if (handler)
            handler(editor, index.column(), StringGridModel::GridRowOf(index));
    });
}

void StringGrid::SetTextMarks(
    std::function<void(int column, const QString &text, std::vector<StringGridTextMark> &marks)> marks)
{
    delegate_->SetTextMarks(std::move(marks));
    viewport()->update();
}

void StringGrid::keyboardSearch(const QString &)
{
    // Typing into a cell that cannot be edited does nothing, as in any grid; it must not jump.
}

bool StringGrid::eventFilter(QObject *watched, QEvent *event)
{
    // An editor the advance has just opened holds nothing to undo, yet it would take the undo key
    // for itself: the user means the edit that Enter ended. Once something is typed, the editor's
    // own undo comes first, and the key goes on when that has nothing left.
    if (event->type() == QEvent::ShortcutOverride && watched == editor_) {
        auto *editor = static_cast<QWidget *>(watched);
        const HistoryKey key = HistoryKeyOf(*static_cast<QKeyEvent *>(event));
        auto *line = qobject_cast<QLineEdit *>(editor);
        const bool nothingToUndo = line && !line->isUndoAvailable();
        const bool untouched = nothingToUndo && !line->isRedoAvailable();
        if ((key == HistoryKey::Undo && nothingToUndo) || (key == HistoryKey::Redo && untouched)) {
            closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            // Not taken here: the window's shortcut runs the command.
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && watched == editor_) {
        auto *editor = static_cast<QWidget *>(watched);
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            endedByEnter_ = true;
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
            return true;
        }
        if (key == Qt::Key_Escape) {
            closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace verbaria
