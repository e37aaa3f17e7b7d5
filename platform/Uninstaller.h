#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

namespace verbaria {

class DetachedProcess;
class FolderListing;
class RegistryRecord;

// Removes a copy of the editor that was unpacked into a folder of its own: the registry record,
// the catalogue, the editor's languages and, through a script that waits for the editor to end,
// the program itself. No step reports a failure, and none stops the steps after it. The system's
// services are made when first needed; tests give their own.
class Uninstaller final
{
public:
    Uninstaller();
    ~Uninstaller();
    Uninstaller(const Uninstaller &) = delete;
    Uninstaller &operator=(const Uninstaller &) = delete;

    void SetRegistryRecord(RegistryRecord *record) { registry_ = record; }
    void SetFolderListing(FolderListing *listing) { listing_ = listing; }
    void SetDetachedProcess(DetachedProcess *process) { detached_ = process; }

    // folder ends with '/'; executable is the program's file name in it; the script waits for
    // processId to end before it removes the rest.
    void Run(const QString &folder, const QString &executable, qint64 processId);

private:
    RegistryRecord *registry_ = nullptr;
    std::unique_ptr<RegistryRecord> ownRegistry_;
    FolderListing *listing_ = nullptr;
    std::unique_ptr<FolderListing> ownListing_;
    DetachedProcess *detached_ = nullptr;
    std::unique_ptr<DetachedProcess> ownDetached_;
};

} // namespace verbaria
