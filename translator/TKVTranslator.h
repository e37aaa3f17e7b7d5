#pragma once

#include "formats/CodePageNames.h"
#include "formats/LanguageFile.h"
#include "formats/TemplateFile.h"
#include "translator/TComponentTree.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace verbaria {

// The runtime translator: holds one template and one language file, writes every translated
// component text into the live components (through a TComponentTree) and answers look-ups of
// message texts. Standard C++ only; all texts are bytes in the files' code page.
//
// Reading is lazy: Translate and TranslateText read the Template lines when no template has
// been read yet, then the language file when it has not been read since the template. A missing
// file is not an error and is looked for again at the next use. Reading errors (FormatError:
// ConversionError, InOutError) propagate to the caller; what was read before the error stays.
class TKVTranslator final
{
public:
    using TNotifyEvent = std::function<void(TKVTranslator &sender)>;
    using Component = TComponentTree::Component;

    // components may be nullptr (then Translate writes nowhere); it must outlive the translator
    // or be replaced with SetComponents.
    explicit TKVTranslator(TComponentTree *components = nullptr);
    TKVTranslator(const TKVTranslator &) = delete;
    TKVTranslator &operator=(const TKVTranslator &) = delete;

    TComponentTree *Components() const { return components_; }
    void SetComponents(TComponentTree *components) { components_ = components; }

    // Stores the path, then reads the language file at once. An existing file replaces the
    // translations of the previous one (an entry it lacks has none); an empty path drops every
    // translation, so that Translate gives the components back their own texts. A path that
    // names no file changes nothing.
    const std::string &LanguageFile() const { return languageFile_; }
    void SetLanguageFile(std::string fileName);

    // Template lines, read only when no template has been read yet. Assigning them leaves the
    // table as it is.
    const std::vector<std::string> &Template() const { return templateLines_; }
    void SetTemplate(std::vector<std::string> lines) { templateLines_ = std::move(lines); }

    // Splits list values. A value that trims to nothing (codes 32 and below) stores ",";
    // anything else is stored untrimmed. A new translator splits at ",", as scan joins entries.
    const std::string &Separator() const { return separator_; }
    void SetSeparator(std::string_view value);

    const TNotifyEvent &OnBeforeTranslation() const { return onBefore_; }
    void SetOnBeforeTranslation(TNotifyEvent handler) { onBefore_ = std::move(handler); }
    const TNotifyEvent &OnAfterTranslation() const { return onAfter_; }
    void SetOnAfterTranslation(TNotifyEvent handler) { onAfter_ = std::move(handler); }

    // Reads a template file into Items and TemplateInfo; returns false, changing nothing, when
    // the file does not exist. Afterwards the template is read and the language is not.
    bool LoadTemplate(const std::string &fileName);

    // Writes the translations of all component entries into the components. An integer property
    // whose translation is not a whole number raises ConversionError there: later entries are
    // not applied and OnAfterTranslation is not called.
    void Translate();
    // Writes the component entries whose first segment names formName into form alone (a form
    // created after Translate, or a second copy of a form). The handlers are not called.
    void TranslateForm(Component form, std::string_view formName);

    // The translation of a text in the program's own language (the first entry with exactly
    // this text), or the text itself when there is none or it is empty.
    std::string TranslateText(std::string_view text);
    // As TranslateText, but nullptr when the text has no translation that is not empty. The
    // pointer is valid until the next read.
    const std::string *FindTranslation(std::string_view text);

    // Reads the template and the language file now where they have not been read yet.
    void ReadFiles() { EnsureLanguage(); }

    // The code page of files that declare none, by name; "windows-1250" unless set. Only compared:
    // a language file in another code page than the one before it replaces every translation,
    // so that no earlier text is ever taken for a text of the new code page.
    const std::string &DefaultCodePage() const { return defaultCodePage_; }
    void SetDefaultCodePage(std::string name) { defaultCodePage_ = std::move(name); }

    // Counts the reads of either file (and the dropping of a language), so that a caller can tell
    // when the headers or the translations may have changed.
    std::uint64_t ReadCount() const { return readCount_; }

