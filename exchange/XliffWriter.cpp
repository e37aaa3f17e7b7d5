#include "exchange/XliffWriter.h"

#include "exchange/MessageContext.h"
#include "exchange/XliffNames.h"

#include <QIODevice>

namespace verbaria::exchange {

using namespace Qt::StringLiterals;

QChar FirstCharacterXmlCannotHold(const QString &text)
{
    const QChar *data = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c >= 0x20 && c < 0xD800)
            continue;
        if (c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c < 0x20 || c == 0xFFFE || c == 0xFFFF)
            return data[i];
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(data[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (QChar::isSurrogate(c))
            return data[i];
    }
    return {};
}

namespace {

std::string Refusal(const QString &what, QChar c)
{
    return (what + u": the character U+"_s +
            QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0') +
            u" cannot be written to XML"_s)
        .toStdString();
}

} // namespace

XliffWriter::XliffWriter(QIODevice &device)
    : device_(device)
    , xml_(&buffer_)
{
    xml_.setAutoFormatting(true);
    xml_.setAutoFormattingIndent(1);
}

void XliffWriter::StartDocument()
{
    if (started_)
        return;
    started_ = true;
    // A writer on a string declares no encoding; the chunks are UTF-8.
    buffer_ += u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"_s;
    xml_.writeDefaultNamespace(xliff::Namespace12);
    xml_.writeStartElement(u"xliff"_s);
    xml_.writeAttribute(u"version"_s, u"1.2"_s);
}

std::string XliffWriter::BeginFile(const ExchangeHeader &header)
{
    for (const QString *value :
         {&header.Original, &header.SourceLanguage, &header.TargetLanguage, &header.Program,
          &header.ProgramVersion, &header.Language, &header.Version, &header.Author, &header.Definition,
          &header.CodePage, &header.PluralForms, &header.Direction}) {
        if (const QChar c = FirstCharacterXmlCannotHold(*value); !c.isNull())
            return Refusal(u"header"_s, c);
    }
    StartDocument();
    xml_.writeStartElement(u"file"_s);
    xml_.writeAttribute(u"original"_s, header.Original);
    xml_.writeAttribute(u"source-language"_s, header.SourceLanguage);
    if (!header.TargetLanguage.isEmpty())
        xml_.writeAttribute(u"target-language"_s, header.TargetLanguage);
    xml_.writeAttribute(u"datatype"_s, u"plaintext"_s);
    if (!header.Program.isEmpty())
        xml_.writeAttribute(u"product-name"_s, header.Program);
    if (!header.ProgramVersion.isEmpty())
        xml_.writeAttribute(u"product-version"_s, header.ProgramVersion);
    xml_.writeStartElement(u"header"_s);
    xml_.writeStartElement(u"prop-group"_s);
    xml_.writeAttribute(u"name"_s, xliff::PropGroup);
    const std::pair<QLatin1StringView, const QString *> props[] = {
        {xliff::PropLanguage, &header.Language},
        {xliff::PropVersion, &header.Version},
        {xliff::PropAuthor, &header.Author},
        {xliff::PropDefinition, &header.Definition},
        {xliff::PropCodePage, &header.CodePage}};
    for (const auto &[type, value] : props) {
        xml_.writeStartElement(u"prop"_s);
        xml_.writeAttribute(u"prop-type"_s, type);
        xml_.writeCharacters(*value);
        xml_.writeEndElement();
    }
    // The values a Qt program's language file may add, only when it has them.
    for (const auto &[type, value] : {std::pair{xliff::PropPluralForms, &header.PluralForms},
                                      std::pair{xliff::PropDirection, &header.Direction}}) {
        if (value->isEmpty())
            continue;
        xml_.writeStartElement(u"prop"_s);
        xml_.writeAttribute(u"prop-type"_s, type);
        xml_.writeCharacters(*value);
        xml_.writeEndElement();
    }
    if (header.TracksOriginals) {
        xml_.writeStartElement(u"prop"_s);
        xml_.writeAttribute(u"prop-type"_s, xliff::PropTracking);
        xml_.writeCharacters(u"originals"_s);
        xml_.writeEndElement();
    }
    xml_.writeEndElement(); // prop-group
    xml_.writeEndElement(); // header
    xml_.writeStartElement(u"body"_s);
    return {};
}

std::string XliffWriter::Unit(const ExchangeUnit &unit)
{
    for (const QString *text :
         {&unit.Resname, &unit.Source, &unit.Target, &unit.Context, &unit.Disambiguation, &unit.Location,
          &unit.PreviousSource, &unit.TranslatorComment}) {
        if (const QChar c = FirstCharacterXmlCannotHold(*text); !c.isNull())
            return Refusal(u"unit "_s + unit.Id, c);
    }
    for (const QStringList *texts : {&unit.Notes, &unit.Forms}) {
        for (const QString &text : *texts) {
            if (const QChar c = FirstCharacterXmlCannotHold(text); !c.isNull())
                return Refusal(u"unit "_s + unit.Id, c);
        }
    }
    if (!unit.Plural) {
        WriteTransUnit(unit, unit.Id, unit.Target);
    } else {
        xml_.writeStartElement(u"group"_s);
        xml_.writeAttribute(u"id"_s, unit.Id);
        xml_.writeAttribute(u"restype"_s, xliff::RestypePlurals);
        if (unit.Obsolete)
            xml_.writeAttribute(u"translate"_s, u"no"_s);
        for (qsizetype form = 0; form <= unit.Forms.size(); ++form)
            WriteTransUnit(unit, unit.Id + u'[' + QString::number(form) + u']',
                           form == 0 ? unit.Target : unit.Forms[form - 1]);
        xml_.writeEndElement();
    }
    if (buffer_.size() > (1 << 20))
        Flush();
    return {};
}

void XliffWriter::WriteTransUnit(const ExchangeUnit &unit, const QString &id, const QString &target)
{
    const bool translated = !target.isEmpty();
    xml_.writeStartElement(u"trans-unit"_s);
    xml_.writeAttribute(u"id"_s, id);
    if (!unit.Resname.isEmpty())
        xml_.writeAttribute(u"resname"_s, unit.Resname);
    // An obsolete translation: nothing to translate, kept for its text.
    if (unit.Obsolete)
        xml_.writeAttribute(u"translate"_s, u"no"_s);
    // The Translate Toolkit takes every unit that is not approved for one that needs review.
    xml_.writeAttribute(u"approved"_s, translated && !unit.NeedsReview ? u"yes"_s : u"no"_s);
    xml_.writeAttribute(u"http://www.w3.org/XML/1998/namespace"_s, u"space"_s, u"preserve"_s);
    xml_.writeTextElement(u"source"_s, unit.Source);
    if (translated) {
        xml_.writeStartElement(u"target"_s);
        xml_.writeAttribute(u"state"_s, unit.NeedsReview ? xliff::StateNeedsReview : xliff::StateTranslated);
        xml_.writeCharacters(target);
        xml_.writeEndElement();
    }
    // The original the translation was made from; alt-trans wants the translation with it.
    if (translated && !unit.PreviousSource.isNull()) {
        xml_.writeStartElement(u"alt-trans"_s);
        xml_.writeAttribute(u"alttranstype"_s, xliff::AltTransPrevious);
        xml_.writeTextElement(u"source"_s, unit.PreviousSource);
        xml_.writeTextElement(u"target"_s, target);
        xml_.writeEndElement();
    }
    // lconvert makes this the msgctxt of the PO files it writes, which keeps equal originals apart:
    // the number, or a Qt message's context packed as the PO file packs it.
    xml_.writeStartElement(u"context-group"_s);
    xml_.writeAttribute(u"purpose"_s, u"information"_s);
    xml_.writeStartElement(u"context"_s);
    xml_.writeAttribute(u"context-type"_s, xliff::ContextMsgctxt);
    xml_.writeCharacters(unit.HasContext() ? PackContext(unit.Context, unit.Disambiguation) : unit.Id);
    xml_.writeEndElement();
    xml_.writeEndElement();
    if (!unit.Location.isEmpty()) {
        // "file:line" as XLIFF names the two.
        const qsizetype colon = unit.Location.lastIndexOf(u':');
        bool isLine = false;
        if (colon > 0)
            unit.Location.mid(colon + 1).toUInt(&isLine);
        xml_.writeStartElement(u"context-group"_s);
        xml_.writeAttribute(u"purpose"_s, u"location"_s);
        xml_.writeStartElement(u"context"_s);
        xml_.writeAttribute(u"context-type"_s, u"sourcefile"_s);
        xml_.writeCharacters(isLine ? unit.Location.left(colon) : unit.Location);
        xml_.writeEndElement();
        if (isLine) {
            xml_.writeStartElement(u"context"_s);
            xml_.writeAttribute(u"context-type"_s, u"linenumber"_s);
            xml_.writeCharacters(unit.Location.mid(colon + 1));
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }
    // One note, a line each: tools that keep a single note (lconvert) keep all of it.
    if (!unit.Notes.isEmpty()) {
        xml_.writeStartElement(u"note"_s);
        xml_.writeAttribute(u"from"_s, xliff::NoteFrom);
        xml_.writeCharacters(unit.Notes.join(u'\n'));
        xml_.writeEndElement();
    }
    if (!unit.TranslatorComment.isEmpty()) {
        xml_.writeStartElement(u"note"_s);
        xml_.writeAttribute(u"from"_s, xliff::NoteFromTranslator);
        xml_.writeCharacters(unit.TranslatorComment);
        xml_.writeEndElement();
    }
    xml_.writeEndElement();
}

std::string XliffWriter::EndFile()
{
    xml_.writeEndElement(); // body
    xml_.writeEndElement(); // file
    return {};
}

std::string XliffWriter::Finish()
{
    StartDocument();
    xml_.writeEndDocument();
    if (Flush() && !xml_.hasError())
        return {};
    return DeviceError(device_);
}

bool XliffWriter::Flush()
{
    if (!failed_ && !buffer_.isEmpty()) {
        const QByteArray utf8 = buffer_.toUtf8();
        failed_ = device_.write(utf8) != utf8.size();
    }
    buffer_.clear();
    return !failed_;
}

} // namespace verbaria::exchange
