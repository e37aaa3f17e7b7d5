// Opening a large document in the real main window, as the editor starts with it: a template of
// 200,000 entries alone, then with its language file. Prints, best of three, the seconds until
// the window is ready (shown, the document in the grid, the events that opening posted processed)
// and until the work it left to do in the background (the checks' full pass, the translation
// memory from the folder's language files) is done as well.
//
// Usage: open_bench [ENTRIES]   (default 200000)
#include "bench/GeneratedFiles.h"
#include "editor/ui/ChecksController.h"
#include "editor/ui/DocumentMemory.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/TMainForm.h"
#include "tests/support/NoRegistryRecord.h"
#include "tests/support/ScriptedDialogs.h"
#include "widgets/StringGrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

using namespace verbaria;

namespace {

// Returns once the events posted so far, and those they posted, have been processed.
void ProcessPostedEvents()
{
    for (int round = 0; round < 2; ++round) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

struct Times
{
    double Ready = 1e300;
    double Settled = 1e300;
};

// One start of the window with these files, timed from its construction.
Times Open(const QString &folder, const std::string &templateFile, const std::string &languageFile)
{
    ScriptedDialogs dialogs;
    NoRegistryRecord registry;
    QElapsedTimer timer;
    timer.start();
    auto form = std::make_unique<TMainForm>();
    form->SetProgramFolder(folder);
    form->SetDialogs(&dialogs);
    form->ThisCopy().SetRegistryRecord(&registry);
    TMainForm::Hooks hooks;
    hooks.ReadSettings = [&](const std::string &, SettingsValues &settings) {
        settings.PosledniSablona = templateFile;
        settings.PosledniJazyk = languageFile;
        settings.JazykProPopisy.clear();
    };
    hooks.WriteSettings = [](const std::string &, const SettingsValues &) {};
    form->SetHooks(std::move(hooks));
    form->resize(1000, 700);
    form->show();
    ProcessPostedEvents();
    Times times;
    times.Ready = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (form->Document().Grid().RowCount() < 2)
        std::fprintf(stderr, "the document did not open\n");
    // The background work: its results arrive as posted events.
    auto busy = [&form] {
        const auto *memory = form->findChild<DocumentMemory *>();
        return (memory && memory->IsBuilding()) || form->ChecksCommands().Checks().Pending();
    };
    while (busy()) {
        QThread::msleep(1);
        QCoreApplication::processEvents();
    }
    ProcessPostedEvents();
    times.Settled = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    form->close();
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int entries = argc > 1 ? std::atoi(argv[1]) : 200'000;
    QTemporaryDir folder;
    if (!folder.isValid() || entries < 1) {
        std::fprintf(stderr, "usage: open_bench [ENTRIES]\n");
        return 2;
    }
    // The program folder as installed beside the editor: its own languages in jazyky/.
    const QString languages = folder.path() + QStringLiteral("/jazyky/");
    QDir().mkpath(languages);
    for (const QString &name : QDir(QStringLiteral(VERBARIA_SOURCE_DIR "/jazyky")).entryList(QDir::Files))
        QFile::copy(QStringLiteral(VERBARIA_SOURCE_DIR "/jazyky/") + name, languages + name);
    const std::string base = folder.path().toStdString();
    bench::Generate(entries, base);
    const std::string templateFile = base + "/t" + std::to_string(entries) + ".lnd";
    const std::string languageFile = base + "/t" + std::to_string(entries) + ".lng";

    const QString programFolder = folder.path() + QLatin1Char('/');
    for (const auto &[name, language] :
         {std::pair<const char *, std::string>{"template", std::string()}, {"language", languageFile}}) {
        Times best;
        for (int run = 0; run < 3; ++run) {
            const Times times = Open(programFolder, templateFile, language);
            best.Ready = std::min(best.Ready, times.Ready);
            best.Settled = std::min(best.Settled, times.Settled);
        }
        std::printf("%d %s ready %.3f settled %.3f\n", entries, name, best.Ready, best.Settled);
    }
    return 0;
}
