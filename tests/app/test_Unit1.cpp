// The main window under the offscreen platform: start-up state, folders and
// the unsaved-changes question with scripted answers.
#include "app/Unit1.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPageView.h"
#include "document/UnitFile.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"
#include "support/ScriptedDialogs.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "support/FakePrinter.h"
#include "support/RecordedEdit.h"
#include <gtest/gtest.h>


TEST(MainWindow, StartsWithOneEmptyA4PageAndItsFolders)
{
    FakeA4 fake;
    TForm1 form;
    form.SyokiForm(QString());
    EXPECT_EQ(form.windowTitle(), "Tavenor プリント");
    ASSERT_EQ(form.pages().count(), 1);
    EXPECT_EQ(form.pages().PageSize[0], QSize(793, 1122));
    EXPECT_EQ(form.pageArea()->PanelP.size(), 1);
    EXPECT_EQ(form.pageArea()->PanelP[0]->size(), QSize(793, 1122));
    EXPECT_TRUE(form.doc().AData.isEmpty());
    EXPECT_FALSE(form.doc().FileData.HensyuB);
    EXPECT_EQ(form.doc().AnswerColor, 255);
    EXPECT_EQ(form.settings().FontName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(form.settings().FontSize, "11");
    EXPECT_EQ(form.settings().ToolSyu, "0");
    EXPECT_EQ(form.settings().KotaeColor, 0xD0C0C0);
    EXPECT_TRUE(QDir(form.folders().TmpFolder()).exists());
    EXPECT_EQ(form.OpenDialogFolder, form.folders().UserPrintFolder);
    EXPECT_EQ(form.statusLink()->text(), "タヴェナー WEBサイトを開く");
    EXPECT_EQ(form.statusLink()->width(), 220);
}

TEST(MainWindow, MissingArgumentFileStartsEmpty)
{
    FakeA4 fake;
    TForm1 form;
    form.SyokiForm("/nonexistent/file.prx");
    EXPECT_TRUE(form.fileCommands().OpenFileName.isEmpty());
    EXPECT_TRUE(form.doc().AData.isEmpty());
    EXPECT_EQ(form.pages().count(), 1);
    EXPECT_TRUE(form.SaveDialogFileName.isEmpty());
}

TEST(MainWindow, UnsavedChangesQuestionGuardsNewAndClose)
{
    FakeA4 fake;
    ScriptedMessages msgs;
    TForm1 form;
    form.SyokiForm(QString());
    // A new worksheet has no file of its own: "はい" asks for a name.
    ScriptedFileDialogs dialogs;
    form.setFileDialogs(&dialogs);
    QTemporaryDir saveDir;
    const QString savedPath = saveDir.filePath("kept.prx");
    auto edit = [&] {
        PushEdit(form.doc(), QStringLiteral("作成"), [&] {
            form.doc().AData.append(RAData{});
            form.doc().AData.last().Syu = "1";
        });
    };

    // No changes: no question at all.
    form.NewFileCommand();
    EXPECT_TRUE(msgs.texts.isEmpty());

    edit();
    QFile junk(form.folders().TmpFolder() + "/scratch.txt");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.close();

    // Cancel keeps the worksheet and the flag.
    msgs.answers.push_back(MsgAnswer::Cancel);
    form.NewFileCommand();
    ASSERT_EQ(msgs.texts.size(), 1);
    EXPECT_EQ(msgs.texts[0], "変更内容を保存しますか？");
    EXPECT_EQ(msgs.captions[0], "Tavenor プリント");
    EXPECT_EQ(form.doc().AData.size(), 1);
    EXPECT_TRUE(form.doc().FileData.HensyuB);

    // Yes, then the save dialog is cancelled: kept as well.
    msgs.answers.push_back(MsgAnswer::Yes);
    form.NewFileCommand();
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(form.doc().AData.size(), 1);
    EXPECT_TRUE(form.doc().FileData.HensyuB);

    // Closing: Cancel refuses the close.
    msgs.answers.push_back(MsgAnswer::Cancel);
    QCloseEvent close1;
    QCoreApplication::sendEvent(&form, &close1);
    EXPECT_FALSE(close1.isAccepted());

    // Yes with a successful save lets New go on; the scratch folder is empty.
    dialogs.answers.push_back(savedPath);
    msgs.answers.push_back(MsgAnswer::Yes);
    form.NewFileCommand();
    EXPECT_EQ(dialogs.calls.size(), 2);
    EXPECT_TRUE(QFile::exists(savedPath));
    EXPECT_TRUE(form.doc().AData.isEmpty());
    EXPECT_FALSE(form.doc().FileData.HensyuB);
    EXPECT_EQ(form.pages().count(), 1);
    EXPECT_TRUE(QDir(form.folders().TmpFolder()).exists());
    EXPECT_FALSE(QFile::exists(form.folders().TmpFolder() + "/scratch.txt"));

    // No discards the changes and closes.
    edit();
    msgs.answers.push_back(MsgAnswer::No);
    QCloseEvent close2;
    QCoreApplication::sendEvent(&form, &close2);
    EXPECT_TRUE(close2.isAccepted());
    EXPECT_EQ(dialogs.calls.size(), 2);
}

TEST(MainWindow, ArgumentFileOpensAndNamesTheSaveDialog)
{
    FakeA4 fake;
    QTemporaryDir dir;
    const QString path = dir.path() + "/さんすう.prx";
    Document doc;
    const int r = doc.AppendRow();
    doc.AData[r].Syu = "1";
    doc.AData[r].ID = 9;
    doc.AData[r].Siki = "なまえ";
    ASSERT_TRUE(SaveFileAll(path, doc, LayerWorksheet, 1).ok);

    TForm1 form;
    form.SyokiForm(path);
    ASSERT_EQ(form.doc().AData.size(), 1);
    EXPECT_EQ(form.doc().AData[0].Siki, "なまえ");
    EXPECT_EQ(form.doc().AData[0].ID, 0);
    EXPECT_EQ(form.doc().AData[0].Layer, 1);
    EXPECT_EQ(form.SaveDialogFileName, "さんすう.prx");
    EXPECT_EQ(form.fileCommands().SaveDialog.fileName, "さんすう.prx");
    EXPECT_EQ(form.fileCommands().OpenFileName, path);
    EXPECT_EQ(form.pages().count(), 1);
    EXPECT_FALSE(form.doc().FileData.HensyuB);
}
