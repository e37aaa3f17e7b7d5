#include "tool/ExchangeCommands.h"

#include "checks/RowNotes.h"
#include "exchange/DocumentExport.h"
#include "exchange/DocumentImporter.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/ExchangeReceiver.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "platform/CodePage.h"
#include "tool/Command.h"
#include "tool/DocumentSession.h"
#include "tool/OptionParser.h"
#include "tool/Output.h"
#include "translator/qt/QtOwnTexts.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <iostream>
#include <memory>

namespace verbaria::tool {

const char *const ExchangeExportUsage =
    "\n"
    "With --format xliff or --format po, writes the document as XLIFF 1.2 or gettext PO (UTF-8) instead of\n"
    "the table: one <trans-unit> or PO entry per COMPONENT and MESSAGE entry, keyed by its number.\n"
    "A Qt program's message carries its context and disambiguation (PO msgctxt \"Context|disambiguation\"),\n"
    "its place in the sources and the programmer's comment; a plural message each form of the language\n"
    "(PO msgid_plural and msgstr[N] with the Plural-Forms header; an XLIFF group of units); a component\n"
    "whose form's text the template notes (/Text=) that text as its source and its path as context.\n"
    "XLIFF takes several LANGUAGE files, one <file> each; PO takes one.\n"
    "\n"
    "  --format table|xliff|po   the output format (default: table)\n"
    "  -o, --output FILE         write FILE instead of standard output (xliff, po; - is standard output)\n"
    "  --source-language TAG     the source-language of the originals (default: und)\n"
    "  --target-language TAG     the target language (default: the language file's Language)\n"
    "  --code-page NAME          the code page of files that declare none (default: windows-1250)\n";

const char *const ExchangeImportUsage =
    "\n"
    "Usage: verbaria-tool import --format xliff|po TEMPLATE FILE -o LANGUAGE [--description FILE]\n"
    "                            [--ignore-unknown] [--program-folder DIR] [--code-page NAME] [--track]\n"
    "\n"
    "Reads an XLIFF or PO file made by export (or by a translation platform from one) and writes the\n"
    "language file. Units are matched by number (a unit without one by its context and source, or a\n"
    "component's path); the template is never written. Plural forms become the entry's forms. A translation "
    "the\n"
    "language file's code page cannot hold, a line break, or a number no entry has stops the import\n"
    "with nothing written. A unit whose source is not the template's text any more is reported as a\n"
    "conflict and imported. A translation marked for review (fuzzy, needs-review-*) is noted for\n"
    "review in the language file (\"/Notes NUMBER: review\" above its line), as the editor notes it.\n"
    "With several <file> elements in an XLIFF file, LANGUAGE is a folder and each\n"
    "one is written into it under its original name.\n"
    "\n"
    "  --description FILE  the description language the export used (its texts are the sources)\n"
    "  --ignore-unknown    skip units whose number no entry has\n"
    "  --code-page NAME    the code page of files that declare none (default: windows-1250)\n";

const exchange::ExchangeFormat *FormatOption(const std::string &name, const OptionParser &parser,
                                             std::optional<int> &status)
{
    if (name == "table")
        return nullptr;
    if (const exchange::ExchangeFormat *format = exchange::FormatNamed(name))
        return format;
    std::string known = "table";
    const auto formats = exchange::ExchangeFormats();
    for (std::size_t i = 0; i < formats.size(); ++i)
        known += (i + 1 == formats.size() ? " or " : ", ") + std::string(formats[i].Name);
    status = parser.Error("unknown format '" + name + "' (" + known + ")");
    return nullptr;
}

namespace {

using namespace Qt::StringLiterals;
using namespace verbaria::exchange;

// Loads the template and the description language into a fresh session as export does.
std::unique_ptr<DocumentSession> OpenSession(const ExchangeOptions &options, bool follow)
{
    auto session = std::make_unique<DocumentSession>(options.ProgramFolder, options.CodePageName, follow);
    if (!session->LoadTemplate(options.Positional[0])) {
        PrintError(options.Positional[0] + ": template not found");
        return nullptr;
    }
    if (!options.Description.empty())
        session->Document().NactiJazyk(options.Description, LanguageDocument::ColumnOriginal);
    session->Document().SetStartovani(false);
    return session;
}

QDateTime RevisionDate(const std::string &language, const std::string &templateName)
{
    const QFileInfo info(QString::fromStdString(NativePath(language.empty() ? templateName : language)));
    return info.exists() ? info.lastModified() : QDateTime::currentDateTime();
}

class ImportReceiver final : public ExchangeReceiver
{
public:
    ImportReceiver(const ExchangeOptions &options, bool intoFolder)
        : options_(options)
        , intoFolder_(intoFolder)
    {
    }

