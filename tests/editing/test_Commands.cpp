// Every edit of the editor is one command on the worksheet's undo stack:
// undo gives back the file bytes from before, redo the bytes after; the
// selection follows undo and redo; the input windows can be left without
// writing; every change, a resize too, marks the worksheet changed.
#include "EditTestSupport.h"
#include "document/UnitFile.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

QByteArray bytesOf(const Document &d)
{
    return BuildFileBytes(d, LayerWorksheet, 2);
}

} // namespace

class CommandTest : public ::testing::TestWithParam<int64_t>
{
protected:
    void SetUp() override { SetMessages(&messages); }
    void TearDown() override { SetMessages(nullptr); }
    EditBench b{GetParam()};
    ScriptedMessages messages;
    QUndoStack &stack() { return b.doc.undoStack(); }

    // Runs an edit through the editor, then checks that it is exactly one
    // undo step named `name` whose undo and redo restore the bytes.
    void expectOneUndoableStep(const QString &name, const std::function<void()> &edit)
    {
        const int steps = stack().count();
        const QByteArray before = bytesOf(b.doc);
        edit();
        const QByteArray after = bytesOf(b.doc);
        ASSERT_NE(before, after) << name.toStdString();
        ASSERT_EQ(stack().count(), steps + 1) << name.toStdString();
        EXPECT_EQ(stack().undoText(), name);
        stack().undo();
        EXPECT_EQ(bytesOf(b.doc), before) << name.toStdString();
        stack().redo();
        EXPECT_EQ(bytesOf(b.doc), after) << name.toStdString();
    }
};

INSTANTIATE_TEST_SUITE_P(Zooms, CommandTest, ::testing::ValuesIn(EditZooms));

TEST_P(CommandTest, EveryKindOfEditUndoesAndRedoesByteForByte)
{
    b.addBox(0, 400, 400, 60, 60);
    b.addText(1, 30, 30, QStringLiteral("もとの文字"));

    b.ctl->ToolButton6Click();
    expectOneUndoableStep(QStringLiteral("作成"), [&] {
        b.click(0, 100, 50);
        b.click(0, 20, 80);
    });
    b.ctl->ToolButton8Click();
    expectOneUndoableStep(QStringLiteral("作成"), [&] {
        b.click(0, 200, 200);
        b.click(0, 260, 300);
    });

    b.ctl->ToolButton5Click();
    expectOneUndoableStep(QStringLiteral("作成"), [&] {
        b.click(0, 50, 600);
        b.ctl->formMoji()->MemoMoji->setPlainText(QStringLiteral("あいう"));
        b.ctl->formMoji()->Button1->click();
    });

    QTemporaryDir dir;
    QImage src(30, 20, QImage::Format_RGB32);
    src.fill(Qt::blue);
    const QString bmp = dir.filePath(QStringLiteral("a.bmp"));
    ASSERT_TRUE(src.save(bmp, "BMP"));
    ScriptedPictureDialogs dialogs;
    dialogs.names = {bmp};
    b.ctl->setPictureDialogs(&dialogs);
    b.ctl->ToolButton7Click();
    expectOneUndoableStep(QStringLiteral("作成"), [&] { b.click(0, 600, 700); });
    EXPECT_EQ(b.doc.BMData.size(), 1);

    expectOneUndoableStep(QStringLiteral("作成"),
                          [&] { b.ctl->PlaceButtonObject(QStringLiteral("b")); });

    TFormSiki siki(b.doc);
    siki.SyokiForm();
    b.ctl->setSikiForm(&siki);
    b.ctl->ToolButton10Click();
    expectOneUndoableStep(QStringLiteral("作成"), [&] {
        b.click(0, 300, 900);
        siki.SelectPage(TFormSiki::PageYoko);
        siki.MemoY1->setText(QStringLiteral("3+4"));
        siki.MakeSikiKotaeYoko();
        siki.Kettei();
    });
    const int problem = b.doc.AData.size() - 1;

    // Rewrites through the text window and the expression tool.
    b.ctl->ToolButton9Click();
    b.click(1, 31, 31);
    expectOneUndoableStep(QStringLiteral("書き換え"), [&] {
        b.ctl->EditSelection();
        b.ctl->formMoji()->MemoMoji->setPlainText(QStringLiteral("あたらしい文字"));
        b.ctl->formMoji()->Button1->click();
    });
    b.click(0, 301, 901);
    expectOneUndoableStep(QStringLiteral("書き換え"), [&] {
        b.ctl->EditSelection();
        siki.MemoY1->setText(QStringLiteral("5*6"));
        siki.MakeSikiKotaeYoko();
        siki.Kettei();
    });
    EXPECT_EQ(b.doc.AData[problem].Siki, QStringLiteral("5*6"));

    // A drag of several moves is one step; so is a handle drag.
    b.click(0, 410, 410);
    expectOneUndoableStep(QStringLiteral("移動"), [&] {
        b.press(0, 410, 410);
        for (int i = 1; i <= 5; ++i)
            b.move(0, 410 + 10 * i, 410 + 3 * i);
        b.release(0, 460, 425);
    });
    expectOneUndoableStep(QStringLiteral("サイズ変更"), [&] {
        const QPoint start = b.ctl->marks().PanelPS(1)->pos() + QPoint(2, 2);
        b.ctl->HandleMouseDown(Handle::BottomRight, start);
        b.ctl->HandleMouseMove(start + QPoint(b.px(20), b.px(20)));
        b.ctl->HandleMouseMove(start + QPoint(b.px(40), b.px(40)));
        b.ctl->HandleMouseUp(start + QPoint(b.px(40), b.px(40)));
    });

    expectOneUndoableStep(QStringLiteral("削除"), [&] { b.ctl->DataSakujo1(); });
}

