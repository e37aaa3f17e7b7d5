#include "app/MainFormSettingsHost.h"

#include "editor/ui/TMainForm.h"
#include "formats/Paths.h"
#include "settings/core/LanguageList.h"
#include "translator/qt/TKVTranslator.h"

#include <QFile>

namespace verbaria {

MainFormSettingsHost::MainFormSettingsHost(TMainForm &mainForm)
    : mainForm_(mainForm)
{
}

SettingsValues &MainFormSettingsHost::Settings()
{
    return mainForm_.Settings();
}

std::vector<std::string> MainFormSettingsHost::LanguageFiles() const
{
    return ListLanguageFiles(mainForm_.LanguagesFolder());
}

void MainFormSettingsHost::ApplyInterfaceLanguage(const std::string &fileName)
{
    // Before start-up and after the end there is no translator, and nothing to translate.
    qt::TKVTranslator *translator = mainForm_.prekladac();
    if (!translator)
        return;
    const std::string path = mainForm_.LanguagesFolder() + fileName;
    const std::string file = FindFileIgnoringCase(path).value_or(path);
    translator->SetLanguageFile(QFile::decodeName(QByteArray::fromStdString(file)));
    translator->Translate();
}

void MainFormSettingsHost::ApplyCodePages()
{
    mainForm_.ApplyCodePages();
}

} // namespace verbaria
