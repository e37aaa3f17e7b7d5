#include "exchange/PoWriter.h"

#include "exchange/MessageContext.h"
#include "exchange/PoHeader.h"
#include "formats/LanguageTag.h"

#include <QIODevice>

#include <algorithm>
#include <vector>

namespace verbaria::exchange {

using namespace Qt::StringLiterals;

namespace {

// A PO string literal: quotes and backslashes escaped, TAB and CR as \t and \r, everything else
// as it is (UTF-8).
void AppendQuoted(QByteArray &out, const QString &text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    const char *begin = utf8.constData();
    const char *const end = begin + utf8.size();
    const char *run = begin;
    for (const char *p = begin; p != end; ++p) {
        const char c = *p;
        const char *escape = nullptr;
        switch (c) {
        case '"':
            escape = "\\\"";
            break;
        case '\\':
            escape = "\\\\";
            break;
        case '\t':
            escape = "\\t";
            break;
        case '\r':
            escape = "\\r";
            break;
        case '\n':
            escape = "\\n";
            break;
        default:
            continue;
        }
        out.append(run, p - run);
        out += escape;
        run = p + 1;
    }
    out.append(run, end - run);
    out += '"';
}

// The message's lines: msgctxt, msgid and its translations, each behind lead.
void AppendMessage(QByteArray &out, const char *lead, const QString &context, const ExchangeUnit &unit)
{
    out.append(lead).append("msgctxt ");
    AppendQuoted(out, context);
    out.append("\n").append(lead).append("msgid ");
    AppendQuoted(out, unit.Source);
    if (unit.Plural) {
        // A Qt message has one text for every count.
        out.append("\n").append(lead).append("msgid_plural ");
        AppendQuoted(out, unit.Source);
        for (qsizetype form = 0; form <= unit.Forms.size(); ++form) {
            out.append("\n").append(lead).append("msgstr[");
            out += QByteArray::number(form);
            out += "] ";
            AppendQuoted(out, form == 0 ? unit.Target : unit.Forms[form - 1]);
        }
    } else {
        out.append("\n").append(lead).append("msgstr ");
        AppendQuoted(out, unit.Target);
    }
    out += '\n';
}

bool HasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

PoWriter::PoWriter(QIODevice &device, QDateTime revised)
    : device_(device)
    , revised_(std::move(revised))
{
}

std::string PoWriter::BeginFile(const ExchangeHeader &header)
{
    if (++files_ > 1)
        return "a PO file holds one language file; export each language file on its own";
    for (const QString *value :
         {&header.TargetLanguage, &header.Program, &header.ProgramVersion, &header.Language, &header.Version,
          &header.Author, &header.Definition, &header.CodePage, &header.PluralForms, &header.Direction,
          &header.PluralRule, &header.LanguageTag}) {
        if (HasLineBreak(*value))
            return "header: a PO header value cannot hold a line break";
    }
    QString project = header.Program;
    if (!header.ProgramVersion.isEmpty())
        project += (project.isEmpty() ? u""_s : u" "_s) + header.ProgramVersion;
    QString language = header.TargetLanguage.isEmpty() ? header.Language : header.TargetLanguage;
    // gettext names a language with its region after "_": "de_AT".
    if (IsLanguageTag(language.toStdString()))
        language = QString::fromStdString(PoLanguageOf(language.toStdString()));
    std::vector<std::pair<QString, QString>> fields = {
        {u"Project-Id-Version"_s, project},
        {u"PO-Revision-Date"_s,
         revised_.toString(u"yyyy-MM-dd HH:mm"_s) + (revised_.offsetFromUtc() < 0 ? u"-"_s : u"+"_s) +
             QTime(0, 0).addSecs(std::abs(revised_.offsetFromUtc())).toString(u"HHmm"_s)},
        {u"Last-Translator"_s, header.Author},
        {u"Language-Team"_s, header.Language},
        {u"Language"_s, language},
        {u"MIME-Version"_s, u"1.0"_s},
        {u"Content-Type"_s, u"text/plain; charset=UTF-8"_s},
        {u"Content-Transfer-Encoding"_s, u"8bit"_s},
    };
    // A Qt program's file: the rule its msgstr[N] follow, the language for lconvert (which keeps
    // only the forms of the language it knows) and the sign that msgctxt holds packed contexts.
    if (!header.PluralRule.isEmpty())
        fields.emplace_back(u"Plural-Forms"_s, header.PluralRule);
    if (!header.LanguageTag.isEmpty())
        fields.emplace_back(u"X-Language"_s, header.LanguageTag);
    if (header.QtContexts)
        fields.emplace_back(u"X-Qt-Contexts"_s, u"true"_s);
    fields.insert(fields.end(), {{po::FieldLanguage, header.Language},
                                 {po::FieldVersion, header.Version},
                                 {po::FieldAuthor, header.Author},
                                 {po::FieldDefinition, header.Definition},
                                 {po::FieldCodePage, header.CodePage}});
    // The language file's own rule, which may be none where Plural-Forms gives its language's.
    if (!header.PluralRule.isEmpty())
        fields.emplace_back(po::FieldPluralForms, header.PluralForms);
    if (!header.Direction.isEmpty())
        fields.emplace_back(po::FieldDirection, header.Direction);
    if (header.TracksOriginals)
        fields.emplace_back(po::FieldTracking, u"originals"_s);
    if (!header.Original.isEmpty()) {
        buffer_ += "# ";
        buffer_ += header.Original.toUtf8();
        buffer_ += '\n';
    }
    buffer_ += "msgid \"\"\nmsgstr \"\"\n";
    for (const auto &[key, value] : fields) {
        AppendQuoted(buffer_, key + u": "_s + value + u"\n"_s);
        buffer_ += '\n';
    }
    return {};
}

std::string PoWriter::Unit(const ExchangeUnit &unit)
{
    if (unit.Obsolete)
        return ObsoleteUnit(unit);
    for (const QString &note : unit.Notes) {
        if (HasLineBreak(note))
            return "unit " + unit.Id.toStdString() + ": a comment cannot hold a line break";
    }
    if (HasLineBreak(unit.Location))
        return "unit " + unit.Id.toStdString() + ": a location cannot hold a line break";
    buffer_ += '\n';
    // The translator's comment first, a "# " line per line of it, as gettext's tools keep it.
    if (!unit.TranslatorComment.isEmpty()) {
        for (const QString &line : unit.TranslatorComment.split(u'\n')) {
            buffer_ += line.isEmpty() ? "#" : "# ";
            buffer_ += QString(line).remove(u'\r').toUtf8();
            buffer_ += '\n';
        }
    }
    for (const QString &note : unit.Notes) {
        buffer_ += "#. ";
        buffer_ += note.toUtf8();
        buffer_ += '\n';
    }
    // The reference carries the number through tools that drop msgctxt (po2xliff, xliff2po).
    buffer_ += "#: ";
    buffer_ += unit.Id.toUtf8();
    buffer_ += '\n';
    if (!unit.Location.isEmpty()) {
        buffer_ += "#: ";
        buffer_ += unit.Location.toUtf8();
        buffer_ += '\n';
    }
    const bool translated =
        !unit.Target.isEmpty() || std::any_of(unit.Forms.begin(), unit.Forms.end(),
                                              [](const QString &form) { return !form.isEmpty(); });
    if (unit.NeedsReview && translated)
        buffer_ += "#, fuzzy\n";
    // The original it was made from, as msgmerge --previous keeps it.
    if (!unit.PreviousSource.isNull() && translated) {
        buffer_ += "#| msgid ";
        AppendQuoted(buffer_, unit.PreviousSource);
        buffer_ += '\n';
    }
    // msgctxt keeps equal originals apart: the packed context of a Qt message, else the number. Two
    // entries a template holds with the same context and text (gettext refuses such a pair) keep
    // theirs apart by number.
    QString context = unit.Id;
    if (unit.HasContext()) {
        QString packed = PackContext(unit.Context, unit.Disambiguation);
        if (!contexts_.contains(packed + QChar(4) + unit.Source)) {
            contexts_.insert(packed + QChar(4) + unit.Source);
            context = std::move(packed);
        }
    }
    AppendMessage(buffer_, "", context, unit);
    if (buffer_.size() > (1 << 20))
        Flush();
    return {};
}

// As msgmerge keeps a message its sources dropped: every line of it behind "#~ ", the number as
// msgctxt and the original the translation was made from as msgid.
std::string PoWriter::ObsoleteUnit(const ExchangeUnit &unit)
{
    buffer_ += '\n';
    AppendMessage(buffer_, "#~ ", unit.Id, unit);
    return {};
}

std::string PoWriter::EndFile()
{
    return {};
}

void PoWriter::Flush()
{
    if (!failed_ && device_.write(buffer_) != buffer_.size())
        failed_ = true;
    buffer_.resize(0); // keeps its room for the next megabyte
}

std::string PoWriter::Finish()
{
    Flush();
    return failed_ ? DeviceError(device_) : std::string();
}

} // namespace verbaria::exchange
