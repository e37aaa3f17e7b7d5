#pragma once

#include "exchange/DocumentCodePages.h"
#include "exchange/DocumentExport.h"
#include "exchange/ExchangeHeader.h"
#include "exchange/ExchangeUnit.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace verbaria {
class LanguageDocument;
}

namespace verbaria::exchange {

// Puts an exchange file's header and units into a document loaded with the template (and the
// description language the export used). Units are matched by number; a unit without one (a file
// that never was an export of ours) by its context, disambiguation and source, or a component's
// path. The forms of a plural message go into the entry's plural forms. An obsolete unit whose number
// the template lacks goes into the document's obsolete translations; any other is passed over.
class DocumentImporter final
{
public:
    DocumentImporter(LanguageDocument &document, bool ignoreUnknown);

    std::string ApplyHeader(const ExchangeHeader &header);
    std::string ApplyUnit(const ExchangeUnit &unit);

    // Units whose source is not the template's text any more, one line each.
    const std::vector<std::string> &Conflicts() const { return conflicts_; }
    std::size_t Imported() const { return imported_; }
    std::size_t Ignored() const { return ignored_; }
    // Obsolete translations the file carried, kept as the document's own.
    std::size_t Obsolete() const { return obsolete_; }
    std::size_t NeedingReview() const { return reviewNumbers_.size(); }
    // The numbers of the entries whose translation came marked for review (fuzzy, needs-review-*),
    // in the file's order: the document notes them as it notes its own rows waiting for review.
    const std::vector<std::int32_t> &ReviewNumbers() const { return reviewNumbers_; }
    // The translators' comments the file holds, by entry number (UTF-8), in the file's order.
    const std::vector<std::pair<std::int32_t, std::string>> &Comments() const { return comments_; }

private:
    std::string Encode(const QString &text, const std::string &what, std::string &bytes) const;
    // The translation's bytes as the language file holds them; "" or the reason it cannot.
    std::string TranslationBytes(const QString &text, bool escaped, const std::string &what,
                                 std::string &bytes) const;
    // The entry a unit without a number stands for, or -1.
    std::int32_t FindByText(const ExchangeUnit &unit);
    // A translation whose number the template no longer has, into the document's obsolete ones.
    std::string ApplyObsolete(const ExchangeUnit &unit);

    LanguageDocument &document_;
    DocumentCodePages codePages_;
    FormTexts formTexts_;
    bool ignoreUnknown_;
    // Built at the first unit without a number: context, disambiguation and source -> entry.
    std::unordered_map<QString, std::int32_t> byText_;
    bool byTextBuilt_ = false;
    std::vector<char> seen_;
    std::vector<std::string> conflicts_;
    std::size_t imported_ = 0;
    std::size_t ignored_ = 0;
    std::size_t obsolete_ = 0;
    std::vector<std::int32_t> reviewNumbers_;
    std::vector<std::pair<std::int32_t, std::string>> comments_;
};

} // namespace verbaria::exchange
