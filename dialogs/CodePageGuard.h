#pragma once

#include "platform/CodePage.h"

#include <QString>

#include <functional>

class QLineEdit;
class QObject;
class QPlainTextEdit;

namespace verbaria {

// Keeps characters that a file's code page cannot hold out of a text field: the edit that would
// bring one in is undone and reported (after the field has handled the key), so nothing vanishes
// silently when the file is saved. One-line fields take a pasted line break as a blank.
class CodePageGuard final
{
public:
    using Report = std::function<void(const QString &refused)>;
    using CodePageSource = std::function<const CodePage &()>;
    static void Watch(QLineEdit *edit, CodePageSource codePage, Report report,
                      std::function<void()> lineBreaksReplaced = {});
    static void Watch(QPlainTextEdit *edit, QObject *context, CodePageSource codePage, Report report);
};

} // namespace verbaria
