#include "editor/ui/WindowTitle.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "formats/Paths.h"

#include <QFileInfo>
#include <QWidget>

namespace verbaria {

bool WindowTitle::TitleChanged()
{
    if (composing_)
        return false;
    caption_ = window_.windowTitle();
    return true;
}

void WindowTitle::Show(const LanguageDocument &document, const TextService &texts)
{
    if (caption_.isEmpty())
        caption_ = window_.windowTitle();
    // The file a save writes to, named as the desktop names files ("czech.lng", not the
    // settings' "jazyky\czech.lng").
    const std::string &file = document.SaveTarget();
    const QString name = file.empty() ? UiText(texts.TranslateText("Neuložený jazyk"))
                                      : QFileInfo(QString::fromLocal8Bit(NativePath(file))).fileName();
    // "name* — Verbaria": the desktop adds the program's title after a window's own, so it is
    // given once, in the form every Qt program shows.
    composing_ = true;
    window_.setWindowTitle(name + QStringLiteral("[*]"));
    window_.setWindowModified(document.zmeneno());
    composing_ = false;
}

} // namespace verbaria
