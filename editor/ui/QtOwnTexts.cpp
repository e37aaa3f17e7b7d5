#include "editor/ui/QtOwnTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace verbaria {

namespace {

struct KnownLanguage
{
    const char16_t *names[4];
    const char *locale;
};

// The names a language file is likely to give its language, in its own words and in English.
const KnownLanguage Languages[] = {
    {{u"čeština", u"česky", u"czech", nullptr}, "cs"},
    {{u"slovenčina", u"slovensky", u"slovak", nullptr}, "sk"},
    {{u"deutsch", u"german", nullptr, nullptr}, "de"},
    {{u"polski", u"polish", nullptr, nullptr}, "pl"},
    {{u"русский", u"russian", nullptr, nullptr}, "ru"},
    {{u"українська", u"ukrainian", nullptr, nullptr}, "uk"},
    {{u"français", u"french", nullptr, nullptr}, "fr"},
    {{u"español", u"spanish", nullptr, nullptr}, "es"},
    {{u"italiano", u"italian", nullptr, nullptr}, "it"},
    {{u"magyar", u"hungarian", nullptr, nullptr}, "hu"},
    {{u"português", u"portuguese", nullptr, nullptr}, "pt"},
    {{u"nederlands", u"dutch", nullptr, nullptr}, "nl"},
    {{u"日本語", u"japanese", nullptr, nullptr}, "ja"},
    {{u"中文", u"chinese", nullptr, nullptr}, "zh_CN"},
    {{u"한국어", u"korean", nullptr, nullptr}, "ko"},
};

} // namespace

QtOwnTexts::QtOwnTexts() = default;

QtOwnTexts::~QtOwnTexts()
{
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
}

QString QtOwnTexts::LocaleFor(const QString &languageName, const QString &fileName)
{
    const QString name = languageName.trimmed().toLower();
    const QString base = QFileInfo(fileName).completeBaseName().toLower();
    for (const KnownLanguage &language : Languages) {
        for (const char16_t *known : language.names) {
            if (known && (name == QString::fromUtf16(known) || base == QString::fromUtf16(known)))
                return QString::fromLatin1(language.locale);
        }
    }
    return {};
}

void QtOwnTexts::Follow(const QString &languageName, const QString &fileName)
{
    const QString locale = LocaleFor(languageName, fileName);
    if (locale == locale_)
        return;
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    locale_.clear();
    if (locale.isEmpty())
        return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + locale,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    locale_ = locale;
}

} // namespace verbaria
