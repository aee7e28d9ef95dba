// The extra conditions of random problems: the text of RandZ1 read and
// written, carrying and borrowing, "0と1を使わない" and the fraction
// conditions over many seeded draws, checked by exact arithmetic on the
// operands shown; the panel, the file and "作成" keeping and honouring them.
#include "SikiTestSupport.h"

#include "document/UnitFile.h"
#include "math/UnitRandConditions.h"
#include "math/UnitRegenerate.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <numeric>

namespace
{

constexpr int Draws = 300;

// Carries (or borrows) of a + b (a - b) counted on the texts as a column
// layout writes them: both padded to the same digits after the point and the
// same length before it, then added (subtracted) digit by digit from the
// right. Returns the carry out of every column, lowest column first.
QList<bool> columnCarries(const QString &a, const QString &b, bool subtraction)
{
    auto split = [](const QString &t) {
        const int dot = int(t.indexOf(u'.'));
        return dot < 0 ? qMakePair(t, QString()) : qMakePair(t.left(dot), t.mid(dot + 1));
    };
    auto [ia, fa] = split(a);
    auto [ib, fb] = split(b);
    const int fraction = int(std::max(fa.size(), fb.size()));
    const int whole = int(std::max(ia.size(), ib.size()));
    const QString da = ia.rightJustified(whole, u'0') + fa.leftJustified(fraction, u'0');
    const QString db = ib.rightJustified(whole, u'0') + fb.leftJustified(fraction, u'0');
    QList<bool> carries;
    int carry = 0;
    for (int i = int(da.size()) - 1; i >= 0; --i) {
        const int x = da[i].digitValue(), y = db[i].digitValue();
        if (subtraction) {
            carry = x - y - carry < 0;
        } else {
            carry = x + y + carry >= 10;
        }
        carries << bool(carry);
    }
    return carries;
}

// Whether the carries are what the choice asks for (1 あり, 2 なし,
// 3 すべての位で: every column below the highest, and at least one).
bool carriesMeet(int kuri, const QList<bool> &c)
{
    const bool any = c.contains(true);
    switch (kuri) {
    case 1:
        return any;
    case 2:
        return !any;
    case 3:
        return any && !c.mid(0, c.size() - 1).contains(false);
    default:
        return true;
    }
}

struct ConditionTest : SikiTest {
    TSikiRandomPanel *p = nullptr;
    void SetUp() override
    {
        SikiTest::SetUp();
        tool.SeedRandom(424242);
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
    // ① and ② of a fresh problem as "問題作成" makes it; empty when the
    // search gave up.
    QStringList make(QChar sign)
    {
        tool.MakeRandomCommand();
        return tool.MemoY1->text().split(sign);
    }
};

TEST(RandConditions, TextIsReadAndWrittenKeepingWhatItDoesNotKnow)
{
    // An empty field has no conditions and stays empty.
    RandConditions none = RandConditions::fromText(QString());
    EXPECT_EQ(none.kuri(), 0);
    EXPECT_FALSE(none.no01());
    EXPECT_EQ(none.bunbo(), 0);
    EXPECT_FALSE(none.yaku());
    none.setKuri(0);
    none.setNo01(false);
    none.setBunbo(0);
    none.setYaku(false);
    EXPECT_EQ(none.text(), "");

    RandConditions c = RandConditions::fromText("kuri=2;no01=1");
    EXPECT_EQ(c.kuri(), RandConditions::KuriNone);
    EXPECT_TRUE(c.no01());
    EXPECT_EQ(c.text(), "kuri=2;no01=1");
    c.setBunbo(RandConditions::BunboOther);
    c.setYaku(true);
    EXPECT_EQ(c.text(), "kuri=2;no01=1;bunbo=2;yaku=1");
    // A condition set to 0 is not written; a changed one stays in its place.
    c.setNo01(false);
    c.setKuri(3);
    EXPECT_EQ(c.text(), "kuri=3;bunbo=2;yaku=1");

    // Unknown pairs, bare words and values this program does not take are
    // kept as written, in their places, and count as no condition.
    RandConditions odd =
        RandConditions::fromText("zz=9;kuri=7;;word;no01=01;bunbo=1;yaku=1=1;kuri=1;x=");
    EXPECT_EQ(odd.kuri(), 1);
    EXPECT_FALSE(odd.no01());
    EXPECT_EQ(odd.bunbo(), 0);
    EXPECT_FALSE(odd.yaku());
    EXPECT_EQ(odd.text(), "zz=9;kuri=7;;word;no01=01;bunbo=1;yaku=1=1;kuri=1;x=");
    odd.setKuri(0);
    odd.setNo01(true);
    EXPECT_EQ(odd.text(), "zz=9;kuri=7;word;no01=01;bunbo=1;yaku=1=1;x=;no01=1");
    EXPECT_TRUE(RandConditions::fromText(odd.text()).no01());
    // Until a condition changes, the field is written back as it was read.
    RandConditions kept = RandConditions::fromText("a;;kuri=0;no01=1");
    kept.setKuri(0);
    kept.setNo01(true);
    EXPECT_EQ(kept.text(), "a;;kuri=0;no01=1");
    kept.setNo01(false);
    EXPECT_EQ(kept.text(), "a;kuri=0");
    // Out-of-range choices are never written.
    odd.setKuri(9);
    odd.setBunbo(1);
    EXPECT_EQ(odd.kuri(), 0);
    EXPECT_EQ(odd.bunbo(), 0);
}

TEST_F(ConditionTest, AdditionCarriesAsAsked)
{
    // Whole numbers, mixed lengths, and decimals aligned at the point.
    // Hundredths of ② under the tenths of ① never carry, so there not
    // every column can.
    struct Case {
        const char *x1, *x2, *y1, *y2, *a1, *a2;
        int syosuX, syosuY, lastKuri;
    };
    const Case cases[] = {{"10", "999", "1", "999", "0", "2000", 0, 0, 3},
                          {"1", "9", "1", "9", "0", "20", 0, 0, 3},
                          {"0", "9", "0", "9", "0", "20", 2, 2, 3},
                          {"0", "9", "0", "9", "0", "20", 1, 2, 2}};
    for (const Case &k : cases) {
        ranges(k.x1, k.x2, k.y1, k.y2, k.a1, k.a2);
        p->ComboSyosuX->setCurrentIndex(k.syosuX);
        p->ComboSyosuY->setCurrentIndex(k.syosuY);
        for (int kuri = 1; kuri <= k.lastKuri; ++kuri) {
            p->ComboKuri->setCurrentIndex(kuri);
            for (int i = 0; i < Draws; ++i) {
                const QStringList xy = make(u'+');
                ASSERT_FALSE(tool.RandomWarning()) << kuri << " " << k.x2;
                ASSERT_EQ(xy.size(), 2);
                EXPECT_TRUE(carriesMeet(kuri, columnCarries(xy[0], xy[1], false)))
                    << kuri << ": " << tool.MemoY1->text().toStdString();
                EXPECT_EQ(tool.MemoY2->text(), Keisan(tool.MemoY1->text()));
            }
        }
    }
    // 2.5 + 0.75 has a column of hundredths that does not carry, so it is no
    // problem where every column carries, but one that carries.
    EXPECT_TRUE(carriesMeet(1, columnCarries("2.5", "0.75", false)));
    EXPECT_FALSE(carriesMeet(3, columnCarries("2.5", "0.75", false)));
    EXPECT_TRUE(MeetsKuri(1, false, 25000, 7500, 2));
    EXPECT_FALSE(MeetsKuri(3, false, 25000, 7500, 2));
    EXPECT_TRUE(MeetsKuri(3, false, 25500, 7500, 2));

    // Without a condition both kinds come up.
    p->ComboKuri->setCurrentIndex(0);
    ranges("10", "99", "10", "99", "0", "200");
    p->ComboSyosuX->setCurrentIndex(0);
    p->ComboSyosuY->setCurrentIndex(0);
    int carrying = 0;
    for (int i = 0; i < Draws; ++i) {
        const QStringList xy = make(u'+');
        carrying += columnCarries(xy[0], xy[1], false).contains(true);
    }
    EXPECT_GT(carrying, 0);
    EXPECT_LT(carrying, Draws);
}

TEST_F(ConditionTest, SubtractionBorrowsAsAsked)
{
    p->ComboKigou->setCurrentIndex(1);
    EXPECT_EQ(p->LabelKuri->text(), QStringLiteral("繰り下がり"));
    EXPECT_EQ(p->ComboKuri->accessibleName(), QStringLiteral("繰り下がり"));
    // Hundredths of ② under the tenths of ① always borrow, so there no
    // problem is without borrowing.
    struct Case {
        const char *x1, *x2, *y1, *y2;
        int syosuX, syosuY;
        QList<int> kuris;
    };
    const Case cases[] = {{"100", "999", "1", "999", 0, 0, {1, 2, 3}},
                          {"10", "99", "1", "9", 0, 0, {1, 2, 3}},
                          {"1", "9", "0", "5", 1, 2, {1, 3}},
                          {"1", "9", "0", "5", 2, 2, {1, 2, 3}}};
    for (const Case &k : cases) {
        ranges(k.x1, k.x2, k.y1, k.y2, "0", "1000");
        p->ComboSyosuX->setCurrentIndex(k.syosuX);
        p->ComboSyosuY->setCurrentIndex(k.syosuY);
        for (const int kuri : k.kuris) {
            p->ComboKuri->setCurrentIndex(kuri);
            for (int i = 0; i < Draws; ++i) {
                const QStringList xy = make(u'-');
                ASSERT_FALSE(tool.RandomWarning()) << kuri << " " << k.x2;
                ASSERT_EQ(xy.size(), 2);
                EXPECT_TRUE(carriesMeet(kuri, columnCarries(xy[0], xy[1], true)))
                    << kuri << ": " << tool.MemoY1->text().toStdString();
            }
        }
    }
    // The column page and the word-problem page draw alike.
    p->ComboKuri->setCurrentIndex(3);
    ranges("100", "999", "10", "99", "0", "1000");
    p->ComboSyosuX->setCurrentIndex(0);
    p->ComboSyosuY->setCurrentIndex(0);
    for (const int page : {TFormSiki::PageTate, TFormSiki::PageBunsyo}) {
        tool.SelectPage(page);
        for (int i = 0; i < 50; ++i) {
            tool.MakeRandomCommand();
            ASSERT_FALSE(tool.RandomWarning());
            const QString siki =
                page == TFormSiki::PageTate ? tool.MemoT1->text() : tool.EditBunsyo1->text();
            const QStringList xy = siki.split(u'-');
            ASSERT_EQ(xy.size(), 2);
            EXPECT_TRUE(carriesMeet(3, columnCarries(xy[0], xy[1], true))) << siki.toStdString();
        }
    }

    // Multiplication and division know no borrowing: the list is hidden and
    // the drawn problems are as without it.
    p->ComboKigou->setCurrentIndex(2);
    EXPECT_TRUE(p->ComboKuri->isHidden());
    EXPECT_TRUE(p->LabelKuri->isHidden());
    tool.SelectPage(TFormSiki::PageYoko);
    ranges("1", "9", "1", "9", "1", "81");
    make(u'*');
    EXPECT_FALSE(tool.RandomWarning());
    p->ComboKigou->setCurrentIndex(0);
    EXPECT_FALSE(p->ComboKuri->isHidden());
    EXPECT_EQ(p->LabelKuri->text(), QStringLiteral("繰り上がり"));
    EXPECT_EQ(p->ComboKuri->toolTip(), QStringLiteral("繰り上がり"));
}

TEST_F(ConditionTest, NoZeroOneAndNoRoundTensWhenAsked)
{
    p->CheckNo01->setChecked(true);
    // Multiplication from 0..5: neither operand is ever 0 or 1.
    p->ComboKigou->setCurrentIndex(2);
    ranges("0", "5", "0", "5", "0", "25");
    QSet<QString> seen;
    for (int i = 0; i < Draws; ++i) {
        const QStringList xy = make(u'*');
        ASSERT_EQ(xy.size(), 2);
        for (const QString &v : xy) {
            EXPECT_GE(v.toInt(), 2) << tool.MemoY1->text().toStdString();
            seen << v;
        }
    }
    EXPECT_EQ(seen, (QSet<QString>{"2", "3", "4", "5"}));

    // Division: neither dividend nor divisor is 0 or 1.
    p->ComboKigou->setCurrentIndex(3);
    ranges("0", "30", "1", "5", "0", "9");
    for (int i = 0; i < Draws; ++i) {
        const QStringList xy = make(u'/');
        ASSERT_EQ(xy.size(), 2);
        EXPECT_GE(xy[0].toInt(), 2);
        EXPECT_GE(xy[1].toInt(), 2);
    }

    // Addition and subtraction also leave out multiples of ten.
    for (const int kigou : {0, 1}) {
        p->ComboKigou->setCurrentIndex(kigou);
        ranges("0", "40", "0", "40", "-100", "100");
        for (int i = 0; i < Draws; ++i) {
            const QStringList xy = make(kigou == 0 ? u'+' : u'-');
            ASSERT_EQ(xy.size(), 2);
            for (const QString &v : xy) {
                const int n = v.toInt();
                EXPECT_TRUE(n >= 2 && n % 10 != 0) << tool.MemoY1->text().toStdString();
            }
        }
    }
    // ...unless the operand can be nothing else: a rounded ① is a multiple
    // of ten, and a range 10..10 holds 10 only.
    p->ComboKigou->setCurrentIndex(0);
    p->ComboKihonX->setCurrentIndex(1);
    ranges("10", "90", "10", "10", "0", "200");
    for (int i = 0; i < 30; ++i) {
        const QStringList xy = make(u'+');
        ASSERT_FALSE(tool.RandomWarning());
        EXPECT_EQ(xy[0].toInt() % 10, 0);
        EXPECT_EQ(xy[1], "10");
    }
    // A decimal ① such as 0.4 is neither 0 nor 1.
    p->ComboKihonX->setCurrentIndex(0);
    p->ComboSyosuX->setCurrentIndex(1);
    ranges("0", "0", "2", "9", "0", "20");
    make(u'+');
    EXPECT_FALSE(tool.RandomWarning());
    EXPECT_TRUE(tool.MemoY1->text().startsWith("0.")) << tool.MemoY1->text().toStdString();
}

TEST_F(ConditionTest, ImpossibleConditionsEndInTheWarning)
{
    // One-digit sums of at most 8 cannot carry at all.
    p->ComboKuri->setCurrentIndex(3);
    ranges("1", "4", "1", "4", "0", "100");
    make(u'+');
    EXPECT_TRUE(tool.RandomWarning());
    EXPECT_EQ(tool.MemoY1->text(), "");
    // A one-digit difference never borrows where it must.
    p->ComboKigou->setCurrentIndex(1);
    ranges("1", "9", "1", "9", "0", "100");
    make(u'-');
    EXPECT_TRUE(tool.RandomWarning());
    // 0 and 1 only, without 0 and 1.
    p->ComboKuri->setCurrentIndex(0);
    p->ComboKigou->setCurrentIndex(2);
    p->CheckNo01->setChecked(true);
    ranges("0", "1", "0", "9", "0", "100");
    make(u'*');
    EXPECT_TRUE(tool.RandomWarning());
    EXPECT_FALSE(p->WarningLine->isHidden());
    p->CheckNo01->setChecked(false);
    make(u'*');
    EXPECT_FALSE(tool.RandomWarning());

    // Fractions: another denominator from a range of one, and an answer to
    // reduce from 1/2 + 1/3 and 1/2 + 2/3 (5/6 and 7/6).
    tool.SelectPage(TFormSiki::PageBunsu);
    p->ComboBunsuSyuA->setCurrentIndex(0);
    p->EditBunsuX1->setText("2");
    p->EditBunsuX2->setText("2");
    p->EditBunsuY1->setText("2");
    p->EditBunsuY2->setText("2");
    p->ComboBunboY->setCurrentIndex(2);
    tool.MakeRandomCommand();
    EXPECT_TRUE(tool.RandomWarning());
    p->ComboBunboY->setCurrentIndex(0);
    p->EditBunsuY1->setText("3");
    p->EditBunsuY2->setText("3");
    p->CheckYakuA->setChecked(true);
    tool.MakeRandomCommand();
    EXPECT_TRUE(tool.RandomWarning());
    p->CheckYakuA->setChecked(false);
    tool.MakeRandomCommand();
    EXPECT_FALSE(tool.RandomWarning());
}

TEST_F(ConditionTest, FractionsTakeAnotherDenominatorAndAnAnswerToReduce)
{
    tool.SelectPage(TFormSiki::PageBunsu);
    p->ComboBunboY->setCurrentIndex(2);
    p->ComboBunsuSyuA->setCurrentIndex(0);
    p->CheckYakuA->setChecked(true);
    p->CheckNo01->setChecked(true);
    // Improper and mixed numbers too, over every operation.
    const int kinds[][2] = {{1, 1}, {2, 1}, {3, 3}, {0, 0}};
    for (int op = 0; op < 4; ++op) {
        p->ComboBunsuKigou->setCurrentIndex(op);
        for (const auto &kind : kinds) {
            p->ComboBunsuSyuX->setCurrentIndex(kind[0]);
            p->ComboBunsuSyuY->setCurrentIndex(kind[1]);
            for (int i = 0; i < 60; ++i) {
                tool.MakeRandomCommand();
                ASSERT_FALSE(tool.RandomWarning()) << op << " " << kind[0] << kind[1];
                const int64_t w1 = tool.EditBunsu1T->text().toLongLong();
                const int64_t n1 = tool.EditBunsu1S->text().toLongLong();
                const int64_t d1 = tool.EditBunsu1B->text().toLongLong();
                const int64_t w2 = tool.EditBunsu2T->text().toLongLong();
                const int64_t n2 = tool.EditBunsu2S->text().toLongLong();
                const int64_t d2 = tool.EditBunsu2B->text().toLongLong();
                EXPECT_NE(d1, d2);
                // Neither operand is worth 0 or 1.
                EXPECT_NE(w1 * d1 + n1, d1);
                EXPECT_NE(w2 * d2 + n2, d2);
                // The answer worked out without reducing: over the least
                // common denominator, or straight across.
                const int64_t a = w1 * d1 + n1, b = w2 * d2 + n2;
                int64_t num = 0, den = 0;
                if (op <= 1) {
                    den = std::lcm(d1, d2);
                    num = a * (den / d1) + (op == 0 ? 1 : -1) * b * (den / d2);
                } else if (op == 2) {
                    num = a * b;
                    den = d1 * d2;
                } else {
                    num = a * d2;
                    den = d1 * b;
                }
                ASSERT_NE(num, 0);
                const int64_t g = std::gcd(num < 0 ? -num : num, den);
                EXPECT_GT(g, 1) << tool.MemoBunsuSiki->text().toStdString();
                // What the tool shows is the answer reduced.
                const int64_t kw = tool.EditBunsuKT->text().toLongLong();
                const int64_t kn = tool.EditBunsuKS->text().toLongLong();
                const int64_t kd = tool.EditBunsuKB->text().toLongLong();
                if (num > 0) {
                    EXPECT_EQ(kd, den / g);
                    EXPECT_EQ(kw * kd + kn, num / g);
                }
            }
        }
    }
}

TEST_F(ConditionTest, PanelRowFileAndRegenerationKeepTheConditions)
{
    // A problem without conditions stores an empty field.
    p->CheckRand->setChecked(true);
    tool.MemoY1->setText("12+34");
    ASSERT_EQ(KetteiOn(tool, TFormSiki::PageYoko), 0);
    EXPECT_EQ(doc.AData[0].RandZ1, "");

    // With conditions, and an unknown pair of the loaded row kept.
    doc.AData[0].RandZ1 = QStringLiteral("zz=あ;kuri=1");
    ASSERT_TRUE(tool.LoadRow(0));
    EXPECT_EQ(p->ComboKuri->currentIndex(), 1);
    p->ComboKuri->setCurrentIndex(2);
    p->CheckNo01->setChecked(true);
    ASSERT_EQ(KetteiOn(tool, TFormSiki::PageYoko), 0);
    EXPECT_EQ(doc.AData[0].RandZ1, QStringLiteral("zz=あ;kuri=2;no01=1"));
    // Undo brings back the field as it was.
    doc.undoStack().undo();
    EXPECT_EQ(doc.AData[0].RandZ1, QStringLiteral("zz=あ;kuri=1"));
    doc.undoStack().redo();

    // The fraction page stores its own two; "①と同じ分母" stays in its field.
    tool.PrepareNew(0, 0, 0);
    tool.SelectPage(TFormSiki::PageBunsu);
    p->ComboKuri->setCurrentIndex(0);
    p->CheckNo01->setChecked(false);
    p->ComboBunboY->setCurrentIndex(2);
    p->CheckYakuA->setChecked(true);
    p->ComboBunsuSyuA->setCurrentIndex(0);
    // The horizontal row loaded last had no fraction ranges.
    for (SikiRangeBox *box : {p->EditBunsuX1, p->EditBunsuY1})
        box->setText("2");
    for (SikiRangeBox *box : {p->EditBunsuX2, p->EditBunsuY2})
        box->setText("9");
    tool.MakeRandomCommand();
    ASSERT_FALSE(tool.RandomWarning());
    const int bunsu = KetteiOn(tool, TFormSiki::PageBunsu);
    ASSERT_EQ(bunsu, 1);
    EXPECT_EQ(doc.AData[bunsu].RandZ1, "bunbo=2;yaku=1");
    EXPECT_EQ(doc.AData[bunsu].RandBunsuBunboY, 0);
    p->ComboBunboY->setCurrentIndex(1);
    p->CheckYakuA->setChecked(false);
    ASSERT_TRUE(tool.LoadRow(bunsu));
    EXPECT_EQ(p->ComboBunboY->currentIndex(), 2);
    EXPECT_TRUE(p->CheckYakuA->isChecked());
    // The horizontal page leaves the fraction conditions alone.
    RAData yoko = doc.AData[bunsu];
    p->Store(yoko, TSikiRandomPanel::Scope::Yoko);
    EXPECT_EQ(yoko.RandZ1, "bunbo=2;yaku=1");
    // A stored byte past the list selects nothing, as before.
    RAData odd = doc.AData[bunsu];
    odd.RandBunsuBunboY = 2;
    p->Load(odd);
    EXPECT_EQ(p->ComboBunboY->currentIndex(), -1);

    // Through the file and back, byte for byte.
    const QTemporaryDir dir;
    const QString path = dir.filePath("c.prx");
    ASSERT_TRUE(SaveFileAll(path, doc, LayerWorksheet, 1).ok);
    Document read;
    ASSERT_TRUE(LoadFileAll(path, read).ok);
    ASSERT_EQ(read.AData.size(), 2);
    EXPECT_EQ(read.AData[0].RandZ1, QStringLiteral("zz=あ;kuri=2;no01=1"));
    EXPECT_EQ(read.AData[1].RandZ1, "bunbo=2;yaku=1");

    // "作成" honours them and keeps the field.
    read.AData[0].RandX1 = read.AData[0].RandY1 = "10";
    read.AData[0].RandX2 = read.AData[0].RandY2 = "99";
    read.AData[0].RandA1 = "0";
    read.AData[0].RandA2 = "200";
    read.AData[0].RandZ1 = QStringLiteral("zz=あ;kuri=3");
    TFormSiki other(read);
    other.SetMeasurer(&measurer);
    other.SeedRandom(7);
    for (int run = 0; run < 40; ++run) {
        ASSERT_EQ(RegenerateAll(read, other), 2);
        const QStringList xy = read.AData[0].Siki.split(u'+');
        ASSERT_EQ(xy.size(), 2);
        EXPECT_TRUE(carriesMeet(3, columnCarries(xy[0], xy[1], false)))
            << read.AData[0].Siki.toStdString();
        EXPECT_EQ(read.AData[0].RandZ1, QStringLiteral("zz=あ;kuri=3"));
        EXPECT_EQ(read.AData[1].RandZ1, "bunbo=2;yaku=1");
        const QStringList parts = read.AData[1].Siki.split(QRegularExpression("[+*/-]"));
        ASSERT_EQ(parts.size(), 2);
        EXPECT_NE(parts[0].section(u'b', 1), parts[1].section(u'b', 1))
            << read.AData[1].Siki.toStdString();
    }

    // Settings no fraction can meet (different denominators from a range of
    // one): the search finds nothing, and "作成" keeps the problem the row
    // had instead of writing the fraction page's last attempt.
    read.AData[1].RandBunsuX1 = read.AData[1].RandBunsuX2 = "5";
    read.AData[1].RandBunsuY1 = read.AData[1].RandBunsuY2 = "5";
    const RAData kept = read.AData[1];
    EXPECT_EQ(RegenerateAll(read, other), 1);
    EXPECT_EQ(read.AData[1].Siki, kept.Siki);
    EXPECT_EQ(read.AData[1].Kotae, kept.Kotae);
}

TEST_F(ConditionTest, TheToolTakesTheConditionsFromItsJson)
{
    const QTemporaryDir dir;
    const auto run = [&](const QByteArray &json) {
        QFile f(dir.filePath("s.json"));
        f.open(QIODevice::WriteOnly);
        f.write(json);
        f.close();
        QProcess tool;
        tool.start(QStringLiteral(TAVENOR_TOOL_PATH),
                   {"random", f.fileName(), "--seed", "5", "-n", "40"});
        QList<QJsonObject> lines;
        if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
            return lines;
        for (const QByteArray &line : tool.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                lines << QJsonDocument::fromJson(line).object();
        return lines;
    };
    // Column subtraction borrowing in every column, no 0 and 1; the unknown
    // pair comes back with the field.
    const QList<QJsonObject> tate = run(
        R"({"Siki1": 1, "RandKigou": 1, "RandX1": "100", "RandX2": "999", "RandY1": "0",
            "RandY2": "99", "RandA1": "0", "RandA2": "999", "RandZ1": "kuri=3;no01=1;zz=9"})");
    ASSERT_EQ(tate.size(), 40);
    for (const QJsonObject &o : tate) {
        EXPECT_FALSE(o.value("warning").toBool());
        EXPECT_EQ(o.value("RandZ1").toString(), "kuri=3;no01=1;zz=9");
        const QStringList xy = o.value("Siki").toString().split(u'-');
        ASSERT_EQ(xy.size(), 2);
        EXPECT_TRUE(carriesMeet(3, columnCarries(xy[0], xy[1], true)))
            << o.value("Siki").toString().toStdString();
        EXPECT_TRUE(xy[1].toInt() >= 2 && xy[1].toInt() % 10 != 0);
    }
    // Fractions over other denominators; a row without conditions says none.
    const QList<QJsonObject> bunsu =
        run(R"({"Siki1": 2, "RandBunsuX1": "2", "RandBunsuX2": "9", "RandBunsuY1": "2",
                "RandBunsuY2": "9", "RandBunsuSyuX": 1, "RandBunsuSyuY": 1, "RandZ1": "bunbo=2"})");
    ASSERT_EQ(bunsu.size(), 40);
    for (const QJsonObject &o : bunsu) {
        const QStringList parts = o.value("Siki").toString().split(u'+');
        ASSERT_EQ(parts.size(), 2);
        EXPECT_NE(parts[0].section(u'b', 1), parts[1].section(u'b', 1));
        EXPECT_EQ(o.value("RandZ1").toString(), "bunbo=2");
    }
    // "regen" keeps the field of a worksheet row and honours it.
    Document sheet;
    RAData row;
    row.ID = 1;
    row.Syu = QStringLiteral("5");
    row.Layer = 1;
    row.Rand = 1;
    row.FontName = QStringLiteral("ＭＳ 明朝");
    row.FontSize = 20;
    row.Siki = QStringLiteral("1+1");
    row.Kotae = QStringLiteral("2");
    row.RandX1 = row.RandY1 = QStringLiteral("10");
    row.RandX2 = row.RandY2 = QStringLiteral("99");
    row.RandA1 = QStringLiteral("0");
    row.RandA2 = QStringLiteral("200");
    row.RandZ1 = QStringLiteral("zz;kuri=3");
    sheet.AData = {row};
    const QString in = dir.filePath("in.prx"), out = dir.filePath("out.prx");
    ASSERT_TRUE(SaveFileAll(in, sheet, LayerWorksheet, 1).ok);
    QProcess regen;
    regen.start(QStringLiteral(TAVENOR_TOOL_PATH), {"regen", in, "-o", out, "--seed", "9"});
    ASSERT_TRUE(regen.waitForFinished(60000));
    ASSERT_EQ(regen.exitCode(), 0);
    Document back;
    ASSERT_TRUE(LoadFileAll(out, back).ok);
    ASSERT_EQ(back.AData.size(), 1);
    EXPECT_EQ(back.AData[0].RandZ1, QStringLiteral("zz;kuri=3"));
    const QStringList xy = back.AData[0].Siki.split(u'+');
    ASSERT_EQ(xy.size(), 2);
    EXPECT_TRUE(carriesMeet(3, columnCarries(xy[0], xy[1], false)))
        << back.AData[0].Siki.toStdString();

    const QList<QJsonObject> plain = run(R"({"Siki1": 0, "RandX1": "1", "RandX2": "99",
        "RandY1": "1", "RandY2": "99", "RandA1": "1", "RandA2": "200"})");
    ASSERT_EQ(plain.size(), 40);
    for (const QJsonObject &o : plain) {
        EXPECT_FALSE(o.value("warning").toBool());
        EXPECT_FALSE(o.contains("RandZ1"));
    }
}

} // namespace
