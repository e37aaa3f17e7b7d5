#include "tool/Command.h"
#include "tool/OptionParser.h"
#include "tool/Output.h"
#include "tool/TranslatorForms.h"

#include "checks/ScannedTexts.h"
#include "checks/Utf8.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
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
    "Usage: verbaria-tool scan FORM.ui... [--sources DIR]... [--start N] [--update TEMPLATE]\n"
    "                          [--program NAME] [--code-page NAME] [-o TEMPLATE|-]\n"
    "\n"
    "Writes the template (.lnd) of a program that embeds the runtime translator: a [LANGUAGE]\n"
    "header with the program name (--program, else the first form file's name), then [ITEMS]\n"
    "with a section line per form and a component line for every text of every named object of\n"
    "the forms (text, title, window title, tool tip, status tip, what's this, placeholder text,\n"
    "spin box prefix, suffix and special-value text, tab and tool box page texts, combo box and\n"
    "list entries, tree and table header labels), numbered from N (default 1). Two forms with\n"
    "the same object name are reported. With --sources, a message line\n"
    "for every string literal passed to TranslateText in the C++ files below DIR.\n"
    "\n"
    "With --update the existing TEMPLATE keeps every line and number; new texts are added with\n"
    "numbers after the highest one, and entries no longer found are listed on standard error.\n"
    "The result goes to -o, else back to the updated template, else to standard output. Texts\n"
    "are written in the code page (default windows-1250).\n"
    "\n"
    "Above each component line a comment line \"/Text=...\" tells the text the form holds (list\n"
    "entries joined by \",\", line breaks as \"|\"); readers of the template skip it, and\n"
    "\"verbaria-tool check\" compares translations with it. --update renews these comments.\n";

// ---- string literals passed to TranslateText in C++ sources ----

bool IsIdentifierChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

class LiteralScanner final
{
public:
    explicit LiteralScanner(std::string_view source)
        : s_(source)
    {
    }

    // UTF-8 texts of the literals that are the argument of TranslateText(...), in order.
    std::vector<std::string> Scan()
    {
        std::vector<std::string> found;
        while (i_ < s_.size()) {
            if (SkipSpaceAndComments())
                continue;
            const char c = s_[i_];
            if (c == '"' || c == '\'' || (c == 'R' && Peek(1) == '"')) {
                std::string ignored;
                ReadLiteral(ignored);
            } else if (IsIdentifierChar(c)) {
                const std::size_t start = i_;
                while (i_ < s_.size() && IsIdentifierChar(s_[i_]))
                    ++i_;
                if (s_.substr(start, i_ - start) == "TranslateText") {
                    std::string text;
                    if (ReadArgument(text))
                        found.push_back(std::move(text));
                }
            } else {
                ++i_;
            }
        }
        return found;
    }

private:
    char Peek(std::size_t ahead) const { return i_ + ahead < s_.size() ? s_[i_ + ahead] : '\0'; }

    bool SkipSpaceAndComments()
    {
        const std::size_t start = i_;
        while (i_ < s_.size()) {
            if (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r' || s_[i_] == '\n') {
                ++i_;
            } else if (s_[i_] == '/' && Peek(1) == '/') {
                i_ = std::min(s_.find('\n', i_), s_.size());
            } else if (s_[i_] == '/' && Peek(1) == '*') {
                const std::size_t end = s_.find("*/", i_ + 2);
                i_ = end == std::string_view::npos ? s_.size() : end + 2;
            } else {
                break;
            }
        }
        return i_ != start;
    }

