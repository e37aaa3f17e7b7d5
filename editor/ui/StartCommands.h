#pragma once

#include "editor/core/UserDialogs.h"

#include <QObject>

#include <string>

class QMenu;

namespace verbaria {

class EditorContext;

// Starting and coming back: a new translation from a template file chosen on disk, and the recent
// files of the File menu (language files opened or saved, templates a translation started from).
class StartCommands final : public QObject
{
    Q_OBJECT

public:
    // The recent files are listed in recentMenu, rebuilt each time it opens.
    StartCommands(EditorContext &context, QMenu &recentMenu);

    // Asks for a template and starts a new translation of it.
    void NewFromTemplate();
    // Opens a recent file as the open command would (a template: a new translation of it).
    void OpenRecent(const std::string &path);
    // Puts a file first in the list.
    void Remember(const std::string &path);

signals:
    // Another document is in the grid: the filter looks at the rows again.
    void DocumentReplaced();

private:
    void FillRecentMenu();
    // After every step of the history: a file read or written, or a template started from.
    void NoteFiles();

    EditorContext &context_;
    QMenu &recentMenu_;
    FileDialogState templateDialog_;
    std::string lastTarget_;
    std::string lastTemplate_;
    bool seenFirst_ = false;
};

} // namespace verbaria
