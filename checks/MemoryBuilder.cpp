#include "checks/MemoryBuilder.h"

#include "checks/MemoryInput.h"
#include "formats/FileIO.h"
#include "formats/FindTemplateFile.h"
#include "formats/LanguageFile.h"
#include "formats/LanguageTag.h"
#include "formats/Paths.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"

namespace verbaria::checks {

namespace {

// The code page a template declares, from its header lines alone: its items are read once, later,
// from the decoded text.
std::string DeclaredTemplateCodePage(std::string_view bytes)
{
    EditorTemplate header;
    TemplateReader reader(header);
    bool items = true; // as the reader starts
    ForEachLine(bytes, [&](std::string_view line) {
        const std::string_view trimmed = TrimLeftBlanks(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            std::string_view name = trimmed.substr(1);
            if (!name.empty() && name.back() == ']')
                name.remove_suffix(1);
            const std::string upper = UpperAscii(name);
            items = upper == "ITEMS" || (upper != "LANGUAGE" && items);
        } else if (items) {
            return;
        }
        reader.ReadLine(line);
    });
    return header.Info.CodePage;
}

} // namespace

MemoryBuilder::MemoryBuilder(TranslationMemory &memory, DecoderOf decoderOf)
    : memory_(memory)
    , decoderOf_(std::move(decoderOf))
{
}

MemoryBuilder::Result MemoryBuilder::Add(const std::string &file, const std::string &name,
                                         const std::string &language, const std::string &templateFile)
{
    Result result;
    std::string bytes;
    if (!ReadFileBytes(file, bytes)) {
        result.What = Outcome::LanguageUnreadable;
        return result;
    }
    std::string_view content = bytes;
    StripByteOrderMark(content);
    const std::string fileTag = !tag_.empty() && tagOf_ ? tagOf_(content) : std::string();
    if (!fileTag.empty()) {
        // By tag: the same language and region, or the language alone for a region's language.
        const std::string primary = PrimaryLanguageOf(tag_);
        result.Fallback = !EqualsIgnoringAsciiCase(fileTag, tag_) && primary != tag_ &&
                          EqualsIgnoringAsciiCase(fileTag, primary);
        if (!result.Fallback && !EqualsIgnoringAsciiCase(fileTag, tag_)) {
            result.What = Outcome::OtherLanguage;
            return result;
        }
    } else if (!language.empty() && LanguageHeaderValue(content, "LANGUAGE") != language) {
        result.What = Outcome::OtherLanguage;
        return result;
    }
    result.Template = templateFile;
    if (result.Template.empty()) {
        const std::string definition = LanguageHeaderValue(content, "DEFINITION");
        if (!definition.empty())
            result.Template = FindTemplateFile(definition, file, [] { return std::vector<std::string>(); });
    }
    if (result.Template.empty()) {
        result.What = Outcome::NoTemplate;
        return result;
    }
    auto found = templates_.find(result.Template);
    if (found == templates_.end()) {
        Template read;
        if (!ReadFileBytes(NativePath(result.Template), read.Bytes)) {
            result.What = Outcome::TemplateUnreadable;
            return result;
        }
        std::string_view templateContent = read.Bytes;
        const bool byteOrderMark = StripByteOrderMark(templateContent);
        read.Bytes = std::string(templateContent);
        read.Decode = decoderOf_(byteOrderMark ? std::string("UTF-8") : DeclaredTemplateCodePage(read.Bytes));
        found = templates_.emplace(result.Template, std::move(read)).first;
    }
    AddLanguageFile(memory_, memory_.AddFile(result.Fallback ? name + " [" + fileTag + "]" : name),
                    found->second.Bytes, content, found->second.Decode, decoderOf_(DeclaredCodePage(bytes)));
    return result;
}

void MemoryBuilder::Finish()
{
    memory_.Build();
}

} // namespace verbaria::checks
