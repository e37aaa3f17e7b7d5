#pragma once

class QFrame;
class QLabel;
class QLineEdit;

namespace verbaria {

class LanguageDocument;
class StringGrid;

// The panel above the grid: the selected row's original, its translation and the name of what it
// translates, in three read-only fields with their labels.
class InfoPanel final
{
public:
    struct Widgets
    {
        QFrame *Panel = nullptr;
        QLabel *Labels[3] = {};
        QLineEdit *Fields[3] = {};
    };

    explicit InfoPanel(const Widgets &widgets);

    // Places the labels and fields for the font the panel has now.
    void LayOut();
    // Shows the cell the grid is about to select.
    void Show(const LanguageDocument &document, const StringGrid &grid, int column, int row);

private:
    Widgets widgets_;
};

} // namespace verbaria
