#include "app/UnitRecovery.h"

#include "app/Unit1.h"
#include "app/UnitRandomBar.h"
#include "document/UnitFile.h"
#include "platform/UnitMessages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>
#include <QUndoStack>
#include <algorithm>

namespace
{

// What the writing thread needs: the worksheet's data as it stood (its
// tables are shared with the document until the document changes them),
// the page count and the side file's words.
struct RecoverySnapshot {
    RDocumentData data;
    Integer pageCount = 1;
    RRecoveryInfo info;
};

// The file bytes of a snapshot, built as a save would build them.
QByteArray snapshotBytes(const RecoverySnapshot &snapshot)
{
    Document doc;
    static_cast<RDocumentData &>(doc) = snapshot.data;
    // The flag copied with the data points at the window's history; this
    // copy has its own.
    doc.FileData.HensyuB.follow(&doc.undoStack());
    return BuildFileBytes(doc, LayerWorksheet, snapshot.pageCount);
}

} // namespace

QString RecoveryName(const QString &openedPath, const QString &naiyou)
{
    if (!openedPath.isEmpty())
        return QFileInfo(openedPath).fileName();
    if (!naiyou.trimmed().isEmpty())
        return naiyou.trimmed();
    return QStringLiteral("新しいプリント");
}

QString RecoveryQuestionFor(const RRecoveryInfo &info)
{
    QString line = info.written.isValid()
                       ? info.written.toLocalTime().toString(QStringLiteral("yyyy/MM/dd hh:mm"))
                       : QString();
    const QString name = info.name.isEmpty() ? RecoveryName(info.openedPath, QString()) : info.name;
    if (!line.isEmpty())
        line += QStringLiteral("　");
    line += name;
    return RecoveryQuestion + QStringLiteral("\r\n") + line;
}

TRecovery::TRecovery(TForm1 &form)
    : mForm(form), mFile(form.folders().RecoveryFolder()), mProcessStart(CurrentProcessStart())
{
    // One thread: writes and removals reach the disk in the order asked.
    mDisk.setMaxThreadCount(1);
    mTimer.setSingleShot(true);
    connect(&mTimer, &QTimer::timeout, this, [this] {
        if (mForm.doc().isModified())
            WriteNow();
        else
            Discard();
    });
    // The stack announces a step after it has moved its index, so the
    // worksheet's unsaved state is known then (a command's own change
    // signal comes before).
    QUndoStack &stack = form.doc().undoStack();
    connect(&stack, &QUndoStack::indexChanged, this, &TRecovery::documentChanged);
    connect(&stack, &QUndoStack::cleanChanged, this, &TRecovery::cleanChanged);
}

TRecovery::~TRecovery()
{
    mTimer.stop();
    mDisk.waitForDone();
}

void TRecovery::documentChanged()
{
    if (!mForm.doc().isModified() || mTimer.isActive())
        return;
    // The first change after a write waits for the rest of the interval;
    // the changes that follow it ride on the same write.
    const qint64 wait = mSinceWrite.isValid()
                            ? std::max<qint64>(0, mInterval - mSinceWrite.elapsed())
                            : qint64(mInterval);
    mTimer.start(int(std::min<qint64>(wait, mInterval)));
}

void TRecovery::cleanChanged(bool clean)
{
    // Saved, or undone back to the saved state: nothing left to lose.
    if (clean)
        Discard();
}

RRecoveryInfo TRecovery::currentInfo() const
{
    TForm1 &form = mForm;
    const FileCommands &files = form.fileCommands();
    RRecoveryInfo info;
    info.pid = QCoreApplication::applicationPid();
    info.processStart = mProcessStart;
    info.saveOverPath = files.SaveOverFileName;
    info.openedPath = files.OpenFileName;
    info.name = RecoveryName(files.OpenFileName, form.doc().Naiyou);
    info.written = QDateTime::currentDateTime();
    return info;
}

void TRecovery::WriteNow()
{
    mTimer.stop();
    if (!mForm.doc().isModified())
        return;
    auto snapshot = std::make_shared<RecoverySnapshot>();
    snapshot->data = mForm.doc();
    snapshot->pageCount = std::max(1, mForm.pageCount());
    snapshot->info = currentInfo();
    mSinceWrite.start();
    mHasCopy = true;
    const RecoveryFile file = mFile;
    mDisk.start([this, file, snapshot] {
        const QString error = file.write(snapshotBytes(*snapshot), snapshot->info);
        if (!error.isEmpty()) {
            // Told on the window's thread; dropped if the window has gone.
            QMetaObject::invokeMethod(
                this, [this, error] { emit writeFailed(error); }, Qt::QueuedConnection);
        }
    });
}

void TRecovery::Discard()
{
    mTimer.stop();
    mSinceWrite.invalidate();
    if (!mHasCopy)
        return;
    mHasCopy = false;
    const RecoveryFile file = mFile;
    mDisk.start([file] { file.remove(); });
}

void TRecovery::DiscardOnExit()
{
    Discard();
    WaitForDisk();
}

void TRecovery::WaitForDisk()
{
    mDisk.waitForDone();
}

bool TRecovery::restore(const RRecoveryCopy &copy)
{
    FileCommands &files = mForm.fileCommands();
    // The usual read: a damaged copy is refused with the usual message and
    // the open worksheet stays as it was.
    if (!files.FileLoad(copy.dataPath))
        return false;
    const RRecoveryInfo &info = copy.info;
    files.OpenFileName = info.openedPath;
    files.SaveOverFileName = info.saveOverPath;
    const QString own = !info.saveOverPath.isEmpty() ? info.saveOverPath : info.openedPath;
    if (!own.isEmpty()) {
        const QFileInfo f(own);
        files.SaveDialog.initialFolder = f.absolutePath();
        files.SaveDialog.fileName = f.fileName();
    }
    // Unsaved: closing asks, and the flag stays up until a save.
    mForm.doc().undoStack().resetClean();
    // The worksheet is safe in this editor's own copy before the old one goes.
    WriteNow();
    WaitForDisk();
    return true;
}

bool TRecovery::OfferLeftCopies()
{
    for (const RRecoveryCopy &copy : LeftRecoveryCopies(mForm.folders().RecoveryFolder())) {
        if (!QFileInfo::exists(copy.dataPath)) {
            // A side file whose copy never got written holds nothing.
            RemoveRecoveryCopy(copy);
            continue;
        }
        // Two editors started together must not both take one copy: the
        // one that holds its claim asks; a claim whose editor has gone is
        // taken over.
        QLockFile claim(copy.dataPath + QStringLiteral(".lock"));
        claim.setStaleLockTime(0);
        if (!claim.tryLock(0))
            continue;
        if (AskYesNo(RecoveryQuestionFor(copy.info)) != MsgAnswer::Yes) {
            RemoveRecoveryCopy(copy);
            continue;
        }
        const bool ok = restore(copy);
        RemoveRecoveryCopy(copy);
        if (ok) {
            mRestored = true;
            return true;
        }
    }
    return false;
}

TRecovery *InstallRecovery(TForm1 &form)
{
    if (form.recovery())
        return form.recovery();
    if (form.folders().WorkFolder.isEmpty())
        return nullptr;
    auto recovery = std::make_unique<TRecovery>(form);
    TRecovery *r = recovery.get();
    if (TRandomBar *bar = form.randomBar())
        QObject::connect(bar, &TRandomBar::regenerated, r, &TRecovery::WriteNow);
    QObject::connect(&form, &TForm1::worksheetReplaced, r, &TRecovery::Discard);
    form.setRecovery(std::move(recovery));
    return r;
}
