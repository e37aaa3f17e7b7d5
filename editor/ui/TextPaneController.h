#pragma once

#include <QObject>

#include <functional>

namespace verbaria {

class EditorContext;
class TextPane;

// The text pane under the grid: shows the current row's original and its translation (one tab a
// plural form), and takes what the user types there into the document as the grid's editor does.
class TextPaneController final : public QObject
{
    Q_OBJECT

public:
    TextPaneController(EditorContext &context, TextPane &pane);

    // What the pane shows under the texts for a row (or -1 for none): the checks' findings, the
    // memory's suggestions.
    void SetNotesShower(std::function<void(int row)> showNotes) { showNotes_ = std::move(showNotes); }

    // Shows the grid's current row.
    void Show();
    // Shows it after the events now waiting, when the grid has moved to the cell it announced.
    void ShowLater();

private:
    EditorContext &context_;
    TextPane &pane_;
    std::function<void(int row)> showNotes_;
};

} // namespace verbaria
