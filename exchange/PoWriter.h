#pragma once

#include "exchange/ExchangeWriter.h"

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>

class QIODevice;

namespace verbaria::exchange {

// gettext PO, UTF-8: a header entry, then per entry the kind and path (and the programmer's comment)
// as extracted comments, the number (and the place in the sources) as references, msgctxt (the
// number, or a Qt message's packed context), msgid and msgstr, or msgid_plural and msgstr[N] for
// a plural message. One language file per PO file.
class PoWriter final : public ExchangeWriter
{
public:
    // revised: the PO-Revision-Date (the language file's last change).
    PoWriter(QIODevice &device, QDateTime revised);

    std::string BeginFile(const ExchangeHeader &header) override;
    std::string Unit(const ExchangeUnit &unit) override;
    std::string EndFile() override;
    std::string Finish() override;

private:
    std::string ObsoleteUnit(const ExchangeUnit &unit);
    void Flush();

    QIODevice &device_;
    QDateTime revised_;
    QByteArray buffer_;
    QSet<QString> contexts_; // msgctxt and msgid of the units with a context so far
    int files_ = 0;
    bool failed_ = false;
};

} // namespace verbaria::exchange
