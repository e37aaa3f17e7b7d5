// The profile reader and writer: read, write one of the program's keys, read again. The written
// key reads back as written, and every other key reads as before.
#include "FuzzSupport.h"
#include "formats/Errors.h"
#include "formats/ProfileFile.h"
#include "formats/TextRules.h"

#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace verbaria;
    static const std::pair<std::string_view, std::string_view> ProgramKeys[] = {
        {"Obecne", "Jazyk"},
        {"Obecne", "Automatick\xE9 doplnovani"},
        {"Naposledy otevreny", "Jazyk"},
        {"Naposledy otevreny", "Jazyk pro popisy"},
        {"Naposledy otevreny", "Sablona"},
    };
    if (size < 2)
        return 0;
    const auto &[section, key] = ProgramKeys[data[0] % 5];
    // The value is the input's first line; the file is the rest.
    const std::string_view rest = AsBytes(data + 1, size - 1);
    const std::size_t lineEnd = rest.find('\n');
    const std::string_view value = rest.substr(0, lineEnd == std::string_view::npos ? 0 : lineEnd);
    const std::string_view bytes = lineEnd == std::string_view::npos ? rest : rest.substr(lineEnd + 1);

    // Every key the file holds, in the section above it, and the program's keys.
    std::vector<std::pair<std::string, std::string>> probes;
    for (const auto &[s, k] : ProgramKeys)
        probes.emplace_back(s, k);
    std::string current;
    ForEachLine(bytes, [&](std::string_view line) {
        if (probes.size() > 40)
            return;
        const std::string_view trimmed = TrimBlanks(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::size_t close = trimmed.find(']');
            current = std::string(TrimBlanks(
                trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
        } else if (const std::size_t equals = trimmed.find('='); equals != std::string_view::npos) {
            probes.emplace_back(current, std::string(TrimBlanks(trimmed.substr(0, equals))));
        }
    });

    // A value with a line break is refused, and the file is left as it was.
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        bool refused = false;
        try {
            ProfileWriteString(bytes, section, key, value);
        } catch (const LineBreakError &) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        return 0;
    }
    const std::string written = ProfileWriteString(bytes, section, key, value);
    for (const auto &[s, k] : probes) {
        if (UpperAscii(s) == UpperAscii(section) && UpperAscii(k) == UpperAscii(key))
            continue;
        FUZZ_CHECK(ProfileReadString(written, s, k, "\x01") == ProfileReadString(bytes, s, k, "\x01"));
    }
    const bool plain = value.size() <= ProfileMaxValueLength &&
                       value.find_first_of("\r\n\"'") == std::string_view::npos && TrimBlanks(value) == value;
    if (plain)
        FUZZ_CHECK(ProfileReadString(written, section, key, "\x01") == value);
    // Writing the same key again changes nothing more.
    FUZZ_CHECK(ProfileWriteString(written, section, key, value) == written);
    return 0;
}
