#pragma once

#include "tool/SharedOptions.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The one option parser of every verbaria-tool command, so that all of them read their command
// line alike: options and arguments in any order, "--name VALUE" and "--name=VALUE", "--" ends
// the options, "-" is an argument (standard input or output), "-h" and "--help" print the
// command's usage, and every mistake is the same usage error.
namespace verbaria::tool {

class OptionParser final
{
public:
    explicit OptionParser(std::string command);

    // An option without a value; given is set when it appears.
    OptionParser &Flag(std::initializer_list<std::string_view> names, bool &given);
    // An option with a value; the last one given wins.
    OptionParser &Value(std::initializer_list<std::string_view> names, std::string &value);
    OptionParser &Value(std::initializer_list<std::string_view> names, std::optional<std::string> &value);
    // An option that may be repeated; every value is kept, in order.
    OptionParser &Values(std::initializer_list<std::string_view> names, std::vector<std::string> &values);
    // An option that takes the arguments after it, up to the next option ("--memory A B").
    OptionParser &List(std::initializer_list<std::string_view> names, std::vector<std::string> &values);

    // One of the shared options, as it is defined (tool/SharedOptions.h): a flag sets given; an
    // option with a value keeps the last one given; a list option (--memory) keeps all of them.
    OptionParser &Include(const SharedOption &option, bool &given);
    OptionParser &Include(const SharedOption &option, std::string &value);
    OptionParser &Include(const SharedOption &option, std::optional<std::string> &value);
    OptionParser &Include(const SharedOption &option, std::vector<std::string> &values);

    // Reads args into the options and the arguments. Returns nothing when the command is to go
    // on; otherwise the status it is to end with, after printing the usage (--help) or a usage
    // error. With VERBARIA_TOOL_LIST_OPTIONS in the environment, --help prints the names of the
    // options instead, one option a line, for the test that holds the manual page to them.
    std::optional<int> Parse(const std::vector<std::string> &args);

    const std::vector<std::string> &Arguments() const { return arguments_; }
    // A usage error of this command: message, hint, ExitUsage.
    int Error(const std::string &message) const;

private:
    enum class Kind { Flag, Value, List };
    struct Option
    {
        std::vector<std::string> Names;
        Kind Type = Kind::Flag;
        std::function<void(const std::string &)> Take;
    };

    OptionParser &Add(std::initializer_list<std::string_view> names, Kind kind,
                      std::function<void(const std::string &)> take);
    OptionParser &AddShared(const SharedOption &option, Kind kind,
                            std::function<void(const std::string &)> take);
    const Option *Find(std::string_view name) const;

    std::string command_;
    std::vector<Option> options_;
    std::vector<std::string> arguments_;
};

} // namespace verbaria::tool
