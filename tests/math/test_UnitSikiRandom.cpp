// Random generation of the expression tool over many seeded draws: the
// conditions of every page, the batch history, the attempt limit and its
// warning, and the writers that put a regenerated problem into its row.
// Also the word-problem page: preview, "決定", size and reloading.
#include "SikiTestSupport.h"

#include "math/UnitRegenerate.h"
#include "platform/UnitNumText.h"

namespace
{

constexpr int Draws = 300;

struct RandomTest : SikiTest {
    TSikiRandomPanel *p = nullptr;
    void SetUp() override
    {
        SikiTest::SetUp();
        tool.SeedRandom(20261209);
        tool.PrepareNew(0, 10, 20);
        p = tool.RandomPanel;
    }
    void ranges(const char *x1, const char *x2, const char *y1, const char *y2, const char *a1,
                const char *a2)
    {
        p->EditX1->setText(x1);
        p->EditX2->setText(x2);
        p->EditY1->setText(y1);
        p->EditY2->setText(y2);
        p->EditA1->setText(a1);
        p->EditA2->setText(a2);
    }
    // A fresh batch and one problem, as "問題作成" makes it.
    QString make()
    {
        tool.MakeRandomCommand();
        return tool.MemoY1->text();
    }
    int decimals(const QString &t)
    {
        const int dot = int(t.indexOf(u'.'));
        return dot < 0 ? 0 : int(t.size()) - dot - 1;
    }
};

TEST_F(RandomTest, WholeNumbersKeepSumsDifferencesAndRounding)
{
    // Defaults: ① 1..9, ② 1..9, answer 1..9, addition.
    for (int i = 0; i < Draws; ++i) {
        const QString siki = make();
        const QStringList parts = siki.split(u'+');
        ASSERT_EQ(parts.size(), 2) << siki.toStdString();
        const int a = parts[0].toInt(), b = parts[1].toInt();
        EXPECT_TRUE(a >= 1 && b >= 1 && a + b <= 9) << siki.toStdString();
        EXPECT_EQ(tool.MemoY2->text(), QString::number(a + b));
        EXPECT_TRUE(p->CheckRand->isChecked());
        EXPECT_FALSE(tool.RandomWarning());
    }

    p->ComboKigou->setCurrentIndex(1);
    for (int i = 0; i < Draws; ++i) {
        const QStringList parts = make().split(u'-');
        ASSERT_EQ(parts.size(), 2);
        EXPECT_GT(parts[0].toInt() - parts[1].toInt(), 0);
    }

    // "何十" of a drawn 7 is 10, of 47 is 40; "何百" of 47 is 100.
    p->ComboKigou->setCurrentIndex(0);
    p->ComboKihonX->setCurrentIndex(1);
    ranges("7", "7", "1", "1", "0", "1000");
    EXPECT_EQ(make(), "10+1");
    ranges("47", "47", "1", "1", "0", "1000");
    EXPECT_EQ(make(), "40+1");
    p->ComboKihonX->setCurrentIndex(2);
    EXPECT_EQ(make(), "100+1");
}

TEST_F(RandomTest, DivisionIsBuiltBackwards)
{
    p->ComboKigou->setCurrentIndex(3);
    ranges("6", "20", "2", "5", "1", "9");
    for (int i = 0; i < Draws; ++i) {
        const QStringList parts = make().split(u'/');
        ASSERT_EQ(parts.size(), 2);
        const int x = parts[0].toInt(), y = parts[1].toInt();
        EXPECT_TRUE(x >= 6 && x <= 20 && y >= 2 && y <= 5);
        EXPECT_EQ(x % y, 0) << x << "/" << y;
        EXPECT_EQ(tool.MemoY2->text(), QString::number(x / y));
    }
    p->CheckAmari->setChecked(true);
    for (int i = 0; i < Draws; ++i) {
        const QStringList parts = make().split(u'/');
        const int x = parts[0].toInt(), y = parts[1].toInt();
        const int r = x % y;
        EXPECT_TRUE(r >= 1 && r <= y - 1) << x << "/" << y;
        EXPECT_EQ(tool.MemoY2->text(), QStringLiteral("%1...%2").arg(x / y).arg(r));
    }
    // A divisor of 1 cannot leave a remainder, and nothing is divided by 0:
    // such settings end in the warning, not in a wrong problem.
    ranges("0", "100", "0", "1", "1", "9");
    make();
    EXPECT_TRUE(tool.RandomWarning());
    EXPECT_EQ(tool.MemoY1->text(), "");

    // 1000000000 × 1844675 is far beyond ①'s range and beyond 64 bits in
    // ten-thousandths; wrapped around, it would have come out as
    // "592629044.8384/1000000000" with the answer 1844675.
    p->CheckAmari->setChecked(false);
    ranges("1", "1000000000", "1000000000", "1000000000", "1844675", "1844675");
    make();
    EXPECT_TRUE(tool.RandomWarning());
    EXPECT_EQ(tool.MemoY1->text(), "");
}

TEST_F(RandomTest, DecimalPlacesNeverEndInZero)
{
    p->ComboSyosuX->setCurrentIndex(2);
    ranges("1", "1", "1", "9", "0", "100");
    for (int i = 0; i < Draws; ++i) {
        const QString x = make().split(u'+').value(0);
        ASSERT_EQ(decimals(x), 2) << x.toStdString();
        EXPECT_TRUE(x.startsWith("1.")) << x.toStdString();
        EXPECT_FALSE(x.endsWith(u'0')) << x.toStdString();
    }
    // Two tenths whose sum is whole (1.2+3.8 = 5) are refused when the answer
    // must have one decimal.
    p->ComboSyosuX->setCurrentIndex(1);
    p->ComboSyosuY->setCurrentIndex(1);
    p->ComboSyosuA->setCurrentIndex(1);
    ranges("1", "3", "1", "3", "0", "100");
    for (int i = 0; i < Draws; ++i) {
        make();
        EXPECT_EQ(decimals(tool.MemoY2->text()), 1) << tool.MemoY1->text().toStdString();
    }
}

TEST_F(RandomTest, ProperFractionsSumBelowOne)
{
    tool.SelectPage(TFormSiki::PageBunsu);
    for (int i = 0; i < Draws; ++i) {
        tool.MakeRandomCommand();
        ASSERT_FALSE(tool.RandomWarning());
        const int n1 = tool.EditBunsu1S->text().toInt(), d1 = tool.EditBunsu1B->text().toInt();
        const int n2 = tool.EditBunsu2S->text().toInt(), d2 = tool.EditBunsu2B->text().toInt();
        EXPECT_TRUE(n1 >= 1 && n1 < d1 && d1 <= 9 && n2 >= 1 && n2 < d2 && d2 <= 9);
        EXPECT_TRUE(tool.EditBunsu1T->text().isEmpty() && tool.EditBunsu2T->text().isEmpty());
        // Reduced unless asked not to.
        EXPECT_EQ(KouyakuSu(n1, d1), 1);
        // Below 1 and not whole: no whole part, a numerator below the denominator.
        EXPECT_EQ(n1 * d2 + n2 * d1 < d1 * d2, true);
        EXPECT_TRUE(tool.EditBunsuKT->text().isEmpty());
        const int kn = tool.EditBunsuKS->text().toInt(), kd = tool.EditBunsuKB->text().toInt();
        EXPECT_TRUE(kn >= 1 && kn < kd);
    }

    // Mixed numbers with the same denominator, unreduced, improper answer.
    p->ComboBunsuSyuX->setCurrentIndex(3);
    p->ComboBunsuSyuY->setCurrentIndex(3);
    p->ComboBunboY->setCurrentIndex(1);
    p->ComboBunsuSyuA->setCurrentIndex(2);
    p->CheckXYaku->setChecked(true);
    for (int i = 0; i < 50; ++i) {
        tool.MakeRandomCommand();
        ASSERT_FALSE(tool.RandomWarning());
        const int w1 = tool.EditBunsu1T->text().toInt();
        EXPECT_TRUE(w1 >= 1 && w1 <= 3);
        EXPECT_EQ(tool.EditBunsu1B->text(), tool.EditBunsu2B->text());
        EXPECT_TRUE(tool.CheckKabunsu->isChecked());
        EXPECT_LT(tool.EditBunsuKB->text().toInt(), tool.EditBunsuKS->text().toInt());
        EXPECT_TRUE(tool.RandomLog().last().startsWith(tool.EditBunsu1T->text() + "s"));
    }
}

TEST_F(RandomTest, EachOperandKeepsItsOwnFractionKind)
{
    // ① of any kind may reduce to a whole number (4/2 to 2/1); ② takes its
    // denominator, and a proper ② over 1 would be 1/1. Such draws are
    // rejected, whatever the answer allows.
    tool.SelectPage(TFormSiki::PageBunsu);
    p->ComboBunsuSyuX->setCurrentIndex(0);
    p->ComboBunsuSyuY->setCurrentIndex(1);
    p->ComboBunboY->setCurrentIndex(1);
    p->ComboBunsuSyuA->setCurrentIndex(2);
    p->ComboBunsuKigou->setCurrentIndex(2);
    int wholeFirst = 0;
    for (int i = 0; i < Draws; ++i) {
        tool.MakeRandomCommand();
        ASSERT_FALSE(tool.RandomWarning());
        const int d1 = tool.EditBunsu1B->text().toInt();
        const int n2 = tool.EditBunsu2S->text().toInt(), d2 = tool.EditBunsu2B->text().toInt();
        EXPECT_EQ(d2, d1);
        EXPECT_TRUE(n2 >= 1 && n2 < d2) << tool.RandomLog().last().toStdString();
        wholeFirst += d1 == 1;
    }
    // So no accepted problem has ① over 1 here: ② could not be proper.
    EXPECT_EQ(wholeFirst, 0);

    // A proper ① from a range that holds only the denominator 1 has no
    // draw at all: the search ends with the warning.
    p->ComboBunsuSyuX->setCurrentIndex(1);
    p->ComboBunboY->setCurrentIndex(0);
    p->ComboBunsuSyuA->setCurrentIndex(0);
    p->EditBunsuX1->setText("1");
    p->EditBunsuX2->setText("1");
    tool.MakeRandomCommand();
    EXPECT_TRUE(tool.RandomWarning());
}

TEST_F(RandomTest, ABatchNeverRepeatsAndTheLimitShowsTheWarning)
{
    tool.ClearRandomLog();
    QStringList seen;
    for (int i = 0; i < 30; ++i) {
        tool.MakeRandom();
        ASSERT_FALSE(seen.contains(tool.MemoY1->text()));
        seen << tool.MemoY1->text();
    }
    EXPECT_EQ(tool.RandomLog(), seen);
    EXPECT_GT(tool.RandomLogDuplicates(), 0);

    // Only "1+1" fits: the second problem of the batch is refused as a repeat
    // on every one of its 501 attempts, then the search gives up.
    ranges("1", "1", "1", "1", "1", "9");
    tool.ClearRandomLog();
    tool.MakeRandom();
    EXPECT_EQ(tool.MemoY1->text(), "1+1");
    tool.MakeRandom();
    EXPECT_EQ(tool.RandomLogDuplicates(), 501);
    EXPECT_TRUE(tool.RandomWarning());
    EXPECT_FALSE(p->WarningLine->isHidden());
    EXPECT_EQ(tool.MemoY1->text(), "");
    EXPECT_EQ(tool.MemoT1->text(), "");
    EXPECT_EQ(tool.EditBunsyo1->text(), "");
    EXPECT_EQ(tool.RandomLog(), QStringList{"1+1"});
    // The next run hides the warning again.
    tool.MakeRandomCommand();
    EXPECT_FALSE(tool.RandomWarning());
    EXPECT_TRUE(p->WarningLine->isHidden());

    // Range boxes that are not numbers count as 0: 0+0 is outside 1..9.
    ranges("x", "-", "", "y", "1", "9");
    make();
    EXPECT_TRUE(tool.RandomWarning());
}

TEST_F(RandomTest, RangesBeyondAThousandMillionAreRefusedAtMake)
{
    // A range the generator cannot hold is said, and the problem shown stays.
    tool.MemoY1->setText("2+3");
    ranges("1", "5000000000", "1", "9", "1", "9");
    p->ButtonMake->click();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts.last().contains(QStringLiteral("①")));
    EXPECT_TRUE(messages.texts.last().contains(QStringLiteral("5000000000")));
    EXPECT_EQ(messages.captions.last(), QStringLiteral("Tavenor プリント"));
    EXPECT_EQ(tool.MemoY1->text(), "2+3");
    EXPECT_FALSE(tool.RandomWarning());
    EXPECT_TRUE(tool.RandomLog().isEmpty());

