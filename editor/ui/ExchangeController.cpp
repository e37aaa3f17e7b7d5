// Export and import of the document as XLIFF or PO, the files translation platforms and agencies
// work with. The same exchange room as verbaria-tool's export and import, so both write the same
// bytes and refuse the same files.
#include "editor/ui/ExchangeController.h"

#include "dialogs/UiText.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/EditorContext.h"
#include "exchange/DocumentExport.h"
#include "exchange/DocumentImporter.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/ExchangeReceiver.h"
#include "formats/Paths.h"
#include "translator/qt/QtOwnTexts.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStatusBar>

#include <exception>
#include <memory>
#include <utility>

namespace verbaria {

namespace {

using namespace verbaria::exchange;

// "%s" in a translated text, in order.
QString Fill(QString text, std::initializer_list<QString> values)
{
    for (const QString &value : values) {
        const qsizetype at = text.indexOf(QStringLiteral("%s"));
        if (at < 0)
            break;
        text.replace(at, 2, value);
    }
    return text;
}

// One language file into the open document. Its code page stays the document's: the translations
// already in the grid are in it, and the properties dialog is where it changes.
class ImportIntoDocument final : public ExchangeReceiver
{
public:
    explicit ImportIntoDocument(LanguageDocument &document)
        : importer_(document, false)
    {
    }

    std::string BeginFile(const ExchangeHeader &header) override
    {
        if (files_++ > 0)
            return "the file holds more than one language file; import it with verbaria-tool";
        ExchangeHeader values = header;
        values.CodePage = QString();
        return importer_.ApplyHeader(values);
    }
    std::string Unit(const ExchangeUnit &unit) override { return importer_.ApplyUnit(unit); }
    std::string EndFile() override { return {}; }

    int Files() const { return files_; }
    const DocumentImporter &Importer() const { return importer_; }

private:
    DocumentImporter importer_;
    int files_ = 0;
};

// The export and the import share one file dialog: its formats, and the document's folder until
// the user has chosen one of their own.
void PrepareExchangeDialog(FileDialogState &dialog, std::string title, const TextService &texts,
                           LanguageDocument &document)
{
    dialog.Title = std::move(title);
    dialog.Filter =
        texts.TranslateText("XLIFF (*.xlf *.xliff)|*.xlf;*.xliff|PO (*.po)|*.po|Všechny soubory|*.*");
    dialog.DefaultExtension = "*.xlf";
    if (dialog.InitialFolder.empty())
        dialog.InitialFolder = document.OpenDialog().InitialFolder;
}

} // namespace

ExchangeController::ExchangeController(EditorContext &context)
    : context_(context)
{
}

void ExchangeController::Export()
{
    context_.EndEdits();
    LanguageDocument &document = context_.Document();
    const TextService &texts = context_.Texts();
    FileDialogState &dialog = dialog_;
    PrepareExchangeDialog(dialog, texts.TranslateText("Exportovat překlad"), texts, document);
    if (const std::string &file = document.souborJazyka(); !file.empty())
        dialog.FileName =
            QFile::encodeName(
                QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).completeBaseName() +
                QStringLiteral(".xlf"))
                .toStdString();
    const std::optional<std::string> chosen = context_.Dialogs().ChooseFileToSave(dialog);
    if (!chosen)
        return;
    const QString name = QFile::decodeName(QByteArray::fromStdString(*chosen));
    dialog.InitialFolder = QFileInfo(name).absolutePath().toStdString();
    dialog.FileName = QFileInfo(name).fileName().toStdString();

    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        context_.Dialogs().ReportError((name + QStringLiteral(": ") + file.errorString()).toStdString());
        return;
    }
    // The language file's last change, as the tool's export gives it (PO notes it).
    const std::string &language = document.souborJazyka();
    const QFileInfo changed(QFile::decodeName(
        QByteArray::fromStdString(NativePath(language.empty() ? document.aktualniSablona() : language))));
    const std::unique_ptr<ExchangeWriter> writer = FormatToWrite(name).Writer(
        file, changed.exists() ? changed.lastModified() : QDateTime::currentDateTime());
    std::string error;
    try {
        ExportSettings settings;
        // The language's tag, where it has one, is what the platforms take for the language.
        settings.TargetLanguage = QString::fromStdString(document.LanguageTag());
        // The language as the program's translator takes it: its plural rule where the file names
        // none.
        settings.LanguageTag =
            qt::QtOwnTexts::LocaleFor(LanguageCodePageOf(document).Decode(document.Header().editJazyk),
                                      QFile::decodeName(QByteArray::fromStdString(document.souborJazyka())));
        settings.NeedsReview = [&document](std::int32_t number) {
            const auto note = document.Notes().find(number);
            return note != document.Notes().end() && note->second.Review;
        };
        settings.Comment = [&document](std::int32_t number) {
            const RowNote *note = document.NoteOf(number);
            return note ? note->Comment : std::string();
        };
        error = ExportDocument(document, settings, *writer);
    } catch (const std::exception &exception) {
        error = exception.what();
    }
    if (error.empty() && (!writer->Finish().empty() || !file.commit()))
        error = file.errorString().toStdString();
    if (!error.empty()) {
        file.cancelWriting();
        context_.Dialogs().ReportError(
            Fill(UiText(texts.TranslateText("Soubor %s se nepodařilo exportovat: %s")),
                 {name, QString::fromStdString(error)})
                .toStdString());
        return;
    }
    context_.StatusLine().showMessage(UiText(texts.TranslateText("Exportováno.")), 3000);
}

