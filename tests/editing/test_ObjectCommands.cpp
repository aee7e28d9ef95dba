// The command classes of moving, sizing and arranging objects, driven
// directly: undo and redo give back the file bytes, runs merge into one
// step, a command that changes nothing pushes nothing, and the selection
// commands say before they run whether they apply and what selection they
// leave.
#include "EditTestSupport.h"
#include "document/UnitFile.h"
#include "editing/UnitObjectCommands.h"
#include "editing/UnitSelectionCommands.h"

#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

struct Sheet : EditBench {
    Sheet()
    {
        text = addText(0, 100, 100, QStringLiteral("もじ"));
        line = addLine(0, 300, 50, 80, 40, 0);
        box = addBox(1, 50, 200, 60, 30);
        locked = addBox(0, 400, 400, 20, 20, 1);
    }
    QByteArray bytes() const { return BuildFileBytes(doc, LayerWorksheet, 2); }
    QUndoStack &stack() { return doc.undoStack(); }
    RMouseSelect entry(int row) const
    {
        const RAData &r = doc.AData[row];
        RMouseSelect e;
        e.ANo = row;
        e.X = r.X1;
        e.Y = r.Y1;
        e.W = r.Width;
        e.H = r.Height;
        e.FS = r.FontSize;
        e.Lock = r.Lock;
        return e;
    }
    // Undo to `before`, redo to `after`.
    void expectRoundTrip(const QByteArray &before, const QByteArray &after)
    {
        stack().undo();
        EXPECT_EQ(bytes(), before);
        stack().redo();
        EXPECT_EQ(bytes(), after);
    }
    int text = 0, line = 0, box = 0, locked = 0;
};

} // namespace

// A drag is one step however many moves it has; a locked object stays; a
// drag back to the start leaves no step; a new run is a new step.
TEST(ObjectCommands, DragsMergeIntoOneStepPerRun)
{
    Sheet s;
    const QByteArray start = s.bytes();
    const QVector<RMouseSelect> sel{s.entry(s.text), s.entry(s.box), s.entry(s.locked)};
    const Integer textEnd = s.doc.AData[s.text].X2;
    const int run = s.doc.newMergeRun();
    for (int step = 1; step <= 4; ++step)
        s.doc.push(std::make_unique<MoveObjectsCommand>(s.doc, sel, 5 * step, -step, run));
    ASSERT_EQ(s.stack().count(), 1);
    EXPECT_EQ(s.stack().undoText(), QStringLiteral("移動"));
    EXPECT_EQ(s.doc.AData[s.text].X1, 120);
    EXPECT_EQ(s.doc.AData[s.box].Y1, 196);
    EXPECT_EQ(s.doc.AData[s.locked].X1, 400);
    // A drag does not carry a text's end point along.
    EXPECT_EQ(s.doc.AData[s.text].X2, textEnd);
    s.expectRoundTrip(start, s.bytes());

    const QByteArray moved = s.bytes();
    const int back = s.doc.newMergeRun();
    const QVector<RMouseSelect> now{s.entry(s.text)};
    s.doc.push(std::make_unique<MoveObjectsCommand>(s.doc, now, 30, 30, back));
    s.doc.push(std::make_unique<MoveObjectsCommand>(s.doc, now, 0, 0, back));
    EXPECT_EQ(s.stack().count(), 1);
    EXPECT_EQ(s.bytes(), moved);
    EXPECT_FALSE(s.doc.push(std::make_unique<MoveObjectsCommand>(s.doc, now, 0, 0, back)));
    EXPECT_EQ(s.stack().count(), 1);
}

// Arrow keys move texts and lines with their end points; a run is one step.
// The nudge window moves every row, one step per press.
TEST(ObjectCommands, NudgesAndShiftsUndoByteForByte)
{
    Sheet s;
    const QByteArray start = s.bytes();
    const int run = s.doc.newMergeRun();
    const QVector<int> rows{s.text, s.line, s.locked};
    const RAData text = s.doc.AData[s.text], line = s.doc.AData[s.line];
    for (int k = 0; k < 3; ++k)
        s.doc.push(std::make_unique<NudgeObjectsCommand>(s.doc, rows, 10, -1, run));
    ASSERT_EQ(s.stack().count(), 1);
    EXPECT_EQ(s.doc.AData[s.line].X1, 330);
    EXPECT_EQ(s.doc.AData[s.line].X2, line.X2 + 30);
    EXPECT_EQ(s.doc.AData[s.text].Y2, text.Y2 - 3);
    EXPECT_EQ(s.doc.AData[s.locked].X1, 400);
    s.expectRoundTrip(start, s.bytes());

    // Another run is another step, and an undone run is not joined.
    const QByteArray nudged = s.bytes();
    s.doc.push(std::make_unique<NudgeObjectsCommand>(s.doc, rows, 0, 1, s.doc.newMergeRun()));
    EXPECT_EQ(s.stack().count(), 2);
    s.stack().undo();
    EXPECT_EQ(s.bytes(), nudged);
    EXPECT_FALSE(s.doc.push(
        std::make_unique<NudgeObjectsCommand>(s.doc, QVector<int>{s.locked}, 1, 1, run)));

    const QByteArray before = s.bytes();
    ASSERT_TRUE(s.doc.push(std::make_unique<ShiftAllObjectsCommand>(s.doc, -7)));
    EXPECT_EQ(s.doc.AData[s.locked].Y1, 393);
    s.expectRoundTrip(before, s.bytes());
    EXPECT_FALSE(s.doc.push(std::make_unique<ShiftAllObjectsCommand>(s.doc, 0)));
}

