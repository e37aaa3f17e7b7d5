#include "widgets/StringGridHeader.h"

#include "widgets/StringGridDelegate.h"

#include <QPainter>

namespace verbaria {

StringGridHeader::StringGridHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionResizeMode(QHeaderView::Interactive);
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void StringGridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid() || !model())
        return;
    QBrush background = model()->headerData(logicalIndex, orientation(), Qt::BackgroundRole).value<QBrush>();
    if (background.style() == Qt::NoBrush)
        background = palette().brush(QPalette::Button);
    QBrush foreground = model()->headerData(logicalIndex, orientation(), Qt::ForegroundRole).value<QBrush>();
    const QColor text =
        foreground.style() == Qt::NoBrush ? palette().color(QPalette::ButtonText) : foreground.color();
    const auto line = static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, this));

    painter->save();
    painter->fillRect(rect, background);
    painter->setPen(QColor::fromRgba(line));
    // Lines right and below like the cells, plus the outer frame line on the left and on top.
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (logicalIndex == logicalIndexAt(0))
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->drawLine(rect.topLeft(), rect.topRight());
    painter->setPen(text);
    painter->setClipRect(rect);
    painter->drawText(rect.adjusted(StringGridDelegate::TextMargin, 0, -StringGridDelegate::TextMargin, -1),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString());
    painter->restore();
}

} // namespace verbaria
