// The keyboard and the clipboard of the editor, and lines and boxes drawn
// by dragging.
#include "EditTestSupport.h"
#include "document/UnitFile.h"
#include "editing/UnitClipboard.h"
#include "platform/UnitMessages.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUndoStack>
#include <gtest/gtest.h>

class KeysTest : public ::testing::TestWithParam<int64_t>
{
protected:
    void SetUp() override { SetMessages(&messages); }
    void TearDown() override { SetMessages(nullptr); }
    EditBench b{GetParam()};
    ScriptedMessages messages;
    QUndoStack &stack() { return b.doc.undoStack(); }
};

INSTANTIATE_TEST_SUITE_P(Zooms, KeysTest, ::testing::ValuesIn(EditZooms));

TEST_P(KeysTest, DeleteAndArrowKeysAreCommandsAndArrowRunsMerge)
{
    b.addBox(0, 100, 100, 50, 50);
    b.addBox(0, 300, 300, 50, 50);
    b.addLine(0, 500, 500, 40, 40, 0);
    b.doc.AData[2].X2 = 540;
    b.doc.AData[2].Y2 = 540;
    b.click(0, 110, 110);
    const QByteArray start = BuildFileBytes(b.doc, LayerWorksheet, 2);

    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Right, {}));
    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Right, {}));
    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Down, Qt::ShiftModifier));
    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Left, {}));
    EXPECT_EQ(b.doc.AData[0].X1, 101);
    EXPECT_EQ(b.doc.AData[0].Y1, 110);
    EXPECT_EQ(stack().count(), 1);
    EXPECT_EQ(b.ctl->marks().frame().left, 101);
    stack().undo();
    EXPECT_EQ(BuildFileBytes(b.doc, LayerWorksheet, 2), start);
    EXPECT_EQ(b.selectedRows(), QVector<int>{0});

    // A line keeps its end point with it.
    b.click(0, 520, 520);
    ASSERT_EQ(b.selectedRows(), QVector<int>{2});
    b.ctl->KeyPress(Qt::Key_Up, {});
    EXPECT_EQ(b.doc.AData[2].Y1, 499);
    EXPECT_EQ(b.doc.AData[2].Y2, 539);

    // Another command in between starts a new run.
    b.click(0, 310, 310);
    b.ctl->KeyPress(Qt::Key_Up, {});
    const int steps = stack().count();
    b.ctl->DataSakujo1();
    b.click(0, 520, 520);
    b.ctl->KeyPress(Qt::Key_Up, {});
    EXPECT_EQ(stack().count(), steps + 2);

    // Delete and Backspace delete; without a selection they do nothing.
    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Delete, {}));
    EXPECT_EQ(b.doc.AData.size(), 1);
    b.click(0, 110, 110);
    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Backspace, {}));
    EXPECT_TRUE(b.doc.AData.isEmpty());
    EXPECT_FALSE(b.ctl->KeyPress(Qt::Key_Delete, {}));
    EXPECT_EQ(stack().undoText(), QStringLiteral("削除"));
}

TEST_P(KeysTest, EscapeCancelsARubberBandOrEmptiesTheSelection)
{
    b.ctl->ToolButton8Click();
    b.click(0, 100, 100);
    b.move(0, 200, 200);
    ASSERT_TRUE(b.ctl->boxMode());
    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Escape, {}));
    EXPECT_FALSE(b.ctl->boxMode());
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    EXPECT_FALSE(b.view.Creation.Dragging);
    // The next click starts a new box instead of finishing the old one.
    b.click(0, 300, 300);
    EXPECT_TRUE(b.doc.AData.isEmpty());
    EXPECT_TRUE(b.ctl->boxMode());
    b.ctl->KeyPress(Qt::Key_Escape, {});

    b.ctl->ToolButton9Click();
    b.addBox(0, 100, 100, 50, 50);
    b.click(0, 110, 110);
    ASSERT_FALSE(b.selectedRows().isEmpty());
    b.ctl->KeyPress(Qt::Key_Escape, {});
    EXPECT_TRUE(b.selectedRows().isEmpty());
    EXPECT_TRUE(b.ctl->marks().ShapePS()->isHidden());
}

TEST_P(KeysTest, LinesAndBoxesCanBeDrawnByDragging)
{
    b.ctl->ToolButton8Click();
    b.press(0, 100, 100);
    b.move(0, 150, 160);
    EXPECT_TRUE(b.view.Creation.Dragging);
    b.move(0, 200, 220);
    b.release(0, 200, 220);
    ASSERT_EQ(b.doc.AData.size(), 1);
    EXPECT_EQ(b.doc.AData[0].Syu, QStringLiteral("3"));
    EXPECT_EQ(b.doc.AData[0].X1, 100);
    EXPECT_EQ(b.doc.AData[0].Y1, 100);
    EXPECT_EQ(b.doc.AData[0].Width, 100);
    EXPECT_EQ(b.doc.AData[0].Height, 120);
    EXPECT_FALSE(b.ctl->boxMode());
    EXPECT_EQ(stack().count(), 1);

    b.ctl->ToolButton6Click();
    b.press(0, 400, 300);
    b.move(0, 350, 350);
    b.release(0, 300, 400);
    ASSERT_EQ(b.doc.AData.size(), 2);
    EXPECT_EQ(b.doc.AData[1].Syu, QStringLiteral("2"));
    EXPECT_EQ(b.doc.AData[1].X1, 300);
    EXPECT_EQ(b.doc.AData[1].Width, 100);
    EXPECT_EQ(b.doc.AData[1].LineSyu, 1);

    // A click without travel keeps the two-click way.
    b.click(0, 600, 600);
    EXPECT_TRUE(b.ctl->lineMode());
    EXPECT_EQ(b.doc.AData.size(), 2);
    b.click(0, 700, 650);
    EXPECT_EQ(b.doc.AData.size(), 3);
    EXPECT_EQ(b.doc.AData[2].Width, 100);
}