    // Below the lower end, and a number too long for any count, alike.
    ranges("1", "9", "1", "9", "-2000000000", "9");
    p->ButtonMake->click();
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_TRUE(messages.texts.last().contains(QStringLiteral("解答")));
    ranges("1", "9", "99999999999999999999", "9", "1", "9");
    p->ButtonMake->click();
    ASSERT_EQ(messages.texts.size(), 3);
    EXPECT_TRUE(messages.texts.last().contains(QStringLiteral("②")));
    EXPECT_EQ(tool.MemoY1->text(), "2+3");

    // The up-down control of such a box comes back within its own range.
    p->EditX2->setText("99999999999999999999");
    p->EditX2->step(-1);
    EXPECT_EQ(p->EditX2->text(), "9999");
    p->EditX2->setText("-99999999999999999999");
    p->EditX2->step(1);
    EXPECT_EQ(p->EditX2->text(), "1");

    // The ends themselves are numbers to draw from (a negative ② is 0).
    ranges("1000000000", "1000000000", "-1000000000", "-1000000000", "1000000000",
           "1000000000");
    p->ButtonMake->click();
    EXPECT_EQ(messages.texts.size(), 3);
    EXPECT_EQ(tool.MemoY1->text(), "1000000000+0");

    // The fraction page reads its denominator ranges only.
    tool.SelectPage(TFormSiki::PageBunsu);
    ranges("1", "5000000000", "1", "9", "1", "9");
    p->ButtonMake->click();
    EXPECT_EQ(messages.texts.size(), 3);
    EXPECT_FALSE(tool.RandomWarning());
    const QString shown = tool.MemoBunsuSiki->text();
    p->EditBunsuY2->setText("20000000000");
    p->ButtonMake->click();
    ASSERT_EQ(messages.texts.size(), 4);
    EXPECT_TRUE(messages.texts.last().contains(QStringLiteral("分母")));
    EXPECT_EQ(tool.MemoBunsuSiki->text(), shown);
}

