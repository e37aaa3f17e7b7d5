#pragma once

#include "platform/CodePage.h"
#include "widgets/GridCells.h"

#include <QAbstractTableModel>

#include <functional>

namespace verbaria {

// Shows GridCells to a QTableView. GridCells row 0 is the heading row: it is given as the horizontal
// header data, so it stays on top while scrolling and can never be selected or edited; it holds the
// program's own texts in UTF-8. Model row r is GridCells row r + 1. Each column has its code page
// (the originals the template's, the translations the language file's), and the originals' column
// one more for the texts of a description language. Texts are decoded only when a view asks for
// them, which is only for the rows on screen.
class StringGridModel final : public QAbstractTableModel, private GridObserver
{
    Q_OBJECT

public:
    enum Role {
        EditableRole = Qt::UserRole + 1, // bool
    };

    explicit StringGridModel(GridCells &cells, QObject *parent = nullptr);
    ~StringGridModel() override;

    // Null once the cells have been destroyed.
    GridCells *Cells() const { return cells_; }

    // A code page known to Qt, e.g. "windows-1250" (the default), "windows-1251" or "UTF-8", for
    // every column and encoding. An unknown name leaves the code pages as they were and returns false.
    bool setCodePage(const QString &name);
    // The code page of one column's texts in one encoding; false for an unknown name.
    bool setCodePage(int column, GridCells::Encoding encoding, const QString &name);
    const CodePage &CodePageOf(int column, GridCells::Encoding encoding = GridCells::ColumnEncoding) const
    {
        return codePages_[column][encoding];
    }

    // What a view shows beside a cell's text (Qt::DecorationRole, Qt::ToolTipRole), asked of the
    // owner of the cells; markersChanged tells the views that the marks of some rows changed.
    using Marker = std::function<QVariant(int column, int gridRow, int role)>;
    void SetMarker(Marker marker) { marker_ = std::move(marker); }
    void MarkersChanged(int firstGridRow, int lastGridRow);

    // The text of a cell as the view shows it.
    QString CellText(int column, int gridRow) const;
    // The characters of text that a column's own code page cannot hold; empty when all fit.
    QString Unrepresentable(int column, const QString &text) const;

    // Between grid coordinates (GridCells rows, heading row 0) and model indexes.
    QModelIndex IndexOfCell(int column, int gridRow) const;
    static int GridRowOf(const QModelIndex &index) { return index.isValid() ? index.row() + 1 : -1; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void CellsChanged(int firstRow, int lastRow) override;
    void RowCountChanged(int oldCount, int newCount) override;
    void AllChanged() override;
    void CellsDestroyed() override;
    int GridRowCount() const { return cells_ ? cells_->RowCount() : 0; }

    QVariant StyleData(int column, int gridRow, int role) const;

    GridCells *cells_;
    // The row count the views know; it changes only between begin/end calls, as views expect.
    int rowCount_ = 0;
    CodePage codePages_[GridCells::ColumnCount][GridCells::EncodingCount];
    Marker marker_;
};

} // namespace verbaria
