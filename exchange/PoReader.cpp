#include "exchange/PoReader.h"

#include "exchange/MessageContext.h"
#include "exchange/PoHeader.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace verbaria::exchange {

using namespace Qt::StringLiterals;

namespace {

struct Entry
{
    bool Started = false;
    bool Fuzzy = false;
    std::optional<QByteArray> Context;
    std::optional<QByteArray> Id;
    std::optional<QByteArray> Str;
    std::optional<QByteArray> Plural;     // msgid_plural
    std::vector<QByteArray> PluralStr;    // msgstr[0], msgstr[1], ...
    std::vector<QByteArray> References;   // every #: reference
    QByteArray TsId;                      // lconvert's "#. ts-id N", which keeps an XLIFF unit's id
    std::optional<QByteArray> PreviousId; // "#| msgid": the original the translation was made from
    bool Obsolete = false;                // its lines stood behind "#~"
    std::optional<QByteArray> Comment;    // the translator's "# " lines, joined by line breaks
    long long Line = 0;
};

// The text between the quotes of a PO string literal, unescaped; false when it is not one.
bool Unquote(std::string_view text, QByteArray &out)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return false;
    text = text.substr(1, text.size() - 2);
    // Runs without escapes go in at once.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t special = text.find_first_of("\\\"", i);
        const std::size_t end = special == std::string_view::npos ? text.size() : special;
        out.append(text.data() + i, static_cast<qsizetype>(end - i));
        if (end == text.size())
            return true;
        i = end;
        if (text[i] == '"')
            return false;
        if (++i == text.size())
            return false;
        const std::optional<char> escaped = SimpleEscape(text[i]);
        if (!escaped)
            return false;
        out += *escaped;
    }
    return true;
}

class Reader final
{
public:
    explicit Reader(ExchangeReceiver &receiver)
        : receiver_(receiver)
    {
    }

