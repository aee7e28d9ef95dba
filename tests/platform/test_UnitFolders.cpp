#include "platform/UnitFolders.h"
#include <QLockFile>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(UnitFolders, CheckDirCreatesTheTreeUnderTheUsersFolders)
{
    const WorkingFolders f = CheckDir();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_EQ(f.BaseFolder, data + "/Tavenor");
    EXPECT_EQ(f.WorkFolder, data + "/Tavenor/Print");
    for (const QString &sub : {f.TmpFolder(), f.DownLoadFolder(), f.UpLoadFolder(),
                               f.PrintFileFolder(), f.UserPrintFolder})
        EXPECT_TRUE(QDir(sub).exists()) << sub.toStdString();
    EXPECT_TRUE(f.UserPrintFolder.endsWith("/Tavenor Print"));
    EXPECT_FALSE(f.WorkFolder.contains('\\'));
}

TEST(UnitFolders, ScratchFolderIsEmptiedOnlyInsideTheWorkFolder)
{
    WorkingFolders f = CheckDir();
    QFile junk(f.TmpFolder() + "/old.prx");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.close();
    QDir().mkpath(f.TmpFolder() + "/sub");
    EXPECT_TRUE(ResetTmpFolder(f));
    EXPECT_TRUE(QDir(f.TmpFolder()).exists());
    EXPECT_TRUE(QDir(f.TmpFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));

    // A broken folder set never deletes anything outside the work folder.
    QTemporaryDir outside;
    QFile keep(outside.path() + "/Tmp/keep.txt");
    QDir().mkpath(outside.path() + "/Tmp");
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    WorkingFolders bad;
    EXPECT_FALSE(ResetTmpFolder(bad)); // empty paths: "/Tmp" must not be touched
    bad.WorkFolder = "relative/Print";
    EXPECT_FALSE(ResetTmpFolder(bad));
    bad.WorkFolder = "/";
    EXPECT_FALSE(ResetTmpFolder(bad));
    EXPECT_TRUE(QFile::exists(outside.path() + "/Tmp/keep.txt"));

    EXPECT_TRUE(IsInsideFolder("/a/b/Tmp", "/a/b"));
    EXPECT_FALSE(IsInsideFolder("/a/b/../Tmp", "/a/b"));
    EXPECT_FALSE(IsInsideFolder("/a/bc/Tmp", "/a/b"));
    EXPECT_FALSE(IsInsideFolder("/a/b", "/a/b"));
}

TEST(UnitFolders, SecondInstanceMarkerDoesNotStopTheProgram)
{
    auto first = CheckWKidou();
    auto second = CheckWKidou();
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
}
