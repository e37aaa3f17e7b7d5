#include "exchange/DocumentImporter.h"

#include "editor/core/LanguageDocument.h"
#include "exchange/DocumentExport.h"
#include "formats/MessageInfo.h"
#include "formats/TextRules.h"

namespace verbaria::exchange {

using namespace Qt::StringLiterals;

namespace {

bool HasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

std::string UnitName(const ExchangeUnit &unit)
{
    if (unit.Id.isEmpty())
        return "the unit at line " + std::to_string(unit.Line) + " (it has no number)";
    return "unit " + unit.Id.toStdString();
}

} // namespace

DocumentImporter::DocumentImporter(LanguageDocument &document, bool ignoreUnknown)
    : document_(document)
    , codePages_(CodePagesOf(document))
    , formTexts_(ReadFormTexts(document))
    , ignoreUnknown_(ignoreUnknown)
    , seen_(document.polozky().size(), 0)
{
}

std::string DocumentImporter::Encode(const QString &text, const std::string &what, std::string &bytes) const
{
    if (auto encoded = codePages_.Translations.Encode(text)) {
        bytes = std::move(*encoded);
        return {};
    }
    // Name the first character that does not fit, so the translator can find it.
    QString character;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        character = text.mid(i, length);
        if (!codePages_.Translations.CanEncode(character))
            break;
        i += length - 1;
    }
    return what + ": the code page " + codePages_.Translations.Name().toStdString() +
           " cannot hold the character '" + character.toStdString() + "'";
}

std::string DocumentImporter::ApplyHeader(const ExchangeHeader &header)
{
    DocumentHeader &values = document_.Header();
    // The code page first: the other values and every translation are encoded into it.
    if (!header.CodePage.isNull()) {
        if (!header.CodePage.isEmpty() && !CodePage::IsKnown(header.CodePage))
            return "header: the code page " + header.CodePage.toStdString() + " is not known";
        if (HasLineBreak(header.CodePage))
            return "header: a value holds a line break, which a language file cannot";
        values.KodovaStranka = header.CodePage.toStdString();
        codePages_ = CodePagesOf(document_);
    }
    QString language = header.Language;
    if (language.isNull() && !header.TargetLanguage.isEmpty())
        language = header.TargetLanguage;
    const std::pair<const QString *, std::string *> fields[] = {{&language, &values.editJazyk},
                                                                {&header.Version, &values.editVerzeJazyka},
                                                                {&header.Definition, &values.editSablona}};
    std::string bytes;
    for (const auto &[value, target] : fields) {
        if (value->isNull())
            continue;
        if (HasLineBreak(*value))
            return "header: a value holds a line break, which a language file cannot";
        if (std::string error = Encode(*value, "header", bytes); !error.empty())
            return error;
        *target = bytes;
    }
    // A Qt program's plural rule and direction, when the file says them.
    const std::pair<const QString *, std::string *> qtFields[] = {{&header.PluralForms, &values.PluralForms},
                                                                  {&header.Direction, &values.Direction}};
    for (const auto &[value, target] : qtFields) {
        if (value->isNull())
            continue;
        if (HasLineBreak(*value))
            return "header: a value holds a line break, which a language file cannot";
        if (std::string error = Encode(value->trimmed(), "header", bytes); !error.empty())
            return error;
        *target = bytes;
    }
    if (header.TracksOriginals)
        document_.SetTracking(true);
    if (!header.Author.isNull()) {
        // The author's lines come either in the one-line form or as real line breaks.
        QString author = header.Author;
        author.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
        if (std::string error = Encode(author, "header", bytes); !error.empty())
            return error;
        values.memoAutorJazyka = PipeToLineBreaks(LineBreaksToPipe(bytes));
    }
    return {};
}

std::string DocumentImporter::TranslationBytes(const QString &text, bool escaped, const std::string &what,
                                               std::string &bytes) const
{
    if (!escaped && HasLineBreak(text))
        return what + ": the translation holds a line break, which a language file cannot";
    if (std::string error = Encode(text, what, bytes); !error.empty())
        return error;
    if (escaped)
        bytes = EscapeMessageValue(bytes);
    return {};
}

namespace {

QString MessageKey(const QString &context, const QString &disambiguation, const QString &source)
{
    return u"M"_s + context + QChar(4) + disambiguation + QChar(4) + source;
}

QString ComponentKey(const QString &path)
{
    return u"C"_s + path;
}

} // namespace

std::int32_t DocumentImporter::FindByText(const ExchangeUnit &unit)
{
    const auto &items = document_.polozky();
    if (!byTextBuilt_) {
        byTextBuilt_ = true;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const TEditorItem &item = items[i];
            if ((item.Kind != ikComponent && item.Kind != ikMessage) || item.Number < 0 ||
                document_.IndexOfNumber(item.Number) != static_cast<std::int32_t>(i))
                continue;
            const auto index = static_cast<std::int32_t>(i);
            if (item.Kind == ikComponent) {
                byText_.try_emplace(ComponentKey(codePages_.Originals.Decode(item.Text)), index);
                continue;
            }
            const MessageInfo *info = document_.MessageOf(i);
            byText_.try_emplace(
                MessageKey(info ? codePages_.Originals.Decode(info->Context) : QString(),
                           info ? codePages_.Originals.Decode(info->Disambiguation) : QString(),
                           SourceOf(document_, i, codePages_, formTexts_)),
                index);
        }
    }
    for (const QString &key :
         {MessageKey(unit.Context, unit.Disambiguation, unit.Source),
          unit.Resname.isEmpty() ? QString() : ComponentKey(unit.Resname),
          unit.Disambiguation.isEmpty() && !unit.Context.isEmpty() ? ComponentKey(unit.Context)
                                                                   : QString()}) {
        if (key.isEmpty())
            continue;
        if (const auto found = byText_.find(key); found != byText_.end())
            return found->second;
    }
    return -1;
}

