#pragma once

#include <optional>
#include <string>
#include <vector>

// export and import in XLIFF and PO; the table stays in ExportCommand.cpp and ImportCommand.cpp.
namespace verbaria::tool {

// The value of --format in args ("table" when not given), removed from args; nullopt (after
// printing the usage error) when the value is missing or unknown.
std::optional<std::string> TakeFormatOption(const std::string &command, std::vector<std::string> &args);

int RunExchangeExport(const std::string &format, const std::vector<std::string> &args);
int RunExchangeImport(const std::string &format, const std::vector<std::string> &args);

extern const char *const ExchangeExportUsage;
extern const char *const ExchangeImportUsage;

} // namespace verbaria::tool
