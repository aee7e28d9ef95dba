// The open, save and name-field commands with scripted dialogs and message
// boxes: extensions, the overwrite question, failed saves, refused files.
#include "app/UnitFileCommands.h"
#include "document/UnitFile.h"
#include "platform/UnitMessages.h"
#include "support/ScriptedDialogs.h"
#include "support/WorksheetBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "support/RecordedEdit.h"
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

Document smallWorksheet(const QString &text)
{
    Document doc;
    RAData r;
    r.ID = 1;
    r.Syu = QStringLiteral("1");
    r.Siki = text;
    r.Layer = 1;
    doc.AData.append(r);
    RAData name;
    name.ID = 2;
    name.Syu = QStringLiteral("1");
    name.Siki = QStringLiteral("なまえ");
    name.Layer = 3;
    doc.AData.append(name);
    return doc;
}

// The window's side of the commands, counted; its question answers `ask`.
struct CountingHost : WorksheetHost {
    Document *doc = nullptr;
    bool ask = true;
    int asked = 0, cleared = 0, replaced = 0, nameFields = 0;
    bool askSaveChanges() override
    {
        ++asked;
        return ask;
    }
    void startNewWorksheet() override
    {
        ++cleared;
        doc->Clear();
        doc->SyokiFileData();
    }
    void worksheetRead() override { ++replaced; }
    void nameFieldRead() override { ++nameFields; }
    int pageCount() const override { return 1; }
};

struct FileCommandsTest : ::testing::Test {
    QTemporaryDir dir;
    ScriptedMessages messages; // installs itself for the test's lifetime
    ScriptedFileDialogs dialogs;
    Document doc = smallWorksheet(QStringLiteral("いま"));
    FileCommands commands{doc, dialogs, QStringLiteral("/user/prints")};
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
};

// An edit of the worksheet through its undo stack.
void change(Document &doc)
{
    PushEdit(doc, QStringLiteral("移動"), [&doc] { doc.AData[0].X1 += 1; });
    ASSERT_TRUE(doc.FileData.HensyuB);
}

} // namespace

TEST_F(FileCommandsTest, SaveAddsTheExtensionAndAsksAboutTheFinalName)
{
    change(doc);
    dialogs.answers = {path("a")};
    ASSERT_TRUE(commands.Save());
    EXPECT_TRUE(QFileInfo::exists(path("a.prx")));
    EXPECT_FALSE(QFileInfo::exists(path("a")));
    EXPECT_FALSE(doc.FileData.HensyuB);
    EXPECT_EQ(commands.OpenFileName, path("a.prx"));
    EXPECT_EQ(commands.OpenDialog.fileName, path("a.prx"));
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_TRUE(dialogs.calls[0].save);
    EXPECT_EQ(dialogs.calls[0].initialFolder, QStringLiteral("/user/prints"));
    EXPECT_EQ(dialogs.calls[0].filter, QStringLiteral("Tavenorプリント (*.prx)"));
    EXPECT_TRUE(messages.texts.isEmpty());

    // Typed without the extension, the name names an existing file once
    // ".prx" is added: the question is about that file. No keeps it.
    const QByteArray before = readAll(path("a.prx"));
    doc = smallWorksheet(QStringLiteral("べつ"));
    change(doc);
    dialogs.answers = {path("a")};
    messages.answers = {MsgAnswer::No};
    EXPECT_FALSE(commands.Save());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], QStringLiteral("a.prxは、すでに存在します。\r\n上書きしますか？"));
    EXPECT_EQ(readAll(path("a.prx")), before);
    EXPECT_TRUE(doc.FileData.HensyuB);
    // The dialog starts from the bare name of the last choice.
    EXPECT_EQ(dialogs.calls[1].fileName, QStringLiteral("a"));

    messages.answers = {MsgAnswer::Yes};
    dialogs.answers = {path("a.prx")};
    ASSERT_TRUE(commands.Save());
    Document read;
    ASSERT_TRUE(LoadFileAll(path("a.prx"), read).ok);
    EXPECT_EQ(read.AData[0].Siki, QStringLiteral("べつ"));

    // Upper-case ".PRX" is not the extension.
    dialogs.answers = {path("b.PRX")};
    ASSERT_TRUE(commands.Save());
    EXPECT_TRUE(QFileInfo::exists(path("b.PRX.prx")));
    // Cancelled dialog: nothing saved.
    change(doc);
    EXPECT_FALSE(commands.Save());
    EXPECT_TRUE(doc.FileData.HensyuB);
}

TEST_F(FileCommandsTest, FailedSaveReportsAndKeepsEverything)
{
    ASSERT_TRUE(writeFile(path("plain"), "not a folder"));
    change(doc);
    commands.OpenFileName = QStringLiteral("/old.prx");
    dialogs.answers = {path("plain") + QStringLiteral("/x.prx")};
    EXPECT_FALSE(commands.Save());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_FALSE(messages.texts[0].isEmpty());
    EXPECT_TRUE(doc.FileData.HensyuB);
    EXPECT_EQ(commands.OpenFileName, QStringLiteral("/old.prx"));
    EXPECT_EQ(readAll(path("plain")), QByteArray("not a folder"));

    // A folder in the file's place: asked, answered Yes, still not replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.prx")));
    dialogs.answers = {path("d.prx")};
    messages.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(commands.Save());
    EXPECT_TRUE(QFileInfo(path("d.prx")).isDir());
    EXPECT_TRUE(doc.FileData.HensyuB);
    EXPECT_EQ(messages.texts.size(), 3); // question and error
}