// Objects travel between two worksheets with their pictures, land 10 units
// further on the active page and become the selection.
TEST_P(KeysTest, CopyAndPasteBetweenWorksheetsKeepsPictures)
{
    QImage red(8, 6, QImage::Format_RGB32);
    red.fill(Qt::red);
    b.doc.BMData = {QImage(), red};
    const int pic = b.addBox(0, 100, 100, 8, 6);
    b.doc.AData[pic].Syu = QStringLiteral("4");
    b.doc.AData[pic].PicNo = 1;
    b.addText(0, 300, 100, QStringLiteral("コピー"));
    b.ctl->SpeedButtonSClick();
    b.edit->SpeedButtonS->setChecked(true);
    b.ctl->SpeedButtonSClick();
    b.click(0, 102, 102);
    b.click(0, 302, 102);
    ASSERT_EQ(b.selectedRows().size(), 2);
    b.ctl->CopySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("コピー"));

    EditBench other{GetParam()};
    other.addBox(1, 10, 10, 20, 20);
    other.view.ActivePage = 1;
    const QByteArray before = BuildFileBytes(other.doc, LayerWorksheet, 2);
    other.ctl->PasteClipboard();
    ASSERT_EQ(other.doc.AData.size(), 3);
    ASSERT_EQ(other.doc.BMData.size(), 1);
    const RAData &p = other.doc.AData[1];
    EXPECT_EQ(p.Syu, QStringLiteral("4"));
    EXPECT_EQ(p.Page, 1);
    EXPECT_EQ(p.X1, 110);
    EXPECT_EQ(p.Y1, 110);
    EXPECT_EQ(p.PicNo, 0);
    EXPECT_EQ(other.doc.BMData[0].size(), red.size());
    EXPECT_GT(qRed(other.doc.BMData[0].pixel(2, 2)), 240);
    EXPECT_LT(qGreen(other.doc.BMData[0].pixel(2, 2)), 16);
    EXPECT_EQ(other.doc.AData[2].Siki, QStringLiteral("コピー"));
    EXPECT_EQ(other.doc.AData[2].X1, 310);
    EXPECT_NE(other.doc.AData[1].ID, other.doc.AData[0].ID);
    EXPECT_NE(other.doc.AData[2].ID, other.doc.AData[1].ID);
    EXPECT_EQ(other.selectedRows(), (QVector<int>{1, 2}));
    EXPECT_EQ(other.doc.undoStack().undoText(), QStringLiteral("貼り付け"));
    other.doc.undoStack().undo();
    EXPECT_EQ(BuildFileBytes(other.doc, LayerWorksheet, 2), before);

    // Cut removes the originals as one command; duplicate copies beside them.
    b.ctl->DuplicateSelection();
    EXPECT_EQ(b.doc.AData.size(), 4);
    EXPECT_EQ(b.doc.AData[2].X1, 110);
    EXPECT_EQ(b.doc.AData[2].PicNo, 2);
    EXPECT_EQ(b.selectedRows(), (QVector<int>{2, 3}));
    b.ctl->CutSelection();
    EXPECT_EQ(b.doc.AData.size(), 2);
    EXPECT_EQ(b.doc.undoStack().undoText(), QStringLiteral("切り取り"));
}

TEST_P(KeysTest, PlainTextAndImagesPasteAsObjects)
{
    auto *data = new QMimeData;
    data->setText(QStringLiteral("一行目\n二行目"));
    QApplication::clipboard()->setMimeData(data);
    b.ctl->PasteClipboard();
    ASSERT_EQ(b.doc.AData.size(), 1);
    EXPECT_EQ(b.doc.AData[0].Syu, QStringLiteral("1"));
    EXPECT_EQ(b.doc.AData[0].Siki, QStringLiteral("一行目\r\n二行目"));
    EXPECT_GT(b.doc.AData[0].Height, 0);
    EXPECT_EQ(b.selectedRows(), QVector<int>{0});

    QImage green(12, 7, QImage::Format_RGB32);
    green.fill(Qt::green);
    QApplication::clipboard()->setImage(green);
    b.ctl->PasteClipboard();
    ASSERT_EQ(b.doc.AData.size(), 2);
    EXPECT_EQ(b.doc.AData[1].Syu, QStringLiteral("4"));
    EXPECT_EQ(b.doc.AData[1].Width, 12);
    EXPECT_EQ(b.doc.BMData.size(), 1);
    EXPECT_EQ(b.doc.undoStack().count(), 2);

    // Something that is not a worksheet under our type changes nothing.
    auto *junk = new QMimeData;
    junk->setData(ObjectsMimeType, QByteArray("no worksheet"));
    QApplication::clipboard()->setMimeData(junk);
    b.ctl->PasteClipboard();
    EXPECT_EQ(b.doc.AData.size(), 2);
    EXPECT_EQ(b.doc.undoStack().count(), 2);
}

TEST_P(KeysTest, SelectAllTakesThePageUnderThePointer)
{
    b.addBox(0, 100, 100, 50, 50);
    b.addBox(1, 100, 100, 50, 50);
    b.addBox(1, 300, 300, 50, 50);
    b.ctl->SelectAllOnPage();
    EXPECT_EQ(b.selectedRows(), QVector<int>{0});
    b.move(1, 600, 600);
    b.ctl->SelectAllOnPage();
    EXPECT_EQ(b.selectedRows(), (QVector<int>{1, 2}));
}
