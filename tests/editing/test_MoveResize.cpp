// Moving the selection with the mouse and resizing it with the four
// handles, at 100 % and 150 %.
#include "EditTestSupport.h"

#include <gtest/gtest.h>

class MoveResizeTest : public ::testing::TestWithParam<int64_t>
{
protected:
    EditBench b{GetParam()};

    // Selects the row by a click inside it at (x, y).
    void select(int x, int y) { b.click(0, x, y); }
    // Drags handle h from its centre by (dx, dy) page units.
    void dragHandle(int h, int dx, int dy)
    {
        TResizeHandle *handle = b.ctl->marks().PanelPS(h);
        ASSERT_NE(handle, nullptr);
        ASSERT_FALSE(handle->isHidden());
        const QPoint start = handle->geometry().center();
        b.ctl->HandleMouseDown(Handle(h), start);
        b.ctl->HandleMouseMove(start + QPoint(b.px(dx / 2), b.px(dy / 2)));
        b.ctl->HandleMouseMove(start + QPoint(b.px(dx), b.px(dy)));
        b.ctl->HandleMouseUp(start + QPoint(b.px(dx), b.px(dy)));
    }
};

INSTANTIATE_TEST_SUITE_P(Zooms, MoveResizeTest, ::testing::ValuesIn(EditZooms));

TEST_P(MoveResizeTest, DragMovesOnlyUnlockedObjectsWithoutRedrawing)
{
    const int locked = b.addBox(0, 10, 10, 40, 40, 1);
    const int free = b.addBox(0, 100, 100, 40, 40);
    const int text = b.addText(0, 200, 100, QStringLiteral("ぶんしょう"));
    b.edit->SpeedButtonS->setChecked(true);
    b.ctl->SpeedButtonSClick();
    b.click(0, 20, 20);
    b.click(0, 205, 105);
    b.press(0, 110, 110);
    ASSERT_EQ(b.ctl->selection().size(), 3);
    const int redraws = b.host->redraws;
    b.move(0, 120, 110);
    b.move(0, 140, 80);
    EXPECT_EQ(b.host->redraws, redraws);
    EXPECT_EQ(b.doc.AData[locked].X1, 10);
    EXPECT_EQ(b.doc.AData[locked].Y1, 10);
    EXPECT_EQ(b.doc.AData[free].X1, 130);
    EXPECT_EQ(b.doc.AData[free].Y1, 70);
    EXPECT_EQ(b.doc.AData[text].X1, 230);
    EXPECT_EQ(b.doc.AData[text].Y1, 70);
    EXPECT_EQ(b.doc.AData[free].Width, 40);
    // The frame follows the unlocked objects alone; the text's outline and
    // label ride along; handles are away.
    EXPECT_EQ(b.ctl->marks().frame().left, 130);
    EXPECT_EQ(b.ctl->marks().frame().top, 70);
    EXPECT_EQ(b.ctl->marks().ShapePS()->geometry().topLeft(), b.screenRect(130, 70, 1, 1).topLeft());
    ASSERT_NE(b.ctl->marks().LabelM(1), nullptr);
    EXPECT_FALSE(b.ctl->marks().LabelM(1)->isHidden());
    EXPECT_EQ(b.ctl->marks().LabelM(1)->text(), QStringLiteral("ぶんしょう"));
    EXPECT_EQ(b.ctl->marks().ShapeM(1)->geometry(),
              b.screenRect(230, 70, b.doc.AData[text].Width, b.doc.AData[text].Height));
    EXPECT_TRUE(b.ctl->marks().PanelPS(1)->isHidden());

    b.release(0, 140, 80);
    EXPECT_FALSE(b.ctl->dragging());
    EXPECT_TRUE(b.ctl->marks().LabelM(1)->isHidden());
    EXPECT_FALSE(b.ctl->marks().PanelPS(1)->isHidden());
    EXPECT_EQ(b.ctl->selection().at(2).X, 130); // references refreshed at release

    // Past the page edge: negative positions are kept.
    b.edit->SpeedButtonS->setChecked(false);
    b.ctl->SpeedButtonSClick();
    b.press(0, 140, 80);
    b.move(0, 0, 0);
    EXPECT_EQ(b.doc.AData[free].X1, -10);
    EXPECT_EQ(b.doc.AData[free].Y1, -10);
}

