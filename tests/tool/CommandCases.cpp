#include "CommandCases.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

void WriteCaseFiles(const TempFolder &folder)
{
    folder.Write("-app.lnd",
                 "[ITEMS]\r\n/Text=Ahoj\r\n1:component \"Okno.labelInfo.text\"\r\n2:message \"Ahoj\"\r\n");
    // The one original translated in two ways, for consistency.
    folder.Write("-de.lng", "Language=Deutsch\r\nDefinition=-app.lnd\r\n1:Hallo\r\n2:Servus\r\n");
    folder.Write("-table.tsv", "1\tcomponent\t1\tOkno.labelInfo.text\tHallo\n2\tmessage\t2\tAhoj\tServus\n");
    folder.Write("-old.txt", "a=b\n");
    folder.Write("-Okno.ui", R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Okno</class>
 <widget class="QWidget" name="Okno">
  <widget class="QLabel" name="labelInfo">
   <property name="text"><string>Ahoj</string></property>
  </widget>
 </widget>
</ui>
)");
}

const std::vector<CommandCase> &CommandCases()
{
    static const std::vector<CommandCase> cases = {
        {"apply",
         {"--template", "./-app.lnd", "--language", "./-de.lng", "--dump", "--", "-Okno.ui"},
         "Okno.labelInfo.text=Hallo\n"},
        {"check", {"--json", "--", "-app.lnd", "-de.lng"}, "[]\n"},
        {"consistency", {"--", "-de.lng"}, "\tServus\t-de.lng#2\n"},
        {"convert", {"--language", "out.lng", "--template", "out.lnd", "--", "-old.txt"}, ""},
        {"export", {"--", "-app.lnd", "-de.lng"}, "2\tmessage\t2\tAhoj\tServus\n"},
        {"import", {"-o", "-", "--", "-app.lnd", "-table.tsv"}, "00002:Servus\r\n"},
        // The example program's template numbers its window title 2: the language's entry 2 sets it.
        {"live",
         {"--template", "./-app.lnd", "--language", "./-de.lng", "--print", "DemoForm.Caption", "--",
          VERBARIA_EXAMPLE_PROGRAM, "-x"},
         "Servus\n"},
        {"lookup",
         {"--template", "./-app.lnd", "--language", "./-de.lng", "--", "Ahoj", "-Ahoj"},
         "Servus\n-Ahoj\n"},
        {"pretranslate", {"--memory=-de.lng", "-o", "-", "--", "-app.lnd"}, "00001:Hallo\r\n"},
        {"pseudo", {"-o", "-", "--", "-app.lnd"}, "\r\n00001:["},
        {"scan", {"--", "-Okno.ui"}, "2:component \"Okno.labelInfo.text\"\r\n"},
        {"stats", {"--json", "--", "-app.lnd", "-de.lng"}, "\"file\": \"-de.lng\", \"translated\": 2"},
        {"suggest", {"Ahoj", "--memory", "--", "-de.lng"}, "\t100\tServus\tAhoj\t-de.lng#2\n"},
        // Rewrites -de.lng as a file that tracks its originals, which every case above still reads alike.
        {"update", {"--from", "./-app.lnd", "--json", "--", "-app.lnd", "-de.lng"}, "\"changed\": 0"},
    };
    return cases;
}

std::vector<std::string> ListedCommands()
{
    std::vector<std::string> commands;
    std::istringstream lines(RunTool({"--help"}).Out);
    bool listing = false;
    for (std::string line; std::getline(lines, line);) {
        if (line == "Commands:")
            listing = true;
        else if (listing && line.empty())
            break;
        else if (listing && line.size() > 2 && line.substr(2, 5) != "help ")
            commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    return commands;
}

std::vector<std::vector<std::string>> OptionsOf(const std::string &command)
{
    ::setenv("VERBARIA_TOOL_LIST_OPTIONS", "1", 1);
    const ToolResult listed = RunTool({command, "--help"});
    ::unsetenv("VERBARIA_TOOL_LIST_OPTIONS");
    EXPECT_EQ(listed.Status, 0) << command << ": " << listed.Err;
    std::vector<std::vector<std::string>> options;
    std::istringstream lines(listed.Out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream names(line);
        options.emplace_back();
        for (std::string name; names >> name;)
            options.back().push_back(name);
    }
    return options;
}
