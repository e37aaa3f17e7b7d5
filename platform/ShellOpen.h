#pragma once

#include <QString>

class QUrl;

namespace verbaria {

// Hands a file or an address to the desktop, which opens it with its default application. The
// checks live here rather than in the implementation, so a fake that only records sees exactly
// what the desktop would have been given.
class ShellOpen
{
public:
    virtual ~ShellOpen() = default;

    // Opens a link shown to the user, for instance an address label of the about dialog. Only
    // "mailto:", "http:" and "https:" targets are opened: label captions come from language files,
    // and a language file must not be able to start a program or open a local file.
    bool OpenLink(const QString &target);
    // Opens an existing file with the application the desktop associates with it.
    bool OpenFile(const QString &path);

    static bool IsOpenableLink(const QString &target);

protected:
    virtual bool OpenUrl(const QUrl &url) = 0;
};

} // namespace verbaria
