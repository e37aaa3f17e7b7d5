#include "translator/TKVTranslator.h"

#include "formats/FileIO.h"
#include "formats/TextRules.h"

namespace verbaria {

TKVTranslator::TKVTranslator(TComponentTree *components)
    : components_(components)
{
    IndexItems();
}

void TKVTranslator::SetLanguageFile(std::string fileName)
{
    languageFile_ = std::move(fileName);
    if (languageFile_.empty()) {
        // Back to the program's own language.
        EnsureTemplate();
        ClearTranslations();
        languageInfo_ = TLanguageInfo{};
        return;
    }
    LoadLanguage();
}

void TKVTranslator::ClearTranslations()
{
    ++readCount_;
    for (TTemplateItem &item : template_.Items)
        item.Translation.clear();
    for (MessageInfo &message : template_.Messages)
        message.Forms.clear();
}

void TKVTranslator::KeepNameIndexes(bool keep)
{
    keepNameIndexes_ = keep;
    if (keep && !nameIndexes_)
        nameIndexes_ = std::make_unique<std::unordered_map<Component, NameIndex>>();
    else if (!keep)
        nameIndexes_.reset();
}

void TKVTranslator::SetSeparator(std::string_view value)
{
    if (TrimControl(value).empty())
        separator_ = ",";
    else
        separator_.assign(value);
}

void TKVTranslator::IndexItems()
{
    numberIndex_.Build(template_.Items);
    textIndex_.Build(template_.Items);
}

namespace {

std::uint64_t HashText(std::string_view text)
{
    return static_cast<std::uint64_t>(std::hash<std::string_view>{}(text));
}

std::uint32_t TagOf(std::uint64_t hash)
{
    return static_cast<std::uint32_t>(hash >> 32);
}

} // namespace

void TKVTranslator::TextIndex::Build(const std::vector<TTemplateItem> &items)
{
    std::size_t capacity = 16;
    while (capacity < items.size() * 2)
        capacity *= 2;
    slots_.assign(capacity, Slot{});
    mask_ = capacity - 1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view text = items[i].Text;
        const std::uint64_t hash = HashText(text);
        const std::uint32_t tag = TagOf(hash);
        for (std::size_t position = hash & mask_;; position = (position + 1) & mask_) {
            Slot &slot = slots_[position];
            if (slot.Item < 0) {
                slot = Slot{tag, static_cast<std::int32_t>(i)};
                break;
            }
            if (slot.Tag == tag && items[static_cast<std::size_t>(slot.Item)].Text == text)
                break; // the first item with this text keeps the place
        }
    }
}

std::int32_t TKVTranslator::TextIndex::Find(const std::vector<TTemplateItem> &items,
                                            std::string_view text) const
{
    if (slots_.empty())
        return -1;
    const std::uint64_t hash = HashText(text);
    const std::uint32_t tag = TagOf(hash);
    for (std::size_t position = hash & mask_;; position = (position + 1) & mask_) {
        const Slot &slot = slots_[position];
        if (slot.Item < 0)
            return -1;
        if (slot.Tag == tag && items[static_cast<std::size_t>(slot.Item)].Text == text)
            return slot.Item;
    }
}

// Runs a read that may rebuild the table. Even a read that stops at an error has emptied the
// translations, so the language must then be read again rather than be taken as read.
template <class Read> void TKVTranslator::RebuildTable(Read read)
{
    bool rebuilt = false;
    ++readCount_;
    try {
        rebuilt = read();
    } catch (...) {
        IndexItems();
        languageRead_ = false;
        throw;
    }
    if (rebuilt) {
        translationsCodePage_.clear();
        IndexItems();
        templateRead_ = true;
        languageRead_ = false;
    }
}

bool TKVTranslator::LoadTemplate(const std::string &fileName)
{
    bool read = false;
    RebuildTable([&] { return read = ReadTemplateFile(fileName, template_); });
    return read;
}

void TKVTranslator::ParseTemplate()
{
    RebuildTable([&] {
        TemplateReader reader(template_);
        for (const std::string &line : templateLines_)
            reader.ReadLine(line);
        return true;
    });
}

