#include "exchange/PoHeader.h"

#include <QStringList>

namespace verbaria::exchange {

using namespace Qt::StringLiterals;

void ReadPoHeaderFields(const QString &text, ExchangeHeader &header, QString &charset)
{
    QString language;
    QString lastTranslator;
    QString pluralForms;
    const QStringList lines = text.split(u'\n');
    for (const QString &line : lines) {
        const qsizetype colon = line.indexOf(u':');
        if (colon <= 0)
            continue;
        const QString key = line.left(colon).trimmed();
        QString value = line.mid(colon + 1);
        if (value.startsWith(u' '))
            value.remove(0, 1);
        if (value.isNull()) // said, though empty
            value = u""_s;
        if (key == po::FieldLanguage)
            header.Language = value;
        else if (key == po::FieldVersion)
            header.Version = value;
        else if (key == po::FieldAuthor)
            header.Author = value;
        else if (key == po::FieldDefinition)
            header.Definition = value;
        else if (key == po::FieldCodePage)
            header.CodePage = value;
        else if (key == po::FieldPluralForms)
            header.PluralForms = value;
        else if (key == po::FieldDirection)
            header.Direction = value;
        else if (key == po::FieldTracking)
            header.TracksOriginals = value.trimmed() == u"originals"_s;
        else if (key == u"Plural-Forms"_s)
            pluralForms = value;
        else if (key == u"Language"_s)
            language = value;
        else if (key == u"Last-Translator"_s)
            lastTranslator = value;
        else if (key == u"Project-Id-Version"_s)
            header.Program = value;
        else if (key.compare(u"Content-Type"_s, Qt::CaseInsensitive) == 0) {
            const qsizetype at = value.indexOf(u"charset="_s, 0, Qt::CaseInsensitive);
            charset = at < 0 ? QString() : value.mid(at + 8).trimmed();
        }
    }
    header.TargetLanguage = language;
    header.PluralRule = pluralForms;
    // A PO file made elsewhere: its rule is the one its forms follow, and the language file's.
    if (header.PluralForms.isNull() && !pluralForms.isNull())
        header.PluralForms = pluralForms;
    if (header.Language.isNull() && !language.isEmpty())
        header.Language = language;
    // gettext's placeholder names nobody.
    if (header.Author.isNull() && !lastTranslator.isNull() &&
        lastTranslator != u"FULL NAME <EMAIL@ADDRESS>"_s)
        header.Author = lastTranslator;
}

} // namespace verbaria::exchange
