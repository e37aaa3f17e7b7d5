#pragma once

#include <QStyle>

#include <functional>
#include <utility>
#include <vector>

class QAction;
class QWidget;

namespace verbaria {

// One command of the main window: the actions that give it (a menu entry and maybe a toolbar
// button, named as the editor's own template knows them), its picture, its keys, what it does
// and when it can be used.
struct Command
{
    Command(const char *menu, const char *tool, const char *icon, QStyle::StandardPixmap fallbackIcon,
            const char *keys, std::function<void()> run, std::function<bool()> enabled = {})
        : Menu(menu)
        , Tool(tool)
        , Icon(icon)
        , FallbackIcon(fallbackIcon)
        , Keys(keys)
        , Run(std::move(run))
        , Enabled(std::move(enabled))
    {
    }

    const char *Menu = nullptr;
    const char *Tool = nullptr;
    // The desktop theme's picture, or the style's own where the theme has none; no picture when
    // Icon is null.
    const char *Icon = nullptr;
    QStyle::StandardPixmap FallbackIcon = QStyle::SP_CustomBase;
    // Its keys, the alternatives separated by ';' ("Ctrl+Shift+Z;Ctrl+Y").
    const char *Keys = nullptr;
    std::function<void()> Run;
    // When the command can be used; always when empty.
    std::function<bool()> Enabled;
};

// The commands of a window in one table: each is bound once, with its picture and keys, to the
// actions of its name; a key given twice is a fault of the table (the test of the window's keys
// finds it).
class CommandTable final
{
public:
    // Binds every command to the window's actions of its names; the actions stay the window's.
    CommandTable(QWidget &window, std::vector<Command> commands);

    // Enables each command's actions as its test says now.
    void UpdateEnabled() const;
    const std::vector<Command> &Commands() const { return commands_; }

private:
    struct Actions
    {
        QAction *Menu = nullptr;
        QAction *Tool = nullptr;
    };

    std::vector<Command> commands_;
    std::vector<Actions> actions_;
};

} // namespace verbaria
