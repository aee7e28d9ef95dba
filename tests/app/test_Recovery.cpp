// The recovery copy of the unsaved worksheet: written while the worksheet
// has unsaved changes (after the interval, at once after "作成"), removed by
// a save, a new or opened worksheet and a clean exit, and offered back at
// start-up when the editor that wrote it no longer runs.
#include "app/Unit1.h"
#include "app/UnitRandomBar.h"
#include "app/UnitRecovery.h"
#include "app/UnitStartup.h"
#include "document/UnitFile.h"
#include "document/UnitHeaderCommands.h"
#include "platform/UnitMessages.h"
#include "support/BoxRow.h"
#include "support/FakePrinter.h"
#include "support/RecordedEdit.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

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

bool closes(TForm1 &form)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(&form, &close);
    return close.isAccepted();
}

void addBox(Document &doc, int x)
{
    PushEdit(doc, QStringLiteral("box"), [&doc, x] { AddBoxRow(doc, x, 300, 150, 120); });
}

// The editor as start-up builds it, with scripted dialogs and messages and
// a short interval between writes.
struct Editor {
    FakeA4 fake;
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    TForm1 form;
    TRecovery *recovery = nullptr;

    explicit Editor(int interval = 10)
    {
        StartEditor(form, QString());
        form.setFileDialogs(&dialogs);
        recovery = form.recovery();
        if (recovery)
            recovery->setInterval(interval);
    }
    ~Editor() { form.setFileDialogs(nullptr); }

    QByteArray bytes() { return BuildFileBytes(form.doc(), LayerWorksheet, form.pageCount()); }
    // Lets the due write happen and waits until it is on disk.
    bool waitForCopy()
    {
        const bool written = QTest::qWaitFor([this] { return !recovery->writeDue(); }, 5000);
        recovery->WaitForDisk();
        return written && QFileInfo::exists(recovery->copyPath());
    }
    bool copyOnDisk()
    {
        recovery->WaitForDisk();
        return QFileInfo::exists(recovery->copyPath()) || QFileInfo::exists(recovery->infoPath());
    }
};

// The editor's own copy, renamed as if the editor that wrote it had ended.
RRecoveryCopy leaveAsEnded(const TRecovery &recovery, qint64 pid)
{
    const QString folder = QFileInfo(recovery.copyPath()).absolutePath();
    const QString base = folder + QStringLiteral("/%1-20261210110200000-1").arg(pid);
    RRecoveryCopy c;
    c.dataPath = base + QStringLiteral(".prx");
    c.infoPath = base + QStringLiteral(".json");
    QFile::remove(c.dataPath);
    QFile::remove(c.infoPath);
    QFile::copy(recovery.copyPath(), c.dataPath);
    QFile::copy(recovery.infoPath(), c.infoPath);
    return c;
}

void emptyRecoveryFolder(const TForm1 &form)
{
    QDir(form.folders().RecoveryFolder()).removeRecursively();
    QDir().mkpath(form.folders().RecoveryFolder());
}

} // namespace

TEST(Recovery, TheCopyIsWrittenWhileUnsavedAndHoldsTheFileBytes)
{
    Editor e;
    ASSERT_NE(e.recovery, nullptr);
    EXPECT_TRUE(e.recovery->copyPath().startsWith(e.form.folders().RecoveryFolder() + "/"));
    // A clean worksheet has nothing to lose: no write is due, none is made.
    e.recovery->WriteNow();
    EXPECT_FALSE(e.recovery->writeDue());
    EXPECT_FALSE(e.copyOnDisk());

    addBox(e.form.doc(), 100);
    e.form.doc().Naiyou = QStringLiteral("たし算のれんしゅう");
    EXPECT_TRUE(e.recovery->writeDue());
    ASSERT_TRUE(e.waitForCopy());
    EXPECT_EQ(readAll(e.recovery->copyPath()), e.bytes());
    const QList<RRecoveryCopy> copies = ListRecoveryCopies(e.form.folders().RecoveryFolder());
    const auto own = std::find_if(copies.begin(), copies.end(), [&](const RRecoveryCopy &c) {
        return c.dataPath == e.recovery->copyPath();
    });
    ASSERT_NE(own, copies.end());
    EXPECT_EQ(own->info.name, QStringLiteral("たし算のれんしゅう"));
    EXPECT_EQ(own->info.pid, QCoreApplication::applicationPid());

    // Later changes are written again, with the bytes as they are now.
    e.form.doc().push(std::make_unique<ChangeAnswerColorCommand>(e.form.doc(), 0xFF0000));
    ASSERT_TRUE(e.waitForCopy());
    EXPECT_EQ(readAll(e.recovery->copyPath()), e.bytes());

    // Undone back to the state it started in: the copy goes.
    e.form.doc().undoStack().undo();
    e.form.doc().undoStack().undo();
    EXPECT_FALSE(e.form.doc().isModified());
    EXPECT_FALSE(e.copyOnDisk());
    e.form.doc().undoStack().redo();
    ASSERT_TRUE(e.waitForCopy());
    EXPECT_EQ(readAll(e.recovery->copyPath()), e.bytes());
    e.recovery->DiscardOnExit();
}

