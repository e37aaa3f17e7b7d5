#pragma once

#include <QList>
#include <QWidget>

namespace verbaria::qt {

// The forms of a Qt program in the order they were created, which the translator needs because
// QApplication::topLevelWidgets() has no defined order.
//
// Every QCoreApplication gets, from its constructor on, an application event filter that
// notes the creation (QEvent::Create) of each widget that is a window, and of each widget that
// becomes a window by reparenting. Forms are the windows among the top-level widgets, without
// popups (menus, combo box lists), tool tips and the desktop; a dialog with a parent window is a
// form as well as an object inside its parent. Widgets created before the application (none in
// practice) come first, in the order Qt lists them.
class FormOrder final
{
public:
    static QList<QWidget *> Forms();
    // Installs the tracking on the application; done automatically at application start-up,
    // calling it again does nothing.
    static void Track();
};

} // namespace verbaria::qt
