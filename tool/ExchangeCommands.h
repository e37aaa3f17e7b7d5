#pragma once

#include <string>
#include <vector>

// export and import in XLIFF and PO; the table stays in ExportCommand.cpp and ImportCommand.cpp.
namespace verbaria::tool {

// What export and import were given on the command line, for either format.
struct ExchangeOptions
{
    std::vector<std::string> Positional;
    std::string Output; // "-": standard output
    std::string Description;
    std::string ProgramFolder;
    std::string SourceLanguage;
    std::string TargetLanguage;
    std::string CodePageName; // of files that declare none; empty: windows-1250
    bool Follow = false;
    bool IgnoreUnknown = false;
};

// format is "xliff" or "po"; the code page of options is already the default.
int RunExchangeExport(const std::string &format, const ExchangeOptions &options);
int RunExchangeImport(const std::string &format, const ExchangeOptions &options);

extern const char *const ExchangeExportUsage;
extern const char *const ExchangeImportUsage;

} // namespace verbaria::tool
