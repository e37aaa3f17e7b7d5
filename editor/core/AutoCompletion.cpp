#include "editor/core/AutoCompletion.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace verbaria {

int CompleteTranslations(GridCells &grid, std::string_view placeholder)
{
    const std::vector<std::string> &originals = grid.Column(0);
    const int last = grid.RowCount() - 1;
    if (last < 2)
        return 0;
    const auto rowCount = static_cast<std::size_t>(last + 1);

    // One open-addressed table of groups, each slot holding the hash and the group's first row;
    // the hashes are taken in one pass over the rows first, so the probing pass touches little
    // else than the table. The originals are not written below, so they stay valid.
    std::vector<std::uint32_t> hashes(rowCount, 0);
    const std::hash<std::string_view> hash;
    for (std::size_t row = 1; row < rowCount; ++row) {
        const std::string &original = originals[row];
        if (!original.empty() && original != placeholder) {
            const std::uint64_t full = hash(original);
            hashes[row] = static_cast<std::uint32_t>(full ^ (full >> 32)) | 1; // 0: takes no part
        }
    }
    const std::size_t capacity = std::bit_ceil(rowCount * 2);
    const std::size_t mask = capacity - 1;
    struct Slot
    {
        std::uint32_t Hash = 0;
        std::int32_t FirstRow = 0;
    };
    std::vector<Slot> slots(capacity);
    auto home = [mask](std::uint32_t h) { return static_cast<std::size_t>(h * 0x9E3779B1u) & mask; };
    // For each row its group's first row; for each first row the group's last row.
    std::vector<std::int32_t> firstOf(rowCount, 0);
    std::vector<std::int32_t> lastOf(rowCount, 0);
    bool repeats = false;
    // The table is far larger than the caches: the slot of a row some way ahead is asked for
    // while this one is probed.
    constexpr std::size_t Ahead = 16;
    for (std::size_t row = 1; row < rowCount; ++row) {
        // Three stages ahead: the slot, then the string its group began with, then that
        // string's characters, each asked for once the one before it has arrived.
        if (row + Ahead < rowCount)
            __builtin_prefetch(&slots[home(hashes[row + Ahead])]);
        if (row + Ahead / 2 < rowCount && hashes[row + Ahead / 2] != 0) {
            const std::int32_t first = slots[home(hashes[row + Ahead / 2])].FirstRow;
            if (first != 0)
                __builtin_prefetch(&originals[static_cast<std::size_t>(first)]);
        }
        if (row + Ahead / 4 < rowCount && hashes[row + Ahead / 4] != 0) {
            const std::int32_t first = slots[home(hashes[row + Ahead / 4])].FirstRow;
            if (first != 0)
                __builtin_prefetch(originals[static_cast<std::size_t>(first)].data());
        }
        const std::uint32_t h = hashes[row];
        if (h == 0)
            continue;
        std::size_t at = home(h);
        for (;;) {
            Slot &slot = slots[at];
            if (slot.FirstRow == 0) {
                slot.Hash = h;
                slot.FirstRow = static_cast<std::int32_t>(row);
                break;
            }
            if (slot.Hash == h && originals[static_cast<std::size_t>(slot.FirstRow)] == originals[row]) {
                repeats = true;
                break;
            }
            at = (at + 1) & mask;
        }
        const std::int32_t first = slots[at].FirstRow;
        firstOf[row] = first;
        lastOf[static_cast<std::size_t>(first)] = static_cast<std::int32_t>(row);
    }
    if (!repeats)
        return 0;

    GridBatch batch(grid);
    int changed = 0;
    const std::vector<std::string> &translations = grid.Column(1);
    for (std::size_t row = 1; row < rowCount; ++row) {
        if (row + 8 < rowCount && firstOf[row + 8] != 0)
            __builtin_prefetch(
                &translations[static_cast<std::size_t>(lastOf[static_cast<std::size_t>(firstOf[row + 8])])]);
        if (row + 4 < rowCount && firstOf[row + 4] != 0)
            __builtin_prefetch(
                translations[static_cast<std::size_t>(lastOf[static_cast<std::size_t>(firstOf[row + 4])])]
                    .data());
        const std::int32_t first = firstOf[row];
        if (first == 0)
            continue;
        const auto source = static_cast<std::size_t>(lastOf[static_cast<std::size_t>(first)]);
        if (source == row)
            continue;
        const std::string &translation = grid.Text(1, static_cast<int>(source));
        if (grid.Text(1, static_cast<int>(row)) != translation) {
            grid.AssignText(1, static_cast<int>(row), translation);
            ++changed;
        }
    }
    return changed;
}

} // namespace verbaria
