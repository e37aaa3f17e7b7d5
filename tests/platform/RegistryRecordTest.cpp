#include "platform/SystemRegistryRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using verbaria::SystemRegistryRecord;

namespace {

QString StoredPath(const QString &file)
{
    return QSettings(file, QSettings::IniFormat).value(u"Path"_s).toString();
}

TEST(RegistryRecord, OutsideWindowsLivesInTheSystemConfigurationFolder)
{
    // Only the location is asked for; nothing is written there.
    const QString location = SystemRegistryRecord().Location();
#ifndef Q_OS_WIN
    EXPECT_TRUE(location.endsWith(u"/Quorvel/Glotra.conf"_s)) << location.toStdString();
    EXPECT_FALSE(location.startsWith(QDir::homePath())) << location.toStdString();
#endif
}

TEST(RegistryRecord, WritesThePathAndDeletesTheKeyButNotTheOneAbove)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString keyAbove = temporary.filePath(u"Quorvel"_s);
    const QString key = keyAbove + u"/Glotra.conf"_s;
    SystemRegistryRecord record(key);

    EXPECT_TRUE(record.Write(u"/opt/Verbaria 1.1/"_s));
    EXPECT_EQ(StoredPath(key), u"/opt/Verbaria 1.1/"_s);
    // Written again at the next start, with another folder.
    EXPECT_TRUE(record.Write(u"/home/jana/Překlady/"_s));
    EXPECT_EQ(StoredPath(key), u"/home/jana/Překlady/"_s);

    QFile sibling(keyAbove + u"/Jiny.conf"_s);
    ASSERT_TRUE(sibling.open(QIODevice::WriteOnly));
    sibling.close();

    EXPECT_TRUE(record.Delete());
    EXPECT_FALSE(QFileInfo::exists(key));
    EXPECT_TRUE(QFileInfo(keyAbove).isDir());
    EXPECT_TRUE(sibling.exists());
    // A key that is already gone counts as deleted.
    EXPECT_TRUE(record.Delete());

    // A new start after the uninstall holds only the new value.
    EXPECT_TRUE(record.Write(u"/srv/"_s));
    EXPECT_EQ(QSettings(key, QSettings::IniFormat).allKeys(), QStringList{u"Path"_s});
}

TEST(RegistryRecord, FailureIsReportedOnlyByTheResult)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    // A file where the key's folder should be: no rights can make that writable, not even root's.
    QFile blocker(temporary.filePath(u"Quorvel"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SystemRegistryRecord record(temporary.filePath(u"Quorvel/Glotra.conf"_s));

    EXPECT_FALSE(record.Write(u"/opt/verbaria/"_s));
    EXPECT_TRUE(record.Delete());
    EXPECT_TRUE(QFileInfo(blocker.fileName()).isFile());
}

} // namespace
