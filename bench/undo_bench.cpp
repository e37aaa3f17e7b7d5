// What one step of the history costs: a template and a language file of 200,000 and 1,000,000
// entries, one cell edited, then the step made (Commit), undone and redone, the fastest of three.
// Timed twice: on the document and its history alone, and in the real main window on the offscreen
// platform, where everything that listens to the history (grid, checks, filter, status bar, title)
// takes its part.
//
// Usage: undo_bench [ENTRIES...]   (default 200000 1000000); prints one line a figure:
//   "ENTRIES OPERATION SECONDS"
#include "editor/core/LanguageDocument.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/TMainForm.h"
#include "platform/RegistryRecord.h"
#include "widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace verbaria;

namespace {

class NoDialogs final : public UserDialogs
{
public:
    bool AskYesNo(const std::string &question) override
    {
        throw std::logic_error("unexpected question: " + question);
    }
    void Inform(const std::string &) override {}
    void ReportError(const std::string &message) override
    {
        std::fprintf(stderr, "error: %s\n", message.c_str());
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogState &) override { return std::nullopt; }
    std::optional<std::string> ChooseFileToSave(const FileDialogState &) override { return std::nullopt; }
};

class NoRegistry final : public RegistryRecord
{
public:
    bool Write(const QString &) override { return true; }
    bool Delete() override { return true; }
};

void WriteFiles(const std::string &folder, int entries)
{
    std::ofstream lnd(folder + "/t.lnd", std::ios::binary);
    lnd << "[LANGUAGE]\r\nProgram=Bench\r\nCodePage=UTF-8\r\n[ITEMS]\r\n";
    std::ofstream lng(folder + "/t.lng", std::ios::binary);
    lng << "Language=English\r\nDefinition=t.lnd\r\nCodepage=UTF-8\r\n";
    for (int i = 1; i <= entries; ++i) {
        lnd << i << ": MESSAGE \"Položka číslo " << i << ":\"\r\n";
        // Most rows translated, every hundredth waiting for review.
        if (i % 10 == 0)
            continue;
        if (i % 100 == 1)
            lng << "/Notes " << std::string(5 - std::min<std::size_t>(5, std::to_string(i).size()), '0') << i
                << ": review\r\n";
        char number[16];
        std::snprintf(number, sizeof number, "%05d", i);
        lng << number << ":Item number " << i << ":\r\n";
    }
}

double Seconds(const std::function<void()> &action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Figures
{
    double Commit = 1e9;
    double Undo = 1e9;
    double Redo = 1e9;
};

// One cell of the middle row edited, then made a step, undone and redone; best of three.
Figures Time(LanguageDocument &document, DocumentHistory &history, const std::function<void()> &settle,
             const std::function<void()> &undo, const std::function<void()> &redo)
{
    Figures best;
    const int row = document.Grid().RowCount() / 2;
    for (int round = 0; round < 3; ++round) {
        document.Grid().SetText(LanguageDocument::ColumnTranslation, row, "Edited " + std::to_string(round));
        document.PolozkaZmenena(LanguageDocument::ColumnTranslation, row);
        best.Commit = std::min(best.Commit, Seconds([&] {
                                   history.Commit({});
                                   settle();
                               }));
        best.Undo = std::min(best.Undo, Seconds([&] {
                                 undo();
                                 settle();
                             }));
        best.Redo = std::min(best.Redo, Seconds([&] {
                                 redo();
                                 settle();
                             }));
        undo();
        settle();
    }
    return best;
}

void Print(int entries, const char *where, const Figures &figures)
{
    std::printf("%d commit (%s) %.6f\n", entries, where, figures.Commit);
    std::printf("%d undo (%s) %.6f\n", entries, where, figures.Undo);
    std::printf("%d redo (%s) %.6f\n", entries, where, figures.Redo);
    std::fflush(stdout);
}

void Document(const std::string &folder, int entries)
{
    SettingsValues settings;
    NoDialogs dialogs;
    CzechTexts texts;
    LanguageDocument document(settings, dialogs, texts);
    document.SetProgramFolder(folder + "/");
    document.MapujText(folder + "/t.lnd");
    document.NovyJazyk(true, false);
    document.NactiJazyk(folder + "/t.lng", LanguageDocument::ColumnTranslation);
    DocumentHistory history(document);
    Print(entries, "document",
          Time(
              document, history, [] {}, [&] { history.Undo(); }, [&] { history.Redo(); }));
}

void Window(const std::string &folder, int entries)
{
    NoDialogs dialogs;
    NoRegistry registry;
    TMainForm form;
    TMainForm::Hooks hooks;
    hooks.ReadSettings = [&folder](const std::string &, SettingsValues &settings) {
        settings.PosledniSablona = folder + "/t.lnd";
        settings.PosledniJazyk = folder + "/t.lng";
        settings.JazykProPopisy.clear();
    };
    hooks.WriteSettings = [](const std::string &, const SettingsValues &) {};
    form.SetProgramFolder(QString::fromStdString(folder));
    form.SetDialogs(&dialogs);
    form.ThisCopy().SetRegistryRecord(&registry);
    form.SetHooks(std::move(hooks));
    form.resize(900, 600);
    form.show();
    QApplication::processEvents();
    const int row = form.Document().Grid().RowCount() / 2;
    form.gridJazyk()->SetCurrentCell(LanguageDocument::ColumnTranslation, row);
    QApplication::processEvents();
    auto action = [&form](const char *name) {
        QAction *found = form.findChild<QAction *>(QString::fromLatin1(name));
        if (!found)
            throw std::logic_error(std::string("no action ") + name);
        return found;
    };
    QAction *undo = action("menuZpet");
    QAction *redo = action("menuZnovu");
    Print(entries, "main window",
          Time(
              form.Document(), form.History(), [] { QApplication::processEvents(); },
              [undo] { undo->trigger(); }, [redo] { redo->trigger(); }));
    form.Document().SetZmeneno(false);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::stoi(argv[i]));
    if (sizes.empty())
        sizes = {200'000, 1'000'000};
    for (const int entries : sizes) {
        QTemporaryDir folder;
        WriteFiles(folder.path().toStdString(), entries);
        Document(folder.path().toStdString(), entries);
        Window(folder.path().toStdString(), entries);
    }
    return 0;
}
