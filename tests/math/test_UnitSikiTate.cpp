// The expression tool's column page: operation detection, the editable
// column rows, the preview grid, the division steps and the column writer.
#include "SikiTestSupport.h"

#include "math/UnitRegenerate.h"

namespace {
class SikiTateTest : public SikiTest {
protected:
    void open(const QString &expression)
    {
        tool.PrepareNew(1, 11, 22);
        tool.SelectPage(TFormSiki::PageTate);
        type(tool.MemoT1, expression);
    }
    RAData confirm()
    {
        const int index = tool.Kettei();
        EXPECT_GE(index, 0);
        return index >= 0 ? doc.AData[index] : RAData{};
    }
};
} // namespace

TEST_F(SikiTateTest, AdditionWithDecimals)
{
    open("12.3+6.14+4");
    EXPECT_EQ(tool.TateOperation(), TFormSiki::TateTasu);
    EXPECT_EQ(tool.TateRows(), QStringList({"123 ", "614", "4  ", "2244"}));
    EXPECT_EQ(tool.MemoT2->text(), "22.44");
    EXPECT_EQ(tool.DisplayText(), QStringLiteral("12.3＋6.14＋4"));
    // The preview grid: the sign in the first cell of the last operand row,
    // a decimal marker two cells from the right in the rows with decimals.
    const SikiCellGrid *grid = tool.TateGrid;
    ASSERT_EQ(grid->Rows().size(), 4);
    EXPECT_EQ(grid->Cell(2, 0), QStringLiteral("＋"));
    EXPECT_EQ(grid->Cell(0, 1), "1");
    EXPECT_EQ(grid->Cell(3, 0), "");
    EXPECT_EQ(grid->Cell(3, 1), "2");
    EXPECT_EQ(grid->Markers(), QList<QPoint>({QPoint(0, 2), QPoint(1, 2), QPoint(3, 2)}));
    EXPECT_TRUE(tool.ButtonSusumu->isHidden());

    // The rows are right-aligned boxes in the column font.
    const auto rows = tool.TateRowBox->findChildren<QLineEdit *>();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.first()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(rows.first()->font().pointSize(), 12);

    const RAData r = confirm();
    EXPECT_EQ(r.Syu, "5");
    EXPECT_EQ(r.Page, 1);
    EXPECT_EQ(r.X1, 11);
    EXPECT_EQ(r.Y1, 22);
    EXPECT_EQ(r.Siki1, 1);
    EXPECT_EQ(r.Siki2, 0);
    EXPECT_EQ(r.Siki, "12.3+6.14+4");
    EXPECT_EQ(r.Kotae, "22.44");
    EXPECT_EQ(r.HissanSiki, "123 +614+4  ");
    EXPECT_EQ(r.HissanKotae, "2244");
    EXPECT_EQ(r.SikiSyo, "2_2_0");
    EXPECT_EQ(r.KotaeSyo, 2);
    EXPECT_EQ(r.KotaeZero, 0);
    EXPECT_EQ(r.Layer, 1);
    // Widest operand row "123 " is (4 + 1) cells of "＋"; four rows of height.
    EXPECT_EQ(r.Width, 5 * 20);
    EXPECT_EQ(r.Height, 4 * 21);
    EXPECT_TRUE(doc.isModified());
}

TEST_F(SikiTateTest, SubtractionAndTrailingZeros)
{
    open("72.3-6.14-4");
    EXPECT_EQ(tool.TateOperation(), TFormSiki::TateHiku);
    EXPECT_EQ(tool.MemoT2->text(), "62.16");
    EXPECT_EQ(tool.TateRows().last(), "6216");
    EXPECT_EQ(tool.TateGrid->Cell(2, 0), QStringLiteral("－"));
    RAData r = confirm();
    EXPECT_EQ(r.Siki2, 1);
    EXPECT_EQ(r.HissanSiki, "723 -614-4  ");

    open("1.25+2.25");
    EXPECT_EQ(tool.TateRows(), QStringList({"125", "225", "350"}));
    r = confirm();
    EXPECT_EQ(r.Kotae, "3.5");
    EXPECT_EQ(r.KotaeSyo, 2);
    EXPECT_EQ(r.KotaeZero, 1);

    open("0.02+0.03");
    EXPECT_EQ(tool.TateRows().last(), "005");
}

