#pragma once

#include <QString>

#include <string>

namespace verbaria {

// A text of the editor's own (a TranslateText result, UTF-8) for a widget.
inline QString UiText(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace verbaria
