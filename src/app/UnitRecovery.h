// The editor's recovery copy: while the worksheet has unsaved changes, a
// copy of its file bytes is kept in the working folder's recovery folder,
// written at most once a minute and at once after "作成", so that a crash,
// a power cut or a killed session loses at most that minute. A save, a new
// or opened worksheet and a clean exit remove it. At start-up the copies of
// editors that no longer run are offered back one after the other.
//
// The window thread only takes a snapshot of the worksheet's data (shared,
// not copied); the file bytes are built and written on one thread of its
// own, in the order the writes and removals were asked for. It never
// writes on the worksheet's own file and never changes the document except
// when the teacher answers "はい" to restore a copy.
#pragma once

#include "platform/UnitRecoveryFiles.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

class TForm1;

inline const QString RecoveryQuestion =
    QStringLiteral("前回、保存されずに終了したプリントがあります。復元しますか？");

// The question for one left copy, its time and name on the second line.
QString RecoveryQuestionFor(const RRecoveryInfo &info);
// The name a copy gives its worksheet: its file's name, else its content
// text, else "新しいプリント".
QString RecoveryName(const QString &openedPath, const QString &naiyou);

class TRecovery : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultInterval = 60000; // milliseconds

    explicit TRecovery(TForm1 &form);
    // Waits for the write in flight, and leaves the copy on disk: only a
    // clean exit (DiscardOnExit) removes it.
    ~TRecovery() override;

    // The shortest time between two writes (tests lower it).
    void setInterval(int milliseconds) { mInterval = milliseconds; }
    int interval() const { return mInterval; }
    // This editor's copy (the worksheet bytes) and its side file.
    QString copyPath() const { return mFile.dataPath(); }
    QString infoPath() const { return mFile.infoPath(); }
    // True while a write is due.
    bool writeDue() const { return mTimer.isActive(); }

    // Writes the copy now when the worksheet has unsaved changes.
    void WriteNow();
    // Removes the copy (save, new or opened worksheet).
    void Discard();
    // The window closes after the unsaved-changes question: the copy goes,
    // and the removal is on disk before this returns.
    void DiscardOnExit();
    // Waits until every write and removal asked for so far is done.
    void WaitForDisk();

    // Start-up: for each copy whose editor no longer runs, newest first,
    // asks RecoveryQuestion. "はい" opens it as an unsaved worksheet (its
    // own file remembered for 上書き保存) and ends the questions; the older
    // copies stay for the next start. "いいえ" removes the copy. A copy that
    // another editor starting at the same time is asking about is passed over. A copy that
    // cannot be read is refused with the usual message and removed. True
    // when a copy was restored.
    bool OfferLeftCopies();
    bool restored() const { return mRestored; }

signals:
    // A write failed (the system's error text); the copy on disk, if any,
    // is the previous one.
    void writeFailed(const QString &error);

private:
    void documentChanged();
    void cleanChanged(bool clean);
    bool restore(const RRecoveryCopy &copy);
    RRecoveryInfo currentInfo() const;

    TForm1 &mForm;
    RecoveryFile mFile;
    QString mProcessStart;
    int mInterval = DefaultInterval;
    QTimer mTimer;
    QElapsedTimer mSinceWrite;
    bool mHasCopy = false;
    bool mRestored = false;
    QThreadPool mDisk;
};

// Builds the form's recovery and connects it to the document, the window
// and "作成". Start-up calls it after the other parts; calling it again
// returns the first one. Null when the working folder is unknown.
TRecovery *InstallRecovery(TForm1 &form);
