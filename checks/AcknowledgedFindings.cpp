#include "checks/RowNotes.h"

namespace verbaria::checks {

std::vector<Finding> WithoutAcknowledged(std::vector<Finding> findings, const RowNote &note,
                                         std::string_view translation)
{
    if (!AcknowledgesText(note, translation))
        return findings;
    std::erase_if(findings, [&](const Finding &finding) {
        return finding.Level() == Severity::Warning && note.Acknowledged.contains(CheckName(finding.Check));
    });
    return findings;
}
} // namespace verbaria::checks
