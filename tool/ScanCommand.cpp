#include "tool/Command.h"
#include "tool/OptionParser.h"
#include "tool/Output.h"
#include "tool/SourceMessages.h"
#include "tool/TranslatorForms.h"

#include "checks/ScannedTexts.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/MessageInfo.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"

#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <limits>
#include <map>
#include <set>

namespace verbaria::tool {

namespace {

const char *const kScanUsage =
    "Usage: verbaria-tool scan FORM.ui... [--sources DIR]... [--qt-messages] [--start N]\n"
    "                          [--update TEMPLATE] [--program NAME] [--code-page NAME] [-o TEMPLATE|-]\n"
    "                          [--originals LANGUAGE]\n"
    "\n"
    "Writes the template (.lnd) of a program that embeds the runtime translator: a [LANGUAGE]\n"
    "header with the program name (--program, else the first form file's name), then [ITEMS]\n"
    "with a section line per form and a component line for every text of every named object of\n"
    "the forms (text, title, window title, tool tip, status tip, what's this, placeholder text,\n"
    "spin box prefix, suffix and special-value text, an action's shortcut, tab and tool box page\n"
    "texts, combo box and list entries, tree and table header labels, and a table widget's cells\n"
    "as its Items, row by row and each row left to right, cells the form does not set left out),\n"
    "numbered from N (default 1). Two forms with the same object name are reported.\n"
    "\n"
    "With --qt-messages every text of a form is a message instead, in the context of the form's\n"
    "<class> as uic's code asks QCoreApplication::translate for it: each list entry on its own,\n"
    "the comment attribute as disambiguation, extracomment as the note, notr=\"true\" left out.\n"
    "\n"
    "With --sources, a message for every text the C++ (.cpp .cc .cxx .h .hpp .hh), QML and\n"
    "JavaScript files below DIR hand to a translator, as lupdate finds them: tr() and trUtf8() in\n"
    "the context of the class around them (the innermost one with Q_OBJECT, Q_GADGET or\n"
    "Q_DECLARE_TR_FUNCTIONS; also in members defined outside the class), Class::tr(),\n"
    "translate() with its context, QT_TR_NOOP, QT_TR_N_NOOP, QT_TRANSLATE_NOOP(3),\n"
    "QT_TRANSLATE_N_NOOP(3); qsTr() (context: the file's name without extension), qsTranslate();\n"
    "with their disambiguation and count, and the \"//:\" comments above them as notes. Literals\n"
    "joined, escapes and raw strings read as the compiler does. Texts passed to TranslateText are\n"
    "messages without a context, under the section \"Messages\"; one with a double quote or a\n"
    "line break is left out with a warning, since TranslateText finds a text by its line alone.\n"
    "\n"
    "Messages are grouped under a section line per context, in the order the contexts are first\n"
    "met; one (context, text, disambiguation) is one entry, at its first place. Above a message,\n"
    "comment lines tell what its line cannot (each only when it has a value; backslash, LF, CR and\n"
    "TAB escaped as \\\\ \\n \\r \\t):\n"
    "  /Context=MainWindow\n"
    "  /Disambiguation=noun\n"
    "  /Comment=the programmer's note\n"
    "  /Location=src/mainwindow.cpp:42\n"
    "  /Plural                       (asked for with a count; the text holds %n)\n"
    "  /Source=Say \"hi\"\\nto all     (only when the text holds a double quote or a line break;\n"
    "                                the quoted text then has ' and | in their place)\n"
    "Above each component line \"/Text=...\" tells the text the form holds (list entries joined by\n"
    "\",\", line breaks as \"|\"); \"verbaria-tool check\" compares translations with it. Readers of\n"
    "the template skip all these lines.\n"
    "\n"
    "With --update the existing TEMPLATE keeps every line and number; messages are matched by\n"
    "context, text and disambiguation as its comment lines tell them (a message without them has\n"
    "no context), components by path. New texts are added with numbers after the highest one,\n"
    "entries no longer found are listed on standard error, and the comments are renewed. The\n"
    "result goes to -o, else back to the updated template, else to standard output.\n"
    "\n"
    "Texts are written in the code page: --code-page, else the updated template's, else\n"
    "windows-1250. When that code page was not chosen and cannot hold a text, the template is\n"
    "written in UTF-8 and declares it (Codepage=UTF-8); when --code-page cannot hold one, scan\n"
    "stops with status 1, naming the text and where it is, and writes nothing.\n"
    "\n"
    "With --originals, scan also writes a language file of the program's own texts: for every\n"
    "component the text its form holds, in the template's code page, with the file's name as its\n"
    "language. Chosen as the editor's description language, it shows the forms' texts beside\n"
    "their translations. It needs -o or --update (the language file names its template).\n";

// ---- what the forms and sources hold ----

std::vector<std::string> FilesBelow(const std::string &folder, const std::set<std::string> &extensions)
{
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && extensions.contains(it->path().extension().string()))
            files.push_back(it->path().string());
    }
    if (error)
        throw InOutError("Path not found: " + folder);
    std::sort(files.begin(), files.end());
    return files;
}