TEST_F(RandomTest, WritersRegenerateTheRowAndKeepItsPlacement)
{
    // A horizontal problem, a column division and a fraction, all random.
    settings.kotaeDisplay = true;
    p->CheckRand->setChecked(true);
    tool.MemoY1->setText("1+1");
    const int yoko = KetteiOn(tool, TFormSiki::PageYoko);
    ASSERT_EQ(yoko, 0);
    doc.AData[0].X1 = 300;
    doc.AData[0].FontSize = 30;
    doc.AData[0].KotaeMode = 0;
    const RAData before = doc.AData[0];

    ASSERT_TRUE(tool.LoadRow(0));
    tool.MakeRandomCommand();
    ASSERT_TRUE(tool.SetRandomKaitouYoko());
    const RAData &after = doc.AData[0];
    EXPECT_EQ(after.X1, 300);
    EXPECT_EQ(after.FontSize, 30);
    EXPECT_EQ(after.KotaeMode, 0);
    EXPECT_EQ(after.Siki, tool.MemoY1->text());
    EXPECT_EQ(after.Kotae, Keisan(after.Siki));
    EXPECT_EQ(after.Width, (after.Siki.size() + 1 + after.Kotae.size()) * 30);

    // A search that fails leaves the row's problem as it was.
    ASSERT_TRUE(tool.LoadRow(0));
    ranges("50", "50", "50", "50", "1", "9");
    tool.MakeRandomCommand();
    EXPECT_FALSE(tool.SetRandomKaitouYoko());
    EXPECT_EQ(doc.AData[0].Siki, after.Siki);

    // The column page rebuilds its layout strings.
    tool.PrepareNew(0, 0, 0);
    tool.SelectPage(TFormSiki::PageTate);
    tool.MemoT1->setText("75/4");
    tool.MakeSikiKotaeTate();
    const int tate = KetteiOn(tool, TFormSiki::PageTate);
    ASSERT_TRUE(tool.LoadRow(tate));
    p->ComboKigou->setCurrentIndex(3);
    p->CheckAmari->setChecked(true);
    ranges("10", "99", "2", "9", "2", "9");
    tool.MakeRandomCommand();
    ASSERT_TRUE(tool.SetRandomKaitouTate());
    const RAData &t = doc.AData[tate];
    EXPECT_EQ(t.Siki2, 3);
    EXPECT_EQ(t.HissanSiki, t.Siki);
    EXPECT_TRUE(t.Kotae.contains("...")) << t.Kotae.toStdString();
    EXPECT_EQ(t.Kotae, Keisan(t.Siki));

    // A fraction row takes its new expression and answer.
    tool.PrepareNew(0, 0, 0);
    tool.SelectPage(TFormSiki::PageBunsu);
    tool.MakeRandomCommand();
    const int bunsu = KetteiOn(tool, TFormSiki::PageBunsu);
    ASSERT_GE(bunsu, 0);
    const QString old = doc.AData[bunsu].Siki;
    ASSERT_TRUE(tool.LoadRow(bunsu));
    tool.ClearRandomLog();
    tool.MakeRandom();
    ASSERT_TRUE(tool.SetRandomKaitouBunsu());
    EXPECT_EQ(doc.AData[bunsu].Siki, tool.MemoBunsuSiki->text());
    EXPECT_EQ(doc.AData[bunsu].Kotae, tool.BunsuKotae());
    EXPECT_EQ(doc.AData[bunsu].Rand, 1);
    (void)old;

    // A row that is gone is never made anew.
    doc.NewData.ID = 999;
    const int rows = doc.AData.size();
    EXPECT_FALSE(tool.SetRandomKaitouBunsu());
    EXPECT_EQ(doc.AData.size(), rows);
}

