#include "document/UnitCommands.h"
#include "document/UnitFile.h"
#include "support/RecordedEdit.h"
#include "support/ChangeRecorder.h"

#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

RAData row(Integer id, const char *syu, Integer page, Integer x, Integer y, Integer picNo = 0)
{
    RAData r;
    r.ID = id;
    r.Syu = QString::fromLatin1(syu);
    r.Page = page;
    r.X1 = x;
    r.Y1 = y;
    r.Width = 40;
    r.Height = 20;
    r.Siki = QStringLiteral("文字%1").arg(id);
    r.FontName = QStringLiteral("ＭＳ ゴシック");
    r.FontSize = 11;
    r.PicNo = picNo;
    r.Layer = 1;
    return r;
}

QImage picture(QRgb colour, int w = 6, int h = 4)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// Three pages: texts, a line, two pictures.
void fill(Document &d)
{
    d.AData = {row(1, "1", 0, 10, 10),   row(2, "2", 0, 50, 60),  row(3, "4", 1, 5, 5, 0),
               row(4, "1", 1, 100, 100), row(5, "4", 2, 7, 7, 1), row(6, "1", 2, 30, 30)};
    d.BMData = {picture(qRgb(255, 0, 0)), picture(qRgb(0, 0, 255), 3, 9)};
}

QByteArray bytes(const Document &d)
{
    return BuildFileBytes(d, LayerWorksheet, 3);
}

} // namespace

// Every shape of edit (in place, append, removal with closing up, picture
// removal that renumbers rows, header field) comes back byte for byte on
// undo and goes forward byte for byte on redo.
TEST(Commands, UndoAndRedoRestoreTheFileBytesForEveryShapeOfEdit)
{
    const std::vector<std::pair<const char *, std::function<void(Document &)>>> edits = {
        {"移動", [](Document &d) { d.AData[3].X1 += 25, d.AData[3].Y1 -= 3; }},
        {"作成",
         [](Document &d) {
             d.BMData.append(picture(qRgb(0, 200, 0)));
             d.AData.append(row(d.GetId(), "4", 2, 1, 1, d.BMData.size() - 1));
         }},
        {"削除",
         [](Document &d) {
             d.DeleteRows({0, 3, 5});
         }},
        {"画像", [](Document &d) { d.BMData[1] = picture(qRgb(0, 0, 0), 4, 4); }},
        {"前面", [](Document &d) { d.AData.append(d.AData.takeAt(1)); }},
        {"解答の色", [](Document &d) { d.AnswerColor = 0x00FF00; }},
        {"作成", [](Document &d) { d.AData.insert(2, row(9, "3", 1, 0, 0)), d.AData[0].X1 = 1; }},
    };
    for (const auto &[name, edit] : edits) {
        Document d;
        fill(d);
        const QByteArray before = bytes(d);
        // (A structured binding is captured through a reference of its own,
        // which every compiler of the project accepts.)
        const auto &change = edit;
        ASSERT_TRUE(PushEdit(d, QString::fromUtf8(name), [&] { change(d); })) << name;
        const QByteArray after = bytes(d);
        ASSERT_NE(before, after) << name;
        EXPECT_EQ(d.undoStack().undoText(), QString::fromUtf8(name));
        d.undoStack().undo();
        EXPECT_EQ(bytes(d), before) << name;
        d.undoStack().redo();
        EXPECT_EQ(bytes(d), after) << name;
        d.undoStack().undo();
        EXPECT_EQ(bytes(d), before) << name;
    }
}

TEST(Commands, AnEditThatChangesNothingPushesNothingAndAFailedEditLeavesTheRows)
{
    Document d;
    fill(d);
    EXPECT_FALSE(PushEdit(d, QStringLiteral("移動"), [&] { d.AData[0].X1 += 0; }));
    EXPECT_EQ(d.undoStack().count(), 0);

    const QByteArray before = bytes(d);
    EXPECT_THROW(PushEdit(d, QStringLiteral("削除"),
                          [&] {
                              d.DeleteRows({1, 2});
                              throw std::runtime_error("stop");
                          }),
                 std::runtime_error);
    EXPECT_EQ(bytes(d), before);
    EXPECT_EQ(d.undoStack().count(), 0);
}

// A drag is one undo step; a new press starts another; a drag that ends
// where it began leaves no step at all.
TEST(Commands, EditsOfOneRunMergeIntoOneStep)
{
    Document d;
    fill(d);
    const QByteArray start = bytes(d);
    const RMerge drag{MergeKind::Move, d.newMergeRun()};
    for (int step = 1; step <= 5; ++step)
        PushEdit(
            d, QStringLiteral("移動"), [&] { d.AData[0].X1 = 10 + step; }, drag);
    // Another row joins the run halfway.
    PushEdit(
        d, QStringLiteral("移動"), [&] { d.AData[4].Y1 = 70; }, drag);
    EXPECT_EQ(d.undoStack().count(), 1);
    const QByteArray moved = bytes(d);

    const RMerge second{MergeKind::Move, d.newMergeRun()};
    PushEdit(
        d, QStringLiteral("移動"), [&] { d.AData[0].X1 = 99; }, second);
    EXPECT_EQ(d.undoStack().count(), 2);
    d.undoStack().undo();
    EXPECT_EQ(bytes(d), moved);
    d.undoStack().undo();
    EXPECT_EQ(bytes(d), start);
    EXPECT_EQ(d.AData[4].Y1, 7);

    // There and back again within one run.
    d.undoStack().clear();
    const RMerge back{MergeKind::Move, d.newMergeRun()};
    PushEdit(
        d, QStringLiteral("移動"), [&] { d.AData[2].X1 = 50; }, back);
    PushEdit(
        d, QStringLiteral("移動"), [&] { d.AData[2].X1 = 5; }, back);
    EXPECT_EQ(d.undoStack().count(), 0);
    EXPECT_EQ(bytes(d), start);
}

