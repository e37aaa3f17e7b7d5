#include "tool/OptionParser.h"

#include "tool/Command.h"

#include <cstdlib>
#include <iostream>

namespace verbaria::tool {

OptionParser::OptionParser(std::string command)
    : command_(std::move(command))
{
}

OptionParser &OptionParser::Add(std::initializer_list<std::string_view> names, Kind kind,
                                std::function<void(const std::string &)> take)
{
    Option option;
    for (std::string_view name : names)
        option.Names.emplace_back(name);
    option.Type = kind;
    option.Take = std::move(take);
    options_.push_back(std::move(option));
    return *this;
}

OptionParser &OptionParser::Flag(std::initializer_list<std::string_view> names, bool &given)
{
    return Add(names, Kind::Flag, [&given](const std::string &) { given = true; });
}

OptionParser &OptionParser::Value(std::initializer_list<std::string_view> names, std::string &value)
{
    return Add(names, Kind::Value, [&value](const std::string &text) { value = text; });
}

OptionParser &OptionParser::Value(std::initializer_list<std::string_view> names,
                                  std::optional<std::string> &value)
{
    return Add(names, Kind::Value, [&value](const std::string &text) { value = text; });
}

OptionParser &OptionParser::Values(std::initializer_list<std::string_view> names,
                                   std::vector<std::string> &values)
{
    return Add(names, Kind::Value, [&values](const std::string &text) { values.push_back(text); });
}

OptionParser &OptionParser::List(std::initializer_list<std::string_view> names,
                                 std::vector<std::string> &values)
{
    return Add(names, Kind::List, [&values](const std::string &text) { values.push_back(text); });
}

OptionParser &OptionParser::AddShared(const SharedOption &option, Kind kind,
                                      std::function<void(const std::string &)> take)
{
    if (option.Short.empty())
        return Add({option.Name}, kind, std::move(take));
    return Add({option.Short, option.Name}, kind, std::move(take));
}

OptionParser &OptionParser::Include(const SharedOption &option, bool &given)
{
    return AddShared(option, Kind::Flag, [&given](const std::string &) { given = true; });
}

OptionParser &OptionParser::Include(const SharedOption &option, std::string &value)
{
    return AddShared(option, Kind::Value, [&value](const std::string &text) { value = text; });
}

OptionParser &OptionParser::Include(const SharedOption &option, std::optional<std::string> &value)
{
    return AddShared(option, Kind::Value, [&value](const std::string &text) { value = text; });
}

OptionParser &OptionParser::Include(const SharedOption &option, std::vector<std::string> &values)
{
    // A list option takes what follows it; any other keeps every value given, in order.
    return AddShared(option, option.TakesList ? Kind::List : Kind::Value,
                     [&values](const std::string &text) { values.push_back(text); });
}

const OptionParser::Option *OptionParser::Find(std::string_view name) const
{
    for (const Option &option : options_) {
        for (const std::string &known : option.Names) {
            if (known == name)
                return &option;
        }
    }
    return nullptr;
}

int OptionParser::Error(const std::string &message) const
{
    return UsageError(command_, message);
}

std::optional<int> OptionParser::Parse(const std::vector<std::string> &args)
{
    arguments_.clear();
    bool optionsEnded = false;
    const Option *list = nullptr; // the list option that takes the arguments that follow
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (list)
                list->Take(arg);
            else
                arguments_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true; // a list goes on: "--memory -- -a.lng" names the file "-a.lng"
            continue;
        }
        list = nullptr;
        if (arg == "--help" || arg == "-h") {
            if (std::getenv("VERBARIA_TOOL_LIST_OPTIONS")) {
                // For the manual page's test: the options this command takes, one a line.
                for (const Option &option : options_) {
                    for (std::size_t n = 0; n < option.Names.size(); ++n)
                        std::cout << (n ? " " : "") << option.Names[n];
                    std::cout << '\n';
                }
                return ExitOk;
            }
            const Command *command = FindCommand(command_);
            std::cout << (command ? command->Usage : std::string());
            return ExitOk;
        }
        // Only long options carry their value after "=": "-o=x" would be ambiguous.
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        const Option *option = Find(name);
        if (!option)
            return Error("unknown option '" + name + "'");
        if (option->Type == Kind::Flag) {
            if (equals != std::string::npos)
                return Error("option '" + name + "' takes no value");
            option->Take({});
            continue;
        }
        if (option->Type == Kind::List) {
            list = option;
            if (equals != std::string::npos)
                option->Take(arg.substr(equals + 1));
            continue;
        }
        if (equals != std::string::npos) {
            option->Take(arg.substr(equals + 1));
            continue;
        }
        if (i + 1 >= args.size())
            return Error("option '" + name + "' needs a value");
        option->Take(args[++i]);
    }
    return std::nullopt;
}

} // namespace verbaria::tool
