#pragma once

#include "formats/CatalogueFile.h"

#include <optional>
#include <vector>

namespace verbaria {

// Where the catalogue of registered programs is kept between showings of its dialog. The dialog
// holds the entries while it is open and hands them back when it closes.
class CatalogueStore
{
public:
    virtual ~CatalogueStore() = default;

    // The stored entries in their stored order; nullopt when nothing is stored yet, so the caller
    // keeps what it already holds. Raises InOutError when the catalogue is there but cannot be
    // read.
    virtual std::optional<std::vector<CatalogueEntry>> Read() = 0;
    // Replaces the stored catalogue with entries. Raises InOutError when it cannot be written; the
    // earlier catalogue then stays as it was.
    virtual void Write(const std::vector<CatalogueEntry> &entries) = 0;
};

} // namespace verbaria
