#pragma once

#include "editor/core/LanguageDocument.h"
#include "platform/CodePage.h"

#include <QFile>

namespace verbaria {

// The code page each kind of the document's text is in, as the windows decode it: the template's
// originals, the description language's texts and the language file's translations. A declared
// name the program does not know gives the user's default.
inline CodePage TemplateCodePageOf(const LanguageDocument &document)
{
    return CodePage::ForDeclared(document.TemplateCodePage());
}

inline CodePage LanguageCodePageOf(const LanguageDocument &document)
{
    return CodePage::ForDeclared(document.LanguageCodePage());
}

inline CodePage DescriptionCodePageOf(const LanguageDocument &document)
{
    return CodePage::ForDeclared(document.DescriptionCodePage());
}

// File names written into the header (the template's name in a language file) as the file's code
// page holds them, and read back into the system's file names.
inline LanguageDocument::FileNameTexts FileNameTextsInCodePages()
{
    LanguageDocument::FileNameTexts names;
    names.ToText = [](const std::string &name, const std::string &codePage) {
        return CodePage::ForDeclared(codePage).Encode(QFile::decodeName(QByteArray::fromStdString(name)));
    };
    names.ToName = [](const std::string &text, const std::string &codePage) -> std::optional<std::string> {
        return QFile::encodeName(CodePage::ForDeclared(codePage).Decode(text)).toStdString();
    };
    return names;
}

} // namespace verbaria
