#include "editor/ui/RowChecks.h"

#include "editor/core/LanguageDocument.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "platform/CodePage.h"

#include <QStringList>

#include <algorithm>

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

} // namespace

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
    }
    return texts.TranslateText(checks::CzechMessage(check));
}

std::optional<std::string> RowChecks::OriginalOf(const LanguageDocument &document, std::size_t index) const
{
    const TEditorItem &item = document.polozky()[index];
    const int row = static_cast<int>(index) + 1;
    const GridCells &grid = document.Grid();
    std::optional<std::string> described;
    // A description read from the very file being edited (as after a switch of templates) is the
    // translation itself, not an original to compare it with.
    const bool describedBySelf =
        !document.souborPopisu().empty() &&
        AbsolutePath(document.souborPopisu()) == AbsolutePath(document.souborJazyka());
    if (!describedBySelf && row < grid.RowCount() &&
        grid.EncodingOf(LanguageDocument::ColumnOriginal, row) == GridCells::DescriptionEncoding)
        described = CodePageOf(document.DescriptionCodePage())
                        .Decode(grid.Text(LanguageDocument::ColumnOriginal, row))
                        .toStdString();
    std::optional<std::string> noted;
    if (const auto it = scanned_.find(item.Number); it != scanned_.end())
        noted = CodePageOf(document.TemplateCodePage()).Decode(it->second).toStdString();
    const std::string text = item.Kind == ikMessage
                                 ? CodePageOf(document.TemplateCodePage()).Decode(item.Text).toStdString()
                                 : std::string();
    return checks::OriginalFor(item.Kind, text, described, noted);
}

std::pair<int, int> RowChecks::Refresh(const LanguageDocument &document, int first, int last)
{
    const std::vector<TEditorItem> &items = document.polozky();
    const GridCells &grid = document.Grid();
    const std::string codePages = document.TemplateCodePage() + '|' + document.LanguageCodePage() + '|' +
                                  document.DescriptionCodePage();
    if (generation_ != document.ItemTableGeneration() || codePages != codePages_ || rows_ != items.size()) {
        generation_ = document.ItemTableGeneration();
        codePages_ = codePages;
        rows_ = items.size();
        templateBytes_.clear();
        scanned_.clear();
        if (!document.aktualniSablona().empty() &&
            ReadFileBytes(NativePath(document.aktualniSablona()), templateBytes_)) {
            try {
                scanned_ = checks::ReadScannedTexts(templateBytes_);
            } catch (const std::exception &) {
                scanned_.clear(); // the document read it; a changed file on disk only loses the notes
            }
        }
        languageDecoder_ = DecoderOf(document.LanguageCodePage());
        checks_ = checks::DocumentChecks(languageDecoder_, document.LanguageCodePage());
        std::vector<checks::CheckedEntry> entries(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const TEditorItem &item = items[i];
            checks::CheckedEntry &entry = entries[i];
            entry = checks::CheckedEntry::Of(item);
            if (!Checked(item.Kind))
                continue;
            entry.Original = OriginalOf(document, i);
            if (static_cast<int>(i) + 1 < grid.RowCount())
                entry.Translation = grid.Text(LanguageDocument::ColumnTranslation, static_cast<int>(i) + 1);
        }
        checks_.Reset(std::move(entries));
        return {1, static_cast<int>(items.size())};
    }
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
        std::optional<std::string> original = OriginalOf(document, index);
        if (checks_.Entry(index).Original != original)
            touched(checks_.SetOriginal(index, std::move(original)));
    }
    return {changedFirst, changedLast};
}

std::int32_t RowChecks::NumberOf(int row) const
{
    if (row < 1 || static_cast<std::size_t>(row) > checks_.size())
        return -1;
    return checks_.Entry(static_cast<std::size_t>(row - 1)).Number;
}

std::optional<std::string> RowChecks::Original(int row) const
{
    if (NumberOf(row) < 0)
        return std::nullopt;
    return checks_.Entry(static_cast<std::size_t>(row - 1)).Original;
}

std::optional<std::string_view> RowChecks::FormText(int row) const
{
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
    for (const auto &[number, note] : document_.Notes()) {
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