TEST_F(RandomTest, WordProblemPageAndItsRegeneration)
{
    tool.SelectPage(TFormSiki::PageBunsyo);
    EXPECT_EQ(tool.ComboBunsyoSiki->currentText(), "（しき）");
    EXPECT_EQ(tool.ComboBunsyoKotae->currentText(), "こたえ");
    EXPECT_EQ(tool.ComboBunsyoTani->currentText(), "こ");
    QStringList units;
    for (int i = 0; i < tool.ComboBunsyoTani->count(); ++i)
        units << tool.ComboBunsyoTani->itemText(i);
    EXPECT_EQ(units,
              (QStringList{"こ", "本", "枚", "まい", "円", "人", "ひき", "cm",   "m",  "km",
                           "g",  "kg", "L",  "dL",   "mL", "分", "時間", "さつ", "台", "回"}));
    EXPECT_TRUE(tool.ComboBunsyoTani->isEditable());
    EXPECT_TRUE(tool.ComboBunsyoTani->toolTip().contains(QStringLiteral("入力できます")));
    EXPECT_TRUE(tool.CheckBunsyoTani->isChecked());

    // "決定" with an empty text does nothing.
    type(tool.EditBunsyoR1, "3");
    type(tool.EditBunsyoR2, "4");
    EXPECT_EQ(tool.EditBunsyo1->text(), "3+4");
    EXPECT_EQ(tool.EditBunsyo2->text(), "7");
    EXPECT_EQ(tool.EditBunsyoKotae->text(), "7");
    EXPECT_EQ(KetteiOn(tool, TFormSiki::PageBunsyo), -1);
    EXPECT_TRUE(doc.AData.isEmpty());

    // The markers go in at the cursor.
    tool.MemoBunsyoText->setPlainText(QStringLiteral("りんごがこ、"));
    QTextCursor c = tool.MemoBunsyoText->textCursor();
    c.setPosition(4);
    tool.MemoBunsyoText->setTextCursor(c);
    tool.ButtonBunsyo1->click();
    tool.MemoBunsyoText->moveCursor(QTextCursor::End);
    tool.ButtonBunsyo2->click();
    EXPECT_EQ(tool.MemoBunsyoText->toPlainText(), QStringLiteral("りんごが①こ、②"));

    const int row = KetteiOn(tool, TFormSiki::PageBunsyo);
    ASSERT_EQ(row, 0);
    const RAData r = doc.AData[0];
    EXPECT_EQ(r.Siki1, 3);
    EXPECT_EQ(r.Siki, "3+4");
    EXPECT_EQ(r.Kotae, "7");
    EXPECT_EQ(r.Bunsyo1, "3+4");
    EXPECT_EQ(r.BunsyoR1, "3");
    EXPECT_EQ(r.BunsyoR2, "4");
    EXPECT_EQ(r.BunsyoTani, 1);
    EXPECT_EQ(r.BunsyoKotaeTani, "こ");
    // Width: the wider of the text with the numbers put in, and the answer line.
    const int line = QStringLiteral("りんごが3こ、4").size() * 20;
    const int answer = QStringLiteral("（しき）3+4a＝7こたえあ7あこ").size() * 20;
    EXPECT_EQ(r.Width, std::max(line, answer));
    EXPECT_EQ(r.Height, 21 * 8);

    // Without the unit in the problem the answer line is wider by the brackets.
    ASSERT_TRUE(tool.LoadRow(0));
    EXPECT_EQ(tool.MemoBunsyoText->toPlainText(), QStringLiteral("りんごが①こ、②"));
    tool.CheckBunsyoTani->setChecked(false);
    tool.MemoBunsyoText->setPlainText("一\n二\n三");
    KetteiOn(tool, TFormSiki::PageBunsyo);
    EXPECT_EQ(doc.AData[0].BunsyoTani, 0);
    EXPECT_EQ(doc.AData[0].BunsyoText, "一\r\n二\r\n三");
    EXPECT_EQ(doc.AData[0].Width, QStringLiteral("（しき）3+4a＝7こたえ（あ7こあ）").size() * 20);
    EXPECT_EQ(doc.AData[0].Height, 21 * 10);

    // Regeneration draws new numbers; the text and the size stay.
    const RAData stored = doc.AData[0];
    ASSERT_TRUE(tool.LoadRow(0));
    p->ComboKigou->setCurrentIndex(2);
    tool.MakeRandomCommand();
    ASSERT_TRUE(tool.SetRandomKaitouBunsyo());
    const RAData &g = doc.AData[0];
    EXPECT_EQ(g.BunsyoText, stored.BunsyoText);
    EXPECT_EQ(g.Width, stored.Width);
    EXPECT_EQ(g.Height, stored.Height);
    EXPECT_EQ(g.BunsyoR, 2);
    EXPECT_EQ(g.Siki, g.BunsyoR1 + "*" + g.BunsyoR2);
    EXPECT_EQ(g.Bunsyo1, g.Siki);
    EXPECT_EQ(g.Kotae, QString::number(g.BunsyoR1.toInt() * g.BunsyoR2.toInt()));
    EXPECT_EQ(g.Bunsyo2, g.Kotae);
    EXPECT_EQ(g.BunsyoKotae, g.Kotae);
    EXPECT_EQ(g.BunsyoTani, 0);
}

} // namespace

