#pragma once

#include "editor/core/UserDialogs.h"
#include "formats/FindTemplateFile.h"
#include "formats/LanguageFile.h"
#include "formats/RowNotes.h"
#include "formats/TemplateFile.h"
#include "formats/TrackedOriginals.h"
#include "settings/core/SettingsValues.h"
#include "widgets/GridCells.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace verbaria {

// The header values of the document. The properties dialog shows and edits them; loading fills
// them and saving reads them. Authors are multi-line texts with CR LF line breaks.
struct DocumentHeader
{
    std::string editJazyk;         // LANGUAGE of the language file
    std::string editVerzeJazyka;   // VERSION of the language file
    std::string editSablona;       // DEFINITION: the template's file name
    std::string memoAutorJazyka;   // AUTHOR of the language file
    std::string editProgram;       // PROGRAM of the template
    std::string editVerzeProgramu; // VERSION of the template
    std::string memoAutorProgramu; // AUTHOR of the template
    // The language file's code page as it declares it; empty for the default. The language's
    // values above are in it, the template's in the template's.
    std::string KodovaStranka;
    // The spelling dictionary the translator chose ("cs_CZ"; "none" for no checking); empty: the
    // one the language's name gives. Kept in a comment line of the language file.
    std::string Pravopis;
    // The language's tag (BCP 47, "de-AT") the translator chose or the file carries; empty: the one
    // the language's name gives. Kept in a comment line of the language file.
    std::string JazykovyTag;
    // A Qt program's plural rule ("Plural-Forms=") and writing direction ("Direction="), kept as
    // the file gives them so that a save writes them back.
    std::string PluralForms;
    std::string Direction;
    // Whether the language file remembers the original of each translation: stale translations
    // are then marked and dropped entries kept. It travels with the file.
    bool SledovatOriginaly = false;

    bool operator==(const DocumentHeader &) const = default;
    // The values the properties dialog edits for the language: name, version, template, author.
    bool SameLanguageValues(const DocumentHeader &other) const
    {
        return editJazyk == other.editJazyk && editVerzeJazyka == other.editVerzeJazyka &&
               editSablona == other.editSablona && memoAutorJazyka == other.memoAutorJazyka;
    }
};

// What the info panel under the grid shows for the selected row.
struct InfoPanelTexts
{
    std::string editPuvodniText;
    std::string editVNovemJazyce;
    std::string editNazevKomponenty;
};

// The language document the editor works on: one template's item table, shown in the two-column
// grid with the original texts on the left and the new language on the right, its header values,
// and the file commands on it. No widgets: the windows show this class's state, and every
// question goes through UserDialogs, so the whole document is tested without a display.
class LanguageDocument final
{
public:
    static constexpr int InitialRowCount = 115;
    static constexpr int ColumnOriginal = 0;
    static constexpr int ColumnTranslation = 1;

    LanguageDocument(SettingsValues &settings, UserDialogs &dialogs, const TextService &texts);

    // Where the program lives: the catalogue "programs.ini" beside it serves template look-ups.
    void SetProgramFolder(const std::string &slozkaProgramu);
    const std::string &ProgramFolder() const { return slozkaProgramu_; }
    // Replaces how template look-ups read the catalogue (the catalogue window reloads its list).
    void SetCatalogue(CatalogueTemplates catalogue) { catalogue_ = std::move(catalogue); }
    void SetTextService(const TextService &texts) { texts_ = &texts; }
    void SetDialogs(UserDialogs &dialogs) { dialogs_ = &dialogs; }

