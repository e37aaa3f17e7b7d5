#include "widgets/GridCells.h"

#include <algorithm>

namespace verbaria {

GridCells::GridCells(const GridCells &other)
{
    for (int c = 0; c < ColumnCount; ++c) {
        texts_[c] = other.texts_[c];
        styles_[c] = other.styles_[c];
        encodings_[c] = other.encodings_[c];
    }
}

GridCells &GridCells::operator=(const GridCells &other)
{
    if (this == &other)
        return *this;
    for (int c = 0; c < ColumnCount; ++c) {
        texts_[c] = other.texts_[c];
        styles_[c] = other.styles_[c];
        encodings_[c] = other.encodings_[c];
    }
    if (batchDepth_ > 0) {
        batchChanged_ = true;
        batchAll_ = true;
    } else if (observer_) {
        observer_->AllChanged();
    }
    return *this;
}

GridCells::~GridCells()
{
    if (observer_)
        observer_->CellsDestroyed();
}

void GridCells::SetRowCount(int rowCount)
{
    if (rowCount < 0)
        rowCount = 0;
    const int old = RowCount();
    if (old == rowCount)
        return;
    if (recorder_)
        recorder_->BeforeRowCountChange(old, rowCount);
    for (int c = 0; c < ColumnCount; ++c) {
        texts_[c].resize(static_cast<std::size_t>(rowCount));
        styles_[c].resize(static_cast<std::size_t>(rowCount));
        encodings_[c].resize(static_cast<std::size_t>(rowCount));
    }
    if (batchDepth_ > 0) {
        batchChanged_ = true;
        batchAll_ = true;
    } else if (observer_) {
        observer_->RowCountChanged(old, rowCount);
    }
}

void GridCells::SetText(int column, int row, std::string text, Encoding encoding)
{
    RecordCell(column, row);
    texts_[column][static_cast<std::size_t>(row)] = std::move(text);
    encodings_[column][static_cast<std::size_t>(row)] = encoding;
    NotifyCell(row);
}

void GridCells::AssignText(int column, int row, std::string_view text, Encoding encoding)
{
    RecordCell(column, row);
    texts_[column][static_cast<std::size_t>(row)].assign(text);
    encodings_[column][static_cast<std::size_t>(row)] = encoding;
    NotifyCell(row);
}

void GridCells::SetStyle(int column, int row, const CellStyle &style)
{
    RecordCell(column, row);
    styles_[column][static_cast<std::size_t>(row)] = style;
    NotifyCell(row);
}

void GridCells::SetTextColour(int column, int row, CellColour colour)
{
    RecordCell(column, row);
    styles_[column][static_cast<std::size_t>(row)].Text = colour;
    NotifyCell(row);
}

void GridCells::SetBackground(int column, int row, CellColour colour)
{
    RecordCell(column, row);
    styles_[column][static_cast<std::size_t>(row)].Background = colour;
    NotifyCell(row);
}

void GridCells::SetEditable(int column, int row, bool editable)
{
    RecordCell(column, row);
    styles_[column][static_cast<std::size_t>(row)].Editable = editable ? 1 : 0;
    NotifyCell(row);
}

void GridCells::EndBatch()
{
    if (batchDepth_ > 0 && --batchDepth_ == 0 && batchChanged_) {
        batchChanged_ = false;
        const bool all = batchAll_ || batchAnnounce_ == Announce::All;
        const int first = batchFirstRow_;
        const int last = batchLastRow_;
        batchAll_ = false;
        batchFirstRow_ = 0;
        batchLastRow_ = -1;
        if (!observer_)
            return;
        if (all)
            observer_->AllChanged();
        else if (first <= last)
            observer_->CellsChanged(first, last);
    }
}

void GridCells::NotifyCell(int row)
{
    if (batchDepth_ > 0) {
        if (batchFirstRow_ > batchLastRow_) {
            batchFirstRow_ = row;
            batchLastRow_ = row;
        } else {
            batchFirstRow_ = std::min(batchFirstRow_, row);
            batchLastRow_ = std::max(batchLastRow_, row);
        }
        batchChanged_ = true;
    } else if (observer_) {
        observer_->CellsChanged(row, row);
    }
}

} // namespace verbaria
