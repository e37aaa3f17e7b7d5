#include "exchange/DocumentExport.h"

#include "editor/core/LanguageDocument.h"
#include "formats/Paths.h"
#include "formats/TextRules.h"

#include <QFile>

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

} // namespace

QString SourceOf(const LanguageDocument &document, std::size_t index, const DocumentCodePages &codePages)
{
    const TEditorItem &item = document.polozky()[index];
    if (item.Kind == ikComponent) {
        const std::string &left =
            document.Grid().Text(LanguageDocument::ColumnOriginal, static_cast<int>(index) + 1);
        if (!left.empty() && left != item.Text)
            return codePages.Descriptions.Decode(left);
    }
    return codePages.Originals.Decode(item.Text);
}

std::string ExportDocument(const LanguageDocument &document, const ExportSettings &settings,
                           ExchangeWriter &writer)
{
    const DocumentCodePages codePages = CodePagesOf(document);
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
    header.SourceLanguage = settings.SourceLanguage.isEmpty() ? u"und"_s : settings.SourceLanguage;
    header.TargetLanguage = settings.TargetLanguage.isEmpty() ? header.Language : settings.TargetLanguage;
    for (const QString *value : {&header.Language, &header.Version, &header.Author, &header.Definition}) {
        if (!DecodesWhole(*value))
            return "header: a byte of the language file is not a character of " +
                   codePages.Translations.Name().toStdString();
    }
    if (std::string error = writer.BeginFile(header); !error.empty())
        return error;

    const auto &items = document.polozky();
    const GridCells &grid = document.Grid();
    const std::size_t count =
        std::min(items.size(), static_cast<std::size_t>(std::max(grid.RowCount() - 1, 0)));
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
        // A language file can only address the first entry of a number, and never -1.
        if (item.Number < 0 || document.IndexOfNumber(item.Number) != static_cast<std::int32_t>(i)) {
            comments.clear();
            continue;
        }
        unit.Id = QString::number(item.Number);
        const QString path = codePages.Originals.Decode(item.Text);
        unit.Resname = item.Kind == ikComponent ? path : QString();
        // As SourceOf, without decoding the template's text twice.
        const std::string &left = grid.Text(LanguageDocument::ColumnOriginal, static_cast<int>(i) + 1);
        unit.Source = item.Kind == ikComponent && !left.empty() && left != item.Text
                          ? codePages.Descriptions.Decode(left)
                          : path;
        unit.Target = codePages.Translations.Decode(
            grid.Text(LanguageDocument::ColumnTranslation, static_cast<int>(i) + 1));
        if (!DecodesWhole(unit.Target) || !DecodesWhole(unit.Source) || !DecodesWhole(path))
            return "unit " + std::to_string(item.Number) +
                   ": a byte of its texts is not a character of the file's code page";
        unit.NeedsReview =
            !unit.Target.isEmpty() && settings.NeedsReview && settings.NeedsReview(item.Number);
        unit.Notes.clear();
        unit.Notes.append(KindLine(item, path));
        if (!sectionNote.isEmpty())
            unit.Notes.append(sectionNote);
        for (const QString &comment : comments)
            unit.Notes.append(u"COMMENT "_s + comment);
        comments.clear();
        if (std::string error = writer.Unit(unit); !error.empty())
            return error;
    }
    return writer.EndFile();
}

} // namespace verbaria::exchange
