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
    setCodePage(u"windows-1250"_s);
    cells_->SetObserver(this);
}

StringGridModel::~StringGridModel()
{
    if (cells_)
        cells_->SetObserver(nullptr);
}

bool StringGridModel::setCodePage(const QString &name)
{
    const QByteArray latin = name.toLatin1();
    QStringDecoder decoder(latin.constData(), QStringConverter::Flag::Stateless);
    QStringEncoder encoder(latin.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid() || !encoder.isValid())
        return false;
    decoder_ = std::move(decoder);
    encoder_ = std::move(encoder);
    codePage_ = name;
    if (rowCount_ > 0)
        emit dataChanged(index(0, 0), index(rowCount_ - 1, GridCells::ColumnCount - 1), {Qt::DisplayRole});
    emit headerDataChanged(Qt::Horizontal, 0, GridCells::ColumnCount - 1);
    return true;
}

bool StringGridModel::isKnownCodePage(const QString &name)
{
    const QByteArray latin = name.toLatin1();
    return QStringDecoder(latin.constData()).isValid() && QStringEncoder(latin.constData()).isValid();
}

QString StringGridModel::toText(const std::string &bytes) const
{
    if (bytes.empty())
        return {};
    return decoder_.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string StringGridModel::toBytes(const QString &text) const
{
    const QByteArray encoded = encoder_.encode(text);
    return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

bool StringGridModel::represents(const QString &text) const
{
    return toText(toBytes(text)) == text;
}

QString StringGridModel::unrepresentable(const QString &text) const
{
    if (represents(text))
        return {};
    QString result;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!represents(character) && !result.contains(character))
            result += character;
        i += length;
    }
    return result;
}

QModelIndex StringGridModel::indexOfCell(int column, int gridRow) const
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

QVariant StringGridModel::styleData(int column, int gridRow, int role) const
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

QVariant StringGridModel::data(const QModelIndex &index, int role) const
{
    const int gridRow = gridRowOf(index);
    // Rows that GridCells has already dropped while the views are being told about it.
    if (gridRow < 1 || gridRow >= gridRowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return toText(cells_->Text(index.column(), gridRow));
    case Qt::ForegroundRole:
    case Qt::BackgroundRole:
    case EditableRole:
        return styleData(index.column(), gridRow, role);
    default:
        return {};
    }
}

bool StringGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int gridRow = gridRowOf(index);
    if (role != Qt::EditRole || gridRow < 1 || gridRow >= gridRowCount())
        return false;
    const QString text = value.toString();
    // Never store a lossy conversion: the caller must tell the user instead.
    if (!represents(text))
        return false;
    std::string bytes = toBytes(text);
    if (bytes != cells_->Text(index.column(), gridRow))
        cells_->SetText(index.column(), gridRow, std::move(bytes));
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex &index) const
{
    const int gridRow = gridRowOf(index);
    if (gridRow < 1 || gridRow >= gridRowCount())
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
    if (section < 0 || section >= GridCells::ColumnCount || gridRowCount() == 0)
        return {};
    if (role == Qt::DisplayRole)
        return toText(cells_->Text(section, 0));
    if (role == Qt::ForegroundRole || role == Qt::BackgroundRole)
        return styleData(section, 0, role);
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
    rowCount_ = modelRowsFor(gridRowCount());
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, GridCells::ColumnCount - 1);
}

} // namespace verbaria
