#pragma once

#include "checks/Finding.h"
#include "formats/RowNotes.h"

#include <string_view>
#include <vector>

// The rows' notes are kept in the language file (formats/RowNotes.h); the checks read them to
// leave out what the translator accepted.
namespace verbaria::checks {

using verbaria::AcknowledgesText;
using verbaria::ReadRowNotes;
using verbaria::RowNote;
using verbaria::RowNoteLine;
using verbaria::RowNotes;
using verbaria::TextHash;
using verbaria::WithRowNotes;

// findings of translation (UTF-8) without the warnings the note acknowledges for it; errors
// always stay.
std::vector<Finding> WithoutAcknowledged(std::vector<Finding> findings, const RowNote &note,
                                         std::string_view translation);

} // namespace verbaria::checks
