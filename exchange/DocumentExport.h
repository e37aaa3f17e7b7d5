#pragma once

#include "exchange/DocumentCodePages.h"
#include "exchange/ExchangeWriter.h"

#include <QString>

#include <cstddef>
#include <string>

namespace verbaria {
class LanguageDocument;
}

namespace verbaria::exchange {

struct ExportSettings
{
    QString SourceLanguage; // empty: "und"
    QString TargetLanguage; // empty: the language file's LANGUAGE
};

// Writes the document's header and one unit per COMPONENT and MESSAGE entry (the first of each
// number) to writer. Returns "" or the reason, naming the unit, the export cannot go on.
std::string ExportDocument(const LanguageDocument &document, const ExportSettings &settings,
                           ExchangeWriter &writer);

// The original an export writes for the entry at index: the template's text of a message; for a
// component the description language's text when the left column holds one, else the path.
QString SourceOf(const LanguageDocument &document, std::size_t index, const DocumentCodePages &codePages);

} // namespace verbaria::exchange
