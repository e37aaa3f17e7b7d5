#pragma once

#include <QString>

class QWidget;

namespace verbaria {

class LanguageDocument;
class TextService;

// The main window's title: the caption the program's translator sets, shown after the file a
// save writes to, with the mark of unsaved edits ("czech.lng* — Verbaria").
class WindowTitle final
{
public:
    explicit WindowTitle(QWidget &window)
        : window_(window)
    {
    }

    // The caption as the translator set it, without the file's name.
    const QString &Caption() const { return caption_; }
    // The window's title changed: unless this class set it, it is the new caption. True then.
    bool TitleChanged();
    void Show(const LanguageDocument &document, const TextService &texts);

private:
    QWidget &window_;
    QString caption_;
    bool composing_ = false;
};

} // namespace verbaria
