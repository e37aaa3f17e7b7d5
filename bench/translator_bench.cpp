// How the runtime translator scales: message look-ups against the size of the template, and a
// Translate pass against the number of named components and entries (indexed names, so the
// time per entry stays flat instead of growing with the form).
#include "formats/FileIO.h"
#include "translator/TKVTranslator.h"
#include "translator/qt/TKVTranslator.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
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

// One form with N groups of five entries of different kinds: a label's Caption, a button's Hint,
// a combo box's Items, a line edit's placeholderText (a plain property) and a tab page's Caption.
void BM_TranslateQtMixedForm(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    QWidget form;
    form.setObjectName(QStringLiteral("MixedForm"));
    auto *tabs = new QTabWidget(&form);
    std::string templateBytes = "[ITEMS]\r\n";
    std::string language;
    int entry = 0;
    auto add = [&](const std::string &path, const std::string &value) {
        ++entry;
        templateBytes += std::to_string(entry) + ":component \"MixedForm." + path + "\"\r\n";
        language += std::to_string(entry) + ":" + value + "\r\n";
    };
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        auto *label = new QLabel(&form);
        label->setObjectName(QStringLiteral("label%1").arg(i));
        auto *button = new QPushButton(&form);
        button->setObjectName(QStringLiteral("button%1").arg(i));
        auto *combo = new QComboBox(&form);
        combo->setObjectName(QStringLiteral("combo%1").arg(i));
        combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        auto *edit = new QLineEdit(&form);
        edit->setObjectName(QStringLiteral("edit%1").arg(i));
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("page%1").arg(i));
        tabs->addTab(page, QStringLiteral("p"));
        add("label" + n + ".Caption", "Text " + n);
        add("button" + n + ".Hint", "Hint " + n);
        add("combo" + n + ".Items", "One " + n + ",Two " + n);
        add("edit" + n + ".placeholderText", "Type " + n);
        add("page" + n + ".Caption", "Page " + n);
    }
    const std::string templatePath = TempFile("mixed.lnd", templateBytes);
    const std::string languagePath = TempFile("mixed.lng", language);
    verbaria::qt::TKVTranslator translator;
    translator.LoadTemplate(QString::fromStdString(templatePath));
    translator.SetLanguageFile(QString::fromStdString(languagePath));
    for (auto _ : state)
        translator.Translate();
    state.SetItemsProcessed(state.iterations() * entry);
    std::filesystem::remove(templatePath);
    std::filesystem::remove(languagePath);
}
BENCHMARK(BM_TranslateQtMixedForm)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

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
