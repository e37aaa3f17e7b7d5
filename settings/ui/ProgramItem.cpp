#include "settings/ui/ProgramItem.h"

#include "settings/ui/ProgramNameOrder.h"

namespace verbaria {

bool ProgramItem::operator<(const QStandardItem &other) const
{
    // One collator for the run: making one per comparison would cost more than the sort.
    static const ProgramNameOrder order;
    return order.Less(text(), other.text());
}

} // namespace verbaria
