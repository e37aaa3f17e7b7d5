#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <utility>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {

CodePage &DefaultInstance()
{
    static CodePage codePage;
    return codePage;
}

} // namespace

CodePage::CodePage()
    : CodePage(u"windows-1250"_s)
{
}

CodePage::CodePage(const QString &name)
    : name_(name)
    , converterName_(name.toLatin1())
{
}

std::optional<CodePage> CodePage::Named(const QString &name)
{
    if (name.isEmpty())
        return std::nullopt;
    const CodePage codePage(name);
    // Both directions, since some converters come only one way.
    if (!QStringEncoder(codePage.converterName_.constData()).isValid() ||
        !QStringDecoder(codePage.converterName_.constData()).isValid())
        return std::nullopt;
    return codePage;
}

QString CodePage::Decode(std::string_view bytes) const
{
    QStringDecoder decoder(converterName_.constData(), QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::optional<std::string> CodePage::Encode(const QString &text) const
{
    QStringEncoder encoder(converterName_.constData(), QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
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

bool CodePage::CanEncode(const QString &text) const
{
    return Encode(text).has_value();
}

const CodePage &CodePage::Default()
{
    return DefaultInstance();
}

bool CodePage::SetDefault(const QString &name)
{
    std::optional<CodePage> codePage = Named(name);
    if (!codePage)
        return false;
    DefaultInstance() = *codePage;
    return true;
}

} // namespace verbaria