TEST_P(MoveResizeTest, BottomRightHandleKeepsTheAspectUnlessUnlocked)
{
    const int box = b.addBox(0, 100, 100, 100, 50);
    select(150, 125);
    dragHandle(1, 200, 250);
    EXPECT_EQ(b.doc.AData[box].X1, 100);
    EXPECT_EQ(b.doc.AData[box].Y1, 100);
    EXPECT_EQ(b.doc.AData[box].Width, 300);
    EXPECT_EQ(b.doc.AData[box].Height, 150);
    EXPECT_EQ(b.ctl->selection().at(0).W, 300);
    EXPECT_FALSE(b.ctl->resizing());
    EXPECT_FALSE(b.ctl->marks().PanelPS(1)->isHidden());

    b.doc.AData[box].Width = 100;
    b.doc.AData[box].Height = 50;
    b.ctl->refreshSelectionMarks();
    b.edit->SpeedButton21->setChecked(true);
    dragHandle(1, 200, 250);
    EXPECT_EQ(b.doc.AData[box].Width, 300);
    EXPECT_EQ(b.doc.AData[box].Height, 300);
}

TEST_P(MoveResizeTest, SmallestFramesOfBottomAndTopHandles)
{
    b.edit->SpeedButton7->setChecked(true);
    const int box = b.addBox(0, 100, 100, 100, 50);
    select(150, 125);
    dragHandle(1, -300, -300);
    EXPECT_EQ(b.doc.AData[box].Width, 10);
    EXPECT_EQ(b.doc.AData[box].Height, 10);
    EXPECT_EQ(b.doc.AData[box].X1, 100);

    b.doc.AData[box].Width = 100;
    b.doc.AData[box].Height = 50;
    b.ctl->refreshSelectionMarks();
    dragHandle(3, 300, 300);
    EXPECT_EQ(b.doc.AData[box].Width, 0);
    EXPECT_EQ(b.doc.AData[box].Height, 0);
    // The bottom-right corner stood still.
    EXPECT_EQ(b.doc.AData[box].X1, 200);
    EXPECT_EQ(b.doc.AData[box].Y1, 150);

    // The pure arithmetic with the lock on: the bottom handles stop at the
    // proportion inside 10 x 10, the top-right one falls back on the old size.
    PageRect f{100, 100, 200, 150};
    EXPECT_EQ(ResizeFrame(Handle::BottomRight, f, -300, -300, true).W, 10);
    EXPECT_EQ(ResizeFrame(Handle::BottomRight, f, -300, -300, true).H, 5);
    PageRect flat{0, 0, 100, 0};
    EXPECT_EQ(ResizeFrame(Handle::TopRight, flat, 50, 0, true).W, 100);
    EXPECT_EQ(ResizeFrame(Handle::TopRight, flat, 50, 0, true).H, 0);
}

TEST_P(MoveResizeTest, FixedCornerStandsStillForEveryHandle)
{
    b.edit->SpeedButton7->setChecked(true);
    const int box = b.addBox(0, 100, 100, 100, 100);
    select(150, 150);
    dragHandle(2, -50, 50); // bottom left: the top-right corner stays
    EXPECT_EQ(b.doc.AData[box].X1, 50);
    EXPECT_EQ(b.doc.AData[box].Y1, 100);
    EXPECT_EQ(b.doc.AData[box].Width, 150);
    EXPECT_EQ(b.doc.AData[box].Height, 150);
    dragHandle(4, 50, -50); // top right: the bottom-left corner stays
    EXPECT_EQ(b.doc.AData[box].X1, 50);
    EXPECT_EQ(b.doc.AData[box].Y1, 50);
    EXPECT_EQ(b.doc.AData[box].Width, 200);
    EXPECT_EQ(b.doc.AData[box].Height, 200);
    // The handles were placed again at the new frame after the release.
    EXPECT_EQ(b.ctl->marks().PanelPS(4)->black()->pos(),
              b.screenRect(250, 50, 1, 1).topLeft() - QPoint(6, 6));
}