// After undo the rows the command touched are the selection; after the
// redo of a delete nothing is selected.
TEST_P(CommandTest, TheSelectionFollowsUndoAndRedo)
{
    b.addBox(0, 100, 100, 50, 50);
    b.addBox(0, 300, 300, 50, 50);
    b.addBox(0, 500, 500, 50, 50);
    b.ctl->SpeedButtonSClick();
    b.edit->SpeedButtonS->setChecked(true);
    b.ctl->SpeedButtonSClick();
    b.click(0, 110, 110);
    b.click(0, 510, 510);
    ASSERT_EQ(b.selectedRows(), (QVector<int>{0, 2}));
    b.ctl->DataSakujo1();
    EXPECT_TRUE(b.selectedRows().isEmpty());
    ASSERT_EQ(b.doc.AData.size(), 1);

    stack().undo();
    EXPECT_EQ(b.doc.AData.size(), 3);
    EXPECT_EQ(b.selectedRows(), (QVector<int>{0, 2}));
    EXPECT_FALSE(b.ctl->marks().ShapePS()->isHidden());
    EXPECT_EQ(b.ctl->marks().frame().left, 100);
    EXPECT_EQ(b.ctl->marks().frame().right, 550);

    stack().redo();
    EXPECT_TRUE(b.selectedRows().isEmpty());
    EXPECT_TRUE(b.ctl->marks().ShapePS()->isHidden());
}