TEST(Recovery, MakeWritesAtOnceAndTheIntervalHoldsOtherwise)
{
    Editor e(TRecovery::DefaultInterval);
    ASSERT_NE(e.form.randomBar(), nullptr);
    RAData r;
    r.ID = 1;
    r.Syu = QStringLiteral("5");
    r.Rand = 1;
    r.Layer = 1;
    r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    r.FontSize = 20;
    r.X1 = 40;
    r.Y1 = 40;
    r.Width = 300;
    r.Height = 40;
    r.RandX1 = r.RandY1 = QStringLiteral("2");
    r.RandX2 = r.RandY2 = QStringLiteral("30");
    PushEdit(e.form.doc(), QStringLiteral("row"), [&] { e.form.doc().AData.append(r); });
    // A minute has not passed: the change waits.
    EXPECT_TRUE(e.recovery->writeDue());
    EXPECT_FALSE(e.copyOnDisk());
    e.form.randomBar()->SpeedButton24->click();
    e.recovery->WaitForDisk();
    ASSERT_TRUE(QFileInfo::exists(e.recovery->copyPath()));
    EXPECT_EQ(readAll(e.recovery->copyPath()), e.bytes());
    EXPECT_FALSE(e.recovery->writeDue());
    e.recovery->DiscardOnExit();
}

TEST(Recovery, SavingReplacingOrClosingRemovesTheCopy)
{
    QTemporaryDir dir;
    Editor e;
    const QString path = dir.filePath("たしざん.prx");

    // 名前をつけて保存, then 上書き保存.
    addBox(e.form.doc(), 100);
    ASSERT_TRUE(e.waitForCopy());
    e.dialogs.answers.push_back(path);
    e.form.ActionSaveAs->trigger();
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(e.copyOnDisk());
    addBox(e.form.doc(), 200);
    ASSERT_TRUE(e.waitForCopy());
    e.form.ActionSave->trigger();
    EXPECT_FALSE(e.copyOnDisk());
    EXPECT_NE(readAll(path), QByteArray());
    EXPECT_EQ(readAll(path), e.bytes());
    // A copy is never written over the worksheet's own file.
    EXPECT_NE(QFileInfo(e.recovery->copyPath()).absolutePath(), dir.path());

    // 新規作成, letting the changes go.
    addBox(e.form.doc(), 300);
    ASSERT_TRUE(e.waitForCopy());
    e.messages.answers.push_back(MsgAnswer::No);
    e.form.ActionNew->trigger();
    EXPECT_FALSE(e.copyOnDisk());

    // 開く another worksheet.
    addBox(e.form.doc(), 300);
    ASSERT_TRUE(e.waitForCopy());
    e.messages.answers.push_back(MsgAnswer::No);
    e.dialogs.answers.push_back(path);
    e.form.ActionOpen->trigger();
    EXPECT_EQ(e.form.doc().AData.size(), 2);
    EXPECT_FALSE(e.copyOnDisk());

    // Opened by name, as the navigator and the cloud download open.
    addBox(e.form.doc(), 350);
    ASSERT_TRUE(e.waitForCopy());
    ASSERT_TRUE(e.form.fileCommands().FileLoad(path));
    EXPECT_FALSE(e.copyOnDisk());

    // A close that is cancelled keeps it; a clean exit removes it.
    addBox(e.form.doc(), 400);
    ASSERT_TRUE(e.waitForCopy());
    e.messages.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(closes(e.form));
    EXPECT_TRUE(e.copyOnDisk());
    e.messages.answers.push_back(MsgAnswer::No);
    EXPECT_TRUE(closes(e.form));
    EXPECT_FALSE(e.copyOnDisk());
}

