#include "spelling/DictionaryCatalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace verbaria::spelling {

namespace {

// Where a language's main variant is not its own code twice over (cs_CZ, de_DE, fr_FR).
const char *const MainVariants[][2] = {
    {"en", "en_US"}, {"uk", "uk_UA"}, {"sv", "sv_SE"}, {"da", "da_DK"}, {"el", "el_GR"}, {"nb", "nb_NO"},
    {"sl", "sl_SI"}, {"sr", "sr_RS"}, {"et", "et_EE"}, {"ca", "ca_ES"}, {"he", "he_IL"}, {"ar", "ar_SA"},
    {"be", "be_BY"}, {"eu", "eu_ES"}, {"gl", "gl_ES"}, {"ga", "ga_IE"},
};

} // namespace

QStringList DictionaryCatalogue::StandardFolders()
{
    const QString chosen = qEnvironmentVariable(FoldersVariable);
    if (!chosen.isEmpty())
        return chosen.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("hunspell"),
                                     QStandardPaths::LocateDirectory);
}

DictionaryCatalogue::DictionaryCatalogue(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QFileInfo &affix :
             dir.entryInfoList({QStringLiteral("*.aff")}, QDir::Files | QDir::Readable)) {
            Dictionary dictionary;
            dictionary.Code = affix.completeBaseName();
            dictionary.AffixFile = affix.absoluteFilePath();
            dictionary.WordsFile = dir.absoluteFilePath(dictionary.Code + QStringLiteral(".dic"));
            // A hyphenation or thesaurus file has no word list beside it.
            if (!QFileInfo(dictionary.WordsFile).isReadable() || Find(dictionary.Code))
                continue;
            dictionaries_.push_back(std::move(dictionary));
        }
    }
    std::sort(dictionaries_.begin(), dictionaries_.end(),
              [](const Dictionary &a, const Dictionary &b) { return a.Code < b.Code; });
}

const Dictionary *DictionaryCatalogue::Find(const QString &code) const
{
    for (const Dictionary &dictionary : dictionaries_) {
        if (dictionary.Code.compare(code, Qt::CaseInsensitive) == 0)
            return &dictionary;
    }
    return nullptr;
}

const Dictionary *DictionaryCatalogue::ForLanguage(const QString &languageCode) const
{
    if (languageCode.isEmpty())
        return nullptr;
    if (const Dictionary *exact = Find(languageCode))
        return exact;
    const QString language = languageCode.section(u'_', 0, 0).toLower();
    QString main = language + u'_' + language.toUpper();
    for (const auto &variant : MainVariants) {
        if (language == QLatin1String(variant[0]))
            main = QLatin1String(variant[1]);
    }
    if (const Dictionary *found = Find(main))
        return found;
    if (const Dictionary *found = Find(language))
        return found;
    const QString prefix = language + u'_';
    for (const Dictionary &dictionary : dictionaries_) {
        if (dictionary.Code.startsWith(prefix, Qt::CaseInsensitive))
            return &dictionary;
    }
    return nullptr;
}

} // namespace verbaria::spelling