std::string DocumentImporter::ApplyObsolete(const ExchangeUnit &unit)
{
    // One the template has an entry for again, or one without a number, is no translation this
    // file can keep.
    const auto number = ParseWholeNumber(unit.Id.toStdString());
    if (!number || document_.IndexOfNumber(*number) >= 0)
        return {};
    ObsoleteTranslation kept;
    if (std::string error = TranslationBytes(unit.Target, false, UnitName(unit), kept.Translation);
        !error.empty())
        return error;
    if (unit.Plural) {
        for (const QString &form : unit.Forms) {
            if (std::string error = TranslationBytes(form, false, UnitName(unit), kept.Forms.emplace_back());
                !error.empty())
                return error;
        }
        while (!kept.Forms.empty() && kept.Forms.back().empty())
            kept.Forms.pop_back();
    }
    if (kept.Translation.empty() && kept.Forms.empty())
        return {};
    std::optional<std::string> original = codePages_.Originals.Encode(unit.Source);
    if (!original || HasLineBreak(unit.Source))
        return UnitName(unit) + ": the template's code page cannot hold the original on one line";
    kept.Original = *std::move(original);
    if (document_.ObsoleteOf(*number) != kept)
        document_.RestoreObsolete(*number, std::move(kept));
    ++obsolete_;
    return {};
}

std::string DocumentImporter::ApplyUnit(const ExchangeUnit &unit)
{
    if (unit.Obsolete)
        return ApplyObsolete(unit);
    const auto &items = document_.polozky();
    const auto number = ParseWholeNumber(unit.Id.toStdString());
    const std::int32_t index = number ? document_.IndexOfNumber(*number) : FindByText(unit);
    if (index < 0 || (items[static_cast<std::size_t>(index)].Kind != ikComponent &&
                      items[static_cast<std::size_t>(index)].Kind != ikMessage)) {
        if (ignoreUnknown_) {
            ++ignored_;
            return {};
        }
        if (!number)
            return UnitName(unit) +
                   ": no entry of the template has its text and context (see --ignore-unknown)";
        return UnitName(unit) + ": no entry of the template has this number (see --ignore-unknown)";
    }
    const auto at = static_cast<std::size_t>(index);
    const std::int32_t entryNumber = items[at].Number;
    if (seen_[at])
        return UnitName(unit) + ": a second unit for the same entry";
    seen_[at] = 1;
    const MessageInfo *info = items[at].Kind == ikMessage ? document_.MessageOf(at) : nullptr;
    if (unit.Plural && !(info && info->Plural))
        return UnitName(unit) + ": plural forms, but the entry is not a plural message";
    // The translations of a message with a /Source line may hold line breaks: the file holds them
    // escaped.
    const bool escaped = info && info->HasSource;
    std::string bytes;
    if (std::string error = TranslationBytes(unit.Target, escaped, UnitName(unit), bytes); !error.empty())
        return error;
    std::vector<std::string> forms;
    if (unit.Plural) {
        for (const QString &form : unit.Forms) {
            if (std::string error = TranslationBytes(form, escaped, UnitName(unit), forms.emplace_back());
                !error.empty())
                return error;
        }
    }
    const QString expected = SourceOf(document_, at, codePages_, formTexts_);
    if (unit.Source != expected)
        conflicts_.push_back(UnitName(unit) + ": conflict: the file's source \"" + unit.Source.toStdString() +
                             "\" is not the template's text \"" + expected.toStdString() + "\"");
    // In a file that tracks its originals a changed original is its own mark: the review it asks
    // for is not noted twice. Elsewhere the review note is all that keeps it.
    if (unit.NeedsReview && (unit.PreviousSource.isNull() || !document_.Tracking()))
        reviewNumbers_.push_back(entryNumber);
    if (!unit.TranslatorComment.isEmpty())
        comments_.emplace_back(entryNumber, unit.TranslatorComment.toStdString());
    document_.Grid().SetText(LanguageDocument::ColumnTranslation, index + 1, std::move(bytes));
    if (unit.Plural)
        document_.SetForms(at, std::move(forms));
    // Made from an original the template has changed since: recorded, so the entry stays marked.
    if (!unit.PreviousSource.isNull() && unit.PreviousSource != expected) {
        std::optional<std::string> previous = codePages_.Originals.Encode(unit.PreviousSource);
        if (!previous)
            return UnitName(unit) + ": the template's code page cannot hold the previous source";
        document_.RecordOriginal(entryNumber, *std::move(previous));
    }
    ++imported_;
    return {};
}

} // namespace verbaria::exchange