std::string RelativeName(const std::string &file, const std::string &folder)
{
    const std::filesystem::path relative = std::filesystem::path(file).lexically_relative(folder);
    return relative.empty() ? file : relative.generic_string();
}

struct Entry
{
    TItemKind Kind;
    std::string Text;      // UTF-8: a section's name, a component's path, a message's source text
    std::string Found;     // a component's text in the form, in the one-line form; empty when none
    SourceMessage Message; // a message's context and notes
    std::string Origin;    // where the text comes from, for an error that names it
};

// Where one context's messages go; contexts keep the order they were first met in.
class MessageGroups final
{
public:
    void Add(SourceMessage message, std::string origin)
    {
        // TranslateText finds a text by its quoted form alone, which cannot hold these.
        if (message.ByText && message.Source.find('"') != std::string::npos) {
            PrintError("warning: left out, a template text cannot hold a double quote: " + message.Source);
            return;
        }
        if (message.ByText && message.Source.find_first_of("\r\n") != std::string::npos) {
            PrintError("warning: left out, a template text cannot hold a line break: " + message.Source);
            return;
        }
        auto [group, isNew] = groupOf_.try_emplace(message.Context, groups_.size());
        if (isNew)
            groups_.emplace_back();
        const std::string key = message.Source + '\0' + message.Disambiguation;
        auto [at, first] =
            groups_[group->second].Index.try_emplace(key, groups_[group->second].Entries.size());
        if (!first) { // the first place wins; a later one may still add what it lacked
            SourceMessage &kept = groups_[group->second].Entries[at->second].Message;
            kept.Plural = kept.Plural || message.Plural;
            if (kept.Comment.empty())
                kept.Comment = message.Comment;
            return;
        }
        Entry entry{ikMessage, message.Source, {}, std::move(message), std::move(origin)};
        groups_[group->second].Entries.push_back(std::move(entry));
    }

    bool Empty() const { return groups_.empty(); }

    // A section per context ("Messages" for texts without one), then its messages.
    void AppendTo(std::vector<Entry> &found) const
    {
        for (const Group &group : groups_) {
            const std::string &context = group.Entries.front().Message.Context;
            found.push_back({ikSection, context.empty() ? std::string("Messages") : context, {}, {}, {}});
            found.insert(found.end(), group.Entries.begin(), group.Entries.end());
        }
    }

private:
    struct Group
    {
        std::vector<Entry> Entries;
        std::map<std::string, std::size_t> Index;
    };
    std::map<std::string, std::size_t> groupOf_;
    std::vector<Group> groups_;
};

// ---- the template ----

// What tells two messages apart: context, source and disambiguation (bytes in the code page).
struct MessageKey
{
    int Kind = ikMessage; // sections and components are told apart by kind and text
    std::string Context;
    std::string Source;
    std::string Disambiguation;
    auto operator<=>(const MessageKey &) const = default;
};

// An entry as it is written: its text and the comment lines above it, in the code page.
struct WrittenEntry
{
    TItemKind Kind;
    std::string Text;
    std::string Comments; // whole lines, each with its CR LF
    MessageKey Key;       // for a message
};

bool IsMessageComment(std::string_view line)
{
    line = TrimLeftBlanks(line);
    for (const std::string_view prefix :
         {"/Context=", "/Disambiguation=", "/Comment=", "/Location=", "/Source="}) {
        if (line.starts_with(prefix))
            return true;
    }
    return line == "/Plural";
}

struct Failure
{
    std::string Text;
    std::string Origin;
};

class Encoder final
{
public:
    explicit Encoder(const CodePage &codePage)
        : codePage_(codePage)
    {
    }

    // Bytes of a UTF-8 text; the first text that does not fit is kept for the report.
    std::string operator()(const std::string &text, const std::string &origin)
    {
        if (const std::optional<std::string> bytes = codePage_.Encode(QString::fromUtf8(text)))
            return *bytes;
        if (!failure_)
            failure_ = Failure{text, origin};
        return {};
    }