    // --- document operations ---------------------------------------------------------------
    // Loads a template into the item table; a template that cannot be found changes nothing but
    // the remembered names. Raises FormatError when the file stops the reading.
    void MapujText(const std::string &templateName);
    // New document: asks to save unsaved edits first (askToSave), then empties the right column
    // and styles every row again; refill also refills the left column from the template. Returns
    // false, changing nothing, when the user wanted the edits saved and they were not.
    bool NovyJazyk(bool refill, bool askToSave = true);
    // Reads a language file into column 0 (description language) or 1 (the language being
    // edited). Raises FormatError when the file stops the reading; lines before it stay applied.
    void NactiJazyk(const std::string &fileName, int mode);
    // The info panel's texts for a row, or nullopt for the heading row and appended rows.
    std::optional<InfoPanelTexts> gridJazykSelectCell(int column, int row) const;
    // After an edit of a cell ended.
    void PolozkaZmenena(int column, int row);
    // Start-up: the last template, a new document, the description language, the last language.
    // An error in one step is reported and the steps after it still run.
    void OpenAtStartup();

    // --- file commands (each reports its own errors) ------------------------------------------
    void NovyJazykCommand();
    // A new language for the registered program whose template is templatePath.
    void NovyVJinemProgramu(const std::string &templatePath);
    void OtevritJazyk();
    // Opens a chosen file: a language file as the open command reads it, a template (".lnd") as
    // a new translation of that template.
    void OtevritSoubor(const std::string &fileName);
    // Work kept aside while it was unsaved: the template and description language it was done
    // on, the copy of the language file, and the file it belonged to.
    struct KeptWork
    {
        std::string Template;
        std::string Description;
        std::string Copy;
        std::string LanguageFile;
        std::string SaveTarget;
    };
    // Puts kept work back as the document, unsaved, belonging to its own file.
    void RestoreKeptWork(const KeptWork &work);
    // Returns true when the file was written.
    bool UlozitJazyk();
    void OtevriZdroj();
    void SmazatJazyk();
    // Asked when the window closes; false keeps the window open (the edits were to be saved and
    // were not).
    bool OpravduSkoncit();
    // Asks "Uložit změny ?" when there are unsaved edits. Returns false when the user answered Yes
    // and the save did not happen: the caller must then stop and leave the document as it is.
    bool AskToSaveChanges();

    // The texts that the windows set after translating themselves: the dialogs' filters.
    void RefreshTranslatedTexts();
    // The texts of the heading row, in the user-interface language.
    void WriteHeadingRow();

    // --- code pages ---------------------------------------------------------------------------
    // By name; the code page of files that declare none is the user's choice or "windows-1250".
    std::string DefaultCodePage() const;
    // The originals' (the template's), the translations' (the language file's, which a save
    // declares unless it is "windows-1250") and the description language's.
    std::string TemplateCodePage() const { return OrDefault(templateInfo_.CodePage); }
    std::string LanguageCodePage() const { return OrDefault(header_.KodovaStranka); }
    std::string DescriptionCodePage() const { return OrDefault(descriptionCodePage_); }
    // Told whenever one of them may have changed (a file was read).
    void SetCodePagesChanged(std::function<void()> handler) { codePagesChanged_ = std::move(handler); }
    // Told the bytes of each language file read into the translations (after its byte order
    // mark), once the document holds what it read: texts, notes and the spelling choice.
    void SetLanguageRead(std::function<void(std::string_view bytes)> handler)
    {
        languageRead_ = std::move(handler);
    }
    // A translation's bytes as UTF-8 text, given the language file's code page: the hash an
    // accepted warning keeps is of the text. Without it bytes are taken as they are.
    void
    SetTextDecoder(std::function<std::string(std::string_view bytes, const std::string &codePage)> decoder)
    {
        textDecoder_ = std::move(decoder);
    }
    // File names are the system's (UTF-8 here), a DEFINITION value is text of the language file's
    // code page: these convert between the two and give nullopt for a name the code page cannot
    // hold. Without them names are taken byte for byte.
    struct FileNameTexts
    {
        std::function<std::optional<std::string>(const std::string &name, const std::string &codePage)>
            ToText;
        std::function<std::optional<std::string>(const std::string &text, const std::string &codePage)>
            ToName;
    };
    void SetFileNameTexts(FileNameTexts texts) { fileNameTexts_ = std::move(texts); }
    // The tag a language's name gives (name in the language file's code page); without it a name
    // gives none.
    void
    SetTagOfName(std::function<std::string(const std::string &name, const std::string &codePage)> tagOfName)
    {
        tagOfName_ = std::move(tagOfName);
    }
    // The language's tag: the one chosen or read, else the one its name gives; empty when neither.
    std::string LanguageTag() const;

