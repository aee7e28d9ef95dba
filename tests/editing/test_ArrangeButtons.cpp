// The arrangement commands and the property panels driven through their
// buttons, boxes and menus on an editing controller, each undone and redone:
// undo gives back the file bytes from before, redo those from after.
#include "EditTestSupport.h"

#include "document/UnitFile.h"
#include "editing/UnitArrangeBars.h"
#include "editing/UnitArrangeButtons.h"
#include "editing/UnitColorMenus.h"
#include "editing/UnitFontList.h"
#include "editing/UnitPanelCommands.h"
#include "editing/UnitPro.h"
#include "support/ScriptedDialogs.h"

#include <QUndoStack>

#include <gtest/gtest.h>

namespace
{

struct ArrangeBench : EditBench {
    ArrangeBench()
    {
        bars = std::make_unique<TArrangeBars>(edit->SpeedButtonLock, &window);
        arrange = std::make_unique<TArrangeCommands>(doc, renderer->metrics(), *host, *ctl, *edit);
        arrange->connectBars(bars.get());
        panel = std::make_unique<TPanelCommands>(
            doc, renderer->metrics(), *host, *ctl, *edit, &window,
            QStringList{QStringLiteral("IPAGothic"), QStringLiteral("IPAMincho")});
        panel->setColorChooser(&colors);
        pro = std::make_unique<TFormPro>(&window);
        panel->connectPro(pro.get());
    }
    ~ArrangeBench()
    {
        panel.reset();
        arrange.reset();
    }

    // Presses the objects in this order with "複数" down.
    void pick(std::initializer_list<int> rows)
    {
        edit->SpeedButtonS->setChecked(true);
        for (int r : rows) {
            const RAData &row = doc.AData[r];
            click(row.Page, row.X1 + row.Width / 2, row.Y1 + row.Height / 2);
        }
    }
    QByteArray bytes() const { return BuildFileBytes(doc, 1, 2); }

    // Runs the action as one command and checks undo and redo byte for byte.
    void expectUndoable(const std::function<void()> &action)
    {
        const QByteArray before = bytes();
        const int count = doc.undoStack().count();
        action();
        const QByteArray after = bytes();
        ASSERT_NE(after, before);
        ASSERT_EQ(doc.undoStack().count(), count + 1);
        // Undo and redo select the rows they touched; the steps that follow
        // go on with the selection the command left.
        const QVector<RMouseSelect> sel = ctl->selection().entries();
        SCOPED_TRACE(doc.undoStack().undoText().toStdString());
        doc.undoStack().undo();
        EXPECT_EQ(bytes(), before);
        doc.undoStack().redo();
        EXPECT_EQ(bytes(), after);
        ctl->selection().setEntries(sel);
        if (!sel.isEmpty())
            ctl->refreshSelectionMarks();
    }
    // Runs the action and checks that it changed nothing and pushed nothing.
    void expectNothing(const std::function<void()> &action)
    {
        const QByteArray before = bytes();
        const int count = doc.undoStack().count();
        action();
        EXPECT_EQ(bytes(), before);
        EXPECT_EQ(doc.undoStack().count(), count);
    }

    ScriptedColorChooser colors;
    std::unique_ptr<TArrangeBars> bars;
    std::unique_ptr<TArrangeCommands> arrange;
    std::unique_ptr<TPanelCommands> panel;
    std::unique_ptr<TFormPro> pro;
};

} // namespace