    const std::optional<Failure> &Failed() const { return failure_; }

private:
    const CodePage &codePage_;
    std::optional<Failure> failure_;
};

WrittenEntry Write(const Entry &entry, Encoder &encode)
{
    WrittenEntry written{entry.Kind, {}, {}, {}};
    if (entry.Kind != ikMessage) {
        written.Text = encode(entry.Text, entry.Origin);
        written.Key.Source = written.Text;
        if (entry.Kind == ikComponent && !entry.Found.empty())
            written.Comments = checks::ScannedTextComment(encode(entry.Found, entry.Origin)) + "\r\n";
        return written;
    }
    const SourceMessage &message = entry.Message;
    auto comment = [&](std::string_view name, const std::string &value) {
        if (!value.empty())
            written.Comments +=
                "/" + std::string(name) + "=" + encode(EscapeMessageValue(value), entry.Origin) + "\r\n";
    };
    comment("Context", message.Context);
    comment("Disambiguation", message.Disambiguation);
    comment("Comment", message.Comment);
    comment("Location", message.Location);
    if (message.Plural)
        written.Comments += "/Plural\r\n";
    if (message.Source.find_first_of("\"\r\n") != std::string::npos)
        comment("Source", message.Source);
    written.Text = encode(QuotableText(message.Source), entry.Origin);
    written.Key = {ikMessage, encode(message.Context, entry.Origin), encode(message.Source, entry.Origin),
                   encode(message.Disambiguation, entry.Origin)};
    return written;
}

// The identity of an entry: a message's key, else its kind and text.
MessageKey KeyOf(TItemKind kind, const MessageKey &message, const std::string &text)
{
    return kind == ikMessage ? message : MessageKey{kind, {}, text, {}};
}

struct OldEntry
{
    std::int32_t Number;
    TItemKind Kind;
    std::string Text;
    MessageKey Key;
};

// The kept lines of an updated template, with the comments of every entry that is still found
// renewed; oldEntries gets every entry the template defines, contextEnds the place after the last
// message of each context.
std::string RenewComments(std::string_view bytes, const std::map<MessageKey, const WrittenEntry *> &current,
                          std::vector<OldEntry> &oldEntries, std::map<std::string, std::size_t> &contextEnds)
{
    std::string out;
    // The lines above the next entry: scan's own comments may be renewed, blank lines and anyone
    // else's comments stay where they are.
    std::vector<std::pair<bool, std::string>> held;
    auto flush = [&](const std::string *renewed) {
        for (const auto &[ours, line] : held) {
            if (!renewed || !ours)
                out += line;
        }
        if (renewed)
            out += *renewed;
        held.clear();
    };
    MessageKey described;
    TemplatePart part = TemplatePart::Items;
    ForEachLine(bytes, [&](std::string_view line) {
        const std::string_view stripped = TrimLeftBlanks(line);
        const bool inItems = part == TemplatePart::Items;
        if (inItems && (checks::IsScannedTextComment(stripped) || IsMessageComment(stripped))) {
            held.emplace_back(true, std::string(line) + "\r\n");
            auto value = [&](std::string_view prefix) {
                return UnescapeMessageValue(stripped.substr(prefix.size()));
            };
            if (stripped.starts_with("/Context="))
                described.Context = value("/Context=");
            else if (stripped.starts_with("/Disambiguation="))
                described.Disambiguation = value("/Disambiguation=");
            else if (stripped.starts_with("/Source="))
                described.Source = value("/Source=");
            return;
        }
        if (inItems && (stripped.empty() || stripped.front() == '/')) {
            held.emplace_back(false, std::string(line) + "\r\n");
            return;
        }
        const std::string *renewed = nullptr;
        if (!stripped.empty() && stripped.front() == '[') {
            part = PartAfterSection(stripped, part);
        } else if (part == TemplatePart::Items) {
            DefinitionLine entry;
            ParseDefinitionLine(stripped, TemplateFlavour::Editor, entry);
            MessageKey key = described;
            if (key.Source.empty())
                key.Source = entry.Text;
            key = KeyOf(entry.Kind, key, entry.Text);
            oldEntries.push_back({entry.Number, entry.Kind, entry.Text, key});
            if (const auto it = current.find(key); it != current.end())
                renewed = &it->second->Comments;
            flush(renewed);
            out += std::string(line) + "\r\n";
            if (entry.Kind == ikMessage && !key.Context.empty())
                contextEnds[key.Context] = out.size();
            described = {};
            return;
        }
        described = {};
        flush(renewed);
        out += std::string(line) + "\r\n";
    });
    flush(nullptr);
    return out;
}