TEST_F(FileCommandsTest, OpenReplacesOnlyOnSuccess)
{
    Document other = smallWorksheet(QStringLiteral("ひらく"));
    other.AData[0].ID = 40;
    other.Paper.Width = QStringLiteral("182");
    ASSERT_TRUE(SaveFileAll(path("good.prx"), other, LayerWorksheet).ok);
    ASSERT_TRUE(writeFile(path("bad.prx"), wsbytes::le32(0)));
    wsbytes::Container tooNew;
    tooNew.header = {"Tavenor,Print Header", "0.7", "", "0", "0"};
    ASSERT_TRUE(writeFile(path("new.prx"), tooNew.bytes()));

    CountingHost host;
    host.doc = &doc;
    host.ask = false;
    commands.setHost(&host);
    const int &cleared = host.cleared;
    const int &replaced = host.replaced;

    // The unsaved-changes question says stop: no dialog.
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(host.asked, 1);
    EXPECT_TRUE(dialogs.calls.isEmpty());
    host.ask = true;

    const QVector<RAData> before = doc.AData;
    dialogs.answers = {path("bad.prx")};
    EXPECT_FALSE(commands.Open());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], CorruptFileMessage());
    EXPECT_EQ(doc.AData, before);
    EXPECT_EQ(cleared, 0);

    dialogs.answers = {path("new.prx")};
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(messages.texts.last(), VersionTooNewMessage());
    EXPECT_EQ(doc.AData, before);
    EXPECT_TRUE(commands.OpenFileName.isEmpty());
    EXPECT_TRUE(commands.SaveDialog.fileName.isEmpty());

    // A name that does not exist: nothing at all.
    dialogs.answers = {path("none.prx")};
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(messages.texts.size(), 2);

    change(doc);
    dialogs.answers = {path("good.prx")};
    ASSERT_TRUE(commands.Open());
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(replaced, 1);
    ASSERT_EQ(doc.AData.size(), 2);
    EXPECT_EQ(doc.AData[0].Siki, QStringLiteral("ひらく"));
    EXPECT_EQ(doc.AData[0].ID, 0);
    EXPECT_EQ(doc.Paper.Width, QStringLiteral("182"));
    EXPECT_FALSE(doc.FileData.HensyuB);
    EXPECT_EQ(commands.OpenFileName, path("good.prx"));
    EXPECT_EQ(commands.SaveDialog.initialFolder, dir.path());
    EXPECT_EQ(commands.SaveDialog.fileName, QStringLiteral("good.prx"));
    // The next open starts in the folder of the last file, with its bare name.
    commands.Open();
    EXPECT_EQ(dialogs.calls.last().initialFolder, dir.path());
    EXPECT_EQ(dialogs.calls.last().fileName, QStringLiteral("good.prx"));
}

TEST_F(FileCommandsTest, NameFieldSaveAndLoad)
{
    dialogs.answers = {path("n")};
    ASSERT_TRUE(commands.SaveNameField());
    EXPECT_TRUE(QFileInfo::exists(path("n.prn")));
    EXPECT_EQ(dialogs.calls[0].filter, QStringLiteral("Tavenorプリント　名前欄(*.prn)"));
    const QByteArray saved = readAll(path("n.prn"));

    // Saving again over it asks first.
    doc.AData[1].Siki = QStringLiteral("かえた");
    dialogs.answers = {path("n.prn")};
    messages.answers = {MsgAnswer::No};
    EXPECT_FALSE(commands.SaveNameField());
    EXPECT_EQ(messages.texts.last(),
              QStringLiteral("n.prnは、すでに存在します。\r\n上書きしますか？"));
    EXPECT_EQ(readAll(path("n.prn")), saved);

    CountingHost host;
    host.doc = &doc;
    commands.setHost(&host);
    dialogs.answers = {path("n.prn")};
    ASSERT_TRUE(commands.LoadNameField());
    EXPECT_EQ(host.nameFields, 1);
    ASSERT_EQ(doc.AData.size(), 2);
    EXPECT_EQ(doc.AData[1].Siki, QStringLiteral("なまえ"));
    EXPECT_EQ(doc.AData[1].ID, 2);
    EXPECT_EQ(commands.NameFieldSaveDialog.fileName, path("n.prn"));

    // Missing or broken file: the name field stays.
    const QVector<RAData> before = doc.AData;
    dialogs.answers = {path("gone.prn")};
    EXPECT_FALSE(commands.LoadNameField());
    ASSERT_TRUE(writeFile(path("bad.prn"), saved.left(saved.size() - 1)));
    dialogs.answers = {path("bad.prn")};
    EXPECT_FALSE(commands.LoadNameField());
    EXPECT_EQ(messages.texts.last(), CorruptFileMessage());
    EXPECT_EQ(doc.AData, before);
    EXPECT_EQ(host.nameFields, 1);
}
