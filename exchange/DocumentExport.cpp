#include "exchange/DocumentExport.h"

#include "checks/ScannedTexts.h"
#include "editor/core/LanguageDocument.h"
#include "formats/FileIO.h"
#include "formats/MessageInfo.h"
#include "formats/Paths.h"
#include "formats/TextRules.h"
#include "translator/PluralRule.h"

#include <QFile>

#include <algorithm>

namespace verbaria::exchange {

using namespace Qt::StringLiterals;

namespace {

// A byte the code page has no character for comes out as U+FFFD and could not go back.
bool DecodesWhole(const QString &text)
{
    return !text.contains(QChar::ReplacementCharacter);
}

QString KindLine(const TEditorItem &item, const QString &text)
{
    return item.Kind == ikComponent ? u"COMPONENT "_s + text : u"MESSAGE"_s;
}

// Whether any line may be a "/Text=" comment: most templates have none, and need no second reading.
bool MayHoldFormTexts(std::string_view bytes)
{
    for (std::size_t at = bytes.find('/'); at != std::string_view::npos; at = bytes.find('/', at + 1)) {
        if (EqualsIgnoringAsciiCase(bytes.substr(at, 6), "/Text="))
            return true;
    }
    return false;
}

// The text a component's source is when no description language gives one.
const std::string *FormTextOf(const TEditorItem &item, const FormTexts &formTexts)
{
    if (item.Kind != ikComponent || formTexts.empty())
        return nullptr;
    const auto found = formTexts.find(item.Number);
    return found == formTexts.end() ? nullptr : &found->second;
}

// A translation as the program will show it: the translations of a message with a /Source line
// are escaped as that line is.
QString TranslationText(const CodePage &codePage, const std::string &bytes, bool escaped)
{
    return codePage.Decode(escaped ? UnescapeMessageValue(bytes) : bytes);
}

// The translations a tracking file keeps for numbers the template no longer has, after the
// entries, with the originals they were made from.
std::string ExportObsolete(const LanguageDocument &document, const DocumentCodePages &codePages,
                           ExchangeWriter &writer)
{
    for (const auto &[number, kept] : document.Obsolete()) {
        ExchangeUnit unit;
        unit.Obsolete = true;
        unit.Id = QString::number(number);
        unit.Source = codePages.Originals.Decode(kept.Original);
        unit.Target = codePages.Translations.Decode(kept.Translation);
        unit.Plural = !kept.Forms.empty();
        for (const std::string &form : kept.Forms)
            unit.Forms.append(codePages.Translations.Decode(form));
        unit.Notes.append(u"OBSOLETE"_s);
        bool whole = DecodesWhole(unit.Source) && DecodesWhole(unit.Target);
        for (const QString &form : unit.Forms)
            whole = whole && DecodesWhole(form);
        if (!whole)
            return "obsolete unit " + std::to_string(number) +
                   ": a byte of its texts is not a character of the file's code page";
        if (std::string error = writer.Unit(unit); !error.empty())
            return error;
    }
    return {};
}

} // namespace

FormTexts ReadFormTexts(const LanguageDocument &document)
{
    FormTexts texts;
    if (document.aktualniSablona().empty())
        return texts;
    const std::string path = document.FindTemplate(document.aktualniSablona(), {});
    std::string bytes;
    if (path.empty() || !ReadFileBytes(NativePath(path), bytes) || !MayHoldFormTexts(bytes))
        return texts;
    EditorTemplate ignored;
    checks::ScannedTexts scanned;
    try {
        checks::ReadTemplateWithScannedTexts(bytes, ignored, scanned);
    } catch (const std::exception &) {
        // The document read the template and stopped where this reading stops: the texts before
        // the error are the ones it has entries for.
    }
    for (const auto &[number, text] : scanned)
        texts.emplace(number, std::string(text));
    return texts;
}

QString SourceOf(const LanguageDocument &document, std::size_t index, const DocumentCodePages &codePages,
                 const FormTexts &formTexts)
{
    const TEditorItem &item = document.polozky()[index];
    if (item.Kind == ikComponent) {
        const std::string &left =
            document.Grid().Text(LanguageDocument::ColumnOriginal, static_cast<int>(index) + 1);
        if (!left.empty() && left != item.Text)
            return codePages.Descriptions.Decode(left);
        if (const std::string *formText = FormTextOf(item, formTexts))
            return codePages.Originals.Decode(*formText);
    }
    if (const MessageInfo *info = document.MessageOf(index);
        info && item.Kind == ikMessage && info->HasSource)
        return codePages.Originals.Decode(info->Source);
    return codePages.Originals.Decode(item.Text);
}

std::string ExportDocument(const LanguageDocument &document, const ExportSettings &settings,
                           ExchangeWriter &writer)
{
    const DocumentCodePages codePages = CodePagesOf(document);
    const FormTexts formTexts = ReadFormTexts(document);
    const DocumentHeader &values = document.Header();
    ExchangeHeader header;
    const std::string fileName = FileNameOf(document.souborJazyka());
    header.Original = QFile::decodeName(QByteArray(fileName.data(), static_cast<qsizetype>(fileName.size())));
    header.Program = codePages.Originals.Decode(values.editProgram);
    header.ProgramVersion = codePages.Originals.Decode(values.editVerzeProgramu);
    header.Language = codePages.Translations.Decode(values.editJazyk);
    header.Version = codePages.Translations.Decode(values.editVerzeJazyka);
    header.Author = codePages.Translations.Decode(LineBreaksToPipe(values.memoAutorJazyka));
    header.Definition = codePages.Translations.Decode(values.editSablona);
    header.CodePage = QString::fromStdString(values.KodovaStranka);
    header.PluralForms = codePages.Translations.Decode(values.PluralForms);
    header.Direction = codePages.Translations.Decode(values.Direction);
    header.TracksOriginals = values.SledovatOriginaly;
    header.SourceLanguage = settings.SourceLanguage.isEmpty() ? u"und"_s : settings.SourceLanguage;
    header.TargetLanguage = settings.TargetLanguage.isEmpty() ? header.Language : settings.TargetLanguage;
    for (const QString *value : {&header.Language, &header.Version, &header.Author, &header.Definition,
                                 &header.PluralForms, &header.Direction}) {
        if (!DecodesWhole(*value))
            return "header: a byte of the language file is not a character of " +
                   codePages.Translations.Name().toStdString();
    }

    const auto &items = document.polozky();
    const GridCells &grid = document.Grid();
    const std::size_t count =
        std::min(items.size(), static_cast<std::size_t>(std::max(grid.RowCount() - 1, 0)));
    // A language file can only address the first entry of a number, and never -1.
    auto exported = [&](std::size_t i) {
        const TEditorItem &item = items[i];
        return (item.Kind == ikComponent || item.Kind == ikMessage) && item.Number >= 0 &&
               document.IndexOfNumber(item.Number) == static_cast<std::int32_t>(i);
    };
    auto messageOf = [&](std::size_t i) {
        return items[i].Kind == ikMessage ? document.MessageOf(i) : nullptr;
    };

    // A Qt program's file says more in its header: the plural rule its forms follow and that
    // msgctxt holds contexts.
    bool plurals = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!exported(i))
            continue;
        if (const MessageInfo *info = messageOf(i)) {
            header.QtContexts = header.QtContexts || !info->Context.empty() || !info->Disambiguation.empty();
            plurals = plurals || info->Plural;
        } else if (FormTextOf(items[i], formTexts)) {
            header.QtContexts = true;
        }
    }
    const QString tag = settings.LanguageTag.isEmpty() ? header.TargetLanguage : settings.LanguageTag;
    // Qt's tools keep only the plural forms of a language they recognise, by its tag.
    if ((plurals || header.QtContexts) && settings.TargetLanguage.isEmpty())
        header.TargetLanguage = tag;
    std::size_t pluralCount = 1;
    if (plurals || !values.PluralForms.empty()) {
        // The file's own rule, else its language's (English's "n != 1" for a language the table
        // does not know, as gettext assumes).
        std::optional<PluralRule> rule = PluralRule::Parse(values.PluralForms);
        header.PluralRule =
            rule ? header.PluralForms : QString::fromStdString(PluralRule::PluralFormsOf(tag.toStdString()));
        if (!rule)
            rule = PluralRule::Parse(header.PluralRule.toStdString());
        pluralCount = static_cast<std::size_t>(rule ? rule->Count() : 2);
    }
    if (plurals || header.QtContexts)
        header.LanguageTag =
            settings.TargetLanguage.isEmpty() ? settings.LanguageTag : settings.TargetLanguage;
    if (std::string error = writer.BeginFile(header); !error.empty())
        return error;

    QString sectionNote; // empty under a section without text
    QStringList comments;
    ExchangeUnit unit;
    for (std::size_t i = 0; i < count; ++i) {
        const TEditorItem &item = items[i];
        if (item.Kind == ikSection) {
            const QString text = codePages.Originals.Decode(item.Text);
            sectionNote = text.isEmpty() ? QString() : u"SECTION "_s + text;
            comments.clear();
            continue;
        }
        if (item.Kind == ikComment) {
            comments.append(codePages.Originals.Decode(item.Text));
            continue;
        }
        if (!exported(i)) {
            comments.clear();
            continue;
        }
        const MessageInfo *info = messageOf(i);
        const bool escaped = info && info->HasSource;
        const int row = static_cast<int>(i) + 1;
        unit.Id = QString::number(item.Number);
        const QString path = codePages.Originals.Decode(item.Text);
        unit.Resname = item.Kind == ikComponent ? path : QString();
        // As SourceOf, without decoding the template's text twice.
        const std::string &left = grid.Text(LanguageDocument::ColumnOriginal, row);
        const std::string *formText = FormTextOf(item, formTexts);
        if (item.Kind == ikComponent && !left.empty() && left != item.Text)
            unit.Source = codePages.Descriptions.Decode(left);
        else if (formText)
            unit.Source = codePages.Originals.Decode(*formText);
        else if (escaped)
            unit.Source = codePages.Originals.Decode(info->Source);
        else
            unit.Source = path;
        unit.Target = TranslationText(codePages.Translations,
                                      grid.Text(LanguageDocument::ColumnTranslation, row), escaped);
        unit.Context = info ? codePages.Originals.Decode(info->Context) : formText ? path : QString();
        unit.Disambiguation = info ? codePages.Originals.Decode(info->Disambiguation) : QString();
        unit.Location = info ? codePages.Originals.Decode(info->Location) : QString();
        unit.Plural = info && info->Plural;
        unit.Forms.clear();
        if (unit.Plural) {
            // Every form of the rule, and any further one the file holds.
            const std::vector<std::string> *forms = document.FormsOf(i);
            std::size_t held = 0;
            for (std::size_t form = 0; forms && form < forms->size(); ++form) {
                if (!(*forms)[form].empty())
                    held = form + 1;
            }
            for (std::size_t form = 0; form + 1 < std::max(pluralCount, held + 1); ++form)
                unit.Forms.append(form < held
                                      ? TranslationText(codePages.Translations, (*forms)[form], escaped)
                                      : QString());
        }
        for (const QString *text : std::initializer_list<const QString *>{
                 &unit.Target, &unit.Source, &path, &unit.Context, &unit.Disambiguation, &unit.Location}) {
            if (!DecodesWhole(*text))
                return "unit " + std::to_string(item.Number) +
                       ": a byte of its texts is not a character of the file's code page";
        }
        for (const QString &form : unit.Forms) {
            if (!DecodesWhole(form))
                return "unit " + std::to_string(item.Number) +
                       ": a byte of its texts is not a character of the file's code page";
        }
        const bool translated =
            !unit.Target.isEmpty() ||
            std::any_of(unit.Forms.begin(), unit.Forms.end(), [](const QString &f) { return !f.isEmpty(); });
        unit.NeedsReview = translated && settings.NeedsReview && settings.NeedsReview(item.Number);
        // A translation made from another original than the template's now waits for review too,
        // with the original it was made from.
        unit.PreviousSource = QString();
        if (const std::string *old = translated ? document.OldOriginal(i) : nullptr) {
            unit.PreviousSource = codePages.Originals.Decode(*old);
            if (unit.PreviousSource.isNull())
                unit.PreviousSource = u""_s;
            unit.NeedsReview = true;
        }
        unit.TranslatorComment =
            settings.Comment ? QString::fromStdString(settings.Comment(item.Number)) : QString();
        unit.Notes.clear();
        unit.Notes.append(KindLine(item, path));
        if (!sectionNote.isEmpty())
            unit.Notes.append(sectionNote);
        for (const QString &comment : comments)
            unit.Notes.append(u"COMMENT "_s + comment);
        comments.clear();
        // The programmer's comment to the translator, a note line per line of it.
        if (info && !info->Comment.empty()) {
            const QString comment = codePages.Originals.Decode(info->Comment);
            if (!DecodesWhole(comment))
                return "unit " + std::to_string(item.Number) +
                       ": a byte of its texts is not a character of the file's code page";
            for (const QString &line : comment.split(u'\n')) {
                const QString text = line.endsWith(u'\r') ? line.chopped(1) : line;
                unit.Notes.append(QString(text).replace(u'\r', u' '));
            }
        }
        if (std::string error = writer.Unit(unit); !error.empty())
            return error;
    }
    if (document.Tracking()) {
        if (std::string error = ExportObsolete(document, codePages, writer); !error.empty())
            return error;
    }
    return writer.EndFile();
}

} // namespace verbaria::exchange
