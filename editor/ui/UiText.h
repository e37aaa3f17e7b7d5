#pragma once

#include "platform/CodePage.h"

#include <QString>

#include <string>

namespace verbaria {

// A text of the editor's own (a TranslateText result, in the files' code page) for a widget.
inline QString UiText(const std::string &bytes)
{
    return CodePage::Default().Decode(bytes);
}

} // namespace verbaria
