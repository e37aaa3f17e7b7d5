#pragma once

#include "checks/EntryChecks.h"
#include "checks/TranslationMemory.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

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
        // Added as the language without the region asked for ("de" for "de-AT"); its source is
        // named with its tag after the name.
        bool Fallback = false;
    };
    // A language file's tag, from its bytes (its tag line or its language's name); empty: unknown.
    using TagOf = std::function<std::string(std::string_view languageBytes)>;

    MemoryBuilder(TranslationMemory &memory, DecoderOf decoderOf);

    // From now on a file is of the language asked for when its tag is tag, or the tag's language
    // without the region (a fallback); a file whose tag is unknown is compared by its LANGUAGE=.
    void MatchTags(std::string tag, TagOf tagOf)
    {
        tag_ = std::move(tag);
        tagOf_ = std::move(tagOf);
    }

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
    std::string tag_;
    TagOf tagOf_;
};

} // namespace verbaria::checks
