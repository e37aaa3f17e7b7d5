#pragma once

#include <QLatin1StringView>

namespace verbaria::exchange::xliff {

inline constexpr QLatin1StringView Namespace12{"urn:oasis:names:tc:xliff:document:1.2"};
inline constexpr QLatin1StringView Namespace11{"urn:oasis:names:tc:xliff:document:1.1"};
inline constexpr QLatin1StringView PropGroup{"verbaria"};
inline constexpr QLatin1StringView PropLanguage{"Language"};
inline constexpr QLatin1StringView PropVersion{"Version"};
inline constexpr QLatin1StringView PropAuthor{"Author"};
inline constexpr QLatin1StringView PropDefinition{"Definition"};
inline constexpr QLatin1StringView PropCodePage{"Codepage"};
inline constexpr QLatin1StringView PropPluralForms{"Plural-Forms"};
inline constexpr QLatin1StringView PropDirection{"Direction"};
inline constexpr QLatin1StringView PropTracking{"Tracking"};
// The original a translation was made from, before the template changed it.
inline constexpr QLatin1StringView AltTransPrevious{"previous-version"};
// A plural message's forms, one unit each, as the representation guide for PO groups them.
inline constexpr QLatin1StringView RestypePlurals{"x-gettext-plurals"};
inline constexpr QLatin1StringView ContextMsgctxt{"x-gettext-msgctxt"};
inline constexpr QLatin1StringView StateTranslated{"translated"};
inline constexpr QLatin1StringView StateNeedsReview{"needs-review-translation"};
inline constexpr QLatin1StringView NoteFrom{"developer"};
inline constexpr QLatin1StringView NoteFromTranslator{"translator"};

} // namespace verbaria::exchange::xliff