void TKVTranslator::EnsureTemplate()
{
    if (!templateRead_)
        ParseTemplate();
}

void TKVTranslator::LoadLanguage()
{
    EnsureTemplate();
    std::string bytes;
    if (!ReadFileBytes(languageFile_, bytes))
        return;
    std::string codePage = DeclaredCodePage(bytes);
    if (codePage.empty())
        codePage = defaultCodePage_;
    // A new language replaces the previous one: texts it does not translate must not stay in
    // the previous language (nor be taken for texts of another code page).
    ClearTranslations();
    translationsCodePage_ = codePage;
    ++readCount_; // before the read, which may stop half-way
    ReadLanguageBytes(bytes, template_.Items, numberIndex_, languageInfo_);
    if (!template_.Messages.empty())
        ReadPluralForms(bytes, template_, numberIndex_);
    languageRead_ = true;
}

void TKVTranslator::EnsureLanguage()
{
    EnsureTemplate();
    if (!languageRead_)
        LoadLanguage();
}

void TKVTranslator::Translate()
{
    EnsureLanguage();
    if (onBefore_)
        onBefore_(*this);
    // Names are indexed once per owner for the whole pass, so a large form costs one walk, not
    // one walk per entry. The handler above may have built components, hence after it.
    nameIndexes_ = std::make_unique<std::unordered_map<Component, NameIndex>>();
    struct Reset
    {
        TKVTranslator &translator;
        ~Reset()
        {
            if (!translator.keepNameIndexes_)
                translator.nameIndexes_.reset();
        }
    } reset{*this};
    if (components_)
        components_->BeginTranslation();
    for (const TTemplateItem &item : template_.Items) {
        if (item.Kind == ikComponent && !TrimControl(item.Text).empty())
            ApplyItem(item.Text, item.Translation);
    }
    if (components_)
        components_->EndTranslation();
    if (!keepNameIndexes_)
        nameIndexes_.reset();
    if (onAfter_)
        onAfter_(*this);
}

const std::string *TKVTranslator::FindTranslation(std::string_view text)
{
    EnsureLanguage();
    const std::int32_t found = textIndex_.Find(template_.Items, text);
    if (found < 0)
        return nullptr;
    const std::string &translation = template_.Items[static_cast<std::size_t>(found)].Translation;
    return translation.empty() ? nullptr : &translation;
}

std::int32_t TKVTranslator::IndexOfText(std::string_view text)
{
    EnsureLanguage();
    return textIndex_.Find(template_.Items, text);
}

TKVTranslator::Component TKVTranslator::ComponentOfPath(std::string_view path, std::string_view &property)
{
    const Component component = WalkPath(path);
    property = path;
    return component;
}

bool TKVTranslator::SetTranslation(std::int32_t index, std::int32_t form, std::string value)
{
    if (index < 0 || static_cast<std::size_t>(index) >= template_.Items.size() || form < 0)
        return false;
    TTemplateItem &item = template_.Items[static_cast<std::size_t>(index)];
    if (form == 0) {
        item.Translation = std::move(value);
    } else {
        if (item.Message < 0 || static_cast<std::size_t>(item.Message) >= template_.Messages.size())
            return false;
        std::vector<std::string> &forms = template_.Messages[static_cast<std::size_t>(item.Message)].Forms;
        // A plural form beyond any language's count is no form.
        if (form > 16)
            return false;
        if (forms.size() < static_cast<std::size_t>(form))
            forms.resize(static_cast<std::size_t>(form));
        forms[static_cast<std::size_t>(form - 1)] = std::move(value);
    }
    ++readCount_;
    return true;
}

std::string TKVTranslator::TranslateText(std::string_view text)
{
    const std::string *translation = FindTranslation(text);
    return translation ? *translation : std::string(text);
}

