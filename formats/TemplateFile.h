#pragma once

#include "formats/MessageInfo.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Templates (.lnd): a header naming the program, and one definition line per translatable text.
// Two readers share one parser: the editor keeps every entry as a grid row, the runtime
// translator keeps only what it can translate.
namespace verbaria {

enum TItemKind : std::uint8_t { ikSection = 0, ikComponent = 1, ikMessage = 2, ikComment = 3 };

// One entry of the runtime translator's table: only components and messages stay in it.
struct TTemplateItem
{
    TItemKind Kind = ikSection;
    std::int32_t Number = -1;
    std::string Text;
    std::int32_t Param = 0;
    std::string Translation;
    // The entry's context, disambiguation, plural forms...: index into the template's Messages,
    // -1 for an entry that has none (the usual case, so that large templates stay small).
    std::int32_t Message = -1;
};

// One entry of the editor's table, one grid row each; all four kinds stay.
struct TEditorItem
{
    TItemKind Kind = ikSection;
    std::int32_t Number = -1;
    std::string Text;
    std::uint8_t ValueType = 0; // 0 none, 1 INTEGER, 2 REAL
    std::int32_t Param = 0;
    std::int32_t Message = -1; // index into the template's Messages, or -1
};

using TLanguageTemplate = std::vector<TTemplateItem>;

struct TTemplateInfo
{
    std::string Program;
    std::string Version;
    std::string Author; // the translator keeps it decoded, the editor in the one-line form
    // The code page the file declares ("Codepage=NAME", or "UTF-8" for a byte-order mark); empty
    // when it declares none. It belongs to one file: a new read starts without one.
    std::string CodePage;
};

// The three bytes of a UTF-8 byte-order mark.
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
// Strips a UTF-8 byte-order mark from the start of a file's first line; true when there was one.
bool StripByteOrderMark(std::string_view &line);

// The keyword of a kind as definition lines spell it: "section", "component", "message", "comment".
const char *KindKeyword(TItemKind kind);

enum class TemplateFlavour { Editor, Translator };

// The two parts of a template: the [LANGUAGE] header and the [ITEMS] definitions. A file is read
// as items until a section line says otherwise.
enum class TemplatePart { Header, Items };
// The part after a section line (already stripped of leading blanks, starting with '['):
// "[LANGUAGE]" starts the header, "[ITEMS]" the items (either in any case, the ']' optional); any
// other name leaves the current part.
TemplatePart PartAfterSection(std::string_view line, TemplatePart current);

// What one definition line says, before a reader decides whether to keep it.
struct DefinitionLine
{
    TItemKind Kind = ikSection;
    std::int32_t Number = -1;
    std::string Text;
    std::uint8_t ValueType = 0;
    std::int32_t Param = 0;
    int TranslatableKeywords = 0; // how many COMPONENT or MESSAGE tokens the line holds
};

// Parses one definition line (already stripped of leading blanks and tabs) into entry. Raises
// ConversionError for a number part or numeric token that is not a whole number; entry then
// holds what was read up to that point. INTEGER and REAL only count for the editor flavour.
void ParseDefinitionLine(std::string_view line, TemplateFlavour flavour, DefinitionLine &entry);

// The editor's view of a template.
struct EditorTemplate
{
    std::vector<TEditorItem> Items;
    std::int32_t CountToTranslate = 0;
    TTemplateInfo Info; // Author in the one-line form
    std::vector<MessageInfo> Messages;
};

// The translator's view of a template.
struct TranslatorTemplate
{
    TLanguageTemplate Items;
    TTemplateInfo Info; // Author decoded
    std::vector<MessageInfo> Messages;
};

// Reads template lines one at a time. Construction empties the entry table (and the editor's
// count); header values are kept until a line replaces them.
class TemplateReader final
{
public:
    explicit TemplateReader(EditorTemplate &target);
    explicit TemplateReader(TranslatorTemplate &target);

    void ReadLine(std::string_view line);
    void ReadAll(std::string_view bytes);

private:
    void ReadHeaderLine(std::string_view line);
    void ReadDefinition(std::string_view line);

    // The message comments read since the last definition line, for the next one.
    std::int32_t TakeMessage(std::vector<MessageInfo> &messages);

    EditorTemplate *editor_ = nullptr;
    TranslatorTemplate *translator_ = nullptr;
    MessageInfo pending_;
    TemplatePart part_ = TemplatePart::Items;
    bool firstLine_ = true;
};

// Reads a template file. Returns false, changing nothing, when the file does not exist. Raises
// ConversionError or InOutError; what was read before the error stays in target.
bool ReadTemplateFile(const std::string &path, EditorTemplate &target);
bool ReadTemplateFile(const std::string &path, TranslatorTemplate &target);

} // namespace verbaria
