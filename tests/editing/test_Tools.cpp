// The tools behind the editing controller: events reach the current tool
// in page units, switching tools makes the old one give up what it was
// creating, and the selection signals each change once.
#include "EditTestSupport.h"
#include "editing/tools/UnitLineBoxTool.h"
#include "editing/tools/UnitSelectTool.h"
#include "math/UnitSiki.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace
{

RMouseSelect entry(int row, int x = 0)
{
    RMouseSelect e;
    e.ANo = row;
    e.X = x;
    return e;
}

} // namespace

TEST(SelectionClass, SignalsOnlyWhenTheRowsChange)
{
    Selection sel;
    QSignalSpy spy(&sel, &Selection::changed);
    sel.setEntries({entry(4), entry(2)});
    EXPECT_EQ(spy.count(), 1);
    // Same rows with other reference values: no change of the selection.
    sel.setEntries({entry(4, 50), entry(2, 60)});
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(sel.at(0).X, 50);
    // The order is part of the selection (arrangement sorts it).
    sel.setEntries({entry(2), entry(4)});
    EXPECT_EQ(spy.count(), 2);
    sel.append(entry(2));
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(sel.rows(3), QVector<int>{2}); // row 4 is past the table, 2 once

    QVector<RAData> rows(3);
    rows[2].X1 = 70;
    rows[2].FontSize = 12;
    sel.refresh(rows, false);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(sel.at(0).X, 70);
    EXPECT_EQ(sel.at(0).FS, 12);

    sel.dropMissing(3);
    EXPECT_EQ(spy.count(), 4);
    EXPECT_EQ(sel.size(), 2);
    sel.dropMissing(3); // nothing left to drop
    sel.clear();
    sel.clear();
    EXPECT_EQ(spy.count(), 5);
    EXPECT_TRUE(sel.isEmpty());
}

