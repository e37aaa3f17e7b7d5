#include "editor/ui/TAboutForm.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "settings/core/CommandLine.h"
#include "settings/core/SettingsFile.h"
#include "translator/qt/FormOrder.h"

#include <QApplication>
#include <QDialog>

#include <memory>
#include <vector>

using namespace verbaria;

namespace {

// A window that a later version fills; it exists with its name and caption so the run has its
// six windows in their order.
std::unique_ptr<QDialog> PlaceholderWindow(QWidget *owner, const char *name, const char *caption)
{
    auto dialog = std::make_unique<QDialog>(owner);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(QString::fromUtf8(caption));
    return dialog;
}

} // namespace

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
    auto programyForm = PlaceholderWindow(&mainForm, "ProgramyForm", "Dostupné programy");
    auto pridatProgramForm = PlaceholderWindow(&mainForm, "PridatProgramForm", "Přidat nebo upravit program");
    TAboutForm aboutForm(&mainForm);
    auto nastaveniForm = PlaceholderWindow(&mainForm, "NastaveniForm", "Nastavení");

    mainForm.SetPropertiesDialog(&vlastnostiForm);
    mainForm.SetAboutDialog(&aboutForm);
    TMainForm::Hooks hooks;
    hooks.ReadSettings = [parameters](const std::string &folder, SettingsValues &settings) {
        NactiNastaveni(folder, settings);
        ZpracujParametry(parameters, settings);
    };
    hooks.WriteSettings = [](const std::string &folder, const SettingsValues &settings) {
        UlozitNastaveni(folder, settings);
    };
    mainForm.SetHooks(std::move(hooks));

    mainForm.show();
    return application.exec();
}
