#include "editor/ui/StartCommands.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/EditorContext.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "settings/core/SettingsValues.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace verbaria {

namespace {

// Paths are kept absolute, so the list names one file however it was reached.
std::string Absolute(const std::string &path)
{
    return AbsolutePath(NativePath(path));
}

} // namespace

StartCommands::StartCommands(EditorContext &context, QMenu &recentMenu)
    : context_(context)
    , recentMenu_(recentMenu)
{
    connect(&recentMenu_, &QMenu::aboutToShow, this, &StartCommands::FillRecentMenu);
    connect(&context_.History(), &DocumentHistory::Changed, this, [this] { NoteFiles(); });
    // Filled once at once, so the keyboard finds the entries even before the menu was shown.
    FillRecentMenu();
}

void StartCommands::NewFromTemplate()
{
    context_.EndEdits();
    LanguageDocument &document = context_.Document();
    const TextService &texts = context_.Texts();
    templateDialog_.Title = texts.TranslateText("Nový překlad ze šablony");
    templateDialog_.Filter = texts.TranslateText("Šablony jazyka (*.lnd)|*.lnd|Všechny soubory|*.*");
    templateDialog_.DefaultExtension = "*.lnd";
    if (templateDialog_.InitialFolder.empty())
        templateDialog_.InitialFolder = document.OpenDialog().InitialFolder;
    const auto chosen = context_.Dialogs().ChooseFileToOpen(templateDialog_);
    if (!chosen)
        return;
    templateDialog_.FileName = *chosen;
    templateDialog_.InitialFolder = FolderOf(NativePath(*chosen));
    document.NovyVJinemProgramu(*chosen);
    // Also when it is the template already open: a translation started from it.
    if (document.aktualniSablona() == *chosen)
        Remember(*chosen);
    context_.AfterCommand(false);
    emit DocumentReplaced();
}

void StartCommands::OpenRecent(const std::string &path)
{
    context_.EndEdits();
    if (!FileExists(path)) {
        QString message = UiText(context_.Texts().TranslateText("Soubor „%s“ už neexistuje."));
        message.replace(QStringLiteral("%s"), QDir::toNativeSeparators(QString::fromLocal8Bit(path)));
        context_.Dialogs().Inform(message.toStdString());
        auto &files = context_.Document().Settings().PosledniSoubory;
        files.erase(std::remove(files.begin(), files.end(), path), files.end());
        FillRecentMenu();
        return;
    }
    context_.Document().OtevritSoubor(path);
    context_.AfterCommand(false);
    emit DocumentReplaced();
}

void StartCommands::Remember(const std::string &path)
{
    if (path.empty())
        return;
    const std::string absolute = Absolute(path);
    auto &files = context_.Document().Settings().PosledniSoubory;
    files.erase(std::remove(files.begin(), files.end(), absolute), files.end());
    files.insert(files.begin(), absolute);
    if (files.size() > MaxRecentFiles)
        files.resize(MaxRecentFiles);
    FillRecentMenu();
}

void StartCommands::NoteFiles()
{
    const LanguageDocument &document = context_.Document();
    const std::string &target = document.SaveTarget();
    const std::string &templateName = document.aktualniSablona();
    // The first step is the start-up's: what it opened is remembered by the settings already, and
    // the menu shows what they kept. From then on a language file read or saved, or a template a
    // translation started from, comes first.
    if (!seenFirst_) {
        seenFirst_ = true;
        FillRecentMenu();
    } else if (!target.empty() && target != lastTarget_) {
        Remember(target);
    } else if (target.empty() && templateName != lastTemplate_ && FileExists(NativePath(templateName))) {
        Remember(templateName);
    }
    lastTarget_ = target;
    lastTemplate_ = templateName;
}

void StartCommands::FillRecentMenu()
{
    recentMenu_.clear();
    const auto &files = context_.Document().Settings().PosledniSoubory;
    int number = 0;
    for (const std::string &path : files) {
        const QString native = QDir::toNativeSeparators(QString::fromLocal8Bit(NativePath(path)));
        // "&1 czech.lng": the digit picks it from the keyboard, the full path is the tip.
        const QString caption = QStringLiteral("&%1 %2").arg(++number).arg(
            QFileInfo(native).fileName().replace(QLatin1Char('&'), QStringLiteral("&&")));
        QAction *action = recentMenu_.addAction(caption);
        action->setToolTip(native);
        action->setStatusTip(native);
        action->setData(QStringLiteral("menuPosledniSoubor%1").arg(number));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    recentMenu_.setEnabled(!files.empty());
}

} // namespace verbaria