TEST(Recovery, AFailedWriteIsToldAndKeepsTheWorksheet)
{
    Editor e;
    const QString folder = e.form.folders().RecoveryFolder();
    // The recovery folder has become a file: no copy can be written there.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(writeFile(folder, "not a folder"));
    QSignalSpy failed(e.recovery, &TRecovery::writeFailed);
    addBox(e.form.doc(), 100);
    e.waitForCopy();
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed.count() == 1; }, 5000));
    EXPECT_FALSE(failed.at(0).at(0).toString().isEmpty());
    EXPECT_TRUE(e.form.statusBar()->currentMessage().startsWith(
        QStringLiteral("復元用の控えを書き込めませんでした")));
    EXPECT_EQ(e.form.doc().AData.size(), 1);
    EXPECT_TRUE(e.form.doc().isModified());
    QFile::remove(folder);
    QDir().mkpath(folder);
}

TEST(Recovery, ACopyLeftByAnEndedEditorIsOfferedAndRestoredUnsaved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("たしざん.prx");
    QByteArray before;
    RRecoveryCopy left;
    RPaperData paper;
    {
        Editor crashed;
        emptyRecoveryFolder(crashed.form);
        // The worksheet of its own file, then edited without a save.
        addBox(crashed.form.doc(), 100);
        crashed.dialogs.answers.push_back(path);
        crashed.form.ActionSaveAs->trigger();
        const QByteArray saved = readAll(path);
        ASSERT_FALSE(saved.isEmpty());
        addBox(crashed.form.doc(), 250);
        paper = crashed.form.doc().Paper;
        paper.PaperSizeCode = QStringLiteral("13"); // B5
        paper.Width = QStringLiteral("182");
        paper.Height = QStringLiteral("257");
        paper.PaperW = 1820000;
        paper.PaperH = 2570000;
        crashed.form.doc().push(std::make_unique<ChangePaperCommand>(crashed.form.doc(), paper));
        crashed.form.doc().push(
            std::make_unique<ChangeAnswerColorCommand>(crashed.form.doc(), 0x00FF00));
        ASSERT_TRUE(crashed.waitForCopy());
        before = crashed.bytes();
        left = leaveAsEnded(*crashed.recovery, endedPid());
        crashed.recovery->DiscardOnExit();
        EXPECT_EQ(readAll(path), saved);
    }
    ASSERT_EQ(readAll(left.dataPath), before);

    Editor next;
    next.messages.answers.push_back(MsgAnswer::Yes);
    EXPECT_TRUE(next.recovery->OfferLeftCopies());
    EXPECT_TRUE(next.recovery->restored());
    ASSERT_EQ(next.messages.texts.size(), 1);
    const QStringList lines = next.messages.texts[0].split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], RecoveryQuestion);
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("　たしざん.prx"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QDate::currentDate().toString("yyyy/MM/dd ")));

    Document &doc = next.form.doc();
    ASSERT_EQ(doc.AData.size(), 2);
    EXPECT_EQ(doc.AData[1].X1, 250);
    EXPECT_EQ(doc.Paper.PaperSizeCode, QStringLiteral("13"));
    EXPECT_EQ(doc.Paper.PaperW, 1820000);
    EXPECT_EQ(doc.AnswerColor, TColor(0x00FF00));
    EXPECT_TRUE(doc.FileData.HensyuB);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(next.form.fileCommands().SaveOverFileName, QFileInfo(path).absoluteFilePath());
    // The left copy has gone; the worksheet is safe in this editor's copy.
    EXPECT_FALSE(QFileInfo::exists(left.dataPath));
    EXPECT_FALSE(QFileInfo::exists(left.infoPath));
    EXPECT_EQ(readAll(next.recovery->copyPath()), next.bytes());

    // Closing asks to save; 上書き保存 writes the original file, no dialog.
    next.messages.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(closes(next.form));
    EXPECT_EQ(next.messages.texts.last(), QStringLiteral("変更内容を保存しますか？"));
    next.form.ActionSave->trigger();
    EXPECT_TRUE(next.dialogs.calls.isEmpty());
    // What was on screen before, as a read gives it (a read numbers the
    // objects afresh).
    Document reread;
    ASSERT_TRUE(ParseFileAll(before, reread).ok);
    EXPECT_EQ(readAll(path), BuildFileBytes(reread, LayerWorksheet, 1));
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(next.copyOnDisk());
}

