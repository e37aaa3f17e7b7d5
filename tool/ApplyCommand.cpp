#include "tool/Command.h"
#include "tool/FitLine.h"
#include "tool/OptionParser.h"
#include "tool/Output.h"
#include "tool/TranslatorForms.h"

#include "formats/CodePageNames.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "translator/qt/FitReport.h"
#include "translator/qt/TKVTranslator.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <iostream>
#include <map>
#include <set>

namespace verbaria::tool {

namespace {

const char *const kApplyUsage =
    "Usage: verbaria-tool apply --template FILE --language FILE [--separator TEXT]\n"
    "                           [--code-page NAME] FORM.ui... [--dump] [--check] [--fit]\n"
    "                           [-o DIR|-]\n"
    "\n"
    "Loads the Qt Designer forms as a program would (on the offscreen platform, no display\n"
    "needed) and translates them with the template and language file. --dump prints PATH=VALUE\n"
    "for every text of every named object, sorted by PATH (list entries joined by the\n"
    "separator, line breaks as |); -o writes the translated forms into DIR (-o - prints the one\n"
    "form given), each under its own file name; a second form of a file name already written\n"
    "gets -2 (-3, ...) before its .ui, and standard error tells so. Component paths of the\n"
    "template that reach no property of the forms, and list translations the translator refuses\n"
    "(another number of items than the list has), are listed on standard error; with --check\n"
    "they make the command fail.\n"
    "\n"
    "--fit shows each translated form at its own size, as a program would (a window with a layout\n"
    "grows to what the layout needs, a fixed-size one and a widget without a layout keep their\n"
    "size), every page of its tab widgets in turn, and prints each text its widget clips or\n"
    "elides: the form, the entry that sets it, its path, the pixels it lacks and where it is\n"
    "shown. The command then fails (status 1).\n"
    "\n"
    "As in the program, a | in a translated text is a line break; list values are split at the\n"
    "separator (default \",\"); a form used as a panel inside another window is found by its\n"
    "name when no window has that name.\n";

// A widget's text in the one-line form, as scan writes it: every line break a "|".
QString OneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
    text.replace(u'\r', u'|');
    text.replace(u'\n', u'|');
    return text;
}

// Copies a .ui file, putting the live (translated) texts of the form in place of its own.
QByteArray TranslatedFormXml(const QByteArray &original, QWidget *form)
{
    struct Context
    {
        QString Object; // empty: the form itself
        bool IsObject = false;
        bool Unnamed = false; // cannot be reached by a path
        QString Property;
        int Item = -1;  // index of the entry of a combo box or list, or of a header label
        QString Header; // "Columns" or "Rows" inside a <column> or <row>
        int Row = -1;   // a table widget's cell, from its <item row= column=>
        int Column = -1;
    };
    QXmlStreamReader reader(original);
    QByteArray result;
    QXmlStreamWriter writer(&result);
    std::vector<Context> stack;
    std::map<QString, int> itemCounts;
    bool formSeen = false;

    const NamedObjects named(form);
    std::map<QString, QStringList> treeTexts; // a tree widget's item texts, depth first
    std::map<QString, int> treeTextCounts;
    auto liveValue = [&](const Context &context, const QString &ownText, QString &value) {
        QObject *object = named.Find(context.Object);
        if (!object)
            return false;
        if (context.Header.isEmpty() && context.Item >= 0 && qobject_cast<QTreeWidget *>(object)) {
            // Texts that are not empty, in document order, as the translator counts them.
            if (context.Property != u"text" || ownText.isEmpty())
                return false;
            auto [texts, isNew] = treeTexts.try_emplace(context.Object);
            if (isNew) {
                FormText items;
                items.Object = context.Object;
                items.Property = u"Items"_qs;
                texts->second = LiveValues(named, items);
            }
            const int index = treeTextCounts[context.Object]++;
            if (index >= texts->second.size())
                return false;
            value = texts->second[index];
            return true;
        }
        if (!context.Header.isEmpty()) {
            FormText header;
            header.Object = context.Object;
            header.Property = context.Header;
            const QStringList labels = LiveValues(named, header);
            if (context.Property != u"text" || context.Item >= labels.size())
                return false;
            value = labels[context.Item];
            return true;
        }
        if (context.Item >= 0 && context.Row >= 0) {
            auto *table = qobject_cast<QTableWidget *>(object);
            const QTableWidgetItem *cell = table ? table->item(context.Row, context.Column) : nullptr;
            if (!cell || context.Property != u"text")
                return false;
            value = cell->text();
            return true;
        }
        if (context.Item >= 0) {
            if (auto *combo = qobject_cast<QComboBox *>(object); combo && context.Item < combo->count())
                value = combo->itemText(context.Item);
            else if (auto *list = qobject_cast<QListWidget *>(object); list && context.Item < list->count())
                value = list->item(context.Item)->text();
            else
                return false;
            return context.Property == u"text";
        }
        FormText text;
        text.Object = context.Object;
        text.Property = context.Property;
        const QStringList values = LiveValues(named, text);
        if (values.size() != 1)
            return false;
        value = values.front();
        return true;
    };

    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            // Always a declaration uic takes, whatever the form had (maybe none, maybe another
            // encoding): what is written is UTF-8.
            writer.writeStartDocument(u"1.0"_qs);
            writer.writeCharacters(u"\n"_qs);
            break;
        case QXmlStreamReader::StartElement: {
            Context context = stack.empty() ? Context{} : stack.back();
            const auto name = reader.name();
            if (name == u"widget" || name == u"action") {
                context.Object =
                    formSeen ? reader.attributes().value(QLatin1String("name")).toString() : QString();
                context.Unnamed = formSeen && context.Object.trimmed().isEmpty();
                context.IsObject = true;
                context.Property.clear();
                context.Item = -1;
                context.Row = context.Column = -1;
                context.Header.clear();
                formSeen = true;
            } else if (name == u"property") {
                context.Property = reader.attributes().value(QLatin1String("name")).toString();
            } else if (name == u"attribute") {
                const auto attribute = reader.attributes().value(QLatin1String("name"));
                context.Property = attribute == u"title" || attribute == u"label" ? u"Caption"_qs : QString();
            } else if ((name == u"column" || name == u"row") && !stack.empty() && stack.back().IsObject) {
                context.Header = name == u"column" ? u"Columns"_qs : u"Rows"_qs;
                context.Item = itemCounts[context.Object + u'/' + context.Header]++;
                context.IsObject = false;
            } else if (name == u"item" && !stack.empty() && stack.back().IsObject) {
                context.Item = itemCounts[context.Object]++;
                const QXmlStreamAttributes attributes = reader.attributes();
                if (attributes.hasAttribute(QLatin1String("row")) &&
                    attributes.hasAttribute(QLatin1String("column"))) {
                    context.Row = attributes.value(QLatin1String("row")).toInt();
                    context.Column = attributes.value(QLatin1String("column")).toInt();
                }
            } else if (name == u"layout" || name == u"item") {
                context.IsObject = false;
            }
            if (name == u"string" && reader.attributes().value(QLatin1String("notr")) != u"true" &&
                !context.Property.isEmpty() && !context.Unnamed) {
                const QXmlStreamAttributes attributes = reader.attributes();
                const QString ownText = reader.readElementText();
                QString value;
                if (!liveValue(context, ownText, value))
                    value = ownText;
                writer.writeStartElement(u"string"_qs);
                writer.writeAttributes(attributes);
                if (!value.isEmpty())
                    writer.writeCharacters(value);
                writer.writeEndElement();
                break;
            }
            if (name == u"widget" || name == u"action" || name == u"item")
                context.IsObject = name != u"item";
            stack.push_back(context);
            writer.writeStartElement(name.toString());
            writer.writeAttributes(reader.attributes());
            break;
        }
        case QXmlStreamReader::EndElement:
            writer.writeEndElement();
            if (!stack.empty())
                stack.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (reader.isCDATA())
                writer.writeCDATA(reader.text().toString());
            else
                writer.writeCharacters(reader.text().toString());
            break;
        case QXmlStreamReader::Comment:
            writer.writeComment(reader.text().toString());
            break;
        case QXmlStreamReader::EndDocument:
            writer.writeEndDocument();
            break;
        default:
            break;
        }
    }
    return result;
}

