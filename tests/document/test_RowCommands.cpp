// The row commands of the document: new objects with their pictures,
// removed objects, a rewritten object, a name field read in and the
// classification. Each is checked on the file bytes: done, undone (the
// bytes from before) and redone (the bytes of the done state).
#include "support/ChangeRecorder.h"
#include "document/UnitBunruiCommand.h"
#include "document/UnitFile.h"
#include "document/UnitRowCommands.h"

#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

RAData row(Integer id, const char *syu, Integer page, Integer x, Integer picNo = 0,
           Integer layer = 1)
{
    RAData r;
    r.ID = id;
    r.Syu = QString::fromLatin1(syu);
    r.Page = page;
    r.X1 = x;
    r.Y1 = x + 1;
    r.Width = 30;
    r.Height = 20;
    r.Siki = QStringLiteral("文字%1").arg(id);
    r.PicNo = picNo;
    r.Layer = layer;
    return r;
}

QImage picture(QRgb colour, int w = 5, int h = 3)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

void fill(Document &d)
{
    d.AData = {row(1, "1", 0, 10), row(2, "4", 0, 20, 0), row(3, "0", 1, 30),
               row(4, "3", 1, 40, 0, 3), row(5, "1", 2, 50)};
    d.BMData = {picture(qRgb(200, 0, 0))};
}

QByteArray bytes(const Document &d)
{
    return BuildFileBytes(d, LayerWorksheet, 3);
}

// Pushes the command and checks one step named `name`: undo gives the
// bytes from before, redo those of the done state.
void expectRoundTrip(Document &d, std::unique_ptr<DocumentCommand> command, const QString &name)
{
    const QByteArray before = bytes(d);
    const int steps = d.undoStack().count();
    ASSERT_TRUE(d.push(std::move(command))) << name.toStdString();
    const QByteArray done = bytes(d);
    ASSERT_NE(done, before) << name.toStdString();
    ASSERT_EQ(d.undoStack().count(), steps + 1);
    EXPECT_EQ(d.undoStack().undoText(), name);
    d.undoStack().undo();
    EXPECT_EQ(bytes(d), before) << name.toStdString();
    d.undoStack().redo();
    EXPECT_EQ(bytes(d), done) << name.toStdString();
}

} // namespace

TEST(RowCommands, EachCommandUndoesAndRedoesByteForByte)
{
    Document d;
    fill(d);
    ChangeRecorder rec(d);

    // A text and a picture with its picture: fresh IDs after the largest,
    // the picture row numbered to the appended picture.
    RNewObjects added;
    added.rows = {row(0, "1", 2, 70), row(0, "4", 1, 80, 0)};
    added.pictures = {picture(qRgb(0, 0, 250), 7, 2)};
    expectRoundTrip(d, std::make_unique<AddObjectsCommand>(d, QStringLiteral("作成"), added),
                    QStringLiteral("作成"));
    ASSERT_EQ(d.AData.size(), 7);
    EXPECT_EQ(d.AData[5].ID, 6);
    EXPECT_EQ(d.AData[6].ID, 7);
    EXPECT_EQ(d.AData[6].PicNo, 1);
    EXPECT_EQ(d.BMData.size(), 2);
    EXPECT_EQ(rec.changes.last().rows, (QVector<int>{5, 6}));
    EXPECT_EQ(rec.changes.last().pages, (QSet<int>{1, 2}));

    // The rows asked for go, with the row already of kind "0"; undo brings
    // all three back in their places and selects them.
    expectRoundTrip(
        d,
        std::make_unique<RemoveObjectsCommand>(d, QStringLiteral("削除"), QVector<int>{0, 5, 99}),
        QStringLiteral("削除"));
    EXPECT_EQ(d.AData.size(), 4);
    EXPECT_EQ(rec.changes.last().pages, (QSet<int>{0, 1, 2}));
    d.undoStack().undo();
    EXPECT_EQ(rec.changes.last().rows, (QVector<int>{0, 2, 5}));
    d.undoStack().redo();

    RAData rewritten = d.AData[0];
    rewritten.Siki = QStringLiteral("あたらしい");
    rewritten.Page = 1;
    expectRoundTrip(
        d, std::make_unique<ChangeObjectCommand>(d, QStringLiteral("書き換え"), 0, rewritten),
        QStringLiteral("書き換え"));
    EXPECT_EQ(rec.changes.last().pages, (QSet<int>{0, 1}));

    // A name field replaces the Layer 3 box and brings its own picture.
    Document source;
    source.AData = {row(1, "4", 0, 5, 0, 3), row(2, "1", 0, 6, 0, 3)};
    source.BMData = {picture(qRgb(0, 90, 0), 4, 4)};
    NameFieldFile file;
    ASSERT_TRUE(ParseFile(BuildFileBytes(source, LayerNameField), file).ok);
    expectRoundTrip(d, std::make_unique<LoadNameFieldCommand>(d, file),
                    QStringLiteral("名前欄の読み込み"));
    int layer3 = 0;
    for (const RAData &r : d.AData)
        layer3 += r.Layer == 3;
    EXPECT_EQ(layer3, 2);
    EXPECT_EQ(d.BMData.size(), 3);

    const int steps = d.undoStack().count();
    d.undoStack().setIndex(0);
    Document fresh;
    fill(fresh);
    EXPECT_EQ(bytes(d), bytes(fresh));
    d.undoStack().setIndex(steps);

    expectRoundTrip(
        d,
        std::make_unique<ChangeBunruiCommand>(d, RBunruiValues{3, 2, QStringLiteral("たしざん")}),
        QStringLiteral("分類"));
}

