#pragma once

#include "exchange/ExchangeWriter.h"

#include <QXmlStreamWriter>

class QIODevice;

namespace verbaria::exchange {

// XLIFF 1.2: one <file> per language file, one <trans-unit> per entry (a plural message: a group
// of them, one per form), UTF-8.
class XliffWriter final : public ExchangeWriter
{
public:
    explicit XliffWriter(QIODevice &device);

    std::string BeginFile(const ExchangeHeader &header) override;
    std::string Unit(const ExchangeUnit &unit) override;
    std::string EndFile() override;
    std::string Finish() override;

private:
    void StartDocument();
    void WriteTransUnit(const ExchangeUnit &unit, const QString &id, const QString &target);

    bool Flush();

    QIODevice &device_;
    // The writer appends to a string, which goes to the device in large UTF-8 chunks: writing to
    // the device itself costs an encoder call and a device write per attribute and escape.
    QString buffer_;
    QXmlStreamWriter xml_;
    bool failed_ = false;
    bool started_ = false;
};

// The first character XML 1.0 cannot hold, or a null QChar when every one fits.
QChar FirstCharacterXmlCannotHold(const QString &text);

} // namespace verbaria::exchange
