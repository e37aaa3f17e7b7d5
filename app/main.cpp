#include "editor/ui/TAboutForm.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "settings/ui/SettingsHooks.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TPridatProgramForm.h"
#include "settings/ui/TProgramyForm.h"
#include "translator/qt/FormOrder.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <memory>
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

    // The six windows, created in their fixed order; every one lives for the whole run.
    TMainForm mainForm;
    TVlastnostiForm vlastnostiForm(&mainForm);
    TProgramyForm programyForm(mainForm);
    TPridatProgramForm pridatProgramForm(mainForm.Texts(), &mainForm);
    TAboutForm aboutForm(&mainForm);
    TNastaveniForm nastaveniForm(mainForm, programyForm);
    programyForm.SetEntryDialog(&pridatProgramForm);

    mainForm.SetPropertiesDialog(&vlastnostiForm);
    mainForm.SetAboutDialog(&aboutForm);
    mainForm.SetHooks(SettingsHooks(std::move(parameters), nastaveniForm, programyForm));

    mainForm.show();
    // For bench/run.sh: start-up to the filled grid, then quit.
    if (qEnvironmentVariableIsSet("VERBARIA_QUIT_AFTER_START"))
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}
