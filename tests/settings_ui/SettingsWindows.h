#pragma once

#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "platform/CodePage.h"
#include "platform/ProgramIcon.h"
#include "platform/ProgramStarter.h"
#include "platform/RegistryRecord.h"
#include "settings/ui/SettingsHooks.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TPridatProgramForm.h"
#include "settings/ui/TProgramyForm.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class FakeRegistryRecord final : public verbaria::RegistryRecord
{
public:
    bool Write(const QString &) override { return true; }
    bool Delete() override { return true; }
};

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

// Writes bytes into a file of the test's program folder, creating folders as needed.
inline std::string WriteFile(const QString &path, const std::string &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write a test file");
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return QFile::encodeName(path).toStdString();
}

inline std::string ReadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

// The Czech text of the source as the files' code page holds it.
inline std::string Cp(const char *utf8)
{
    return verbaria::CodePage::Default().EncodeLossy(QString::fromUtf8(utf8));
}

// Runs action on the modal dialog that is about to open, inside its own event loop.
inline void OnNextModal(std::function<void(QWidget *)> action)
{
    QTimer::singleShot(0, qApp, [action] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

inline void Click(QWidget *owner, const char *name)
{
    auto *button = owner->findChild<QAbstractButton *>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// A tool of a tool bar, clicked on its button.
inline void ClickTool(QWidget *owner, const char *name)
{
    auto *action = owner->findChild<QAction *>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    auto *toolBar = owner->findChild<QToolBar *>(QStringLiteral("ToolBar"));
    ASSERT_NE(toolBar, nullptr);
    QWidget *button = toolBar->widgetForAction(action);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// The editor's six windows but the about box, as the program entry makes them, in a temporary
// program folder that is also the current folder, with scripted dialogs and fake platform services.
struct SettingsWindows
{
    explicit SettingsWindows(std::vector<std::string> commandLine = {})
        : previousFolder(QDir::currentPath())
        , programy(main)
        , pridat(main.Texts(), &main)
        , nastaveni(main, programy)
    {
        if (!folder.isValid())
            throw std::runtime_error("no temporary folder");
        QDir::setCurrent(folder.path());
        main.SetProgramFolder(folder.path());
        main.SetDialogs(&dialogs);
        main.SetRegistryRecord(&registry);
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
    FakeRegistryRecord registry;
    FakeProgramIcon icons;
    FakeProgramStarter starter;
    verbaria::TMainForm main;
    verbaria::TVlastnostiForm vlastnosti{&main};
    verbaria::TProgramyForm programy;
    verbaria::TPridatProgramForm pridat;
    verbaria::TNastaveniForm nastaveni;
    verbaria::TMainForm::Hooks hooks;
};