// A command that would change nothing is dropped: the stack, its redo steps
// included, stays as it was, and nothing is announced.
TEST(RowCommands, ACommandThatChangesNothingLeavesTheStackAlone)
{
    Document d;
    fill(d);
    d.push(
        std::make_unique<ChangeObjectCommand>(d, QStringLiteral("書き換え"), 1, row(9, "3", 0, 1)));
    d.undoStack().undo();
    ASSERT_TRUE(d.undoStack().canRedo());
    ChangeRecorder rec(d);

    EXPECT_FALSE(
        d.push(std::make_unique<AddObjectsCommand>(d, QStringLiteral("作成"), RNewObjects{})));
    EXPECT_FALSE(d.push(
        std::make_unique<ChangeObjectCommand>(d, QStringLiteral("書き換え"), 1, d.AData[1])));
    EXPECT_FALSE(d.push(
        std::make_unique<ChangeObjectCommand>(d, QStringLiteral("書き換え"), 42, d.AData[1])));
    EXPECT_FALSE(d.push(std::make_unique<ChangeBunruiCommand>(d, BunruiValuesOf(d))));
    EXPECT_TRUE(d.undoStack().canRedo());
    EXPECT_EQ(d.undoStack().count(), 1);
    EXPECT_TRUE(rec.changes.isEmpty());

    // Without a row of kind "0" an empty removal removes nothing.
    d.AData.removeAt(2);
    EXPECT_FALSE(d.push(
        std::make_unique<RemoveObjectsCommand>(d, QStringLiteral("削除"), QVector<int>{-1, 9})));
    EXPECT_TRUE(d.undoStack().canRedo());
}

TEST(RowCommands, InsertAndShiftMovesRowsAndAddsObjectsAsOneStep)
{
    Document d;
    fill(d);
    d.AData[0].Y2 = 80; // a text carries its end point
    d.AData[3].Y2 = 7;  // a box's X2/Y2 are no position and stay
    const QVector<RAData> before = d.AData;
    const QByteArray start = bytes(d);

    RNewObjects objects{{row(0, "3", 0, 5), row(0, "4", 0, 6, 0, 3)}, {picture(qRgb(0, 0, 200))}};
    // Row 0 is named twice (moves once), row 99 does not exist, row 4 has
    // no move at all.
    QVector<RRowShift> shifts = {{0, 25}, {3, -5}, {0, 25}, {99, 10}, {4, 0}};
    ASSERT_TRUE(d.push(std::make_unique<InsertAndShiftCommand>(d, QStringLiteral("名前欄を追加"),
                                                               objects, shifts)));
    ASSERT_EQ(d.AData.size(), 7);
    EXPECT_EQ(d.AData[0].Y1, before[0].Y1 + 25);
    EXPECT_EQ(d.AData[0].Y2, 105);
    EXPECT_EQ(d.AData[3].Y1, before[3].Y1 - 5);
    EXPECT_EQ(d.AData[3].Y2, 7);
    EXPECT_EQ(d.AData[1], before[1]);
    EXPECT_EQ(d.AData[4], before[4]);
    // Fresh IDs after the highest, and the picture row names the appended picture.
    EXPECT_EQ(d.AData[5].ID, 6);
    EXPECT_EQ(d.AData[6].ID, 7);
    EXPECT_EQ(d.AData[6].PicNo, 1);
    ASSERT_EQ(d.BMData.size(), 2);
    EXPECT_EQ(d.BMData[1].pixel(0, 0), qRgb(0, 0, 200));
    const QByteArray done = bytes(d);
    EXPECT_EQ(d.undoStack().count(), 1);

    d.undoStack().undo();
    EXPECT_EQ(bytes(d), start);
    EXPECT_EQ(d.AData, before);
    EXPECT_EQ(d.BMData.size(), 1);
    d.undoStack().redo();
    EXPECT_EQ(bytes(d), done);

    // Nothing to add and nothing to move pushes nothing.
    EXPECT_FALSE(d.push(std::make_unique<InsertAndShiftCommand>(
        d, QStringLiteral("名前欄を追加"), RNewObjects{}, QVector<RRowShift>{})));
    EXPECT_EQ(d.undoStack().count(), 1);
}
