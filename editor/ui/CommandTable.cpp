#include "editor/ui/CommandTable.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QStringList>
#include <QWidget>

namespace verbaria {

namespace {

QAction *ActionNamed(QWidget &window, const char *name)
{
    return name ? window.findChild<QAction *>(QString::fromLatin1(name)) : nullptr;
}

} // namespace

CommandTable::CommandTable(QWidget &window, std::vector<Command> commands)
    : commands_(std::move(commands))
{
    for (const Command &command : commands_) {
        Actions found{ActionNamed(window, command.Menu), ActionNamed(window, command.Tool)};
        QIcon icon;
        if (command.Icon) {
            icon = QIcon::fromTheme(QString::fromLatin1(command.Icon));
            if (icon.isNull() && command.FallbackIcon != QStyle::SP_CustomBase)
                icon = window.style()->standardIcon(command.FallbackIcon, nullptr, &window);
        }
        QList<QKeySequence> keys;
        if (command.Keys) {
            for (const QString &key : QString::fromLatin1(command.Keys).split(QLatin1Char(';')))
                keys << QKeySequence(key);
        }
        for (QAction *action : {found.Menu, found.Tool}) {
            if (!action)
                continue;
            if (!icon.isNull())
                action->setIcon(icon);
            if (command.Run)
                QObject::connect(action, &QAction::triggered, &window, command.Run);
        }
        // The keys belong to the menu entry, which shows them; a toolbar button is a second way
        // to the same command.
        if (found.Menu && !keys.isEmpty()) {
            found.Menu->setShortcuts(keys);
            found.Menu->setShortcutContext(Qt::WindowShortcut);
        }
        actions_.push_back(found);
    }
}

void CommandTable::UpdateEnabled() const
{
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        if (!commands_[i].Enabled)
            continue;
        const bool enabled = commands_[i].Enabled();
        for (QAction *action : {actions_[i].Menu, actions_[i].Tool}) {
            if (action)
                action->setEnabled(enabled);
        }
    }
}

} // namespace verbaria
