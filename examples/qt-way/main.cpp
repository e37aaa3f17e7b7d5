#include "MainWindow.h"

#include <QApplication>
#include <QStatusBar>

#include <cstdio>

// verbaria_qt_way [czech|arabic] [--print]
// --print prints the window's texts in the chosen language and ends: a check that needs no eyes.
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    Files::MainWindow window(QStringLiteral(EXAMPLE_LANGUAGES_DIR));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (const QString &argument : arguments) {
        if (!argument.startsWith(QStringLiteral("--")) && !window.UseLanguage(argument))
            return 1;
    }
    if (arguments.contains(QStringLiteral("--print"))) {
        std::printf("%s\n%s\n%s\n", window.windowTitle().toUtf8().constData(),
                    window.statusBar()->currentMessage().toUtf8().constData(),
                    QApplication::layoutDirection() == Qt::RightToLeft ? "RTL" : "LTR");
        return 0;
    }
    window.show();
    return QApplication::exec();
}
