#pragma once

#include "widgets/GridCells.h"

#include <QAbstractTableModel>
#include <QStringDecoder>
#include <QStringEncoder>

namespace verbaria {

// Shows GridCells to a QTableView. GridCells row 0 is the heading row: it is given as the horizontal
// header data, so it stays on top while scrolling and can never be selected or edited. Model row r is
// GridCells row r + 1. Texts are decoded from the code page only when a view asks for them, which is
// only for the rows on screen.
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
    GridCells *cells() const { return cells_; }

    // An 8-bit code page known to Qt, e.g. "windows-1250" (the default) or "windows-1251".
    // An unknown name leaves the code page as it was and returns false.
    bool setCodePage(const QString &name);
    QString codePage() const { return codePage_; }
    static bool isKnownCodePage(const QString &name);

    QString toText(const std::string &bytes) const;
    std::string toBytes(const QString &text) const;
    // The characters of text that the code page cannot hold, each once, in order; empty when all fit.
    QString unrepresentable(const QString &text) const;

    // Between grid coordinates (GridCells rows, heading row 0) and model indexes.
    QModelIndex indexOfCell(int column, int gridRow) const;
    static int gridRowOf(const QModelIndex &index) { return index.isValid() ? index.row() + 1 : -1; }

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
    int gridRowCount() const { return cells_ ? cells_->RowCount() : 0; }

    QVariant styleData(int column, int gridRow, int role) const;
    bool represents(const QString &text) const;

    GridCells *cells_;
    // The row count the views know; it changes only between begin/end calls, as views expect.
    int rowCount_ = 0;
    QString codePage_;
    mutable QStringDecoder decoder_;
    mutable QStringEncoder encoder_;
};

} // namespace verbaria
