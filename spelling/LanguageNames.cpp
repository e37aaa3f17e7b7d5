#include "spelling/LanguageNames.h"

#include "platform/CodePage.h"

#include <QHash>
#include <QStringList>

namespace verbaria::spelling {

namespace {

struct Names
{
    const char *Code;
    const char *Spellings; // blank-separated, UTF-8
};

// The names translators give their languages: their own, then English, German, French and the
// Czech and Polish ones (the editor's users), then the ISO code.
const Names Languages[] = {
    {"cs", "čeština česky český czech tschechisch tchèque checo ceco czeski cs cz"},
    {"sk", "slovenčina slovensky slovenský slovak slowakisch slovaque slovenština slowacki sk"},
    {"pl", "polski polsky polský polish polnisch polonais polština pl"},
    {"en", "english englisch anglais inglés inglese angličtina anglicky anglický angielski en"},
    {"de", "deutsch german allemand alemán tedesco němčina německy německý niemiecki de"},
    {"fr", "français french französisch francés francese francouzština francouzsky francuski fr"},
    {"es", "español castellano spanish spanisch espagnol spagnolo španělština španělsky hiszpański es"},
    {"it", "italiano italian italienisch italien italština italsky włoski it"},
    {"hu", "magyar hungarian ungarisch hongrois maďarština maďarsky węgierski hu"},
    {"ru", "русский russian russisch russe ruso russo ruština rusky rosyjski ru"},
    {"uk", "українська ukrainian ukrainisch ukrainien ukrajinština ukrajinsky ukraiński uk"},
    {"be", "беларуская belarusian weißrussisch biélorusse běloruština białoruski be"},
    {"bg", "български bulgarian bulgarisch bulgare bulharština bułgarski bg"},
    {"sr", "српски srpski serbian serbisch serbe srbština serbski sr"},
    {"hr", "hrvatski croatian kroatisch croate chorvatština chorwacki hr"},
    {"sl", "slovenščina slovenian slowenisch slovène slovinština słoweński sl"},
    {"nl", "nederlands dutch niederländisch néerlandais nizozemština holandština niderlandzki nl"},
    {"pt", "português portuguese portugiesisch portugais portugalština portugalski pt"},
    {"sv", "svenska swedish schwedisch suédois švédština szwedzki sv"},
    {"da", "dansk danish dänisch danois dánština duński da"},
    {"nb", "norsk bokmål norwegian norwegisch norvégien norština norweski nb no"},
    {"fi", "suomi finnish finnisch finnois finština fiński fi"},
    {"et", "eesti estonian estnisch estonien estonština estoński et"},
    {"lv", "latviešu latvian lettisch letton lotyština łotewski lv"},
    {"lt", "lietuvių lithuanian litauisch lituanien litevština litewski lt"},
    {"ro", "română romanian rumänisch roumain rumunština rumuński ro"},
    {"el", "ελληνικά greek griechisch grec řečtina grecki el"},
    {"tr", "türkçe turkish türkisch turc turečtina turecki tr"},
    {"ca", "català catalan katalanisch katalánština kataloński ca"},
    {"eu", "euskara basque baskisch baskičtina baskijski eu"},
    {"gl", "galego galician galicisch galicijština galicyjski gl"},
    {"he", "עברית hebrew hebräisch hébreu hebrejština hebrajski he"},
    {"ar", "العربية arabic arabisch arabe arabština arabski ar"},
    {"is", "íslenska icelandic isländisch islandais islandština islandzki is"},
    {"ga", "gaeilge irish irisch irlandais irština irlandzki ga"},
};

// Words that name the country of a language's variant: "English (UK)", "Deutsch (Österreich)".
// Two-letter codes stand here only where no language spells them as a word ("de", "do").
const Names Regions[] = {
    {"GB", "uk gb british britain kingdom england britannique britisch británie britská"},
    {"US", "us usa american america states américain amerikanisch americká amerika"},
    {"AU", "australia australian australie austrálie"},
    {"CA", "canada canadian canadien kanada kanadská"},
    {"ZA", "africa"},
    {"AT", "austria österreich autriche rakousko rakouská"},
    {"CH", "switzerland schweiz suisse švýcarsko švýcarská"},
    {"BE", "belgium belgien belgique belgie"},
    {"BR", "brazil brasil brasileiro brazilian brazílie brazilská"},
    {"PT", "portugal"},
    {"MX", "mexico méxico mexiko"},
    {"AR", "argentina"},
    {"ES", "spain españa espagne španělsko"},
    {"FR", "france francie"},
    {"DE", "germany deutschland německo"},
};

// Lower case without diacritics, every non-letter a blank: the form names are compared in.
QString Folded(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        folded += c.isLetter() ? c.toCaseFolded() : QLatin1Char(' ');
    }
    return folded;
}

QHash<QString, QString> Table(const Names *names, std::size_t count)
{
    QHash<QString, QString> table;
    for (std::size_t i = 0; i < count; ++i) {
        const QStringList words =
            Folded(QString::fromUtf8(names[i].Spellings)).split(u' ', Qt::SkipEmptyParts);
        for (const QString &word : words)
            table.insert(word, QString::fromLatin1(names[i].Code));
    }
    return table;
}

} // namespace

QString LanguageCodeOfName(const QString &name)
{
    static const QHash<QString, QString> languages = Table(Languages, std::size(Languages));
    static const QHash<QString, QString> regions = Table(Regions, std::size(Regions));
    QString language;
    QString region;
    bool code = false; // the language was named by its code: "pt-BR", "cs_CZ"
    for (const QString &word : Folded(name).split(u' ', Qt::SkipEmptyParts)) {
        if (language.isEmpty()) {
            language = languages.value(word);
            code = word.size() == 2;
        } else if (region.isEmpty()) {
            region = regions.value(word);
            if (region.isEmpty() && code && word.size() == 2)
                region = word.toUpper();
        }
    }
    if (language.isEmpty())
        return {};
    return region.isEmpty() ? language : language + u'_' + region;
}

QString LanguageTagOfName(const QString &name)
{
    QString tag = LanguageCodeOfName(name);
    tag.replace(u'_', u'-');
    return tag;
}

std::string LanguageTagOfNameBytes(const std::string &name, const std::string &codePage)
{
    return LanguageTagOfName(CodePage::ForDeclared(codePage).Decode(name)).toStdString();
}

} // namespace verbaria::spelling
