#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace verbaria {

// Qt's own texts (the buttons of message boxes, the file dialogs) in the editor's language: the
// language's name as its file gives it ("Čeština", "Deutsch", ...) chooses Qt's translation of
// itself, which Debian ships in qt6-translations-l10n. A language Qt has no translation for, or
// English, leaves Qt's own English.
class QtOwnTexts final
{
public:
    QtOwnTexts();
    ~QtOwnTexts();
    QtOwnTexts(const QtOwnTexts &) = delete;
    QtOwnTexts &operator=(const QtOwnTexts &) = delete;

    // languageName: the editor's language file's LANGUAGE value; fileName its file name, used when
    // the name says nothing ("czech.lng").
    void Follow(const QString &languageName, const QString &fileName);
    // The locale whose translation is installed now; empty for none.
    QString Locale() const { return locale_; }
    static QString LocaleFor(const QString &languageName, const QString &fileName);

private:
    std::unique_ptr<QTranslator> translator_;
    QString locale_;
};

} // namespace verbaria