    // --- state --------------------------------------------------------------------------------
    const std::vector<TEditorItem> &polozky() const { return polozky_; }
    // The grid rows that show an entry of the template: rows 1 to this (row 0 is the heading).
    int EntryRowCount() const { return std::min(static_cast<int>(polozky_.size()), grid_.RowCount() - 1); }
    // The further plural forms of an entry (the second form first), in the language file's code
    // page; nullptr for none.
    const std::vector<std::string> *FormsOf(std::size_t index) const
    {
        return index < forms_.size() && !forms_[index].empty() ? &forms_[index] : nullptr;
    }
    // Sets the text of further plural form `form` (1 for the second form) of an entry, in the
    // language file's code page; the recorder hears of it first.
    void SetForm(std::size_t index, std::size_t form, std::string text);
    // Replaces all further forms of an entry (an import brings them, undo puts them back).
    void SetForms(std::size_t index, std::vector<std::string> forms);
    // Told the entry before SetForm or SetForms changes its forms.
    void SetFormRecorder(std::function<void(std::size_t index)> recorder)
    {
        formRecorder_ = std::move(recorder);
    }
    // What the template says of an entry's message beyond its text (context, disambiguation, the
    // programmer's comment, whether it has plural forms); nullptr for none.
    const MessageInfo *MessageOf(std::size_t index) const
    {
        if (index >= polozky_.size() || polozky_[index].Message < 0)
            return nullptr;
        return &messages_[static_cast<std::size_t>(polozky_[index].Message)];
    }
    // --- the translator's notes on the rows ------------------------------------------------------
    // Review marks and accepted warnings, by entry number: read with the language file (the
    // document's spelling choice with them, into the header) and saved in it.
    const RowNotes &Notes() const { return notes_; }
    const RowNote *NoteOf(std::int32_t number) const
    {
        const auto found = notes_.find(number);
        return found == notes_.end() ? nullptr : &found->second;
    }
    // Sets the note of an entry; an empty note removes it. The recorder hears of it first.
    void SetNote(std::int32_t number, RowNote note);
    // Marks the entry's translation for review; false when it was marked already.
    bool MarkForReview(std::int32_t number);
    // An entry's note as the history keeps it: the note, and whether its acceptance was read
    // without the text's hash (a save writes it so again while the text stays).
    struct NoteState
    {
        std::optional<RowNote> Note;
        bool UnhashedOnRead = false;
        bool operator==(const NoteState &) const = default;
    };
    NoteState NoteStateOf(std::int32_t number) const;
    void RestoreNote(std::int32_t number, const NoteState &state);
    // Told the entry number before a note changes.
    void SetNoteRecorder(std::function<void(std::int32_t number)> recorder)
    {
        noteRecorder_ = std::move(recorder);
    }
    // The notes as a save writes them: acceptances of a text the entry no longer holds are left
    // out; the others are written as they were read.
    RowNotes NotesToSave() const;
    // The translation of the entry with that number as UTF-8; empty for a number no row has.
    std::string TranslationText(std::int32_t number) const;

