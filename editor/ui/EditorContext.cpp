#include "editor/ui/EditorContext.h"

#include "editor/core/UserDialogs.h"
#include "platform/CodePage.h"

#include <QString>

namespace verbaria {

void EditorContext::ReportUnrepresentable(const QString &text)
{
    QString message = QString::fromStdString(
        Texts().TranslateText("Znak „%s“ nelze v kódové stránce jazykových souborů uložit."));
    message.replace(QStringLiteral("%s"), NameCharacters(text));
    Dialogs().Inform(message.toStdString());
}

void EditorContext::ReportLineBreaks()
{
    Dialogs().Inform(Texts().TranslateText("Konce řádků ve vloženém textu byly nahrazeny mezerami."));
}

} // namespace verbaria
