#include "editor/ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStringList>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace verbaria {

namespace {

std::optional<std::vector<int>> Numbers(const QString &text, int count)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> numbers;
    for (const QString &part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        numbers.push_back(value);
    }
    return numbers;
}

} // namespace

WindowPlacement::WindowPlacement(QMainWindow &window, QTableView &grid)
    : window_(window)
    , grid_(grid)
{
}

QString WindowPlacement::GeometryText() const
{
    const QRect place = window_.isMaximized() ? window_.normalGeometry() : window_.geometry();
    return QStringLiteral("%1,%2,%3,%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height());
}

QString WindowPlacement::ColumnsText() const
{
    return QStringLiteral("%1,%2").arg(grid_.columnWidth(0)).arg(grid_.columnWidth(1));
}

void WindowPlacement::SetDefaultSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const QSize size(std::min(1040, available.width() - 40), std::min(680, available.height() - 60));
    window_.setGeometry(QRect(available.center() - QPoint(size.width() / 2, size.height() / 2), size));
}

void WindowPlacement::Restore(const std::string &place, const std::string &columns,
                              const std::function<void()> &afterMove)
{
    const QScreen *screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    if (auto numbers = Numbers(QString::fromStdString(place), 4);
        numbers && (*numbers)[2] > 100 && (*numbers)[3] > 100) {
        const QRect wanted((*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]);
        window_.setGeometry(available.intersects(wanted) ? wanted
                                                         : QRect(available.topLeft(), wanted.size()));
        if (afterMove)
            afterMove();
    }
    if (auto widths = Numbers(QString::fromStdString(columns), 2);
        widths && (*widths)[0] > 10 && (*widths)[1] > 10) {
        rememberedColumns_ = std::make_pair((*widths)[0], (*widths)[1]);
        rememberedFor_ = window_.size();
        KeepRememberedColumns();
    }
    geometryAtStart_ = GeometryText();
    columnsAtStart_ = ColumnsText();
}

void WindowPlacement::FirstActivated()
{
    if (activatedOnce_)
        return;
    activatedOnce_ = true;
    geometryAtStart_ = GeometryText();
    columnsAtStart_ = ColumnsText();
}

void WindowPlacement::KeepRememberedColumns()
{
    // A change of size gives both columns the same width again.
    if (!rememberedColumns_)
        return;
    if (window_.size() != rememberedFor_) {
        rememberedColumns_.reset();
        return;
    }
    grid_.setColumnWidth(0, rememberedColumns_->first);
    grid_.setColumnWidth(1, rememberedColumns_->second);
}

void WindowPlacement::Remember(std::string &place, std::string &columns) const
{
    const QString geometry = GeometryText();
    if (!place.empty() || geometry != geometryAtStart_)
        place = geometry.toStdString();
    const QString widths = ColumnsText();
    if (!columns.empty() || widths != columnsAtStart_)
        columns = widths.toStdString();
}

} // namespace verbaria
