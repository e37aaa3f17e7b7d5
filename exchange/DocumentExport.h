#pragma once

#include "exchange/DocumentCodePages.h"
#include "exchange/ExchangeWriter.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

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
    // The translator's comment on the entry numbered so (UTF-8, its note's), or "".
    std::function<std::string(std::int32_t number)> Comment;
    // The language's tag as the runtime translator takes it from the language file ("cs"): its
    // plural rule is the one the forms follow where the file names none. Empty: the target
    // language is taken for a tag.
    QString LanguageTag;
};

// The text the form holds of each component entry, as scan notes it above the entry ("/Text="),
// by number: bytes of the template's code page in the one-line form. Read from the document's
// template file; empty when it has none.
using FormTexts = std::unordered_map<std::int32_t, std::string>;
FormTexts ReadFormTexts(const LanguageDocument &document);

// Writes the document's header and one unit per COMPONENT and MESSAGE entry (the first of each
// number) to writer. Returns "" or the reason, naming the unit, the export cannot go on.
std::string ExportDocument(const LanguageDocument &document, const ExportSettings &settings,
                           ExchangeWriter &writer);

// The original an export writes for the entry at index: for a message the template's exact text;
// for a component the description language's text when the left column holds one, else the
// form's text when the template notes it, else the path.
QString SourceOf(const LanguageDocument &document, std::size_t index, const DocumentCodePages &codePages,
                 const FormTexts &formTexts);

} // namespace verbaria::exchange
