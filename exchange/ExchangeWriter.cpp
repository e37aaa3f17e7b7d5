#include "exchange/ExchangeWriter.h"

#include <QIODevice>

namespace verbaria::exchange {

std::string DeviceError(const QIODevice &device)
{
    const QString error = device.errorString();
    return error.isEmpty() ? std::string("the bytes could not be written") : error.toStdString();
}

} // namespace verbaria::exchange
