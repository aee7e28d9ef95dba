// "まとめて配置": the grid of a set (cells apart, inside the area, how many
// fit), the numbers, the area of a page, and the expression tool drawing a
// set in one batch as one command, with its dialog.
#include "SikiTestSupport.h"
#include "document/UnitFile.h"
#include "math/UnitKeisan.h"
#include "math/UnitSikiSetDialog.h"

#include <QPushButton>
#include <QUndoStack>
#include <QSet>
#include <QSpinBox>

namespace
{

QRect rectOf(const RAData &r) { return QRect(r.X1, r.Y1, r.Width, r.Height); }

RAData measured(int w, int h)
{
    RAData r;
    r.Syu = QStringLiteral("5");
    r.FontName = QStringLiteral("ＭＳ ゴシック");
    r.FontSize = 10;
    r.Width = w;
    r.Height = h;
    r.Layer = 1;
    return r;
}

// Problems of sizes that differ, as column problems of different digits do.
QVector<RAData> varied(int n)
{
    QVector<RAData> v;
    for (int i = 0; i < n; ++i)
        v.append(measured(40 + (i * 17) % 50, 50 + (i * 11) % 30));
    return v;
}

void expectApartAndInside(const RSetLayout &layout, const QRect &area)
{
    for (int i = 0; i < layout.rows.size(); ++i) {
        const QRect a = rectOf(layout.rows[i]);
        EXPECT_TRUE(area.contains(a)) << i;
        for (int j = i + 1; j < layout.rows.size(); ++j)
            EXPECT_FALSE(a.intersects(rectOf(layout.rows[j]))) << i << " " << j;
    }
}

RAData columnSettings()
{
    RAData r;
    r.ID = 7;
    r.Syu = QStringLiteral("5");
    r.Siki1 = TFormSiki::PageTate;
    r.Rand = 1;
    r.RandKigou = 0;
    r.RandX1 = QStringLiteral("10");
    r.RandX2 = QStringLiteral("99");
    r.RandY1 = QStringLiteral("10");
    r.RandY2 = QStringLiteral("99");
    r.RandA1 = QStringLiteral("0");
    r.RandA2 = QStringLiteral("999");
    r.Siki = QStringLiteral("12+34");
    r.FontName = QStringLiteral("ＭＳ 明朝");
    r.FontSize = 20;
    r.Layer = 1;
    r.X1 = 40;
    r.Y1 = 40;
    r.Width = 60;
    r.Height = 60;
    return r;
}

class SikiSetTest : public SikiTest
{
protected:
    // The settings row on the page, opened in the tool as "この問題を
    // まとめて配置…" opens it.
    int loadSettings(const RAData &row)
    {
        doc.AData.append(row);
        EXPECT_TRUE(tool.LoadRow(int(doc.AData.size()) - 1));
        return int(doc.AData.size()) - 1;
    }
};

} // namespace

TEST(SikiSet, NumbersAndTheAreaOfAPage)
{
    EXPECT_EQ(SetNumberText(SetNumbering::Paren, 1), QStringLiteral("(1)"));
    EXPECT_EQ(SetNumberText(SetNumbering::Circle, 1), QStringLiteral("①"));
    EXPECT_EQ(SetNumberText(SetNumbering::Circle, 20), QStringLiteral("⑳"));
    // Beyond what the file's character set can hold: parentheses.
    EXPECT_EQ(SetNumberText(SetNumbering::Circle, 21), QStringLiteral("(21)"));
    EXPECT_EQ(SetNumberText(SetNumbering::Dot, 12), QStringLiteral("12."));
    EXPECT_TRUE(SetNumberText(SetNumbering::None, 3).isEmpty());

    Document doc; // A4 portrait: 793 x 1122 page units
    const int margin = SetUnitsFromMm(10);
    EXPECT_EQ(margin, 37);
    EXPECT_EQ(SetAreaRect(doc, 0, SetArea::BelowObjects, 19),
              QRect(QPoint(margin, margin), QPoint(793 - margin - 1, 1122 - margin - 1)));
    RAData title = measured(300, 50);
    title.Syu = QStringLiteral("1");
    title.Y1 = 100;
    doc.AData.append(title);
    RAData elsewhere = title;
    elsewhere.Page = 1;
    elsewhere.Y1 = 900;
    doc.AData.append(elsewhere);
    RAData gone = title;
    gone.Syu.clear(); // a deleted row takes no room
    gone.Y1 = 1000;
    doc.AData.append(gone);
    EXPECT_EQ(SetAreaRect(doc, 0, SetArea::BelowObjects, 19).top(), 169);
    EXPECT_EQ(SetAreaRect(doc, 0, SetArea::WholePage, 19).top(), margin);
    EXPECT_EQ(SetAreaRect(doc, 1, SetArea::BelowObjects, 19).top(), 969);
    // Nothing below an object that reaches the bottom.
    doc.AData[0].Height = 1050;
    EXPECT_TRUE(SetAreaRect(doc, 0, SetArea::BelowObjects, 19).isEmpty());
}