// The change names the pages to redraw and the rows for the selection: on
// redo the rows the command left, on undo the rows it brought back.
TEST(Commands, ChangesNameTheTouchedPagesAndRows)
{
    Document d;
    fill(d);
    ChangeRecorder rec(d);
    PushEdit(d, QStringLiteral("移動"), [&] { d.AData[3].Page = 2; });
    ASSERT_EQ(rec.changes.size(), 1);
    EXPECT_TRUE(rec.changes[0].initial);
    EXPECT_EQ(rec.changes[0].pages, (QSet<int>{1, 2}));
    EXPECT_EQ(rec.changes[0].rows, QVector<int>{3});
    EXPECT_FALSE(rec.changes[0].allPages);

    PushEdit(d, QStringLiteral("削除"), [&] { d.DeleteRows({0, 1}); });
    EXPECT_EQ(rec.changes.last().pages, QSet<int>{0});
    EXPECT_TRUE(rec.changes.last().rows.isEmpty());
    d.undoStack().undo();
    EXPECT_TRUE(rec.changes.last().undone);
    EXPECT_FALSE(rec.changes.last().initial);
    EXPECT_EQ(rec.changes.last().rows, (QVector<int>{0, 1}));

    // A picture replaced in place redraws the pages that show it.
    PushEdit(d, QStringLiteral("画像"), [&] { d.BMData[1] = picture(qRgb(1, 2, 3)); });
    EXPECT_EQ(rec.changes.last().pages, QSet<int>{2});

    PushEdit(d, QStringLiteral("解答の色"), [&] { d.AnswerColor = 1; });
    EXPECT_TRUE(rec.changes.last().allPages);
}

TEST(Commands, TheWorksheetIsModifiedExactlyWhenItDiffersFromTheSavedState)
{
    Document d;
    fill(d);
    // The flag the rest of the program reads always says what the stack says.
    const auto modified = [&d] {
        EXPECT_EQ(bool(d.FileData.HensyuB), d.isModified());
        return d.isModified();
    };
    EXPECT_FALSE(modified());
    PushEdit(d, QStringLiteral("サイズ変更"), [&] { d.AData[1].Width = 90; });
    EXPECT_TRUE(modified());
    d.markSaved();
    EXPECT_FALSE(modified());
    d.undoStack().undo();
    EXPECT_TRUE(modified());
    d.undoStack().redo();
    EXPECT_FALSE(modified());

    // An edit that changes nothing is no change.
    EXPECT_FALSE(PushEdit(d, QStringLiteral("サイズ変更"), [&] { d.AData[1].Width = 90; }));
    EXPECT_FALSE(modified());

    // A run of arrow keys that goes on after a save does not fold into the
    // saved step: the worksheet is changed, and undo returns to the file.
    const RMerge nudge{MergeKind::Nudge, d.newMergeRun()};
    PushEdit(d, QStringLiteral("移動"), [&] { d.AData[0].X1 += 1; }, nudge);
    d.SyokiFileData();
    EXPECT_FALSE(modified());
    const Integer saved = d.AData[0].X1;
    PushEdit(d, QStringLiteral("移動"), [&] { d.AData[0].X1 += 1; }, nudge);
    EXPECT_TRUE(modified());
    d.undoStack().undo();
    EXPECT_EQ(d.AData[0].X1, saved);
    EXPECT_FALSE(modified());

    // Undo past the saved state, then another edit: the saved state is
    // gone from the history, so no step reaches it.
    d.undoStack().undo();
    PushEdit(d, QStringLiteral("サイズ変更"), [&] { d.AData[1].Width = 70; });
    EXPECT_TRUE(modified());
    d.undoStack().undo();
    EXPECT_TRUE(modified());
    d.undoStack().redo();
    EXPECT_TRUE(modified());

    // A new history starts unchanged.
    d.resetHistory();
    EXPECT_FALSE(modified());
    EXPECT_FALSE(d.undoStack().canUndo());

    // A document moved in comes without its history, so unchanged; the
    // one it came from keeps following its own stack.
    Document other;
    fill(other);
    PushEdit(other, QStringLiteral("サイズ変更"), [&] { other.AData[1].Width = 60; });
    ASSERT_TRUE(other.FileData.HensyuB);
    d = std::move(other);
    EXPECT_FALSE(modified());
    Document taken(std::move(d));
    EXPECT_FALSE(taken.FileData.HensyuB);
    PushEdit(taken, QStringLiteral("サイズ変更"), [&] { taken.AData[1].Width = 50; });
    EXPECT_TRUE(taken.FileData.HensyuB);
    EXPECT_FALSE(modified());
}
