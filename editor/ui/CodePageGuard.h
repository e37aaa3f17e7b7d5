#pragma once

#include <QString>

#include <functional>

class QLineEdit;
class QObject;
class QPlainTextEdit;

namespace verbaria {

// Keeps characters that the files' code page cannot hold out of a text field: the edit that
// would bring one in is undone and reported, so nothing vanishes silently when the file is saved.
class CodePageGuard final
{
public:
    using Report = std::function<void(const QString &refused)>;
    static void Watch(QLineEdit *edit, QObject *context, Report report);
    static void Watch(QPlainTextEdit *edit, QObject *context, Report report);
    // The characters of text that the code page cannot hold.
    static QString Unrepresentable(const QString &text);
};

} // namespace verbaria
