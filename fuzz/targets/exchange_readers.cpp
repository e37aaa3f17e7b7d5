// The XLIFF and PO readers of 'verbaria-tool import --format', on the same bytes: they must stop
// with a message or hand over units, never crash, and a unit's texts are whole strings.
#include "FuzzSupport.h"
#include "exchange/PoReader.h"
#include "exchange/XliffReader.h"

#include <QBuffer>

namespace {

class Receiver final : public verbaria::exchange::ExchangeReceiver
{
public:
    std::string BeginFile(const verbaria::exchange::ExchangeHeader &) override { return {}; }
    std::string Unit(const verbaria::exchange::ExchangeUnit &unit) override
    {
        FUZZ_CHECK(unit.Line >= 0);
        return {};
    }
    std::string EndFile() override { return {}; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Receiver receiver;
    (void)verbaria::exchange::ReadPo(bytes, receiver);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    (void)verbaria::exchange::ReadXliff(buffer, receiver);
    return 0;
}
