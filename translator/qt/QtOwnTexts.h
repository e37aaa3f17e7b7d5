#pragma once

#include "translator/PluralRule.h"

#include <QString>

#include <memory>
#include <string_view>

class QTranslator;

namespace verbaria::qt {

// Qt's own texts (the buttons of message boxes, the file and colour dialogs) in a program's
// language: the language's name as its file gives it ("Čeština", "Deutsch", "العربية", "cs_CZ")
// chooses Qt's translation of itself (Debian ships it in qt6-translations-l10n). A language Qt has
// no translation for, or English, leaves Qt's own English.
//
//     verbaria::qt::QtOwnTexts qtTexts;   // lives as long as the program shows Qt's dialogs
//     qtTexts.Follow(language, translator->LanguageFile());
class QtOwnTexts final
{
public:
    QtOwnTexts();
    ~QtOwnTexts();
    QtOwnTexts(const QtOwnTexts &) = delete;
    QtOwnTexts &operator=(const QtOwnTexts &) = delete;

    // languageName: the language file's LANGUAGE value; fileName its file name, used when the
    // name says nothing ("czech.lng").
    void Follow(const QString &languageName, const QString &fileName);
    // The locale whose translation is installed now; empty for none.
    QString Locale() const { return locale_; }
    // The language tag ("cs", "ar", "zh_CN") a language's name or file name stands for; empty
    // when neither says.
    static QString LocaleFor(const QString &languageName, const QString &fileName);
    // The plural rule a language file follows: its own Plural-Forms value, else the rule of the
    // language its name or file name stands for.
    static PluralRule PluralRuleFor(std::string_view pluralForms, const QString &languageName,
                                    const QString &fileName);

private:
    std::unique_ptr<QTranslator> translator_;
    QString locale_;
};

} // namespace verbaria::qt
