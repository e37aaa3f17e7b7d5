#include "editor/core/AutoCompletion.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace verbaria {

int CompleteTranslations(GridCells &grid, std::string_view placeholder)
{
    const std::vector<std::string> &originals = grid.Column(0);
    const int last = grid.RowCount() - 1;
    auto takesPart = [&](int row) {
        const std::string &original = originals[static_cast<std::size_t>(row)];
        return !original.empty() && original != placeholder;
    };

    // One hash look-up per row: each row learns its group, each group its last row. The originals
    // are not written below, so views into them stay valid.
    const auto rowCount = static_cast<std::size_t>(std::max(0, last + 1));
    std::unordered_map<std::string_view, int> groupOf;
    groupOf.reserve(rowCount);
    std::vector<int> rowGroup(rowCount, -1);
    std::vector<int> lastRowOfGroup;
    for (int row = 1; row <= last; ++row) {
        if (!takesPart(row))
            continue;
        const auto [entry, added] = groupOf.try_emplace(originals[static_cast<std::size_t>(row)],
                                                        static_cast<int>(lastRowOfGroup.size()));
        if (added)
            lastRowOfGroup.push_back(row);
        else
            lastRowOfGroup[static_cast<std::size_t>(entry->second)] = row;
        rowGroup[static_cast<std::size_t>(row)] = entry->second;
    }

    GridBatch batch(grid);
    int changed = 0;
    for (int row = 1; row <= last; ++row) {
        const int group = rowGroup[static_cast<std::size_t>(row)];
        if (group < 0)
            continue;
        const int source = lastRowOfGroup[static_cast<std::size_t>(group)];
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
