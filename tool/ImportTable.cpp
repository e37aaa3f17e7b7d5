#include "tool/ImportTable.h"

#include "formats/TextRules.h"
#include "tool/DocumentSession.h"

#include <vector>

namespace verbaria::tool {
namespace {

std::vector<std::string_view> SplitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

} // namespace

std::string ApplyImportTable(std::string_view table, LanguageDocument &document)
{
    std::string error;
    std::size_t lineNumber = 0;
    std::string value;
    ForEachLine(table, [&](std::string_view line) {
        ++lineNumber;
        if (!error.empty())
            return;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            return;
        auto fail = [&](const std::string &what) { error = "line " + std::to_string(lineNumber) + ": " + what; };
        const auto fields = SplitTabs(line);
        if (line.front() == '#') {
            if (fields.size() != 2) {
                fail("a header line needs one TAB between key and value");
                return;
            }
            if (!UnescapeField(fields[1], value)) {
                fail("invalid escape");
                return;
            }
            DocumentHeader &header = document.Header();
            if (fields[0] == "#language")
                header.editJazyk = value;
            else if (fields[0] == "#version")
                header.editVerzeJazyka = value;
            else if (fields[0] == "#author")
                header.memoAutorJazyka = PipeToLineBreaks(value);
            else if (fields[0] == "#template")
                header.editSablona = value;
            return;
        }
        if (fields.size() != 5) {
            fail("a data line needs five fields separated by TAB");
            return;
        }
        const auto row = ParseWholeNumber(fields[0]);
        const auto number = ParseWholeNumber(fields[2]);
        const auto &items = document.polozky();
        if (!row || *row < 1 || *row > static_cast<std::int32_t>(items.size())) {
            fail("row " + std::string(fields[0]) + " is not an entry of the template");
            return;
        }
        if (!number || *number != items[static_cast<std::size_t>(*row - 1)].Number) {
            fail("row " + std::string(fields[0]) + " has the number " +
                 std::to_string(items[static_cast<std::size_t>(*row - 1)].Number) + ", not " + std::string(fields[2]));
            return;
        }
        if (!UnescapeField(fields[4], value)) {
            fail("invalid escape");
            return;
        }
        document.Grid().SetText(1, *row, value);
    });
    return error;
}

} // namespace verbaria::tool
