// The sheet options of column problems kept in RandZ2 (squares for the
// digits, the carry-mark row): reading and writing the field, the column
// page's check boxes, "決定", "作成" and the worksheet file.
#include "SikiTestSupport.h"

#include "document/UnitFile.h"
#include "math/UnitHissanOptions.h"
#include "math/UnitRegenerate.h"

#include <QTemporaryDir>
#include <QUndoStack>

TEST(HissanOptionsTest, ReadsWritesAndKeepsWhatItDoesNotKnow)
{
    // An empty field: both off, and it stays empty.
    HissanOptions none = HissanOptions::fromText(QString());
    EXPECT_FALSE(none.masu());
    EXPECT_FALSE(none.memo());
    none.setMasu(false);
    EXPECT_EQ(none.text(), QString());

    // Only "1" switches on; "0", other spellings and bare keys do not.
    EXPECT_TRUE(HissanOptions::fromText("masu=1").masu());
    EXPECT_FALSE(HissanOptions::fromText("masu=1").memo());
    EXPECT_TRUE(HissanOptions::fromText("x=2;memo=1").memo());
    for (const char *text : {"masu=0", "masu=01", "masu", "masu=", "MASU=1", "masu=2"})
        EXPECT_FALSE(HissanOptions::fromText(text).masu()) << text;

    // Unknown pairs and odd spellings are kept in their order; a switched
    // option stands where it stood or is appended; options off are left out.
    HissanOptions o = HissanOptions::fromText(QStringLiteral("zz=あ;masu=yes;memo=0;q"));
    EXPECT_EQ(o.text(), QStringLiteral("zz=あ;masu=yes;memo=0;q")); // untouched, byte for byte
    o.setMemo(true);
    EXPECT_EQ(o.text(), QStringLiteral("zz=あ;masu=yes;memo=1;q"));
    o.setMasu(true);
    EXPECT_EQ(o.text(), QStringLiteral("zz=あ;masu=yes;memo=1;q;masu=1"));
    o.setMemo(false);
    o.setMasu(false);
    EXPECT_EQ(o.text(), QStringLiteral("zz=あ;masu=yes;q"));

    // Setting what is already set changes nothing, not even the spelling.
    HissanOptions same = HissanOptions::fromText(";;masu=1;;");
    same.setMasu(true);
    EXPECT_EQ(same.text(), ";;masu=1;;");

    // The carry-mark row is half a line, and only when asked for.
    EXPECT_EQ(HissanMemoHeightOf("memo=1", 21), 10);
    EXPECT_EQ(HissanMemoHeightOf("memo=1;masu=1", 40), 20);
    EXPECT_EQ(HissanMemoHeightOf("masu=1", 21), 0);
    EXPECT_EQ(HissanMemoHeightOf(QString(), 21), 0);
    EXPECT_EQ(HissanMemoHeightOf("memo=1", 0), 0);
}

namespace
{
class HissanOptionsToolTest : public SikiTest
{
protected:
    void open(const QString &expression)
    {
        tool.PrepareNew(0, 11, 22);
        tool.SelectPage(TFormSiki::PageTate);
        type(tool.MemoT1, expression);
    }
};
} // namespace