void ExchangeController::Import()
{
    context_.EndEdits();
    context_.AfterCommand(true); // what came before is a step of its own, never part of the import's
    LanguageDocument &document = context_.Document();
    const TextService &texts = context_.Texts();
    FileDialogState &dialog = dialog_;
    PrepareExchangeDialog(dialog, texts.TranslateText("Importovat překlad"), texts, document);
    const std::optional<std::string> chosen = context_.Dialogs().ChooseFileToOpen(dialog);
    if (!chosen)
        return;
    const QString name = QFile::decodeName(QByteArray::fromStdString(*chosen));
    dialog.InitialFolder = QFileInfo(name).absolutePath().toStdString();
    QFile in(name);
    if (!in.open(QIODevice::ReadOnly)) {
        context_.Dialogs().ReportError((name + QStringLiteral(": ") + in.errorString()).toStdString());
        return;
    }

    // A refused file leaves the document as it was: what the import changed before it met the
    // refusal is put back.
    GridCells &cells = document.Grid();
    const DocumentHeader before = document.Header();
    std::string error;
    std::unique_ptr<ImportIntoDocument> receiver;
    {
        GridBatch batch(cells);
        receiver = std::make_unique<ImportIntoDocument>(document);
        try {
            error = FormatToRead(name, in.peek(256)).Read(in, *receiver);
        } catch (const std::exception &exception) {
            error = exception.what();
        }
        if (error.empty() && receiver->Files() == 0)
            error = "the file holds no language file";
    }
    if (!error.empty()) {
        // Everything the import changed goes back: translations, plural forms and the header.
        context_.History().RevertPending();
        context_.Dialogs().ReportError(
            Fill(UiText(texts.TranslateText("Soubor %s nelze importovat: %s. Nic nebylo změněno.")),
                 {name, QString::fromStdString(error)})
                .toStdString());
        return;
    }
    const DocumentImporter &importer = receiver->Importer();
    // A translation the file marks for review waits for it here as one from the memory does.
    bool marked = false;
    for (const std::int32_t number : importer.ReviewNumbers())
        marked |= document.MarkForReview(number);
    // The translators' comments the file brings replace the rows' own.
    for (const auto &[number, comment] : importer.Comments()) {
        const RowNote *noted = document.NoteOf(number);
        RowNote note = noted ? *noted : RowNote{};
        marked |= note.Comment != comment;
        note.Comment = comment;
        document.SetNote(number, std::move(note));
    }
    if (!before.SameLanguageValues(document.Header()) || marked)
        document.SetZmeneno(true);
    context_.Grid().GridModel()->MarkersChanged(1, cells.RowCount() - 1);
    context_.AfterCommand(true);
    emit Imported();

    QString report = Fill(UiText(texts.TranslateText("Importováno překladů: %s.")),
                          {QString::number(importer.Imported())});
    if (importer.NeedingReview() > 0)
        report += QLatin1Char('\n') + Fill(UiText(texts.TranslateText("Z nich ke kontrole: %s.")),
                                           {QString::number(importer.NeedingReview())});
    if (!importer.Conflicts().empty()) {
        report += QStringLiteral("\n\n") +
                  Fill(UiText(texts.TranslateText(
                           "Původní text se od exportu změnil u %s jednotek (importovány byly i tak):")),
                       {QString::number(importer.Conflicts().size())});
        constexpr std::size_t Shown = 20;
        for (std::size_t i = 0; i < importer.Conflicts().size() && i < Shown; ++i)
            report += QLatin1Char('\n') + QString::fromStdString(importer.Conflicts()[i]);
        if (importer.Conflicts().size() > Shown)
            report += QStringLiteral("\n…");
    }
    context_.Dialogs().Inform(report.toStdString());
}

} // namespace verbaria
