// The unsaved-changes flag of the main window: it is up exactly while the
// worksheet differs from the state it was opened, started or saved in, as the
// undo stack records it. Presses, hovers and selections change nothing, so
// closing after them asks no question.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitBunruiBar.h"
#include "app/UnitFileCommands.h"
#include "app/UnitLibraryWiring.h"
#include "app/UnitPageButtons.h"
#include "app/UnitPageView.h"
#include "app/UnitRandomBar.h"
#include "document/UnitFile.h"
#include "editing/UnitMoji.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "support/BoxRow.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

// Sends a close request; true when the window would close.
bool closes(TForm1 &form)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(&form, &close);
    return close.isAccepted();
}

// The main window with all its parts, showing `path` opened with "開く".
struct OpenedWindow {
    FakeA4 fake;
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    QTemporaryDir samples;
    TForm1 form;
    EditingParts parts;
    QWidget *page = nullptr;

    explicit OpenedWindow(const QString &path)
    {
        form.SyokiForm(QString());
        parts = InstallEditing(form);
        InstallRandomBar(form);
        InstallBunruiBar(form);
        InstallLibrary(form, samples.path());
        form.setFileDialogs(&dialogs);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return;
        dialogs.answers.push_back(path);
        form.ActionOpen->trigger();
        page = form.pageArea()->PanelP.value(0);
    }
    ~OpenedWindow() { form.setFileDialogs(nullptr); }

    bool edited() { return form.doc().FileData.HensyuB; }
};

QString worksheetWithABox(const QTemporaryDir &dir)
{
    const QString path = dir.filePath("box.prx");
    Document doc;
    AddBoxRow(doc, 200, 300, 150, 120);
    // The classification bar shows these on opening, which is no edit.
    doc.Naiyou = QStringLiteral("たし算");
    doc.NenIndex = 2;
    doc.KyoukaIndex = 3;
    return SaveFileAll(path, doc, LayerWorksheet, 1).ok ? path : QString();
}

} // namespace

TEST(EditedFlag, PressesHoversAndSelectionsLeaveTheWorksheetUnchanged)
{
    QTemporaryDir dir;
    const QString path = worksheetWithABox(dir);
    ASSERT_FALSE(path.isEmpty());
    OpenedWindow w(path);
    ASSERT_NE(w.page, nullptr);
    ASSERT_EQ(w.form.doc().AData.size(), 1);
    EXPECT_FALSE(w.edited()); // opened, paper applied: as in the file

    // The selection tool: a click on the empty page, a hover, a click that
    // selects the box, a press and release on it without moving, a press on
    // a handle released where it was, a double click on the empty page.
    QTest::mouseClick(w.parts.panels->ToolButton9, Qt::LeftButton);
    QTest::mouseClick(w.page, Qt::LeftButton, {}, QPoint(700, 1000));
    EXPECT_FALSE(w.edited());
    QTest::mouseMove(w.page, QPoint(260, 350));
    QTest::mouseMove(w.page, QPoint(600, 900));
    EXPECT_FALSE(w.edited());
    QTest::mouseClick(w.page, Qt::LeftButton, {}, QPoint(250, 340));
    ASSERT_EQ(w.parts.controller->selection().size(), 1);
    EXPECT_FALSE(w.edited());
    TResizeHandle *corner = w.parts.controller->marks().PanelPS(1);
    ASSERT_NE(corner, nullptr);
    QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(w.edited());
    QTest::mouseDClick(w.page, Qt::LeftButton, {}, QPoint(700, 1000));
    EXPECT_FALSE(w.edited());

    // The text tool: a click opens the text window, "OK" with nothing typed
    // writes nothing.
    QTest::mouseClick(w.parts.panels->ToolButton5, Qt::LeftButton);
    QTest::mouseClick(w.page, Qt::LeftButton, {}, QPoint(100, 120));
    TFormMoji *moji = w.parts.controller->formMoji();
    ASSERT_TRUE(moji->isVisible());
    QTest::mouseClick(moji->Button1, Qt::LeftButton);
    EXPECT_FALSE(w.edited());
    moji->hide();

    // "作成" with no random problem on the sheet regenerates nothing.
    w.form.pageButtons()->SpeedButtonRandom->click();
    EXPECT_FALSE(w.edited());
    EXPECT_EQ(w.form.doc().AData.size(), 1);
    EXPECT_TRUE(w.form.doc().undoStack().isClean());

    // Closing asks nothing.
    EXPECT_TRUE(closes(w.form));
    EXPECT_TRUE(w.messages.texts.isEmpty())
        << w.messages.texts.join(QStringLiteral(" / ")).toStdString();

    // A new worksheet, too, starts unchanged.
    w.form.ActionNew->trigger();
    EXPECT_FALSE(w.edited());
    EXPECT_TRUE(w.messages.texts.isEmpty());
}

