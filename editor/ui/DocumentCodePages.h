#pragma once

#include "editor/core/LanguageDocument.h"
#include "platform/CodePage.h"

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

} // namespace verbaria
