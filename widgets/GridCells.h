#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

// The cells of the two-column string grid as plain data: texts as bytes in the files' code page,
// and per-cell styles that stay until they are set again, independent of the texts. No Qt here, so
// the editor's document and its tests use it without a display; the grid view shows it through a
// model (StringGridModel).
namespace verbaria {

using Rgb = std::uint32_t; // 0xRRGGBB
constexpr Rgb MakeRgb(int r, int g, int b)
{
    return (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) | static_cast<Rgb>(b);
}

// A colour that a cell may or may not have of its own; without one the grid's default is used.
// The window background is named apart, because its real colour belongs to the desktop.
struct CellColour
{
    enum class Source : std::uint8_t { Default, Own, WindowBackground };
    Source source = Source::Default;
    Rgb rgb = 0;

    static CellColour Of(Rgb value) { return {Source::Own, value}; }
    static CellColour Window() { return {Source::WindowBackground, 0}; }
    bool operator==(const CellColour &) const = default;
};

struct CellStyle
{
    CellColour Text;           // default: black
    CellColour Background;     // default: window background
    std::int8_t Editable = -1; // -1: default (editable), 0 no, 1 yes

    bool IsEditable() const { return Editable != 0; }
    bool operator==(const CellStyle &) const = default;
};

// Told about changes so that a view can repaint. Bulk operations announce themselves once.
class GridObserver
{
public:
    virtual ~GridObserver() = default;
    virtual void CellsChanged(int firstRow, int lastRow) = 0;
    virtual void RowCountChanged(int oldCount, int newCount) = 0;
    virtual void AllChanged() = 0;
    // The cells are going away; the observer must not touch them any more.
    virtual void CellsDestroyed() {}
};

// Told before a cell or the row count changes, so that the old state can be kept (undo).
class GridRecorder
{
public:
    virtual ~GridRecorder() = default;
    virtual void BeforeCellChange(int column, int row) = 0;
    virtual void BeforeRowCountChange(int oldCount, int newCount) = 0;
};

class GridCells final
{
public:
    static constexpr int ColumnCount = 2;
    // Which code page a cell's bytes are in: a column's texts normally come from one file (the
    // template's originals, the language file's translations), but the originals' column also
    // shows texts of a description language, whose file may have a code page of its own. Row 0,
    // the heading, holds the program's own texts in UTF-8.
    enum Encoding : std::uint8_t { ColumnEncoding = 0, DescriptionEncoding = 1, EncodingCount = 2 };

    GridCells() = default;
    explicit GridCells(int rowCount) { SetRowCount(rowCount); }
    // A copy has the texts and styles but not the observer: a view watches one set of cells.
    GridCells(const GridCells &other);
    GridCells &operator=(const GridCells &other);
    ~GridCells();

    int RowCount() const { return static_cast<int>(texts_[0].size()); }
    // Keeps the texts and styles of the rows that remain; new rows are empty and unstyled.
    void SetRowCount(int rowCount);
    void AppendRow() { SetRowCount(RowCount() + 1); }

    const std::string &Text(int column, int row) const
    {
        return texts_[column][static_cast<std::size_t>(row)];
    }
    // Sets a text in the column's own code page.
    void SetText(int column, int row, std::string text)
    {
        SetText(column, row, std::move(text), ColumnEncoding);
    }
    void SetText(int column, int row, std::string text, Encoding encoding);
    // As SetText, reusing the cell's storage (for passes over many cells).
    void AssignText(int column, int row, std::string_view text, Encoding encoding = ColumnEncoding);
    Encoding EncodingOf(int column, int row) const
    {
        return static_cast<Encoding>(encodings_[column][static_cast<std::size_t>(row)]);
    }
    const CellStyle &Style(int column, int row) const
    {
        return styles_[column][static_cast<std::size_t>(row)];
    }
    void SetStyle(int column, int row, const CellStyle &style);
    void SetTextColour(int column, int row, CellColour colour);
    void SetBackground(int column, int row, CellColour colour);
    void SetEditable(int column, int row, bool editable);

    // A column's texts, row 0 first, for fast passes over the whole grid.
    const std::vector<std::string> &Column(int column) const { return texts_[column]; }

    // Changes made inside a batch are announced once, as one AllChanged, when the batch ends. A
    // batch that announces rows (a few cells put back by undo) is told as one CellsChanged over
    // the rows it changed instead, unless the row count changed.
    enum class Announce : std::uint8_t { All, Rows };
    void BeginBatch(Announce announce = Announce::All)
    {
        if (batchDepth_++ == 0)
            batchAnnounce_ = announce;
    }
    void EndBatch();

    void SetObserver(GridObserver *observer) { observer_ = observer; }
    void SetRecorder(GridRecorder *recorder) { recorder_ = recorder; }

private:
    void NotifyCell(int row);
    void RecordCell(int column, int row)
    {
        if (recorder_)
            recorder_->BeforeCellChange(column, row);
    }

    std::vector<std::string> texts_[ColumnCount];
    std::vector<CellStyle> styles_[ColumnCount];
    std::vector<std::uint8_t> encodings_[ColumnCount];
    GridObserver *observer_ = nullptr;
    GridRecorder *recorder_ = nullptr;
    int batchDepth_ = 0;
    bool batchChanged_ = false;
    Announce batchAnnounce_ = Announce::All;
    // Within a batch: the rows whose cells changed, and whether more than cells did.
    int batchFirstRow_ = 0;
    int batchLastRow_ = -1;
    bool batchAll_ = false;
};

// Holds a batch open for the lifetime of a scope.
class GridBatch final
{
public:
    explicit GridBatch(GridCells &cells, GridCells::Announce announce = GridCells::Announce::All)
        : cells_(cells)
        , exceptions_(std::uncaught_exceptions())
    {
        cells_.BeginBatch(announce);
    }
    ~GridBatch()
    {
        if (std::uncaught_exceptions() == exceptions_) {
            cells_.EndBatch();
            return;
        }
        // Left by an exception: the view is still told, but a failure of that cannot be thrown
        // on while another exception is on its way.
        try {
            cells_.EndBatch();
        } catch (...) {
        }
    }
    GridBatch(const GridBatch &) = delete;
    GridBatch &operator=(const GridBatch &) = delete;

private:
    GridCells &cells_;
    int exceptions_;
};

} // namespace verbaria
