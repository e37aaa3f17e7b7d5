#include "editor/core/UserDialogs.h"

#include "formats/CodePage1250.h"

namespace verbaria {

std::string CzechTexts::TranslateText(std::string_view czechUtf8) const
{
    return Utf8ToCp1250Lossy(czechUtf8);
}

} // namespace verbaria
