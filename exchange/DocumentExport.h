#pragma once

#include "exchange/DocumentCodePages.h"
#include "exchange/ExchangeWriter.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace verbaria {
class LanguageDocument;
}

namespace verbaria::exchange {

struct ExportSettings
{
    QString SourceLanguage; // empty: "und"
    QString TargetLanguage; // empty: the language file's LANGUAGE
    // Whether the translation of the entry numbered so waits for review (its note says so): it
    // goes out marked for review, so that it comes back marked.
    std::function<bool(std::int32_t number)> NeedsReview;
};

// Writes the document's header and one unit per COMPONENT and MESSAGE entry (the first of each
// number) to writer. Returns "" or the reason, naming the unit, the export cannot go on.
std::string ExportDocument(const LanguageDocument &document, const ExportSettings &settings,
                           ExchangeWriter &writer);

// The original an export writes for the entry at index: the template's text of a message; for a
// component the description language's text when the left column holds one, else the path.
QString SourceOf(const LanguageDocument &document, std::size_t index, const DocumentCodePages &codePages);

} // namespace verbaria::exchange
