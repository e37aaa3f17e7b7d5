#include "CommandCases.h"
#include "tool/SharedOptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

// The manual page keeps up with the tool: every command has its synopsis and its entry, every
// option a command takes stands in that command's synopsis, and the shared options are described
// as they are defined.
namespace {

std::string ManualPage()
{
    std::ifstream in(VERBARIA_SOURCE_DIR "/desktop/verbaria-tool.1.in", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// As the page spells a name: every '-' a minus sign.
std::string Roff(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '-')
            out += '\\';
        out += c;
    }
    return out;
}

// The synopsis lines of command: each from ".B verbaria-tool COMMAND" up to the next ".br".
std::string Synopsis(const std::string &page, const std::string &command)
{
    std::string lines;
    const std::string start = ".B verbaria-tool " + command;
    for (std::size_t at = page.find(start); at != std::string::npos; at = page.find(start, at + 1)) {
        const char next = page[at + start.size()];
        if (next != '\n' && next != ' ')
            continue; // another command whose name begins alike
        lines += page.substr(at, page.find("\n.br\n", at) - at) + '\n';
    }
    return lines;
}

TEST(ManualPage, ListsEveryCommandWithEveryOptionItTakes)
{
    const std::string page = ManualPage();
    ASSERT_FALSE(page.empty());
    const std::vector<std::string> commands = ListedCommands();
    ASSERT_GE(commands.size(), 11u);
    for (const std::string &command : commands) {
        const std::string synopsis = Synopsis(page, command);
        EXPECT_FALSE(synopsis.empty()) << "no synopsis for " << command;
        EXPECT_NE(page.find(".TP\n.B " + command + "\n"), std::string::npos) << "no entry for " << command;
        const auto options = OptionsOf(command);
        EXPECT_FALSE(options.empty()) << command;
        for (const std::vector<std::string> &names : options) {
            bool inSynopsis = false;
            for (const std::string &name : names)
                inSynopsis = inSynopsis || synopsis.find(Roff(name) + '\n') != std::string::npos ||
                             synopsis.find(Roff(name) + ' ') != std::string::npos;
            EXPECT_TRUE(inSynopsis) << command << ' ' << names.back() << " is not in its synopsis";
        }
    }
}

TEST(ManualPage, DescribesTheSharedOptionsAsTheyAreDefined)
{
    const std::string page = ManualPage();
    for (const verbaria::tool::SharedOption *option : verbaria::tool::shared::All) {
        std::string entry = ".TP\n";
        if (!option->Short.empty())
            entry += "\\fB" + Roff(option->Short) + "\\fR, ";
        entry += "\\fB" + Roff(option->Name) + "\\fR";
        if (!option->Argument.empty())
            entry += " \\fI" + std::string(option->Argument) + "\\fR";
        entry += "\n" + std::string(option->Help) + "\n";
        EXPECT_NE(page.find(entry), std::string::npos) << "the page lacks\n" << entry;
    }
}

} // namespace
