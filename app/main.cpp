#include "app/EditorApplication.h"
#include "app/EditorWindows.h"
#include "translator/qt/FormOrder.h"

#include <QLoggingCategory>
#include <QTimer>

#include <string>
#include <vector>

using namespace verbaria;

Q_LOGGING_CATEGORY(lcRun, "verbaria.window.run", QtWarningMsg)

int main(int argc, char *argv[])
{
    EditorApplication application(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Verbaria"));
    qt::FormOrder::Track();

    std::vector<std::string> parameters;
    for (const QString &argument : application.arguments().mid(1))
        parameters.push_back(argument.toStdString());

    EditorWindows windows(std::move(parameters));
    application.SetReport(
        [&windows](const std::exception &error) { windows.mainForm.Document().ReportFailure(error); });
    windows.mainForm.show();
    qCDebug(lcRun) << "main window shown";
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &application,
                     [] { qCDebug(lcRun) << "the event loop ends"; });
    // For bench/run.sh and the installation test: start-up to the filled grid, then the
    // ordinary end of the run (which writes the settings).
    if (qEnvironmentVariableIsSet("VERBARIA_QUIT_AFTER_START"))
        QTimer::singleShot(0, &windows.mainForm, &QWidget::close);
    return application.exec();
}
