#pragma once

#include "exchange/ExchangeReceiver.h"
#include "exchange/ExchangeWriter.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <span>
#include <string>
#include <string_view>

class QIODevice;

// The exchange formats the tool and the editor know, one row each: the name the tool's --format
// gives, the file name extensions that stand for it, its reader and its writer.
//
// How exchange/ reports trouble, for every reader, writer and receiver and the document's bridge
// (ExportDocument, DocumentImporter): a std::string, empty when the step went through, else the
// reason it stopped in the words the user is shown, naming the line or the unit. Nothing here
// throws; a receiver that meets an exception of its own turns it into such a message too.
namespace verbaria::exchange {

struct ExchangeFormat
{
    std::string_view Name;                        // "xliff", "po"
    std::span<const std::string_view> Extensions; // without the dot, lower case
    bool ManyLanguageFiles = false;               // whether one file holds several language files
    // Reads the whole device and hands what it holds to receiver.
    std::string (*Read)(QIODevice &device, ExchangeReceiver &receiver) = nullptr;
    // A writer onto device; revised: the language file's last change, for a format that notes it.
    std::unique_ptr<ExchangeWriter> (*Writer)(QIODevice &device, const QDateTime &revised) = nullptr;
};

// Every format, XLIFF first.
std::span<const ExchangeFormat> ExchangeFormats();
// The format of that name, or null.
const ExchangeFormat *FormatNamed(std::string_view name);
// The format whose extension the file name ends in (in any case), or null.
const ExchangeFormat *FormatOfFile(const QString &fileName);
// The format to write a file in: by its extension, else XLIFF.
const ExchangeFormat &FormatToWrite(const QString &fileName);
// The format to read a file in: by its extension, else XLIFF for a file that starts like XML
// (start: its first bytes), else PO.
const ExchangeFormat &FormatToRead(const QString &fileName, const QByteArray &start);

} // namespace verbaria::exchange
