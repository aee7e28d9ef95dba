#include "editing/UnitArrange.h"
#include "editing/UnitPropertyRules.h"

#include <gtest/gtest.h>

namespace
{

RAData row(const char *syu, int x, int y, int w, int h, int lock = 0)
{
    RAData r;
    r.Syu = QString::fromLatin1(syu);
    r.X1 = x;
    r.Y1 = y;
    r.Width = w;
    r.Height = h;
    r.Lock = lock;
    r.Layer = 1;
    return r;
}

// Entries as a refresh leaves them: the rows' positions and sizes.
QVector<RMouseSelect> select(const QVector<RAData> &AData, std::initializer_list<int> rows)
{
    QVector<RMouseSelect> sel;
    for (int r : rows) {
        RMouseSelect e;
        e.ANo = r;
        e.X = AData[r].X1;
        e.Y = AData[r].Y1;
        e.W = AData[r].Width;
        e.H = AData[r].Height;
        sel.append(e);
    }
    return sel;
}

QVector<int> anos(const QVector<RMouseSelect> &sel)
{
    QVector<int> v;
    for (const auto &e : sel)
        v.append(e.ANo);
    return v;
}

} // namespace

TEST(Arrange, SortIsStableAndTopFirst)
{
    QVector<RMouseSelect> sel(5);
    const int ys[] = {30, 10, 30, 0, 10};
    for (int i = 0; i < 5; ++i) {
        sel[i].ANo = i;
        sel[i].Y = ys[i];
    }
    NarabikaeMouseSelect(sel);
    EXPECT_EQ(anos(sel), (QVector<int>{3, 1, 4, 0, 2}));
    QVector<RMouseSelect> none;
    NarabikaeMouseSelect(none);
    EXPECT_TRUE(none.isEmpty());
}

TEST(Arrange, AlignmentMovesOnlyX1IncludingLockedRows)
{
    QVector<RAData> a{row("3", 40, 5, 10, 10), row("1", 10, 6, 20, 10, 1), row("2", 25, 7, 5, 9)};
    const QVector<RAData> before = a;
    ASSERT_TRUE(AlignRows(a, select(a, {0, 1, 2}), AlignKind::Left));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a[i].X1, 10);
        EXPECT_EQ(a[i].Y1, before[i].Y1);
        EXPECT_EQ(a[i].Width, before[i].Width);
    }

    QVector<RAData> c{row("3", 0, 0, 100, 10), row("3", 200, 0, 31, 10)};
    ASSERT_TRUE(AlignRows(c, select(c, {0, 1}), AlignKind::Center));
    EXPECT_EQ(c[0].X1, 65);
    EXPECT_EQ(c[1].X1, 100);

    QVector<RAData> r{row("3", 0, 0, 100, 10), row("3", 200, 0, 31, 10)};
    ASSERT_TRUE(AlignRows(r, select(r, {1, 0}), AlignKind::Right));
    EXPECT_EQ(r[0].X1, 131);
    EXPECT_EQ(r[1].X1, 200);

    // Negative positions truncate toward zero, not down.
    QVector<RAData> n{row("3", -5, 0, 0, 10), row("3", -2, 0, 0, 10)};
    AlignRows(n, select(n, {0, 1}), AlignKind::Center);
    EXPECT_EQ(n[0].X1, -3);

    const QVector<RAData> untouched = r;
    EXPECT_FALSE(AlignRows(r, {}, AlignKind::Left));
    EXPECT_EQ(r, untouched);
}

