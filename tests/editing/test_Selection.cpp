// Hit testing and the selection: which row a press picks, multiple
// selection, locked texts, the frame, the handles, hover and double click,
// at 100 % and 150 %.
#include "EditTestSupport.h"

#include <gtest/gtest.h>

class SelectionTest : public ::testing::TestWithParam<int64_t>
{
protected:
    EditBench b{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Zooms, SelectionTest, ::testing::ValuesIn(EditZooms));

TEST(PolygonNearTest, ToleranceAndRangeOfOneSegment)
{
    const QPoint seg[2] = {{10, 10}, {110, 10}};
    EXPECT_EQ(PolygonNear(60, 11, 1, seg, 1), 0);
    EXPECT_EQ(PolygonNear(60, 9, 1, seg, 1), 0);
    EXPECT_EQ(PolygonNear(60, 12, 1, seg, 1), -1); // below the widened box
    EXPECT_EQ(PolygonNear(60, 14, 1, seg, 1), -1);
    EXPECT_EQ(PolygonNear(60, 8, 1, seg, 1), -1);   // above it
    EXPECT_EQ(PolygonNear(112, 10, 1, seg, 1), -1); // past the end
    // The second of two segments is reported by its index.
    const QPoint two[3] = {{0, 0}, {50, 0}, {50, 50}};
    EXPECT_EQ(PolygonNear(51, 25, 2, two, 2), 1);
    EXPECT_EQ(PolygonNear(51, 25, 2, two, 1), -1);
    EXPECT_EQ(PolygonNear(0, 0, 1, nullptr, 1), -1);
}

TEST_P(SelectionTest, OverlapBordersLinesAndOtherPages)
{
    const int lower = b.addBox(0, 100, 100, 100, 100);
    const int upper = b.addBox(0, 150, 150, 100, 100);
    b.addBox(1, 400, 400, 100, 100); // same place on the second page
    const int line = b.addLine(0, 10, 10, 100, 0, 0);
    const int rising = b.addLine(0, 300, 300, 100, 50, 1);

    b.press(0, 175, 175);
    EXPECT_EQ(b.selectedRows(), QVector<int>{upper});
    b.release(0, 175, 175);
    EXPECT_EQ(b.doc.AData[upper].X1, 150);
    b.press(0, 120, 120);
    EXPECT_EQ(b.selectedRows(), QVector<int>{lower});
    // Borders are no hit: left and top edge of the lower box.
    b.press(0, 100, 120);
    EXPECT_TRUE(b.ctl->selection().isEmpty());
    b.press(0, 120, 100);
    EXPECT_TRUE(b.ctl->selection().isEmpty());
    b.press(0, 199, 140);
    EXPECT_EQ(b.selectedRows(), QVector<int>{lower});

    b.press(0, 60, 11);
    EXPECT_EQ(b.selectedRows(), QVector<int>{line});
    b.press(0, 60, 14);
    EXPECT_TRUE(b.ctl->selection().isEmpty());

    // LineSyu 1 runs from the top right to the bottom left of its box.
    b.press(0, 350, 325);
    EXPECT_EQ(b.selectedRows(), QVector<int>{rising});
    b.press(0, 320, 310); // on the other diagonal
    EXPECT_TRUE(b.ctl->selection().isEmpty());

    // The box of page 1 is never hit from page 0, and is hit on its page.
    b.press(0, 450, 450);
    EXPECT_TRUE(b.ctl->selection().isEmpty());
    b.press(1, 450, 450);
    EXPECT_EQ(b.selectedRows(), QVector<int>{2});
    // Picking objects is no edit of the worksheet.
    EXPECT_FALSE(b.doc.FileData.HensyuB);
}

TEST_P(SelectionTest, MultipleSelectionKeepsPickingOrderAndLockedTextsStayOut)
{
    const int a = b.addBox(0, 10, 10, 50, 50);
    const int c = b.addBox(0, 100, 10, 50, 50);
    const int t = b.addText(0, 200, 10, QStringLiteral("あいう"));
    const int locked = b.addText(0, 300, 10, QStringLiteral("かぎ"), 11, 1);
    const int free2 = b.addText(0, 400, 10, QStringLiteral("えお"));
    b.edit->SpeedButtonS->setChecked(true);
    b.ctl->SpeedButtonSClick();

    b.click(0, 110, 20);
    b.click(0, 20, 20);
    b.click(0, 205, 15);
    EXPECT_EQ(b.selectedRows(), (QVector<int>{c, a, t}));
    b.click(0, 110, 20); // picking one again changes nothing
    EXPECT_EQ(b.selectedRows(), (QVector<int>{c, a, t}));
    b.click(0, 305, 15); // locked text: not added
    EXPECT_EQ(b.selectedRows(), (QVector<int>{c, a, t}));
    b.click(0, 405, 15);
    EXPECT_EQ(b.selectedRows(), (QVector<int>{c, a, t, free2}));
    b.click(0, 700, 700); // empty space keeps the selection
    EXPECT_EQ(b.ctl->selection().size(), 4);

    // Releasing "複数" empties the selection.
    b.edit->SpeedButtonS->setChecked(false);
    b.ctl->SpeedButtonSClick();
    EXPECT_TRUE(b.ctl->selection().isEmpty());
    // Alone, a locked text is selected, and selecting a text picks the text tool.
    b.click(0, 305, 15);
    EXPECT_EQ(b.selectedRows(), QVector<int>{locked});
    EXPECT_EQ(b.ctl->toolSyu(), QStringLiteral("1"));
    EXPECT_EQ(b.doc.NewData.X1, 300);
    EXPECT_TRUE(b.edit->SpeedButtonLock->isChecked());
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("11"));
}

