#pragma once

#include <string>
#include <vector>

// Runs verbaria-tool as a child process and captures what it prints.
struct ToolResult
{
    int Status = -1;
    std::string Out;
    std::string Err;
};

ToolResult RunTool(const std::vector<std::string> &args, const std::string &input = {},
                   const std::string &workingFolder = {});

// Runs any program the same way.
ToolResult RunProgram(const std::string &program, const std::vector<std::string> &args,
                      const std::string &input = {}, const std::string &workingFolder = {});

// The path of an executable NAME in one of alsoIn or on PATH; "" when there is none.
std::string FindProgram(const std::string &name, const std::vector<std::string> &alsoIn = {});

// A fresh temporary folder, removed with its contents when the object goes.
class TempFolder final
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    const std::string &Path() const { return path_; }
    std::string File(const std::string &name) const { return path_ + "/" + name; }
    void Write(const std::string &name, const std::string &bytes) const;
    std::string Read(const std::string &name) const;

private:
    std::string path_;
};