TEST_P(MoveResizeTest, TextsChangeFontSizeAndAreMeasuredAgain)
{
    b.edit->SpeedButton7->setChecked(true);
    const int t = b.addText(0, 100, 100, QStringLiteral("あ"), 12);
    b.doc.AData[t].Height = 40;
    b.doc.AData[t].Width = 40;
    select(110, 110);
    dragHandle(1, 0, -20);
    EXPECT_EQ(b.doc.AData[t].FontSize, 6);
    RAData probe = b.doc.AData[t];
    EXPECT_EQ(b.doc.AData[t].Width, b.renderer->metrics().GetMojiWidth(probe));
    EXPECT_EQ(b.doc.AData[t].Height, b.renderer->metrics().GetMojiHeight(probe));
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("6"));

    // With the top-left handle the width ratio decides.
    b.doc.AData[t].FontSize = 12;
    b.doc.AData[t].Width = 40;
    b.doc.AData[t].Height = 40;
    b.ctl->refreshSelectionMarks();
    dragHandle(3, 20, 0);
    EXPECT_EQ(b.doc.AData[t].FontSize, 6);

    // A tiny frame leaves font size 1, never 0.
    b.doc.AData[t].FontSize = 12;
    b.doc.AData[t].Width = 40;
    b.doc.AData[t].Height = 40;
    b.ctl->refreshSelectionMarks();
    dragHandle(3, 400, 400);
    EXPECT_EQ(b.doc.AData[t].FontSize, 1);
}

TEST_P(MoveResizeTest, HorizontalLineCollapsesUnderTheLockAndStretchesWithout)
{
    const int line = b.addLine(0, 100, 100, 100, 0, 1);
    for (int h : {1, 2, 3}) {
        b.doc.AData[line] = b.doc.AData[line];
        b.doc.AData[line].X1 = 100;
        b.doc.AData[line].Y1 = 100;
        b.doc.AData[line].Width = 100;
        b.doc.AData[line].Height = 0;
        b.ctl->ToolButton9Click();
        select(150, 100);
        ASSERT_EQ(b.ctl->selection().size(), 1) << h;
        dragHandle(h, h == 1 ? 40 : -40, 40);
        EXPECT_EQ(b.doc.AData[line].Width, 0) << h;
        EXPECT_EQ(b.doc.AData[line].Height, 0) << h;
    }
    b.doc.AData[line].Width = 100;
    b.doc.AData[line].X1 = 100;
    b.ctl->refreshSelectionMarks();
    b.edit->SpeedButton7->setChecked(true);
    dragHandle(1, 50, 50);
    EXPECT_EQ(b.doc.AData[line].Width, 150);
    EXPECT_EQ(b.doc.AData[line].Height, 0);
}

TEST_P(MoveResizeTest, LockedObjectsAreScaledAndWordProblemsIgnoreTheLock)
{
    const int a = b.addBox(0, 100, 100, 100, 100);
    const int locked = b.addBox(0, 150, 150, 20, 20, 1);
    b.edit->SpeedButtonS->setChecked(true);
    b.ctl->SpeedButtonSClick();
    b.click(0, 110, 110);
    b.click(0, 160, 160);
    ASSERT_EQ(b.ctl->selection().size(), 2);
    dragHandle(1, 100, 100);
    EXPECT_EQ(b.doc.AData[a].Width, 200);
    EXPECT_EQ(b.doc.AData[locked].X1, 200);
    EXPECT_EQ(b.doc.AData[locked].Width, 40);

    // A word problem first in the selection: no aspect lock.
    EditBench w{GetParam()};
    RAData p;
    p.ID = 1;
    p.Syu = QStringLiteral("5");
    p.Siki1 = 3;
    p.X1 = 100;
    p.Y1 = 100;
    p.Width = 100;
    p.Height = 50;
    p.FontSize = 11;
    p.Layer = 1;
    w.doc.AData.append(p);
    w.click(0, 150, 120);
    TResizeHandle *h = w.ctl->marks().PanelPS(1);
    ASSERT_NE(h, nullptr);
    const QPoint start = h->geometry().center();
    w.ctl->HandleMouseDown(Handle::BottomRight, start);
    w.ctl->HandleMouseMove(start + QPoint(w.px(100), w.px(150)));
    w.ctl->HandleMouseUp(start + QPoint(w.px(100), w.px(150)));
    EXPECT_EQ(w.doc.AData[0].Width, 200);
    EXPECT_EQ(w.doc.AData[0].Height, 200);
    EXPECT_EQ(w.doc.AData[0].FontSize, 11);
    EXPECT_EQ(w.ctl->selection().at(0).FS, 11);
}
