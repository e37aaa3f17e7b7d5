#pragma once

#include "exchange/ExchangeReceiver.h"

#include <QByteArray>

#include <string>

namespace verbaria::exchange {

// Reads XLIFF 1.2 (and 1.1, which the Translate Toolkit writes) and hands every <file> and
// <trans-unit> to receiver. Returns "" or the reason the reading stopped, naming the line or unit.
std::string ReadXliff(const QByteArray &bytes, ExchangeReceiver &receiver);

} // namespace verbaria::exchange