    std::string Run(const QByteArray &bytes)
    {
        std::string_view rest(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (rest.starts_with(Utf8ByteOrderMark))
            rest.remove_prefix(Utf8ByteOrderMark.size());
        while (!rest.empty() || lineNumber_ == 0) {
            const std::size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            ++lineNumber_;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (std::string error = Line(line); !error.empty())
                return "line " + std::to_string(lineNumber_) + ": " + error;
            if (!unitError_.empty())
                return unitError_;
            if (rest.empty())
                break;
        }
        if (std::string error = Complete(); !error.empty())
            return "line " + std::to_string(lineNumber_) + ": " + error;
        if (!unitError_.empty())
            return unitError_;
        if (std::string error = Begin(); !error.empty())
            return error;
        return receiver_.EndFile();
    }

private:
    std::string Line(std::string_view line)
    {
        std::string_view trimmed = line;
        while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t'))
            trimmed.remove_prefix(1);
        if (trimmed.empty())
            return Complete();
        if (trimmed.front() == '#') {
            if (trimmed.starts_with("#~"))
                return ObsoleteLine(trimmed.substr(2));
            // A comment after msgstr opens the next entry.
            if (entry_.Str || !entry_.PluralStr.empty())
                if (std::string error = Complete(); !error.empty())
                    return error;
            Start();
            if (trimmed.starts_with("#|")) {
                std::string_view previous = trimmed.substr(2);
                while (!previous.empty() && (previous.front() == ' ' || previous.front() == '\t'))
                    previous.remove_prefix(1);
                // Only the previous msgid matters; its string may go on over "#| \"...\"" lines.
                if (previous.starts_with("msgid ")) {
                    entry_.PreviousId.emplace();
                    previousOpen_ = true;
                    previous.remove_prefix(6);
                } else if (!previous.starts_with('"')) {
                    previousOpen_ = false;
                }
                if (previousOpen_ && !Unquote(previous, *entry_.PreviousId))
                    return "not a valid PO string";
                return {};
            }
            previousOpen_ = false;
            if (trimmed.size() == 1 || trimmed[1] == ' ' || trimmed[1] == '\t') {
                // The translator's comment, a line of it.
                std::string_view text = trimmed.substr(1);
                if (!text.empty())
                    text.remove_prefix(1);
                if (entry_.Comment)
                    *entry_.Comment += '\n';
                else
                    entry_.Comment.emplace();
                entry_.Comment->append(text.data(), static_cast<qsizetype>(text.size()));
            } else if (trimmed.starts_with("#,")) {
                std::string_view flags = trimmed.substr(2);
                while (!flags.empty()) {
                    const std::size_t comma = flags.find(',');
                    std::string_view flag = flags.substr(0, comma);
                    while (!flag.empty() && flag.front() == ' ')
                        flag.remove_prefix(1);
                    while (!flag.empty() && flag.back() == ' ')
                        flag.remove_suffix(1);
                    if (flag == "fuzzy")
                        entry_.Fuzzy = true;
                    flags = comma == std::string_view::npos ? std::string_view() : flags.substr(comma + 1);
                }
            } else if (trimmed.starts_with("#:")) {
                std::string_view refs = trimmed.substr(2);
                while (!refs.empty()) {
                    const std::size_t start = refs.find_first_not_of(" \t");
                    if (start == std::string_view::npos)
                        break;
                    refs.remove_prefix(start);
                    const std::size_t end = std::min(refs.find_first_of(" \t"), refs.size());
                    entry_.References.emplace_back(refs.data(), static_cast<qsizetype>(end));
                    refs.remove_prefix(end);
                }
            } else if (trimmed.starts_with("#.")) {
                std::string_view note = trimmed.substr(2);
                if (note.starts_with(' '))
                    note.remove_prefix(1);
                // Only lconvert's ts-id matters to an import; the other comments are ours.
                if (note.starts_with("ts-id ") && entry_.TsId.isEmpty())
                    entry_.TsId = QByteArray(note.data() + 6, static_cast<qsizetype>(note.size() - 6));
            }
            return {};
        }
        if (trimmed.front() == '"') {
            if (!current_)
                return "a string without a keyword before it";
            if (!Unquote(trimmed, *current_))
                return "not a valid PO string";
            return {};
        }
        const std::size_t space = trimmed.find_first_of(" \t");
        const std::string_view keyword = trimmed.substr(0, space);
        const std::string_view value =
            space == std::string_view::npos ? std::string_view() : trimmed.substr(space + 1);
        std::optional<QByteArray> *field = nullptr;
        if (keyword == "msgctxt" || keyword == "msgid") {
            if (entry_.Str || !entry_.PluralStr.empty())
                if (std::string error = Complete(); !error.empty())
                    return error;
            Start();
            field = keyword == "msgctxt" ? &entry_.Context : &entry_.Id;
            if (keyword == "msgctxt" && entry_.Id)
                return "msgctxt after msgid";
        } else if (keyword == "msgid_plural") {
            if (!entry_.Id || entry_.Str || !entry_.PluralStr.empty())
                return "msgid_plural belongs right after msgid";
            field = &entry_.Plural;
        } else if (keyword == "msgstr") {
            if (!entry_.Id)
                return "msgstr without msgid";
            if (entry_.Plural)
                return "msgstr after msgid_plural (msgstr[0] expected)";
            field = &entry_.Str;
        } else if (keyword.starts_with("msgstr[") && keyword.ends_with("]")) {
            if (!entry_.Plural)
                return "msgstr[N] without msgid_plural";
            const std::string_view digits = keyword.substr(7, keyword.size() - 8);
            if (digits != std::to_string(entry_.PluralStr.size()))
                return "msgstr[" + std::to_string(entry_.PluralStr.size()) + "] expected";
            entry_.PluralStr.emplace_back();
            current_ = &entry_.PluralStr.back();
            if (!Unquote(value, *current_))
                return "not a valid PO string";
            return {};
        } else {
            return "unknown keyword '" + std::string(keyword) + "'";
        }
        if (*field)
            return "a second " + std::string(keyword);
        field->emplace();
        current_ = &**field;
        if (!Unquote(value, *current_))
            return "not a valid PO string";
        return {};
    }

    // A line of an obsolete entry, read as the entry's own lines are. Its previous original
    // ("#~|") is passed over: the original the translation was made from is its msgid.
    std::string ObsoleteLine(std::string_view line)
    {
        if (line.starts_with('|'))
            return {};
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty() || line.front() == '#')
            return {};
        // The entry before it ends here, and its faults are its own.
        if (!entry_.Obsolete && (entry_.Str || !entry_.PluralStr.empty()))
            if (std::string error = Complete(); !error.empty())
                return error;
        (void)Line(line); // what another tool kept of a dropped message stops nothing
        entry_.Obsolete = entry_.Started;
        return {};
    }