namespace
{
TEST_F(RandomTest, WordProblemAnswerPictureFollowsTheUnitAndLabel)
{
    tool.SelectPage(TFormSiki::PageBunsyo);
    const auto picture = [&] { return tool.ImageBunsyoTani->pixmap().toImage(); };
    EXPECT_EQ(tool.ImageBunsyoTani->toolTip(), QStringLiteral("こたえ □ こ"));
    const QImage withKo = picture();

    // Chosen from the list.
    tool.ComboBunsyoTani->setCurrentIndex(int(tool.ComboBunsyoTani->findText("cm")));
    EXPECT_EQ(tool.ImageBunsyoTani->toolTip(), QStringLiteral("こたえ □ cm"));
    EXPECT_NE(picture(), withKo);

    // Typed into the box.
    tool.ComboBunsyoTani->lineEdit()->selectAll();
    QTest::keyClicks(tool.ComboBunsyoTani->lineEdit(), QStringLiteral("dL"));
    EXPECT_EQ(tool.ComboBunsyoTani->currentText(), QStringLiteral("dL"));
    EXPECT_EQ(tool.ImageBunsyoTani->toolTip(), QStringLiteral("こたえ □ dL"));

    // Without the unit in the problem, and with another answer label.
    tool.CheckBunsyoTani->setChecked(false);
    tool.ComboBunsyoKotae->setCurrentIndex(1);
    EXPECT_EQ(tool.ImageBunsyoTani->toolTip(), QStringLiteral("答え（　dL）"));

    // A stored row shows its own unit; a fresh page "こ" again.
    RAData r;
    r.Syu = QStringLiteral("5");
    r.Siki1 = 3;
    r.Rand = 1;
    r.BunsyoText = QStringLiteral("①本と②本");
    r.BunsyoKotaeCombo = QStringLiteral("こたえ");
    r.BunsyoKotaeTani = QStringLiteral("本");
    r.BunsyoTani = 1;
    doc.AData = {r};
    tool.LoadRowForRandom(0);
    EXPECT_EQ(tool.ImageBunsyoTani->toolTip(), QStringLiteral("こたえ □ 本"));
    tool.PrepareNew(0, 10, 20);
    tool.SelectPage(TFormSiki::PageBunsyo);
    EXPECT_EQ(tool.ImageBunsyoTani->toolTip(), QStringLiteral("こたえ □ こ"));
    EXPECT_EQ(picture(), withKo);
}

TEST_F(RandomTest, OneRunNeverRepeatsAProblemAndSkipsOthers)
{
    // Thirty horizontal problems with the default settings (36 sums of at
    // most 9 exist), one that is not random, and a text.
    RAData base;
    base.Syu = "5";
    base.Rand = 1;
    base.FontName = "ＭＳ 明朝";
    base.FontSize = 10;
    base.RandX1 = base.RandY1 = base.RandA1 = "1";
    base.RandX2 = base.RandY2 = base.RandA2 = "9";
    for (int i = 0; i < 30; ++i) {
        RAData r = base;
        r.ID = i + 1;
        r.Y1 = i * 20;
        doc.AData.append(r);
    }
    RAData fixed = base;
    fixed.ID = 40;
    fixed.Rand = 0;
    fixed.Siki = "1+2";
    doc.AData.append(fixed);
    RAData text;
    text.ID = 41;
    text.Syu = "1";
    text.Rand = 1;
    text.Siki = "abc";
    doc.AData.append(text);
    doc.NewData.ID = 77;

    QList<QPair<int, int>> steps;
    EXPECT_EQ(RegenerateAll(doc, tool, [&](int p, int m) { steps << qMakePair(p, m); }), 30);
    QStringList seen;
    for (int i = 0; i < 30; ++i) {
        const RAData &r = doc.AData[i];
        EXPECT_FALSE(seen.contains(r.Siki)) << r.Siki.toStdString();
        seen << r.Siki;
        EXPECT_EQ(r.Kotae, Keisan(r.Siki));
        EXPECT_EQ(r.Y1, i * 20);
    }
    EXPECT_EQ(doc.AData[30].Siki, "1+2");
    EXPECT_EQ(doc.AData[31].Siki, "abc");
    EXPECT_EQ(doc.NewData.ID, 77);
    // One step per row: 0 first, the last row index at the end.
    ASSERT_EQ(steps.size(), 33);
    EXPECT_EQ(steps.first(), qMakePair(0, 31));
    EXPECT_EQ(steps.last(), qMakePair(31, 31));

    // As a command the run is one change of the worksheet, and its undo
    // brings back the problems as they were.
    doc.resetHistory();
    const QVector<RAData> was = doc.AData;
    EXPECT_FALSE(doc.FileData.HensyuB);
    ASSERT_TRUE(doc.push(std::make_unique<RegenerateCommand>(doc, tool)));
    EXPECT_TRUE(doc.FileData.HensyuB);
    EXPECT_NE(doc.AData, was);
    doc.undoStack().undo();
    EXPECT_EQ(doc.AData, was);
    EXPECT_FALSE(doc.FileData.HensyuB);

    // An empty worksheet has nothing to regenerate: no change at all.
    Document empty;
    TFormSiki other(empty);
    EXPECT_EQ(RegenerateAll(empty, other), 0);
    EXPECT_FALSE(empty.push(std::make_unique<RegenerateCommand>(empty, other)));
    EXPECT_FALSE(empty.FileData.HensyuB);
    EXPECT_FALSE(empty.undoStack().canUndo());
}
} // namespace
