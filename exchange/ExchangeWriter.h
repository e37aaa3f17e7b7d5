#pragma once

#include "exchange/ExchangeHeader.h"
#include "exchange/ExchangeUnit.h"

#include <string>

class QIODevice;

namespace verbaria::exchange {

// Receives the language files of one export, one after the other. An empty string means the
// writer took it; otherwise the reason it cannot (a text the format cannot carry, a device that
// refused the bytes).
class ExchangeWriter
{
public:
    virtual ~ExchangeWriter() = default;
    virtual std::string BeginFile(const ExchangeHeader &header) = 0;
    virtual std::string Unit(const ExchangeUnit &unit) = 0;
    virtual std::string EndFile() = 0;
    // After the last file: "" or why the bytes did not all reach the device (its error).
    virtual std::string Finish() = 0;
};

// What a device that refused bytes says of it, never empty.
std::string DeviceError(const QIODevice &device);

} // namespace verbaria::exchange
