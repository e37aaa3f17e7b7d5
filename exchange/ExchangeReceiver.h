#pragma once

#include "exchange/ExchangeHeader.h"
#include "exchange/ExchangeUnit.h"

#include <string>

namespace verbaria::exchange {

// What a reader hands on as it goes. An error string other than empty stops the reading, and the
// reader returns it.
class ExchangeReceiver
{
public:
    virtual ~ExchangeReceiver() = default;
    virtual std::string BeginFile(const ExchangeHeader &header) = 0;
    virtual std::string Unit(const ExchangeUnit &unit) = 0;
    virtual std::string EndFile() = 0;
};

} // namespace verbaria::exchange