TEST(EditedFlag, FollowsTheUndoStackAroundTheSavedState)
{
    QTemporaryDir dir;
    const QString path = worksheetWithABox(dir);
    ASSERT_FALSE(path.isEmpty());
    OpenedWindow w(path);
    ASSERT_NE(w.page, nullptr);
    ASSERT_EQ(w.form.doc().AData.size(), 1);
    QUndoStack &stack = w.form.doc().undoStack();
    EXPECT_FALSE(w.edited());

    // A drag of the box is a change; undoing it returns to the file.
    QTest::mouseClick(w.parts.panels->ToolButton9, Qt::LeftButton);
    const auto drag = [&](int dx) {
        QTest::mousePress(w.page, Qt::LeftButton, {}, QPoint(250, 340));
        QTest::mouseMove(w.page, QPoint(250 + dx / 2, 340));
        QTest::mouseMove(w.page, QPoint(250 + dx, 340));
        QTest::mouseRelease(w.page, Qt::LeftButton, {}, QPoint(250 + dx, 340));
    };
    drag(40);
    ASSERT_NE(w.form.doc().AData[0].X1, 200);
    EXPECT_TRUE(w.edited());
    w.parts.undoAction->trigger();
    EXPECT_EQ(w.form.doc().AData[0].X1, 200);
    EXPECT_FALSE(w.edited());
    EXPECT_TRUE(closes(w.form));
    EXPECT_TRUE(w.messages.texts.isEmpty());

    // Redo goes past the saved state again: changed, and closing asks.
    w.parts.redoAction->trigger();
    const int moved = w.form.doc().AData[0].X1;
    EXPECT_NE(moved, 200);
    EXPECT_TRUE(w.edited());
    w.messages.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(closes(w.form));
    EXPECT_EQ(w.messages.texts, QStringList{"変更内容を保存しますか？"});

    // "上書き保存" makes the moved state the saved one.
    w.form.ActionSave->trigger();
    EXPECT_FALSE(w.edited());
    {
        Document back;
        ASSERT_TRUE(LoadFileAll(path, back).ok);
        ASSERT_EQ(back.AData.size(), 1);
        EXPECT_EQ(back.AData[0].X1, moved);
    }

    // Undo now leaves the saved state (the file has the moved box), redo
    // comes back to it.
    w.parts.undoAction->trigger();
    EXPECT_TRUE(w.edited());
    w.parts.redoAction->trigger();
    EXPECT_FALSE(w.edited());

    // An edit after the save is a change, and undoing it is none.
    drag(30);
    EXPECT_TRUE(w.edited());
    ASSERT_TRUE(stack.canUndo());
    w.parts.undoAction->trigger();
    EXPECT_EQ(w.form.doc().AData[0].X1, moved);
    EXPECT_FALSE(w.edited());

    // Undo to before the save, then a new edit: the saved state cannot be
    // reached any more, by undo or redo.
    w.parts.undoAction->trigger();
    drag(-20);
    EXPECT_TRUE(w.edited());
    w.parts.undoAction->trigger();
    EXPECT_EQ(w.form.doc().AData[0].X1, 200);
    EXPECT_TRUE(w.edited());

    // "新規作成" after "いいえ": an empty, unchanged worksheet without history.
    w.messages.answers.push_back(MsgAnswer::No);
    w.form.ActionNew->trigger();
    EXPECT_TRUE(w.form.doc().AData.isEmpty());
    EXPECT_FALSE(w.edited());
    EXPECT_FALSE(stack.canUndo());
}
