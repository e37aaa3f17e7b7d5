#include "platform/CodePage.h"

#include <QStringList>

#include <utility>

namespace verbaria {

namespace {

CodePage &DefaultInstance()
{
    static CodePage codePage;
    return codePage;
}

} // namespace

CodePage::CodePage()
{
    SetName(QLatin1String(FallbackName));
}

CodePage::CodePage(const CodePage &other)
{
    SetName(other.name_);
}

CodePage &CodePage::operator=(const CodePage &other)
{
    if (this != &other)
        SetName(other.name_);
    return *this;
}

std::optional<CodePage> CodePage::Named(const QString &name)
{
    CodePage codePage;
    if (!codePage.SetName(name))
        return std::nullopt;
    return codePage;
}

CodePage CodePage::ForDeclared(std::string_view declared)
{
    const QString name =
        QString::fromLatin1(declared.data(), static_cast<qsizetype>(declared.size())).trimmed();
    if (!name.isEmpty()) {
        if (std::optional<CodePage> named = Named(name))
            return *std::move(named);
    }
    return Default();
}

bool CodePage::IsKnown(const QString &name)
{
    return Named(name).has_value();
}

QStringList CodePage::OfferedNames()
{
    QStringList names;
    for (int i = 1250; i <= 1258; ++i)
        names << QStringLiteral("windows-%1").arg(i);
    for (int i = 1; i <= 16; ++i) {
        if (i != 12) // there never was an ISO-8859-12
            names << QStringLiteral("ISO-8859-%1").arg(i);
    }
    names << QStringLiteral("KOI8-R") << QStringLiteral("KOI8-U") << QStringLiteral("UTF-8");
    // Only what this system's converters know.
    QStringList known;
    for (const QString &name : names) {
        if (IsKnown(name))
            known << name;
    }
    return known;
}

bool CodePage::SetName(const QString &name)
{
    const QByteArray latin = name.toLatin1();
    // Both directions, since some converters come only one way.
    QStringDecoder decoder(latin.constData(), QStringConverter::Flag::Stateless);
    QStringEncoder encoder(latin.constData(), QStringConverter::Flag::Stateless);
    if (name.isEmpty() || !decoder.isValid() || !encoder.isValid())
        return false;
    name_ = name;
    decoder_ = std::move(decoder);
    encoder_ = std::move(encoder);
    return true;
}

QString CodePage::Decode(std::string_view bytes) const
{
    if (bytes.empty())
        return {};
    decoder_.resetState();
    return decoder_.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::optional<std::string> CodePage::Encode(const QString &text) const
{
    if (text.isEmpty())
        return std::string();
    encoder_.resetState();
    const QByteArray bytes = encoder_.encode(text);
    if (encoder_.hasError())
        return std::nullopt;
    // A converter may map a character to a look-alike ("best fit") without an error; only a text
    // that comes back unchanged has been held.
    std::string result(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (Decode(result) != text)
        return std::nullopt;
    return result;
}

std::string CodePage::EncodeLossy(const QString &text) const
{
    if (std::optional<std::string> whole = Encode(text))
        return *std::move(whole);
    // "?" as the formats library writes it; the converter's own substitute would be an invisible
    // control character in the file.
    std::string result;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const std::optional<std::string> character = Encode(text.mid(i, length));
        result += character ? *character : std::string("?");
        i += length;
    }
    return result;
}

QString CodePage::Unrepresentable(const QString &text) const
{
    if (CanEncode(text))
        return {};
    QString refused;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!CanEncode(character) && !refused.contains(character))
            refused += character;
        i += length;
    }
    return refused;
}

QString NameCharacters(const QString &characters)
{
    QString named;
    for (const char32_t code : characters.toUcs4()) {
        if (!named.isEmpty())
            named += QStringLiteral(", ");
        named +=
            QStringLiteral("%1 (U+%2)")
                .arg(QString::fromUcs4(&code, 1))
                .arg(QStringLiteral("%1").arg(static_cast<uint>(code), 4, 16, QLatin1Char('0')).toUpper());
    }
    return named;
}

const CodePage &CodePage::Default()
{
    return DefaultInstance();
}

bool CodePage::SetDefault(const QString &name)
{
    return DefaultInstance().SetName(name);
}

} // namespace verbaria
