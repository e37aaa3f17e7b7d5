#pragma once

#include "settings/core/SettingsValues.h"

#include <string>
#include <vector>

namespace verbaria {

// What the settings dialog asks of the editor it serves: the settings values it changes, the
// user-interface languages it offers, and the two things that must follow a choice at once.
class SettingsDialogHost
{
public:
    virtual ~SettingsDialogHost() = default;

    virtual SettingsValues &Settings() = 0;
    // The file names of the languages folder's language files, in the order the list shows them.
    virtual std::vector<std::string> LanguageFiles() const = 0;
    // Loads the language file of that name from the languages folder and retranslates the windows.
    virtual void ApplyInterfaceLanguage(const std::string &fileName) = 0;
    // The default code page has changed: the windows show the document's texts through it.
    virtual void ApplyCodePages() = 0;
};

} // namespace verbaria
