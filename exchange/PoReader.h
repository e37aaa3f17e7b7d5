#pragma once

#include "exchange/ExchangeReceiver.h"

#include <QByteArray>

#include <string>

namespace verbaria::exchange {

// Reads a gettext PO file in UTF-8 and hands its entries to receiver as the units of one file.
// Strict: a line it does not understand, an unknown escape or bytes that are not UTF-8 stop it. Obsolete
// entries ("#~") are handed on marked Obsolete. Returns "" or the reason, naming the line.
std::string ReadPo(const QByteArray &bytes, ExchangeReceiver &receiver);

} // namespace verbaria::exchange
