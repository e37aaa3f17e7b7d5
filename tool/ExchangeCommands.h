#pragma once

#include <optional>
#include <string>
#include <vector>

// export and import in XLIFF and PO; the table stays in ExportCommand.cpp and ImportCommand.cpp.
namespace verbaria::exchange {
struct ExchangeFormat;
}

namespace verbaria::tool {

class OptionParser;

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
    bool Track = false; // the language file written records its originals
};

// --format NAME of export and import: null for "table", else the exchange format of that name.
// An unknown name is a usage error, whose status goes to status.
const exchange::ExchangeFormat *FormatOption(const std::string &name, const OptionParser &parser,
                                             std::optional<int> &status);

// The code page of options is already the default.
int RunExchangeExport(const exchange::ExchangeFormat &format, const ExchangeOptions &options);
int RunExchangeImport(const exchange::ExchangeFormat &format, const ExchangeOptions &options);

extern const char *const ExchangeExportUsage;
extern const char *const ExchangeImportUsage;

} // namespace verbaria::tool
