#include "translator/qt/QtOwnTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

namespace verbaria::qt {

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
    {{u"العربية", u"arabic", nullptr, nullptr}, "ar"},
    {{u"עברית", u"hebrew", nullptr, nullptr}, "he"},
    {{u"فارسی", u"persian", u"farsi", nullptr}, "fa"},
    {{u"اردو", u"urdu", nullptr, nullptr}, "ur"},
    {{u"svenska", u"swedish", nullptr, nullptr}, "sv"},
    {{u"dansk", u"danish", nullptr, nullptr}, "da"},
    {{u"suomi", u"finnish", nullptr, nullptr}, "fi"},
    {{u"norsk", u"norwegian", nullptr, nullptr}, "nb"},
    {{u"türkçe", u"turkish", nullptr, nullptr}, "tr"},
    {{u"ελληνικά", u"greek", nullptr, nullptr}, "el"},
    {{u"български", u"bulgarian", nullptr, nullptr}, "bg"},
    {{u"hrvatski", u"croatian", nullptr, nullptr}, "hr"},
    {{u"slovenščina", u"slovenian", u"slovene", nullptr}, "sl"},
    {{u"lietuvių", u"lithuanian", nullptr, nullptr}, "lt"},
    {{u"latviešu", u"latvian", nullptr, nullptr}, "lv"},
    {{u"română", u"romanian", nullptr, nullptr}, "ro"},
    {{u"gaeilge", u"irish", nullptr, nullptr}, "ga"},
};

// A name that is a tag already: "cs", "cs_CZ", "pt-BR".
bool IsTag(const QString &name)
{
    static const QRegularExpression tag(QStringLiteral("^[a-z]{2,3}([_-][A-Za-z]{2,4})?$"));
    return tag.match(name).hasMatch();
}

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
    for (const QString &said : {name, base}) {
        for (const KnownLanguage &language : Languages) {
            for (const char16_t *known : language.names) {
                if (known && said == QString::fromUtf16(known))
                    return QString::fromLatin1(language.locale);
            }
        }
    }
    for (const QString &said : {languageName.trimmed(), QFileInfo(fileName).completeBaseName()}) {
        if (IsTag(said))
            return said;
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
    if (locale.isEmpty() || locale == QStringLiteral("en") || locale.startsWith(QStringLiteral("en_")))
        return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + locale,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    locale_ = locale;
}

PluralRule QtOwnTexts::PluralRuleFor(std::string_view pluralForms, const QString &languageName,
                                     const QString &fileName)
{
    if (std::optional<PluralRule> rule = PluralRule::Parse(pluralForms))
        return *std::move(rule);
    return PluralRule::ForLanguage(LocaleFor(languageName, fileName).toStdString());
}

} // namespace verbaria::qt
