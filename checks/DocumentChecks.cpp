#include "checks/DocumentChecks.h"

#include "checks/Utf8.h"

#include "formats/TextRules.h"

#include <algorithm>

namespace verbaria::checks {

namespace {

std::string FormSpelling(std::string_view path)
{
    return std::string(TrimControl(path.substr(0, path.find('.'))));
}

} // namespace

DocumentChecks::DocumentChecks(Decoder decoder, std::string codePageName)
    : decoder_(std::move(decoder))
    , codePageName_(std::move(codePageName))
{
}

void DocumentChecks::Reset(std::vector<CheckedEntry> entries)
{
    entries_ = std::move(entries);
    accelerators_.assign(entries_.size(), {});
    forms_.assign(entries_.size(), {});
    byForm_.clear();
    sameness_.assign(entries_.size(), 0);
    translatedWithOriginal_ = 0;
    sameAsOriginal_ = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].Kind == ikComponent)
            forms_[i] = FormOf(entries_[i].Path);
        Register(i);
        Count(i, +1);
    }
}

char DocumentChecks::Sameness(const CheckedEntry &entry) const
{
    if (entry.Translation.empty() || !entry.Original || entry.Original->empty())
        return 0;
    const std::string translation = decoder_ ? decoder_(entry.Translation) : entry.Translation;
    return translation == *entry.Original ? 2 : 1;
}

void DocumentChecks::Count(std::size_t index, int sign)
{
    if (sign > 0)
        sameness_[index] = Sameness(entries_[index]);
    const char sameness = sameness_[index];
    if (sameness == 0)
        return;
    translatedWithOriginal_ = sign > 0 ? translatedWithOriginal_ + 1 : translatedWithOriginal_ - 1;
    if (sameness == 2)
        sameAsOriginal_ = sign > 0 ? sameAsOriginal_ + 1 : sameAsOriginal_ - 1;
}

std::vector<std::size_t> DocumentChecks::WithOwnLanguageChange(bool before,
                                                               std::vector<std::size_t> affected) const
{
    if (before == IsOwnLanguage())
        return affected;
    std::vector<std::size_t> every(entries_.size());
    for (std::size_t i = 0; i < every.size(); ++i)
        every[i] = i;
    return every;
}

DocumentChecks::Accelerators DocumentChecks::AcceleratorsOf(const CheckedEntry &entry) const
{
    Accelerators result;
    if (entry.Kind != ikComponent || entry.Translation.empty())
        return result;
    result.Translation =
        AcceleratorOf(DecodeUtf8(decoder_ ? decoder_(entry.Translation) : entry.Translation));
    if (entry.Original)
        result.Original = AcceleratorOf(DecodeUtf8(*entry.Original));
    return result;
}

void DocumentChecks::Register(std::size_t index)
{
    accelerators_[index] = AcceleratorsOf(entries_[index]);
    if (accelerators_[index].Translation != 0)
        byForm_[forms_[index]][accelerators_[index].Translation].insert(index);
}

void DocumentChecks::Unregister(std::size_t index)
{
    const char32_t letter = accelerators_[index].Translation;
    if (letter == 0)
        return;
    auto form = byForm_.find(forms_[index]);
    if (form == byForm_.end())
        return;
    auto entries = form->second.find(letter);
    if (entries != form->second.end()) {
        entries->second.erase(index);
        if (entries->second.empty())
            form->second.erase(entries);
    }
}

std::vector<std::size_t> DocumentChecks::SharingAccelerator(std::size_t index) const
{
    std::vector<std::size_t> result;
    const char32_t letter = accelerators_[index].Translation;
    if (letter == 0)
        return result;
    const auto form = byForm_.find(forms_[index]);
    if (form == byForm_.end())
        return result;
    const auto entries = form->second.find(letter);
    if (entries != form->second.end())
        result.assign(entries->second.begin(), entries->second.end());
    return result;
}

std::vector<std::size_t> DocumentChecks::SetTranslation(std::size_t index, std::string translation)
{
    const bool ownBefore = IsOwnLanguage();
    std::vector<std::size_t> affected = SharingAccelerator(index);
    Unregister(index);
    Count(index, -1);
    entries_[index].Translation = std::move(translation);
    Register(index);
    Count(index, +1);
    const std::vector<std::size_t> now = SharingAccelerator(index);
    affected.insert(affected.end(), now.begin(), now.end());
    affected.push_back(index);
    std::sort(affected.begin(), affected.end());
    affected.erase(std::unique(affected.begin(), affected.end()), affected.end());
    return WithOwnLanguageChange(ownBefore, std::move(affected));
}

std::vector<std::size_t> DocumentChecks::SetOriginal(std::size_t index, std::optional<std::string> original)
{
    const bool ownBefore = IsOwnLanguage();
    Count(index, -1);
    entries_[index].Original = std::move(original);
    Count(index, +1);
    std::vector<std::size_t> affected = SharingAccelerator(index);
    Unregister(index);
    Register(index);
    affected.push_back(index);
    std::sort(affected.begin(), affected.end());
    affected.erase(std::unique(affected.begin(), affected.end()), affected.end());
    return WithOwnLanguageChange(ownBefore, std::move(affected));
}

std::vector<Finding> DocumentChecks::FindingsFor(std::size_t index) const
{
    std::vector<Finding> findings = CheckEntry(entries_[index], decoder_, codePageName_);
    if (IsOwnLanguage())
        std::erase_if(findings,
                      [](const Finding &finding) { return finding.Check == CheckId::SameAsOriginal; });
    // The clash is told at the later of two entries, naming the first; where the originals clash
    // the same way, the translation only keeps what the program already has.
    const Accelerators &mine = accelerators_[index];
    for (std::size_t other : SharingAccelerator(index)) {
        if (other >= index)
            break;
        const Accelerators &theirs = accelerators_[other];
        if (mine.Original != 0 && mine.Original == theirs.Original)
            continue;
        std::string letter;
        AppendUtf8(letter, mine.Translation);
        findings.push_back(
            Finding{CheckId::AcceleratorClash,
                    {letter, std::to_string(entries_[other].Number), FormSpelling(entries_[index].Path)}});
        break;
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding &a, const Finding &b) { return a.Check < b.Check; });
    return findings;
}

bool DocumentChecks::HasError(std::size_t index) const
{
    const std::vector<Finding> findings = FindingsFor(index);
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding &f) { return f.Level() == Severity::Error; });
}

} // namespace verbaria::checks