    std::string BeginFile(const ExchangeHeader &header) override
    {
        // A template or description that cannot be read is no fault of the exchange file: its
        // message is printed as it is, not under the file's name.
        try {
            return Begin(header);
        } catch (const FormatError &error) {
            ownError_ = error.what();
            return ownError_;
        }
    }

    std::string Unit(const ExchangeUnit &unit) override { return importer_->ApplyUnit(unit); }

    std::string EndFile() override
    {
        try {
            return End();
        } catch (const FormatError &error) {
            ownError_ = error.what();
            return ownError_;
        }
    }

    const std::vector<std::pair<std::string, std::string>> &Outputs() const { return outputs_; }
    // The error that stopped the import and was not the exchange file's, or "".
    const std::string &OwnError() const { return ownError_; }

private:
    std::string End()
    {
        for (const std::string &conflict : importer_->Conflicts())
            PrintError(options_.Positional[1] + ": " + conflict);
        if (importer_->NeedingReview() > 0)
            PrintError(options_.Positional[1] + ": " + std::to_string(importer_->NeedingReview()) +
                       " translations are marked for review; they were imported and noted for review");
        // Marked for review as the editor notes its rows waiting for it.
        checks::RowNotes notes;
        for (const std::int32_t number : importer_->ReviewNumbers())
            notes[number].Review = true;
        for (const auto &[number, comment] : importer_->Comments())
            notes[number].Comment = comment;
        outputs_.back().second = checks::WithRowNotes(session_->Document().SavedBytes(), notes);
        importer_.reset();
        session_.reset();
        return {};
    }

    std::string Begin(const ExchangeHeader &header)
    {
        if (files_++ > 0 && !intoFolder_)
            return "the file holds more than one language file; give a folder as -o";
        std::string output = options_.Output;
        if (intoFolder_) {
            const std::string name = FileNameOf(QFile::encodeName(header.Original).toStdString());
            if (name.empty() || name == "." || name == "..")
                return "a <file> has no original name to write it under";
            output = options_.Output + (options_.Output.ends_with('/') ? "" : "/") + name;
        }
        session_ = OpenSession(options_, false);
        if (!session_)
            return "the template cannot be loaded";
        importer_ = std::make_unique<DocumentImporter>(session_->Document(), options_.IgnoreUnknown);
        outputs_.push_back({output, {}});
        std::string error = importer_->ApplyHeader(header);
        // Before the units: a changed original is then recorded instead of noted for review.
        if (options_.Track)
            session_->Document().SetTracking(true);
        return error;
    }

