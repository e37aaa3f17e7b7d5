#include "tool/FileTexts.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"

namespace verbaria::tool {

namespace {

std::string_view WithoutByteOrderMark(std::string_view bytes)
{
    if (bytes.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark)
        bytes.remove_prefix(Utf8ByteOrderMark.size());
    return bytes;
}

} // namespace

std::string CodePageToUse(const std::string &declared, const std::string &fallback)
{
    // As the editor does: a declaration that names no code page at hand falls back.
    if (declared.empty() || !CodePage::IsKnown(QString::fromStdString(declared)))
        return fallback;
    return declared;
}

checks::Decoder DecoderFor(const std::string &codePageName)
{
    std::optional<CodePage> codePage = CodePage::Named(QString::fromStdString(codePageName));
    if (!codePage)
        throw InOutError("unknown code page '" + codePageName + "'");
    return [codePage = *codePage](std::string_view bytes) { return codePage.Decode(bytes).toStdString(); };
}

LanguageTexts ReadLanguageTexts(const std::string &path, const std::string &fallbackCodePage)
{
    LanguageTexts texts;
    if (!ReadFileBytes(path, texts.Bytes))
        throw InOutError("File not found: " + path);
    texts.CodePage = CodePageToUse(DeclaredCodePage(texts.Bytes), fallbackCodePage);
    texts.Bytes = std::string(WithoutByteOrderMark(texts.Bytes));
    int number = 0;
    ForEachLine(texts.Bytes, [&](std::string_view line) {
        ++number;
        const auto split = SplitLanguageLine(line);
        if (split && split->IsItem)
            texts.Items[split->Number] = ItemLine{std::string(split->Value), number};
    });
    return texts;
}

TemplateTexts ReadTemplateTexts(const std::string &path, const std::string &fallbackCodePage)
{
    TemplateTexts texts;
    if (!ReadFileBytes(path, texts.Bytes))
        throw InOutError("File not found: " + path);
    const bool byteOrderMark = texts.Bytes.starts_with(Utf8ByteOrderMark);
    texts.Bytes = std::string(WithoutByteOrderMark(texts.Bytes));
    TemplateReader(texts.Template).ReadAll(texts.Bytes);
    texts.CodePage = CodePageToUse(byteOrderMark ? "UTF-8" : texts.Template.Info.CodePage, fallbackCodePage);
    return texts;
}

} // namespace verbaria::tool
