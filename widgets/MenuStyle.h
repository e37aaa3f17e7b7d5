#pragma once

#include <QProxyStyle>

namespace verbaria {

// Menus with a 24-pixel icon column, so that a menu item shows the same picture as its toolbar button.
class MenuStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    static constexpr int MenuIconSize = 24;

    explicit MenuStyle(QStyle *baseStyle = nullptr);

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};

} // namespace verbaria
