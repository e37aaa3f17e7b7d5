#include "tool/Command.h"
#include "tool/DocumentSession.h"
#include "tool/FileTexts.h"
#include "tool/Json.h"
#include "tool/OptionParser.h"
#include "tool/Output.h"
#include "tool/SharedOptions.h"

#include "formats/CodePageNames.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "formats/TextRules.h"
#include "formats/TrackedOriginals.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <iostream>
#include <map>
#include <unordered_map>

namespace verbaria::tool {

namespace {

const char *const UpdateUsage =
    "Usage: verbaria-tool update --from OLD.lnd NEW.lnd LANGUAGE... [-o FOLDER] [--json]\n"
    "                            [--program-folder DIR] [--code-page NAME]\n"
    "\n"
    "Brings language files made for the template OLD.lnd to its new version NEW.lnd. Each file is\n"
    "made to track its originals: a translation that records none yet records OLD.lnd's original,\n"
    "a translation whose entry NEW.lnd no longer has is kept as an obsolete one. The file is\n"
    "written in NEW.lnd's order, over itself, or into FOLDER under its own name with -o.\n"
    "Prints what NEW.lnd changes against OLD.lnd (entries added, changed, removed, and moved: a\n"
    "new entry with the original of a removed or changed one), then for each file how many of its\n"
    "translations are changed, obsolete, or offered to a moved entry; with --json one object with\n"
    "the arrays \"added\", \"changed\", \"removed\", \"moved\" and \"files\".\n"
    "\n"
    "  --from OLD.lnd       the template the language files were made for\n"
    "  -o, --output FOLDER  write the files there instead of over themselves\n"
    "  --json               print the result as JSON\n"
    "  --program-folder DIR look for registered programs in DIR/programs.ini\n"
    "  --code-page NAME     the code page of files that declare none (default: windows-1250)\n"
    "\n"
    "Exit status: 0 on success, 1 when a file could not be read or written, 2 for a usage error.\n";

struct Entries
{
    std::vector<std::int32_t> Order;                         // numbers in template order
    std::unordered_map<std::int32_t, std::string> Originals; // the first entry of a number
    std::string CodePage;
};

Entries ReadEntries(const std::string &path, const std::string &fallback)
{
    const TemplateTexts texts = ReadTemplateTexts(path, fallback);
    const std::vector<std::string> originals = TemplateOriginals(texts.Bytes, texts.Template.Items);
    Entries entries;
    entries.CodePage = texts.CodePage;
    for (std::size_t i = 0; i < texts.Template.Items.size(); ++i) {
        const TEditorItem &item = texts.Template.Items[i];
        if ((item.Kind != ikComponent && item.Kind != ikMessage) || item.Number < 0)
            continue;
        if (entries.Originals.try_emplace(item.Number, originals[i]).second)
            entries.Order.push_back(item.Number);
    }
    return entries;
}

struct Change
{
    std::string Kind; // added, changed, removed, moved
    std::int32_t Number = 0;
    std::int32_t From = -1; // moved: the entry whose translation goes with it
    std::string Old;        // UTF-8
    std::string New;
};

std::vector<Change> Compare(const Entries &before, const Entries &after)
{
    const checks::Decoder oldText = DecoderFor(before.CodePage);
    const checks::Decoder newText = DecoderFor(after.CodePage);
    // Where an old original went: a removed entry, or a changed one (its translation was made
    // from that text).
    std::unordered_map<std::string, std::int32_t> gone;
    std::vector<Change> changes;
    std::vector<Change> removed;
    for (const std::int32_t number : before.Order) {
        const std::string &original = before.Originals.at(number);
        const auto now = after.Originals.find(number);
        if (now == after.Originals.end()) {
            removed.push_back({"removed", number, -1, oldText(original), {}});
            gone.try_emplace(original, number);
        } else if (now->second != original) {
            gone.try_emplace(original, number);
        }
    }
    for (const std::int32_t number : after.Order) {
        const std::string &original = after.Originals.at(number);
        const auto was = before.Originals.find(number);
        if (was == before.Originals.end()) {
            const auto from = gone.find(original);
            if (from != gone.end())
                changes.push_back({"moved", number, from->second, oldText(original), newText(original)});
            else
                changes.push_back({"added", number, -1, {}, newText(original)});
        } else if (was->second != original) {
            changes.push_back({"changed", number, -1, oldText(was->second), newText(original)});
        }
    }
    changes.insert(changes.end(), removed.begin(), removed.end());
    std::stable_sort(changes.begin(), changes.end(), [](const Change &a, const Change &b) {
        static const std::map<std::string, int> order{
            {"added", 0}, {"changed", 1}, {"removed", 2}, {"moved", 3}};
        return order.at(a.Kind) < order.at(b.Kind);
    });
    return changes;
}

struct FileResult
{
    std::string File;
    std::string Written;
    int Changed = 0;
    int Obsolete = 0;
    int Moved = 0;
};

std::string Report(const std::vector<Change> &changes, const std::vector<FileResult> &files, bool json)
{
    std::string out;
    if (json) {
        JsonWriter writer(out);
        writer.BeginObject();
        for (const char *kind : {"added", "changed", "removed", "moved"}) {
            writer.Key(kind).BeginArray({"\n  ", ",\n  ", "\n"});
            for (const Change &change : changes) {
                if (change.Kind != kind)
                    continue;
                writer.BeginObject().Member("number", change.Number);
                if (change.From >= 0)
                    writer.Member("from", change.From);
                if (change.Kind == "changed")
                    writer.Member("old", change.Old).Member("new", change.New);
                else
                    writer.Member("original", change.Kind == "removed" ? change.Old : change.New);
                writer.EndObject();
            }
            writer.EndArray();
        }
        writer.Key("files").BeginArray({"\n  ", ",\n  ", "\n"});
        for (const FileResult &file : files) {
            writer.BeginObject()
                .Member("file", file.File)
                .Member("written", file.Written)
                .Member("changed", file.Changed)
                .Member("obsolete", file.Obsolete)
                .Member("moved", file.Moved)
                .EndObject();
        }
        writer.EndArray().EndObject();
        out += '\n';
        return out;
    }
    out += "change   number  from   original\n";
    for (const Change &change : changes) {
        std::string line = change.Kind + std::string(9 - change.Kind.size(), ' ') +
                           PadNumber(change.Number, 5) + "   " +
                           (change.From >= 0 ? PadNumber(change.From, 5) : std::string(5, ' ')) + "  ";
        if (change.Kind == "changed")
            line += change.Old + " -> " + change.New;
        else
            line += change.Kind == "removed" ? change.Old : change.New;
        out += line + '\n';
    }
    for (const FileResult &file : files)
        out += file.Written + ": " + std::to_string(file.Changed) + " changed, " +
               std::to_string(file.Obsolete) + " obsolete, " + std::to_string(file.Moved) +
               " offered to moved entries\n";
    return out;
}

int RunUpdate(const std::vector<std::string> &args)
{
    std::string from;
    std::string output;
    std::string programFolder;
    std::string codePageName;
    bool json = false;
    OptionParser parser("update");
    parser.Value({"--from"}, from)
        .Include(shared::Output, output)
        .Include(shared::Json, json)
        .Include(shared::ProgramFolder, programFolder)
        .Include(shared::CodePage, codePageName);
    if (const auto status = parser.Parse(args))
        return *status;
    const std::vector<std::string> &positional = parser.Arguments();
    if (from.empty())
        return parser.Error("the template the files were made for is needed (--from OLD.lnd)");
    if (positional.size() < 2)
        return parser.Error(positional.empty() ? "the new template is needed" : "no language file given");
    if (const auto status = UseDefaultCodePage(parser, codePageName))
        return *status;
    const std::string fallback = codePageName.empty() ? std::string(FallbackCodePageName) : codePageName;
    const std::string &newTemplate = positional[0];
    try {
        for (const std::string *file : {static_cast<const std::string *>(&from), &newTemplate}) {
            if (!FileExists(*file)) {
                PrintError(*file + ": File not found");
                return ExitFailure;
            }
        }
        const Entries before = ReadEntries(from, fallback);
        const Entries after = ReadEntries(newTemplate, fallback);
        const std::vector<Change> changes = Compare(before, after);
        std::map<std::int32_t, std::string> oldOriginals(before.Originals.begin(), before.Originals.end());

        std::vector<FileResult> results;
        DocumentSession session(programFolder, codePageName, false);
        if (!session.LoadTemplate(newTemplate)) {
            PrintError(newTemplate + ": template not found");
            return ExitFailure;
        }
        LanguageDocument &document = session.Document();
        // Each file starts from the template's header alone: nothing of the file before it.
        const DocumentHeader fresh = document.Header();
        const std::string oldName = FileNameOf(from);
        const std::string newName = FileNameOf(newTemplate);
        for (std::size_t i = 1; i < positional.size(); ++i) {
            const std::string &file = positional[i];
            if (!FileExists(file)) {
                PrintError(file + ": File not found");
                return ExitFailure;
            }
            // Each file is read against the new template, whatever its DEFINITION says.
            document.NovyJazyk(false, false);
            document.Header() = fresh;
            document.SetStartovani(true);
            document.NactiJazyk(file, 1);
            document.RecordOriginalsFrom(oldOriginals);
            document.SetTracking(true);
            // A file that named the old template names the new one.
            if (EqualsIgnoringAsciiCase(FileNameOf(document.Header().editSablona), oldName) &&
                oldName != newName)
                document.Header().editSablona = newName;
            FileResult result;
            result.File = file;
            result.Written = output.empty()
                                 ? file
                                 : QDir(QString::fromStdString(output))
                                       .filePath(QFileInfo(QString::fromStdString(file)).fileName())
                                       .toStdString();
            result.Changed = document.ChangedCount();
            result.Obsolete = static_cast<int>(document.Obsolete().size());
            result.Moved = static_cast<int>(document.MovedOffers().size());
            WriteOutput(NativePath(result.Written), document.SavedBytes());
            results.push_back(std::move(result));
        }
        std::cout << Report(changes, results, json);
        std::cout.flush();
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
    return ExitOk;
}

const CommandRegistration registration{
    Command{"update", "bring language files to a new version of their template, keeping every translation",
            UpdateUsage, RunUpdate}};

} // namespace
} // namespace verbaria::tool
