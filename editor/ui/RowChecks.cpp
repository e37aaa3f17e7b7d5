#include "editor/ui/RowChecks.h"

#include "editor/core/LanguageDocument.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "platform/CodePage.h"

#include <QMetaObject>
#include <QPointer>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace verbaria {

namespace {

CodePage CodePageOf(const std::string &name)
{
    return CodePage::Named(QString::fromStdString(name)).value_or(CodePage());
}

checks::Decoder DecoderOf(const std::string &name)
{
    return [codePage = CodePageOf(name)](std::string_view bytes) {
        return codePage.Decode(bytes).toStdString();
    };
}

bool Checked(TItemKind kind)
{
    return kind == ikComponent || kind == ikMessage;
}

// Documents of up to so many rows are checked at once; larger ones off the window's thread.
constexpr std::size_t RowsCheckedAtOnce = 20'000;

// The original of an entry (entry.Path holds the template's text) from the description column's
// bytes for the row (null when the row shows none) and the texts the template notes.
std::optional<std::string> OriginalFrom(const checks::CheckedEntry &entry, const std::string *described,
                                        const checks::ScannedTexts &scanned,
                                        const checks::Decoder &templateDecoder,
                                        const checks::Decoder &descriptionDecoder)
{
    std::optional<std::string> fromDescription;
    if (described)
        fromDescription = descriptionDecoder(*described);
    std::optional<std::string> noted;
    if (const auto it = scanned.find(entry.Number); it != scanned.end())
        noted = templateDecoder(it->second);
    const std::string text = entry.Kind == ikMessage ? templateDecoder(entry.Path) : std::string();
    return checks::OriginalFor(entry.Kind, text, fromDescription, noted);
}

// A description read from the very file being edited (as after a switch of templates) is the
// translation itself, not an original to compare it with.
bool DescribedBySelf(const LanguageDocument &document)
{
    return !document.souborPopisu().empty() &&
           AbsolutePath(document.souborPopisu()) == AbsolutePath(document.souborJazyka());
}

// The description column's bytes of a row it describes; null for other rows.
const std::string *DescribedText(const GridCells &grid, int row, bool describedBySelf)
{
    if (describedBySelf || row >= grid.RowCount() ||
        grid.EncodingOf(LanguageDocument::ColumnOriginal, row) != GridCells::DescriptionEncoding)
        return nullptr;
    return &grid.Text(LanguageDocument::ColumnOriginal, row);
}

} // namespace

// What a full pass needs of the document, copied so that it may run off the window's thread.
struct RowChecks::Snapshot
{
    std::vector<checks::CheckedEntry> Entries; // originals still to be found
    // The description column's bytes of the rows it describes, in entry order.
    std::vector<std::pair<std::size_t, std::string>> Described;
    std::string TemplatePath;
    std::string TemplateCodePage;
    std::string LanguageCodePage;
    std::string DescriptionCodePage;
};

struct RowChecks::Pass
{
    checks::DocumentChecks Checks;
    checks::ScannedTexts Scanned;
    std::unique_ptr<std::string> TemplateBytes = std::make_unique<std::string>();
    checks::Decoder LanguageDecoder;
    checks::Decoder TemplateDecoder;
    checks::Decoder DescriptionDecoder;
    std::vector<char> Described; // per entry: whether its original is the description's
};

RowChecks::RowChecks(LanguageDocument &document)
    : document_(document)
    , templateBytes_(std::make_unique<std::string>())
{
}

RowChecks::~RowChecks()
{
    if (pending_.valid())
        pending_.wait();
}

void RowChecks::SetPassEnded(QObject *context, std::function<void()> ended)
{
    passContext_ = context;
    passEnded_ = std::move(ended);
}

