#pragma once

#include "app/MainFormSettingsHost.h"
#include "app/SettingsHooks.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "platform/ProgramIcon.h"
#include "platform/ProgramStarter.h"
#include "settings/core/CatalogueFileStore.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TPridatProgramForm.h"
#include "settings/ui/TProgramyForm.h"
#include "support/DialogDriving.h"
#include "support/NoRegistryRecord.h"
#include "support/ScriptedDialogs.h"

#include <QListView>
#include <QPixmap>
#include <QTemporaryDir>

#include <string>
#include <vector>

// A red square for every program path that is not empty.
class FakeProgramIcon final : public verbaria::ProgramIcon
{
public:
    QIcon IconOf(const QString &programPath) override
    {
        if (programPath.isEmpty())
            return {};
        QPixmap pixmap(LargeIconSize, LargeIconSize);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    }
};

class FakeProgramStarter final : public verbaria::ProgramStarter
{
public:
    std::vector<QString> Started;
    bool Start(const QString &programPath) override
    {
        Started.push_back(programPath);
        return true;
    }
};

// The editor's six windows but the about box, as the program entry makes them, in a temporary
// program folder that is also the current folder, with scripted dialogs and fake platform services.
struct SettingsWindows
{
    explicit SettingsWindows(std::vector<std::string> commandLine = {})
        : previousFolder(QDir::currentPath())
        , programy(catalogue, main.Texts(), &main)
        , pridat(main.Texts(), &main)
        , nastaveni(settingsHost, programy, &main)
    {
        if (!folder.isValid())
            throw std::runtime_error("no temporary folder");
        QDir::setCurrent(folder.path());
        main.SetProgramFolder(folder.path());
        main.SetDialogs(&dialogs);
        main.ThisCopy().SetRegistryRecord(&registry);
        main.SetPropertiesDialog(&vlastnosti);
        programy.SetEntryDialog(&pridat);
        programy.SetDialogs(&dialogs);
        programy.SetPlatform(&icons, &starter);
        pridat.SetDialogs(&dialogs);
        hooks = verbaria::SettingsHooks(std::move(commandLine), nastaveni, programy);
        main.SetHooks(hooks);
    }
    ~SettingsWindows() { QDir::setCurrent(previousFolder); }

    QString Path(const char *relative) const { return folder.filePath(QString::fromUtf8(relative)); }
    std::string Native(const char *relative) const { return QFile::encodeName(Path(relative)).toStdString(); }

    QListView *List() { return programy.findChild<QListView *>(QStringLiteral("listProgramy")); }
    void SelectEntry(int row)
    {
        QListView *list = List();
        list->doItemsLayout(); // the view lays its items out late; a click needs them placed
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int i = 0; i < programy.Count(); ++i)
            names.push_back(programy.Entry(i).Name);
        return names;
    }

    QTemporaryDir folder;
    QString previousFolder;
    ScriptedDialogs dialogs;
    NoRegistryRecord registry;
    FakeProgramIcon icons;
    FakeProgramStarter starter;
    verbaria::TMainForm main;
    verbaria::TVlastnostiForm vlastnosti{&main};
    verbaria::CatalogueFileStore catalogue{[this] { return main.slozkaProgramu(); }};
    verbaria::MainFormSettingsHost settingsHost{main};
    verbaria::TProgramyForm programy;
    verbaria::TPridatProgramForm pridat;
    verbaria::TNastaveniForm nastaveni;
    verbaria::TMainForm::Hooks hooks;
};