    // After "TranslateText": "(" then wrappers such as QStringLiteral( or QString::fromUtf8(,
    // then one or more adjacent literals, then ")" or ",".
    bool ReadArgument(std::string &text)
    {
        SkipSpaceAndComments();
        if (Peek(0) != '(')
            return false;
        ++i_;
        while (true) {
            SkipSpaceAndComments();
            const std::size_t start = i_;
            while (i_ < s_.size() && (IsIdentifierChar(s_[i_]) || s_[i_] == ':'))
                ++i_;
            const std::string_view word = s_.substr(start, i_ - start);
            SkipSpaceAndComments();
            if (word.empty() || word == "u8" || word == "u" || word == "U" || word == "L" || word == "R" ||
                word == "u8R" || word == "uR" || word == "UR" || word == "LR") {
                i_ = start;
                break;
            }
            if (Peek(0) != '(')
                return false;
            ++i_;
        }
        bool any = false;
        while (true) {
            SkipSpaceAndComments();
            std::size_t at = i_;
            while (at < s_.size() && (s_[at] == 'u' || s_[at] == '8' || s_[at] == 'U' || s_[at] == 'L'))
                ++at;
            if (at < s_.size() &&
                (s_[at] == '"' || (s_[at] == 'R' && at + 1 < s_.size() && s_[at + 1] == '"'))) {
                i_ = at;
                if (!ReadLiteral(text))
                    return false;
                while (i_ < s_.size() && IsIdentifierChar(s_[i_])) // user-defined suffix such as _s
                    ++i_;
                any = true;
                continue;
            }
            break;
        }
        SkipSpaceAndComments();
        return any && (Peek(0) == ')' || Peek(0) == ',');
    }

    // At a quote (or R"); appends the literal's UTF-8 text. False at an unterminated literal.
    bool ReadLiteral(std::string &out)
    {
        if (s_[i_] == 'R') {
            const std::size_t open = s_.find('(', i_ + 2);
            if (open == std::string_view::npos)
                return Fail();
            const std::string close = ")" + std::string(s_.substr(i_ + 2, open - i_ - 2)) + "\"";
            const std::size_t end = s_.find(close, open + 1);
            if (end == std::string_view::npos)
                return Fail();
            out.append(s_.substr(open + 1, end - open - 1));
            i_ = end + close.size();
            return true;
        }
        const char quote = s_[i_++];
        while (i_ < s_.size() && s_[i_] != quote) {
            if (s_[i_] == '\n')
                return Fail();
            if (s_[i_] != '\\') {
                out += s_[i_++];
                continue;
            }
            ++i_;
            if (i_ >= s_.size())
                return Fail();
            const char e = s_[i_++];
            if (const std::optional<char> escaped = SimpleEscape(e)) {
                out += *escaped;
                continue;
            }
            switch (e) {
            case 'x':
                out += static_cast<char>(Number(16, 8));
                break;
            case 'u':
                checks::AppendUtf8(out, static_cast<char32_t>(Number(16, 4)));
                break;
            case 'U':
                checks::AppendUtf8(out, static_cast<char32_t>(Number(16, 8)));
                break;
            default:
                if (e >= '0' && e <= '7') {
                    --i_;
                    out += static_cast<char>(Number(8, 3));
                } else {
                    out += e;
                }
            }
        }
        if (i_ >= s_.size())
            return Fail();
        ++i_;
        return true;
    }

    std::uint32_t Number(int base, int maxDigits)
    {
        std::uint32_t value = 0;
        for (int n = 0; n < maxDigits && i_ < s_.size(); ++n, ++i_) {
            const char c = s_[i_];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                break;
            if (digit >= base)
                break;
            value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        }
        return value;
    }