    const ExchangeOptions &options_;
    bool intoFolder_;
    int files_ = 0;
    std::unique_ptr<DocumentSession> session_;
    std::unique_ptr<DocumentImporter> importer_;
    std::vector<std::pair<std::string, std::string>> outputs_;
    std::string ownError_;
};

} // namespace

int RunExchangeExport(const ExchangeFormat &format, const ExchangeOptions &options)
{
    if (options.Positional.empty())
        return UsageError("export", "a template is needed");
    std::vector<std::string> languages(options.Positional.begin() + 1, options.Positional.end());
    if (!format.ManyLanguageFiles && languages.size() > 1)
        return UsageError("export", "a PO file holds one language file; export each on its own");
    for (const std::string &file : languages) {
        if (!FileExists(file)) {
            PrintError(file + ": File not found");
            return ExitFailure;
        }
    }
    if (!options.Description.empty() && !FileExists(options.Description)) {
        PrintError(options.Description + ": File not found");
        return ExitFailure;
    }
    if (languages.empty())
        languages.emplace_back();

    // Nothing reaches the output unless the whole export succeeds.
    std::unique_ptr<QIODevice> device;
    const bool toStandardOutput = options.Output.empty() || IsStandardOutput(options.Output);
    if (toStandardOutput) {
        device = std::make_unique<QBuffer>();
        device->open(QIODevice::WriteOnly);
    } else {
        auto file = std::make_unique<QSaveFile>(QString::fromStdString(NativePath(options.Output)));
        if (!file->open(QIODevice::WriteOnly)) {
            PrintError(options.Output + ": " + file->errorString().toStdString());
            return ExitFailure;
        }
        device = std::move(file);
    }
    const std::unique_ptr<ExchangeWriter> writer =
        format.Writer(*device, RevisionDate(languages.front(), options.Positional[0]));
    ExportSettings settings;
    settings.SourceLanguage = QString::fromStdString(options.SourceLanguage);
    settings.TargetLanguage = QString::fromStdString(options.TargetLanguage);
    try {
        for (const std::string &language : languages) {
            auto session = OpenSession(options, options.Follow);
            if (!session)
                return ExitFailure;
            checks::RowNotes notes;
            if (!language.empty()) {
                // The file's own DEFINITION (or none), not the template name a new document
                // proposes: the language file is to come back as it was.
                session->Document().Header().editSablona.clear();
                session->Document().SetSouborJazyka(language);
                session->Document().NactiJazyk(language, LanguageDocument::ColumnTranslation);
                std::string bytes;
                if (ReadFileBytes(NativePath(language), bytes))
                    notes = checks::ReadRowNotes(bytes);
            }
            // The language as the program's translator takes it, whose plural rule the forms follow
            // where the file names none.
            const LanguageDocument &document = session->Document();
            // The target language is the file's tag (chosen, or its name's) unless given.
            settings.TargetLanguage = QString::fromStdString(options.TargetLanguage);
            if (settings.TargetLanguage.isEmpty())
                settings.TargetLanguage = QString::fromStdString(document.LanguageTag());
            settings.LanguageTag = qt::QtOwnTexts::LocaleFor(
                CodePage::ForDeclared(document.LanguageCodePage()).Decode(document.Header().editJazyk),
                QFile::decodeName(QByteArray::fromStdString(language)));
            // A translation waiting for review goes out marked so, as the editor exports it.
            settings.NeedsReview = [&notes](std::int32_t number) {
                const auto note = notes.find(number);
                return note != notes.end() && note->second.Review;
            };
            settings.Comment = [&notes](std::int32_t number) {
                const auto note = notes.find(number);
                return note != notes.end() ? note->second.Comment : std::string();
            };
            if (std::string error = ExportDocument(session->Document(), settings, *writer); !error.empty()) {
                PrintError((language.empty() ? options.Positional[0] : language) + ": " + error);
                return ExitFailure;
            }
        }
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
    if (!writer->Finish().empty()) {
        PrintError((toStandardOutput ? std::string("standard output") : options.Output) + ": " +
                   device->errorString().toStdString());
        return ExitFailure;
    }
    if (auto *file = dynamic_cast<QSaveFile *>(device.get())) {
        if (!file->commit()) {
            PrintError(options.Output + ": " + file->errorString().toStdString());
            return ExitFailure;
        }
        return ExitOk;
    }
    const QByteArray &bytes = static_cast<QBuffer *>(device.get())->data();
    std::cout.write(bytes.constData(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    return std::cout ? ExitOk : ExitFailure;
}

int RunExchangeImport(const ExchangeFormat &format, const ExchangeOptions &options)
{
    if (options.Positional.size() != 2)
        return UsageError("import", "a template and an exchange file are needed");
    if (options.Output.empty())
        return UsageError("import", "the language file to write is needed (-o LANGUAGE)");
    if (!options.Description.empty() && !FileExists(options.Description)) {
        PrintError(options.Description + ": File not found");
        return ExitFailure;
    }
    const std::string &input = options.Positional[1];
    QFile in;
    if (input == "-") {
        in.open(stdin, QIODevice::ReadOnly);
    } else {
        in.setFileName(QString::fromStdString(NativePath(input)));
        if (!in.exists()) {
            PrintError(input + ": File not found");
            return ExitFailure;
        }
        in.open(QIODevice::ReadOnly);
    }
    if (!in.isOpen()) {
        PrintError(input + ": " + in.errorString().toStdString());
        return ExitFailure;
    }
    ImportReceiver receiver(options,
                            !IsStandardOutput(options.Output) && DirectoryExists(NativePath(options.Output)));
    try {
        const std::string error = format.Read(in, receiver);
        if (!error.empty()) {
            PrintError(receiver.OwnError().empty() ? input + ": " + error : receiver.OwnError());
            return ExitFailure;
        }
        if (receiver.Outputs().empty()) {
            PrintError(input + ": the file holds no language file");
            return ExitFailure;
        }
        for (const auto &[path, content] : receiver.Outputs())
            WriteOutput(IsStandardOutput(path) ? path : NativePath(path), content);
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace verbaria::tool
