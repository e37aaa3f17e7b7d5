#pragma once

#include "settings/ui/SettingsDialogHost.h"

namespace verbaria {

class TMainForm;

// The main window as the settings dialog sees it: its settings values, the languages of its
// languages folder and its translator.
class MainFormSettingsHost final : public SettingsDialogHost
{
public:
    explicit MainFormSettingsHost(TMainForm &mainForm);

    SettingsValues &Settings() override;
    std::vector<std::string> LanguageFiles() const override;
    void ApplyInterfaceLanguage(const std::string &fileName) override;
    void ApplyCodePages() override;

private:
    TMainForm &mainForm_;
};

} // namespace verbaria