TEST(ArrangeCommands, AlignAndSpaceTheSelection)
{
    ArrangeBench b;
    const int r0 = b.addBox(0, 40, 0, 30, 10);
    const int r1 = b.addBox(0, 10, 100, 30, 10, 1); // locked: aligned too
    const int r2 = b.addBox(0, 25, 15, 30, 10);
    b.pick({r0, r2});
    // A locked box cannot be picked by the mouse while others are: add it
    // to the selection as a refreshed entry.
    RMouseSelect locked;
    locked.ANo = r1;
    b.ctl->selection().append(locked);
    b.ctl->refreshSelectionMarks();
    ASSERT_EQ(b.ctl->selection().size(), 3);

    b.expectUndoable([&] { b.bars->SpeedButtonL->click(); });
    for (const RAData &r : b.doc.AData)
        EXPECT_EQ(r.X1, 10);
    EXPECT_EQ(b.doc.undoStack().undoText(), QStringLiteral("左揃え"));

    b.expectUndoable([&] { b.bars->SpeedButton5->click(); });
    EXPECT_EQ(b.doc.AData[r0].Y1, 0);
    EXPECT_EQ(b.doc.AData[r2].Y1, 50);
    EXPECT_EQ(b.doc.AData[r1].Y1, 100);
    // The selection stays in top-to-bottom order.
    EXPECT_EQ(b.selectedRows(), (QVector<int>{r0, r2, r1}));

    b.bars->MemoSentaku->setText(QStringLiteral("5"));
    b.expectUndoable([&] { b.bars->SpeedButton3->click(); });
    EXPECT_EQ(b.doc.AData[r2].Y1, 15);
    EXPECT_EQ(b.doc.AData[r1].Y1, 30);

    b.expectUndoable([&] { b.bars->SpeedButton6->click(); });
    EXPECT_EQ(b.doc.AData[r2].Y1, 10);
    // The frame follows the rows.
    EXPECT_EQ(b.ctl->marks().frame().top, 0);
    EXPECT_EQ(b.ctl->marks().frame().bottom, 20);

    // Two objects: equal spacing does nothing; none: nothing at all.
    QVector<RMouseSelect> two = b.ctl->selection().entries();
    two.removeLast();
    b.ctl->selection().setEntries(two);
    b.expectNothing([&] { b.bars->SpeedButton5->click(); });
    b.ctl->clearSelection();
    b.expectNothing([&] { b.bars->SpeedButtonR->click(); });
    b.expectNothing([&] { b.bars->SpeedButton6->click(); });
}

TEST(ArrangeCommands, RestackLockDeleteAndModes)
{
    ArrangeBench b;
    for (int i = 0; i < 5; ++i)
        b.addBox(0, 10 + i * 60, 10, 40, 40);
    b.pick({2});
    b.expectUndoable([&] { b.bars->SpeedButton18->click(); });
    EXPECT_EQ(b.doc.AData[0].X1, 130);
    EXPECT_EQ(b.selectedRows(), QVector<int>{0});
    b.expectUndoable([&] { b.bars->SpeedButton19->click(); });
    EXPECT_EQ(b.doc.AData[4].X1, 130);
    EXPECT_EQ(b.selectedRows(), QVector<int>{4});

    b.expectUndoable([&] { b.edit->SpeedButtonLock->click(); });
    EXPECT_EQ(b.doc.AData[4].Lock, 1);
    b.expectUndoable([&] { b.edit->SpeedButtonLock->click(); });
    EXPECT_EQ(b.doc.AData[4].Lock, 0);

    b.pick({0});
    ASSERT_EQ(b.ctl->selection().size(), 2);
    b.expectNothing([&] { b.bars->SpeedButton19->click(); });
    b.expectUndoable([&] { b.arrange->SpeedButton4Click(); });
    EXPECT_EQ(b.doc.AData[0].Layer, 3);
    EXPECT_EQ(b.doc.AData[4].Layer, 3);
    b.expectUndoable([&] { b.arrange->SpeedButton8Click(); });
    EXPECT_EQ(b.doc.AData[0].KotaeMode, 1);
    EXPECT_EQ(b.doc.AData[0].Layer, 1);
    b.expectUndoable([&] { b.edit->SpeedButton22->click(); });
    EXPECT_EQ(b.doc.AData[0].KotaeMode, 0);

    const QVector<RAData> rows = b.doc.AData;
    b.expectUndoable([&] { b.bars->SpeedButton12->click(); });
    ASSERT_EQ(b.doc.AData.size(), 3);
    EXPECT_TRUE(b.ctl->selection().isEmpty());
    EXPECT_EQ(b.doc.AData[0], rows[1]);
    EXPECT_EQ(b.doc.AData[2], rows[3]);
    b.doc.undoStack().undo();
    EXPECT_EQ(b.doc.AData, rows);
    b.ctl->clearSelection();
    b.expectNothing([&] { b.bars->SpeedButton12->click(); });
}

