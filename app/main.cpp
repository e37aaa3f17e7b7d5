#include "editor/ui/TAboutForm.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "settings/core/CommandLine.h"
#include "settings/core/SettingsFile.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TPridatProgramForm.h"
#include "settings/ui/TProgramyForm.h"
#include "translator/qt/FormOrder.h"

#include <QApplication>
#include <QDialog>

#include <memory>
#include <optional>
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
    TMainForm::Hooks hooks;
    hooks.ReadSettings = [parameters, &nastaveniForm](const std::string &folder, SettingsValues &settings) {
        NactiNastaveni(folder, settings);
        nastaveniForm.SetAutoDoplnovani(settings.AutomatickeDoplnovani);
        ZpracujParametry(parameters, settings);
    };
    hooks.WriteSettings = [](const std::string &folder, const SettingsValues &settings) {
        UlozitNastaveni(folder, settings);
    };
    hooks.ChooseProgram = [&programyForm]() -> std::optional<std::string> {
        const bool chosen = programyForm.exec() == QDialog::Accepted;
        const int index = programyForm.SelectedIndex();
        if (!chosen || index < 0)
            return std::nullopt;
        return programyForm.Entry(index).Template;
    };
    hooks.CatalogueTemplates = [&programyForm] {
        programyForm.Zobrazit();
        return programyForm.Templates();
    };
    hooks.ShowSettings = [&nastaveniForm] { nastaveniForm.exec(); };
    mainForm.SetHooks(std::move(hooks));

    mainForm.show();
    return application.exec();
}
