#include "editor/ui/DocumentMemory.h"

#include "checks/MemoryBuilder.h"
#include "formats/LanguageFile.h"
#include "formats/LanguageTag.h"
#include "platform/CodePage.h"
#include "spelling/LanguageNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <set>

namespace verbaria {

namespace {

checks::Decoder DecoderOf(const CodePage &codePage)
{
    return [codePage](std::string_view bytes) { return codePage.Decode(bytes).toStdString(); };
}

} // namespace

DocumentMemory::DocumentMemory(QObject *parent)
    : QObject(parent)
{
}

DocumentMemory::~DocumentMemory()
{
    Stop();
}

void DocumentMemory::Stop()
{
    if (stop_)
        stop_->store(true);
    for (const QPointer<QThread> &thread : threads_) {
        if (thread)
            thread->wait();
    }
    building_ = false;
}

void DocumentMemory::Wait()
{
    for (const QPointer<QThread> &thread : threads_) {
        if (thread)
            thread->wait();
    }
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

std::unique_ptr<checks::TranslationMemory> DocumentMemory::BuildNow(const Request &request,
                                                                    std::vector<SkippedFile> *skipped,
                                                                    const std::atomic<bool> *stop)
{
    auto memory = std::make_unique<checks::TranslationMemory>();
    checks::MemoryBuilder builder(
        *memory, [](const std::string &declared) { return DecoderOf(CodePage::ForDeclared(declared)); });
    // A file's tag is the one it carries, else the one its language's name gives.
    builder.MatchTags(request.Tag, [](std::string_view content) {
        if (std::optional<std::string> tag = ReadLanguageTag(content))
            return *tag;
        return spelling::LanguageTagOfNameBytes(LanguageHeaderValue(content, "LANGUAGE"),
                                                DeclaredCodePage(content));
    });
    std::set<QString> seen;
    const QString excluded = request.Excluded.empty()
                                 ? QString()
                                 : QFileInfo(QString::fromLocal8Bit(request.Excluded)).canonicalFilePath();
    auto skip = [skipped](const QFileInfo &info, const std::string &reason) {
        if (skipped)
            skipped->push_back({info.fileName().toStdString(), reason});
    };
    for (const std::string &folder : request.Folders) {
        const QDir dir(QString::fromLocal8Bit(folder));
        for (const QFileInfo &info :
             dir.entryInfoList({QStringLiteral("*.lng"), QStringLiteral("*.LNG")}, QDir::Files)) {
            if (stop && stop->load())
                return memory;
            const QString path = info.canonicalFilePath();
            if (path == excluded || !seen.insert(path).second)
                continue;
            // Any file of the folder may be anything: one that cannot be read is left out and
            // named, and the others still count.
            try {
                builder.Add(path.toLocal8Bit().toStdString(), info.fileName().toStdString(),
                            request.Language);
            } catch (const std::exception &error) {
                skip(info, error.what());
            } catch (...) {
                skip(info, std::string());
            }
        }
    }
    builder.Finish();
    return memory;
}

void DocumentMemory::Build(Request request)
{
    const unsigned generation = ++generation_;
    building_ = true;
    if (stop_)
        stop_->store(true);
    stop_ = std::make_shared<std::atomic<bool>>(false);
    // The object outlives the thread (its end stops and waits for it), and a queued call to an
    // object that is gone is dropped. Nothing thrown may leave the thread: that would end the
    // program.
    QThread *thread = QThread::create([this, generation, stop = stop_, request = std::move(request)] {
        std::shared_ptr<checks::TranslationMemory> memory;
        std::vector<SkippedFile> skipped;
        try {
            memory = BuildNow(request, &skipped, stop.get());
        } catch (const std::exception &error) {
            // Out of memory, most likely: what the build had is lost, the reason is told.
            memory = std::make_shared<checks::TranslationMemory>();
            skipped.push_back({std::string(), error.what()});
        } catch (...) {
            memory = std::make_shared<checks::TranslationMemory>();
            skipped.push_back({std::string(), std::string()});
        }
        if (stop->load())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, memory, skipped = std::move(skipped)]() mutable {
                if (generation != generation_)
                    return;
                memory_ = memory;
                skipped_ = std::move(skipped);
                building_ = false;
                emit Built();
            },
            Qt::QueuedConnection);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    std::erase_if(threads_, [](const QPointer<QThread> &t) { return t.isNull(); });
    threads_.emplace_back(thread);
    thread->start(QThread::LowPriority);
}

} // namespace verbaria
