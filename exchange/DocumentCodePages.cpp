#include "exchange/DocumentCodePages.h"

#include "editor/core/LanguageDocument.h"

namespace verbaria::exchange {

DocumentCodePages CodePagesOf(const LanguageDocument &document)
{
    return {CodePage::ForDeclared(document.TemplateCodePage()),
            CodePage::ForDeclared(document.DescriptionCodePage()),
            CodePage::ForDeclared(document.LanguageCodePage())};
}

} // namespace verbaria::exchange