    // --- the originals the translations were made from ----------------------------------------
    // What a tracking file records for a translation: the original, and the translation it was
    // recorded with. Once the translation is another text it was made from the template's
    // original of now, so every way of editing (typing, replacing, importing, undoing) keeps the
    // record true without hearing of it.
    struct OriginalRecord
    {
        std::string Original;
        std::string Translation;
        bool operator==(const OriginalRecord &) const = default;
    };
    bool Tracking() const { return header_.SledovatOriginaly; }
    // The template's original of an entry now (a component's form text, else its Text).
    const std::string &CurrentOriginal(std::size_t index) const;
    // The original the entry's translation was made from: the recorded one while the translation
    // is the one recorded with it, else the current one.
    const std::string &MadeFrom(std::size_t index) const;
    // A translation whose original the template has changed since: only in a tracking file.
    bool IsChanged(std::size_t index) const;
    // The old original of a changed entry; nullptr when the entry is not changed.
    const std::string *OldOriginal(std::size_t index) const;
    int ChangedCount() const;
    // Records the current original for the entry's translation: "keep the translation".
    void KeepTranslation(std::size_t index);
    // Records that the entry's translation, as it is now, was made from original.
    void RecordOriginal(std::int32_t number, std::string original);
    std::optional<OriginalRecord> OriginalRecordOf(std::int32_t number) const;
    void RestoreOriginalRecord(std::int32_t number, std::optional<OriginalRecord> record);
    // Told the entry number before its record or obsolete translation changes.
    void SetOriginalRecorder(std::function<void(std::int32_t number)> recorder)
    {
        originalRecorder_ = std::move(recorder);
    }
    // Turns tracking on or off. The translations the last read could not place are kept as
    // obsolete ones either way, and saved once the file tracks.
    void SetTracking(bool tracking);
    // For translations read without a record: the original of the template they were made
    // for (an older version), by number; update uses it.
    void RecordOriginalsFrom(const std::map<std::int32_t, std::string> &originalsByNumber);

    // Translations whose number the template no longer has, saved while the file tracks.
    const std::map<std::int32_t, ObsoleteTranslation> &Obsolete() const { return obsolete_; }
    std::optional<ObsoleteTranslation> ObsoleteOf(std::int32_t number) const;
    void RestoreObsolete(std::int32_t number, std::optional<ObsoleteTranslation> kept);
    // Removes the obsolete translation (all of them for nullopt); the recorder hears of each.
    void RemoveObsolete(std::optional<std::int32_t> number);

    // An untranslated entry whose original is the original of an obsolete translation, or the
    // old original of another entry whose original changed: the translation moved with its text.
    struct MovedOffer
    {
        std::size_t Index = 0;
        std::int32_t From = 0;
        std::string Translation;
    };
    std::vector<MovedOffer> MovedOffers() const;
    std::optional<MovedOffer> MovedOfferFor(std::size_t index) const;

    // Grows each time a template replaces the item table; steps across it cannot be undone.
    std::uint64_t ItemTableGeneration() const { return itemTableGeneration_; }
    std::int32_t pocetKPrekladu() const { return pocetKPrekladu_; }
    bool zmeneno() const { return zmeneno_; }
    void SetZmeneno(bool changed) { zmeneno_ = changed; }
    const std::string &aktualniSablona() const { return aktualniSablona_; }
    const std::string &souborJazyka() const { return souborJazyka_; }
    void SetSouborJazyka(const std::string &file) { souborJazyka_ = file; }
    // The language file this document was read from or saved to, the one a save without a dialog
    // may write; empty after a new language, a read that stopped, a template that could not be
    // read, or a file that was no language file. souborJazyka keeps naming the file the save
    // dialog proposes.
    const std::string &SaveTarget() const { return saveTarget_; }
    void SetSaveTarget(const std::string &file) { saveTarget_ = file; }
    const std::string &souborPopisu() const { return souborPopisu_; }
    const std::string &definiceJazyka() const { return definiceJazyka_; }
    bool startovani() const { return startovani_; }
    void SetStartovani(bool starting) { startovani_ = starting; }

    GridCells &Grid() { return grid_; }
    const GridCells &Grid() const { return grid_; }
    DocumentHeader &Header() { return header_; }
    const DocumentHeader &Header() const { return header_; }
    FileDialogState &OpenDialog() { return openDialog_; }
    FileDialogState &SaveDialog() { return saveDialog_; }
    SettingsValues &Settings() { return settings_; }
    UserDialogs &Dialogs() { return *dialogs_; }
    std::string TranslateText(std::string_view czechUtf8) const { return texts_->TranslateText(czechUtf8); }
    // Tells the user why a command stopped.
    void ReportFailure(const std::exception &error) const;

