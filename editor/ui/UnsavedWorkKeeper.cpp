#include "editor/ui/UnsavedWorkKeeper.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/EditorContext.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <exception>
#include <string>
#include <string_view>

namespace verbaria {

namespace {

constexpr int OneMinute = 60 * 1000;

// The record beside a copy: "Key=value" lines, the values file names as the document holds them.
constexpr std::string_view KeySablona = "Sablona";
constexpr std::string_view KeyPopisy = "Popisy";
constexpr std::string_view KeyJazyk = "Jazyk";
constexpr std::string_view KeyCil = "Cil";

std::string RecordOf(const LanguageDocument &document)
{
    std::string record;
    auto add = [&record](std::string_view key, const std::string &value) {
        record.append(key).append("=").append(value).append("\n");
    };
    add(KeySablona, document.aktualniSablona());
    add(KeyPopisy, document.souborPopisu());
    add(KeyJazyk, document.souborJazyka());
    add(KeyCil, document.SaveTarget());
    return record;
}

LanguageDocument::KeptWork ParseRecord(std::string_view record)
{
    LanguageDocument::KeptWork work;
    while (!record.empty()) {
        const std::size_t end = record.find('\n');
        const std::string_view line = record.substr(0, end);
        record = end == std::string_view::npos ? std::string_view() : record.substr(end + 1);
        const std::size_t separator = line.find('=');
        if (separator == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, separator);
        const std::string value(line.substr(separator + 1));
        if (key == KeySablona)
            work.Template = value;
        else if (key == KeyPopisy)
            work.Description = value;
        else if (key == KeyJazyk)
            work.LanguageFile = value;
        else if (key == KeyCil)
            work.SaveTarget = value;
    }
    return work;
}

void RemoveKept(const QString &base)
{
    QFile::remove(base + QStringLiteral(".lng"));
    QFile::remove(base + QStringLiteral(".txt"));
}

} // namespace

UnsavedWorkKeeper::UnsavedWorkKeeper(EditorContext &context)
    : context_(context)
    , folder_(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
              QStringLiteral("/unsaved"))
    , ownName_(QStringLiteral("%1-%2")
                   .arg(QCoreApplication::applicationPid())
                   .arg(QDateTime::currentMSecsSinceEpoch()))
{
    timer_.setSingleShot(true);
    // Tests of a whole run shorten the minute.
    bool given = false;
    const int seconds = qEnvironmentVariableIntValue("VERBARIA_AUTOSAVE_SECONDS", &given);
    timer_.setInterval(given && seconds > 0 ? seconds * 1000 : OneMinute);
    connect(&timer_, &QTimer::timeout, this, &UnsavedWorkKeeper::KeepNow);
    connect(&context_.History(), &DocumentHistory::Changed, this, [this] { AfterStep(); });
}

// A run that ends without End() (the exception boundary, a test's window) leaves its copy: the
// lock goes with the process, so the next start offers it.
UnsavedWorkKeeper::~UnsavedWorkKeeper() = default;

void UnsavedWorkKeeper::SetFolder(const QString &folder)
{
    Discard();
    lock_.reset();
    folder_ = folder;
}

QString UnsavedWorkKeeper::OwnPath(const char *extension) const
{
    return folder_ + QLatin1Char('/') + ownName_ + QLatin1Char('.') + QLatin1String(extension);
}

void UnsavedWorkKeeper::AfterStep()
{
    if (ended_)
        return;
    if (!context_.Document().zmeneno()) {
        // Saved or discarded: nothing stays aside.
        timer_.stop();
        Discard();
        return;
    }
    if (!timer_.isActive())
        timer_.start();
}

void UnsavedWorkKeeper::KeepNow()
{
    LanguageDocument &document = context_.Document();
    if (ended_ || !document.zmeneno())
        return;
    if (!QDir().mkpath(folder_))
        return;
    if (!lock_) {
        lock_ = std::make_unique<QLockFile>(OwnPath("lock"));
        // Only a process that is gone leaves a lock to take over, however old it is.
        lock_->setStaleLockTime(0);
        if (!lock_->tryLock(0)) {
            lock_.reset();
            return;
        }
    }
    // Keeping is help, never a hindrance: a copy that cannot be written is tried at the next edit.
    try {
        WriteFileAtomically(QFile::encodeName(OwnPath("lng")).toStdString(), document.SavedBytes());
        WriteFileAtomically(QFile::encodeName(OwnPath("txt")).toStdString(), RecordOf(document));
        kept_ = true;
    } catch (const std::exception &) {
    }
}

void UnsavedWorkKeeper::Discard()
{
    if (!kept_)
        return;
    RemoveKept(folder_ + QLatin1Char('/') + ownName_);
    kept_ = false;
}

void UnsavedWorkKeeper::End()
{
    ended_ = true;
    timer_.stop();
    Discard();
    lock_.reset();
}

bool UnsavedWorkKeeper::OfferBack()
{
    if (offered_)
        return false;
    offered_ = true;
    bool restored = false;
    const QDir folder(folder_);
    const QStringList records = folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString &recordName : records) {
        const QString name = QFileInfo(recordName).completeBaseName();
        if (name == ownName_)
            continue;
        const QString base = folder.filePath(name);
        // A run that still holds its lock is still working.
        QLockFile other(base + QStringLiteral(".lock"));
        other.setStaleLockTime(0);
        if (!other.tryLock(0))
            continue;
        std::string record;
        const std::string copy = QFile::encodeName(base + QStringLiteral(".lng")).toStdString();
        if (!ReadFileBytes(QFile::encodeName(base + QStringLiteral(".txt")).toStdString(), record) ||
            !FileExists(copy)) {
            RemoveKept(base);
            continue;
        }
        LanguageDocument::KeptWork work = ParseRecord(record);
        work.Copy = copy;
        const TextService &texts = context_.Texts();
        QString question = UiText(texts.TranslateText("Verbaria minule neskončila řádně a zůstala neuložená "
                                                      "práce na souboru „%s“. Chcete ji obnovit?"));
        question.replace(QStringLiteral("%s"), work.LanguageFile.empty()
                                                   ? UiText(texts.TranslateText("Neuložený jazyk"))
                                                   : QDir::toNativeSeparators(QString::fromLocal8Bit(
                                                         NativePath(work.LanguageFile))));
        if (context_.Dialogs().AskYesNo(question.toStdString())) {
            context_.EndEdits();
            LanguageDocument &document = context_.Document();
            // What is open now is the user's too: saved, or dropped on his word.
            if (!document.AskToSaveChanges())
                continue;
            document.RestoreKeptWork(work);
            context_.AfterCommand(false);
            emit Restored();
            restored = true;
            // From now on it is this run's work; the old copy goes once this one is written.
            KeepNow();
        }
        RemoveKept(base);
    }
    return restored;
}

} // namespace verbaria
