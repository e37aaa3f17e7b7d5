#pragma once

#include <optional>
#include <string>
#include <string_view>

// The options several commands take, each defined once: its names, the argument it takes and what
// it does. A command includes one in its parser (OptionParser::Include) instead of naming it
// itself, so that every command spells and reads it alike; the manual page's test holds the page
// to these definitions.
namespace verbaria::tool {

struct SharedOption
{
    std::string_view Name;     // "--code-page"
    std::string_view Short;    // "-o", or "" when there is none
    std::string_view Argument; // "NAME"; "" for a flag
    std::string_view Help;     // one line, as the manual page gives it
    bool TakesList = false;    // takes the arguments after it, up to the next option
};

namespace shared {

inline constexpr SharedOption CodePage{"--code-page", "", "NAME",
                                       "the code page of files that declare none (default: windows-1250)"};
inline constexpr SharedOption ProgramFolder{
    "--program-folder", "", "DIR",
    "look for registered programs in DIR/programs.ini (default: the editor's program folder)"};
inline constexpr SharedOption Description{"--description", "", "FILE",
                                          "the description language: its texts are the originals"};
inline constexpr SharedOption Template{"--template", "", "FILE", "the template the language files belong to"};
inline constexpr SharedOption Output{"--output", "-o", "FILE", "write FILE (- is standard output)"};
inline constexpr SharedOption Json{"--json", "", "", "print the result as JSON"};
inline constexpr SharedOption FollowDefinition{
    "--follow-definition", "", "",
    "when the language file belongs to another template, switch to that template"};
inline constexpr SharedOption Memory{"--memory", "", "FILE...",
                                     "the language files whose translations make the memory", true};
inline constexpr SharedOption Language{"--language", "", "FILE", "the language file"};
inline constexpr SharedOption Separator{"--separator", "", "TEXT",
                                        "what stands between the runtime translator's fields"};
inline constexpr SharedOption Track{"--track", "", "",
                                    "the language file written records the original of each translation"};

// Every shared option, for the manual page's test.
inline constexpr const SharedOption *All[] = {
    &CodePage,         &ProgramFolder, &Description, &Template,  &Output, &Json,
    &FollowDefinition, &Memory,        &Language,    &Separator, &Track};

} // namespace shared

class OptionParser;
// --code-page NAME as export and import apply it: NAME becomes the code page of every file that
// declares none. Nothing when NAME is empty or known; else the usage error's status.
std::optional<int> UseDefaultCodePage(const OptionParser &parser, const std::string &codePageName);

} // namespace verbaria::tool