// The lines of a template with its code page declared as name in its [LANGUAGE] part.
std::string DeclareCodePage(std::string_view bytes, const std::string &name)
{
    std::string out;
    bool declared = false;
    bool inHeader = false;
    ForEachLine(bytes, [&](std::string_view line) {
        const std::string_view stripped = TrimLeftBlanks(line);
        if (!stripped.empty() && stripped.front() == '[') {
            inHeader = UpperAscii(stripped).starts_with("[LANGUAGE");
            out += std::string(line) + "\r\n";
            if (inHeader && !declared) {
                out += "Codepage=" + name + "\r\n";
                declared = true;
            }
            return;
        }
        if (inHeader && UpperAscii(stripped).starts_with("CODEPAGE"))
            return; // the one written above replaces it
        out += std::string(line) + "\r\n";
    });
    if (!declared)
        out = "[LANGUAGE]\r\nCodepage=" + name + "\r\n[ITEMS]\r\n" + out;
    return out;
}

struct ScanRequest
{
    std::vector<Entry> Found;
    std::int64_t Start = 1;
    std::string Update;      // the template to update; empty for a new one
    std::string UpdateBytes; // its bytes as read
    CodePage UpdateCodePage; // and its code page
    std::string Program;
    bool CheckMessages = false; // whether messages no longer found are reported
};

// The template's bytes in codePage; a failure names the first text the code page cannot hold.
std::optional<std::string> WriteTemplate(const ScanRequest &request, const CodePage &codePage,
                                         std::optional<Failure> &failure)
{
    Encoder encode(codePage);
    std::vector<WrittenEntry> written;
    written.reserve(request.Found.size());
    std::map<MessageKey, const WrittenEntry *> current;
    for (const Entry &entry : request.Found) {
        written.push_back(Write(entry, encode));
        const WrittenEntry &last = written.back();
        current.try_emplace(KeyOf(last.Kind, last.Key, last.Text), &last);
    }
    const std::string program = request.Update.empty() ? encode(request.Program, "--program") : std::string();
    if ((failure = encode.Failed()))
        return std::nullopt;

    std::string out;
    std::int64_t next = request.Start;
    std::set<MessageKey> existing;
    std::map<std::string, std::size_t> contextEnds; // where a context's messages end in the old template
    if (!request.Update.empty()) {
        std::string oldBytes = request.UpdateBytes;
        if (!request.UpdateCodePage.Is(codePage.Name())) {
            const QString text = request.UpdateCodePage.Decode(oldBytes);
            const std::string declared = DeclareCodePage(text.toStdString(), codePage.Name().toStdString());
            const std::optional<std::string> converted = codePage.Encode(QString::fromStdString(declared));
            if (!converted) {
                const QString lost = codePage.Unrepresentable(QString::fromStdString(declared));
                failure = Failure{lost.toStdString(), request.Update};
                return std::nullopt;
            }
            oldBytes = *converted;
        }
        std::vector<OldEntry> oldEntries;
        out = RenewComments(oldBytes, current, oldEntries, contextEnds);
        for (const OldEntry &old : oldEntries) {
            existing.insert(old.Key);
            next = std::max<std::int64_t>(next, std::int64_t{old.Number} + 1);
            const bool checkable =
                old.Kind == ikComponent || (old.Kind == ikMessage && request.CheckMessages);
            if (checkable && !current.contains(old.Key))
                std::cerr << "verbaria-tool: not found any more: " << old.Number << ' '
                          << KindKeyword(old.Kind) << " \"" << old.Text << "\"\n";
        }
    } else {
        out += "[LANGUAGE]\r\nPROGRAM=" + program + "\r\n";
        // Declared, so that the template reads the same wherever it goes.
        if (!codePage.IsFallback())
            out += "Codepage=" + codePage.Name().toStdString() + "\r\n";
    }

    // New entries go under an [ITEMS] line, unless the template already ends among its items.
    bool itemsStarted = false;
    if (!request.Update.empty()) {
        TemplatePart part = TemplatePart::Items; // as the template's reader starts
        ForEachLine(out, [&part](std::string_view line) {
            line = TrimLeftBlanks(line);
            if (!line.empty() && line.front() == '[')
                part = PartAfterSection(line, part);
        });
        itemsStarted = part == TemplatePart::Items;
    }
    // A new message of a context the template has goes after that context's last message, so
    // that each context stays under its section; anything else goes at the end.
    std::map<std::size_t, std::string> inserted;
    for (const WrittenEntry &entry : written) {
        if (existing.contains(KeyOf(entry.Kind, entry.Key, entry.Text)))
            continue;
        if (next > std::numeric_limits<std::int32_t>::max())
            throw InOutError("no identifier numbers left after " + std::to_string(next - 1));
        const std::string lines = entry.Comments + std::to_string(next++) + ':' + KindKeyword(entry.Kind) +
                                  " \"" + entry.Text + "\"\r\n";
        const auto end = entry.Kind == ikMessage ? contextEnds.find(entry.Key.Context) : contextEnds.end();
        if (end != contextEnds.end()) {
            inserted[end->second] += lines;
            continue;
        }
        if (!itemsStarted) {
            out += "[ITEMS]\r\n";
            itemsStarted = true;
        }
        out += lines;
    }
    for (auto it = inserted.rbegin(); it != inserted.rend(); ++it)
        out.insert(it->first, it->second);
    return out;
}