// A handle drag is one step: the steps of one run join row by row, and the
// text is measured again at its new size.
TEST(ObjectCommands, AResizeRunIsOneStep)
{
    Sheet s;
    const QByteArray start = s.bytes();
    const QVector<RMouseSelect> sel{s.entry(s.text)};
    const PageRect frame = RowRect(s.doc.AData[s.text]);
    const int run = s.doc.newMergeRun();
    const Integer widthBefore = s.doc.AData[s.text].Width;
    for (int grow = 10; grow <= 40; grow += 10) {
        const FrameSize size = ResizeFrame(Handle::BottomRight, frame, grow, grow, true);
        s.doc.push(std::make_unique<ResizeObjectsCommand>(s.doc, s.renderer->metrics(), sel,
                                                          Handle::BottomRight, frame, size, run));
    }
    ASSERT_EQ(s.stack().count(), 1);
    EXPECT_EQ(s.stack().undoText(), QStringLiteral("サイズ変更"));
    EXPECT_GT(s.doc.AData[s.text].FontSize, 11);
    EXPECT_GT(s.doc.AData[s.text].Width, widthBefore);
    s.expectRoundTrip(start, s.bytes());
}

// The selection commands know before they run whether they apply and
// which selection they leave; one that does not apply, or changes nothing,
// pushes nothing.
TEST(ObjectCommands, SelectionCommandsPlanTheirSelectionAndUndo)
{
    Sheet s;
    const int lower = s.addBox(0, 10, 300, 40, 20);
    const QVector<RMouseSelect> sel{s.entry(lower), s.entry(s.text), s.entry(s.line)};

    auto pack = std::make_unique<SpaceObjectsCommand>(s.doc, sel, SpacingKind::PackUp);
    ASSERT_TRUE(pack->applies());
    const QVector<RMouseSelect> sorted = pack->selection();
    ASSERT_EQ(sorted.size(), 3);
    EXPECT_EQ(sorted[0].ANo, s.line); // top first
    EXPECT_EQ(sorted[2].ANo, lower);
    QByteArray before = s.bytes();
    ASSERT_TRUE(s.doc.push(std::move(pack)));
    EXPECT_EQ(s.doc.AData[s.text].Y1, 50 + 40);
    s.expectRoundTrip(before, s.bytes());
    // Packed already: it applies but changes nothing.
    auto again = std::make_unique<SpaceObjectsCommand>(s.doc, sorted, SpacingKind::PackUp);
    EXPECT_TRUE(again->applies());
    EXPECT_FALSE(s.doc.push(std::move(again)));

    auto equal = std::make_unique<SpaceObjectsCommand>(s.doc, sel.mid(0, 2), SpacingKind::Equal);
    EXPECT_FALSE(equal->applies());
    EXPECT_FALSE(s.doc.push(std::move(equal)));

    // Sending the top row to the back: the entry follows it to row 0.
    const int top = s.doc.AData.size() - 1;
    auto back =
        std::make_unique<RestackObjectCommand>(s.doc, QVector<RMouseSelect>{s.entry(top)}, false);
    ASSERT_TRUE(back->applies());
    EXPECT_EQ(back->selection()[0].ANo, 0);
    before = s.bytes();
    const RAData moving = s.doc.AData[top];
    ASSERT_TRUE(s.doc.push(std::move(back)));
    EXPECT_EQ(s.doc.AData[0], moving);
    EXPECT_EQ(s.stack().undoText(), QStringLiteral("背面へ移動"));
    s.expectRoundTrip(before, s.bytes());
    EXPECT_FALSE(
        RestackObjectCommand(s.doc, QVector<RMouseSelect>{s.entry(0), s.entry(1)}, true).applies());

    const QVector<RMouseSelect> two{s.entry(1), s.entry(2)};
    Metrics &metrics = s.renderer->metrics();
    const std::function<std::unique_ptr<SelectionRuleCommand>()> commands[] = {
        [&] { return std::make_unique<AlignObjectsCommand>(s.doc, two, AlignKind::Right); },
        [&] { return std::make_unique<LockObjectsCommand>(s.doc, metrics, two, true); },
        [&] {
            return std::make_unique<SetObjectModeCommand>(s.doc, metrics, two, ObjectMode::Answer);
        },
        [&] {
            return std::make_unique<RestyleObjectsCommand>(
                s.doc, QStringLiteral("太字"), two, RStyleChange::fontStyle(FontStyle::Bold, true),
                &metrics);
        },
        [&] {
            return std::make_unique<RestyleObjectsCommand>(
                s.doc, QStringLiteral("線の色"), two, RStyleChange::foreColor(0x123456), nullptr);
        },
    };
    const char *names[] = {"右揃え", "ロック", "解答モード", "太字", "線の色"};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(names[k]);
        before = s.bytes();
        ASSERT_TRUE(s.doc.push(commands[k]()));
        EXPECT_EQ(s.stack().undoText(), QString::fromUtf8(names[k]));
        s.expectRoundTrip(before, s.bytes());
        // Done once, the same command finds nothing left to change.
        EXPECT_FALSE(s.doc.push(commands[k]()));
    }
    EXPECT_FALSE(AlignObjectsCommand(s.doc, {}, AlignKind::Left).applies());
}
