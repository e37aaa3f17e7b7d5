#include "editor/core/LanguageDocument.h"
#include "formats/CodePageNames.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/LanguageTag.h"
#include "formats/Paths.h"
#include "formats/SpellingChoice.h"
#include "formats/TextRules.h"

#include <cstdio>
#include <new>
#include <unordered_map>

namespace verbaria {

namespace {

constexpr Rgb HeadingLeft = MakeRgb(183, 182, 242);
constexpr Rgb Grey238 = MakeRgb(238, 238, 238);
constexpr Rgb OriginalBackground = MakeRgb(204, 203, 245);
constexpr Rgb SectionText = MakeRgb(0, 0, 128);
constexpr Rgb CommentText = MakeRgb(128, 128, 128);
constexpr Rgb Black = MakeRgb(0, 0, 0);

bool IsTranslatable(TItemKind kind)
{
    return kind == ikComponent || kind == ikMessage;
}

} // namespace

LanguageDocument::LanguageDocument(SettingsValues &settings, UserDialogs &dialogs, const TextService &texts)
    : settings_(settings)
    , dialogs_(&dialogs)
    , texts_(&texts)
{
    openDialog_.Title = "Otevřít jazykovou verzi";
    openDialog_.DefaultExtension = "*.lng";
    openDialog_.Filter = "Jazyky (*.lng)|*.lng|Všechny soubory|*.*";
    saveDialog_.Title = "Uložit jazykovou verzi";
    saveDialog_.DefaultExtension = "*.lng";
    saveDialog_.FileName = "Nový jazyk";
    saveDialog_.Filter = openDialog_.Filter;
    SetProgramFolder({});
}

void LanguageDocument::SetProgramFolder(const std::string &slozkaProgramu)
{
    slozkaProgramu_ = slozkaProgramu;
    catalogue_ = CatalogueFileTemplates(NativePath(slozkaProgramu_) + "programs.ini");
}

std::string LanguageDocument::FindTemplate(const std::string &name, const std::string &reference) const
{
    return FindTemplateFile(name, reference, catalogue_);
}

std::string LanguageDocument::DefaultCodePage() const
{
    return settings_.KodovaStranka.empty() ? std::string(FallbackCodePageName) : settings_.KodovaStranka;
}

void LanguageDocument::RefreshTranslatedTexts()
{
    openDialog_.Filter = TranslateText("Jazyky (*.lng)|*.lng|Všechny soubory|*.*");
    saveDialog_.Filter = openDialog_.Filter;
}

void LanguageDocument::WriteHeadingRow()
{
    if (grid_.RowCount() == 0)
        return;
    grid_.SetText(ColumnOriginal, 0, TranslateText("Původní text"));
    grid_.SetText(ColumnTranslation, 0, TranslateText("Nový text"));
}

// ---------------------------------------------------------------------------------------------
// Document operations

void LanguageDocument::MapujText(const std::string &templateName)
{
    settings_.PosledniSablona = templateName;
    aktualniSablona_ = templateName;
    header_.editSablona = FileNameOf(templateName);
    unwritableDefinition_.reset();
    if (fileNameTexts_.ToText) {
        if (std::optional<std::string> text = fileNameTexts_.ToText(header_.editSablona, LanguageCodePage()))
            header_.editSablona = *std::move(text);
        else
            unwritableDefinition_ = header_.editSablona;
    }

    const std::string path = FindTemplate(templateName, {});
    if (path.empty() || !FileExists(NativePath(path)))
        return;
    openDialog_.InitialFolder = FolderOf(NativePath(path));
    saveDialog_.InitialFolder = openDialog_.InitialFolder;

    std::string bytes;
    if (!ReadFileBytes(NativePath(path), bytes))
        return;

    EditorTemplate loaded;
    loaded.Info = templateInfo_;
    TemplateReader reader(loaded);
    // Whatever happens while reading, the table keeps what was read, and the grid always has one
    // row per entry, so the grid and the table never disagree.
    auto commit = [this, &loaded, &bytes] {
        polozky_ = std::move(loaded.Items);
        messages_ = std::move(loaded.Messages);
        forms_.clear(); // they belonged to the entries of the previous template
        ++itemTableGeneration_;
        pocetKPrekladu_ = loaded.CountToTranslate;
        templateInfo_ = loaded.Info;
        originals_ = TemplateOriginals(bytes, polozky_);
        header_.editProgram = loaded.Info.Program;
        header_.editVerzeProgramu = loaded.Info.Version;
        header_.memoAutorProgramu = PipeToLineBreaks(loaded.Info.Author);
        index_.Build(polozky_);
        GridBatch batch(grid_);
        grid_.SetRowCount(static_cast<int>(polozky_.size()) + 1);
        CodePagesChanged();
    };
    try {
        reader.ReadAll(bytes);
    } catch (...) {
        // The rows read so far are shown, whatever stopped the read.
        commit();
        throw;
    }
    commit();
}

bool LanguageDocument::AskToSaveChanges()
{
    if (!zmeneno_)
        return true;
    if (!dialogs_->AskYesNo(TranslateText("Uložit změny ?")))
        return true;
    return UlozitJazyk();
}

namespace {

// A template's header or items section line: such a file is no language file, whatever else it holds.
bool HasTemplateSection(std::string_view bytes)
{
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty() || line.front() != '[')
            continue;
        line.remove_prefix(1);
        while (!line.empty() && (line.back() == '\r'))
            line.remove_suffix(1);
        if (!line.empty() && line.back() == ']')
            line.remove_suffix(1);
        const std::string name = UpperAscii(line);
        if (name == "LANGUAGE" || name == "ITEMS")
            return true;
    }
    return false;
}

