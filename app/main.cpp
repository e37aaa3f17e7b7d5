#include "app/EditorApplication.h"
#include "app/EditorCommandLine.h"
#include "app/EditorWindows.h"
#include "translator/qt/FormOrder.h"

#include <QLoggingCategory>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace verbaria;

Q_LOGGING_CATEGORY(lcRun, "verbaria.window.run", QtWarningMsg)

namespace {

// --help and --version on the terminal, before any window or display exists. Output that did not
// reach its reader (a full disk, a closed pipe) is a failure.
int AnswerOnTerminal(EditorCommandLine::Request request)
{
    if (request == EditorCommandLine::Request::Help)
        std::fputs(EditorUsage(), stdout);
    else
        std::fputs("verbaria " VERBARIA_VERSION "\n", stdout);
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "verbaria: standard output: %s\n", std::strerror(errno ? errno : EIO));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    EditorCommandLine commandLine = ReadEditorCommandLine(argc, argv);
    if (commandLine.request != EditorCommandLine::Request::Run)
        return AnswerOnTerminal(commandLine.request);

    int toolkitArgc = static_cast<int>(commandLine.toolkitArguments.size()) - 1;
    EditorApplication application(toolkitArgc, commandLine.toolkitArguments.data());
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Verbaria"));
    qt::FormOrder::Track();

    // What Qt left of the arguments before "--", then those after it; both decoded alike.
    std::vector<std::string> parameters;
    for (const QString &argument : application.arguments().mid(1))
        parameters.push_back(argument.toStdString());
    for (const std::string &argument : commandLine.fileArguments)
        parameters.push_back(QString::fromLocal8Bit(argument).toStdString());

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
