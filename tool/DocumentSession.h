#pragma once

#include "editor/core/LanguageDocument.h"

#include <string>

// The editor's document as export and import build it: the template loaded as at start-up, the
// questions answered by the command line instead of a person.
namespace verbaria::tool {

class ScriptedAnswers final : public UserDialogs
{
public:
    bool FollowDefinition = false;
    const LanguageDocument *Document = nullptr;

    bool AskYesNo(const std::string &question) override;
    void Inform(const std::string &) override {}
    void ReportError(const std::string &) override {}
    std::optional<std::string> ChooseFileToOpen(const FileDialogState &) override { return std::nullopt; }
    std::optional<std::string> ChooseFileToSave(const FileDialogState &) override { return std::nullopt; }
};

class DocumentSession final
{
public:
    // programFolder: where "programs.ini" is looked for; empty for the editor's program folder
    // (DefaultProgramFolder).
    explicit DocumentSession(const std::string &programFolder);
    // As the shared options ask: codePageName (--code-page) for the files that declare none, empty
    // for windows-1250; follow (--follow-definition) to switch to a language file's own template.
    DocumentSession(const std::string &programFolder, const std::string &codePageName, bool follow);

    // Loads the template and resets the document with the left column refilled. Returns false
    // when no template of that name can be found.
    bool LoadTemplate(const std::string &templateName);

    LanguageDocument &Document() { return document_; }
    ScriptedAnswers &Answers() { return answers_; }

private:
    SettingsValues settings_;
    ScriptedAnswers answers_;
    CzechTexts texts_;
    LanguageDocument document_;
};

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();
// The program folder the installed editor beside this executable uses (its settings and
// catalogue): the executable's folder when it may be written, else $XDG_CONFIG_HOME/verbaria/.
std::string DefaultProgramFolder();

// The table's field escapes: backslash, TAB, CR and LF.
std::string EscapeField(std::string_view text);
// As EscapeField, appending to OUT.
void AppendEscapedField(std::string &out, std::string_view text);
// Reverses EscapeField; false for an unknown escape or a trailing backslash.
bool UnescapeField(std::string_view text, std::string &out);

} // namespace verbaria::tool
