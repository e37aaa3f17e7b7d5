#include "tool/Command.h"
#include "tool/FileTexts.h"
#include "tool/OptionParser.h"
#include "tool/Output.h"

#include "checks/PseudoText.h"
#include "checks/ScannedTexts.h"
#include "formats/CodePageNames.h"
#include "formats/Errors.h"
#include "formats/LanguageFile.h"
#include "formats/MessageInfo.h"
#include "platform/CodePage.h"

#include <QFileInfo>

#include <iostream>

namespace verbaria::tool {

namespace {

const char *const kPseudoUsage =
    "Usage: verbaria-tool pseudo TEMPLATE -o OUT.lng|- [--expand PERCENT] [--code-page NAME]\n"
    "\n"
    "Writes a pseudo-language for TEMPLATE: every text accented, lengthened and bracketed\n"
    "(\"Open\" becomes \"[Ŏƥēň ~~]\"), keeping its placeholders (%1, %L1, %s, %n, {name}), its\n"
    "accelerator, its markup and entities, and its line breaks as the file writes them. Applied\n"
    "to the program (or to its forms with apply --fit), a text without brackets is one the\n"
    "program does not translate, and a clipped one shows a layout too tight for a longer\n"
    "language. --expand PERCENT lengthens every text by PERCENT of its length (default: 40 for a\n"
    "short text, less for a long one).\n"
    "\n"
    "A component's text is the one the template notes above its entry (\"/Text=\", as scan writes\n"
    "it); a component without one, a shortcut and a whole number are left out. The file is\n"
    "written in the code page --code-page NAME names, else in the template's own (its Codepage=,\n"
    "else windows-1250); a letter whose accented forms that code page cannot hold stays plain,\n"
    "and a text it cannot hold at all is left out.\n";

int Pseudo(const std::vector<std::string> &args)
{
    std::string output;
    std::optional<std::string> codePageName;
    std::string expand;
    OptionParser options("pseudo");
    // Not the shared --code-page: it names the code page of the file written, not of the one read.
    options.Include(shared::Output, output).Value({"--code-page"}, codePageName).Value({"--expand"}, expand);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &files = options.Arguments();
    if (files.size() != 1)
        return options.Error(files.empty() ? "no template given" : "one template only");
    if (output.empty())
        return options.Error("no -o OUT given");
    checks::PseudoOptions pseudoOptions;
    if (!expand.empty()) {
        const std::optional<std::int32_t> percent = ParseWholeNumber(expand);
        if (!percent || *percent < 0 || *percent > 1000)
            return options.Error("--expand takes a whole number from 0 to 1000, not '" + expand + "'");
        pseudoOptions.ExpandPercent = *percent;
    }
    if (codePageName && !CodePage::IsKnown(QString::fromStdString(*codePageName)))
        return options.Error("unknown code page '" + *codePageName + "'");

    try {
        const TemplateTexts templateTexts = ReadTemplateTexts(files[0], std::string(FallbackCodePageName));
        const std::optional<CodePage> originals =
            CodePage::Named(QString::fromStdString(templateTexts.CodePage));
        const std::string target = codePageName.value_or(templateTexts.CodePage);
        const std::optional<CodePage> translations = CodePage::Named(QString::fromStdString(target));
        if (!originals || !translations)
            throw InOutError("unknown code page '" + (originals ? target : templateTexts.CodePage) + "'");
        pseudoOptions.CanHold = [&translations](char32_t letter) {
            return translations->CanEncode(QString::fromUcs4(&letter, 1));
        };
        const checks::PseudoLanguage pseudo(pseudoOptions);
        const checks::ScannedTexts scanned = checks::ReadScannedTexts(templateTexts.Bytes);
        auto decode = [&originals](std::string_view bytes) { return originals->Decode(bytes).toStdString(); };

        const EditorTemplate &table = templateTexts.Template;
        std::vector<std::string> texts(table.Items.size());
        bool plural = false;
        int written = 0;
        int unholdable = 0;
        for (std::size_t i = 0; i < table.Items.size(); ++i) {
            const TEditorItem &item = table.Items[i];
            const MessageInfo *info =
                item.Message >= 0 ? &table.Messages[static_cast<std::size_t>(item.Message)] : nullptr;
            std::optional<std::string> text;
            if (item.Kind == ikComponent) {
                if (const auto found = scanned.find(item.Number); found != scanned.end())
                    text = pseudo.Entry(decode(item.Text), decode(found->second));
            } else if (item.Kind == ikMessage) {
                text = pseudo.Entry({}, decode(info && info->HasSource ? info->Source : item.Text));
                // The translation of a text with line breaks is escaped as its /Source line is.
                if (text && info && info->HasSource)
                    text = EscapeMessageValue(*text);
                plural = plural || (info && info->Plural);
            }
            if (!text)
                continue;
            std::optional<std::string> bytes = translations->Encode(QString::fromStdString(*text));
            if (!bytes || bytes->find_first_of("\r\n") != std::string::npos) {
                ++unholdable;
                continue;
            }
            texts[i] = std::move(*bytes);
            ++written;
        }

        LanguageHeader header;
        header.Language = "Pseudo";
        header.Definition = QFileInfo(QString::fromStdString(files[0])).fileName().toStdString();
        header.CodePage = target;
        // One form for every count: the pseudo text of a plural message serves them all.
        if (plural)
            header.PluralForms = "nplurals=1; plural=0;";
        WriteOutput(output, FormatLanguageFile(header, table.Items, texts));
        std::cerr << "verbaria-tool: " << written << " entries written";
        if (unholdable > 0)
            std::cerr << ", " << unholdable << " left out: code page " << target << " cannot hold them";
        std::cerr << '\n';
        return ExitOk;
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
}

const CommandRegistration registration{
    Command{"pseudo", "write a pseudo-language: every text accented, lengthened and bracketed", kPseudoUsage,
            Pseudo}};

} // namespace

} // namespace verbaria::tool
