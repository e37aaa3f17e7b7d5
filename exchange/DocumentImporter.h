#pragma once

#include "exchange/DocumentCodePages.h"
#include "exchange/ExchangeHeader.h"
#include "exchange/ExchangeUnit.h"

#include <cstddef>
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
    std::size_t NeedingReview() const { return needingReview_; }

private:
    std::string Encode(const QString &text, const std::string &what, std::string &bytes) const;

    LanguageDocument &document_;
    DocumentCodePages codePages_;
    bool ignoreUnknown_;
    std::vector<char> seen_;
    std::vector<std::string> conflicts_;
    std::size_t imported_ = 0;
    std::size_t ignored_ = 0;
    std::size_t needingReview_ = 0;
};

} // namespace verbaria::exchange