void TKVTranslator::TranslateForm(Component form, std::string_view formName)
{
    EnsureLanguage();
    if (!form || !components_)
        return;
    const std::string formKey = UpperAscii(TrimControl(formName));
    const bool ownIndexes = !nameIndexes_;
    if (ownIndexes)
        nameIndexes_ = std::make_unique<std::unordered_map<Component, NameIndex>>();
    struct Reset
    {
        TKVTranslator &translator;
        bool own;
        ~Reset()
        {
            if (own)
                translator.nameIndexes_.reset();
        }
    } reset{*this, ownIndexes};
    for (const TTemplateItem &item : template_.Items) {
        if (item.Kind != ikComponent || item.Translation.empty())
            continue;
        std::string_view path = TrimControl(item.Text);
        const std::size_t dot = path.find('.');
        if (dot == std::string_view::npos || UpperAscii(TrimControl(path.substr(0, dot))) != formKey)
            continue;
        path = path.substr(dot + 1);
        if (const Component component = WalkFrom(form, path))
            SetPropertyValue(component, path, item.Translation);
    }
}

TKVTranslator::Component TKVTranslator::WalkFrom(Component current, std::string_view &path)
{
    path = TrimControl(path);
    for (std::size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
        const std::string_view head = TrimControl(path.substr(0, dot));
        path = TrimControl(path.substr(dot + 1));
        current = FindOwnedComponent(current, head);
    }
    return current;
}

TKVTranslator::Component TKVTranslator::WalkPath(std::string_view &path)
{
    path = TrimControl(path);
    if (path.empty() || !components_)
        return nullptr;
    Component current = components_->Root();
    for (std::size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
        const std::string_view head = TrimControl(path.substr(0, dot));
        path = TrimControl(path.substr(dot + 1));
        current = FindOwnedComponent(current, head);
    }
    return current;
}

void TKVTranslator::ApplyItem(std::string_view path, std::string_view value)
{
    const Component component = WalkPath(path);
    if (!component || value.empty())
        return;
    SetPropertyValue(component, path, value);
}

PropertyKind TKVTranslator::ResolvePath(std::string_view path)
{
    const Component component = WalkPath(path);
    return component ? components_->FindProperty(component, path) : PropertyKind::None;
}

TKVTranslator::Component TKVTranslator::ResolveComponent(std::string_view path, std::string_view &property)
{
    property = path;
    return WalkPath(property);
}

TKVTranslator::Component TKVTranslator::FindOwnedComponent(Component owner, std::string_view name)
{
    if (!owner || !components_)
        return nullptr;
    const std::string key = UpperAscii(name);
    if (nameIndexes_) {
        auto [slot, isNew] = nameIndexes_->try_emplace(owner);
        NameIndex &index = slot->second;
        if (isNew) {
            components_->ForEachOwned(owner, [&index](Component component, std::string_view ownedName) {
                index.try_emplace(UpperAscii(ownedName), component);
                return true;
            });
        }
        const auto found = index.find(key);
        return found == index.end() ? nullptr : found->second;
    }
    Component result = nullptr;
    components_->ForEachOwned(owner, [&](Component component, std::string_view ownedName) {
        if (ownedName.size() != key.size() || UpperAscii(ownedName) != key)
            return true;
        result = component;
        return false;
    });
    return result;
}

void TKVTranslator::SetPropertyValue(Component component, std::string_view property, std::string_view value)
{
    if (!component || !components_)
        return;
    switch (components_->FindProperty(component, property)) {
    case PropertyKind::Text:
        components_->SetText(component, property, value);
        break;
    case PropertyKind::Integer:
        components_->SetInteger(component, property, StrToInt(value));
        break;
    case PropertyKind::StringList:
        SetListProperty(component, property, value);
        break;
    case PropertyKind::None:
    case PropertyKind::Other:
        break;
    }
}

void TKVTranslator::SetListProperty(Component component, std::string_view property, std::string_view value)
{
    if (!component || !components_)
        return;
    std::vector<std::string> lines;
    if (!separator_.empty()) {
        for (std::size_t at = value.find(separator_); at != std::string_view::npos;
             at = value.find(separator_)) {
            lines.emplace_back(TrimControl(value.substr(0, at)));
            value.remove_prefix(at + separator_.size());
        }
    }
    const std::string_view rest = TrimControl(value);
    if (!rest.empty())
        lines.emplace_back(rest);
    components_->SetStringList(component, property, lines);
}

} // namespace verbaria