TEST(Arrange, VerticalSpacingRules)
{
    QVector<RAData> a{row("3", 0, 100, 5, 10), row("3", 0, 0, 5, 10), row("3", 0, 15, 5, 10)};
    auto sel = select(a, {0, 1, 2});
    ASSERT_TRUE(SpaceEqually(a, sel));
    EXPECT_EQ(anos(sel), (QVector<int>{1, 2, 0}));
    EXPECT_EQ(a[1].Y1, 0);
    EXPECT_EQ(a[2].Y1, 50);
    EXPECT_EQ(a[0].Y1, 100);

    // The rounding remainder falls into the last gap: heights 10, 10, 10,
    // 10 between 0 and 101 give gaps of 20, 20 and 21.
    QVector<RAData> four{row("3", 0, 0, 5, 10), row("3", 0, 3, 5, 10), row("3", 0, 7, 5, 10),
                         row("3", 0, 91, 5, 10)};
    auto sel4 = select(four, {0, 1, 2, 3});
    ASSERT_TRUE(SpaceEqually(four, sel4));
    EXPECT_EQ(four[1].Y1, 30);
    EXPECT_EQ(four[2].Y1, 60);
    EXPECT_EQ(four[3].Y1, 91);

    QVector<RAData> two{row("3", 0, 0, 5, 10), row("3", 0, 50, 5, 10)};
    const QVector<RAData> twoBefore = two;
    auto sel2 = select(two, {1, 0});
    EXPECT_FALSE(SpaceEqually(two, sel2));
    EXPECT_EQ(two, twoBefore);
    EXPECT_EQ(anos(sel2), (QVector<int>{1, 0}));

    // Given spacing "5": picked 30 then 0; after sorting the object at 0
    // stays and the other moves to 0 + 10 + 5.
    QVector<RAData> g{row("3", 0, 30, 5, 20), row("3", 0, 0, 5, 10, 1)};
    auto selg = select(g, {0, 1});
    ASSERT_TRUE(SpaceBy(g, selg, SpacingFromText(QStringLiteral("5"))));
    EXPECT_EQ(g[1].Y1, 0);
    EXPECT_EQ(g[0].Y1, 15);
    EXPECT_EQ(anos(selg), (QVector<int>{1, 0}));

    auto selp = select(g, {0, 1});
    ASSERT_TRUE(PackUp(g, selp));
    EXPECT_EQ(g[0].Y1, 10);
    QVector<RMouseSelect> empty;
    EXPECT_FALSE(PackUp(g, empty));

    EXPECT_EQ(SpacingFromText(QStringLiteral("abc")), 0);
    EXPECT_EQ(SpacingFromText(QStringLiteral("-abc")), 0);
    EXPECT_EQ(SpacingFromText(QStringLiteral("12")), 12);
}

TEST(Arrange, StackingOrderNeedsExactlyOneEntry)
{
    QVector<RAData> a;
    for (int i = 0; i < 4; ++i)
        a.append(row("3", i, 0, 1, 1));
    auto sel = select(a, {2});
    ASSERT_TRUE(SendToBack(a, sel));
    EXPECT_EQ(sel[0].ANo, 0);
    EXPECT_EQ(a[0].X1, 2);
    EXPECT_EQ(a[1].X1, 0);
    EXPECT_EQ(a[3].X1, 3);

    ASSERT_TRUE(BringToFront(a, sel));
    EXPECT_EQ(sel[0].ANo, 3);
    EXPECT_EQ(a[3].X1, 2);
    EXPECT_EQ(a[0].X1, 0);
    EXPECT_EQ(a[2].X1, 3);

    const QVector<RAData> before = a;
    auto two = select(a, {0, 1});
    EXPECT_FALSE(BringToFront(a, two));
    EXPECT_FALSE(SendToBack(a, two));
    EXPECT_EQ(a, before);
}

TEST(Arrange, DeleteCompactsAndEmptiesTheSelection)
{
    QVector<RAData> a;
    for (int i = 0; i < 6; ++i)
        a.append(row("3", i, 0, 1, 1));
    a[5].Syu = QStringLiteral("0"); // a row already deleted goes as well
    auto sel = select(a, {3, 1});
    ASSERT_TRUE(DeleteRows(a, sel));
    EXPECT_TRUE(sel.isEmpty());
    ASSERT_EQ(a.size(), 3);
    EXPECT_EQ(a[0].X1, 0);
    EXPECT_EQ(a[1].X1, 2);
    EXPECT_EQ(a[2].X1, 4);
    QVector<RMouseSelect> none;
    EXPECT_FALSE(DeleteRows(a, none));
    EXPECT_EQ(a.size(), 3);
}

TEST(Arrange, LockAndModes)
{
    QVector<RAData> a{row("1", 0, 0, 1, 1), row("2", 0, 0, 1, 1), row("3", 0, 0, 1, 1)};
    ASSERT_TRUE(SetLockRows(a, select(a, {0, 2}), true));
    EXPECT_EQ(a[0].Lock, 1);
    EXPECT_EQ(a[1].Lock, 0);
    EXPECT_EQ(a[2].Lock, 1);
    ASSERT_TRUE(SetModeRows(a, select(a, {1}), ObjectMode::Answer));
    EXPECT_EQ(a[1].Layer, 1);
    EXPECT_EQ(a[1].KotaeMode, 1);
    ASSERT_TRUE(SetModeRows(a, select(a, {1, 2}), ObjectMode::NameField));
    EXPECT_EQ(a[1].Layer, 3);
    EXPECT_EQ(a[1].KotaeMode, 0);
    ASSERT_TRUE(SetModeRows(a, select(a, {2}), ObjectMode::Standard));
    EXPECT_EQ(a[2].Layer, 1);
    EXPECT_FALSE(SetLockRows(a, {}, true));
}

