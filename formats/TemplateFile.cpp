#include "formats/TemplateFile.h"

#include "formats/FileIO.h"
#include "formats/TextRules.h"

#include <algorithm>

namespace verbaria {

namespace {

std::size_t SeparatorPosition(std::string_view line)
{
    const std::size_t equals = line.find('=');
    const std::size_t colon = line.find(':');
    return std::min(equals, colon); // npos when neither is there
}

void ApplyToken(std::string_view token, TemplateFlavour flavour, DefinitionLine &entry)
{
    if (token.front() >= '0' && token.front() <= '9') {
        const std::string upper = UpperAscii(token);
        entry.Param = StrToInt(upper);
        return;
    }
    const std::string upper = UpperAscii(token);
    if (upper == "COMPONENT") {
        entry.Kind = ikComponent;
        ++entry.TranslatableKeywords;
    } else if (upper == "MESSAGE") {
        entry.Kind = ikMessage;
        ++entry.TranslatableKeywords;
    } else if (upper == "COMMENT") {
        entry.Kind = ikComment;
    } else if (upper == "SECTION") {
        entry.Kind = ikSection;
    } else if (flavour == TemplateFlavour::Editor && upper == "INTEGER") {
        entry.ValueType = 1;
    } else if (flavour == TemplateFlavour::Editor && upper == "REAL") {
        entry.ValueType = 2;
    }
}

} // namespace

const char *KindKeyword(TItemKind kind)
{
    switch (kind) {
    case ikComponent:
        return "component";
    case ikMessage:
        return "message";
    case ikComment:
        return "comment";
    case ikSection:
        break;
    }
    return "section";
}

void ParseDefinitionLine(std::string_view line, TemplateFlavour flavour, DefinitionLine &entry)
{
    std::string_view rest = line;
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
        const std::string_view numberPart = line.substr(0, colon);
        rest = line.substr(colon + 1);
        entry.Number = numberPart.empty() ? -1 : StrToInt(numberPart);
    } else {
        entry.Number = -1;
    }

