#include "app/EditorWindows.h"
#include "translator/qt/FormOrder.h"

#include <QApplication>
#include <QTimer>

#include <string>
#include <vector>

using namespace verbaria;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Verbaria"));
    qt::FormOrder::Track();

    std::vector<std::string> parameters;
    for (const QString &argument : application.arguments().mid(1))
        parameters.push_back(argument.toStdString());

    EditorWindows windows(std::move(parameters));
    windows.mainForm.show();
    // For bench/run.sh: start-up to the filled grid, then quit.
    if (qEnvironmentVariableIsSet("VERBARIA_QUIT_AFTER_START"))
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}
