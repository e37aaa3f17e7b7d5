#include "translator/qt/CodePage.h"

#include <utility>

namespace verbaria::qt {

namespace {

CodePage &DefaultInstance()
{
    static CodePage codePage;
    return codePage;
}

} // namespace

CodePage::CodePage()
{
    SetName(QStringLiteral("windows-1250"));
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

const CodePage &CodePage::Default()
{
    return DefaultInstance();
}

bool CodePage::SetDefault(const QString &name)
{
    return DefaultInstance().SetName(name);
}

} // namespace verbaria::qt