std::string RowChecks::Message(checks::CheckId check, const TextService &texts)
{
    // Spelled out so that the editor's own template lists them, quoted with „“ since a template's
    // text cannot hold a double quote; a test holds them to the checks'.
    using checks::CheckId;
    switch (check) {
    case CheckId::PrintfPlaceholders:
        return texts.TranslateText("Zástupné znaky printf se liší: originál „%1“, překlad „%2“");
    case CheckId::QtPlaceholders:
        return texts.TranslateText("Zástupné znaky se liší: originál „%1“, překlad „%2“");
    case CheckId::EmptyOriginal:
        return texts.TranslateText("Překlad zprávy, jejíž původní text je prázdný");
    case CheckId::CodePage:
        return texts.TranslateText("Kódová stránka %1 nepojme některý znak překladu");
    case CheckId::Accelerator:
        return texts.TranslateText("Akcelerátor '&' se liší: originál „%1“, překlad „%2“");
    case CheckId::AcceleratorClash:
        return texts.TranslateText("Akcelerátor '%1' používá i položka %2 formuláře %3");
    case CheckId::Blanks:
        return texts.TranslateText("Mezery na začátku nebo na konci se liší: originál „%1“, překlad „%2“");
    case CheckId::EndPunctuation:
        return texts.TranslateText("Originál končí na „%1“, překlad na „%2“");
    case CheckId::SameAsOriginal:
        return texts.TranslateText("Překlad je stejný jako originál");
    case CheckId::ValueType:
        return texts.TranslateText("Překlad není hodnota typu %1");
    case CheckId::ListItems:
        return texts.TranslateText(
            "Seznam má %1 položek, překlad %2 (oddělovač %3); program seznam nepřeloží");
    case CheckId::PluralForms:
        return texts.TranslateText("Jazyk má %1 množných tvarů, překlad %2");
    case CheckId::ChangedOriginal:
        return texts.TranslateText("Originál se změnil od doby, kdy překlad vznikl z „%1“");
    }
    return texts.TranslateText(checks::CzechMessage(check));
}

std::optional<std::string> RowChecks::OriginalOf(const LanguageDocument &document, std::size_t index,
                                                 bool describedBySelf) const
{
    const checks::CheckedEntry entry = checks::CheckedEntry::Of(document.polozky()[index]);
    return OriginalFrom(entry, DescribedText(document.Grid(), static_cast<int>(index) + 1, describedBySelf),
                        scanned_, templateDecoder_, descriptionDecoder_);
}

std::unique_ptr<RowChecks::Pass> RowChecks::Run(Snapshot snapshot)
{
    auto pass = std::make_unique<Pass>();
    if (!snapshot.TemplatePath.empty() &&
        ReadFileBytes(NativePath(snapshot.TemplatePath), *pass->TemplateBytes)) {
        try {
            pass->Scanned = checks::ReadScannedTexts(*pass->TemplateBytes);
        } catch (const std::exception &) {
            pass->Scanned.clear(); // the document read it; a changed file on disk only loses the notes
        }
    }
    pass->LanguageDecoder = DecoderOf(snapshot.LanguageCodePage);
    pass->TemplateDecoder = DecoderOf(snapshot.TemplateCodePage);
    pass->DescriptionDecoder = DecoderOf(snapshot.DescriptionCodePage);
    pass->Described.assign(snapshot.Entries.size(), 0);
    auto described = snapshot.Described.cbegin();
    for (std::size_t i = 0; i < snapshot.Entries.size(); ++i) {
        const std::string *describedBytes = nullptr;
        if (described != snapshot.Described.cend() && described->first == i) {
            describedBytes = &(described++)->second;
            pass->Described[i] = 1;
        }
        checks::CheckedEntry &entry = snapshot.Entries[i];
        if (Checked(entry.Kind))
            entry.Original = OriginalFrom(entry, describedBytes, pass->Scanned, pass->TemplateDecoder,
                                          pass->DescriptionDecoder);
    }
    pass->Checks = checks::DocumentChecks(pass->LanguageDecoder, snapshot.LanguageCodePage);
    pass->Checks.Reset(std::move(snapshot.Entries));
    return pass;
}

