#include "exchange/DocumentImporter.h"

#include "editor/core/LanguageDocument.h"
#include "exchange/DocumentExport.h"
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

std::string DocumentImporter::ApplyUnit(const ExchangeUnit &unit)
{
    const auto &items = document_.polozky();
    const auto number = ParseWholeNumber(unit.Id.toStdString());
    const std::int32_t index = number ? document_.IndexOfNumber(*number) : -1;
    if (index < 0 || (items[static_cast<std::size_t>(index)].Kind != ikComponent &&
                      items[static_cast<std::size_t>(index)].Kind != ikMessage)) {
        if (ignoreUnknown_) {
            ++ignored_;
            return {};
        }
        return UnitName(unit) + ": no entry of the template has this number (see --ignore-unknown)";
    }
    const auto at = static_cast<std::size_t>(index);
    if (seen_[at])
        return UnitName(unit) + ": a second unit for the same entry";
    seen_[at] = 1;
    if (HasLineBreak(unit.Target))
        return UnitName(unit) + ": the translation holds a line break, which a language file cannot";
    std::string bytes;
    if (std::string error = Encode(unit.Target, UnitName(unit), bytes); !error.empty())
        return error;
    const QString expected = SourceOf(document_, at, codePages_);
    if (unit.Source != expected)
        conflicts_.push_back(UnitName(unit) + ": conflict: the file's source \"" + unit.Source.toStdString() +
                             "\" is not the template's text \"" + expected.toStdString() + "\"");
    if (unit.NeedsReview)
        reviewNumbers_.push_back(*number);
    document_.Grid().SetText(LanguageDocument::ColumnTranslation, index + 1, std::move(bytes));
    ++imported_;
    return {};
}

} // namespace verbaria::exchange
