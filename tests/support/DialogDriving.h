#pragma once

#include "platform/CodePage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

// Files of a test's temporary folder, and the user's clicks on modal dialogs, for the GoogleTest
// programs that drive real widgets.

// Writes bytes into a file, creating folders as needed; gives the file's native name.
inline std::string WriteFile(const QString &path, const std::string &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write a test file");
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return QFile::encodeName(path).toStdString();
}

// The file's bytes, or "<missing>".
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
