#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QMainWindow;
class QTableView;

namespace verbaria {

// The main window's place and its grid's column widths between runs. The settings keep them as
// text ("x,y,width,height" and "left,right"); they are stored only once the user changed them,
// so a run that changed nothing writes back what it read.
class WindowPlacement final
{
public:
    WindowPlacement(QMainWindow &window, QTableView &grid);

    // Room for long texts on a 1280x800 screen, with the task bar and the window frame.
    void SetDefaultSize();
    // Puts the window where the settings say, on a screen that shows it; then what the user
    // sees is what counts as unchanged. afterMove runs when the window was moved.
    void Restore(const std::string &place, const std::string &columns,
                 const std::function<void()> &afterMove);
    // The desktop may still place the window after it is shown; what counts as the user's change
    // starts when it is first active.
    void FirstActivated();
    // The last run's widths stand while the window has the size they were made for.
    void KeepRememberedColumns();
    // The texts to store, or the settings' own values when the user changed nothing.
    void Remember(std::string &place, std::string &columns) const;

private:
    QString GeometryText() const;
    QString ColumnsText() const;

    QMainWindow &window_;
    QTableView &grid_;
    QString geometryAtStart_;
    QString columnsAtStart_;
    bool activatedOnce_ = false;
    std::optional<std::pair<int, int>> rememberedColumns_;
    QSize rememberedFor_;
};

} // namespace verbaria
