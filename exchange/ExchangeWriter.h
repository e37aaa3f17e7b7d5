#pragma once

#include "exchange/ExchangeHeader.h"
#include "exchange/ExchangeUnit.h"

#include <string>

namespace verbaria::exchange {

// Receives the language files of one export, one after the other. An empty string means the
// writer took it; otherwise the reason it cannot (a text the format cannot carry).
class ExchangeWriter
{
public:
    virtual ~ExchangeWriter() = default;
    virtual std::string BeginFile(const ExchangeHeader &header) = 0;
    virtual std::string Unit(const ExchangeUnit &unit) = 0;
    virtual std::string EndFile() = 0;
    // After the last file; false when the device refused the bytes.
    virtual bool Finish() = 0;
};

} // namespace verbaria::exchange
