// The new/open/save cycle of the main window as a teacher meets it: the
// save dialog after starting with a file, and Cancel of "新規作成" and "開く".
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPageView.h"
#include "document/UnitFile.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "support/BoxRow.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "support/RecordedEdit.h"
#include <gtest/gtest.h>

namespace
{

// Changes to `dir` for the life of the object.
struct InFolder {
    QString old = QDir::currentPath();
    explicit InFolder(const QString &dir) { QDir::setCurrent(dir); }
    ~InFolder() { QDir::setCurrent(old); }
};

} // namespace

TEST(DocumentCycle, SaveAsAfterStartingWithARelativeFileOpensInItsFolder)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("sub"));
    InFolder here(dir.path());
    Document doc;
    AddBoxRow(doc, 10, 10, 50, 50);
    ASSERT_TRUE(SaveFileAll("sub/c.prx", doc, LayerWorksheet, 1).ok);
    const QByteArray before = [] {
        QFile f("sub/c.prx");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    TForm1 form;
    form.SyokiForm("sub/c.prx");
    ASSERT_EQ(form.doc().AData.size(), 1);
    ScriptedFileDialogs dialogs;
    form.setFileDialogs(&dialogs);
    PushEdit(form.doc(), QStringLiteral("移動"), [&] { form.doc().AData[0].X1 = 300; });

    // "名前をつけて保存" and Enter: what the dialog shows is what it returns.
    const QString shown = QDir(dir.path()).filePath("sub/c.prx");
    dialogs.answers.push_back(shown);
    messages.answers.push_back(MsgAnswer::Yes);
    form.ActionSaveAs->trigger();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].initialFolder, QDir(dir.path()).filePath("sub"));
    EXPECT_EQ(dialogs.calls[0].fileName, "c.prx");
    // The file exists, so the overwrite question comes first.
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith("c.prxは、すでに存在します。"));
    EXPECT_FALSE(QFile::exists("c.prx"));
    QFile f("sub/c.prx");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_NE(f.readAll(), before);
    EXPECT_FALSE(form.doc().FileData.HensyuB);
    form.setFileDialogs(nullptr);
}

TEST(DocumentCycle, CancelOfNewAndOpenKeepsTheSelection)
{
    FakeA4 fake;
    ScriptedMessages messages;
    TForm1 form;
    form.SyokiForm(QString());
    const EditingParts parts = InstallEditing(form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    AddBoxRow(form.doc(), 200, 300, 150, 120);
    form.Redraw();
    QWidget *page = form.pageArea()->PanelP[0];
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(250, 340));
    ASSERT_EQ(parts.controller->selection().size(), 1);
    PushEdit(form.doc(), QStringLiteral("内容"), [&] { form.doc().Naiyou = QStringLiteral("たし算"); });
    ScriptedFileDialogs dialogs;
    form.setFileDialogs(&dialogs);

    // "新規作成", then Cancel in the question: nothing changes.
    messages.answers.push_back(MsgAnswer::Cancel);
    form.ActionNew->trigger();
    EXPECT_EQ(form.doc().AData.size(), 1);
    EXPECT_EQ(parts.controller->selection().size(), 1);
    ASSERT_NE(parts.controller->marks().PanelPS(1), nullptr);
    EXPECT_TRUE(parts.controller->marks().PanelPS(1)->isVisible());

    // "開く": Cancel in the question, then No and Cancel in the dialog.
    messages.answers.push_back(MsgAnswer::Cancel);
    form.ActionOpen->trigger();
    messages.answers.push_back(MsgAnswer::No);
    form.ActionOpen->trigger();
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(form.doc().AData.size(), 1);
    EXPECT_EQ(parts.controller->selection().size(), 1);

    // "いいえ" goes on: the worksheet and its selection go.
    messages.answers.push_back(MsgAnswer::No);
    form.ActionNew->trigger();
    EXPECT_TRUE(form.doc().AData.isEmpty());
    EXPECT_TRUE(parts.controller->selection().isEmpty());
    form.setFileDialogs(nullptr);
}

