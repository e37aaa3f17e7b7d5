#pragma once

#include "checks/EntryChecks.h"
#include "checks/TranslationMemory.h"

#include <functional>
#include <map>
#include <string>

namespace verbaria::checks {

// Builds a translation memory from language files, each with the template it names: the one
// reading of the files that the editor's memory and the tool's share. A template serves all its
// languages and is read once.
class MemoryBuilder final
{
public:
    // The decoder to UTF-8 of a code page as a file declares it ("" when it declares none): the
    // caller brings its converter and its fallback.
    using DecoderOf = std::function<Decoder(const std::string &declared)>;

    enum class Outcome {
        Added,
        OtherLanguage,      // LANGUAGE= is not the one asked for
        NoTemplate,         // no template given, none named or the one named not found
        LanguageUnreadable, // the language file could not be read
        TemplateUnreadable, // the template was found but could not be read
    };
    struct Result
    {
        Outcome What = Outcome::Added;
        std::string Template; // the template's path, when one was found
    };

    MemoryBuilder(TranslationMemory &memory, DecoderOf decoderOf);

    // Adds one language file under name (how suggestions name their source). templateFile is its
    // template when given, else the one its DEFINITION names, looked for beside the file. language
    // is the LANGUAGE= the file must have, empty for any. Raises what the readers raise for a file
    // that is not what it claims to be.
    Result Add(const std::string &file, const std::string &name, const std::string &language = {},
               const std::string &templateFile = {});
    // Builds the memory from what was added (TranslationMemory::Build).
    void Finish();

private:
    struct Template
    {
        std::string Bytes; // without a byte-order mark
        Decoder Decode;
    };

    TranslationMemory &memory_;
    DecoderOf decoderOf_;
    std::map<std::string, Template> templates_;
};

} // namespace verbaria::checks