TEST_P(SelectionTest, FrameLeavesLockedObjectsOutAndHandlesSitOnItsCorners)
{
    b.addBox(0, 10, 10, 50, 50, 1);
    b.addBox(0, 100, 120, 60, 40);
    b.edit->SpeedButtonS->setChecked(true);
    b.ctl->SpeedButtonSClick();
    b.click(0, 20, 20);
    b.click(0, 110, 130);
    ASSERT_EQ(b.ctl->selection().size(), 2);
    const PageRect f = b.ctl->marks().frame();
    EXPECT_EQ(f.left, 100);
    EXPECT_EQ(f.top, 120);
    EXPECT_EQ(f.width(), 60);
    EXPECT_EQ(f.height(), 40);
    ASSERT_NE(b.ctl->marks().ShapePS(), nullptr);
    EXPECT_EQ(b.ctl->marks().ShapePS()->parentWidget(), b.panels[0]);
    EXPECT_EQ(b.ctl->marks().ShapePS()->geometry(), b.screenRect(100, 120, 60, 40));

    // Handles show at release: black 13 x 13 six pixels off each corner,
    // white 11 x 11 one pixel inside.
    const QRect s = b.screenRect(100, 120, 60, 40);
    const int r = s.left() + s.width(), bt = s.top() + s.height();
    const QPoint black[4] = {
        {r - 6, bt - 6}, {s.left() - 6, bt - 6}, {s.left() - 6, s.top() - 6}, {r - 6, s.top() - 6}};
    for (int i = 0; i < 4; ++i) {
        TResizeHandle *h = b.ctl->marks().PanelPS(i + 1);
        ASSERT_NE(h, nullptr);
        EXPECT_FALSE(h->isHidden());
        EXPECT_EQ(h->black()->geometry(), QRect(black[i], QSize(13, 13)));
        EXPECT_EQ(h->geometry(), QRect(black[i] + QPoint(1, 1), QSize(11, 11)));
    }
    // A press on empty space without "複数" drops everything.
    b.edit->SpeedButtonS->setChecked(false);
    b.ctl->SpeedButtonSClick();
    b.click(0, 600, 600);
    EXPECT_TRUE(b.ctl->selection().isEmpty());
    EXPECT_TRUE(b.ctl->marks().PanelPS(1)->isHidden());
    EXPECT_TRUE(b.ctl->marks().ShapePS()->isHidden());

    // All locked: the frame sits on the first entry.
    b.click(0, 20, 20);
    EXPECT_EQ(b.ctl->marks().frame().left, 10);
    EXPECT_EQ(b.ctl->marks().frame().width(), 50);
}

TEST_P(SelectionTest, HoverOverAPageWithoutPanelMakesNoFrame)
{
    // The first hover of all lands on a row whose page no panel shows.
    b.addBox(40, 150, 150, 100, 100);
    b.move(40, 175, 175);
    EXPECT_EQ(b.ctl->marks().ShapeMS(), nullptr);
    b.addBox(0, 150, 150, 100, 100);
    b.move(0, 175, 175);
    ASSERT_NE(b.ctl->marks().ShapeMS(), nullptr);
    EXPECT_FALSE(b.ctl->marks().ShapeMS()->isHidden());
}