    void Start()
    {
        if (entry_.Started)
            return;
        entry_.Started = true;
        entry_.Line = lineNumber_;
    }

    bool Decode(const QByteArray &bytes, QString &text)
    {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder.decode(bytes);
        return !decoder.hasError();
    }

    std::string Complete()
    {
        current_ = nullptr;
        if (!entry_.Started)
            return {};
        Entry entry = std::move(entry_);
        entry_ = Entry();
        if (!entry.Id && !entry.Str && !entry.Context)
            return {}; // comments only
        // What another tool kept of a message its sources dropped stops nothing: at worst it is
        // not read, as it never was before.
        const auto fault = [&entry](std::string what) { return entry.Obsolete ? std::string() : what; };
        if (!entry.Id || (!entry.Str && entry.PluralStr.empty()))
            return fault("an entry needs msgid and msgstr");
        ExchangeUnit unit;
        unit.Line = entry.Line;
        QString context;
        if (!Decode(*entry.Id, unit.Source) || !Decode(entry.Context.value_or(QByteArray()), context))
            return fault("the text is not UTF-8");
        if (entry.Plural) {
            unit.Plural = true;
            for (std::size_t form = 0; form < entry.PluralStr.size(); ++form) {
                QString text;
                if (!Decode(entry.PluralStr[form], text))
                    return fault("the text is not UTF-8");
                if (form == 0)
                    unit.Target = text;
                else
                    unit.Forms.append(text);
            }
        } else if (!Decode(*entry.Str, unit.Target)) {
            return fault("the text is not UTF-8");
        }
        if (!entry.Context && entry.Id->isEmpty()) {
            if (entry.Obsolete)
                return {}; // an obsolete header is no header
            if (seenHeader_ || begun_)
                return "a second header entry";
            seenHeader_ = true;
            QString charset;
            ReadPoHeaderFields(unit.Target, header_, charset);
            if (!charset.isEmpty() && charset.compare(u"UTF-8"_s, Qt::CaseInsensitive) != 0)
                return "the charset is " + charset.toStdString() + "; only UTF-8 can be read";
            return {};
        }
        // The number: msgctxt, else what converters that drop msgctxt keep of it: a reference
        // (xliff2po) or the ts-id comment (lconvert). Any other msgctxt is a context.
        auto isNumber = [](const QString &text) {
            bool number = false;
            text.toInt(&number);
            return number;
        };
        if (isNumber(context)) {
            unit.Id = context;
        } else {
            UnpackContext(context, unit.Context, unit.Disambiguation);
            for (const QByteArray &reference : entry.References) {
                if (const QString text = QString::fromUtf8(reference); isNumber(text)) {
                    unit.Id = text;
                    break;
                }
            }
            if (unit.Id.isEmpty() && isNumber(QString::fromUtf8(entry.TsId)))
                unit.Id = QString::fromUtf8(entry.TsId);
        }
        if (entry.PreviousId && !Decode(*entry.PreviousId, unit.PreviousSource))
            return fault("the text is not UTF-8");
        unit.Obsolete = entry.Obsolete;
        if (entry.Comment && !Decode(*entry.Comment, unit.TranslatorComment))
            return fault("the text is not UTF-8");
        unit.NeedsReview = entry.Fuzzy && (!unit.Target.isEmpty() ||
                                           std::any_of(unit.Forms.begin(), unit.Forms.end(),
                                                       [](const QString &f) { return !f.isEmpty(); }));
        if (std::string error = Begin(); !error.empty()) {
            unitError_ = error;
            return {};
        }
        unitError_ = receiver_.Unit(unit);
        return {};
    }

    std::string Begin()
    {
        if (begun_)
            return {};
        begun_ = true;
        return receiver_.BeginFile(header_);
    }

    ExchangeReceiver &receiver_;
    ExchangeHeader header_;
    Entry entry_;
    QByteArray *current_ = nullptr;
    bool previousOpen_ = false;
    long long lineNumber_ = 0;
    bool seenHeader_ = false;
    bool begun_ = false;
    std::string unitError_;
};

} // namespace

std::string ReadPo(const QByteArray &bytes, ExchangeReceiver &receiver)
{
    Reader reader(receiver);
    return reader.Run(bytes);
}

} // namespace verbaria::exchange
