#include "tool/DocumentSession.h"

#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "platform/ExecutablePath.h"
#include "platform/ProgramFolders.h"
#include "spelling/LanguageNames.h"

#include <QFile>

#include <iostream>

namespace verbaria::tool {

bool ScriptedAnswers::AskYesNo(const std::string &)
{
    // The only question a load can ask is whether to follow the language file to its template.
    std::cerr << "verbaria-tool: the language file is meant for the template \""
              << (Document ? Document->definiceJazyka() : std::string()) << "\"; "
              << (FollowDefinition ? "switching to it"
                                   : "keeping the template given (see --follow-definition)")
              << '\n';
    return FollowDefinition;
}

DocumentSession::DocumentSession(const std::string &programFolder)
    : document_(settings_, answers_, texts_)
{
    answers_.Document = &document_;
    std::string folder = programFolder.empty() ? DefaultProgramFolder() : NativePath(programFolder);
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    document_.SetProgramFolder(folder);
    document_.SetTagOfName(spelling::LanguageTagOfNameBytes);
}

DocumentSession::DocumentSession(const std::string &programFolder, const std::string &codePageName,
                                 bool follow)
    : DocumentSession(programFolder)
{
    document_.Settings().KodovaStranka = codePageName;
    answers_.FollowDefinition = follow;
}

bool DocumentSession::LoadTemplate(const std::string &templateName)
{
    const std::string path = document_.FindTemplate(templateName, {});
    if (path.empty() || !FileExists(NativePath(path)))
        return false;
    document_.MapujText(templateName);
    document_.NovyJazyk(true, false);
    return true;
}

std::string DefaultProgramFolder()
{
    const QString executableFolder = QFile::decodeName(QByteArray::fromStdString(ExecutableFolder()));
    return QFile::encodeName(ProgramFolders::ForExecutableFolder(executableFolder).Program()).toStdString();
}

std::string ExecutableFolder()
{
    const std::string executable = ExecutablePath();
    return executable.empty() ? std::string("./") : FolderOf(executable);
}

void AppendEscapedField(std::string &out, std::string_view text)
{
    // Runs of plain characters go in at once; only the four special ones are looked at.
    const auto isSpecial = [](char c) { return c == '\\' || c == '\t' || c == '\r' || c == '\n'; };
    for (;;) {
        std::size_t special = 0;
        while (special < text.size() && !isSpecial(text[special]))
            ++special;
        out.append(text.substr(0, special));
        if (special == text.size())
            return;
        out += '\\';
        switch (text[special]) {
        case '\t':
            out += 't';
            break;
        case '\r':
            out += 'r';
            break;
        case '\n':
            out += 'n';
            break;
        default:
            out += '\\';
        }
        text.remove_prefix(special + 1);
    }
}

std::string EscapeField(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    AppendEscapedField(out, text);
    return out;
}

bool UnescapeField(std::string_view text, std::string &out)
{
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace verbaria::tool
