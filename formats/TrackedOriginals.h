#pragma once

#include "formats/TemplateFile.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A language file may remember, for each translation, the original it was made from, so that a
// new version of the program's template shows which translations have gone stale, and a
// translation whose entry the template dropped is kept instead of lost. Everything lives in
// comment lines, which every reader of language files skips:
//
//     /Tracking: originals               the file tracks its originals (above the first item)
//     /Original 00012:Uložit změny ?     the original entry 12's translation was made from,
//     00012:Save changes ?               directly above (or above its notes) the item line
//     /Original 00040:Zavřít             at the end: a translation whose number the template no
//     /Obsolete 00040:Close              longer has, with its original
//     /Obsolete-Form 00040 1:Closes      and, for a plural message, its further forms
//
// The original is the template's own bytes (its code page): the message's text, or a component's
// form text as scan notes it ("/Text="), else its path. A file without the tracking line is read
// and written exactly as before.
namespace verbaria {

// A translation the template no longer has an entry for.
struct ObsoleteTranslation
{
    std::string Original;
    std::string Translation;
    std::vector<std::string> Forms{}; // a plural message's further forms, the second form first
    bool operator==(const ObsoleteTranslation &) const = default;
};

struct TrackedOriginals
{
    bool Tracking = false;
    std::map<std::int32_t, std::string> Originals;        // by the number of an item line
    std::map<std::int32_t, ObsoleteTranslation> Obsolete; // by the number the template dropped
    bool operator==(const TrackedOriginals &) const = default;
};

// What a language file remembers. Originals of numbers with no item line are left out.
TrackedOriginals ReadTrackedOriginals(std::string_view languageBytes);

// languageBytes (a language file as the editor saves it) with the tracking line, each item's
// original above its line and the obsolete translations at the end; earlier lines of these kinds
// are dropped. Without Tracking it only drops them: a file that never tracked keeps its bytes.
std::string WithTrackedOriginals(std::string_view languageBytes, const TrackedOriginals &tracked);

// The original a translation of each entry is made from, by entry index: a component's form
// text when the template notes one ("/Text=" above it), else the entry's Text.
std::vector<std::string> TemplateOriginals(std::string_view templateBytes,
                                           const std::vector<TEditorItem> &items);

// True for the comment lines this record writes (for readers that pass them over).
bool IsTrackingLine(std::string_view line);

} // namespace verbaria
