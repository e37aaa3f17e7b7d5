#include "exchange/ExchangeFormats.h"

#include "exchange/PoReader.h"
#include "exchange/PoWriter.h"
#include "exchange/XliffReader.h"
#include "exchange/XliffWriter.h"

#include <QFileInfo>
#include <QIODevice>

namespace verbaria::exchange {

namespace {

constexpr std::string_view XliffExtensions[] = {"xlf", "xliff"};
constexpr std::string_view PoExtensions[] = {"po"};

const ExchangeFormat Formats[] = {
    {"xliff", XliffExtensions, true,
     // XML is read as it streams in.
     [](QIODevice &device, ExchangeReceiver &receiver) { return ReadXliff(device, receiver); },
     [](QIODevice &device, const QDateTime &) -> std::unique_ptr<ExchangeWriter> {
         return std::make_unique<XliffWriter>(device);
     }},
    {"po", PoExtensions, false,
     // A PO file is read whole.
     [](QIODevice &device, ExchangeReceiver &receiver) { return ReadPo(device.readAll(), receiver); },
     [](QIODevice &device, const QDateTime &revised) -> std::unique_ptr<ExchangeWriter> {
         return std::make_unique<PoWriter>(device, revised);
     }},
};

} // namespace

std::span<const ExchangeFormat> ExchangeFormats()
{
    return Formats;
}

const ExchangeFormat *FormatNamed(std::string_view name)
{
    for (const ExchangeFormat &format : Formats) {
        if (format.Name == name)
            return &format;
    }
    return nullptr;
}

const ExchangeFormat *FormatOfFile(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const ExchangeFormat &format : Formats) {
        for (const std::string_view extension : format.Extensions) {
            if (suffix.compare(QLatin1StringView(extension.data(), static_cast<qsizetype>(extension.size())),
                               Qt::CaseInsensitive) == 0)
                return &format;
        }
    }
    return nullptr;
}

const ExchangeFormat &FormatToWrite(const QString &fileName)
{
    const ExchangeFormat *format = FormatOfFile(fileName);
    return format ? *format : Formats[0];
}

const ExchangeFormat &FormatToRead(const QString &fileName, const QByteArray &start)
{
    if (const ExchangeFormat *format = FormatOfFile(fileName))
        return *format;
    return start.trimmed().startsWith('<') ? Formats[0] : Formats[1];
}

} // namespace verbaria::exchange
