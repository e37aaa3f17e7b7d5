#pragma once

#include "exchange/ExchangeReceiver.h"

class QIODevice;

#include <string>

namespace verbaria::exchange {

// Reads XLIFF 1.2 (and 1.1, which the Translate Toolkit writes) and hands every <file> and
// <trans-unit> to receiver. Returns "" or the reason the reading stopped, naming the line or unit.
std::string ReadXliff(QIODevice &device, ExchangeReceiver &receiver);

} // namespace verbaria::exchange
