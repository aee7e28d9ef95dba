// The new/open/save cycle of the main window as a teacher meets it: the
// save dialog after starting with a file, and Cancel of "新規作成" and "開く".
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPageView.h"
#include "document/UnitFile.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "support/FakePrinter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// Changes to `dir` for the life of the object.
struct InFolder {
    QString old = QDir::currentPath();
    explicit InFolder(const QString &dir) { QDir::setCurrent(dir); }
    ~InFolder() { QDir::setCurrent(old); }
};

void addBox(Document &doc, int x, int y, int w, int h)
{
    const int r = doc.AppendRow();
    RAData &row = doc.AData[r];
    row.ID = doc.GetId();
    row.Syu = "3";
    row.Layer = 1;
    row.X1 = x;
    row.Y1 = y;
    row.Width = w;
    row.Height = h;
    row.FontSize = 1;
}

} // namespace

TEST(DocumentCycle, SaveAsAfterStartingWithARelativeFileOpensInItsFolder)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("sub"));
    InFolder here(dir.path());
    Document doc;
    addBox(doc, 10, 10, 50, 50);
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
    form.doc().AData[0].X1 = 300;
    form.doc().FileData.HensyuB = true;

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
    addBox(form.doc(), 200, 300, 150, 120);
    form.Redraw();
    QWidget *page = form.pageArea()->PanelP[0];
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(250, 340));
    ASSERT_EQ(parts.controller->selection().size(), 1);
    form.doc().FileData.HensyuB = true;
    ScriptedFileDialogs dialogs;
    form.setFileDialogs(&dialogs);

    // "新規作成", then Cancel in the question: nothing changes.
    messages.answers.push_back(MsgAnswer::Cancel);
    form.ActionNew->trigger();
    EXPECT_EQ(form.doc().AData.size(), 1);
    EXPECT_EQ(parts.controller->selection().size(), 1);
    ASSERT_NE(parts.controller->PanelPS(1), nullptr);
    EXPECT_TRUE(parts.controller->PanelPS(1)->isVisible());

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