// Shows the forms, lays them out and prints every text that does not fit; true when there is one.
bool ReportFit(qt::TKVTranslator &translator, const std::vector<std::string> &forms,
               const std::vector<std::unique_ptr<QWidget>> &widgets)
{
    for (const auto &widget : widgets)
        widget->show();
    QCoreApplication::sendPostedEvents();
    std::string out;
    bool any = false;
    for (std::size_t f = 0; f < widgets.size(); ++f) {
        for (const qt::FitProblem &problem :
             qt::MeasureFit(widgets[f].get(), &translator, {.EveryPage = true})) {
            any = true;
            out += forms[f] + ": ";
            out += FitLine(problem.Number, translator.Encode(problem.Path), translator.Encode(problem.Object),
                           problem.Missing, problem.Height);
        }
    }
    std::cout << out << std::flush;
    return any;
}

int Apply(const std::vector<std::string> &args)
{
    std::string templateFile;
    std::string languageFile;
    std::optional<std::string> separator;
    std::string codePageName(FallbackCodePageName);
    std::string outputFolder;
    bool dump = false;
    bool check = false;
    bool fit = false;
    OptionParser options("apply");
    options.Include(shared::Template, templateFile)
        .Include(shared::Language, languageFile)
        .Include(shared::Separator, separator)
        .Include(shared::CodePage, codePageName)
        .Include(shared::Output, outputFolder)
        .Flag({"--dump"}, dump)
        .Flag({"--check"}, check)
        .Flag({"--fit"}, fit);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &forms = options.Arguments();
    if (templateFile.empty() || languageFile.empty())
        return options.Error("--template and --language are required");
    if (forms.empty())
        return options.Error("no form given");
    if (fit && (dump || IsStandardOutput(outputFolder)))
        return options.Error(dump ? "--fit and --dump both write to standard output"
                                  : "--fit and -o - both write to standard output");
    if (IsStandardOutput(outputFolder) && (forms.size() > 1 || dump))
        return options.Error(dump ? "--dump and -o - both write to standard output"
                                  : "-o - writes one form; give a folder for several");

    try {
        const auto application = MakeOffscreenApplication();
        qt::TKVTranslator translator;
        if (!translator.SetCodePage(QString::fromStdString(codePageName)))
            return options.Error("unknown code page '" + codePageName + "'");
        if (separator)
            translator.SetSeparator(translator.Decode(*separator));

        // Forms first: the translator finds them among the application's windows.
        std::vector<std::unique_ptr<QWidget>> widgets;
        std::vector<FormFile> formFiles;
        std::vector<QByteArray> originals;
        for (const std::string &path : forms) {
            formFiles.push_back(ReadFormFile(path));
            std::string bytes;
            ReadFileBytes(path, bytes);
            originals.push_back(QByteArray::fromStdString(bytes));
            QBuffer buffer(&originals.back());
            buffer.open(QIODevice::ReadOnly);
            QUiLoader loader;
            std::unique_ptr<QWidget> widget(loader.load(&buffer, nullptr));
            if (!widget)
                throw InOutError(path + ": " + loader.errorString().toStdString());
            widgets.push_back(std::move(widget));
        }

        // The translator refuses a list translation with another number of items and goes on.
        QStringList refusals;
        QObject::connect(&translator, &qt::TKVTranslator::ErrorOccurred, &translator,
                         [&refusals](const QString &message) { refusals.append(message); });

        if (!FileExists(templateFile))
            throw InOutError("File not found: " + templateFile);
        if (!FileExists(languageFile))
            throw InOutError("File not found: " + languageFile);
        if (!translator.LoadTemplate(QFile::decodeName(templateFile.c_str())) ||
            !translator.SetLanguageFile(QFile::decodeName(languageFile.c_str())) || !translator.Translate())
            throw FormatError(translator.Encode(translator.ErrorString()));

        // Loading and translating posted layout requests to every widget; a widget destroyed
        // with events still queued searches the whole queue, once per widget.
        QCoreApplication::sendPostedEvents();

        bool unreachable = false;
        for (const QString &message : std::as_const(refusals)) {
            std::cerr << "verbaria-tool: " << (check ? "" : "warning: ") << translator.Encode(message)
                      << '\n';
            unreachable = true;
        }
        translator.Core().KeepNameIndexes(true); // the forms stay as they are from here on
        for (const TTemplateItem &item : translator.Core().Items()) {
            if (item.Kind != ikComponent)
                continue;
            const PropertyKind kind = translator.Core().ResolvePath(item.Text);
            if (kind == PropertyKind::None || kind == PropertyKind::Other) {
                std::cerr << "verbaria-tool: " << (check ? "" : "warning: ") << "entry " << item.Number
                          << " reaches no property: " << item.Text << '\n';
                unreachable = true;
            }
        }

        if (dump) {
            const QString joint = translator.Separator().isEmpty() ? u","_qs : translator.Separator();
            std::vector<std::pair<std::string, std::string>> lines;
            for (std::size_t f = 0; f < widgets.size(); ++f) {
                const NamedObjects named(widgets[f].get());
                for (const FormText &text : formFiles[f].Texts) {
                    lines.emplace_back(translator.Encode(text.Path),
                                       translator.Encode(OneLine(LiveValues(named, text).join(joint))));
                }
            }
            std::sort(lines.begin(), lines.end());
            std::string out;
            for (const auto &[path, value] : lines)
                out += path + '=' + value + '\n';
            std::cout << out << std::flush;
        }

        if (IsStandardOutput(outputFolder)) {
            const QByteArray xml = TranslatedFormXml(originals.front(), widgets.front().get());
            WriteOutput(outputFolder,
                        std::string_view(xml.constData(), static_cast<std::size_t>(xml.size())));
        } else if (!outputFolder.empty()) {
            if (!QDir().mkpath(QFile::decodeName(outputFolder.c_str())))
                throw InOutError("Unable to create " + outputFolder);
            // Names compared without regard to case: the folder may be on such a file system.
            std::set<QString> written;
            for (std::size_t f = 0; f < widgets.size(); ++f) {
                const QByteArray xml = TranslatedFormXml(originals[f], widgets[f].get());
                const QFileInfo file(QFile::decodeName(forms[f].c_str()));
                QString name = file.fileName();
                for (int n = 2; !written.insert(name.toCaseFolded()).second; ++n)
                    name = file.completeBaseName() + u'-' + QString::number(n) +
                           (file.suffix().isEmpty() ? QString() : u'.' + file.suffix());
                if (name != file.fileName())
                    std::cerr << "verbaria-tool: " << forms[f] << " is written as " << name.toStdString()
                              << ": a form of its file name is written already\n";
                WriteFileAtomically(outputFolder + "/" + QFile::encodeName(name).toStdString(),
                                    std::string_view(xml.constData(), static_cast<std::size_t>(xml.size())));
            }
        }
        const bool clipped = fit && ReportFit(translator, forms, widgets);
        return (check && unreachable) || clipped ? ExitFailure : ExitOk;
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
}

const CommandRegistration registration{
    Command{"apply", "translate Qt Designer forms with a template and a language file", kApplyUsage, Apply}};

} // namespace

} // namespace verbaria::tool
