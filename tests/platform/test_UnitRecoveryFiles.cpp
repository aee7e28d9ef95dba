// The recovery copies on disk: names that keep editors apart, whole writes,
// the side file read back, and which copies count as left by an editor that
// no longer runs.
#include "platform/UnitRecoveryFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// The id of a process that has ended and been reaped.
qint64 endedPid()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    if (!p.waitForStarted())
        return 0;
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

RRecoveryInfo infoNamed(const QString &name, const QDateTime &written)
{
    RRecoveryInfo info;
    info.pid = QCoreApplication::applicationPid();
    info.processStart = CurrentProcessStart();
    info.saveOverPath = QStringLiteral("/home/先生/たしざん.prx");
    info.openedPath = info.saveOverPath;
    info.name = name;
    info.written = written;
    return info;
}

} // namespace

TEST(RecoveryFiles, ProcessesAreToldApartByIdAndStart)
{
    const qint64 self = QCoreApplication::applicationPid();
    EXPECT_TRUE(ProcessRuns(self, CurrentProcessStart()));
    EXPECT_TRUE(ProcessRuns(self, QString()));
    const qint64 ended = endedPid();
    ASSERT_GT(ended, 0);
    EXPECT_FALSE(ProcessRuns(ended, QString()));
    // Ids that would name process groups or lie outside the system's range.
    EXPECT_FALSE(ProcessRuns(0, QString()));
    EXPECT_FALSE(ProcessRuns(-1, QString()));
    EXPECT_FALSE(ProcessRuns(qint64(1) << 40, QString()));
#if defined(Q_OS_LINUX)
    // After a restart the id may belong to another process (even this one).
    ASSERT_FALSE(CurrentProcessStart().isEmpty());
    EXPECT_FALSE(ProcessRuns(self, QStringLiteral("another-boot:12345")));
#endif
}

TEST(RecoveryFiles, EachEditorWritesWholeCopiesOfItsOwn)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Recovery")); // made on first write
    const RecoveryFile a(folder);
    const RecoveryFile b(folder);
    EXPECT_NE(a.dataPath(), b.dataPath());
    EXPECT_NE(a.infoPath(), b.infoPath());
    EXPECT_TRUE(a.dataPath().startsWith(folder + QLatin1Char('/')));
    EXPECT_TRUE(
        QFileInfo(a.dataPath())
            .fileName()
            .startsWith(QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-')));

    const QDateTime when = QDateTime::currentDateTime().addSecs(-30);
    const QByteArray bytes("worksheet\0bytes\r\n", 17);
    ASSERT_EQ(a.write(bytes, infoNamed(QStringLiteral("たしざん.prx"), when)), QString());
    ASSERT_EQ(b.write(QByteArray("other"), infoNamed(QStringLiteral("b"), when)), QString());
    EXPECT_EQ(readAll(a.dataPath()), bytes);

    const QList<RRecoveryCopy> copies = ListRecoveryCopies(folder);
    ASSERT_EQ(copies.size(), 2);
    const RRecoveryCopy &c = copies[0].dataPath == a.dataPath() ? copies[0] : copies[1];
    EXPECT_EQ(c.infoPath, a.infoPath());
    EXPECT_EQ(c.info.pid, QCoreApplication::applicationPid());
    EXPECT_EQ(c.info.processStart, CurrentProcessStart());
    EXPECT_EQ(c.info.saveOverPath, QStringLiteral("/home/先生/たしざん.prx"));
    EXPECT_EQ(c.info.name, QStringLiteral("たしざん.prx"));
    EXPECT_EQ(c.info.written.toMSecsSinceEpoch(), when.toMSecsSinceEpoch());
    // Both belong to this running process: none is left over.
    EXPECT_TRUE(LeftRecoveryCopies(folder).isEmpty());

    // Nothing to write keeps the copy that is there.
    EXPECT_NE(a.write(QByteArray(), infoNamed(QStringLiteral("x"), when)), QString());
    EXPECT_EQ(readAll(a.dataPath()), bytes);

    a.remove();
    EXPECT_FALSE(QFileInfo::exists(a.dataPath()));
    EXPECT_FALSE(QFileInfo::exists(a.infoPath()));
    EXPECT_TRUE(QFileInfo::exists(b.dataPath()));

    // A recovery folder that cannot be made is an error, not a crash.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(writeFile(blocked, "a file, not a folder"));
    EXPECT_NE(RecoveryFile(blocked).write(bytes, infoNamed(QStringLiteral("x"), when)), QString());
    EXPECT_NE(RecoveryFile(QString()).write(bytes, infoNamed(QStringLiteral("x"), when)),
              QString());
}

TEST(RecoveryFiles, LeftCopiesAreThoseOfEndedEditorsNewestFirst)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const qint64 ended = endedPid();
    ASSERT_GT(ended, 0);
    const QString older = QStringLiteral("%1-20261210100000000-1").arg(ended);
    const QString newer = QStringLiteral("%1-20261210110000000-2").arg(ended);
    const QString live =
        QStringLiteral("%1-20261210110000000-1").arg(QCoreApplication::applicationPid());
    for (const QString &base : {older, newer, live})
        ASSERT_TRUE(writeFile(folder + "/" + base + ".prx", "bytes"));
    ASSERT_TRUE(writeFile(folder + "/" + older + ".json",
                          R"({"name":"古い","written":"2026-12-10T10:00:00.000"})"));
    ASSERT_TRUE(writeFile(folder + "/" + newer + ".json",
                          R"({"name":"新しい","written":"2026-12-10T11:02:00.000"})"));
    // Not copies: never listed, never removed.
    ASSERT_TRUE(writeFile(folder + "/notes.txt", "x"));
    ASSERT_TRUE(writeFile(folder + "/123.prx", "x"));
    ASSERT_TRUE(writeFile(folder + "/12-2026121011000000-1.prx", "x"));

    QList<RRecoveryCopy> left = LeftRecoveryCopies(folder);
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[0].info.name, QStringLiteral("新しい"));
    EXPECT_EQ(left[0].info.written, QDateTime(QDate(2026, 12, 10), QTime(11, 2)));
    EXPECT_EQ(left[1].info.name, QStringLiteral("古い"));
    EXPECT_EQ(left[0].info.pid, ended);

    // A damaged side file: the id in the name still says whose it is.
    ASSERT_TRUE(writeFile(folder + "/" + newer + ".json", "{\"name\": \xff\xfe"));
    left = LeftRecoveryCopies(folder);
    ASSERT_EQ(left.size(), 2);
    const RRecoveryCopy damaged = left[0].dataPath.contains(newer) ? left[0] : left[1];
    EXPECT_EQ(damaged.info.pid, ended);
    EXPECT_TRUE(damaged.info.name.isEmpty());
    EXPECT_TRUE(damaged.info.written.isValid()); // the copy's own time

    RemoveRecoveryCopy(damaged);
    EXPECT_FALSE(QFileInfo::exists(folder + "/" + newer + ".prx"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/" + newer + ".json"));
    EXPECT_EQ(LeftRecoveryCopies(folder).size(), 1);
    for (const char *kept : {"notes.txt", "123.prx", "12-2026121011000000-1.prx"})
        EXPECT_TRUE(QFileInfo::exists(folder + "/" + kept)) << kept;
    EXPECT_TRUE(QFileInfo::exists(folder + "/" + live + ".prx"));
    EXPECT_TRUE(ListRecoveryCopies(dir.filePath("missing")).isEmpty());
}