class ToolsTest : public ::testing::TestWithParam<int64_t>
{
protected:
    EditBench b{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Zooms, ToolsTest, ::testing::ValuesIn(EditZooms));

TEST_P(ToolsTest, ButtonsMakeTheirToolCurrent)
{
    EXPECT_EQ(b.ctl->toolSyu(), QStringLiteral("0"));
    QSignalSpy tools(b.ctl.get(), &TEditController::toolChanged);
    b.ctl->ToolButton6Click();
    EXPECT_EQ(b.ctl->toolSyu(), QStringLiteral("2"));
    b.ctl->ToolButton6Click(); // already current: no switch
    b.ctl->ToolButton8Click();
    EXPECT_EQ(b.ctl->toolSyu(), QStringLiteral("3"));
    b.ctl->ToolButton5Click();
    b.ctl->ToolButton7Click();
    b.ctl->ToolButton10Click();
    b.ctl->ToolButton9Click();
    const QStringList want = {"2", "3", "1", "4", "5", "0"};
    ASSERT_EQ(tools.count(), want.size());
    for (int i = 0; i < want.size(); ++i)
        EXPECT_EQ(tools[i][0].toString(), want[i]);
    EXPECT_EQ(b.ctl->toolSyu(), QStringLiteral("0"));
}

TEST_P(ToolsTest, DragTravelIsTakenInPageUnits)
{
    // At 150 % a pixel is two thirds of a unit: the object must follow the
    // pointer's page position, not a rounded pixel travel.
    const int box = b.addBox(0, 100, 100, 50, 50);
    b.press(0, 101, 101);
    ASSERT_TRUE(b.ctl->dragging());
    b.move(0, 102, 103);
    EXPECT_EQ(b.doc.AData[box].X1, 101);
    EXPECT_EQ(b.doc.AData[box].Y1, 102);
    b.move(0, 140, 111);
    b.release(0, 140, 111);
    EXPECT_FALSE(b.ctl->dragging());
    EXPECT_EQ(b.doc.AData[box].X1, 139);
    EXPECT_EQ(b.doc.AData[box].Y1, 110);
    EXPECT_EQ(b.doc.undoStack().count(), 1);

    // The same through a creation tool: its presses over objects go to the
    // selection tool.
    b.ctl->ToolButton8Click();
    b.press(0, 150, 120);
    ASSERT_TRUE(b.ctl->dragging());
    EXPECT_FALSE(b.ctl->boxMode());
    b.move(0, 151, 125);
    b.release(0, 151, 125);
    EXPECT_EQ(b.doc.AData[box].X1, 140);
    EXPECT_EQ(b.doc.AData[box].Y1, 115);
    EXPECT_EQ(b.doc.AData.size(), 1);
}

TEST_P(ToolsTest, SwitchingToolsGivesUpTheCreationInProgress)
{
    // A line's first point goes when the box tool takes over; the box
    // starts afresh and no line is written.
    b.ctl->ToolButton6Click();
    b.click(0, 100, 100);
    ASSERT_TRUE(b.ctl->lineMode());
    ASSERT_TRUE(b.view.Creation.MarkerOn);
    const int redraws = b.host->redraws;
    b.ctl->ToolButton8Click();
    EXPECT_FALSE(b.ctl->lineMode());
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    EXPECT_TRUE(b.doc.NewData.Syu.isEmpty());
    // The marker goes from its layer, not from the page images.
    EXPECT_EQ(b.host->redraws, redraws);
    b.click(0, 300, 300);
    EXPECT_TRUE(b.ctl->boxMode());
    b.click(0, 350, 360);
    ASSERT_EQ(b.doc.AData.size(), 1);
    EXPECT_EQ(b.doc.AData[0].Syu, QStringLiteral("3"));
    EXPECT_EQ(b.doc.AData[0].X1, 300);

    // Picking a text while a box waits for its second point: the text tool
    // becomes current and the box is given up.
    const int t = b.addText(0, 500, 500, QStringLiteral("あ"));
    b.click(0, 100, 100);
    ASSERT_TRUE(b.ctl->boxMode());
    b.click(0, 502, 502);
    EXPECT_EQ(b.ctl->toolSyu(), QStringLiteral("1"));
    EXPECT_FALSE(b.ctl->boxMode());
    EXPECT_EQ(b.selectedRows(), QVector<int>{t});
    EXPECT_EQ(b.doc.AData.size(), 2);
    EXPECT_EQ(b.doc.NewData.X1, 500); // the picked text's place is kept

    // A new text waiting in the text window goes with its tool: "OK" then
    // writes nothing.
    b.ctl->clearSelection();
    b.click(0, 200, 600);
    ASSERT_FALSE(b.ctl->formMoji()->isHidden());
    b.ctl->formMoji()->SetText(QStringLiteral("いぬ"));
    b.ctl->ToolButton6Click();
    EXPECT_TRUE(b.ctl->formMoji()->isHidden());
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    b.ctl->MojiKettei();
    EXPECT_EQ(b.doc.AData.size(), 2);

    // A text being rewritten is not a creation: its window stays.
    b.ctl->ToolButton9Click();
    b.click(0, 502, 502);
    b.ctl->EditSelection();
    ASSERT_FALSE(b.ctl->formMoji()->isHidden());
    b.ctl->ToolButton6Click();
    EXPECT_FALSE(b.ctl->formMoji()->isHidden());
    EXPECT_EQ(b.doc.NewData.ID, b.doc.AData[t].ID);
}

TEST_P(ToolsTest, ProblemToolGivesUpANewProblemWhenLeft)
{
    TFormSiki siki(b.doc);
    siki.SyokiForm();
    b.ctl->setSikiForm(&siki);
    b.ctl->ToolButton10Click();
    b.click(0, 120, 140);
    ASSERT_EQ(b.doc.NewData.Syu, QStringLiteral("5"));
    EXPECT_EQ(b.doc.NewData.X1, 120);
    EXPECT_FALSE(siki.isHidden());
    b.ctl->ToolButton5Click();
    EXPECT_TRUE(siki.isHidden());
    EXPECT_TRUE(b.doc.NewData.Syu.isEmpty());
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    b.ctl->setSikiForm(nullptr);
}

TEST_P(ToolsTest, EscapeGoesToTheToolFirst)
{
    const int box = b.addBox(0, 400, 400, 50, 50);
    b.ctl->ToolButton6Click();
    b.click(0, 100, 100);
    ASSERT_TRUE(b.ctl->lineMode());
    b.ctl->selection().setEntries({entry(box)});
    // The line tool spends Escape on its first point; the selection stays.
    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Escape, Qt::NoModifier));
    EXPECT_FALSE(b.ctl->lineMode());
    EXPECT_EQ(b.selectedRows(), QVector<int>{box});
    // Nothing to give up: Escape empties the selection.
    EXPECT_TRUE(b.ctl->KeyPress(Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(b.ctl->selection().isEmpty());
}

TEST_P(ToolsTest, EachChangeOfTheSelectionSignalsOnce)
{
    const int a = b.addBox(0, 100, 100, 50, 50);
    const int c = b.addBox(0, 300, 100, 50, 50);
    QSignalSpy own(&b.ctl->selection(), &Selection::changed);
    QSignalSpy forwarded(b.ctl.get(), &TEditController::selectionChanged);
    b.click(0, 110, 110);
    EXPECT_EQ(own.count(), 1);
    b.click(0, 110, 110); // the same object again
    b.click(0, 600, 600);
    EXPECT_EQ(own.count(), 2);
    b.click(0, 310, 110); // a new pick replaces an empty selection once
    b.click(0, 110, 110); // and another replaces it once
    EXPECT_EQ(own.count(), 4);

    b.edit->SpeedButtonS->setChecked(true);
    b.ctl->SpeedButtonSClick();
    b.click(0, 310, 110);
    EXPECT_EQ(b.selectedRows(), (QVector<int>{a, c}));
    EXPECT_EQ(own.count(), 5);
    // Dragging and refreshing the marks do not change which rows are selected.
    b.press(0, 310, 110);
    b.move(0, 320, 130);
    b.release(0, 320, 130);
    b.ctl->refreshSelectionMarks();
    EXPECT_EQ(own.count(), 5);
    b.ctl->DataSakujo1();
    EXPECT_TRUE(b.ctl->selection().isEmpty());
    EXPECT_EQ(own.count(), 6);
    b.ctl->clearSelection();
    EXPECT_EQ(own.count(), 6);
    EXPECT_EQ(forwarded.count(), own.count());
}
