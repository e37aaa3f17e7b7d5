// The catalogue reader: what it reads, written and read again, is the same list.
#include "FuzzSupport.h"
#include "formats/CatalogueFile.h"
#include "formats/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace verbaria;
    const auto entries = ParseCatalogue(AsBytes(data, size));
    for (const auto &entry : entries) {
        FUZZ_CHECK(entry.Name.find('=') == std::string::npos);
        FUZZ_CHECK(entry.Template.find(';') == std::string::npos);
    }
    // A bare CR ends no line when read, but the writer refuses it whole rather than let another
    // reader split the entry there.
    std::string formatted;
    try {
        formatted = FormatCatalogue(entries);
    } catch (const LineBreakError &) {
        return 0;
    }
    const auto again = ParseCatalogue(formatted);
    // A name beginning with "/" makes its line a comment when read again; that is the format's.
    std::size_t expected = 0;
    for (const auto &entry : entries)
        expected += entry.Name.empty() || entry.Name.front() != '/';
    FUZZ_CHECK(again.size() == expected);
    return 0;
}
