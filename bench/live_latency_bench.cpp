// The live link's latency: from the editor's end sending a changed translation to the running
// program having written it into its widget. The program is the example (its own process, on the
// offscreen platform); each iteration changes the heading's label and asks for the label's live
// value in the same breath, so the answer comes back only once the property has changed: the
// figure is a round trip, an upper bound for the one-way latency. Median and 99th percentile are
// the counters median_ms and p99_ms.
#include "translator/LiveLinkProtocol.h"
#include "translator/qt/LiveServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using namespace verbaria;

void BM_LiveSetToPropertyChanged(benchmark::State &state)
{
    qt::LiveServer server;
    const QString invitation = server.Invite();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(live::kLiveEnvironmentVariable), invitation);
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.setStandardOutputFile(QProcess::nullDevice());
    program.start(QStringLiteral(VERBARIA_EXAMPLE_PROGRAM), {});
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&server, &qt::LiveServer::Linked, &loop, &QEventLoop::quit);
    limit.start(30000);
    loop.exec();
    if (!server.IsLinked()) {
        state.SkipWithError("the example program did not connect");
        return;
    }
    bool answered = false;
    QObject::connect(&server, &qt::LiveServer::Received, &loop, [&](const live::LiveMessage &message) {
        if (message.Type == live::LiveType::Values) {
            answered = true;
            loop.quit();
        }
    });

    live::LiveMessage set;
    set.Type = live::LiveType::Set;
    set.Entries.push_back({9, "DemoForm.labelNadpis.Caption", {}, 0});
    live::LiveMessage read;
    read.Type = live::LiveType::Read;
    read.Entries.push_back({-1, "DemoForm.labelNadpis.Caption", {}, 0});
    std::vector<double> milliseconds;
    std::int64_t count = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        set.Entries[0].Text = "Vítejte " + std::to_string(++count);
        answered = false;
        timer.start();
        server.Send(set);
        server.Send(read);
        limit.start(10000);
        while (!answered && limit.isActive())
            loop.exec();
        const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(elapsed / 1000);
        milliseconds.push_back(elapsed);
    }
    server.Unlink();
    program.terminate();
    program.waitForFinished(5000);
    if (milliseconds.empty())
        return;
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double fraction) {
        return milliseconds[std::min(milliseconds.size() - 1,
                                     static_cast<std::size_t>(fraction * milliseconds.size()))];
    };
    state.counters["median_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
}
BENCHMARK(BM_LiveSetToPropertyChanged)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