bool IsTemplateName(const std::string &fileName)
{
    return fileName.size() >= 4 &&
           UpperAscii(std::string_view(fileName).substr(fileName.size() - 4)) == ".LND";
}

// A template by its name and by what it holds: a language file someone named ".lnd" is still read
// as the language file it is.
bool IsTemplateFile(const std::string &fileName)
{
    if (!IsTemplateName(fileName))
        return false;
    std::string bytes;
    try {
        if (!ReadFileBytes(NativePath(fileName), bytes))
            return false;
    } catch (const std::exception &) {
        return false;
    }
    return HasTemplateSection(bytes);
}

} // namespace

void LanguageDocument::StyleRow(int row, TItemKind kind)
{
    grid_.SetTextColour(ColumnTranslation, row, CellColour::Of(Black));
    grid_.SetEditable(ColumnOriginal, row, false);
    grid_.SetEditable(ColumnTranslation, row, true);
    grid_.SetBackground(ColumnOriginal, row, CellColour::Of(OriginalBackground));
    switch (kind) {
    case ikSection:
        grid_.SetBackground(ColumnOriginal, row, CellColour::Of(Grey238));
        grid_.SetTextColour(ColumnTranslation, row, CellColour::Of(SectionText));
        grid_.SetBackground(ColumnTranslation, row, CellColour::Of(Grey238));
        grid_.SetEditable(ColumnTranslation, row, false);
        break;
    case ikComment:
        grid_.SetTextColour(ColumnTranslation, row, CellColour::Of(CommentText));
        grid_.SetEditable(ColumnTranslation, row, false);
        break;
    case ikComponent:
    case ikMessage:
        grid_.SetBackground(ColumnTranslation, row, CellColour::Window());
        break;
    }
}

bool LanguageDocument::NovyJazyk(bool refill, bool askToSave)
{
    if (askToSave && !AskToSaveChanges())
        return false;
    zmeneno_ = false;
    // A new language is saved nowhere yet, whatever file the save dialog will propose.
    saveTarget_.clear();

    forms_.clear();
    // A new language starts without notes, and tracks its originals when the settings say so.
    ClearNotes();
    ClearTracking();
    header_.SledovatOriginaly = settings_.SledovatOriginaly;
    GridBatch batch(grid_);
    if (grid_.RowCount() > 0) {
        WriteHeadingRow();
        grid_.SetBackground(ColumnOriginal, 0, CellColour::Of(HeadingLeft));
        grid_.SetBackground(ColumnTranslation, 0, CellColour::Of(Grey238));
    }
    const int rows = EntryRowCount();
    for (int i = 0; i < rows; ++i) {
        const int row = i + 1;
        grid_.SetText(ColumnTranslation, row, {});
        if (refill)
            grid_.SetText(ColumnOriginal, row, polozky_[static_cast<std::size_t>(i)].Text);
        StyleRow(row, polozky_[static_cast<std::size_t>(i)].Kind);
    }
    return true;
}

void LanguageDocument::NactiJazyk(const std::string &fileName, int mode)
{
    if (fileName.empty())
        return;
    const std::string nativeName = NativePath(fileName);
    if (!FileExists(nativeName))
        return;
    if (mode == ColumnTranslation)
        settings_.PosledniJazyk = fileName;
    else
        settings_.JazykProPopisy = fileName;

    // Until this read has ended well, a save without a dialog has nowhere to write.
    if (mode == ColumnTranslation)
        saveTarget_.clear();
    std::string bytes;
    if (!ReadFileBytes(nativeName, bytes))
        return;
    // The code page belongs to the file: one that declares none is in the default.
    if (mode == ColumnTranslation)
        header_.KodovaStranka = DeclaredCodePage(bytes);
    else
        descriptionCodePage_ = DeclaredCodePage(bytes);
    CodePagesChanged();
    std::string_view content = bytes;
    StripByteOrderMark(content);
    const bool languageFile = ReadLanguageLines(fileName, content, mode) && !IsTemplateName(fileName);
    if (mode == ColumnTranslation) {
        ReadNotes(content);
        ReadTracking(content);
        if (languageRead_)
            languageRead_(content);
    }
    startovani_ = false;
    if (mode == ColumnTranslation && languageFile)
        saveTarget_ = fileName;
}

