#include "editor/ui/EditorLanguage.h"

#include "editor/ui/TranslatorTexts.h"
#include "formats/Paths.h"
#include "platform/CodePage.h"
#include "translator/qt/TKVTranslator.h"

namespace verbaria {

EditorLanguage::EditorLanguage(TranslatorTexts &texts)
    : texts_(texts)
{
}

EditorLanguage::~EditorLanguage()
{
    End();
}

void EditorLanguage::Start(QObject &window, const std::string &languagesFolder,
                           const std::string &chosenLanguage,
                           std::function<void(const QString &)> reportError)
{
    translator_ = new qt::TKVTranslator(&window);
    translator_->setObjectName(QStringLiteral("prekladac"));
    // The editor's own languages are in the program's code page, whatever the documents' are.
    translator_->SetCodePage(QLatin1String(CodePage::FallbackName));
    QObject::connect(translator_, &qt::TKVTranslator::ErrorOccurred, &window,
                     [reportError = std::move(reportError)](const QString &message) {
                         if (reportError)
                             reportError(message);
                     });
    const std::string editorTemplate =
        FindFileIgnoringCase(languagesFolder + "glotra11.lnd").value_or(languagesFolder + "glotra11.lnd");
    translator_->LoadTemplate(QString::fromStdString(editorTemplate));
    std::string language = languagesFolder + "czech.lng";
    if (!chosenLanguage.empty()) {
        if (auto chosen = FindFileIgnoringCase(languagesFolder + NativePath(chosenLanguage)))
            language = *chosen;
        else if (auto czech = FindFileIgnoringCase(languagesFolder + "czech.lng"))
            language = *czech;
    }
    translator_->SetLanguageFile(QString::fromStdString(language));
    texts_.SetTranslator(translator_);
    translator_->Translate();
    FollowWithQtTexts();
}

void EditorLanguage::FollowWithQtTexts()
{
    if (!translator_)
        return;
    const std::string &language = translator_->Core().LanguageInfo().Language;
    qtTexts_.Follow(translator_->LanguageCodePage().Decode(language), translator_->LanguageFile());
}

void EditorLanguage::End()
{
    texts_.SetTranslator(nullptr);
    delete translator_;
}

} // namespace verbaria
