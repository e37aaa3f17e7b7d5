#pragma once

#include "exchange/ExchangeHeader.h"

#include <QString>

namespace verbaria::exchange {

// The PO header entry's fields that carry a language file's header.
namespace po {
inline constexpr QLatin1StringView FieldLanguage{"X-Verbaria-Language"};
inline constexpr QLatin1StringView FieldVersion{"X-Verbaria-Version"};
inline constexpr QLatin1StringView FieldAuthor{"X-Verbaria-Author"};
inline constexpr QLatin1StringView FieldDefinition{"X-Verbaria-Definition"};
inline constexpr QLatin1StringView FieldCodePage{"X-Verbaria-Codepage"};
inline constexpr QLatin1StringView FieldPluralForms{"X-Verbaria-Plural-Forms"};
inline constexpr QLatin1StringView FieldDirection{"X-Verbaria-Direction"};
inline constexpr QLatin1StringView FieldTracking{"X-Verbaria-Tracking"};
} // namespace po

// Reads "Key: value" lines of a PO header into header: the X-Verbaria- fields, else Language,
// Last-Translator and Plural-Forms. charset receives the Content-Type's charset ("" when none is named).
void ReadPoHeaderFields(const QString &text, ExchangeHeader &header, QString &charset);

} // namespace verbaria::exchange
