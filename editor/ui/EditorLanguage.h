#pragma once

#include "translator/qt/QtOwnTexts.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

namespace verbaria {

namespace qt {
class TKVTranslator;
}
class TranslatorTexts;

// The language the editor speaks itself: its own translator over "glotra11.lnd" and the chosen
// language file of its languages folder, the texts built in code, and Qt's own buttons and
// dialogs in the same language.
class EditorLanguage final
{
public:
    explicit EditorLanguage(TranslatorTexts &texts);
    ~EditorLanguage();
    EditorLanguage(const EditorLanguage &) = delete;
    EditorLanguage &operator=(const EditorLanguage &) = delete;

    // Makes the translator, a child of window, and translates the windows into the chosen
    // language ("czech.lng" when none is chosen or the chosen one is missing). Errors of the
    // translator's reads reach reportError.
    void Start(QObject &window, const std::string &languagesFolder, const std::string &chosenLanguage,
               std::function<void(const QString &)> reportError);
    // After the settings chose another language: Qt's own texts follow it.
    void FollowWithQtTexts();
    // The end of the run: the texts built in code stay Czech from now on.
    void End();

    qt::TKVTranslator *Translator() const { return translator_; }

private:
    TranslatorTexts &texts_;
    qt::QtOwnTexts qtTexts_;
    QPointer<qt::TKVTranslator> translator_;
};

} // namespace verbaria
