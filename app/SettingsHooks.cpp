#include "app/SettingsHooks.h"

#include "settings/core/CommandLine.h"
#include "settings/core/SettingsFile.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TProgramyForm.h"

namespace verbaria {

TMainForm::Hooks SettingsHooks(std::vector<std::string> commandLine, TNastaveniForm &nastaveni,
                               TProgramyForm &programy)
{
    TMainForm::Hooks hooks;
    hooks.ReadSettings = [commandLine = std::move(commandLine), &nastaveni](const std::string &folder,
                                                                            SettingsValues &settings) {
        NactiNastaveni(folder, settings);
        nastaveni.SetAutoDoplnovani(settings.AutomatickeDoplnovani);
        ZpracujParametry(commandLine, settings);
    };
    hooks.WriteSettings = [](const std::string &folder, const SettingsValues &settings) {
        UlozitNastaveni(folder, settings);
    };
    hooks.ChooseProgram = [&programy]() -> std::optional<std::string> {
        const bool chosen = programy.exec() == QDialog::Accepted;
        const int index = programy.SelectedIndex();
        if (!chosen || index < 0)
            return std::nullopt;
        return programy.Entry(index).Template;
    };
    // Reloaded without showing the dialog; an unreadable catalogue reaches the look-up's caller.
    hooks.CatalogueTemplates = [&programy] {
        programy.Zobrazit();
        return programy.Templates();
    };
    hooks.ShowSettings = [&nastaveni] { nastaveni.exec(); };
    return hooks;
}

} // namespace verbaria
