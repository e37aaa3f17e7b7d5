#include "editor/core/AutoCompletion.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace verbaria {

int CompleteTranslations(GridCells &grid, std::string_view placeholder)
{
    const std::vector<std::string> &originals = grid.Column(0);
    const int last = grid.RowCount() - 1;
    auto takesPart = [&](int row) {
        const std::string &original = originals[static_cast<std::size_t>(row)];
        return !original.empty() && original != placeholder;
    };

    // The originals are not written below, so views into them stay valid.
    std::unordered_map<std::string_view, int> lastRowOf;
    lastRowOf.reserve(static_cast<std::size_t>(std::max(0, last)));
    for (int row = 1; row <= last; ++row) {
        if (takesPart(row))
            lastRowOf.insert_or_assign(std::string_view(originals[static_cast<std::size_t>(row)]), row);
    }

    GridBatch batch(grid);
    int changed = 0;
    for (int row = 1; row <= last; ++row) {
        if (!takesPart(row))
            continue;
        const int source = lastRowOf.find(originals[static_cast<std::size_t>(row)])->second;
        if (source == row)
            continue;
        const std::string &translation = grid.Text(1, source);
        if (grid.Text(1, row) != translation) {
            grid.SetText(1, row, translation);
            ++changed;
        }
    }
    return changed;
}

} // namespace verbaria