TEST(SikiSet, CellsStayApartInsideTheAreaAndTheRefusalSaysHowManyFit)
{
    FakeMeasurer m;
    const QRect area(37, 150, 719, 935);
    for (int columns : {0, 3, 4}) {
        for (SetNumbering n : {SetNumbering::Paren, SetNumbering::Circle, SetNumbering::None}) {
            RSetOptions o;
            o.count = 20;
            o.columns = columns;
            o.numbering = n;
            const RSetLayout layout = LayoutSet(varied(20), o, 2, area, m);
            ASSERT_TRUE(layout.fits) << columns;
            EXPECT_TRUE(layout.message.isEmpty());
            EXPECT_EQ(layout.rows.size(), n == SetNumbering::None ? 20 : 40);
            if (columns > 0)
                EXPECT_EQ(layout.columns, columns);
            EXPECT_LE(layout.columns, SetMaxColumns);
            EXPECT_EQ(layout.rowCount, (20 + layout.columns - 1) / layout.columns);
            expectApartAndInside(layout, area);
            for (int i = 0; i < 20; ++i) {
                const RAData &p = layout.rows[i];
                EXPECT_EQ(p.Page, 2);
                EXPECT_EQ(p.X2, p.X1 + p.Width);
                // Row by row: the next problem is to the right or lower.
                if (i > 0) {
                    const RAData &q = layout.rows[i - 1];
                    EXPECT_TRUE(p.Y1 > q.Y1 || (p.Y1 == q.Y1 && p.X1 > q.X1)) << i;
                }
                if (n == SetNumbering::None)
                    continue;
                // Its number in front of it, on its line, ending where the
                // other numbers of the column end.
                const RAData &num = layout.rows[20 + i];
                EXPECT_EQ(num.Syu, QStringLiteral("1"));
                EXPECT_EQ(num.Siki, SetNumberText(n, i + 1));
                EXPECT_EQ(num.Y1, p.Y1);
                EXPECT_LT(num.X1 + num.Width, p.X1);
                EXPECT_EQ(num.FontSize, p.FontSize);
                EXPECT_EQ(num.BackColorB, 0);
                if (i >= layout.columns)
                    EXPECT_EQ(num.X1 + num.Width,
                              layout.rows[20 + i - layout.columns].X1 +
                                  layout.rows[20 + i - layout.columns].Width);
            }
        }
    }

    // One column of 20 is taller than the area.
    RSetOptions one;
    one.columns = 1;
    EXPECT_FALSE(LayoutSet(varied(20), one, 0, area, m).fits);

    // A small area: the refusal's count is exactly what fits.
    const QRect small(37, 37, 300, 260);
    RSetOptions o;
    o.count = 60;
    const RSetLayout refused = LayoutSet(varied(60), o, 0, small, m);
    EXPECT_FALSE(refused.fits);
    EXPECT_TRUE(refused.rows.isEmpty());
    ASSERT_GT(refused.fitCount, 0);
    ASSERT_LT(refused.fitCount, 60);
    EXPECT_EQ(refused.message, QStringLiteral("この範囲に入るのは%1問までです。").arg(refused.fitCount));
    o.count = refused.fitCount;
    const RSetLayout exact = LayoutSet(varied(60).mid(0, refused.fitCount), o, 0, small, m);
    EXPECT_TRUE(exact.fits);
    expectApartAndInside(exact, small);

    // More columns than the width holds, and a problem larger than the area.
    o.count = 6;
    o.columns = 6;
    const RSetLayout wide = LayoutSet(QVector<RAData>(6, measured(120, 40)), o, 0, small, m);
    EXPECT_FALSE(wide.fits);
    EXPECT_EQ(wide.message,
              QStringLiteral("6列では横に入りません。列を減らすか「自動」にしてください。"));
    o.columns = 0;
    const RSetLayout huge = LayoutSet(QVector<RAData>(2, measured(900, 40)), o, 0, small, m);
    EXPECT_FALSE(huge.fits);
    EXPECT_EQ(huge.fitCount, 0);
    EXPECT_EQ(huge.message, QStringLiteral("この範囲には問題が入りません。"));
}

TEST_F(SikiSetTest, ASetIsOneBatchOfDifferentProblemsAndOneUndoStep)
{
    tool.SeedRandom(11);
    const int source = loadSettings(columnSettings());
    const RAData sourceRow = doc.AData[source];
    const QByteArray before = BuildFileBytes(doc, 1);
    const int steps = doc.undoStack().count();

    RSetOptions o;
    o.count = 20;
    EXPECT_TRUE(tool.PlaceSet(sourceRow, 0, o).isEmpty());
    ASSERT_EQ(doc.AData.size(), 1 + 40);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("まとめて配置"));
    EXPECT_EQ(doc.AData[source], sourceRow);
    QSet<QString> seen;
    QSet<Integer> ids;
    for (int i = 1; i <= 20; ++i) {
        const RAData &p = doc.AData[i];
        EXPECT_EQ(p.Syu, QStringLiteral("5"));
        EXPECT_EQ(p.Siki1, TFormSiki::PageTate);
        EXPECT_EQ(p.Rand, 1);
        EXPECT_EQ(p.FontName, sourceRow.FontName);
        EXPECT_EQ(p.FontSize, sourceRow.FontSize);
        EXPECT_EQ(p.RandX1, QStringLiteral("10"));
        EXPECT_EQ(p.Kotae, Keisan(p.Siki)) << p.Siki.toStdString();
        EXPECT_GT(p.Width, 0);
        // Below the lowest object: the settings row.
        EXPECT_GE(p.Y1, sourceRow.Y1 + sourceRow.Height);
        seen.insert(p.Siki);
        ids.insert(p.ID);
        const RAData &n = doc.AData[20 + i];
        EXPECT_EQ(n.Siki, QStringLiteral("(%1)").arg(i));
        ids.insert(n.ID);
    }
    EXPECT_EQ(seen.size(), 20);
    EXPECT_EQ(ids.size(), 40);
    EXPECT_FALSE(ids.contains(sourceRow.ID));

    doc.undoStack().undo();
    EXPECT_EQ(BuildFileBytes(doc, 1), before);
    doc.undoStack().redo();
    EXPECT_EQ(doc.AData.size(), 41);
}