void RowChecks::Install(std::unique_ptr<Pass> pass)
{
    checks_ = std::move(pass->Checks);
    scanned_ = std::move(pass->Scanned);
    templateBytes_ = std::move(pass->TemplateBytes);
    languageDecoder_ = std::move(pass->LanguageDecoder);
    templateDecoder_ = std::move(pass->TemplateDecoder);
    descriptionDecoder_ = std::move(pass->DescriptionDecoder);
    described_ = std::move(pass->Described);
    const LanguageDocument *document = std::exchange(pendingDocument_, nullptr);
    const int first = std::exchange(editedFirst_, 1 << 30);
    const int last = std::exchange(editedLast_, -1);
    // The rows edited while the pass ran were copied before they were.
    if (document && first <= last)
        RefreshRows(*document, first, last);
}

void RowChecks::Settle() const
{
    // The object itself is never const: only its answers are.
    auto *self = const_cast<RowChecks *>(this);
    if (self->scheduled_) {
        self->scheduled_ = false;
        self->Install(Run(TakeSnapshot(*pendingDocument_)));
    } else if (pending_.valid()) {
        self->Install(self->pending_.get());
    }
}

std::pair<int, int> RowChecks::Refresh(const LanguageDocument &document, int first, int last)
{
    const std::vector<TEditorItem> &items = document.polozky();
    const std::string codePages = document.TemplateCodePage() + '|' + document.LanguageCodePage() + '|' +
                                  document.DescriptionCodePage();
    if (generation_ != document.ItemTableGeneration() || codePages != codePages_ || rows_ != items.size()) {
        generation_ = document.ItemTableGeneration();
        codePages_ = codePages;
        rows_ = items.size();
        ++*passNumber_;
        if (pending_.valid())
            pending_.wait(); // a pass of what the document was: its result is dropped
        pending_ = {};
        scheduled_ = false;
        pendingDocument_ = nullptr;
        editedFirst_ = 1 << 30;
        editedLast_ = -1;
        if (items.size() <= RowsCheckedAtOnce || !passContext_) {
            Install(Run(TakeSnapshot(document)));
            return {1, static_cast<int>(items.size())};
        }
        // Started once the window's thread is free again: a document being opened fills its
        // translations after its template, and the pass takes both at once.
        scheduled_ = true;
        pendingDocument_ = &document;
        QMetaObject::invokeMethod(
            passContext_,
            [this, number = *passNumber_, alive = std::weak_ptr<unsigned>(passNumber_)] {
                const std::shared_ptr<unsigned> current = alive.lock();
                if (current && *current == number && scheduled_)
                    StartPass();
            },
            Qt::QueuedConnection);
        return {1, 0};
    }
    if (scheduled_)
        return {1, 0}; // the pass will read the document as it is then
    if (pending_.valid()) {
        editedFirst_ = std::min(editedFirst_, std::max(first, 1));
        editedLast_ = std::max(editedLast_, std::min(last, static_cast<int>(items.size())));
        return {1, 0};
    }
    return RefreshRows(document, first, last);
}

RowChecks::Snapshot RowChecks::TakeSnapshot(const LanguageDocument &document)
{
    const std::vector<TEditorItem> &items = document.polozky();
    const GridCells &grid = document.Grid();
    Snapshot snapshot;
    snapshot.TemplatePath = document.aktualniSablona();
    snapshot.TemplateCodePage = document.TemplateCodePage();
    snapshot.LanguageCodePage = document.LanguageCodePage();
    snapshot.DescriptionCodePage = document.DescriptionCodePage();
    const bool describedBySelf = DescribedBySelf(document);
    snapshot.Entries.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TEditorItem &item = items[i];
        checks::CheckedEntry &entry = snapshot.Entries.emplace_back(checks::CheckedEntry::Of(item));
        if (!Checked(item.Kind))
            continue;
        const int row = static_cast<int>(i) + 1;
        if (const std::string *described = DescribedText(grid, row, describedBySelf))
            snapshot.Described.emplace_back(i, *described);
        if (row < grid.RowCount())
            entry.Translation = grid.Text(LanguageDocument::ColumnTranslation, row);
    }
    return snapshot;
}

