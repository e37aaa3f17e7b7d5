#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

// A temporary folder for template and language files, removed with its contents.
class TranslatorTestFiles final
{
public:
    TranslatorTestFiles()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "verbaria-translator-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            folder_ = pattern;
    }
    ~TranslatorTestFiles()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TranslatorTestFiles(const TranslatorTestFiles &) = delete;
    TranslatorTestFiles &operator=(const TranslatorTestFiles &) = delete;

    std::string Path(const std::string &name) const { return folder_ + "/" + name; }
    std::string Write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }

private:
    std::string folder_;
};
