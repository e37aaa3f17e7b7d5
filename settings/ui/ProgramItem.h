#pragma once

#include <QStandardItem>

namespace verbaria {

// The name cell of a catalogue entry: the entries sort by it in the desktop's word order.
class ProgramItem final : public QStandardItem
{
public:
    using QStandardItem::QStandardItem;

    bool operator<(const QStandardItem &other) const override;
};

} // namespace verbaria
