#include "editor/ui/DocumentMemory.h"

#include "checks/MemoryInput.h"
#include "formats/FileIO.h"
#include "formats/FindTemplateFile.h"
#include "formats/LanguageFile.h"
#include "formats/Paths.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <map>
#include <set>

namespace verbaria {

namespace {

checks::Decoder DecoderOf(const CodePage &codePage)
{
    return [codePage](std::string_view bytes) { return codePage.Decode(bytes).toStdString(); };
}

struct TemplateBytes
{
    std::string Bytes;
    CodePage Page;
};

} // namespace

DocumentMemory::DocumentMemory(QObject *parent)
    : QObject(parent)
{
}

DocumentMemory::~DocumentMemory()
{
    // A thread still reading posts to this object; its post dies with it.
    for (const QPointer<QThread> &thread : threads_) {
        if (thread)
            thread->wait();
    }
}

void DocumentMemory::Wait()
{
    for (const QPointer<QThread> &thread : threads_) {
        if (thread)
            thread->wait();
    }
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

std::unique_ptr<checks::TranslationMemory> DocumentMemory::BuildNow(const Request &request)
{
    auto memory = std::make_unique<checks::TranslationMemory>();
    std::map<std::string, TemplateBytes> templates;
    std::set<QString> seen;
    const QString excluded = request.Excluded.empty()
                                 ? QString()
                                 : QFileInfo(QString::fromLocal8Bit(request.Excluded)).canonicalFilePath();
    for (const std::string &folder : request.Folders) {
        const QDir dir(QString::fromLocal8Bit(folder));
        for (const QFileInfo &info :
             dir.entryInfoList({QStringLiteral("*.lng"), QStringLiteral("*.LNG")}, QDir::Files)) {
            const QString path = info.canonicalFilePath();
            if (path == excluded || !seen.insert(path).second)
                continue;
            const std::string file = path.toLocal8Bit().toStdString();
            std::string bytes;
            if (!ReadFileBytes(file, bytes))
                continue;
            std::string_view content = bytes;
            StripByteOrderMark(content);
            if (!request.Language.empty() && LanguageHeaderValue(content, "LANGUAGE") != request.Language)
                continue;
            const std::string definition = LanguageHeaderValue(content, "DEFINITION");
            if (definition.empty())
                continue;
            const std::string templatePath =
                FindTemplateFile(definition, file, [] { return std::vector<std::string>(); });
            if (templatePath.empty())
                continue;
            auto found = templates.find(templatePath);
            if (found == templates.end()) {
                TemplateBytes read;
                if (!ReadFileBytes(NativePath(templatePath), read.Bytes))
                    continue;
                std::string_view templateContent = read.Bytes;
                const bool byteOrderMark = StripByteOrderMark(templateContent);
                read.Bytes = std::string(templateContent);
                try {
                    EditorTemplate parsed;
                    TemplateReader(parsed).ReadAll(read.Bytes);
                    read.Page = byteOrderMark ? CodePage::ForDeclared("UTF-8")
                                              : CodePage::ForDeclared(parsed.Info.CodePage);
                } catch (const std::exception &) {
                    continue;
                }
                found = templates.emplace(templatePath, std::move(read)).first;
            }
            try {
                checks::AddLanguageFile(*memory, memory->AddFile(info.fileName().toStdString()),
                                        found->second.Bytes, content, DecoderOf(found->second.Page),
                                        DecoderOf(CodePage::ForDeclared(DeclaredCodePage(content))));
            } catch (const std::exception &) {
                // A file its readers refuse teaches nothing; the others still count.
            }
        }
    }
    memory->Build();
    return memory;
}

void DocumentMemory::Build(Request request)
{
    const unsigned generation = ++generation_;
    building_ = true;
    // The object outlives the thread (its end waits for it), and a queued call to an object
    // that is gone is dropped.
    QThread *thread = QThread::create([this, generation, request = std::move(request)] {
        std::shared_ptr<checks::TranslationMemory> memory = BuildNow(request);
        QMetaObject::invokeMethod(
            this,
            [this, generation, memory] {
                if (generation != generation_)
                    return;
                memory_ = memory;
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
