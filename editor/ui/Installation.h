#pragma once

#include "platform/Uninstaller.h"

#include <QtGlobal>

#include <memory>

namespace verbaria {

class EditorContext;
class EditorFolders;
class RegistryRecord;

// This copy of the editor as the system knows it: the registry record written at every start, and
// the uninstall command that removes the copy again (or, for a copy the package manager installed,
// says how to remove it).
class Installation final
{
public:
    Installation();
    ~Installation();
    Installation(const Installation &) = delete;
    Installation &operator=(const Installation &) = delete;

    // For tests: the record, how the languages folder is listed and the script started (nullptr
    // for the system's), and the process the script waits for (the program's own by default).
    void SetRegistryRecord(RegistryRecord *record) { registry_ = record; }
    void SetFolderListing(FolderListing *listing) { uninstaller_.SetFolderListing(listing); }
    void SetDetachedProcess(DetachedProcess *process) { uninstaller_.SetDetachedProcess(process); }
    void SetEditorProcessId(qint64 pid) { editorProcessId_ = pid; }

    // Records the program folder, in the record's file the folders name or the system's place.
    void Record(const EditorFolders &folders);
    // Asks, removes the copy and tells so; true when the editor is to end.
    bool Uninstall(EditorContext &context, EditorFolders &folders);

private:
    RegistryRecord *registry_ = nullptr;
    std::unique_ptr<RegistryRecord> ownRegistry_;
    Uninstaller uninstaller_;
    qint64 editorProcessId_ = 0;
};

} // namespace verbaria
