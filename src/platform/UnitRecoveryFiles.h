// The recovery copies on disk: the folder WorkFolder/Recovery
// (WorkingFolders::RecoveryFolder), where each
// running editor keeps one copy of its unsaved worksheet (the file bytes)
// with a small side file that says whose it is (process id and start),
// which file it came from, the worksheet's name and when it was written.
// The app's autosave writes and removes its own copy through this unit;
// start-up lists the copies whose editor no longer runs. It knows nothing
// of the worksheet format, never touches a file outside the recovery folder
// and never shows a window.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// Who wrote a copy, and what it is a copy of.
struct RRecoveryInfo {
    qint64 pid = 0;
    // Marks the process beyond its id (the boot and the moment it started),
    // so that a later process that got the same id is not taken for it.
    QString processStart;
    // The worksheet's own file, which 上書き保存 may replace (may be empty).
    QString saveOverPath;
    // The file the worksheet was opened from or last saved to (may be empty).
    QString openedPath;
    // The worksheet's name as the start-up question shows it.
    QString name;
    QDateTime written;
};

// A copy found in the recovery folder.
struct RRecoveryCopy {
    QString dataPath; // the worksheet bytes (may be missing on disk)
    QString infoPath; // the side file (may be missing or damaged)
    RRecoveryInfo info;
};

// The marker of this process as RRecoveryInfo::processStart holds it.
QString CurrentProcessStart();

// True while the process `pid` runs and, when `processStart` is known, is
// still the process that wrote it (not a later one given the same id).
bool ProcessRuns(qint64 pid, const QString &processStart);

// One editor's copy: its two files, named after the process id, the moment
// the editor started and a number that tells apart several editors of one
// process. Thread-safe for one caller at a time: the autosave calls it from
// its one writing thread.
class RecoveryFile
{
public:
    explicit RecoveryFile(const QString &folder);

    QString dataPath() const { return mDataPath; }
    QString infoPath() const { return mInfoPath; }
    // Writes the bytes, then the side file, each atomically: a copy on disk
    // is always whole. Empty bytes are refused. On failure returns the
    // system's error text and leaves the previous copy as it was.
    QString write(const QByteArray &bytes, const RRecoveryInfo &info) const;
    // Removes both files (the bytes first, so a half-removed copy is only a
    // side file without bytes).
    void remove() const;

private:
    QString mFolder;
    QString mDataPath;
    QString mInfoPath;
};

// Reads every copy in `folder`, whoever wrote it. Files that do not look like
// copies are left out (and never removed by anything here).
QList<RRecoveryCopy> ListRecoveryCopies(const QString &folder);
// The copies whose process no longer runs, newest first.
QList<RRecoveryCopy> LeftRecoveryCopies(const QString &folder);
// Removes a copy's two files.
void RemoveRecoveryCopy(const RRecoveryCopy &copy);