    bool Fail()
    {
        i_ = s_.size();
        return false;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

std::vector<std::string> SourceFiles(const std::string &folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string extension = it->path().extension().string();
        if (it->is_regular_file(error) && (extension == ".cpp" || extension == ".h" || extension == ".cc" ||
                                           extension == ".hpp" || extension == ".cxx" || extension == ".hh"))
            files.push_back(it->path().string());
    }
    if (error)
        throw InOutError("Path not found: " + folder);
    std::sort(files.begin(), files.end());
    return files;
}

// ---- the template ----

struct Entry
{
    TItemKind Kind;
    std::string Text;  // bytes in the code page
    std::string Found; // a component's text in the form, in the one-line form; empty when none
};

// The comment above a component line: the form's text in the code page, one line.
std::string FoundTextBytes(const CodePage &codePage, const QStringList &values)
{
    QString text = values.join(u',');
    text.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
    text.replace(u'\r', u'|');
    text.replace(u'\n', u'|');
    const std::optional<std::string> bytes = codePage.Encode(text);
    return bytes ? *bytes : std::string();
}

void AppendDefinition(std::string &out, std::int64_t number, const Entry &entry)
{
    if (entry.Kind == ikComponent && !entry.Found.empty())
        out += checks::ScannedTextComment(entry.Found) + "\r\n";
    out += std::to_string(number) + ':' + KindKeyword(entry.Kind) + " \"" + entry.Text + "\"\r\n";
}

// The kept lines of an updated template, with the text comment of every component that is still
// found renewed.
std::string RenewFoundTexts(std::string_view bytes, const std::vector<Entry> &found)
{
    std::map<std::string, std::string> foundText;
    for (const Entry &entry : found) {
        if (entry.Kind == ikComponent)
            foundText.emplace(entry.Text, entry.Found);
    }
    std::string out;
    std::string pending; // text comments not yet known to belong to a renewed entry
    bool itemsMode = true;
    ForEachLine(bytes, [&](std::string_view line) {
        const std::string_view stripped = TrimLeftBlanks(line);
        if (checks::IsScannedTextComment(stripped)) {
            pending += std::string(line) + "\r\n";
            return;
        }
        if (!stripped.empty() && stripped.front() == '[') {
            const std::string name =
                UpperAscii(stripped.substr(1, stripped.size() - (stripped.back() == ']' ? 2 : 1)));
            itemsMode = name == "ITEMS" ? true : name == "LANGUAGE" ? false : itemsMode;
        } else if (itemsMode && !stripped.empty() && stripped.front() != '/') {
            DefinitionLine entry;
            ParseDefinitionLine(stripped, TemplateFlavour::Editor, entry);
            const auto it = entry.Kind == ikComponent ? foundText.find(entry.Text) : foundText.end();
            if (it != foundText.end()) {
                pending.clear();
                if (!it->second.empty())
                    pending = checks::ScannedTextComment(it->second) + "\r\n";
            }
        }
        out += pending;
        pending.clear();
        out += std::string(line) + "\r\n";
    });
    return out + pending;
}

int Scan(const std::vector<std::string> &args)
{
    std::vector<std::string> sourceFolders;
    std::string output;
    std::string update;
    std::string program;
    std::string codePageName = "windows-1250";
    std::optional<std::string> startText;
    OptionParser options("scan");
    options.Values({"--sources"}, sourceFolders)
        .Value({"--start"}, startText)
        .Value({"--update"}, update)
        .Value({"-o", "--output"}, output)
        .Value({"--program"}, program)
        .Value({"--code-page"}, codePageName);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &forms = options.Arguments();
    std::int64_t start = 1;
    if (startText) {
        const auto number = ParseWholeNumber(*startText);
        if (!number || *number < 0)
            return options.Error("'" + *startText + "' is not a valid start number");
        start = *number;
    }
    if (forms.empty() && sourceFolders.empty())
        return options.Error("no form given");

    CodePage codePage;
    if (!codePage.SetName(QString::fromStdString(codePageName)))
        return options.Error("unknown code page '" + codePageName + "'");

    try {
        auto encode = [&](const QString &text, std::string &bytes) {
            std::optional<std::string> encoded = codePage.Encode(text);
            bytes = encoded ? *encoded : std::string();
            if (!encoded) {
                PrintError("warning: left out, the code page cannot hold it: " + text.toStdString());
                return false;
            }
            if (bytes.find('"') != std::string::npos) {
                PrintError("warning: left out, a template text cannot hold a double quote: " +
                           text.toStdString());
                return false;
            }
            if (bytes.find_first_of("\r\n") != std::string::npos) {
                PrintError("warning: left out, a template text cannot hold a line break: " +
                           text.toStdString());
                return false;
            }
            return true;
        };

        // What the forms and sources hold, in order: a section per form, then its texts.
        std::vector<Entry> found;
        std::map<QString, std::string> formPaths; // upper-cased form name -> its first file
        for (const std::string &path : forms) {
            const FormFile form = ReadFormFile(path);
            // The translator finds forms by name, without regard to case: a second form of the
            // same name shares every path with the first.
            const auto [first, isNew] = formPaths.try_emplace(form.Name.toUpper(), path);
            if (!isNew)
                PrintError("warning: " + path + " and " + first->second + " are both forms named " +
                           form.Name.toStdString() + "; their paths collide");
            std::string bytes;
            if (!encode(form.Name, bytes))
                continue;
            found.push_back({ikSection, bytes, {}});
            for (const FormText &text : form.Texts) {
                if (encode(text.Path, bytes))
                    found.push_back({ikComponent, bytes, FoundTextBytes(codePage, text.Values)});
            }
        }
        if (!sourceFolders.empty()) {
            found.push_back({ikSection, "Messages", {}});
            std::set<std::string> seen;
            for (const std::string &folder : sourceFolders) {
                for (const std::string &file : SourceFiles(folder)) {
                    std::string source;
                    ReadFileBytes(file, source);
                    for (const std::string &literal : LiteralScanner(source).Scan()) {
                        std::string bytes;
                        if (!literal.empty() && encode(QString::fromUtf8(literal), bytes) &&
                            seen.insert(bytes).second)
                            found.push_back({ikMessage, bytes, {}});
                    }
                }
            }
        }

        std::string out;
        std::int64_t next = start;
        std::set<std::pair<int, std::string>> existing; // (kind, text)
        if (!update.empty()) {
            EditorTemplate old;
            if (!ReadTemplateFile(update, old))
                throw InOutError("File not found: " + update);
            std::string oldBytes;
            ReadFileBytes(update, oldBytes);
            out = RenewFoundTexts(oldBytes, found);
            std::set<std::pair<int, std::string>> current;
            for (const Entry &entry : found)
                current.insert({entry.Kind, entry.Text});
            for (const TEditorItem &item : old.Items) {
                existing.insert({item.Kind, item.Text});
                next = std::max<std::int64_t>(next, std::int64_t{item.Number} + 1);
                const bool checkable =
                    item.Kind == ikComponent || (item.Kind == ikMessage && !sourceFolders.empty());
                if (checkable && !current.contains({item.Kind, item.Text}))
                    std::cerr << "verbaria-tool: not found any more: " << item.Number << ' '
                              << KindKeyword(item.Kind) << " \"" << item.Text << "\"\n";
            }
        } else {
            if (program.empty() && !forms.empty())
                program = QFileInfo(QString::fromStdString(forms.front())).completeBaseName().toStdString();
            std::string programBytes;
            encode(QString::fromStdString(program), programBytes);
            out += "[LANGUAGE]\r\nPROGRAM=" + programBytes + "\r\n";
            // Declared, so that the template reads the same wherever it goes.
            if (!codePage.IsFallback())
                out += "Codepage=" + codePage.Name().toStdString() + "\r\n";
        }

        // New entries go under an [ITEMS] line, unless the template already ends among its items.
        bool itemsStarted = false;
        if (!update.empty()) {
            itemsStarted = true; // a template is read in items mode until a section says otherwise
            ForEachLine(out, [&itemsStarted](std::string_view line) {
                line = TrimLeftBlanks(line);
                if (line.empty() || line.front() != '[')
                    return;
                std::string_view name = line.substr(1);
                if (!name.empty() && name.back() == ']')
                    name.remove_suffix(1);
                const std::string upper = UpperAscii(name);
                if (upper == "ITEMS" || upper == "LANGUAGE")
                    itemsStarted = upper == "ITEMS";
            });
        }
        for (const Entry &entry : found) {
            if (existing.contains({entry.Kind, entry.Text}))
                continue;
            if (!itemsStarted) {
                out += "[ITEMS]\r\n";
                itemsStarted = true;
            }
            if (next > std::numeric_limits<std::int32_t>::max())
                throw InOutError("no identifier numbers left after " + std::to_string(next - 1));
            AppendDefinition(out, next++, entry);
        }

        const std::string target = !output.empty() ? output : update;
        WriteOutput(target.empty() ? std::string("-") : target, out);
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
