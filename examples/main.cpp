#include "DemoWindow.h"

#include <QApplication>

#include <cstdio>

// verbaria_example [LANGUAGE.lng] [--print]
// --print translates, prints the window title and ends: a check that needs no eyes.
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    DemoWindow window;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (const QString &argument : arguments) {
        if (argument.endsWith(QStringLiteral(".lng")) && !window.UseLanguage(argument))
            return 1;
    }
    if (arguments.contains(QStringLiteral("--print"))) {
        std::printf("%s\n", window.windowTitle().toUtf8().constData());
        return 0;
    }
    window.show();
    return QApplication::exec();
}