void RowChecks::StartPass()
{
    scheduled_ = false;
    Snapshot snapshot = TakeSnapshot(*pendingDocument_);
    pending_ = std::async(std::launch::async, [this, number = *passNumber_, snapshot = std::move(snapshot),
                                               alive = std::weak_ptr<unsigned>(passNumber_),
                                               context = QPointer<QObject>(passContext_)]() mutable {
        std::unique_ptr<Pass> pass = Run(std::move(snapshot));
        // Told on the window's thread, where the pass is taken in (unless an answer that waited
        // for it took it in first).
        QMetaObject::invokeMethod(
            context.data(),
            [this, number, alive] {
                const std::shared_ptr<unsigned> current = alive.lock();
                if (!current || *current != number)
                    return;
                Settle();
                if (passEnded_)
                    passEnded_();
            },
            Qt::QueuedConnection);
        return pass;
    });
}

std::pair<int, int> RowChecks::RefreshRows(const LanguageDocument &document, int first, int last)
{
    const std::vector<TEditorItem> &items = document.polozky();
    const GridCells &grid = document.Grid();
    const bool describedBySelf = DescribedBySelf(document);
    int changedFirst = 1 << 30;
    int changedLast = -1;
    auto touched = [&](const std::vector<std::size_t> &indexes) {
        for (const std::size_t index : indexes) {
            changedFirst = std::min(changedFirst, static_cast<int>(index) + 1);
            changedLast = std::max(changedLast, static_cast<int>(index) + 1);
        }
    };
    const int end = std::min({last, static_cast<int>(items.size()), grid.RowCount() - 1});
    for (int row = std::max(first, 1); row <= end; ++row) {
        const std::size_t index = static_cast<std::size_t>(row - 1);
        if (!Checked(items[index].Kind))
            continue;
        const std::string &text = grid.Text(LanguageDocument::ColumnTranslation, row);
        if (checks_.Entry(index).Translation != text)
            touched(checks_.SetTranslation(index, text));
        // Without a description, then and now, the original is the template's: the same until
        // the item table or a code page changes, which checks everything anew.
        const std::string *described = DescribedText(grid, row, describedBySelf);
        const bool describedBefore = index < described_.size() && described_[index];
        if (!described && !describedBefore)
            continue;
        if (index < described_.size())
            described_[index] = described ? 1 : 0;
        std::optional<std::string> original = OriginalOf(document, index, describedBySelf);
        if (checks_.Entry(index).Original != original)
            touched(checks_.SetOriginal(index, std::move(original)));
    }
    return {changedFirst, changedLast};
}

std::int32_t RowChecks::NumberOf(int row) const
{
    Settle();
    if (row < 1 || static_cast<std::size_t>(row) > checks_.size())
        return -1;
    return checks_.Entry(static_cast<std::size_t>(row - 1)).Number;
}

std::optional<std::string> RowChecks::Original(int row) const
{
    if (Pending())
        return std::nullopt;
    if (NumberOf(row) < 0)
        return std::nullopt;
    return checks_.Entry(static_cast<std::size_t>(row - 1)).Original;
}

std::optional<std::string_view> RowChecks::FormText(int row) const
{
    if (Pending())
        return std::nullopt;
    const std::int32_t number = NumberOf(row);
    if (number < 0)
        return std::nullopt;
    const auto it = scanned_.find(number);
    if (it == scanned_.end())
        return std::nullopt;
    return it->second;
}

bool RowChecks::IsEmpty(int row) const
{
    return NumberOf(row) >= 0 && checks_.Entry(static_cast<std::size_t>(row - 1)).Translation.empty();
}

std::vector<checks::Finding> RowChecks::Shown(int row) const
{
    if (Pending())
        return {};
    const std::int32_t number = NumberOf(row);
    if (number < 0)
        return {};
    std::vector<checks::Finding> findings = checks_.FindingsFor(static_cast<std::size_t>(row - 1));
    if (const checks::RowNote *note = document_.NoteOf(number); note && !note->Acknowledged.empty())
        findings = checks::WithoutAcknowledged(std::move(findings), *note, TranslationOf(row));
    return findings;
}

