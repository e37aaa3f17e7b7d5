#pragma once

class QStatusBar;
class QString;

namespace verbaria {

class DocumentHistory;
class LanguageDocument;
class StringGrid;
class TextService;
class UserDialogs;

// What a feature of the main window works with: the document and its history, the grid that shows
// it, the editor's own texts, the dialogs, the status bar, and the few steps every command shares.
// The main window gives it to the controllers it owns; they never see the window itself.
class EditorContext
{
public:
    virtual LanguageDocument &Document() = 0;
    virtual DocumentHistory &History() = 0;
    virtual StringGrid &Grid() = 0;
    virtual const TextService &Texts() const = 0;
    virtual UserDialogs &Dialogs() = 0;
    virtual QStatusBar &StatusLine() = 0;

    // Ends the edits open in the grid or the text pane, as leaving them would.
    virtual void EndEdits() = 0;
    // After any command: one undo step of what it changed.
    virtual void AfterCommand(bool marksTranslations) = 0;
    // Makes the cell current, showing its row if the filter hid it.
    virtual void GoTo(int column, int row) = 0;
    // Tells the user that the language's code page cannot hold a character of text.
    void ReportUnrepresentable(const QString &text);
    // Tells the user that a pasted text's line breaks became spaces.
    void ReportLineBreaks();

protected:
    ~EditorContext() = default;
};

} // namespace verbaria