bool LanguageDocument::ReadLanguageLines(const std::string &fileName, std::string_view bytes, int mode)
{
    bool languageLines = true;
    for (const char byte : bytes) {
        if (byte != ' ' && byte != '\t' && byte != '\r' && byte != '\n') {
            languageLines = false;
            break;
        }
    }
    const bool templateLines = HasTemplateSection(bytes);
    GridBatch batch(grid_);
    // A file may name its template on every line: each name is looked up once per read (a look-up
    // lists folders and reads the catalogue), and the user is asked once at most.
    std::unordered_map<std::string, std::string> templates;
    auto findTemplate = [&](const std::string &name) -> const std::string & {
        auto found = templates.find(name);
        if (found == templates.end())
            found = templates.emplace(name, FindTemplate(name, fileName)).first;
        return found->second;
    };
    bool asked = false;
    auto entry = [&](std::int32_t number, std::string_view value) {
        languageLines = true;
        const std::int32_t index = index_.IndexOf(number);
        if (index < 0) {
            if (mode == ColumnTranslation)
                unplaced_[number].Translation.assign(value);
            return;
        }
        const int row = index + 1;
        if (row >= grid_.RowCount())
            return;
        const bool comment = polozky_[static_cast<std::size_t>(index)].Kind == ikComment;
        grid_.SetTextColour(ColumnTranslation, row, CellColour::Of(comment ? CommentText : Black));
        if (!comment)
            grid_.SetText(mode, row, std::string(value),
                          mode == ColumnOriginal ? GridCells::DescriptionEncoding
                                                 : GridCells::ColumnEncoding);
    };
    auto header = [&](std::string_view key, std::string_view value) {
        if (key == "LANGUAGE" || key == "VERSION" || key == "AUTHOR" || key == "DEFINITION" ||
            key == "CODEPAGE")
            languageLines = true;
        if (mode != ColumnTranslation)
            return;
        if (key == "LANGUAGE") {
            header_.editJazyk.assign(value);
        } else if (key == "VERSION") {
            header_.editVerzeJazyka.assign(value);
        } else if (key == "AUTHOR") {
            header_.memoAutorJazyka = PipeToLineBreaks(value);
        } else if (key == "PLURAL-FORMS") {
            header_.PluralForms.assign(TrimBlanks(value));
        } else if (key == "DIRECTION") {
            header_.Direction.assign(TrimBlanks(value));
        } else if (key == "DEFINITION") {
            definiceJazyka_.assign(value);
            header_.editSablona.assign(value);
            unwritableDefinition_.reset();
            // The value is text of the file; the template is looked for by the system's name of it.
            if (fileNameTexts_.ToName) {
                if (std::optional<std::string> name =
                        fileNameTexts_.ToName(definiceJazyka_, LanguageCodePage()))
                    definiceJazyka_ = *std::move(name);
            }
            // A read that a template switch started does not switch again: a file naming two
            // templates would otherwise switch back and forth for ever.
            if (startovani_ || switchDepth_ > 0 || asked)
                return;
            if (findTemplate(definiceJazyka_) == findTemplate(aktualniSablona_))
                return;
            asked = true;
            if (!dialogs_->AskYesNo(TranslateText(
                    "Soubor, který se pokoušíte otevřít je určen pro jiný program. Chcete pokračovat?")))
                return;
            SwitchTemplate(fileName, mode);
        }
    };
    ForEachLanguageLine(bytes, header, entry);
    if (mode == ColumnTranslation)
        ReadForms(bytes);
    return languageLines && !templateLines;
}

void LanguageDocument::ReadForms(std::string_view bytes)
{
    forms_.clear();
    ForEachFormLine(bytes, [&](std::int32_t number, std::size_t form, std::string_view text, int) {
        const std::int32_t index = index_.IndexOf(number);
        if (index < 0) {
            // The forms of a translation the template has no entry for stay with it.
            if (const auto kept = unplaced_.find(number); kept != unplaced_.end()) {
                if (kept->second.Forms.size() < form)
                    kept->second.Forms.resize(form);
                kept->second.Forms[form - 1] = text;
            }
            return;
        }
        if (forms_.size() < polozky_.size())
            forms_.resize(polozky_.size());
        std::vector<std::string> &forms = forms_[static_cast<std::size_t>(index)];
        if (forms.size() < form)
            forms.resize(form);
        forms[form - 1] = text;
    });
}

