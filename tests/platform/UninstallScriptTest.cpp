#include "Polling.h"

#include "platform/CodePage.h"
#include "platform/SystemDetachedProcess.h"
#include "platform/UninstallScript.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using verbaria::UninstallScript;

namespace {

// True while a process runs with script on its command line (the shell that runs it).
bool ScriptIsRunning(const QString &script)
{
    const QByteArray wanted = QFile::encodeName(script);
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile commandLine(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().contains(wanted))
            return true;
    }
    return false;
}

void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder whose name a careless script would split, unquote or expand.
QString AwkwardFolder(const QTemporaryDir &temporary)
{
    const QString folder = temporary.filePath(u"Moje programy 'Verbaria' \"1.1\" $HOME `id` ; *"_s);
    EXPECT_TRUE(QDir().mkpath(folder));
    return folder;
}

TEST(UninstallScript, BatchFileHasItsFiveLines)
{
    const std::optional<std::string> text =
        UninstallScript::WindowsText(u"C:/Program Files/Verbaria/glotra.exe"_s,
                                     u"C:/Program Files/Verbaria/$uninstall.bat"_s, verbaria::CodePage());
    ASSERT_TRUE(text.has_value());
#ifdef Q_OS_WIN
    EXPECT_EQ(*text, ":try\r\n"
                     "del \"C:\\Program Files\\Verbaria\\glotra.exe\"\r\n"
                     "if exist \"C:\\Program Files\\Verbaria\\glotra.exe\" goto try\r\n"
                     "del \"C:\\Program Files\\Verbaria\\$uninstall.bat\"\r\n"
                     "rm \"../Glotrator\"\r\n");
#else
    EXPECT_EQ(std::count(text->begin(), text->end(), '\n'), 5);
    EXPECT_TRUE(text->starts_with(":try\r\ndel \""));
    EXPECT_TRUE(text->ends_with("$uninstall.bat\"\r\nrm \"../Glotrator\"\r\n"));
#endif
}

TEST(UninstallScript, BatchFileKeepsPercentSignsAndRefusesWhatTheCodePageLacks)
{
    const verbaria::CodePage codePage;
    const std::optional<std::string> percent =
        UninstallScript::WindowsText(u"/100%/žluť.exe"_s, u"/100%/$uninstall.bat"_s, codePage);
    ASSERT_TRUE(percent.has_value());
    EXPECT_NE(percent->find("100%%"), std::string::npos);
    EXPECT_NE(percent->find("\x9Elu\x9D.exe"), std::string::npos);
    EXPECT_EQ(percent->find("100%/"), std::string::npos);
    EXPECT_EQ(percent->find("100%\\"), std::string::npos);

    // A "?" in place of the letter would make "del" a wildcard.
    EXPECT_FALSE(UninstallScript::WindowsText(u"/programy/Жук.exe"_s, u"/programy/$uninstall.bat"_s, codePage)
                     .has_value());
}

TEST(UninstallScript, ShellScriptNamesEveryPathInFullAndQuoted)
{
    const std::string text =
        UninstallScript::PosixText(u"/opt/it's here/verbaria"_s, u"/opt/it's here/$uninstall.sh"_s, 4321);
    EXPECT_EQ(text, "#!/bin/sh\n"
                    "# Deletes the editor's executable once the editor has ended, then this script.\n"
                    "while kill -0 4321 2>/dev/null; do\n"
                    "    sleep 1\n"
                    "done\n"
                    "rm -f -- '/opt/it'\\''s here/verbaria'\n"
                    "rm -f -- '/opt/it'\\''s here/$uninstall.sh'\n");

    // Relative paths are made absolute, so nothing depends on the script's current folder.
    const std::string relative = UninstallScript::PosixText(u"verbaria"_s, u"../$uninstall.sh"_s, 1);
    const std::string here = QFile::encodeName(QDir::currentPath()).toStdString();
    EXPECT_NE(relative.find("rm -f -- '" + here + "/verbaria'\n"), std::string::npos);
    EXPECT_EQ(relative.find(".."), std::string::npos);
    EXPECT_EQ(relative.find("Glotrator"), std::string::npos);
}

TEST(UninstallScript, IsNotWrittenWithoutTheEditorsProcessOrWhereItCannotBe)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString script = temporary.filePath(u"$uninstall.sh"_s);
#ifndef Q_OS_WIN
    EXPECT_FALSE(UninstallScript::Write(script, temporary.filePath(u"verbaria"_s), 0));
    EXPECT_FALSE(QFile::exists(script));
#endif
    EXPECT_FALSE(UninstallScript::Write(temporary.filePath(u"chybi/$uninstall.sh"_s),
                                        temporary.filePath(u"verbaria"_s), 1234));
}

#ifndef Q_OS_WIN

TEST(DetachedProcess, RunsTheScriptAtTheLowestPriority)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString folder = AwkwardFolder(temporary);
    const QString script = folder + u"/$skript.sh"_s;
    // The script needs no executable mark.
    Write(script, "nice > \"$(dirname \"$0\")/priorita.tmp\" && mv \"$(dirname \"$0\")/priorita.tmp\" "
                  "\"$(dirname \"$0\")/priorita\"\n");

    verbaria::SystemDetachedProcess process;
    EXPECT_FALSE(process.StartScript(folder + u"/chybi.sh"_s));
    ASSERT_TRUE(process.StartScript(script));
    const QString result = folder + u"/priorita"_s;
    ASSERT_TRUE(PollUntil([&] { return QFile::exists(result); }));
    EXPECT_EQ(Read(result).trimmed(), "19");
}

TEST(UninstallScript, DeletesTheExecutableAfterTheEditorHasEndedAndThenItself)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString folder = AwkwardFolder(temporary);
    const QString executable = folder + u"/verbaria"_s;
    const QString script = folder + u"/"_s + UninstallScript::FileName();
    const QString neighbour = folder + u"/glotra.ini"_s;
    Write(executable, "not really a program");
    Write(neighbour, "[Obecne]\r\n");

    // Stands in for the editor: it lives until the test ends it.
    QProcess editor;
    editor.start(u"sleep"_s, {u"600"_s});
    ASSERT_TRUE(editor.waitForStarted());

    ASSERT_TRUE(UninstallScript::Write(script, executable, editor.processId()));
    ASSERT_TRUE(verbaria::SystemDetachedProcess().StartScript(script));

    // The script runs and waits: while the editor lives, its executable stays.
    EXPECT_TRUE(PollUntil([&] { return ScriptIsRunning(script); }));
    EXPECT_TRUE(QFile::exists(executable));
    EXPECT_TRUE(ScriptIsRunning(script));

    editor.kill();
    ASSERT_TRUE(editor.waitForFinished());
    EXPECT_TRUE(PollUntil([&] { return !QFile::exists(executable) && !QFile::exists(script); }));
    EXPECT_TRUE(QFile::exists(neighbour));
    EXPECT_TRUE(QDir(folder).exists());
}

#endif

} // namespace