TEST_F(SikiSetTest, SettingsThatCannotGiveTheSetOrAPageTooSmallPlaceNothing)
{
    RAData narrow = columnSettings();
    narrow.RandX1 = narrow.RandX2 = QStringLiteral("11");
    narrow.RandY1 = narrow.RandY2 = QStringLiteral("22");
    const int source = loadSettings(narrow);
    const int steps = doc.undoStack().count();
    RSetOptions o;
    o.count = 3;
    // One problem only is possible: the second one would repeat it.
    EXPECT_EQ(tool.PlaceSet(doc.AData[source], 0, o),
              QStringLiteral("この設定では、ちがう問題を3問作れませんでした（1問まで）。"
                             "範囲や条件を見直してください。"));
    EXPECT_EQ(doc.AData.size(), 1);
    EXPECT_EQ(doc.undoStack().count(), steps);

    RAData big = columnSettings();
    big.FontSize = 400; // FakeMeasurer: characters x size, wider than the page
    doc.AData.clear();
    loadSettings(big);
    o.count = 2;
    EXPECT_EQ(tool.PlaceSet(doc.AData[0], 0, o), QStringLiteral("この範囲には問題が入りません。"));
    EXPECT_EQ(doc.AData.size(), 1);
    EXPECT_EQ(doc.undoStack().count(), steps);
}

TEST_F(SikiSetTest, TheDialogStaysOpenOnARefusalAndAFromRowRunGivesThePendingObjectBack)
{
    struct Placer : SetPlacer {
        QVector<RSetOptions> asked;
        QStringList answers;
        QString placeSet(const RSetOptions &o) override
        {
            asked.append(o);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        }
    } placer;
    placer.answers = {QStringLiteral("この範囲に入るのは12問までです。")};
    TFormSikiSet dialog(placer);
    EXPECT_EQ(dialog.SpinCount->value(), 20);
    EXPECT_EQ(dialog.SpinCount->maximum(), SetMaxCount);
    dialog.show();
    dialog.SpinCount->setValue(24);
    dialog.ComboColumns->setCurrentIndex(4);
    EXPECT_EQ(dialog.LabelRows->text(), QStringLiteral("6行"));
    dialog.ComboNumbering->setCurrentIndex(2);
    dialog.ButtonPlace->click();
    ASSERT_EQ(placer.asked.size(), 1);
    EXPECT_EQ(placer.asked[0].count, 24);
    EXPECT_EQ(placer.asked[0].columns, 4);
    EXPECT_EQ(placer.asked[0].numbering, SetNumbering::Dot);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.LabelMessage->text(), QStringLiteral("この範囲に入るのは12問までです。"));
    // A changed value is a new try; Enter presses "配置".
    dialog.SpinCount->setValue(12);
    EXPECT_TRUE(dialog.LabelMessage->text().isEmpty());
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(placer.asked.size(), 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // From a row: the tool reads the row, and cancelling leaves the
    // pending object as it was.
    const int source = loadSettings(columnSettings());
    doc.NewData = RAData{};
    doc.NewData.ID = -1;
    doc.NewData.Syu = QStringLiteral("1");
    const RAData pending = doc.NewData;
    TFormSikiSet *d = tool.OpenSetDialogForRow(source);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    d->ButtonCancel->click();
    EXPECT_EQ(doc.NewData, pending);
    EXPECT_EQ(doc.AData.size(), 1);
    // Placed from the row: the set arrives, the row and the pending object stay.
    d = tool.OpenSetDialogForRow(source);
    ASSERT_NE(d, nullptr);
    d->SpinCount->setValue(4);
    QSignalSpy written(&tool, &TFormSiki::redrawRequested);
    d->ButtonPlace->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(doc.AData.size(), 1 + 8);
    EXPECT_EQ(doc.AData[source].Siki, QStringLiteral("12+34"));
    EXPECT_EQ(doc.NewData, pending);
    EXPECT_EQ(written.count(), 1);
    EXPECT_EQ(tool.OpenSetDialogForRow(5), nullptr); // a number text, not a problem
}
