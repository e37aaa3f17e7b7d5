#include "editor/core/UserDialogs.h"

namespace verbaria {

std::string CzechTexts::TranslateText(std::string_view czechUtf8) const
{
    return std::string(czechUtf8);
}

} // namespace verbaria