// The text window was open on a text when the worksheet was replaced: "OK"
// may not write the old text into the new worksheet. Escape and the close
// button leave the windows without writing.
TEST_P(CommandTest, InputWindowsCloseWithoutWriting)
{
    b.addText(0, 100, 100, QStringLiteral("もとの文字"));
    b.click(0, 101, 101);
    b.ctl->EditSelection();
    TFormMoji *moji = b.ctl->formMoji();
    ASSERT_FALSE(moji->isHidden());
    moji->MemoMoji->setPlainText(QStringLiteral("かきかけ"));
    // What a new or opened worksheet does to the editor.
    b.ctl->CancelInput();
    b.doc.AData.clear();
    EXPECT_TRUE(moji->isHidden());
    moji->Button1->click();
    EXPECT_TRUE(b.doc.AData.isEmpty());

    b.ctl->ToolButton5Click();
    b.click(0, 50, 60);
    moji->MemoMoji->setPlainText(QStringLiteral("やめる"));
    ASSERT_FALSE(moji->isHidden());
    QTest::keyClick(moji->MemoMoji, Qt::Key_Escape);
    EXPECT_TRUE(moji->isHidden());
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    EXPECT_TRUE(b.doc.NewData.Syu.isEmpty());
    moji->Button1->click();
    EXPECT_TRUE(b.doc.AData.isEmpty());

    b.click(0, 50, 60);
    moji->MemoMoji->setPlainText(QStringLiteral("とじる"));
    moji->close();
    EXPECT_TRUE(b.doc.NewData.Syu.isEmpty());
    moji->Button1->click();
    EXPECT_TRUE(b.doc.AData.isEmpty());
    EXPECT_EQ(stack().count(), 0);

    // The expression tool, opened on a problem, then the worksheet goes.
    TFormSiki siki(b.doc);
    siki.SyokiForm();
    b.ctl->setSikiForm(&siki);
    b.ctl->ToolButton10Click();
    b.click(0, 300, 300);
    siki.SelectPage(TFormSiki::PageYoko);
    siki.MemoY1->setText(QStringLiteral("1+2"));
    siki.MakeSikiKotaeYoko();
    siki.Kettei();
    ASSERT_EQ(b.doc.AData.size(), 1);
    b.ctl->ToolButton9Click();
    b.click(0, 301, 301);
    b.ctl->EditSelection();
    ASSERT_FALSE(siki.isHidden());
    siki.MemoY1->setText(QStringLiteral("7+8"));
    b.ctl->CancelInput();
    EXPECT_TRUE(siki.isHidden());
    EXPECT_EQ(b.doc.NewData.ID, -1);

    b.ctl->EditSelection();
    ASSERT_FALSE(siki.isHidden());
    QTest::keyClick(siki.MemoY1, Qt::Key_Escape);
    EXPECT_TRUE(siki.isHidden());
    EXPECT_EQ(b.doc.NewData.ID, -1);
    EXPECT_EQ(b.doc.AData[0].Siki, QStringLiteral("1+2"));
}

TEST_P(CommandTest, AResizeAfterSavingMarksTheWorksheetChanged)
{
    b.addBox(0, 100, 100, 100, 100);
    b.click(0, 150, 150);
    b.doc.markSaved();
    ASSERT_FALSE(b.doc.isModified());
    const QPoint start = b.ctl->marks().PanelPS(1)->pos() + QPoint(2, 2);
    b.ctl->HandleMouseDown(Handle::BottomRight, start);
    b.ctl->HandleMouseUp(start + QPoint(b.px(30), b.px(30)));
    EXPECT_TRUE(b.doc.isModified());
    stack().undo();
    EXPECT_FALSE(b.doc.isModified());
}

// The page shows the moved object at its new place as soon as the mouse is
// released, and nothing at the old one.
TEST_P(CommandTest, AFinishedDragRedrawsThePage)
{
    b.addBox(0, 100, 100, 100, 100);
    b.doc.AData[0].BackColorB = 1;
    b.doc.AData[0].BackColor = 0x0000FF;
    b.renderer->SrcImageP(false);
    const QPoint oldInside = b.at(110, 110), newInside = b.at(410, 410);
    ASSERT_NE(b.images[0].pixel(oldInside), QColor(Qt::white).rgb());
    b.press(0, 150, 150);
    b.move(0, 300, 300);
    b.move(0, 450, 450);
    b.release(0, 450, 450);
    EXPECT_EQ(b.doc.AData[0].X1, 400);
    EXPECT_EQ(b.images[0].pixel(oldInside), QColor(Qt::white).rgb());
    EXPECT_NE(b.images[0].pixel(newInside), QColor(Qt::white).rgb());
}
