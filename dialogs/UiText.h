#pragma once

#include <QString>

#include <string>

namespace verbaria {

// A text of the editor's own (a TranslateText result, UTF-8) for a widget.
inline QString UiText(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

// Plain text shown in a rich-text label: escaped, its line breaks kept.
inline QString RichTextLines(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

} // namespace verbaria