void LanguageDocument::SetForm(std::size_t index, std::size_t form, std::string text)
{
    if (index >= polozky_.size() || form < 1)
        return;
    if (formRecorder_)
        formRecorder_(index);
    if (forms_.size() < polozky_.size())
        forms_.resize(polozky_.size());
    std::vector<std::string> &forms = forms_[index];
    if (forms.size() < form)
        forms.resize(form);
    forms[form - 1] = std::move(text);
    // No empty forms at the end: an entry whose forms were all cleared saves as one without.
    while (!forms.empty() && forms.back().empty())
        forms.pop_back();
}

void LanguageDocument::SetForms(std::size_t index, std::vector<std::string> forms)
{
    if (index >= polozky_.size())
        return;
    if (formRecorder_)
        formRecorder_(index);
    if (forms_.size() < polozky_.size())
        forms_.resize(polozky_.size());
    forms_[index] = std::move(forms);
}

void LanguageDocument::ReadNotes(std::string_view bytes)
{
    // The choice belongs to the file it is written in: a file without one is checked by its name.
    header_.Pravopis = ReadSpellingChoice(bytes).value_or(std::string());
    header_.JazykovyTag = ReadLanguageTag(bytes).value_or(std::string());
    RowNotes read = ReadRowNotes(bytes);
    if (noteRecorder_) {
        for (const auto &[number, note] : notes_)
            noteRecorder_(number);
        for (const auto &[number, note] : read)
            noteRecorder_(number);
    }
    notes_ = std::move(read);
    unhashedOnRead_.clear();
    // A warning accepted in a note without the text's hash belongs to the translation read with it.
    for (auto &[number, note] : notes_) {
        if (note.Acknowledged.empty() || !note.AcknowledgedFor.empty())
            continue;
        note.AcknowledgedFor = TextHash(TranslationText(number));
        unhashedOnRead_.insert(number);
    }
}

void LanguageDocument::ClearNotes()
{
    if (noteRecorder_) {
        for (const auto &[number, note] : notes_)
            noteRecorder_(number);
    }
    notes_.clear();
    unhashedOnRead_.clear();
}

void LanguageDocument::SetNote(std::int32_t number, RowNote note)
{
    if (noteRecorder_)
        noteRecorder_(number);
    const auto found = notes_.find(number);
    // Acceptances given anew are saved with their hash.
    if (found == notes_.end() || found->second.Acknowledged != note.Acknowledged ||
        found->second.AcknowledgedFor != note.AcknowledgedFor)
        unhashedOnRead_.erase(number);
    if (note.empty()) {
        if (found != notes_.end())
            notes_.erase(found);
        return;
    }
    if (found != notes_.end())
        found->second = std::move(note);
    else
        notes_.emplace(number, std::move(note));
}

bool LanguageDocument::MarkForReview(std::int32_t number)
{
    const RowNote *note = NoteOf(number);
    if (note && note->Review)
        return false;
    RowNote marked = note ? *note : RowNote{};
    marked.Review = true;
    SetNote(number, std::move(marked));
    return true;
}

LanguageDocument::NoteState LanguageDocument::NoteStateOf(std::int32_t number) const
{
    NoteState state;
    if (const RowNote *note = NoteOf(number))
        state.Note = *note;
    state.UnhashedOnRead = unhashedOnRead_.contains(number);
    return state;
}

void LanguageDocument::RestoreNote(std::int32_t number, const NoteState &state)
{
    if (noteRecorder_)
        noteRecorder_(number);
    if (state.Note && !state.Note->empty())
        notes_[number] = *state.Note;
    else
        notes_.erase(number);
    if (state.UnhashedOnRead)
        unhashedOnRead_.insert(number);
    else
        unhashedOnRead_.erase(number);
}

std::string LanguageDocument::TranslationText(std::int32_t number) const
{
    const std::int32_t index = index_.IndexOf(number);
    if (index < 0 || index + 1 >= grid_.RowCount())
        return {};
    const std::string &bytes = grid_.Text(ColumnTranslation, index + 1);
    return textDecoder_ ? textDecoder_(bytes, LanguageCodePage()) : bytes;
}

RowNotes LanguageDocument::NotesToSave() const
{
    RowNotes saved = notes_;
    for (auto &[number, note] : saved) {
        if (note.Acknowledged.empty())
            continue;
        if (!AcknowledgesText(note, TranslationText(number))) {
            note.Acknowledged.clear();
            note.AcknowledgedFor.clear();
        } else if (unhashedOnRead_.contains(number)) {
            note.AcknowledgedFor.clear();
        }
    }
    return saved;
}

