#pragma once

#include "checks/DocumentChecks.h"
#include "checks/RowNotes.h"
#include "checks/ScannedTexts.h"

#include <QString>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace verbaria {

class LanguageDocument;
class TextService;

// The live checks of the open document, row by row, and the translator's notes on its rows (the
// warnings accepted, the rows waiting for review). Rows are grid rows: entry i is row i + 1.
class RowChecks final
{
public:
    // The notes are the document's: the checks read them and mark rows through it.
    explicit RowChecks(LanguageDocument &document)
        : document_(document)
    {
    }

    // Brings the checks up to the document: everything anew when the item table or a code page
    // changed, else the rows first..last. Returns the first and last row whose findings may differ
    // (first > last when none).
    std::pair<int, int> Refresh(const LanguageDocument &document, int first, int last);

    // What the row shows: its findings without the acknowledged warnings.
    std::vector<checks::Finding> Shown(int row) const;
    bool HasError(int row) const;
    bool NeedsReview(int row) const;
    bool HasProblem(int row) const { return NeedsReview(row) || !Shown(row).empty(); }
    // The row's messages in the user's language, one a line, errors first.
    QString Messages(int row, const TextService &texts) const;
    // The message of a check in the user's language, %1... not yet filled.
    static std::string Message(checks::CheckId check, const TextService &texts);
    // The finding's arguments as its message shows them in the user's language.
    static std::vector<std::string> Arguments(const checks::Finding &finding, const TextService &texts);

    // The original the row's translation is checked against (UTF-8), when known.
    std::optional<std::string> Original(int row) const;
    bool IsEmpty(int row) const;
    // The text the form holds for a component row, as the template's "/Text=" line tells it (bytes
    // of the template's code page); nullopt when the template does not say.
    std::optional<std::string_view> FormText(int row) const;

    const checks::RowNotes &Notes() const;
    // The entry number of a row; -1 for rows that are no entry.
    std::int32_t NumberOf(int row) const;
    // Accepts every warning the row shows now and ends its review; false when there was nothing.
    bool Acknowledge(int row);
    // Marks the row's translation for review (taken from a near miss of the memory, imported as
    // fuzzy).
    void MarkForReview(int row);
    // How many rows wait for review.
    int ReviewCount() const;

private:
    std::optional<std::string> OriginalOf(const LanguageDocument &document, std::size_t index) const;
    // The row's translation as UTF-8.
    std::string TranslationOf(int row) const;

    LanguageDocument &document_;
    checks::DocumentChecks checks_;
    checks::Decoder languageDecoder_;
    std::uint64_t generation_ = ~std::uint64_t{0};
    std::string codePages_;
    std::size_t rows_ = 0;
    checks::ScannedTexts scanned_;
    std::string templateBytes_; // the scanned texts are views into it
};

} // namespace verbaria
