#pragma once

// The main window's surroundings for a GoogleTest test that drives it over real widgets: a
// temporary program folder holding the test's files, scripted answers to every question, no
// registration, the window shown on the offscreen platform, and its widgets and commands found by
// name. A widget or command that is not there ends the test as a failure that names it, rather
// than as a crash later.
#include "editor/ui/TMainForm.h"
#include "formats/FileIO.h"
#include "support/NoRegistryRecord.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace verbaria {

// Thrown by the look-ups below; GoogleTest reports it as the test's failure, with the name.
class MissingObject : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

namespace harness {

inline std::string OwnerName(const QObject &owner)
{
    const QString name = owner.objectName();
    return name.isEmpty() ? std::string(owner.metaObject()->className()) : name.toStdString();
}

} // namespace harness

// The child of owner with that object name.
template <class T> T *FindChild(const QObject &owner, const QString &name)
{
    T *child = owner.findChild<T *>(name);
    if (!child)
        throw MissingObject(std::string("no ") + T::staticMetaObject.className() + " named \"" +
                            name.toStdString() + "\" in " + harness::OwnerName(owner));
    return child;
}
template <class T> T *FindChild(const QObject &owner, const char *name)
{
    return FindChild<T>(owner, QString::fromUtf8(name));
}

// The command of owner with that object name or, for commands made on the fly (a context menu's
// entries), with that name as its data.
inline QAction *FindAction(const QObject &owner, const QString &name)
{
    if (auto *action = owner.findChild<QAction *>(name))
        return action;
    for (QAction *action : owner.findChildren<QAction *>()) {
        if (action->data().toString() == name)
            return action;
    }
    throw MissingObject("no command named \"" + name.toStdString() + "\" in " + harness::OwnerName(owner));
}

// Runs the command as its menu entry would, and lets what it queued happen.
inline void TriggerAction(const QObject &owner, const QString &name)
{
    FindAction(owner, name)->trigger();
    QCoreApplication::processEvents();
}

// Runs inside the modal dialog that the next command opens; whatever happens there, the dialog is
// closed afterwards if it is still open, so that a failure cannot leave the test waiting.
inline void InModal(std::function<void(QDialog &)> inside)
{
    QTimer::singleShot(0, qApp, [inside = std::move(inside)] {
        QPointer<QDialog> dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog";
            return;
        }
        try {
            inside(*dialog);
        } catch (const std::exception &error) {
            ADD_FAILURE() << error.what();
        }
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
}

// The fixture of the window tests. The window a test attaches last is "the window" of the
// one-argument look-ups; the two-argument ones search any widget.
class WindowHarness : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    // Puts the window into the harness's surroundings; the program folder is the temporary folder
    // unless given. hooks.WriteSettings writes nothing unless the test says otherwise.
    void Attach(TMainForm &form, TMainForm::Hooks hooks, const QString &programFolder = {})
    {
        form.SetProgramFolder(programFolder.isEmpty() ? folder_.path() : programFolder);
        form.SetDialogs(dialogsInUse_);
        form.ThisCopy().SetRegistryRecord(registryInUse_);
        if (!hooks.WriteSettings)
            hooks.WriteSettings = [](const std::string &, const SettingsValues &) {};
        form.SetHooks(std::move(hooks));
        window_ = &form;
    }
    // For a test that records the questions or the registry its own way: used by the windows
    // attached from now on.
    void UseDialogs(UserDialogs &dialogs) { dialogsInUse_ = &dialogs; }
    void UseRegistry(RegistryRecord &registry) { registryInUse_ = &registry; }

    // Shows the window (at that size, if given) as the active window and waits until it is on
    // the screen.
    static void Show(QWidget &window, QSize size = {})
    {
        if (size.isValid())
            window.resize(size);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // A new window, attached and shown.
    std::unique_ptr<TMainForm> OpenWindow(TMainForm::Hooks hooks, const QString &programFolder = {},
                                          QSize size = {700, 500})
    {
        auto form = std::make_unique<TMainForm>();
        Attach(*form, std::move(hooks), programFolder);
        Show(*form, size);
        return form;
    }

    TMainForm &Window() const
    {
        if (!window_)
            throw MissingObject("no window attached");
        return *window_;
    }
    template <class T> T *Child(const char *name) const { return Child<T>(Window(), name); }
    template <class T> static T *Child(const QObject &owner, const char *name)
    {
        return FindChild<T>(owner, QString::fromUtf8(name));
    }
    QAction *Action(const char *name) const { return Action(Window(), name); }
    static QAction *Action(const QObject &owner, const char *name)
    {
        return FindAction(owner, QString::fromUtf8(name));
    }
    void Trigger(const char *name) const { Trigger(Window(), name); }
    static void Trigger(const QObject &owner, const char *name)
    {
        TriggerAction(owner, QString::fromUtf8(name));
    }

    // Files of the temporary folder, by names relative to it; folders are made as needed.
    std::string Path(const std::string &name) const { return folder_.path().toStdString() + "/" + name; }
    void Write(const std::string &name, const std::string &bytes) const
    {
        const QString path = QString::fromStdString(Path(name));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
            throw std::runtime_error("cannot write the test file " + name);
    }
    std::string Read(const std::string &name) const
    {
        std::string bytes;
        ReadFileBytes(Path(name), bytes);
        return bytes;
    }

    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;

private:
    NoRegistryRecord noRegistry_;
    UserDialogs *dialogsInUse_ = &dialogs_;
    RegistryRecord *registryInUse_ = &noRegistry_;
    QPointer<TMainForm> window_;
};

} // namespace verbaria
