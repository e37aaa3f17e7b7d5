#include "exchange/XliffReader.h"

#include "exchange/PoHeader.h"
#include "exchange/XliffNames.h"

#include <QXmlStreamReader>

namespace verbaria::exchange {

using namespace Qt::StringLiterals;

namespace {

class Reader final
{
public:
    Reader(QIODevice &device, ExchangeReceiver &receiver)
        : xml_(&device)
        , receiver_(receiver)
    {
    }

    std::string Run()
    {
        if (!xml_.readNextStartElement())
            return XmlError();
        if (xml_.name() != u"xliff"_s ||
            (xml_.namespaceUri() != xliff::Namespace12 && xml_.namespaceUri() != xliff::Namespace11))
            return "not an XLIFF 1.2 file";
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"file"_s) {
                if (std::string error = ReadFile(); !error.empty())
                    return error;
            } else if (xml_.namespaceUri() == u"urn:trolltech:names:ts:document:1.0"_s &&
                       xml_.name().startsWith(u"po-header-"_s)) {
                // lconvert keeps a PO file's header here, its keys lower-cased with '_' for '-'.
                const QString key = xml_.name().mid(10).toString();
                const QString value = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
                if (key == u"x_verbaria_language"_s)
                    poHeader_.Language = value;
                else if (key == u"x_verbaria_version"_s)
                    poHeader_.Version = value;
                else if (key == u"x_verbaria_author"_s)
                    poHeader_.Author = value;
                else if (key == u"x_verbaria_definition"_s)
                    poHeader_.Definition = value;
                else if (key == u"x_verbaria_codepage"_s)
                    poHeader_.CodePage = value;
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError())
            return XmlError();
        return {};
    }

private:
    std::string XmlError() const
    {
        return "line " + std::to_string(xml_.lineNumber()) + ": " + xml_.errorString().toStdString();
    }

    std::string ReadFile()
    {
        const QXmlStreamAttributes attributes = xml_.attributes();
        header_ = poHeader_;
        header_.Original = attributes.value(u"original"_s).toString();
        header_.SourceLanguage = attributes.value(u"source-language"_s).toString();
        header_.TargetLanguage = attributes.value(u"target-language"_s).toString();
        header_.Program = attributes.value(u"product-name"_s).toString();
        header_.ProgramVersion = attributes.value(u"product-version"_s).toString();
        begun_ = false;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"header"_s) {
                ReadHeader();
            } else if (xml_.name() == u"body"_s) {
                if (std::string error = ReadGroup(); !error.empty())
                    return error;
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError())
            return XmlError();
        if (std::string error = Begin(); !error.empty())
            return error;
        return receiver_.EndFile();
    }

    std::string Begin()
    {
        if (begun_)
            return {};
        begun_ = true;
        return receiver_.BeginFile(header_);
    }

    void ReadHeader()
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != u"prop-group"_s) {
                xml_.skipCurrentElement();
                continue;
            }
            while (xml_.readNextStartElement()) {
                if (xml_.name() != u"prop"_s) {
                    xml_.skipCurrentElement();
                    continue;
                }
                const QString type = xml_.attributes().value(u"prop-type"_s).toString();
                QString value = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
                if (value.isNull())
                    value = u""_s;
                if (type == xliff::PropLanguage)
                    header_.Language = value;
                else if (type == xliff::PropVersion)
                    header_.Version = value;
                else if (type == xliff::PropAuthor)
                    header_.Author = value;
                else if (type == xliff::PropDefinition)
                    header_.Definition = value;
                else if (type == xliff::PropCodePage)
                    header_.CodePage = value;
            }
        }
    }

    // <body> or a <group> in it.
    std::string ReadGroup()
    {
        while (xml_.readNextStartElement()) {
            std::string error;
            if (xml_.name() == u"group"_s)
                error = ReadGroup();
            else if (xml_.name() == u"trans-unit"_s)
                error = ReadUnit();
            else
                xml_.skipCurrentElement();
            if (!error.empty())
                return error;
        }
        return xml_.hasError() ? XmlError() : std::string();
    }

    // Plain text only: inline markup would be lost on the way into a language file.
    bool ReadText(const ExchangeUnit &unit, QString &text, std::string &error)
    {
        const QString element = xml_.name().toString();
        text = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (!xml_.hasError())
            return true;
        error = UnitName(unit) + ": <" + element.toStdString() +
                "> holds markup; only plain text can be imported";
        return false;
    }

    static std::string UnitName(const ExchangeUnit &unit)
    {
        if (unit.Id.isEmpty())
            return "unit at line " + std::to_string(unit.Line);
        return "unit " + unit.Id.toStdString();
    }

    std::string ReadUnit()
    {
        ExchangeUnit unit;
        unit.Line = xml_.lineNumber();
        const QXmlStreamAttributes attributes = xml_.attributes();
        unit.Id = attributes.value(u"id"_s).toString();
        unit.Resname = attributes.value(u"resname"_s).toString();
        const bool headerUnit = attributes.value(u"restype"_s) == u"x-gettext-domain-header"_s;
        const bool notApproved = attributes.value(u"approved"_s) == u"no"_s;
        QString state;
        QString location;
        QString context;
        std::string error;
        while (xml_.readNextStartElement()) {
            const auto name = xml_.name();
            if (name == u"source"_s) {
                if (!ReadText(unit, unit.Source, error))
                    return error;
            } else if (name == u"target"_s) {
                state = xml_.attributes().value(u"state"_s).toString();
                if (!ReadText(unit, unit.Target, error))
                    return error;
            } else if (name == u"context-group"_s) {
                const bool locations = xml_.attributes().value(u"purpose"_s) == u"location"_s;
                while (xml_.readNextStartElement()) {
                    const QString type = xml_.attributes().value(u"context-type"_s).toString();
                    const QString value = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
                    if (type == u"x-gettext-msgctxt"_s && context.isEmpty())
                        context = value;
                    else if (locations && type == u"sourcefile"_s && location.isEmpty())
                        location = value;
                }
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError())
            return XmlError();
        if (headerUnit) {
            // A PO header carried through the Translate Toolkit's po2xliff.
            QString charset;
            ReadPoHeaderFields(unit.Target, header_, charset);
            return {};
        }
        // The id is the number, except where a converter from PO numbered the units anew: po2xliff
        // keeps the PO reference (which is our number), lconvert our msgctxt.
        for (const QString *number : {&location, &unit.Id, &context}) {
            bool isNumber = false;
            number->toInt(&isNumber);
            if (isNumber) {
                unit.Id = *number;
                break;
            }
        }
        unit.NeedsReview =
            !unit.Target.isEmpty() && (state.startsWith(u"needs-"_s) || (state.isEmpty() && notApproved));
        if (std::string beginError = Begin(); !beginError.empty())
            return beginError;
        return receiver_.Unit(unit);
    }

    QXmlStreamReader xml_;
    ExchangeReceiver &receiver_;
    ExchangeHeader header_;
    ExchangeHeader poHeader_;
    bool begun_ = false;
};

} // namespace

std::string ReadXliff(QIODevice &device, ExchangeReceiver &receiver)
{
    Reader reader(device, receiver);
    return reader.Run();
}

} // namespace verbaria::exchange
