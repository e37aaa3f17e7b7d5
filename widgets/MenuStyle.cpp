#include "widgets/MenuStyle.h"

#include <QMenu>
#include <QStyleOptionMenuItem>

namespace verbaria {

MenuStyle::MenuStyle(QStyle *baseStyle)
    : QProxyStyle(baseStyle)
{
}

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    // Menus ask for the small icon size both to size their icon column and to draw the icons.
    const bool inMenu =
        qobject_cast<const QMenu *>(widget) || qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (metric == PM_SmallIconSize && inMenu)
        return MenuIconSize;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace verbaria
