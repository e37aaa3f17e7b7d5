// How the runtime translator scales: message look-ups against the size of the template, and a
// Translate pass against the number of named components and entries (indexed names, so the
// time per entry stays flat instead of growing with the form).
#include "formats/FileIO.h"
#include "translator/TKVTranslator.h"
#include "translator/qt/TKVTranslator.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string TempFile(const std::string &name, const std::string &bytes)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "-" + name)).string();
    verbaria::WriteFileAtomically(path, bytes);
    return path;
}

void BM_TranslateText(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    std::vector<std::string> lines;
    std::string language;
    for (int i = 0; i < count; ++i) {
        lines.push_back(std::to_string(i + 1) + ":message \"Zpr\xe1va c\xedslo " + std::to_string(i) + "\"");
        language += std::to_string(i + 1) + ":Message " + std::to_string(i) + "\r\n";
    }
    const std::string path = TempFile("messages.lng", language);
    verbaria::TKVTranslator translator;
    translator.SetTemplate(lines);
    translator.SetLanguageFile(path);
    const std::string key = "Zpr\xe1va c\xedslo " + std::to_string(count / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(translator.TranslateText(key));
    std::filesystem::remove(path);
}
BENCHMARK(BM_TranslateText)->Arg(1000)->Arg(10000)->Arg(100000);

// One form with N named labels and N entries, one per label, through the Qt adapter.
void BM_TranslateQtForm(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    QWidget form;
    form.setObjectName(QStringLiteral("BigForm"));
    std::string templateBytes = "[ITEMS]\r\n";
    std::string language;
    for (int i = 0; i < count; ++i) {
        auto *label = new QLabel(&form);
        label->setObjectName(QStringLiteral("label%1").arg(i));
        templateBytes +=
            std::to_string(i + 1) + ":component \"BigForm.label" + std::to_string(i) + ".Caption\"\r\n";
        language += std::to_string(i + 1) + ":Text " + std::to_string(i) + "\r\n";
    }
    const std::string templatePath = TempFile("big.lnd", templateBytes);
    const std::string languagePath = TempFile("big.lng", language);
    verbaria::qt::TKVTranslator translator;
    translator.LoadTemplate(QString::fromStdString(templatePath));
    translator.SetLanguageFile(QString::fromStdString(languagePath));
    for (auto _ : state)
        translator.Translate();
    state.SetItemsProcessed(state.iterations() * count);
    std::filesystem::remove(templatePath);
    std::filesystem::remove(languagePath);
}
BENCHMARK(BM_TranslateQtForm)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