TEST(Recovery, NoRemovesLiveCopiesStayDamagedCopiesAreRefused)
{
    QTemporaryDir dir;
    Editor e;
    emptyRecoveryFolder(e.form);
    addBox(e.form.doc(), 100);
    ASSERT_TRUE(e.waitForCopy());
    const QByteArray own = readAll(e.recovery->copyPath());

    // Another editor that still runs (without a start mark in its side
    // file), and this editor's own copy: neither is asked about.
    QProcess other;
    other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(other.waitForStarted());
    const QString folder = e.form.folders().RecoveryFolder();
    const QString running =
        folder + QStringLiteral("/%1-20261210110200000-1").arg(other.processId());
    ASSERT_TRUE(writeFile(running + ".prx", own));
    ASSERT_TRUE(writeFile(running + ".json", R"({"name":"動いている"})"));

    // Answered いいえ: removed.
    const RRecoveryCopy declined = leaveAsEnded(*e.recovery, endedPid());
    e.messages.answers.push_back(MsgAnswer::No);
    EXPECT_FALSE(e.recovery->OfferLeftCopies());
    EXPECT_EQ(e.messages.texts.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(declined.dataPath));
    EXPECT_FALSE(QFileInfo::exists(declined.infoPath));
    EXPECT_EQ(readAll(running + ".prx"), own);
    EXPECT_TRUE(QFileInfo::exists(running + ".json"));
    EXPECT_EQ(readAll(e.recovery->copyPath()), own);

    // Another editor starting at the same moment is asking about this one.
    const RRecoveryCopy claimed = leaveAsEnded(*e.recovery, endedPid());
    {
        QLockFile claim(claimed.dataPath + ".lock");
        ASSERT_TRUE(claim.tryLock(0));
        e.messages.texts.clear();
        EXPECT_FALSE(e.recovery->OfferLeftCopies());
        EXPECT_TRUE(e.messages.texts.isEmpty());
        EXPECT_EQ(readAll(claimed.dataPath), own);
    }
    // Its claim gone, the copy is asked about again.
    e.messages.answers.push_back(MsgAnswer::No);
    EXPECT_FALSE(e.recovery->OfferLeftCopies());
    EXPECT_EQ(e.messages.texts.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(claimed.dataPath));
    EXPECT_FALSE(QFileInfo::exists(claimed.dataPath + ".lock"));

    // A damaged copy: the usual refusal, then it goes; the open worksheet
    // and every other copy stay.
    const RRecoveryCopy damaged = leaveAsEnded(*e.recovery, endedPid());
    QByteArray broken = own.left(own.size() / 2);
    ASSERT_TRUE(writeFile(damaged.dataPath, broken));
    e.messages.texts.clear();
    e.messages.answers.push_back(MsgAnswer::Yes);
    EXPECT_FALSE(e.recovery->OfferLeftCopies());
    ASSERT_EQ(e.messages.texts.size(), 2);
    EXPECT_TRUE(e.messages.texts[0].startsWith(RecoveryQuestion));
    EXPECT_EQ(e.messages.texts[1], CorruptFileMessage());
    EXPECT_FALSE(QFileInfo::exists(damaged.dataPath));
    EXPECT_FALSE(QFileInfo::exists(damaged.infoPath));
    EXPECT_EQ(e.form.doc().AData.size(), 1);
    EXPECT_TRUE(e.form.doc().isModified());
    EXPECT_EQ(readAll(running + ".prx"), own);
    EXPECT_EQ(readAll(e.recovery->copyPath()), own);

    // A side file whose bytes never got written holds nothing: it goes
    // without a question.
    const QString orphan = folder + QStringLiteral("/%1-20261210110200000-3").arg(endedPid());
    ASSERT_TRUE(writeFile(orphan + ".json", R"({"name":"x"})"));
    e.messages.texts.clear();
    EXPECT_FALSE(e.recovery->OfferLeftCopies());
    EXPECT_TRUE(e.messages.texts.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(orphan + ".json"));

    other.kill();
    other.waitForFinished();
    e.recovery->DiscardOnExit();
}
