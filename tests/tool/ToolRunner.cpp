#include "ToolRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string Quote(const std::string &arg)
{
    std::string quoted = "'";
    for (char c : arg) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

} // namespace

ToolResult RunTool(const std::vector<std::string> &args, const std::string &input,
                   const std::string &workingFolder)
{
    return RunProgram(std::string(VERBARIA_BIN_DIR) + "/verbaria-tool", args, input, workingFolder);
}

ToolResult RunProgram(const std::string &program, const std::vector<std::string> &args,
                      const std::string &input, const std::string &workingFolder)
{
    TempFolder io;
    io.Write("stdin", input);
    std::string command;
    if (!workingFolder.empty())
        command += "cd " + Quote(workingFolder) + " && ";
    command += Quote(program);
    for (const auto &arg : args)
        command += " " + Quote(arg);
    command +=
        " <" + Quote(io.File("stdin")) + " >" + Quote(io.File("stdout")) + " 2>" + Quote(io.File("stderr"));
    const int raw = std::system(command.c_str());
    ToolResult result;
    result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.Out = io.Read("stdout");
    result.Err = io.Read("stderr");
    return result;
}

std::string FindProgram(const std::string &name, const std::vector<std::string> &alsoIn)
{
    std::vector<std::string> folders = alsoIn;
    if (const char *path = std::getenv("PATH")) {
        std::stringstream list(path);
        for (std::string folder; std::getline(list, folder, ':');)
            folders.push_back(folder);
    }
    for (const std::string &folder : folders) {
        const std::string candidate = folder + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "verbaria-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempFolder::Write(const std::string &name, const std::string &bytes) const
{
    const std::filesystem::path target = std::filesystem::path(path_) / name;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << bytes;
}

std::string TempFolder::Read(const std::string &name) const
{
    return Slurp(path_ + "/" + name);
}
