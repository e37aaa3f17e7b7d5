#pragma once

#include "checks/DocumentChecks.h"
#include "checks/RowNotes.h"
#include "checks/ScannedTexts.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QObject;

namespace verbaria {

class LanguageDocument;
class TextService;

// The live checks of the open document, row by row, and the translator's notes on its rows (the
// warnings accepted, the rows waiting for review). Rows are grid rows: entry i is row i + 1.
class RowChecks final
{
public:
    // The notes are the document's: the checks read them and mark rows through it.
    explicit RowChecks(LanguageDocument &document);
    // Waits for a pass under way.
    ~RowChecks();

    // Brings the checks up to the document: everything anew when the item table or a code page
    // changed, else the rows first..last. Returns the first and last row whose findings may differ
    // (first > last when none). A document of many rows is checked anew off the window's thread:
    // until that pass is in, Pending() is true, the rows show no findings, and the answers that
    // need them all (HasProblem, NeedsReview, Acknowledge...) wait for it.
    std::pair<int, int> Refresh(const LanguageDocument &document, int first, int last);
    bool Pending() const { return scheduled_ || pending_.valid(); }
    // ended runs on context's thread once a pass off the window's thread is in: every row's marks
    // may have changed.
    void SetPassEnded(QObject *context, std::function<void()> ended);

    // What the row shows: its findings without the acknowledged warnings (none while pending).
    std::vector<checks::Finding> Shown(int row) const;
    bool HasError(int row) const;
    bool NeedsReview(int row) const;
    bool HasProblem(int row) const { return NeedsReview(row) || !Shown(row).empty(); }
    // The row's messages in the user's language, one a line, errors first; none while pending.
    QString Messages(int row, const TextService &texts) const;
    // The message of a check in the user's language, %1... not yet filled.
    static std::string Message(checks::CheckId check, const TextService &texts);
    // The finding's arguments as its message shows them in the user's language.
    static std::vector<std::string> Arguments(const checks::Finding &finding, const TextService &texts);

    // The original the row's translation is checked against (UTF-8), when known (not while
    // pending).
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
    struct Snapshot;
    struct Pass;
    // Reads the template's scanned texts and checks every entry: what a full pass does, on either
    // thread.
    static Snapshot TakeSnapshot(const LanguageDocument &document);
    static std::unique_ptr<Pass> Run(Snapshot snapshot);
    void StartPass();
    void Install(std::unique_ptr<Pass> pass);
    // Takes in the pass under way, waiting for it.
    void Settle() const;
    // The incremental refresh of the rows first..last (see Refresh).
    std::pair<int, int> RefreshRows(const LanguageDocument &document, int first, int last);
    std::optional<std::string> OriginalOf(const LanguageDocument &document, std::size_t index,
                                          bool describedBySelf) const;
    // The row's translation as UTF-8.
    std::string TranslationOf(int row) const;

    LanguageDocument &document_;
    checks::DocumentChecks checks_;
    checks::Decoder languageDecoder_;
    std::uint64_t generation_ = ~std::uint64_t{0};
    std::string codePages_;
    std::size_t rows_ = 0;
    checks::ScannedTexts scanned_;
    std::unique_ptr<std::string> templateBytes_; // the scanned texts are views into it
    checks::Decoder templateDecoder_;
    checks::Decoder descriptionDecoder_;
    std::vector<char> described_; // per entry: whether its original is the description's
    // The full pass to start once the window's thread is free, or under way off it, and what
    // happened meanwhile.
    bool scheduled_ = false;
    std::future<std::unique_ptr<Pass>> pending_;
    std::shared_ptr<unsigned> passNumber_ = std::make_shared<unsigned>(0);
    const LanguageDocument *pendingDocument_ = nullptr;
    int editedFirst_ = 1 << 30; // rows refreshed while pending, to be refreshed again once it is in
    int editedLast_ = -1;
    QObject *passContext_ = nullptr;
    std::function<void()> passEnded_;
};

} // namespace verbaria