void LanguageDocument::ReadTracking(std::string_view bytes)
{
    TrackedOriginals tracked = ReadTrackedOriginals(bytes);
    // The item lines of this read whose number the template lacks are obsolete translations; a
    // file that does not track keeps them too, saved once tracking is turned on.
    std::map<std::int32_t, ObsoleteTranslation> unplaced = std::move(unplaced_);
    ClearTracking();
    header_.SledovatOriginaly = tracked.Tracking;
    for (auto &[number, original] : tracked.Originals) {
        const std::int32_t index = index_.IndexOf(number);
        if (index >= 0)
            records_[number] = OriginalRecord{std::move(original), CellText(static_cast<std::size_t>(index))};
        else if (const auto found = unplaced.find(number); found != unplaced.end())
            found->second.Original = std::move(original);
    }
    obsolete_ = std::move(tracked.Obsolete);
    for (auto &[number, kept] : unplaced)
        obsolete_[number] = std::move(kept);
}

void LanguageDocument::ClearTracking()
{
    if (originalRecorder_) {
        for (const auto &[number, record] : records_)
            originalRecorder_(number);
        for (const auto &[number, kept] : obsolete_)
            originalRecorder_(number);
    }
    records_.clear();
    obsolete_.clear();
    unplaced_.clear();
}

std::string LanguageDocument::CellText(std::size_t index) const
{
    const int row = static_cast<int>(index) + 1;
    return row < grid_.RowCount() ? grid_.Text(ColumnTranslation, row) : std::string();
}

const std::string &LanguageDocument::CurrentOriginal(std::size_t index) const
{
    static const std::string none;
    if (index < originals_.size())
        return originals_[index];
    return index < polozky_.size() ? polozky_[index].Text : none;
}

const std::string &LanguageDocument::MadeFrom(std::size_t index) const
{
    if (index < polozky_.size()) {
        const auto found = records_.find(polozky_[index].Number);
        const int row = static_cast<int>(index) + 1;
        if (found != records_.end() && row < grid_.RowCount() &&
            grid_.Text(ColumnTranslation, row) == found->second.Translation)
            return found->second.Original;
    }
    return CurrentOriginal(index);
}

bool LanguageDocument::IsChanged(std::size_t index) const
{
    if (!header_.SledovatOriginaly || index >= polozky_.size() || CellText(index).empty())
        return false;
    return MadeFrom(index) != CurrentOriginal(index);
}

const std::string *LanguageDocument::OldOriginal(std::size_t index) const
{
    return IsChanged(index) ? &MadeFrom(index) : nullptr;
}

int LanguageDocument::ChangedCount() const
{
    if (!header_.SledovatOriginaly)
        return 0;
    int count = 0;
    // Only entries with a record can have gone stale.
    for (const auto &[number, record] : records_) {
        const std::int32_t index = index_.IndexOf(number);
        if (index >= 0 && IsChanged(static_cast<std::size_t>(index)))
            ++count;
    }
    return count;
}

void LanguageDocument::KeepTranslation(std::size_t index)
{
    if (!IsChanged(index))
        return;
    const std::int32_t number = polozky_[index].Number;
    if (originalRecorder_)
        originalRecorder_(number);
    records_.erase(number);
}

void LanguageDocument::RecordOriginal(std::int32_t number, std::string original)
{
    const std::int32_t index = index_.IndexOf(number);
    if (index < 0)
        return;
    if (originalRecorder_)
        originalRecorder_(number);
    records_[number] = OriginalRecord{std::move(original), CellText(static_cast<std::size_t>(index))};
}

std::optional<LanguageDocument::OriginalRecord> LanguageDocument::OriginalRecordOf(std::int32_t number) const
{
    const auto found = records_.find(number);
    return found == records_.end() ? std::nullopt : std::optional<OriginalRecord>(found->second);
}

void LanguageDocument::RestoreOriginalRecord(std::int32_t number, std::optional<OriginalRecord> record)
{
    if (originalRecorder_)
        originalRecorder_(number);
    if (record)
        records_[number] = *std::move(record);
    else
        records_.erase(number);
}

void LanguageDocument::SetTracking(bool tracking)
{
    header_.SledovatOriginaly = tracking;
}

void LanguageDocument::RecordOriginalsFrom(const std::map<std::int32_t, std::string> &originalsByNumber)
{
    for (const auto &[number, original] : originalsByNumber) {
        const std::int32_t index = index_.IndexOf(number);
        if (index >= 0) {
            std::string translation = CellText(static_cast<std::size_t>(index));
            if (!translation.empty() && !records_.contains(number)) {
                if (originalRecorder_)
                    originalRecorder_(number);
                records_[number] = OriginalRecord{original, std::move(translation)};
            }
        } else if (const auto kept = obsolete_.find(number);
                   kept != obsolete_.end() && kept->second.Original.empty()) {
            kept->second.Original = original;
        }
    }
}

std::optional<ObsoleteTranslation> LanguageDocument::ObsoleteOf(std::int32_t number) const
{
    const auto found = obsolete_.find(number);
    return found == obsolete_.end() ? std::nullopt : std::optional<ObsoleteTranslation>(found->second);
}

