#pragma once

#include "exchange/ExchangeWriter.h"

#include <QByteArray>
#include <QDateTime>

class QIODevice;

namespace verbaria::exchange {

// gettext PO, UTF-8: a header entry, then per entry msgctxt (the number), the kind and path as
// extracted comments, msgid and msgstr. One language file per PO file.
class PoWriter final : public ExchangeWriter
{
public:
    // revised: the PO-Revision-Date (the language file's last change).
    PoWriter(QIODevice &device, QDateTime revised);

    std::string BeginFile(const ExchangeHeader &header) override;
    std::string Unit(const ExchangeUnit &unit) override;
    std::string EndFile() override;
    bool Finish() override;

private:
    void Flush();

    QIODevice &device_;
    QDateTime revised_;
    QByteArray buffer_;
    int files_ = 0;
    bool failed_ = false;
};

} // namespace verbaria::exchange