    bool TemplateRead() const { return templateRead_; }
    bool LanguageRead() const { return languageRead_; }
    const TLanguageTemplate &Items() const { return template_.Items; }
    // What the template says of its messages beyond their texts (contexts, plural forms...):
    // an item's Message indexes it.
    const std::vector<MessageInfo> &Messages() const { return template_.Messages; }
    const TTemplateInfo &TemplateInfo() const { return template_.Info; }
    const TLanguageInfo &LanguageInfo() const { return languageInfo_; }

    // The building blocks of Translate, for callers that apply single paths.
    // Path "Form.component.Property": the first segment names a form owned by the root, the
    // middle ones components owned by the previous one, the last a property. Segments compare
    // without regard to ASCII case; an empty value changes nothing.
    void ApplyItem(std::string_view path, std::string_view value);
    // The property kind that a path reaches, None when a segment names nothing.
    PropertyKind ResolvePath(std::string_view path);
    // The component a path reaches, nullptr when a segment names nothing; property is given the
    // path's last segment, the name of the property.
    Component ResolveComponent(std::string_view path, std::string_view &property);
    Component FindOwnedComponent(Component owner, std::string_view name);
    void SetPropertyValue(Component component, std::string_view property, std::string_view value);
    void SetListProperty(Component component, std::string_view property, std::string_view value);
    // While on, component names are indexed once per owner and kept (Translate does so for its
    // own pass): for many look-ups over components that do not change meanwhile.
    void KeepNameIndexes(bool keep);
    // Index of the first entry of Items with that number, or -1.
    std::int32_t IndexOfNumber(std::int32_t number) const { return numberIndex_.IndexOf(number); }
    // Index of the first entry with exactly this text (what TranslateText answers from), or -1.
    std::int32_t IndexOfText(std::string_view text);
    // The component a path's property belongs to (nullptr when a segment names nothing); property
    // becomes the path's last segment.
    Component ComponentOfPath(std::string_view path, std::string_view &property);

    // Replaces one entry's translation while the program runs (the editor's live link): form 0
    // is the entry's Translation, form k its k-th further plural form. Counts as a read, so that
    // everything that keeps answers of the table asks again. False for an index out of range.
    bool SetTranslation(std::int32_t index, std::int32_t form, std::string value);

private:
    void ParseTemplate();
    void LoadLanguage();
    void EnsureTemplate();
    void EnsureLanguage();
    template <class Read> void RebuildTable(Read read);
    void IndexItems();
    Component WalkPath(std::string_view &path);
    Component WalkFrom(Component current, std::string_view &path);
    void ClearTranslations();

    TComponentTree *components_ = nullptr;
    std::string languageFile_;
    bool languageRead_ = false;
    TranslatorTemplate template_; // Items and TemplateInfo
    bool templateRead_ = false;
    std::string separator_ = ",";
    std::vector<std::string> templateLines_;
    TNotifyEvent onBefore_;
    TNotifyEvent onAfter_;
    TLanguageInfo languageInfo_;
    std::string defaultCodePage_{FallbackCodePageName};
    std::uint64_t readCount_ = 0;
    // The code page the translations in the table were read in; empty before any.
    std::string translationsCodePage_;

    NumberIndex numberIndex_;
    // The items' texts by value, first item wins: open addressing with linear probing over one
    // array of slots, each holding an item's position and the upper half of its text's hash, so
    // that a probe seldom has to touch an item's text.
    class TextIndex final
    {
    public:
        void Build(const std::vector<TTemplateItem> &items);
        // The position of the first item with this text, or -1.
        std::int32_t Find(const std::vector<TTemplateItem> &items, std::string_view text) const;

    private:
        struct Slot
        {
            std::uint32_t Tag = 0;
            std::int32_t Item = -1; // -1: empty
        };
        std::vector<Slot> slots_;
        std::size_t mask_ = 0;
    };
    TextIndex textIndex_;
    // While Translate runs, each owner's components are indexed by upper-cased name once.
    using NameIndex = std::unordered_map<std::string, Component>;
    std::unique_ptr<std::unordered_map<Component, NameIndex>> nameIndexes_;
    bool keepNameIndexes_ = false;
};

} // namespace verbaria
