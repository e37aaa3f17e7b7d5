#include "tool/ImportTable.h"

#include "formats/TextRules.h"
#include "tool/DocumentSession.h"

#include <optional>

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

std::string ApplyImportTable(std::string_view table, LanguageDocument &document,
                             const Utf8ToCodePage &toCodePage)
{
    std::string error;
    std::size_t lineNumber = 0;
    std::string value;
    // A table in UTF-8 ("#encoding" first) carries texts that go back into the file's code page.
    bool utf8 = false;
    auto toFile = [&](std::string &text) {
        if (!utf8)
            return true;
        const std::optional<std::string> bytes = toCodePage(text, document.LanguageCodePage());
        if (!bytes)
            return false;
        text = *bytes;
        return true;
    };
    ForEachLine(table, [&](std::string_view line) {
        ++lineNumber;
        if (!error.empty())
            return;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            return;
        auto fail = [&](const std::string &what) {
            error = "line " + std::to_string(lineNumber) + ": " + what;
        };
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
            if (fields[0] == "#encoding") {
                if (UpperAscii(value) != "UTF-8" || !toCodePage) {
                    fail(toCodePage ? "the only encoding a table can have is UTF-8"
                                    : "a table in UTF-8 cannot be read here");
                    return;
                }
                utf8 = true;
                return;
            }
            if (fields[0] == "#codepage") {
                // A name of letters, digits and dashes: it becomes a line of the file.
                const bool plainName =
                    !value.empty() &&
                    value.find_first_not_of(
                        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_") ==
                        std::string::npos;
                if (!plainName) {
                    fail("unknown code page " + value);
                    return;
                }
                if (toCodePage && !toCodePage({}, value)) {
                    fail("unknown code page " + value);
                    return;
                }
                header.KodovaStranka = value;
                return;
            }
            if (fields[0] == "#tracking") {
                header.SledovatOriginaly = value == "originals";
                return;
            }
            const bool languageValue = fields[0] == "#language" || fields[0] == "#version" ||
                                       fields[0] == "#author" || fields[0] == "#template";
            // The author is written in its one-line form; the others would split their line.
            if (languageValue && fields[0] != "#author" && value.find_first_of("\r\n") != std::string::npos) {
                fail("the value of " + std::string(fields[0]) + " cannot hold a line break");
                return;
            }
            if (languageValue && !toFile(value)) {
                fail("the code page " + document.LanguageCodePage() + " cannot hold the value of " +
                     std::string(fields[0]));
                return;
            }
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
        // The sixth: the original a changed translation was made from.
        if (fields.size() != 5 && fields.size() != 6) {
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
                 std::to_string(items[static_cast<std::size_t>(*row - 1)].Number) + ", not " +
                 std::string(fields[2]));
            return;
        }
        if (!UnescapeField(fields[4], value)) {
            fail("invalid escape");
            return;
        }
        // A break would start a line of its own in the language file: one nobody translated.
        if (value.find_first_of("\r\n") != std::string::npos) {
            fail("row " + std::string(fields[0]) + ": a translation cannot hold a line break");
            return;
        }
        if (!toFile(value)) {
            fail("row " + std::string(fields[0]) + ": the code page " + document.LanguageCodePage() +
                 " cannot hold the translation");
            return;
        }
        document.Grid().SetText(1, *row, value);
        if (fields.size() == 6) {
            if (!UnescapeField(fields[5], value)) {
                fail("invalid escape");
                return;
            }
            if (value.empty())
                return;
            if (value.find_first_of("\r\n") != std::string::npos) {
                fail("row " + std::string(fields[0]) + ": an original cannot hold a line break");
                return;
            }
            if (utf8) {
                std::optional<std::string> bytes = toCodePage(value, document.TemplateCodePage());
                if (!bytes) {
                    fail("row " + std::string(fields[0]) + ": the code page " + document.TemplateCodePage() +
                         " cannot hold the original");
                    return;
                }
                value = *std::move(bytes);
            }
            document.RecordOriginal(*number, value);
        }
    });
    return error;
}

} // namespace verbaria::tool
