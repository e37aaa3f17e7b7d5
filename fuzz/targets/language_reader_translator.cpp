// The translator's language reader over a small fixed template.
#include "FuzzSupport.h"
#include "formats/Errors.h"
#include "formats/LanguageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace verbaria;
    static const TranslatorTemplate fixed = [] {
        TranslatorTemplate t;
        TemplateReader(t).ReadAll(
            "1: COMPONENT \"F.Caption\"\r\n2: MESSAGE \"Ahoj\"\r\n2: MESSAGE \"znovu\"\r\n"
            "123456: MESSAGE \"big\"\r\n-5: MESSAGE \"negative\"\r\n");
        return t;
    }();
    TLanguageTemplate items = fixed.Items;
    NumberIndex index;
    index.Build(items);
    TLanguageInfo info;
    try {
        ReadLanguageBytes(AsBytes(data, size), items, index, info);
    } catch (const FormatError &) {
    }
    FUZZ_CHECK(items.size() == fixed.Items.size());
    FUZZ_CHECK(items[2].Translation.empty()); // the first entry of a number takes its lines
    for (std::size_t i = 0; i < items.size(); ++i)
        FUZZ_CHECK(items[i].Text == fixed.Items[i].Text);
    return 0;
}
