// The template reader in both flavours: one parser, so both must agree on every entry they keep.
#include "FuzzSupport.h"
#include "formats/Errors.h"
#include "formats/TemplateFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace verbaria;
    const std::string_view bytes = AsBytes(data, size);
    EditorTemplate editor;
    TranslatorTemplate translator;
    bool editorStopped = false;
    bool translatorStopped = false;
    try {
        TemplateReader(editor).ReadAll(bytes);
    } catch (const FormatError &) {
        editorStopped = true;
    }
    try {
        TemplateReader(translator).ReadAll(bytes);
    } catch (const FormatError &) {
        translatorStopped = true;
    }
    FUZZ_CHECK(editorStopped == translatorStopped);

    std::size_t translatable = 0;
    for (const auto &item : editor.Items) {
        if (item.Kind == ikComponent || item.Kind == ikMessage)
            ++translatable;
    }
    // The translator keeps exactly the editor's components and messages, in the same order (its
    // last entry may be a failing line's, kept as far as it was read).
    if (!editorStopped) {
        FUZZ_CHECK(translator.Items.size() == translatable);
        std::size_t next = 0;
        for (const auto &item : editor.Items) {
            if (item.Kind != ikComponent && item.Kind != ikMessage)
                continue;
            const auto &kept = translator.Items[next++];
            FUZZ_CHECK(kept.Kind == item.Kind && kept.Number == item.Number && kept.Text == item.Text &&
                       kept.Param == item.Param);
        }
        FUZZ_CHECK(editor.CountToTranslate >= static_cast<std::int32_t>(translatable));
        FUZZ_CHECK(editor.Info.Program == translator.Info.Program &&
                   editor.Info.Version == translator.Info.Version);
    }
    return 0;
}