    std::size_t i = 0;
    while (true) {
        while (i < rest.size() && IsBlank(rest[i]))
            ++i;
        if (i >= rest.size())
            break;
        if (rest[i] == '"') {
            const std::size_t close = rest.find('"', i + 1);
            if (close == std::string_view::npos) {
                // Without its closing quote the text is empty and the rest of the line is the quote's.
                entry.Text.clear();
                break;
            }
            entry.Text.assign(rest.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        std::size_t end = i;
        while (end < rest.size() && !IsBlank(rest[end]))
            ++end;
        ApplyToken(rest.substr(i, end - i), flavour, entry);
        i = end;
    }
}

bool StripByteOrderMark(std::string_view &line)
{
    if (!line.starts_with(Utf8ByteOrderMark))
        return false;
    line.remove_prefix(Utf8ByteOrderMark.size());
    return true;
}

TemplateReader::TemplateReader(EditorTemplate &target)
    : editor_(&target)
{
    target.Items.clear();
    target.Messages.clear();
    target.CountToTranslate = 0;
    target.Info.CodePage.clear();
}

TemplateReader::TemplateReader(TranslatorTemplate &target)
    : translator_(&target)
{
    target.Items.clear();
    target.Messages.clear();
    target.Info.CodePage.clear();
}

void TemplateReader::ReadAll(std::string_view bytes)
{
    // An entry a line at most: a large template's table is allocated once, not moved at each
    // doubling.
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    if (editor_)
        editor_->Items.reserve(editor_->Items.size() + lines);
    else
        translator_->Items.reserve(translator_->Items.size() + lines);
    ForEachLine(bytes, [this](std::string_view line) { ReadLine(line); });
}

TemplatePart PartAfterSection(std::string_view line, TemplatePart current)
{
    std::string_view name = line.substr(1);
    if (!name.empty() && name.back() == ']')
        name.remove_suffix(1);
    const std::string upper = UpperAscii(name);
    if (upper == "LANGUAGE")
        return TemplatePart::Header;
    if (upper == "ITEMS")
        return TemplatePart::Items;
    return current;
}

void TemplateReader::ReadLine(std::string_view rawLine)
{
    if (firstLine_) {
        firstLine_ = false;
        if (StripByteOrderMark(rawLine))
            (editor_ ? editor_->Info : translator_->Info).CodePage = "UTF-8";
    }
    const std::string_view line = TrimLeftBlanks(rawLine);
    if (line.empty())
        return;
    if (line.front() == '/') {
        if (part_ == TemplatePart::Items)
            ReadMessageComment(line, pending_);
        return;
    }
    if (line.front() == '[') {
        pending_ = MessageInfo{};
        part_ = PartAfterSection(line, part_);
        return;
    }
    if (part_ == TemplatePart::Items)
        ReadDefinition(line);
    else
        ReadHeaderLine(line);
}

void TemplateReader::ReadHeaderLine(std::string_view line)
{
    const std::size_t separator = SeparatorPosition(line);
    if (separator == std::string_view::npos)
        return;
    const std::string key = UpperAscii(line.substr(0, separator));
    const std::string_view value = line.substr(separator + 1);
    TTemplateInfo &info = editor_ ? editor_->Info : translator_->Info;
    const bool decode = translator_ != nullptr;
    if (key == "PROGRAM")
        info.Program.assign(value);
    else if (key == "VERSION")
        info.Version.assign(value);
    else if (key == "AUTHOR")
        info.Author = decode ? PipeToLineBreaks(value) : std::string(value);
    else if (key == "CODEPAGE")
        info.CodePage.assign(TrimBlanks(value));
}

std::int32_t TemplateReader::TakeMessage(std::vector<MessageInfo> &messages)
{
    if (pending_.Empty())
        return -1;
    messages.push_back(std::move(pending_));
    pending_ = MessageInfo{};
    return static_cast<std::int32_t>(messages.size() - 1);
}

void TemplateReader::ReadDefinition(std::string_view line)
{
    if (editor_) {
        // The entry is in the table before the line is parsed, so a line that stops the reading
        // leaves its entry as far as it was filled.
        TEditorItem &item = editor_->Items.emplace_back();
        item.Message = TakeMessage(editor_->Messages);
        DefinitionLine entry;
        struct Copy
        {
            TEditorItem &item;
            DefinitionLine &entry;
            EditorTemplate &target;
            ~Copy()
            {
                item.Kind = entry.Kind;
                item.Number = entry.Number;
                item.Text = std::move(entry.Text);
                item.ValueType = entry.ValueType;
                item.Param = entry.Param;
                target.CountToTranslate += entry.TranslatableKeywords;
            }
        } copy{item, entry, *editor_};
        ParseDefinitionLine(line, TemplateFlavour::Editor, entry);
        return;
    }
    TTemplateItem &item = translator_->Items.emplace_back();
    item.Message = TakeMessage(translator_->Messages);
    DefinitionLine entry;
    {
        struct Copy
        {
            TTemplateItem &item;
            DefinitionLine &entry;
            ~Copy()
            {
                item.Kind = entry.Kind;
                item.Number = entry.Number;
                item.Text = std::move(entry.Text);
                item.Param = entry.Param;
            }
        } copy{item, entry};
        ParseDefinitionLine(line, TemplateFlavour::Translator, entry);
    }
    if (item.Kind == ikSection || item.Kind == ikComment) {
        if (item.Message >= 0)
            translator_->Messages.pop_back();
        translator_->Items.pop_back();
    }
}

namespace {
template <class Target> bool ReadTemplateFileInto(const std::string &path, Target &target)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    TemplateReader reader(target);
    reader.ReadAll(bytes);
    return true;
}
} // namespace

bool ReadTemplateFile(const std::string &path, EditorTemplate &target)
{
    return ReadTemplateFileInto(path, target);
}

bool ReadTemplateFile(const std::string &path, TranslatorTemplate &target)
{
    return ReadTemplateFileInto(path, target);
}

} // namespace verbaria
