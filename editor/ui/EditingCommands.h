#pragma once

namespace verbaria {

class EditorContext;
class FilterBar;
class TextPane;

// The commands of the Edit menu that work on the grid as a whole: undo and redo with the filter
// following the rows put back, the way to the next or previous untranslated row, the keyboard's
// way to the filter and to the text pane, saving to the same file, and the completion of rows that
// share an original.
class EditingCommands final
{
public:
    EditingCommands(EditorContext &context, FilterBar &filter, TextPane &pane);

    void Undo();
    void Redo();
    // The next (direction 1) or previous (-1) untranslated row, round the end; a message when
    // there is none.
    void MoveToUntranslated(int direction);
    void FocusFilter();
    void EditInTextPane();
    // Writes the file the document was read from or saved to, without a dialog; a document without
    // one is saved as the save command saves it.
    void SaveNow();
    // Gives the rows that share an original text the translation of the group's last row.
    void CompleteSameOriginals();
    // Takes the translations of a language file of the older format into the document.
    void ImportOldVersion();

private:
    void FilterRowsPutBack();

    EditorContext &context_;
    FilterBar &filter_;
    TextPane &pane_;
};

} // namespace verbaria
