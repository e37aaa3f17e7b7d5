// The spelling room's readers of outside text: the words of any translation, the dictionary choice
// a language file carries, and a language's name. Whatever the bytes, the words lie inside the
// text in order, a written choice reads back, and nothing crashes.
#include "FuzzSupport.h"
#include "spelling/LanguageNames.h"
#include "spelling/SpellingChoice.h"
#include "spelling/SpellingWords.h"

#include <QString>

using namespace verbaria::spelling;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = AsBytes(data, size);

    std::size_t previousEnd = 0;
    for (const SpellingWord &word : WordsToSpell(bytes)) {
        FUZZ_CHECK(word.Start >= previousEnd && word.Start < word.End && word.End <= bytes.size());
        FUZZ_CHECK(!word.Text.empty() && word.Text.size() <= word.End - word.Start);
        previousEnd = word.End;
    }

    try {
        (void)ReadSpellingChoice(bytes);
        const std::string written = WithSpellingChoice(bytes, "cs_CZ");
        FUZZ_CHECK(ReadSpellingChoice(written) == std::optional<std::string>("cs_CZ"));
    } catch (const std::exception &) {
        // A file the readers refuse (a bad entry number) is refused here too.
    }

    (void)LanguageCodeOfName(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return 0;
}