TEST_F(HissanOptionsToolTest, TheColumnPageReadsAndWritesTheOptions)
{
    // The boxes say what they are, start off, and a plain problem keeps an
    // empty field and the height of its rows alone.
    EXPECT_EQ(tool.CheckMasu->accessibleName(), QStringLiteral("マス目を表示"));
    EXPECT_EQ(tool.CheckMemo->accessibleName(), QStringLiteral("くり上がりのメモ"));
    EXPECT_EQ(tool.CheckMasu->toolTip(), QStringLiteral("マス目を表示"));
    open("12+34");
    EXPECT_FALSE(tool.CheckMasu->isChecked());
    EXPECT_FALSE(tool.CheckMemo->isChecked());
    ASSERT_EQ(tool.Kettei(), 0);
    EXPECT_EQ(doc.AData[0].RandZ2, QString());
    EXPECT_EQ(doc.AData[0].Height, 3 * 21); // three rows of font size + 1

    // Both on: stored, and the carry-mark row adds half a line.
    open("12+34");
    QTest::mouseClick(tool.CheckMasu, Qt::LeftButton);
    QTest::keyClick(tool.CheckMemo, Qt::Key_Space);
    ASSERT_EQ(tool.Kettei(), 1);
    EXPECT_EQ(doc.AData[1].RandZ2, "masu=1;memo=1");
    EXPECT_EQ(doc.AData[1].Height, 3 * 21 + 10);
    // The next "決定" is one undo step; undoing it brings the field back.
    const int steps = doc.undoStack().count();

    // Reopening shows them; unticking one writes the other alone.
    ASSERT_TRUE(tool.LoadRow(1));
    EXPECT_TRUE(tool.CheckMasu->isChecked());
    EXPECT_TRUE(tool.CheckMemo->isChecked());
    tool.CheckMemo->setChecked(false);
    ASSERT_EQ(tool.Kettei(), 1);
    EXPECT_EQ(doc.AData[1].RandZ2, "masu=1");
    EXPECT_EQ(doc.AData[1].Height, 3 * 21);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    doc.undoStack().undo();
    EXPECT_EQ(doc.AData[1].RandZ2, "masu=1;memo=1");
    EXPECT_EQ(doc.AData[1].Height, 3 * 21 + 10);

    // Opening another problem starts from its own field, not the last one's.
    ASSERT_TRUE(tool.LoadRow(0));
    EXPECT_FALSE(tool.CheckMasu->isChecked());
    EXPECT_FALSE(tool.CheckMemo->isChecked());

    // Somebody else's pairs survive the tool.
    doc.AData[0].RandZ2 = QStringLiteral("zz=あ;memo=1");
    ASSERT_TRUE(tool.LoadRow(0));
    EXPECT_TRUE(tool.CheckMemo->isChecked());
    tool.CheckMemo->setChecked(false);
    tool.CheckMasu->setChecked(true);
    ASSERT_EQ(tool.Kettei(), 0);
    EXPECT_EQ(doc.AData[0].RandZ2, QStringLiteral("zz=あ;masu=1"));

    // A new problem never inherits the boxes of the previous opening.
    open("5-3");
    EXPECT_FALSE(tool.CheckMasu->isChecked());
    ASSERT_EQ(tool.Kettei(), 2);
    EXPECT_EQ(doc.AData[2].RandZ2, QString());
}

TEST_F(HissanOptionsToolTest, RegenerationAndTheFileKeepTheOptions)
{
    open("12+34");
    tool.RandomPanel->CheckRand->setChecked(true);
    tool.RandomPanel->EditX1->setText("10");
    tool.RandomPanel->EditX2->setText("99");
    tool.RandomPanel->EditY1->setText("10");
    tool.RandomPanel->EditY2->setText("99");
    tool.RandomPanel->EditA1->setText("0");
    tool.RandomPanel->EditA2->setText("300");
    tool.CheckMasu->setChecked(true);
    tool.CheckMemo->setChecked(true);
    ASSERT_EQ(tool.Kettei(), 0);
    doc.AData[0].RandZ2 = QStringLiteral("masu=1;memo=1;later=7");

    // "作成" rewrites the problem, keeps the field and measures the memo row.
    tool.SeedRandom(3);
    for (int run = 0; run < 5; ++run) {
        ASSERT_EQ(RegenerateAll(doc, tool), 1);
        EXPECT_EQ(doc.AData[0].RandZ2, QStringLiteral("masu=1;memo=1;later=7"));
        EXPECT_EQ(doc.AData[0].Height, 3 * 21 + 10) << doc.AData[0].Siki.toStdString();
    }

    // Through the worksheet file and back, byte for byte, beside a row that
    // has none.
    RAData plain = doc.AData[0];
    plain.ID = 2;
    plain.RandZ2.clear();
    doc.AData.append(plain);
    const QTemporaryDir dir;
    const QString path = dir.filePath("masu.prx");
    ASSERT_TRUE(SaveFileAll(path, doc, LayerWorksheet, 1).ok);
    Document read;
    ASSERT_TRUE(LoadFileAll(path, read).ok);
    ASSERT_EQ(read.AData.size(), 2);
    EXPECT_EQ(read.AData[0].RandZ2, QStringLiteral("masu=1;memo=1;later=7"));
    EXPECT_EQ(read.AData[1].RandZ2, QString());
}
