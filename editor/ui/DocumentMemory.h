#pragma once

#include "checks/TranslationMemory.h"

#include <QObject>
#include <QPointer>
#include <QThread>

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
        std::string Excluded;             // the open document's own file
    };

    explicit DocumentMemory(QObject *parent = nullptr);
    ~DocumentMemory() override;

    // Starts a build; one under way is left to finish and its result dropped.
    void Build(Request request);
    bool IsBuilding() const { return building_; }
    // Null until the first build ended.
    const checks::TranslationMemory *Memory() const { return memory_.get(); }
    // Blocks until the build under way ended (for the end of the window and for tests).
    void Wait();

    // The memory of one request, built on the calling thread.
    static std::unique_ptr<checks::TranslationMemory> BuildNow(const Request &request);

signals:
    void Built();

private:
    std::shared_ptr<checks::TranslationMemory> memory_;
    std::vector<QPointer<QThread>> threads_;
    unsigned generation_ = 0;
    bool building_ = false;
};

} // namespace verbaria
