#include "platform/SystemFolderListing.h"
#include "platform/SystemProgramIcon.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;
using verbaria::FolderEntry;

namespace {

void Touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(ProgramIcon, ExistingProgramHasALargeIconAndNothingElseHasOne)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString program = temporary.filePath(u"program"_s);
    Touch(program);

    verbaria::SystemProgramIcon icons;
    const QIcon icon = icons.IconOf(program);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
    EXPECT_TRUE(icons.IconOf(QString()).isNull());
    EXPECT_TRUE(icons.IconOf(temporary.filePath(u"chybi"_s)).isNull());
}

TEST(FolderListing, ListsEveryEntryWithItsMarksWithoutEnteringSubfolders)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    QDir folder(temporary.path());
    Touch(folder.filePath(u"czech.lng"_s));
    Touch(folder.filePath(u"Anglictina.LNG"_s));
    Touch(folder.filePath(u".skryty"_s));
    ASSERT_TRUE(folder.mkdir(u"podslozka"_s));
    Touch(folder.filePath(u"podslozka/uvnitr.lng"_s));
#ifndef Q_OS_WIN
    ASSERT_EQ(::symlink("nikam", QFile::encodeName(folder.filePath(u"zlomeny odkaz"_s)).constData()), 0);
#endif

    const std::vector<FolderEntry> entries = verbaria::SystemFolderListing().List(folder.path());
    std::vector<FolderEntry> expected{
        {u".skryty"_s, false, true, true},
        {u"Anglictina.LNG"_s, false, true, false},
        {u"czech.lng"_s, false, true, false},
        {u"podslozka"_s, true, false, false},
    };
#ifndef Q_OS_WIN
    expected.push_back({u"zlomeny odkaz"_s, false, false, false});
#endif
    EXPECT_EQ(entries, expected);
}

TEST(FolderListing, MissingFolderGivesNothing)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    EXPECT_TRUE(verbaria::SystemFolderListing().List(temporary.filePath(u"jazyky"_s)).empty());
    Touch(temporary.filePath(u"soubor"_s));
    EXPECT_TRUE(verbaria::SystemFolderListing().List(temporary.filePath(u"soubor"_s)).empty());
}

} // namespace