bool RowChecks::HasError(int row) const
{
    if (Pending())
        return false;
    return NumberOf(row) >= 0 && checks_.HasError(static_cast<std::size_t>(row - 1));
}

bool RowChecks::NeedsReview(int row) const
{
    const std::int32_t number = NumberOf(row);
    if (number < 0 || checks_.Entry(static_cast<std::size_t>(row - 1)).Translation.empty())
        return false;
    const checks::RowNote *note = document_.NoteOf(number);
    return note && note->Review;
}

std::vector<std::string> RowChecks::Arguments(const checks::Finding &finding, const TextService &texts)
{
    // The checks name "nothing" in the tool's English; the user reads it in his language.
    using checks::CheckId;
    std::vector<std::string> arguments = finding.Arguments;
    for (std::string &argument : arguments) {
        if ((finding.Check == CheckId::PrintfPlaceholders || finding.Check == CheckId::QtPlaceholders) &&
            argument == checks::NoPlaceholders)
            argument = texts.TranslateText("žádné");
        else if (finding.Check == CheckId::CodePage && argument == checks::UnnamedCodePage)
            argument = texts.TranslateText("souboru");
    }
    return arguments;
}

QString RowChecks::Messages(int row, const TextService &texts) const
{
    if (Pending())
        return {};
    QStringList lines;
    for (const checks::Finding &finding : Shown(row)) {
        const std::string message =
            checks::FillArguments(Message(finding.Check, texts), Arguments(finding, texts));
        const std::string level = finding.Level() == checks::Severity::Error
                                      ? texts.TranslateText("Chyba: %1")
                                      : texts.TranslateText("Varování: %1");
        lines << QString::fromStdString(level).arg(QString::fromStdString(message));
    }
    if (NeedsReview(row))
        lines << QString::fromStdString(texts.TranslateText("Překlad čeká na kontrolu."));
    return lines.join(QLatin1Char('\n'));
}

std::string RowChecks::TranslationOf(int row) const
{
    const std::string &bytes = checks_.Entry(static_cast<std::size_t>(row - 1)).Translation;
    return languageDecoder_ ? languageDecoder_(bytes) : bytes;
}

const checks::RowNotes &RowChecks::Notes() const
{
    return document_.Notes();
}

void RowChecks::MarkForReview(int row)
{
    const std::int32_t number = NumberOf(row);
    if (number >= 0)
        document_.MarkForReview(number);
}

int RowChecks::ReviewCount() const
{
    // By the notes, not the rows: the status bar asks after every step.
    int count = 0;
    const checks::RowNotes &notes = document_.Notes();
    if (std::none_of(notes.begin(), notes.end(), [](const auto &note) { return note.second.Review; }))
        return count;
    Settle();
    for (const auto &[number, note] : notes) {
        const std::int32_t index = note.Review ? document_.IndexOfNumber(number) : -1;
        count += index >= 0 && NeedsReview(index + 1) ? 1 : 0;
    }
    return count;
}

bool RowChecks::Acknowledge(int row)
{
    const std::int32_t number = NumberOf(row);
    if (number < 0)
        return false;
    bool changed = false;
    const checks::RowNote *noted = document_.NoteOf(number);
    checks::RowNote note = noted ? *noted : checks::RowNote{};
    // What was accepted for an earlier text of the row is over; the warnings of this one are
    // accepted for it.
    const std::string hash = checks::TextHash(TranslationOf(row));
    if (!note.Acknowledged.empty() && note.AcknowledgedFor != hash) {
        note.Acknowledged.clear();
        changed = true;
    }
    for (const checks::Finding &finding : Shown(row)) {
        if (finding.Level() == checks::Severity::Warning)
            changed |= note.Acknowledged.insert(checks::CheckName(finding.Check)).second;
    }
    if (note.Review) {
        note.Review = false;
        changed = true;
    }
    if (!changed)
        return false;
    note.AcknowledgedFor = note.Acknowledged.empty() ? std::string() : hash;
    document_.SetNote(number, std::move(note));
    return true;
}

} // namespace verbaria
