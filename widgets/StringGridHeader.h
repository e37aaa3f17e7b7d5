#pragma once

#include <QHeaderView>

namespace verbaria {

// The grid's fixed heading row: drawn flat in the colours the model gives for it, with grid lines
// around it, and with column borders the user can drag.
class StringGridHeader final : public QHeaderView
{
    Q_OBJECT

public:
    explicit StringGridHeader(QWidget *parent = nullptr);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};

} // namespace verbaria
