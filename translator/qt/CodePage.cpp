#include "translator/qt/CodePage.h"

namespace verbaria::qt {

CodePage::CodePage()
{
    SetName(QStringLiteral("windows-1250"));
}

bool CodePage::SetName(const QString &name)
{
    const QByteArray latin = name.toLatin1();
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
    return decoder_.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string CodePage::Encode(const QString &text, bool *lossless) const
{
    if (lossless)
        *lossless = true;
    if (text.isEmpty())
        return {};
    encoder_.resetState();
    const QByteArray bytes = encoder_.encode(text);
    if (lossless && encoder_.hasError())
        *lossless = false;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace verbaria::qt
