#include "widgets/StringGridModel.h"

#include <QBrush>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {

int modelRowsFor(int gridRows)
{
    return std::max(gridRows - 1, 0);
}

QColor toColor(Rgb rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// "Window" in the cell styles means the background of text areas (white on most desktops), which
// Qt calls Base; QPalette::Window is the grey of dialog faces.
QColor windowBackground()
{
    return QGuiApplication::palette().color(QPalette::Base);
}

} // namespace

StringGridModel::StringGridModel(GridCells &cells, QObject *parent)
    : QAbstractTableModel(parent)
    , cells_(&cells)
    , rowCount_(modelRowsFor(cells.RowCount()))
{
    cells_->SetObserver(this);
}

StringGridModel::~StringGridModel()
{
    if (cells_)
        cells_->SetObserver(nullptr);
}

bool StringGridModel::setCodePage(const QString &name)
{
    if (!CodePage::IsKnown(name))
        return false;
    for (int column = 0; column < GridCells::ColumnCount; ++column) {
        for (int encoding = 0; encoding < GridCells::EncodingCount; ++encoding)
            setCodePage(column, static_cast<GridCells::Encoding>(encoding), name);
    }
    return true;
}

bool StringGridModel::setCodePage(int column, GridCells::Encoding encoding, const QString &name)
{
    if (column < 0 || column >= GridCells::ColumnCount || encoding >= GridCells::EncodingCount)
        return false;
    CodePage &codePage = codePages_[column][encoding];
    if (codePage.Is(name))
        return CodePage::IsKnown(name);
    if (!codePage.SetName(name))
        return false;
    if (rowCount_ > 0)
        emit dataChanged(index(0, column), index(rowCount_ - 1, column), {Qt::DisplayRole});
    return true;
}

QString StringGridModel::CellText(int column, int gridRow) const
{
    const std::string &bytes = cells_->Text(column, gridRow);
    if (bytes.empty())
        return {};
    if (gridRow == 0)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return codePages_[column][cells_->EncodingOf(column, gridRow)].Decode(bytes);
}

QString StringGridModel::Unrepresentable(int column, const QString &text) const
{
    return CodePageOf(column).Unrepresentable(text);
}

QModelIndex StringGridModel::IndexOfCell(int column, int gridRow) const
{
    return index(gridRow - 1, column);
}

int StringGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rowCount_;
}

int StringGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : GridCells::ColumnCount;
}

QVariant StringGridModel::StyleData(int column, int gridRow, int role) const
{
    const CellStyle &style = cells_->Style(column, gridRow);
    switch (role) {
    case Qt::ForegroundRole:
        return QBrush(style.Text.source == CellColour::Source::Own                ? toColor(style.Text.rgb)
                      : style.Text.source == CellColour::Source::WindowBackground ? windowBackground()
                                                                                  : QColor(Qt::black));
    case Qt::BackgroundRole:
        return QBrush(style.Background.source == CellColour::Source::Own ? toColor(style.Background.rgb)
                                                                         : windowBackground());
    case EditableRole:
        return style.IsEditable();
    default:
        return {};
    }
}

void StringGridModel::MarkersChanged(int firstGridRow, int lastGridRow)
{
    const int first = std::max(firstGridRow, 1) - 1;
    const int last = std::min(lastGridRow, rowCount_) - 1;
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, GridCells::ColumnCount - 1),
                         {Qt::DecorationRole, Qt::ToolTipRole});
}

QVariant StringGridModel::data(const QModelIndex &index, int role) const
{
    const int gridRow = GridRowOf(index);
    // Rows that GridCells has already dropped while the views are being told about it.
    if (gridRow < 1 || gridRow >= GridRowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return CellText(index.column(), gridRow);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole:
    case EditableRole:
        return StyleData(index.column(), gridRow, role);
    case Qt::DecorationRole:
    case Qt::ToolTipRole:
        return marker_ ? marker_(index.column(), gridRow, role) : QVariant();
    default:
        return {};
    }
}

bool StringGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int gridRow = GridRowOf(index);
    if (role != Qt::EditRole || gridRow < 1 || gridRow >= GridRowCount())
        return false;
    // Never store a lossy conversion: the caller must tell the user instead.
    std::optional<std::string> bytes = CodePageOf(index.column()).Encode(value.toString());
    if (!bytes)
        return false;
    if (*bytes != cells_->Text(index.column(), gridRow) ||
        cells_->EncodingOf(index.column(), gridRow) != GridCells::ColumnEncoding)
        cells_->SetText(index.column(), gridRow, *std::move(bytes));
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex &index) const
{
    const int gridRow = GridRowOf(index);
    if (gridRow < 1 || gridRow >= GridRowCount())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (cells_->Style(index.column(), gridRow).IsEditable())
        result |= Qt::ItemIsEditable;
    return result;
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= GridCells::ColumnCount || GridRowCount() == 0)
        return {};
    if (role == Qt::DisplayRole)
        return CellText(section, 0);
    if (role == Qt::ForegroundRole || role == Qt::BackgroundRole)
        return StyleData(section, 0, role);
    return {};
}

void StringGridModel::CellsChanged(int firstRow, int lastRow)
{
    if (firstRow == 0)
        emit headerDataChanged(Qt::Horizontal, 0, GridCells::ColumnCount - 1);
    const int first = std::max(firstRow, 1) - 1;
    const int last = std::min(lastRow - 1, rowCount_ - 1);
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, GridCells::ColumnCount - 1));
}

void StringGridModel::RowCountChanged(int oldCount, int newCount)
{
    const int rows = modelRowsFor(newCount);
    if (rows > rowCount_) {
        beginInsertRows({}, rowCount_, rows - 1);
        rowCount_ = rows;
        endInsertRows();
    } else if (rows < rowCount_) {
        beginRemoveRows({}, rows, rowCount_ - 1);
        rowCount_ = rows;
        endRemoveRows();
    }
    if ((oldCount == 0) != (newCount == 0))
        emit headerDataChanged(Qt::Horizontal, 0, GridCells::ColumnCount - 1);
}

void StringGridModel::CellsDestroyed()
{
    beginResetModel();
    cells_ = nullptr;
    rowCount_ = 0;
    endResetModel();
}

void StringGridModel::AllChanged()
{
    beginResetModel();
    rowCount_ = modelRowsFor(GridRowCount());
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, GridCells::ColumnCount - 1);
}

} // namespace verbaria
