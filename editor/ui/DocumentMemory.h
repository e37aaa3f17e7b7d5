#pragma once

#include "checks/TranslationMemory.h"

#include <QObject>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace verbaria {

// The translation memory the editor offers from: the language files of the open document's folder
// and of the registered programs' folders, in the document's language. Built on a thread of its
// own, so the window keeps answering while hundreds of files are read.
class DocumentMemory final : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        std::vector<std::string> Folders; // looked through for "*.lng"
        std::string Language;             // LANGUAGE= the files must have; empty for any
        std::string Tag;                  // the language's tag, which a file's tag must match; empty: by name
        std::string Excluded;             // the open document's own file
    };

    // A file the memory could not read, and why (the reader's message).
    struct SkippedFile
    {
        std::string Name;
        std::string Reason;
    };

    explicit DocumentMemory(QObject *parent = nullptr);
    // Stops a build under way and waits for its thread.
    ~DocumentMemory() override;

    // Starts a build; one under way is stopped and its result dropped.
    void Build(Request request);
    bool IsBuilding() const { return building_; }
    // Null until the first build ended.
    const checks::TranslationMemory *Memory() const { return memory_.get(); }
    // The files the last build left out because they could not be read.
    const std::vector<SkippedFile> &Skipped() const { return skipped_; }
    // Blocks until the build under way ended (for tests).
    void Wait();
    // Stops every build under way and waits for its thread (the end of the window).
    void Stop();

    // The memory of one request, built on the calling thread; the files it could not read are
    // added to skipped. A set stop ends the build early with what was read.
    static std::unique_ptr<checks::TranslationMemory> BuildNow(const Request &request,
                                                               std::vector<SkippedFile> *skipped = nullptr,
                                                               const std::atomic<bool> *stop = nullptr);

signals:
    void Built();

private:
    std::shared_ptr<checks::TranslationMemory> memory_;
    std::vector<SkippedFile> skipped_;
    std::vector<QPointer<QThread>> threads_;
    // One flag per build: a new build stops the one before it.
    std::shared_ptr<std::atomic<bool>> stop_;
    unsigned generation_ = 0;
    bool building_ = false;
};

} // namespace verbaria
