#include "editor/ui/DocumentHistory.h"

#include <QUndoCommand>

#include <algorithm>
#include <climits>

#include <utility>

namespace verbaria {

class DocumentHistory::Step final : public QUndoCommand
{
public:
    Step(DocumentHistory &history, const QString &label)
        : QUndoCommand(label)
        , history_(history)
    {
    }

    void undo() override { history_.applied_ = history_.Apply(*this, false); }
    void redo() override
    {
        // The first redo is the push: the change has happened already.
        if (pushed_)
            history_.applied_ = history_.Apply(*this, true);
        pushed_ = true;
    }

    std::vector<CellRecord> Cells;
    std::vector<FormsRecord> Forms;
    std::vector<NoteRecord> Notes;
    int OldRowCount = 0;
    int NewRowCount = 0;
    DocumentHeader OldHeader;
    DocumentHeader NewHeader;
    // The file an open chose goes back with the texts it brought, so that a save without a
    // dialog never writes the earlier texts into it.
    std::string OldFile;
    std::string NewFile;
    std::string OldTarget;
    std::string NewTarget;
    bool OldChanged = false;
    bool NewChanged = false;
    bool ChangesTranslations = false;

private:
    DocumentHistory &history_;
    bool pushed_ = false;
};

DocumentHistory::DocumentHistory(LanguageDocument &document, QObject *parent)
    : QObject(parent)
    , document_(document)
{
    stack_.setParent(this);
    document_.Grid().SetRecorder(this);
    document_.SetFormRecorder([this](std::size_t index) { BeforeFormChange(index); });
    document_.SetNoteRecorder([this](std::int32_t number) { BeforeNoteChange(number); });
    document_.SetOriginalRecorder([this](std::int32_t number) { BeforeNoteChange(number); });
    Reset();
}

DocumentHistory::~DocumentHistory()
{
    document_.Grid().SetRecorder(nullptr);
    document_.SetFormRecorder({});
    document_.SetNoteRecorder({});
    document_.SetOriginalRecorder({});
}

DocumentHistory::EntryState DocumentHistory::StateOf(std::int32_t number) const
{
    return EntryState{document_.NoteStateOf(number), document_.OriginalRecordOf(number),
                      document_.ObsoleteOf(number)};
}

void DocumentHistory::Restore(std::int32_t number, const EntryState &state)
{
    document_.RestoreNote(number, state.Note);
    document_.RestoreOriginalRecord(number, state.Original);
    document_.RestoreObsolete(number, state.Obsolete);
}

void DocumentHistory::Recount()
{
    counts_ = CountTranslations(document_);
}

void DocumentHistory::CountChange(int row, const std::string &oldText, const std::string &newText)
{
    const std::vector<TEditorItem> &items = document_.polozky();
    if (row < 1 || row > static_cast<int>(items.size()) || oldText.empty() == newText.empty())
        return;
    const TItemKind kind = items[static_cast<std::size_t>(row - 1)].Kind;
    if (kind == ikComponent || kind == ikMessage) {
        const std::int64_t sign = newText.empty() ? -1 : 1;
        counts_.Translated += sign;
        counts_.WordsTranslated += sign * OriginalWords(document_, row);
    }
}

void DocumentHistory::AddNoteRow(Rows &rows, std::int32_t number) const
{
    const std::int32_t index = document_.IndexOfNumber(number);
    if (index >= 0)
        rows.Add(index + 1);
}

void DocumentHistory::StartPending()
{
    for (const CellRecord &record : pending_) {
        const std::size_t slot =
            static_cast<std::size_t>(record.Row) * 2 + static_cast<std::size_t>(record.Column);
        if (slot < touched_.size())
            touched_[slot] = 0;
    }
    pending_.clear();
    pendingForms_.clear();
    pendingNotes_.clear();
    pendingNoteNumbers_.clear();
    pendingRowCount_ = document_.Grid().RowCount();
    pendingHeader_ = document_.Header();
    pendingFile_ = document_.souborJazyka();
    pendingTarget_ = document_.SaveTarget();
    pendingChanged_ = document_.zmeneno();
    generation_ = document_.ItemTableGeneration();
}

void DocumentHistory::BeforeCellChange(int column, int row)
{
    // Once the item table is another, the step under way is dropped whole (see Commit): what a
    // newly read document fills in is not worth keeping.
    if (applying_ || row < 0 || document_.ItemTableGeneration() != generation_)
        return;
    const std::size_t slot = static_cast<std::size_t>(row) * 2 + static_cast<std::size_t>(column);
    if (slot >= touched_.size())
        touched_.resize(std::max(slot + 1, touched_.size() * 2), 0);
    if (touched_[slot])
        return;
    touched_[slot] = 1;
    const GridCells &grid = document_.Grid();
    CellRecord record;
    record.Column = column;
    record.Row = row;
    record.OldText = grid.Text(column, row);
    record.OldStyle = grid.Style(column, row);
    pending_.push_back(std::move(record));
}

void DocumentHistory::BeforeFormChange(std::size_t index)
{
    if (applying_)
        return;
    // A few entries at most between two steps: the ones the translator typed in.
    for (const FormsRecord &record : pendingForms_)
        if (record.Index == index)
            return;
    FormsRecord record;
    record.Index = index;
    if (const std::vector<std::string> *forms = document_.FormsOf(index))
        record.Old = *forms;
    pendingForms_.push_back(std::move(record));
}

void DocumentHistory::BeforeNoteChange(std::int32_t number)
{
    if (applying_ || !pendingNoteNumbers_.insert(number).second)
        return;
    NoteRecord record;
    record.Number = number;
    record.Old = StateOf(number);
    pendingNotes_.push_back(std::move(record));
}

void DocumentHistory::BeforeRowCountChange(int oldCount, int newCount)
{
    if (applying_)
        return;
    // Rows about to go keep their cells here; empty unstyled ones come back as they were anyway.
    const GridCells &grid = document_.Grid();
    for (int row = newCount; row < oldCount; ++row) {
        for (int column = 0; column < GridCells::ColumnCount; ++column) {
            if (!grid.Text(column, row).empty() || !(grid.Style(column, row) == CellStyle{}))
                BeforeCellChange(column, row);
        }
    }
}

bool DocumentHistory::LetGoOfPending()
{
    const bool any = !pending_.empty();
    StartPending();
    return any;
}

void DocumentHistory::Forget()
{
    StartPending();
    Recount();
}

void DocumentHistory::RevertPending()
{
    if (document_.ItemTableGeneration() != generation_) {
        Reset();
        return;
    }
    GridCells &grid = document_.Grid();
    applying_ = true;
    {
        GridBatch batch(grid);
        grid.SetRowCount(pendingRowCount_);
        for (const CellRecord &record : pending_) {
            if (record.Row >= pendingRowCount_)
                continue;
            grid.SetText(record.Column, record.Row, record.OldText);
            grid.SetStyle(record.Column, record.Row, record.OldStyle);
        }
    }
    for (FormsRecord &record : pendingForms_)
        document_.SetForms(record.Index, std::move(record.Old));
    for (const NoteRecord &record : pendingNotes_)
        Restore(record.Number, record.Old);
    document_.Header() = pendingHeader_;
    document_.SetSouborJazyka(pendingFile_);
    document_.SetSaveTarget(pendingTarget_);
    document_.SetZmeneno(pendingChanged_);
    applying_ = false;
    StartPending();
    Recount();
}

void DocumentHistory::Reset()
{
    stack_.clear();
    StartPending();
    Recount();
    if (!document_.zmeneno())
        stack_.setClean();
    emit Changed(1, INT_MAX);
}

void DocumentHistory::Commit(const QString &label, Mark mark)
{
    if (document_.ItemTableGeneration() != generation_) {
        Reset();
        return;
    }
    const GridCells &grid = document_.Grid();
    auto step = std::make_unique<Step>(*this, label);
    step->OldRowCount = pendingRowCount_;
    step->NewRowCount = grid.RowCount();
    Rows rows;
    for (CellRecord &record : pending_) {
        // The heading row speaks the user-interface language; it is no part of the document.
        if (record.Row == 0)
            continue;
        const bool exists = record.Row < grid.RowCount();
        if (exists) {
            record.NewText = grid.Text(record.Column, record.Row);
            record.NewStyle = grid.Style(record.Column, record.Row);
            if (record.NewText == record.OldText && record.NewStyle == record.OldStyle)
                continue;
        }
        if (record.Column == LanguageDocument::ColumnTranslation && record.Row > 0 &&
            record.NewText != record.OldText) {
            step->ChangesTranslations = true;
            CountChange(record.Row, record.OldText, record.NewText);
        }
        rows.Add(record.Row);
        step->Cells.push_back(std::move(record));
    }
    for (FormsRecord &record : pendingForms_) {
        if (const std::vector<std::string> *forms = document_.FormsOf(record.Index))
            record.New = *forms;
        if (record.New == record.Old)
            continue;
        step->ChangesTranslations = true;
        rows.Add(static_cast<int>(record.Index) + 1);
        step->Forms.push_back(std::move(record));
    }
    // A note is saved with the file: a change of it is one of the document's.
    for (NoteRecord &record : pendingNotes_) {
        record.New = StateOf(record.Number);
        if (record.New == record.Old)
            continue;
        step->ChangesTranslations = true;
        AddNoteRow(rows, record.Number);
        step->Notes.push_back(std::move(record));
    }
    // Another original changes the words to translate: counted anew (a description language read).
    const bool originalsChanged =
        std::any_of(step->Cells.begin(), step->Cells.end(), [](const CellRecord &record) {
            return record.Column == LanguageDocument::ColumnOriginal && record.NewText != record.OldText;
        });
    if (originalsChanged && step->OldRowCount == step->NewRowCount)
        Recount();
    if (step->OldRowCount != step->NewRowCount) {
        Recount();
        rows = {1, INT_MAX};
    }
    step->OldHeader = pendingHeader_;
    step->NewHeader = document_.Header();
    // Turning tracking on or off shows or hides the mark of every changed translation.
    if (step->OldHeader.SledovatOriginaly != step->NewHeader.SledovatOriginaly)
        rows = {1, INT_MAX};
    step->OldFile = pendingFile_;
    step->NewFile = document_.souborJazyka();
    step->OldTarget = pendingTarget_;
    step->NewTarget = document_.SaveTarget();
    const bool changes = !step->Cells.empty() || !step->Forms.empty() || !step->Notes.empty() ||
                         step->OldRowCount != step->NewRowCount || step->OldHeader != step->NewHeader;
    // Whatever overwrote a translation leaves work that a close must not drop without asking.
    if (changes && step->ChangesTranslations && mark == Mark::WhenTranslationsChange)
        document_.SetZmeneno(true);
    step->OldChanged = pendingChanged_;
    step->NewChanged = document_.zmeneno();
    if (changes)
        stack_.push(step.release());
    StartPending();
    if (!document_.zmeneno())
        stack_.setClean();
    emit Changed(rows.First, rows.Last);
}

DocumentHistory::Rows DocumentHistory::Apply(const Step &step, bool forward)
{
    GridCells &grid = document_.Grid();
    Rows changed;
    applying_ = true;
    {
        // The view is told of the rows put back, not of the whole grid.
        GridBatch batch(grid, GridCells::Announce::Rows);
        const int rows = forward ? step.NewRowCount : step.OldRowCount;
        grid.SetRowCount(rows);
        for (const CellRecord &record : step.Cells) {
            if (record.Row >= rows)
                continue;
            const std::string &text = forward ? record.NewText : record.OldText;
            if (record.Column == LanguageDocument::ColumnTranslation)
                CountChange(record.Row, grid.Text(record.Column, record.Row), text);
            grid.SetText(record.Column, record.Row, text);
            grid.SetStyle(record.Column, record.Row, forward ? record.NewStyle : record.OldStyle);
            changed.Add(record.Row);
        }
    }
    for (const FormsRecord &record : step.Forms) {
        document_.SetForms(record.Index, forward ? record.New : record.Old);
        changed.Add(static_cast<int>(record.Index) + 1);
    }
    for (const NoteRecord &record : step.Notes) {
        Restore(record.Number, forward ? record.New : record.Old);
        AddNoteRow(changed, record.Number);
    }
    if (step.OldRowCount != step.NewRowCount) {
        Recount();
        changed = {1, INT_MAX};
    }
    document_.Header() = forward ? step.NewHeader : step.OldHeader;
    if (step.OldHeader.SledovatOriginaly != step.NewHeader.SledovatOriginaly)
        changed = {1, INT_MAX};
    if (step.OldFile != step.NewFile)
        document_.SetSouborJazyka(forward ? step.NewFile : step.OldFile);
    if (step.OldTarget != step.NewTarget)
        document_.SetSaveTarget(forward ? step.NewTarget : step.OldTarget);
    applying_ = false;
    return changed;
}

void DocumentHistory::Undo()
{
    if (!stack_.canUndo())
        return;
    // What changed since the last step is not a step of its own: it is let go.
    const bool uncounted = LetGoOfPending();
    const auto *step = static_cast<const Step *>(stack_.command(stack_.index() - 1));
    const bool translations = step->ChangesTranslations;
    const bool before = step->OldChanged;
    stack_.undo();
    const Rows rows = applied_;
    document_.SetZmeneno(stack_.isClean() ? false : (translations || before));
    StartPending();
    if (uncounted)
        Recount();
    emit Changed(rows.First, rows.Last);
}

void DocumentHistory::Redo()
{
    if (!stack_.canRedo())
        return;
    const bool uncounted = LetGoOfPending();
    const auto *step = static_cast<const Step *>(stack_.command(stack_.index()));
    const bool translations = step->ChangesTranslations;
    const bool after = step->NewChanged;
    stack_.redo();
    const Rows rows = applied_;
    document_.SetZmeneno(stack_.isClean() ? false : (translations || after));
    StartPending();
    if (uncounted)
        Recount();
    emit Changed(rows.First, rows.Last);
}

} // namespace verbaria
