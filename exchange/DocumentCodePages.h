#pragma once

#include "platform/CodePage.h"

namespace verbaria {
class LanguageDocument;
}

namespace verbaria::exchange {

// The code pages of a document's texts: the template's (originals), the description language's
// (left column) and the language file's (translations).
struct DocumentCodePages
{
    CodePage Originals;
    CodePage Descriptions;
    CodePage Translations;
};

// The one place that decides which code page each text of the document is in.
DocumentCodePages CodePagesOf(const LanguageDocument &document);

} // namespace verbaria::exchange