TEST_P(SelectionTest, HoverShowsTheTopmostRowWithoutRedrawingThePages)
{
    b.addBox(0, 100, 100, 100, 100);
    b.addBox(0, 150, 150, 100, 100);
    b.host->cursor = Qt::BusyCursor;
    const int before = b.host->redraws;
    b.move(0, 175, 175);
    ASSERT_NE(b.ctl->marks().ShapeMS(), nullptr);
    EXPECT_FALSE(b.ctl->marks().ShapeMS()->isHidden());
    EXPECT_EQ(b.ctl->marks().ShapeMS()->geometry(), b.screenRect(150, 150, 100, 100));
    EXPECT_EQ(b.host->redraws, before); // the frame is an overlay
    EXPECT_EQ(b.host->cursor, Qt::ArrowCursor);

    b.move(0, 600, 600);
    EXPECT_TRUE(b.ctl->marks().ShapeMS()->isHidden());
    // With a creation tool the pages show the cross, except over an object.
    b.ctl->ToolButton8Click();
    b.move(0, 600, 600);
    EXPECT_EQ(b.host->cursor, Qt::CrossCursor);
    b.move(0, 120, 120);
    EXPECT_EQ(b.host->cursor, Qt::ArrowCursor);

    // A row on a page no panel shows gets no hover frame: the frame of the
    // last hover does not show again at its old place.
    b.ctl->ToolButton9Click();
    b.addBox(40, 150, 150, 100, 100);
    b.move(40, 175, 175);
    EXPECT_TRUE(b.ctl->marks().ShapeMS()->isHidden());
}

TEST_P(SelectionTest, DoubleClickOpensTheEditorOnceAndSpendsItsPress)
{
    const int t = b.addText(0, 50, 50, QStringLiteral("もじ"));
    b.addBox(0, 300, 300, 40, 40);
    b.click(0, 55, 55);
    ASSERT_EQ(b.selectedRows(), QVector<int>{t});
    b.ctl->ImageDblClick(0, b.at(55, 55));
    b.release(0, 55, 55);
    EXPECT_FALSE(b.ctl->formMoji()->isHidden());
    EXPECT_EQ(b.ctl->formMoji()->Text(), QStringLiteral("もじ"));
    EXPECT_EQ(b.doc.NewData.ID, b.doc.AData[t].ID);
    EXPECT_EQ(b.selectedRows(), QVector<int>{t});
    // The next press is an ordinary one again.
    b.ctl->ToolButton9Click();
    b.click(0, 310, 310);
    EXPECT_EQ(b.selectedRows(), QVector<int>{1});
}

TEST_P(SelectionTest, CoordinateValuesFollowASingleSelection)
{
    const int box = b.addBox(0, 30, 40, 50, 60);
    b.doc.AData[box].X2 = 7;
    b.click(0, 40, 50);
    ASSERT_TRUE(b.ctl->proValues().valid);
    EXPECT_EQ(b.ctl->proValues().X1, 30);
    EXPECT_EQ(b.ctl->proValues().Y1, 40);
    EXPECT_EQ(b.ctl->proValues().X2, 7);
    EXPECT_EQ(b.ctl->proValues().Width, 50);
    EXPECT_EQ(b.ctl->proValues().Height, 60);
    EXPECT_EQ(b.edit->shownPanel(), ToolPanel::Box);
    b.click(0, 500, 500);
    EXPECT_FALSE(b.ctl->proValues().valid);
}

TEST_P(SelectionTest, MarksFollowAZoomChange)
{
    b.addBox(0, 100, 120, 60, 40);
    b.click(0, 110, 130);
    b.move(0, 110, 130);
    ASSERT_FALSE(b.ctl->marks().ShapeMS()->isHidden());
    b.view.GamenBai = Fixed4::fromRaw(20000);
    b.ctl->ViewChanged();
    EXPECT_EQ(b.ctl->marks().ShapePS()->geometry(), QRect(200, 240, 120, 80));
    EXPECT_EQ(b.ctl->marks().PanelPS(1)->black()->pos(), QPoint(320 - 6, 320 - 6));
    EXPECT_TRUE(b.ctl->marks().ShapeMS()->isHidden());
    // A press at the new zoom still finds the box by its page units.
    b.ctl->ImageMouseDown(0, QPoint(230, 250));
    EXPECT_EQ(b.ctl->selection().size(), 1);
    b.ctl->ImageMouseDown(0, QPoint(130, 150)); // page (65, 75): outside
    EXPECT_TRUE(b.ctl->selection().isEmpty());
}