    // The bytes that a save writes now.
    std::string SavedBytes() const;
    // Index of the first entry with that number, or -1.
    std::int32_t IndexOfNumber(std::int32_t number) const { return index_.IndexOf(number); }

    // FindTemplateFile with this document's catalogue.
    std::string FindTemplate(const std::string &name, const std::string &reference) const;

private:
    void StyleRow(int row, TItemKind kind);
    void EmptyColumnOfTranslatableRows(int column);
    // True when the bytes read as a language file: blank, or holding a header or item line, and
    // no section line of a template.
    bool ReadLanguageLines(const std::string &fileName, std::string_view bytes, int mode);
    // The further plural forms of the language file just read into the translation column.
    void ReadForms(std::string_view bytes);
    // The notes and the spelling choice of the language file just read into the translations.
    void ReadNotes(std::string_view bytes);
    void ClearNotes();
    void ReadTracking(std::string_view bytes);
    std::unordered_map<std::string_view, MovedOffer> MovedSources() const;
    std::optional<MovedOffer> OfferFrom(const std::unordered_map<std::string_view, MovedOffer> &sources,
                                        std::size_t index) const;
    void ClearTracking();
    std::string CellText(std::size_t index) const;
    void SwitchTemplate(const std::string &fileName, int mode);
    std::string OrDefault(const std::string &declared) const
    {
        return declared.empty() ? DefaultCodePage() : declared;
    }
    void CodePagesChanged() const
    {
        if (codePagesChanged_)
            codePagesChanged_();
    }

    SettingsValues &settings_;
    UserDialogs *dialogs_;
    const TextService *texts_;
    std::string slozkaProgramu_;
    CatalogueTemplates catalogue_;

    std::vector<TEditorItem> polozky_;
    std::vector<MessageInfo> messages_;
    // The further plural forms of each entry ("/Form NUMBER INDEX:text" lines of the language
    // file), by entry index; empty for most entries. Saved back after the entry's line.
    std::vector<std::vector<std::string>> forms_;
    std::function<void(std::size_t)> formRecorder_;
    NumberIndex index_;
    std::uint64_t itemTableGeneration_ = 0;
    std::int32_t pocetKPrekladu_ = 0;
    bool zmeneno_ = false;
    bool startovani_ = false;
    std::string aktualniSablona_;
    std::string souborJazyka_;
    std::string saveTarget_;
    std::string souborPopisu_;
    std::string definiceJazyka_;
    TTemplateInfo templateInfo_; // Author in the one-line form
    std::string descriptionCodePage_;
    std::function<void()> codePagesChanged_;
    std::function<void(std::string_view)> languageRead_;
    std::function<std::string(std::string_view, const std::string &)> textDecoder_;
    RowNotes notes_;
    // Notes whose acceptances were read without a hash: saved so again while their text stays.
    std::set<std::int32_t> unhashedOnRead_;
    std::function<void(std::int32_t)> noteRecorder_;
    FileNameTexts fileNameTexts_;
    // The current originals by entry index; the records and obsolete translations by number.
    std::vector<std::string> originals_;
    std::map<std::int32_t, OriginalRecord> records_;
    std::map<std::int32_t, ObsoleteTranslation> obsolete_;
    // Item lines of the last read whose number the template does not have, with their originals.
    std::map<std::int32_t, ObsoleteTranslation> unplaced_;
    std::function<void(std::int32_t)> originalRecorder_;
    std::function<std::string(const std::string &, const std::string &)> tagOfName_;
    // The template's file name when the language file's code page cannot hold it: a save would
    // write it as bytes of another code page, so it refuses until the user gives another name.
    std::optional<std::string> unwritableDefinition_;
    int switchDepth_ = 0;

    GridCells grid_{InitialRowCount};
    DocumentHeader header_;
    FileDialogState openDialog_;
    FileDialogState saveDialog_;
};

} // namespace verbaria