void LanguageDocument::RestoreObsolete(std::int32_t number, std::optional<ObsoleteTranslation> kept)
{
    if (originalRecorder_)
        originalRecorder_(number);
    if (kept)
        obsolete_[number] = *std::move(kept);
    else
        obsolete_.erase(number);
}

void LanguageDocument::RemoveObsolete(std::optional<std::int32_t> number)
{
    if (number) {
        if (!obsolete_.contains(*number))
            return;
        RestoreObsolete(*number, std::nullopt);
        return;
    }
    if (originalRecorder_) {
        for (const auto &[kept, translation] : obsolete_)
            originalRecorder_(kept);
    }
    obsolete_.clear();
}

std::unordered_map<std::string_view, LanguageDocument::MovedOffer> LanguageDocument::MovedSources() const
{
    // Old original -> where its translation is now: an obsolete one, or an entry whose original
    // changed (its translation was made from that text).
    std::unordered_map<std::string_view, MovedOffer> sources;
    if (!header_.SledovatOriginaly)
        return sources;
    for (const auto &[number, kept] : obsolete_) {
        if (!kept.Original.empty() && !kept.Translation.empty())
            sources.try_emplace(kept.Original, MovedOffer{0, number, kept.Translation});
    }
    for (const auto &[number, record] : records_) {
        const std::int32_t index = index_.IndexOf(number);
        if (index >= 0 && IsChanged(static_cast<std::size_t>(index)))
            sources.try_emplace(record.Original, MovedOffer{0, number, record.Translation});
    }
    return sources;
}

std::optional<LanguageDocument::MovedOffer>
LanguageDocument::OfferFrom(const std::unordered_map<std::string_view, MovedOffer> &sources,
                            std::size_t index) const
{
    const TEditorItem &item = polozky_[index];
    if ((item.Kind != ikComponent && item.Kind != ikMessage) || !CellText(index).empty())
        return std::nullopt;
    const auto found = sources.find(CurrentOriginal(index));
    if (found == sources.end() || found->second.From == item.Number)
        return std::nullopt;
    MovedOffer offer = found->second;
    offer.Index = index;
    return offer;
}

std::vector<LanguageDocument::MovedOffer> LanguageDocument::MovedOffers() const
{
    std::vector<MovedOffer> offers;
    const auto sources = MovedSources();
    if (sources.empty())
        return offers;
    const std::size_t count = static_cast<std::size_t>(EntryRowCount());
    for (std::size_t i = 0; i < count; ++i) {
        if (auto offer = OfferFrom(sources, i))
            offers.push_back(*std::move(offer));
    }
    return offers;
}

std::optional<LanguageDocument::MovedOffer> LanguageDocument::MovedOfferFor(std::size_t index) const
{
    if (index >= static_cast<std::size_t>(EntryRowCount()))
        return std::nullopt;
    const auto sources = MovedSources();
    return sources.empty() ? std::nullopt : OfferFrom(sources, index);
}

void LanguageDocument::SwitchTemplate(const std::string &fileName, int mode)
{
    ++switchDepth_;
    struct Leave
    {
        int &depth;
        ~Leave() { --depth; }
    } leave{switchDepth_};

    // The check found the template beside the language file; a template that only that place
    // holds is loaded by its full path, or the switch would load nothing (and the next start
    // would not find it either).
    // The full path is what is remembered: a bare name found in the working folder would find
    // nothing at the next start from another folder.
    aktualniSablona_ = FindTemplate(definiceJazyka_, {});
    if (aktualniSablona_.empty())
        aktualniSablona_ = FindTemplate(definiceJazyka_, fileName);
    if (aktualniSablona_.empty())
        aktualniSablona_ = definiceJazyka_;
    MapujText(aktualniSablona_);
    souborPopisu_ = fileName;
    NovyJazyk(true, false);
    NactiJazyk(fileName, mode);
    if (mode == ColumnTranslation) {
        const auto description =
            FindFileIgnoringCase(FolderOf(NativePath(fileName)) + settings_.JazykRozhrani);
        if (!settings_.JazykRozhrani.empty() && description)
            NactiJazyk(*description, ColumnOriginal);
        else
            NactiJazyk(fileName, ColumnOriginal);
    }
}

std::optional<InfoPanelTexts> LanguageDocument::gridJazykSelectCell(int /*column*/, int row) const
{
    if (row <= 0 || row > static_cast<int>(polozky_.size()) || row >= grid_.RowCount())
        return std::nullopt;
    InfoPanelTexts texts;
    texts.editPuvodniText = grid_.Text(ColumnOriginal, row);
    texts.editVNovemJazyce = grid_.Text(ColumnTranslation, row);
    const TEditorItem &item = polozky_[static_cast<std::size_t>(row - 1)];
    switch (item.Kind) {
    case ikComment:
        texts.editNazevKomponenty = TranslateText("Komentář");
        break;
    case ikSection:
        texts.editNazevKomponenty = TranslateText("Sekce");
        break;
    case ikMessage:
        texts.editNazevKomponenty = TranslateText("Zpráva");
        break;
    case ikComponent:
        texts.editNazevKomponenty = item.Text;
        break;
    }
    return texts;
}

