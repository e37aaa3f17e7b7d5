#include "editor/ui/EditingCommands.h"

#include "dialogs/UiText.h"
#include "editor/core/AutoCompletion.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/OldVersionImport.h"
#include "editor/core/TranslationCounts.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/TextPane.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "widgets/StringGrid.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace verbaria {

EditingCommands::EditingCommands(EditorContext &context, FilterBar &filter, TextPane &pane)
    : context_(context)
    , filter_(filter)
    , pane_(pane)
{
}

void EditingCommands::Undo()
{
    context_.EndEdits();
    context_.History().Undo();
    FilterRowsPutBack();
}

void EditingCommands::Redo()
{
    context_.EndEdits();
    context_.History().Redo();
    FilterRowsPutBack();
}

void EditingCommands::FilterRowsPutBack()
{
    // The rows put back are filtered at once, but for the one the user is on.
    StringGrid &grid = context_.Grid();
    filter_.ApplyToChangedRows(grid, context_.Document(), grid.CurrentRow());
}

void EditingCommands::MoveToUntranslated(int direction)
{
    context_.EndEdits();
    const LanguageDocument &document = context_.Document();
    const int entries = document.EntryRowCount();
    if (entries < 1)
        return;
    const int current = context_.Grid().CurrentRow();
    int row = current >= 1 && current <= entries ? current : (direction > 0 ? 0 : entries + 1);
    for (int step = 0; step < entries; ++step) {
        row += direction;
        if (row > entries)
            row = 1;
        else if (row < 1)
            row = entries;
        if (IsUntranslatedRow(document, row)) {
            context_.GoTo(LanguageDocument::ColumnTranslation, row);
            return;
        }
    }
    context_.StatusLine().showMessage(UiText(context_.Texts().TranslateText("Všechny texty jsou přeložené.")),
                                      3000);
}

void EditingCommands::FocusFilter()
{
    filter_.comboFiltr()->setFocus();
}

void EditingCommands::EditInTextPane()
{
    context_.EndEdits();
    pane_.memoNovyText()->setFocus(Qt::ShortcutFocusReason);
}

void EditingCommands::SaveNow()
{
    context_.EndEdits();
    LanguageDocument &document = context_.Document();
    // Only the file the document was read from or saved to; a new language, or one whose read
    // stopped, is saved as the save command saves it.
    const std::string file = document.SaveTarget();
    if (file.empty()) {
        document.UlozitJazyk();
        context_.AfterCommand(false);
        return;
    }
    try {
        WriteFileAtomically(NativePath(file), document.SavedBytes());
    } catch (const FormatError &error) {
        context_.Dialogs().ReportError(error.what());
        return;
    }
    document.SetZmeneno(false);
    context_.AfterCommand(false);
    context_.StatusLine().showMessage(UiText(context_.Texts().TranslateText("Uloženo.")), 3000);
}

void EditingCommands::CompleteSameOriginals()
{
    LanguageDocument &document = context_.Document();
    // The placeholder is looked up once for the whole pass. It is compared with the originals,
    // so as the template's bytes; one that code page cannot hold is no original.
    const QString placeholder = QString::fromStdString(document.TranslateText("Chyba: Položka nenalezena"));
    const std::optional<std::string> bytes = TemplateCodePageOf(document).Encode(placeholder);
    CompleteTranslations(document.Grid(), bytes ? *bytes : std::string("\n"));
    // A pass that overwrote translations is work a close must not drop without asking.
    context_.AfterCommand(true);
}

void EditingCommands::ImportOldVersion()
{
    try {
        ImportovatZeStareVerze(context_.Document());
    } catch (const std::exception &error) {
        context_.Dialogs().ReportError(error.what());
    }
    context_.AfterCommand(false);
}

} // namespace verbaria
