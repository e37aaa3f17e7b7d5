#include "editor/ui/PseudoTranslation.h"

#include "checks/PseudoText.h"
#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/RowChecks.h"
#include "formats/MessageInfo.h"

#include <QStatusBar>

namespace verbaria {

void FillWithPseudoLanguage(EditorContext &context, RowChecks &checks)
{
    context.EndEdits();
    LanguageDocument &document = context.Document();
    GridCells &cells = document.Grid();
    const CodePage originals = TemplateCodePageOf(document);
    const CodePage translations = LanguageCodePageOf(document);
    checks::PseudoOptions options;
    options.CanHold = [&translations](char32_t letter) {
        return translations.CanEncode(QString::fromUcs4(&letter, 1));
    };
    const checks::PseudoLanguage pseudo(options);
    auto decode = [&originals](std::string_view bytes) { return originals.Decode(bytes).toStdString(); };
    int filled = 0;
    {
        GridBatch batch(cells);
        for (int row = 1; row <= document.EntryRowCount(); ++row) {
            const auto index = static_cast<std::size_t>(row - 1);
            const TEditorItem &item = document.polozky()[index];
            if (!cells.Style(LanguageDocument::ColumnTranslation, row).IsEditable())
                continue;
            const MessageInfo *info = document.MessageOf(index);
            std::optional<std::string> text;
            if (item.Kind == ikComponent) {
                if (const std::optional<std::string_view> formText = checks.FormText(row))
                    text = pseudo.Entry(decode(item.Text), decode(*formText));
            } else if (item.Kind == ikMessage) {
                text = pseudo.Entry({}, decode(info && info->HasSource ? info->Source : item.Text));
                // The cell holds the translation of a text with line breaks escaped.
                if (text && info && info->HasSource)
                    text = EscapeMessageValue(*text);
            }
            if (!text)
                continue;
            std::optional<std::string> bytes = translations.Encode(QString::fromStdString(*text));
            if (!bytes || bytes->find_first_of("\r\n") != std::string::npos)
                continue;
            if (const std::vector<std::string> *forms = document.FormsOf(index))
                document.SetForms(index, std::vector<std::string>(forms->size(), *bytes));
            cells.SetText(LanguageDocument::ColumnTranslation, row, std::move(*bytes));
            ++filled;
        }
    }
    if (filled > 0)
        document.SetZmeneno(true);
    context.AfterCommand(true);
    context.StatusLine().showMessage(
        UiText(context.Texts().TranslateText("Pseudopřekladem vyplněno řádků: %1")).arg(filled), 5000);
}

} // namespace verbaria