void LanguageDocument::PolozkaZmenena(int /*column*/, int row)
{
    zmeneno_ = true;
    if (!settings_.AutomatickeDoplnovani || row <= 0 || row >= grid_.RowCount())
        return;
    const std::string &original = grid_.Text(ColumnOriginal, row);
    if (original.empty())
        return;
    const std::string translation = grid_.Text(ColumnTranslation, row);
    const std::vector<std::string> &left = grid_.Column(ColumnOriginal);
    // Row 0 holds the column headings, never a translation.
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (r != row && left[static_cast<std::size_t>(r)] == original)
            grid_.SetText(ColumnTranslation, r, translation);
    }
}

void LanguageDocument::ReportFailure(const std::exception &error) const
{
    // A file too large for memory stops its command, not the program.
    if (dynamic_cast<const std::bad_alloc *>(&error))
        dialogs_->ReportError(TranslateText("Na tuto operaci nestačí paměť."));
    else
        dialogs_->ReportError(error.what());
}

void LanguageDocument::OpenAtStartup()
{
    startovani_ = true;
    auto step = [this](auto &&action) {
        try {
            action();
        } catch (const std::exception &error) {
            ReportFailure(error);
        }
    };
    aktualniSablona_ = settings_.PosledniSablona;
    bool templateRead = true;
    step([this, &templateRead] {
        templateRead = false;
        MapujText(aktualniSablona_);
        templateRead = true;
    });
    step([this] { NovyJazyk(true, false); });
    souborPopisu_ = settings_.JazykProPopisy;
    step([this] { NactiJazyk(souborPopisu_, ColumnOriginal); });
    souborJazyka_ = settings_.PosledniJazyk;
    step([this] { NactiJazyk(souborJazyka_, ColumnTranslation); });
    // Without its whole template a save would drop the translations of the entries not read.
    if (!templateRead)
        saveTarget_.clear();
}

// ---------------------------------------------------------------------------------------------
// File commands

void LanguageDocument::NovyJazykCommand()
{
    NovyJazyk(false);
}

void LanguageDocument::NovyVJinemProgramu(const std::string &templatePath)
{
    if (!AskToSaveChanges())
        return;
    saveTarget_.clear();
    try {
        aktualniSablona_ = templatePath;
        MapujText(aktualniSablona_);
        NovyJazyk(true, false);
        if (settings_.JazykRozhrani.empty())
            return;
        const auto description =
            FindFileIgnoringCase(FolderOf(NativePath(templatePath)) + settings_.JazykRozhrani);
        if (description) {
            settings_.JazykProPopisy = *description;
            souborPopisu_ = *description;
            NactiJazyk(souborPopisu_, ColumnOriginal);
        }
    } catch (const std::exception &error) {
        ReportFailure(error);
    }
}

void LanguageDocument::EmptyColumnOfTranslatableRows(int column)
{
    GridBatch batch(grid_);
    const int rows = EntryRowCount();
    for (int i = 0; i < rows; ++i) {
        if (IsTranslatable(polozky_[static_cast<std::size_t>(i)].Kind))
            grid_.SetText(column, i + 1, {});
    }
}

void LanguageDocument::OtevritJazyk()
{
    const auto chosen = dialogs_->ChooseFileToOpen(openDialog_);
    if (!chosen)
        return;
    OtevritSoubor(*chosen);
}

void LanguageDocument::OtevritSoubor(const std::string &fileName)
{
    // A template is never a language file: it starts a new translation of itself.
    if (IsTemplateFile(fileName)) {
        NovyVJinemProgramu(fileName);
        return;
    }
    // The edits that are about to be replaced: saved, or dropped on the user's word.
    if (!AskToSaveChanges())
        return;
    zmeneno_ = false;
    saveTarget_.clear();
    openDialog_.FileName = fileName;
    souborJazyka_ = fileName;
    EmptyColumnOfTranslatableRows(ColumnTranslation);
    try {
        NactiJazyk(souborJazyka_, ColumnTranslation);
    } catch (const std::exception &error) {
        ReportFailure(error);
    }
    zmeneno_ = false;
}

void LanguageDocument::RestoreKeptWork(const KeptWork &work)
{
    try {
        aktualniSablona_ = work.Template;
        MapujText(aktualniSablona_);
        NovyJazyk(true, false);
        souborPopisu_ = work.Description;
        NactiJazyk(souborPopisu_, ColumnOriginal);
        // The copy names the template the work was done on: nothing to ask.
        startovani_ = true;
        NactiJazyk(work.Copy, ColumnTranslation);
    } catch (const std::exception &error) {
        ReportFailure(error);
    }
    startovani_ = false;
    settings_.PosledniJazyk = work.LanguageFile;
    souborJazyka_ = work.LanguageFile;
    saveTarget_ = work.SaveTarget;
    zmeneno_ = true;
}