TEST(DocumentCycle, YesSavesAWorksheetWithAFileInPlaceAndANewOneProposesItsOwnName)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir dir;
    const QString mine = dir.filePath("mine.prx");
    const QString sample = dir.filePath("sample.prx");
    {
        Document doc;
        AddBoxRow(doc, 10, 10, 50, 50);
        ASSERT_TRUE(SaveFileAll(mine, doc, LayerWorksheet, 1).ok);
        ASSERT_TRUE(SaveFileAll(sample, doc, LayerWorksheet, 1).ok);
    }
    const auto bytesOf = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray sampleBytes = bytesOf(sample);

    TForm1 form;
    form.SyokiForm(QString());
    ScriptedFileDialogs dialogs;
    form.setFileDialogs(&dialogs);
    const QString userFolder = form.folders().UserPrintFolder;

    // Opened with "開く", changed, then closed with "はい": saved over, no dialog.
    dialogs.answers.push_back(mine);
    form.ActionOpen->trigger();
    ASSERT_EQ(dialogs.calls.size(), 1);
    ASSERT_EQ(form.doc().AData.size(), 1);
    PushEdit(form.doc(), QStringLiteral("移動"), [&] { form.doc().AData[0].X1 = 300; });
    messages.answers.push_back(MsgAnswer::Yes);
    QCloseEvent close1;
    QCoreApplication::sendEvent(&form, &close1);
    EXPECT_TRUE(close1.isAccepted());
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(messages.texts, QStringList{"変更内容を保存しますか？"});
    EXPECT_FALSE(form.doc().FileData.HensyuB);
    {
        Document back;
        ASSERT_TRUE(LoadFileAll(mine, back).ok);
        ASSERT_EQ(back.AData.size(), 1);
        EXPECT_EQ(back.AData[0].X1, 300);
    }

    // A new worksheet is no longer that file: "はい" asks for a name, which
    // is "プリント.prx" in the user's worksheet folder.
    form.ActionNew->trigger();
    PushEdit(form.doc(), QStringLiteral("作成"), [&] { AddBoxRow(form.doc(), 20, 20, 40, 40); });
    const QByteArray mineBytes = bytesOf(mine);
    messages.answers.push_back(MsgAnswer::Yes);
    QCloseEvent close2;
    QCoreApplication::sendEvent(&form, &close2);
    EXPECT_FALSE(close2.isAccepted());
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_TRUE(dialogs.calls[1].save);
    EXPECT_EQ(dialogs.calls[1].initialFolder, userFolder);
    EXPECT_EQ(dialogs.calls[1].fileName, "プリント.prx");
    EXPECT_EQ(bytesOf(mine), mineBytes);
    EXPECT_TRUE(form.doc().FileData.HensyuB);
    // "上書き保存" of a new worksheet asks as well; with a content text that
    // text is the name offered.
    form.doc().Naiyou = QStringLiteral("たし算/ひき算");
    form.ActionSave->trigger();
    ASSERT_EQ(dialogs.calls.size(), 3);
    EXPECT_EQ(dialogs.calls[2].initialFolder, userFolder);
    EXPECT_EQ(dialogs.calls[2].fileName, "たし算_ひき算.prx");

    // A worksheet taken from a library (here a sample, as the navigator
    // opens it) is never saved over: the dialog offers the sample's name.
    messages.answers.push_back(MsgAnswer::No);
    form.ActionNew->trigger();
    ASSERT_TRUE(form.fileCommands().FileLoad(sample));
    form.fileCommands().SaveDialog.fileName = "sample.prx";
    PushEdit(form.doc(), QStringLiteral("移動"), [&] { form.doc().AData[0].X1 = 400; });
    messages.answers.push_back(MsgAnswer::Yes);
    QCloseEvent close3;
    QCoreApplication::sendEvent(&form, &close3);
    EXPECT_FALSE(close3.isAccepted());
    ASSERT_EQ(dialogs.calls.size(), 4);
    EXPECT_EQ(dialogs.calls[3].fileName, "sample.prx");
    EXPECT_EQ(bytesOf(sample), sampleBytes);

    // And the new worksheet after it does not take the sample's name.
    messages.answers.push_back(MsgAnswer::No);
    form.ActionNew->trigger();
    form.ActionSaveAs->trigger();
    ASSERT_EQ(dialogs.calls.size(), 5);
    EXPECT_EQ(dialogs.calls[4].initialFolder, userFolder);
    EXPECT_EQ(dialogs.calls[4].fileName, "プリント.prx");
    form.setFileDialogs(nullptr);
}