TEST_F(SikiTateTest, MixedOperatorsGiveNoLayout)
{
    open("3+4*2");
    EXPECT_EQ(tool.TateOperation(), TFormSiki::TateNone);
    EXPECT_TRUE(tool.TateRows().isEmpty());
    EXPECT_TRUE(tool.TateGrid->Rows().isEmpty());
    EXPECT_EQ(tool.MemoT2->text(), "11");

    // "決定" writes nothing: an object without its expression would be an
    // invisible empty box on the page.
    tool.RandomPanel->CheckRand->setChecked(true);
    EXPECT_EQ(tool.Kettei(), -1);
    EXPECT_TRUE(doc.AData.isEmpty());
    EXPECT_EQ(tool.LabelTate->text(), HissanStatusText(HissanStatus::NotColumn));

    // A divisor of 0 has no long division either.
    open("75/0");
    EXPECT_EQ(tool.TateOperation(), TFormSiki::TateNone);
    EXPECT_TRUE(tool.TateRows().isEmpty());
    open("12a+3");
    EXPECT_EQ(tool.TateOperation(), TFormSiki::TateNone);
}

TEST_F(SikiTateTest, Multiplication)
{
    open("35*63");
    EXPECT_EQ(tool.TateOperation(), TFormSiki::TateKake);
    EXPECT_EQ(tool.TateRows(), QStringList({"35", "63", "105", "210 ", "2205"}));
    EXPECT_EQ(tool.TateGrid->Cell(1, 0), QStringLiteral("×"));
    EXPECT_EQ(tool.TateGrid->ColumnCount(), 4);
    RAData r = confirm();
    EXPECT_EQ(r.Siki2, 2);
    EXPECT_EQ(r.Kotae, "2205");
    EXPECT_EQ(r.HissanSiki, "35*63");
    EXPECT_EQ(r.HissanKotae, "105_210 _2205");
    EXPECT_EQ(r.SikiSyo, "0_0");
    EXPECT_EQ(r.KotaeSyo, 0);
    // Sized by the main window's metrics for column layouts, with the row
    // already carrying its font and layout.
    EXPECT_EQ(r.Width, 1000 + 5);
    EXPECT_EQ(r.Height, 2000 + 13);
    EXPECT_EQ(measurer.measured.FontName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(measurer.measured.HissanKotae, "105_210 _2205");

    // A one-digit second factor: the product alone.
    open("12*3");
    EXPECT_EQ(tool.TateRows(), QStringList({"12", "3", "36"}));
    EXPECT_EQ(confirm().HissanKotae, "36");

    // Decimals: 1.5 x 0.4 = 0.60 written as 060 with two places, one trailing zero.
    open("1.5*0.4");
    EXPECT_EQ(tool.TateRows().last(), "060");
    r = confirm();
    EXPECT_EQ(r.Kotae, "0.6");
    EXPECT_EQ(r.SikiSyo, "1_1");
    EXPECT_EQ(r.KotaeSyo, 2);
    EXPECT_EQ(r.KotaeZero, 1);
}

TEST_F(SikiTateTest, DivisionWithRemainderAndSteps)
{
    open("75/4");
    EXPECT_EQ(tool.TateOperation(), TFormSiki::TateWari);
    EXPECT_EQ(tool.TateRows(),
              QStringList({"75", "4", "  ", "4", "18", "4 ", "35", "32", " 3"}));
    EXPECT_EQ(tool.MemoT2->text(), "18...3");
    EXPECT_FALSE(tool.ButtonIchi->isHidden());
    EXPECT_FALSE(tool.ButtonSusumu->isHidden());
    EXPECT_FALSE(tool.ButtonModosu->isHidden());
    // The preview: divisor and bracket in front of the dividend row.
    EXPECT_EQ(tool.TateGrid->Rows().at(1), "4)75");
    EXPECT_EQ(tool.TateGrid->Cell(0, 2), "1");

    // "一の位まで" does nothing while the quotient has no decimals.
    tool.WarizanIchi();
    EXPECT_EQ(tool.MemoT2->text(), "18...3");
    QTest::mouseClick(tool.ButtonSusumu, Qt::LeftButton);
    EXPECT_EQ(tool.MemoT2->text(), "18.7...0.2");
    EXPECT_EQ(tool.TateRows().size(), 11);
    // Back to the ones place: the quotient 18 and the rows of the first steps.
    QTest::mouseClick(tool.ButtonIchi, Qt::LeftButton);
    EXPECT_TRUE(tool.MemoT2->text().startsWith("18...")) << tool.MemoT2->text().toStdString();
    EXPECT_EQ(tool.TateRows().size(), 9);
    tool.WarizanSusumu();
    tool.WarizanSusumu();
    EXPECT_EQ(tool.MemoT2->text(), "18.75...0");
    // Nothing left to divide: a further step changes nothing.
    tool.WarizanSusumu();
    EXPECT_EQ(tool.MemoT2->text(), "18.75...0");
    RAData r = confirm();
    EXPECT_EQ(r.Kotae, "18.75...0");
    EXPECT_EQ(r.KotaeSyo, 2);
    EXPECT_EQ(r.AmariSyo, 0);

    open("75/4");
    tool.WarizanSusumu();
    QTest::mouseClick(tool.ButtonModosu, Qt::LeftButton);
    EXPECT_EQ(tool.MemoT2->text(), "18...3");
    r = confirm();
    EXPECT_EQ(r.Siki2, 3);
    EXPECT_EQ(r.Kotae, "18...3");
    EXPECT_EQ(r.HissanSiki, "75/4");
    EXPECT_EQ(r.HissanKotae, "  _4_18_4 _35_32_ 3");
    EXPECT_EQ(r.SikiSyo, "0_0");
    EXPECT_EQ(r.KaiSikiSyo, 0);
    EXPECT_EQ(r.KotaeSyo, 0);
    EXPECT_EQ(r.AmariSyo, 0);
    EXPECT_EQ(r.Width, 1000 + 4);

    open("8/2");
    EXPECT_EQ(confirm().Kotae, "4...0");
    open("7.5/2.5");
    r = confirm();
    EXPECT_EQ(r.Kotae, "3...0");
    EXPECT_EQ(r.SikiSyo, "1_1");
    EXPECT_EQ(r.KaiSikiSyo, 0);
    open("3/0.25");
    EXPECT_EQ(tool.TateRows().mid(0, 3), QStringList({"3  ", "025", " 00"}));
    EXPECT_EQ(tool.MemoT2->text(), "12...0");
}

TEST_F(SikiTateTest, EditedRowsAreStoredAsTheyAreAndLoadedBack)
{
    open("35*63");
    tool.SetTateRow(3, "21 ");
    const RAData stored = confirm();
    EXPECT_EQ(stored.HissanKotae, "105_21 _2205");

    // Reopening the row shows the teacher's rows, not fresh ones.
    tool.PrepareNew(0, 0, 0);
    ASSERT_TRUE(tool.LoadRow(0));
    EXPECT_EQ(tool.CurrentPage(), TFormSiki::PageTate);
    EXPECT_EQ(tool.MemoT1->text(), "35*63");
    EXPECT_EQ(tool.TateRows(), QStringList({"35", "63", "105", "21 ", "2205"}));
    ASSERT_EQ(tool.Kettei(), 0);
    EXPECT_EQ(doc.AData.size(), 1);
    EXPECT_EQ(doc.AData[0], stored);

    // Typing in the input starts from the fresh layout again.
    retype(tool.MemoT1, "35*63");
    EXPECT_EQ(tool.TateRows().at(3), "210 ");
}

TEST_F(SikiTateTest, ColumnPageKeepsTheDecimalPlaceSettingsThroughRegeneration)
{
    // A random column addition of two numbers with one decimal place each.
    TSikiRandomPanel *p = tool.RandomPanel;
    tool.SeedRandom(7);
    tool.PrepareNew(0, 10, 20);
    tool.SelectPage(TFormSiki::PageTate);
    p->EditA1->setText("1");
    p->EditA2->setText("20");
    p->ComboSyosuX->setCurrentIndex(1);
    p->ComboSyosuY->setCurrentIndex(1);
    p->ComboSyosuA->setCurrentIndex(0);
    tool.MakeRandomCommand();
    const auto oneDecimalEach = [](const QString &siki) {
        const QStringList parts = siki.split(u'+');
        return parts.size() == 2 && parts.at(0).section(u'.', 1).size() == 1 &&
               parts.at(1).section(u'.', 1).size() == 1;
    };
    ASSERT_TRUE(oneDecimalEach(tool.MemoT1->text())) << tool.MemoT1->text().toStdString();
    const int index = tool.Kettei();
    ASSERT_EQ(index, 0);
    EXPECT_EQ(doc.AData[0].Rand, 1);
    EXPECT_EQ(doc.AData[0].RandSyosuX, 1);
    EXPECT_EQ(doc.AData[0].RandSyosuY, 1);
    EXPECT_EQ(doc.AData[0].RandSyosuA, 0);

    // "作成" draws new numbers under the same settings, again and again.
    for (int run = 0; run < 20; ++run) {
        ASSERT_EQ(RegenerateAll(doc, tool, {}), 1);
        EXPECT_TRUE(oneDecimalEach(doc.AData[0].Siki)) << doc.AData[0].Siki.toStdString();
    }

    // Reopening the problem shows the settings it was made with.
    ASSERT_TRUE(tool.LoadRow(0));
    EXPECT_EQ(p->ComboSyosuX->currentIndex(), 1);
    EXPECT_EQ(p->ComboSyosuY->currentIndex(), 1);

    // A row from an older file keeps its stored lists when it is confirmed
    // unchanged, and takes the teacher's new choice when one is made.
    RAData old;
    old.ID = 4;
    old.Syu = "5";
    old.Siki1 = 1;
    old.Siki = "1+2";
    old.RandSyosuX = 2;
    old.RandSyosuA = 3;
    doc.AData.append(old);
    ASSERT_TRUE(tool.LoadRow(1));
    EXPECT_EQ(tool.TateRows(), QStringList({"1", "2", "3"}));
    ASSERT_EQ(tool.Kettei(), 1);
    EXPECT_EQ(doc.AData[1].RandSyosuX, 2);
    EXPECT_EQ(doc.AData[1].RandSyosuY, 0);
    EXPECT_EQ(doc.AData[1].RandSyosuA, 3);
    ASSERT_TRUE(tool.LoadRow(1));
    p->ComboSyosuX->setCurrentIndex(1);
    p->EditY2->setText("7");
    ASSERT_EQ(tool.Kettei(), 1);
    EXPECT_EQ(doc.AData[1].RandSyosuX, 1);
    EXPECT_EQ(doc.AData[1].RandSyosuA, 3);
    EXPECT_EQ(doc.AData[1].RandY2, "7");
    EXPECT_EQ(doc.AData[1].HissanSiki, "1+2");
    EXPECT_EQ(doc.AData[1].Kotae, "3");
}

TEST_F(SikiTateTest, ColumnProblemsWithoutALayoutWriteNothingAndSayWhy)
{
    QSignalSpy redraw(&tool, &TFormSiki::redrawRequested);
    tool.show();
    // A negative difference and a division by zero are no column problems:
    // no layout, the reason in the tool (never a box while typing), and
    // "決定" leaves the document and the tool as they were.
    const QList<QPair<QString, HissanStatus>> cases = {{"10-20", HissanStatus::NegativeDifference},
                                                       {"5/0", HissanStatus::ZeroDivisor},
                                                       {"3+4*2", HissanStatus::NotColumn}};
    for (const auto &[expression, status] : cases) {
        open(expression);
        EXPECT_EQ(tool.TateOperation(), TFormSiki::TateNone) << expression.toStdString();
        EXPECT_TRUE(tool.TateRows().isEmpty());
        EXPECT_EQ(tool.LabelTate->text(), HissanStatusText(status)) << expression.toStdString();
        EXPECT_EQ(tool.Kettei(), -1) << expression.toStdString();
        EXPECT_TRUE(tool.isVisible());
        EXPECT_EQ(tool.LabelTate->text(), HissanStatusText(status));
    }
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_TRUE(doc.AData.isEmpty());
    EXPECT_FALSE(doc.FileData.HensyuB);
    EXPECT_EQ(redraw.count(), 0);
    EXPECT_EQ(doc.NewData.X1, 11);

    // Mended input lays out again, clears the reason and is written.
    retype(tool.MemoT1, "20-10");
    EXPECT_EQ(tool.TateOperation(), TFormSiki::TateHiku);
    EXPECT_TRUE(tool.LabelTate->text().isEmpty());
    const RAData row = confirm();
    EXPECT_EQ(row.Kotae, "10");
    EXPECT_EQ(row.HissanKotae, "10");
}
