#pragma once

#include "checks/EntryChecks.h"
#include "checks/Finding.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace verbaria::checks {

// The checks of a whole document: every entry's own checks and the accelerators that clash
// within one form. Built once, then kept up to date one edit at a time, so the editor can ask
// for one row's findings after each edit without checking the whole document again.
class DocumentChecks final
{
public:
    // decoder turns the translations' bytes into UTF-8 (see Decoder); codePageName names the
    // language file's code page in messages.
    explicit DocumentChecks(Decoder decoder = {}, std::string codePageName = {});

    void Reset(std::vector<CheckedEntry> entries);
    std::size_t size() const { return entries_.size(); }
    const CheckedEntry &Entry(std::size_t index) const { return entries_[index]; }

    // A new translation of one entry. Returns the entries whose findings may have changed: the
    // entry itself and those whose accelerator it now or before shared.
    std::vector<std::size_t> SetTranslation(std::size_t index, std::string translation);
    // A new original of one entry (another description language, say).
    std::vector<std::size_t> SetOriginal(std::size_t index, std::optional<std::string> original);

    // The findings of one entry, errors first, in the order of CheckId.
    std::vector<Finding> FindingsFor(std::size_t index) const;
    // True while every translated text with a known original is that original: the language is
    // the template's own (the program's own language file), and a text equal to its original is
    // no fault of a translation.
    bool IsOwnLanguage() const
    {
        return translatedWithOriginal_ > 0 && sameAsOriginal_ == translatedWithOriginal_;
    }
    bool HasError(std::size_t index) const;

private:
    struct Accelerators
    {
        char32_t Translation = 0;
        char32_t Original = 0; // 0 also when the original is unknown
    };
    using Letters = std::map<char32_t, std::set<std::size_t>>;

    Accelerators AcceleratorsOf(const CheckedEntry &entry) const;
    // 0 for no translation or no original, 1 for a translation that differs, 2 for the same text.
    char Sameness(const CheckedEntry &entry) const;
    void Count(std::size_t index, int sign);
    // The affected entries, or every entry when the language became or stopped being the own.
    std::vector<std::size_t> WithOwnLanguageChange(bool before, std::vector<std::size_t> affected) const;
    void Unregister(std::size_t index);
    void Register(std::size_t index);
    std::vector<std::size_t> SharingAccelerator(std::size_t index) const;

    Decoder decoder_;
    std::string codePageName_;
    std::vector<CheckedEntry> entries_;
    std::vector<Accelerators> accelerators_;
    std::vector<std::string> forms_;                  // per entry; empty for messages
    std::unordered_map<std::string, Letters> byForm_; // form -> translated accelerator -> entries
    std::vector<char> sameness_;                      // per entry, as Sameness gives it
    std::size_t translatedWithOriginal_ = 0;
    std::size_t sameAsOriginal_ = 0;
};

} // namespace verbaria::checks