TEST(PropertyRules, SizeBoxesAndArrows)
{
    EXPECT_FALSE(FontSizeFromEnter(QStringLiteral("6")).has_value());
    EXPECT_EQ(FontSizeFromEnter(QStringLiteral("7")).value_or(-1), 7);
    EXPECT_FALSE(FontSizeFromEnter(QStringLiteral("1000")).has_value());
    EXPECT_EQ(FontSizeFromEnter(QStringLiteral("999")).value_or(-1), 999);
    EXPECT_EQ(FontSizeFromEnter(QStringLiteral("7.5")).value_or(-1), 0);
    EXPECT_FALSE(FontSizeFromEnter(QStringLiteral("abc")).has_value());

    EXPECT_EQ(StepFontSize(QStringLiteral("1"), false), 0);
    EXPECT_EQ(StepFontSize(QStringLiteral("0"), false), -1);
    EXPECT_EQ(StepFontSize(QStringLiteral("11"), true), 12);
    EXPECT_EQ(StepPenWidth(QStringLiteral("1"), false), 1);
    EXPECT_EQ(StepPenWidth(QStringLiteral("2"), false), 1);
    EXPECT_EQ(StepPenWidth(QStringLiteral("1"), true), 2);
    EXPECT_EQ(IntegerFromText(QStringLiteral("x")), 0);
}

TEST(PropertyRules, RowsTakeThePanelValues)
{
    QVector<RAData> a{row("2", 0, 0, 1, 1), row("1", 0, 0, 1, 1), row("4", 0, 0, 1, 1)};
    a[1].BackColor = 77;
    ASSERT_TRUE(SetStyleRows(a, select(a, {0, 1, 2}), FontStyle::Bold, true));
    EXPECT_EQ(a[0].FontB, 0);
    EXPECT_EQ(a[1].FontB, 1);
    EXPECT_EQ(a[2].FontB, 0);
    SetStyleRows(a, select(a, {0, 2}), FontStyle::Italic, true);
    EXPECT_EQ(a[0].FontI, 1);
    EXPECT_EQ(a[2].FontI, 1);
    EXPECT_EQ(a[1].FontI, 0);

    SetFontNameRows(a, select(a, {0, 2}), QStringLiteral("IPAGothic"));
    EXPECT_EQ(a[0].FontName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(a[2].FontName, QStringLiteral("IPAGothic"));

    // Line first: the line-width box acts, the text is left; text first: nothing.
    EXPECT_TRUE(SetFirstFontSize(a, select(a, {0, 1}), 4, QStringLiteral("2")));
    EXPECT_EQ(a[0].FontSize, 4);
    EXPECT_FALSE(SetFirstFontSize(a, select(a, {1, 0}), 9, QStringLiteral("2")));
    EXPECT_EQ(a[0].FontSize, 4);
    EXPECT_EQ(a[1].FontSize, 0);

    SetBackColorRows(a, select(a, {1}), 0x00FF00);
    EXPECT_EQ(a[1].BackColor, 0x00FF00);
    EXPECT_EQ(a[1].BackColorB, 1);
    ClearBackColorRows(a, select(a, {1}));
    EXPECT_EQ(a[1].BackColorB, 0);
    EXPECT_EQ(a[1].BackColor, 0x00FF00);

    SetForeColorRows(a, select(a, {0, 1, 2}), 255);
    for (const RAData &r : a)
        EXPECT_EQ(r.ForeColor, 255);

    ASSERT_TRUE(SetFirstCoordinates(a, select(a, {2, 0}), 1, 2, 3, 4, 5, 6));
    EXPECT_EQ(a[2].X1, 1);
    EXPECT_EQ(a[2].Height, 6);
    EXPECT_EQ(a[0].X1, 0);
    EXPECT_FALSE(SetFirstCoordinates(a, {}, 1, 2, 3, 4, 5, 6));

    NudgeAllRows(a, -1);
    EXPECT_EQ(a[0].Y1, -1);
    EXPECT_EQ(a[2].Y1, 1);
}
