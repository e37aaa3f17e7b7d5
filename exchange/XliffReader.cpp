#include "exchange/XliffReader.h"

#include "exchange/MessageContext.h"
#include "exchange/PoHeader.h"
#include "exchange/XliffNames.h"

#include <QXmlStreamReader>

namespace verbaria::exchange {

using namespace Qt::StringLiterals;

namespace {

// lconvert's own names: a group per Qt context, and a PO file's references kept on a unit.
constexpr QLatin1StringView RestypeQtContext{"x-trolltech-linguist-context"};
constexpr QLatin1StringView TrolltechNamespace{"urn:trolltech:names:ts:document:1.0"};

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
        QString poPluralForms; // a PO file's own rule, for a file lconvert made from it
        if (!xml_.readNextStartElement())
            return XmlError();
        if (xml_.name() != u"xliff"_s ||
            (xml_.namespaceUri() != xliff::Namespace12 && xml_.namespaceUri() != xliff::Namespace11))
            return "not an XLIFF 1.2 file";
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"file"_s) {
                if (std::string error = ReadFile(); !error.empty())
                    return error;
            } else if (xml_.namespaceUri() == TrolltechNamespace && xml_.name().startsWith(u"po-header-"_s)) {
                // lconvert keeps a PO file's header here, its keys lower-cased with '_' for '-'.
                const QString key = xml_.name().mid(10).toString();
                QString value = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
                if (value.isNull()) // said, though empty
                    value = u""_s;
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
                else if (key == u"x_verbaria_plural_forms"_s)
                    poHeader_.PluralForms = value;
                else if (key == u"x_verbaria_direction"_s)
                    poHeader_.Direction = value;
                else if (key == u"plural_forms"_s)
                    poPluralForms = value;
            } else {
                xml_.skipCurrentElement();
            }
            if (poHeader_.PluralForms.isNull() && !poPluralForms.isNull())
                poHeader_.PluralForms = poPluralForms;
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
                else if (type == xliff::PropPluralForms)
                    header_.PluralForms = value;
                else if (type == xliff::PropDirection)
                    header_.Direction = value;
                else if (type == xliff::PropTracking)
                    header_.TracksOriginals = value.trimmed() == u"originals"_s;
            }
        }
    }

    // <body> or a <group> in it. qtContext: the context of lconvert's group around the units
    // (null outside one).
    std::string ReadGroup(const QString &qtContext = QString())
    {
        while (xml_.readNextStartElement()) {
            std::string error;
            const QXmlStreamAttributes attributes = xml_.attributes();
            if (xml_.name() == u"group"_s && attributes.value(u"restype"_s) == xliff::RestypePlurals)
                error = ReadPlurals(qtContext);
            else if (xml_.name() == u"group"_s && attributes.value(u"restype"_s) == RestypeQtContext)
                error = ReadGroup(attributes.value(u"resname"_s).toString());
            else if (xml_.name() == u"group"_s)
                error = ReadGroup(qtContext);
            else if (xml_.name() == u"trans-unit"_s)
                error = ReadUnit(qtContext);
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

    std::string ReadUnit(const QString &qtContext)
    {
        ExchangeUnit unit;
        Clues clues;
        bool headerUnit = false;
        if (std::string error = ParseUnit(unit, clues, headerUnit, false); !error.empty())
            return error;
        if (headerUnit)
            return {};
        Resolve(unit, clues, qtContext);
        return Deliver(unit);
    }

    // A plural message: one unit per form, in order; the first gives the rest of the message. What
    // the group itself says (po2xliff puts the PO reference there) counts for all of them.
    std::string ReadPlurals(const QString &qtContext)
    {
        Clues clues;
        clues.Ids.append(xml_.attributes().value(u"id"_s).toString());
        const bool obsolete = xml_.attributes().value(u"translate"_s) == u"no"_s;
        ExchangeUnit message;
        int forms = 0;
        while (xml_.readNextStartElement()) {
            if (ReadClue(clues))
                continue;
            if (xml_.name() != u"trans-unit"_s) {
                xml_.skipCurrentElement();
                continue;
            }
            ExchangeUnit form;
            bool headerUnit = false;
            if (std::string error = ParseUnit(form, clues, headerUnit, true); !error.empty())
                return error;
            if (forms++ == 0) {
                message = std::move(form);
            } else {
                message.Forms.append(form.Target);
                message.NeedsReview = message.NeedsReview || form.NeedsReview;
            }
        }
        if (xml_.hasError())
            return XmlError();
        if (forms == 0)
            return {};
        message.Plural = true;
        message.Obsolete = message.Obsolete || obsolete;
        Resolve(message, clues, qtContext);
        return Deliver(message);
    }

    static bool IsNumber(const QString &text)
    {
        bool isNumber = false;
        text.toInt(&isNumber);
        return isNumber;
    }

    std::string Deliver(const ExchangeUnit &unit)
    {
        if (std::string beginError = Begin(); !beginError.empty())
            return beginError;
        return receiver_.Unit(unit);
    }

    // What a unit says of its number and context, wherever the tool that wrote it put them.
    struct Clues
    {
        QStringList Locations;  // numeric sourcefile contexts: a PO reference po2xliff kept
        QStringList References; // lconvert's po-references of a PO file
        QStringList Ids;
        QString Msgctxt;
    };

    // Reads a <context-group> or lconvert's <po-references> the reader stands on into clues; false
    // for any other element.
    bool ReadClue(Clues &clues)
    {
        if (xml_.name() == u"context-group"_s) {
            const bool locations = xml_.attributes().value(u"purpose"_s) == u"location"_s;
            while (xml_.readNextStartElement()) {
                const QString type = xml_.attributes().value(u"context-type"_s).toString();
                const QString value = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
                if (type == xliff::ContextMsgctxt && clues.Msgctxt.isEmpty())
                    clues.Msgctxt = value;
                else if (locations && type == u"sourcefile"_s && IsNumber(value))
                    clues.Locations.append(value);
            }
            return true;
        }
        if (xml_.namespaceUri() == TrolltechNamespace && xml_.name() == u"po-references"_s) {
            const QString references = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
            clues.References.append(references.split(u' ', Qt::SkipEmptyParts));
            return true;
        }
        return false;
    }

    // The id is the number, except where a converter from PO numbered the units anew: po2xliff
    // keeps the PO reference (which is our number), lconvert the reference or our msgctxt. A
    // msgctxt that is no number is a Qt message's packed context, or (in lconvert's context group)
    // its disambiguation.
    static void Resolve(ExchangeUnit &unit, const Clues &clues, const QString &qtContext)
    {
        if (!IsNumber(clues.Msgctxt)) {
            if (qtContext.isNull()) {
                UnpackContext(clues.Msgctxt, unit.Context, unit.Disambiguation);
            } else {
                unit.Context = qtContext;
                unit.Disambiguation = clues.Msgctxt;
            }
        }
        for (const QStringList *numbers : {&clues.Locations, &clues.References, &clues.Ids}) {
            for (const QString &number : *numbers) {
                if (IsNumber(number)) {
                    unit.Id = number;
                    return;
                }
            }
        }
        unit.Id = IsNumber(clues.Msgctxt) ? clues.Msgctxt : QString();
    }

    // Reads the <trans-unit> the reader stands on, and what it says of its number into clues. A form
    // of a plural message has "[N]" after its number in its id.
    std::string ParseUnit(ExchangeUnit &unit, Clues &clues, bool &headerUnit, bool pluralForm)
    {
        unit.Line = xml_.lineNumber();
        const QXmlStreamAttributes attributes = xml_.attributes();
        unit.Id = attributes.value(u"id"_s).toString();
        QString id = unit.Id;
        if (pluralForm && id.endsWith(u']')) {
            const qsizetype open = id.lastIndexOf(u'[');
            if (open >= 0)
                id.truncate(open);
        }
        clues.Ids.append(id);
        unit.Resname = attributes.value(u"resname"_s).toString();
        headerUnit = attributes.value(u"restype"_s) == u"x-gettext-domain-header"_s;
        unit.Obsolete = attributes.value(u"translate"_s) == u"no"_s;
        const bool notApproved = attributes.value(u"approved"_s) == u"no"_s;
        QString state;
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
            } else if (name == u"alt-trans"_s &&
                       xml_.attributes().value(u"alttranstype"_s) == xliff::AltTransPrevious) {
                // The original the translation was made from; its target is the translation.
                while (xml_.readNextStartElement()) {
                    if (xml_.name() == u"source"_s) {
                        QString previous;
                        if (!ReadText(unit, previous, error))
                            return error;
                        unit.PreviousSource = previous.isNull() ? u""_s : previous;
                    } else {
                        xml_.skipCurrentElement();
                    }
                }
            } else if (name == u"note"_s && xml_.attributes().value(u"from"_s) == xliff::NoteFromTranslator) {
                const QString comment = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
                unit.TranslatorComment += (unit.TranslatorComment.isEmpty() ? QString() : u"\n"_s) + comment;
            } else if (!ReadClue(clues)) {
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
        unit.NeedsReview =
            !unit.Target.isEmpty() && (state.startsWith(u"needs-"_s) || (state.isEmpty() && notApproved));
        return {};
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
