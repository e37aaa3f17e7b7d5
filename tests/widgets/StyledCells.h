#pragma once

#include "widgets/GridCells.h"

#include <string>

namespace verbaria::test {

// Cells styled the way the editor styles a document: heading, section, components, comment, message.
enum class Kind { Section, Component, Message, Comment };

inline void StyleRow(GridCells &cells, int row, Kind kind)
{
    cells.SetTextColour(1, row, CellColour::Of(MakeRgb(0, 0, 0)));
    cells.SetEditable(0, row, false);
    cells.SetEditable(1, row, true);
    cells.SetBackground(0, row, CellColour::Of(MakeRgb(204, 203, 245)));
    switch (kind) {
    case Kind::Section:
        cells.SetBackground(0, row, CellColour::Of(MakeRgb(238, 238, 238)));
        cells.SetTextColour(1, row, CellColour::Of(MakeRgb(0, 0, 128)));
        cells.SetBackground(1, row, CellColour::Of(MakeRgb(238, 238, 238)));
        cells.SetEditable(1, row, false);
        break;
    case Kind::Comment:
        cells.SetTextColour(1, row, CellColour::Of(MakeRgb(128, 128, 128)));
        cells.SetEditable(1, row, false);
        break;
    case Kind::Component:
    case Kind::Message:
        cells.SetBackground(1, row, CellColour::Window());
        break;
    }
}

// Texts are windows-1250 bytes.
inline void FillDocument(GridCells &cells)
{
    struct Row
    {
        Kind kind;
        const char *left;
        const char *right;
    };
    static const Row rows[] = {
        {Kind::Section, "[TMainForm]", ""},
        {Kind::Component, "Soubor", "File"},
        {Kind::Component, "Otev\xf8\xedt", ""},
        {Kind::Comment, "Zpr\xe1vy programu",
         "nep\xf8"
         "eklad\xe1 se"},
        {Kind::Message, "Ulo\x9eit zm\xecny ?", ""},
        {Kind::Section, "[TVlastnostiForm]", ""},
    };
    GridBatch batch(cells);
    cells.SetRowCount(static_cast<int>(std::size(rows)) + 1);
    // The heading holds the program's own texts, in UTF-8.
    cells.SetText(0, 0, "P\xc5\xafvodn\xc3\xad text");
    cells.SetText(1, 0, "Nov\xc3\xbd text");
    cells.SetBackground(0, 0, CellColour::Of(MakeRgb(183, 182, 242)));
    cells.SetBackground(1, 0, CellColour::Of(MakeRgb(238, 238, 238)));
    int row = 1;
    for (const Row &entry : rows) {
        cells.SetText(0, row, entry.left);
        cells.SetText(1, row, entry.right);
        StyleRow(cells, row, entry.kind);
        ++row;
    }
}

} // namespace verbaria::test