TEST(ArrangeCommands, TheTextWidthFollowsTheLockAndModeCommands)
{
    ArrangeBench b;
    const int t = b.addText(0, 50, 50, QStringLiteral("あいう"));
    const int full = b.doc.AData[t].Width;
    b.doc.AData[t].Width = 3; // stale: the commands measure again
    b.pick({t});
    b.expectUndoable([&] { b.edit->SpeedButton1->click(); });
    EXPECT_EQ(b.doc.AData[t].Width, full);
}

TEST(PanelCommands, FontSizeBoxAndArrows)
{
    ArrangeBench b;
    const int line = b.addLine(0, 10, 10, 100, 50, 0);
    const int text = b.addText(0, 200, 200, QStringLiteral("abc"));
    b.pick({line, text});
    b.edit->MemoFS->setText(QStringLiteral("6"));
    b.expectNothing([&] { emit b.edit->MemoFS->returnPressed(); });
    b.edit->MemoFS->setText(QStringLiteral("1000"));
    b.expectNothing([&] { emit b.edit->MemoFS->returnPressed(); });
    b.edit->MemoFS->setText(QStringLiteral("7"));
    b.expectUndoable([&] { emit b.edit->MemoFS->returnPressed(); });
    EXPECT_EQ(b.doc.AData[line].FontSize, 7); // the first entry only
    EXPECT_EQ(b.doc.AData[text].FontSize, 11);

    b.edit->MemoFS->setText(QStringLiteral("20"));
    const int narrow = b.doc.AData[text].Width;
    b.expectUndoable([&] { b.edit->UpDownFSMo->Up->click(); });
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("21"));
    EXPECT_EQ(b.doc.AData[line].FontSize, 21);
    EXPECT_EQ(b.doc.AData[text].FontSize, 21);
    EXPECT_GT(b.doc.AData[text].Width, narrow); // measured again

    b.edit->MemoFS->setText(QStringLiteral("1"));
    b.edit->UpDownFSMo->Down->click();
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("0"));
}

TEST(PanelCommands, LineAndBoxWidthsActOnTheirKindOnly)
{
    ArrangeBench b;
    const int line = b.addLine(0, 10, 10, 100, 50, 0);
    const int text = b.addText(0, 200, 200, QStringLiteral("abc"));
    const int box = b.addBox(0, 300, 300, 40, 40);
    b.pick({text, line});
    b.edit->MemoLineSize->setText(QStringLiteral("4"));
    b.expectNothing([&] { emit b.edit->MemoLineSize->returnPressed(); });
    b.ctl->clearSelection();
    b.pick({line, text});
    b.expectUndoable([&] { emit b.edit->MemoLineSize->returnPressed(); });
    EXPECT_EQ(b.doc.AData[line].FontSize, 4);
    EXPECT_EQ(b.doc.AData[text].FontSize, 11);

    b.edit->MemoLineSize->setText(QStringLiteral("1"));
    b.edit->UpDownLineSize->Down->click();
    EXPECT_EQ(b.edit->MemoLineSize->text(), QStringLiteral("1"));
    EXPECT_EQ(b.doc.AData[line].FontSize, 1);

    b.ctl->clearSelection();
    b.pick({box});
    b.edit->MemoBoxSize->setText(QStringLiteral("2"));
    b.expectUndoable([&] { b.edit->UpDownBoxSize->Up->click(); });
    EXPECT_EQ(b.doc.AData[box].FontSize, 3);
}

