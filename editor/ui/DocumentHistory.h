#pragma once

#include "editor/core/LanguageDocument.h"
#include "editor/core/TranslationCounts.h"
#include "widgets/GridCells.h"

#include <QObject>
#include <QUndoStack>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace verbaria {

// One undo stack over the whole document. The grid tells the history before any cell changes, so
// it keeps the old text and style of every cell touched since the last step; Commit turns what
// changed into one step (texts, styles, plural forms, the rows' notes, the row count and the
// header). Undo and redo put back exactly those: a step costs what it changed, not the size of
// the document. A new item table (another template) cannot be undone: it starts anew.
class DocumentHistory final : public QObject, private GridRecorder
{
    Q_OBJECT

public:
    // Whether a step that changes a translation marks the document as changed. Opening a file
    // and starting a new language clear the mark themselves, and keep it so.
    enum class Mark { WhenTranslationsChange, AsTheCommandLeftIt };

    explicit DocumentHistory(LanguageDocument &document, QObject *parent = nullptr);
    ~DocumentHistory() override;

    QUndoStack &Stack() { return stack_; }

    // Makes one step of everything that changed since the last one (nothing when nothing did).
    void Commit(const QString &label, Mark mark = Mark::WhenTranslationsChange);
    // Forgets what changed since the last step without making a step of it.
    void Forget();
    // Puts back what changed since the last step (texts, styles, plural forms, the row count and
    // the header): a command that failed half way leaves nothing behind.
    void RevertPending();
    // An empty stack on the document as it now is.
    void Reset();

    // How many texts to translate there are and how many have a translation, kept up to date by
    // the steps (the status bar shows it after each).
    const TranslationCounts &Counts() const { return counts_; }

    bool CanUndo() const { return stack_.canUndo(); }
    bool CanRedo() const { return stack_.canRedo(); }
    void Undo();
    void Redo();

signals:
    // After every step, undo and redo: the document's texts or changed flag may differ. firstRow
    // to lastRow (grid rows) are the rows whose texts, styles, forms or notes the step changed
    // (firstRow > lastRow: none); 1 to INT_MAX when everything may have.
    void Changed(int firstRow, int lastRow);

private:
    struct CellRecord
    {
        int Column = 0;
        int Row = 0;
        std::string OldText;
        std::string NewText;
        CellStyle OldStyle;
        CellStyle NewStyle;
    };
    struct FormsRecord
    {
        std::size_t Index = 0;
        std::vector<std::string> Old;
        std::vector<std::string> New;
    };
    // An entry's note and, in a file that tracks its originals, its recorded original and
    // obsolete translation: all kept in the file beside its line.
    struct EntryState
    {
        LanguageDocument::NoteState Note;
        std::optional<LanguageDocument::OriginalRecord> Original;
        std::optional<ObsoleteTranslation> Obsolete;
        bool operator==(const EntryState &) const = default;
    };
    struct NoteRecord
    {
        std::int32_t Number = 0;
        EntryState Old;
        EntryState New;
    };
    EntryState StateOf(std::int32_t number) const;
    void Restore(std::int32_t number, const EntryState &state);
    class Step;
    struct Rows
    {
        int First = 1 << 30;
        int Last = -1;
        void Add(int row)
        {
            First = std::min(First, row);
            Last = std::max(Last, row);
        }
    };

    void BeforeCellChange(int column, int row) override;
    void BeforeRowCountChange(int oldCount, int newCount) override;
    void BeforeFormChange(std::size_t index);
    void BeforeNoteChange(std::int32_t number);
    void StartPending();
    // StartPending; true when cells had changed since the last step.
    bool LetGoOfPending();
    Rows Apply(const Step &step, bool forward);
    // Counts the translations anew, or by what one translation cell changed.
    void Recount();
    void CountChange(int row, const std::string &oldText, const std::string &newText);
    void AddNoteRow(Rows &rows, std::int32_t number) const;

    LanguageDocument &document_;
    QUndoStack stack_;
    // Since the last step: the cells touched (two flags a row), their old states, the row count
    // and header then.
    std::vector<std::uint8_t> touched_;
    std::vector<CellRecord> pending_;
    // The entries whose plural forms changed since the last step, with their forms then.
    std::vector<FormsRecord> pendingForms_;
    // The entries whose notes changed since the last step, with their notes then.
    std::vector<NoteRecord> pendingNotes_;
    std::unordered_set<std::int32_t> pendingNoteNumbers_;
    TranslationCounts counts_;
    int pendingRowCount_ = 0;
    DocumentHeader pendingHeader_;
    std::string pendingFile_;
    std::string pendingTarget_;
    bool pendingChanged_ = false;
    std::uint64_t generation_ = 0;
    bool applying_ = false;
    // The rows the last undo or redo put back.
    Rows applied_;
};

} // namespace verbaria