std::string LanguageDocument::LanguageTag() const
{
    if (!header_.JazykovyTag.empty())
        return header_.JazykovyTag;
    if (!tagOfName_ || header_.editJazyk.empty())
        return {};
    return tagOfName_(header_.editJazyk, LanguageCodePage());
}

std::string LanguageDocument::SavedBytes() const
{
    LanguageHeader header;
    header.Language = header_.editJazyk;
    header.Version = header_.editVerzeJazyka;
    header.Author = header_.memoAutorJazyka;
    header.Definition = header_.editSablona;
    header.CodePage = LanguageCodePage();
    header.PluralForms = header_.PluralForms;
    header.Direction = header_.Direction;
    const std::vector<std::string> &right = grid_.Column(ColumnTranslation);
    const std::size_t count = std::min(polozky_.size(), right.size() > 0 ? right.size() - 1 : 0);
    std::string bytes = FormatLanguageFile(
        header, std::span<const TEditorItem>(polozky_.data(), count),
        std::span<const std::string>(right.data() + (right.empty() ? 0 : 1), count),
        std::span<const std::vector<std::string>>(forms_.data(), std::min(forms_.size(), count)));
    // The spelling choice, the originals and the rows' notes are comment lines among the items.
    if (!header_.Pravopis.empty())
        bytes = WithSpellingChoice(bytes, header_.Pravopis);
    if (header_.SledovatOriginaly) {
        TrackedOriginals tracked;
        tracked.Tracking = true;
        for (std::size_t i = 0; i < count; ++i) {
            const TEditorItem &item = polozky_[i];
            if ((item.Kind == ikComponent || item.Kind == ikMessage) && item.Number >= 0 &&
                !right[i + 1].empty() && index_.IndexOf(item.Number) == static_cast<std::int32_t>(i))
                tracked.Originals.emplace(item.Number, MadeFrom(i));
        }
        tracked.Obsolete = obsolete_;
        bytes = WithTrackedOriginals(bytes, tracked);
    }
    // A chosen tag (or one the file carried) is kept; the one the name gives is the name's again at
    // the next read, and writing it would change the bytes of every file the user did not change.
    if (!header_.JazykovyTag.empty())
        bytes = WithLanguageTag(bytes, header_.JazykovyTag);
    if (!notes_.empty())
        bytes = WithRowNotes(bytes, NotesToSave());
    return bytes;
}

bool LanguageDocument::UlozitJazyk()
{
    if (unwritableDefinition_ && *unwritableDefinition_ == header_.editSablona) {
        std::string message = TranslateText("Název šablony „%s“ nelze v kódové stránce jazykového souboru "
                                            "uložit. Změňte jej ve vlastnostech jazyka.");
        const std::size_t at = message.find("%s");
        if (at != std::string::npos)
            message.replace(at, 2, *unwritableDefinition_);
        dialogs_->ReportError(message);
        return false;
    }
    saveDialog_.InitialFolder = openDialog_.InitialFolder;
    if (!souborJazyka_.empty())
        saveDialog_.FileName = souborJazyka_;
    const auto chosen = dialogs_->ChooseFileToSave(saveDialog_);
    if (!chosen)
        return false;
    souborJazyka_ = *chosen;
    saveDialog_.FileName = *chosen;
    try {
        WriteFileAtomically(NativePath(souborJazyka_), SavedBytes());
    } catch (const std::exception &error) {
        ReportFailure(error);
        return false;
    }
    saveTarget_ = souborJazyka_;
    zmeneno_ = false;
    return true;
}

void LanguageDocument::OtevriZdroj()
{
    const auto chosen = dialogs_->ChooseFileToOpen(openDialog_);
    if (!chosen)
        return;
    openDialog_.FileName = *chosen;
    souborPopisu_ = *chosen;
    EmptyColumnOfTranslatableRows(ColumnOriginal);
    try {
        NactiJazyk(souborPopisu_, ColumnOriginal);
    } catch (const std::exception &error) {
        ReportFailure(error);
    }
}

void LanguageDocument::SmazatJazyk()
{
    if (!dialogs_->AskYesNo(TranslateText("Opravdu chcete tento soubor smazat?")))
        return;
    const std::string path = NativePath(souborJazyka_);
    if (souborJazyka_.empty() || !FileExists(path) || std::remove(path.c_str()) != 0) {
        dialogs_->Inform(TranslateText("Chyba : Soubor se nepodařilo smazat"));
        return;
    }
    souborJazyka_.clear();
    NovyJazyk(false);
}

bool LanguageDocument::OpravduSkoncit()
{
    return AskToSaveChanges();
}

} // namespace verbaria
