#include "formats/LanguageFile.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"

namespace verbaria {

std::optional<LanguageLine> SplitLanguageLine(std::string_view line)
{
    if (line.empty() || line.front() == '/')
        return std::nullopt;
    const std::size_t separator = std::min(line.find('='), line.find(':'));
    if (separator == std::string_view::npos || separator == 0)
        return std::nullopt;
    LanguageLine result;
    const std::string_view key = line.substr(0, separator);
    const std::string_view value = line.substr(separator + 1);
    if (key.front() >= '0' && key.front() <= '9') {
        result.IsItem = true;
        result.Key = UpperAscii(TrimBlanks(key));
        result.Number = StrToInt(result.Key);
        result.Value = TrimLeftBlanks(value);
    } else {
        result.Key = UpperAscii(key);
        result.Value = value;
    }
    return result;
}

std::optional<std::int32_t> ItemNumberOf(std::string_view line)
{
    try {
        const auto split = SplitLanguageLine(line);
        if (split && split->IsItem)
            return split->Number;
    } catch (const FormatError &) {
    }
    return std::nullopt;
}

bool IsItemLine(std::string_view line)
{
    try {
        const auto split = SplitLanguageLine(line);
        return split && split->IsItem;
    } catch (const FormatError &) {
        return true; // a broken item line is still where the items begin
    }
}

std::int32_t NumberIndex::IndexOf(std::int32_t number) const
{
    if (useDense_) {
        const std::int64_t offset = static_cast<std::int64_t>(number) - denseBase_;
        if (offset < 0 || offset >= static_cast<std::int64_t>(dense_.size()))
            return -1;
        return dense_[static_cast<std::size_t>(offset)];
    }
    auto it = sparse_.find(number);
    return it == sparse_.end() ? -1 : it->second;
}

std::string DeclaredCodePage(std::string_view bytes)
{
    std::string declared = bytes.starts_with(Utf8ByteOrderMark) ? "UTF-8" : "";
    if (bytes.starts_with(Utf8ByteOrderMark))
        bytes.remove_prefix(Utf8ByteOrderMark.size());
    ForEachLine(bytes, [&](std::string_view line) {
        // Only header lines can declare; most lines are items and are passed over at once.
        if (line.empty() || (line.front() >= '0' && line.front() <= '9') || line.front() == '/')
            return;
        const auto split = SplitLanguageLine(line);
        if (split && !split->IsItem && split->Key == "CODEPAGE")
            declared.assign(TrimBlanks(split->Value));
    });
    return declared;
}

void ReadLanguageBytes(std::string_view bytes, TLanguageTemplate &items, const NumberIndex &index,
                       TLanguageInfo &info)
{
    info.CodePage.clear();
    info.PluralForms.clear();
    info.Direction.clear();
    if (StripByteOrderMark(bytes))
        info.CodePage = "UTF-8";
    ForEachLanguageLine(
        bytes,
        [&](std::string_view key, std::string_view value) {
            if (key == "LANGUAGE")
                info.Language.assign(value);
            else if (key == "VERSION")
                info.Version.assign(value);
            else if (key == "AUTHOR")
                info.Author = PipeToLineBreaks(value);
            else if (key == "DEFINITION")
                info.Definition.assign(value);
            else if (key == "CODEPAGE")
                info.CodePage.assign(TrimBlanks(value));
            else if (key == "PLURAL-FORMS")
                info.PluralForms.assign(TrimBlanks(value));
            else if (key == "DIRECTION")
                info.Direction = UpperAscii(TrimBlanks(value));
        },
        [&](std::int32_t number, std::string_view value) {
            const std::int32_t i = index.IndexOf(number);
            if (i >= 0)
                items[static_cast<std::size_t>(i)].Translation.assign(value);
        });
}

void ReadPluralForms(std::string_view bytes, TranslatorTemplate &table, const NumberIndex &index)
{
    for (MessageInfo &message : table.Messages)
        message.Forms.clear();
    ForEachFormLine(bytes, [&](std::int32_t number, std::size_t form, std::string_view text, int) {
        const std::int32_t i = index.IndexOf(number);
        if (i < 0)
            return;
        const std::int32_t m = table.Items[static_cast<std::size_t>(i)].Message;
        if (m < 0 || !table.Messages[static_cast<std::size_t>(m)].Plural)
            return;
        std::vector<std::string> &forms = table.Messages[static_cast<std::size_t>(m)].Forms;
        if (forms.size() < form)
            forms.resize(form);
        forms[form - 1] = text;
    });
}

std::string LanguageHeaderValue(std::string_view bytes, std::string_view key)
{
    std::string found;
    ForEachLanguageLine(
        bytes,
        [&](std::string_view lineKey, std::string_view value) {
            if (lineKey == key)
                found.assign(value);
        },
        [](std::int32_t, std::string_view) {});
    return found;
}

bool ReadLanguageFile(const std::string &path, TLanguageTemplate &items, const NumberIndex &index,
                      TLanguageInfo &info)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    ReadLanguageBytes(bytes, items, index, info);
    return true;
}

std::string FormatLanguageFile(const LanguageHeader &header, std::span<const TEditorItem> items,
                               std::span<const std::string> translations,
                               std::span<const std::vector<std::string>> forms)
{
    RefuseLineBreak(header.Language, "Language");
    RefuseLineBreak(header.Version, "Version");
    RefuseLineBreak(header.Definition, "Definition");
    RefuseLineBreak(header.CodePage, "Codepage");
    std::string out;
    std::size_t estimate = 128;
    for (std::size_t i = 0; i < items.size() && i < translations.size(); ++i)
        estimate += translations[i].size() + 9;
    out.reserve(estimate);
    auto headerLine = [&out](std::string_view key, std::string_view value) {
        if (value.empty())
            return;
        out.append(key);
        out.append(value);
        out.append("\r\n");
    };
    headerLine("Language=", header.Language);
    headerLine("Version=", header.Version);
    headerLine("Author=", LineBreaksToPipe(header.Author));
    headerLine("Definition=", header.Definition);
    if (!header.CodePage.empty() && UpperAscii(header.CodePage) != "WINDOWS-1250")
        headerLine("Codepage=", header.CodePage);
    RefuseLineBreak(header.PluralForms, "Plural-Forms");
    RefuseLineBreak(header.Direction, "Direction");
    headerLine("Plural-Forms=", header.PluralForms);
    headerLine("Direction=", header.Direction);
    for (std::size_t i = 0; i < items.size() && i < translations.size(); ++i) {
        const TEditorItem &item = items[i];
        if (item.Kind != ikComponent && item.Kind != ikMessage)
            continue;
        if (item.Number < 0)
            continue;
        if (!translations[i].empty()) {
            RefuseLineBreak(translations[i], "entry " + std::to_string(item.Number));
            out.append(PadNumber(item.Number, 5));
            out.push_back(':');
            out.append(translations[i]);
            out.append("\r\n");
        }
        if (i < forms.size()) {
            for (std::size_t form = 0; form < forms[i].size(); ++form) {
                if (forms[i][form].empty())
                    continue;
                RefuseLineBreak(forms[i][form], "entry " + std::to_string(item.Number));
                out.append(FormatFormLine(item.Number, form + 1, forms[i][form]));
                out.append("\r\n");
            }
        }
    }
    return out;
}

} // namespace verbaria
