#pragma once

#include "exchange/DocumentCodePages.h"
#include "exchange/ExchangeHeader.h"
#include "exchange/ExchangeUnit.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace verbaria {
class LanguageDocument;
}

namespace verbaria::exchange {

// Puts an exchange file's header and units into a document loaded with the template (and the
// description language the export used). Units are matched by number only.
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
    std::size_t NeedingReview() const { return reviewNumbers_.size(); }
    // The numbers of the entries whose translation came marked for review (fuzzy, needs-review-*),
    // in the file's order: the document notes them as it notes its own rows waiting for review.
    const std::vector<std::int32_t> &ReviewNumbers() const { return reviewNumbers_; }

private:
    std::string Encode(const QString &text, const std::string &what, std::string &bytes) const;

    LanguageDocument &document_;
    DocumentCodePages codePages_;
    bool ignoreUnknown_;
    std::vector<char> seen_;
    std::vector<std::string> conflicts_;
    std::size_t imported_ = 0;
    std::size_t ignored_ = 0;
    std::vector<std::int32_t> reviewNumbers_;
};

} // namespace verbaria::exchange