TEST(PanelCommands, ColourMenusFontListAndStyles)
{
    ArrangeBench b;
    const int box = b.addBox(0, 10, 10, 80, 40);
    const int text = b.addText(0, 200, 200, QStringLiteral("abc"));
    const int pic = b.addBox(0, 300, 300, 40, 40);
    b.doc.AData[pic].Syu = QStringLiteral("4");
    b.pick({box});

    b.colors.answers = {TColor(0x00FF00)};
    b.expectUndoable([&] { b.panel->menus()->BoxFullSet->trigger(); });
    EXPECT_EQ(b.doc.AData[box].BackColor, 0x00FF00);
    EXPECT_EQ(b.doc.AData[box].BackColorB, 1);
    EXPECT_FALSE(b.edit->PanelColorBoxFull->transparentShown());

    b.expectUndoable([&] { b.panel->menus()->BoxFullNone->trigger(); });
    EXPECT_EQ(b.doc.AData[box].BackColorB, 0);
    EXPECT_TRUE(b.edit->PanelColorBoxFull->transparentShown());
    EXPECT_EQ(b.edit->PanelColorBoxFull->color(), PanelColor());

    // A cancelled dialog changes nothing, not even the swatch.
    const TColor swatch = b.edit->PanelColorBox->color();
    b.expectNothing([&] { b.panel->menus()->BoxSet->trigger(); });
    EXPECT_EQ(b.colors.asked, 2);
    EXPECT_EQ(b.edit->PanelColorBox->color(), swatch);
    b.expectUndoable([&] { b.panel->menus()->BoxNone->trigger(); });
    EXPECT_EQ(b.doc.AData[box].ForeColor, PanelColor());

    b.pick({text, pic});
    b.colors.answers = {TColor(255)};
    b.expectUndoable([&] { b.panel->menus()->FCMoSet->trigger(); });
    for (int r : {box, text, pic})
        EXPECT_EQ(b.doc.AData[r].ForeColor, 255);
    EXPECT_EQ(b.edit->PanelFCMo->color(), 255);

    // The font list reaches every selected row, lines and pictures too.
    b.edit->SpeedButtonFontName->click();
    ASSERT_FALSE(b.panel->fontList()->isHidden());
    b.expectUndoable([&] { b.panel->fontList()->ImageFontNameMouseUp(16 + 3); });
    for (int r : {box, text, pic})
        EXPECT_EQ(b.doc.AData[r].FontName, QStringLiteral("IPAMincho"));
    EXPECT_EQ(b.edit->MemoFontName->text(), QStringLiteral("IPAMincho"));

    b.expectUndoable([&] { b.edit->SpeedButtonBold->click(); });
    EXPECT_EQ(b.doc.AData[text].FontB, 1);
    EXPECT_EQ(b.doc.AData[box].FontB, 0);
    b.expectUndoable([&] { b.edit->SpeedButtonStrike->click(); });
    EXPECT_EQ(b.doc.AData[box].FontS, 1);
}

TEST(PanelCommands, CoordinateDialog)
{
    ArrangeBench b;
    const int box = b.addBox(0, 10, 20, 80, 40);
    b.pick({box});
    EXPECT_EQ(b.pro->MemoX1->text(), QStringLiteral("10"));
    EXPECT_EQ(b.pro->MemoH->text(), QStringLiteral("40"));
    b.pro->MemoX1->setText(QStringLiteral("33"));
    b.pro->MemoW->setText(QStringLiteral("x"));
    b.expectUndoable([&] { b.pro->ButtonSetting->click(); });
    EXPECT_EQ(b.doc.AData[box].X1, 33);
    EXPECT_EQ(b.doc.AData[box].Width, 0);
    b.ctl->clearSelection();
    b.pro->MemoX1->setText(QStringLiteral("50"));
    b.expectNothing([&] { b.pro->ButtonSetting->click(); });
}