// A language file whose texts are the ones the forms hold, for the template just written.
std::string OriginalsLanguage(const std::string &templateBytes, const CodePage &codePage,
                              const std::string &templateFile, const std::string &languageFile)
{
    EditorTemplate written;
    checks::ScannedTexts scanned;
    checks::ReadTemplateWithScannedTexts(templateBytes, written, scanned);
    std::vector<std::string> texts(written.Items.size());
    for (std::size_t i = 0; i < written.Items.size(); ++i) {
        if (written.Items[i].Kind != ikComponent)
            continue;
        if (const auto it = scanned.find(written.Items[i].Number); it != scanned.end())
            texts[i] = it->second;
    }
    // Names are the system's; the header holds them in the file's code page where it can.
    auto inCodePage = [&codePage](const QString &name) {
        return codePage.Encode(name).value_or(name.toStdString());
    };
    LanguageHeader header;
    header.Language = inCodePage(QFileInfo(QString::fromStdString(languageFile)).completeBaseName());
    header.Definition = inCodePage(QFileInfo(QString::fromStdString(templateFile)).fileName());
    if (!codePage.IsFallback())
        header.CodePage = codePage.Name().toStdString();
    return FormatLanguageFile(header, written.Items, texts);
}

int Scan(const std::vector<std::string> &args)
{
    std::vector<std::string> sourceFolders;
    std::string output;
    std::string update;
    std::string program;
    std::optional<std::string> codePageName;
    std::optional<std::string> startText;
    std::string originals;
    bool qtMessages = false;
    OptionParser options("scan");
    options.Values({"--sources"}, sourceFolders)
        .Value({"--start"}, startText)
        .Value({"--update"}, update)
        .Include(shared::Output, output)
        .Value({"--program"}, program)
        .Include(shared::CodePage, codePageName)
        .Value({"--originals"}, originals)
        .Flag({"--qt-messages"}, qtMessages);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &forms = options.Arguments();
    ScanRequest request;
    if (startText) {
        const auto number = ParseWholeNumber(*startText);
        if (!number || *number < 0)
            return options.Error("'" + *startText + "' is not a valid start number");
        request.Start = *number;
    }
    if (forms.empty() && sourceFolders.empty())
        return options.Error("no form given");
    if (!originals.empty() && output.empty() && update.empty())
        return options.Error("--originals needs -o or --update: the language file names its template");

    CodePage codePage;
    if (codePageName && !codePage.SetName(QString::fromStdString(*codePageName)))
        return options.Error("unknown code page '" + *codePageName + "'");

    try {
        // A section or path goes between quotes as it is; one that cannot is left out.
        auto quotable = [](const QString &text) {
            if (text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n')) {
                PrintError("warning: left out, a template text cannot hold a double quote or a line break: " +
                           text.toStdString());
                return false;
            }
            return true;
        };

        // What the forms and sources hold, in order: a section per form, then its texts.
        std::vector<Entry> &found = request.Found;
        MessageGroups messages;
        std::map<QString, std::string> formPaths; // upper-cased form name -> its first file
        for (const std::string &path : forms) {
            const std::string fileName = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
            if (qtMessages) {
                const FormMessages form = ReadFormMessages(path);
                for (const FormMessage &text : form.Messages) {
                    SourceMessage message;
                    message.Context = form.Context.toStdString();
                    message.Source = text.Source.toStdString();
                    message.Disambiguation = text.Disambiguation.toStdString();
                    message.Comment = text.Comment.toStdString();
                    message.Location = fileName + ":" + std::to_string(text.Line);
                    messages.Add(std::move(message), path + ":" + std::to_string(text.Line));
                }
                continue;
            }
            const FormFile form = ReadFormFile(path);
            // The translator finds forms by name, without regard to case: a second form of the
            // same name shares every path with the first.
            const auto [first, isNew] = formPaths.try_emplace(form.Name.toUpper(), path);
            if (!isNew)
                PrintError("warning: " + path + " and " + first->second + " are both forms named " +
                           form.Name.toStdString() + "; their paths collide");
            if (!quotable(form.Name))
                continue;
            found.push_back({ikSection, form.Name.toStdString(), {}, {}, path});
            for (const FormText &text : form.Texts) {
                QString shown = text.Values.join(u',');
                shown.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
                shown.replace(u'\r', u'|');
                shown.replace(u'\n', u'|');
                if (quotable(text.Path))
                    found.push_back({ikComponent, text.Path.toStdString(), shown.toStdString(), {}, path});
            }
        }
        for (const std::string &folder : sourceFolders) {
            const std::vector<std::string> cpp =
                FilesBelow(folder, {".cpp", ".h", ".cc", ".hpp", ".cxx", ".hh"});
            std::vector<std::string> sources(cpp.size());
            ClassIndex classes;
            for (std::size_t i = 0; i < cpp.size(); ++i) {
                ReadFileBytes(cpp[i], sources[i]);
                IndexCppClasses(sources[i], classes);
            }
            for (std::size_t i = 0; i < cpp.size(); ++i) {
                for (SourceMessage &message :
                     ScanCppMessages(sources[i], RelativeName(cpp[i], folder), classes)) {
                    std::string origin = message.Location.empty() ? cpp[i] : folder + "/" + message.Location;
                    messages.Add(std::move(message), std::move(origin));
                }
            }
            for (const std::string &file : FilesBelow(folder, {".qml", ".js"})) {
                std::string source;
                ReadFileBytes(file, source);
                const std::string context =
                    QFileInfo(QString::fromStdString(file)).completeBaseName().toStdString();
                for (SourceMessage &message : ScanQmlMessages(source, RelativeName(file, folder), context)) {
                    std::string origin = folder + "/" + message.Location;
                    messages.Add(std::move(message), std::move(origin));
                }
            }
        }
        if (messages.Empty() && !sourceFolders.empty())
            found.push_back({ikSection, "Messages", {}, {}, {}});
        messages.AppendTo(found);

        bool explicitCodePage = codePageName.has_value();
        if (!update.empty()) {
            if (!ReadFileBytes(update, request.UpdateBytes))
                throw InOutError("File not found: " + update);
            EditorTemplate old;
            if (!ReadTemplateFile(update, old))
                throw InOutError("File not found: " + update);
            request.Update = update;
            request.UpdateCodePage = CodePage::ForDeclared(DeclaredCodePage(request.UpdateBytes));
            if (!explicitCodePage)
                codePage = request.UpdateCodePage;
        }
        request.CheckMessages = !sourceFolders.empty() || qtMessages;
        if (program.empty() && !forms.empty())
            program = QFileInfo(QString::fromStdString(forms.front())).completeBaseName().toStdString();
        request.Program = program;

        std::optional<Failure> failure;
        std::optional<std::string> out = WriteTemplate(request, codePage, failure);
        if (!out && !explicitCodePage) {
            // Every text reaches the template: in UTF-8, declared, when the code page cannot hold one.
            codePage.SetName(QStringLiteral("UTF-8"));
            out = WriteTemplate(request, codePage, failure);
        }
        if (!out) {
            PrintError(failure->Origin + ": the code page " + codePage.Name().toStdString() +
                       " cannot hold the text \"" + failure->Text + "\"; nothing written");
            return ExitFailure;
        }
        const std::string target = !output.empty() ? output : update;
        WriteOutput(target.empty() ? std::string("-") : target, *out);
        if (!originals.empty())
            WriteOutput(originals, OriginalsLanguage(*out, codePage, target, originals));
        return ExitOk;
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
}

const CommandRegistration registration{
    Command{"scan", "write or update the template of Qt Designer forms and sources", kScanUsage, Scan}};

} // namespace

} // namespace verbaria::tool
