#pragma once

#include <QObject>

class QWidget;

namespace verbaria {

class EditorContext;
class FindDialog;
class ReplaceDialog;
struct ReplacePlan;

// Finding text in the grid and replacing it in the translations: the modeless find and replace
// dialogs and their commands.
class SearchCommands final : public QObject
{
    Q_OBJECT

public:
    // The dialogs are the window's children; they end with the commands.
    SearchCommands(EditorContext &context, QWidget &window);
    ~SearchCommands() override;

    FindDialog *findDialog() const { return findDialog_; }
    ReplaceDialog *replaceDialog() const { return replaceDialog_; }

    // Shows the modeless find dialog and returns.
    void ShowFind();
    // One search from the grid's current cell with the find dialog's text and match-case box.
    void FindNext();
    // F3: the next match, or the dialog while there is nothing to find.
    void FindNextCommand();
    void ShowReplace();
    void Retranslate();

private:
    void Apply(const ReplacePlan &plan);

    EditorContext &context_;
    FindDialog *findDialog_ = nullptr;
    ReplaceDialog *replaceDialog_ = nullptr;
};

} // namespace verbaria
