// The expression tool: window set-up, the horizontal and fraction pages, the
// random settings, loading a row back and editing a stored row.
#include "SikiTestSupport.h"

#include <QApplication>
#include <QKeyEvent>

namespace
{
QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}
} // namespace

TEST_F(SikiTest, CaptionPagesListsAndDefaults)
{
    EXPECT_EQ(tool.windowTitle(), QStringLiteral("数式入力 - Tavenor プリント"));
    ASSERT_EQ(tool.PageControl->count(), 4);
    EXPECT_EQ(tool.PageControl->tabText(0), QStringLiteral("横式"));
    EXPECT_EQ(tool.PageControl->tabText(1), QStringLiteral("筆算"));
    EXPECT_EQ(tool.PageControl->tabText(2), QStringLiteral("分数"));
    EXPECT_EQ(tool.PageControl->tabText(3), QStringLiteral("文章問題"));
    EXPECT_TRUE(tool.windowFlags() & Qt::Window);

    const TSikiRandomPanel *p = tool.RandomPanel;
    EXPECT_EQ(p->CheckRand->text(), QStringLiteral("ランダムで問題作成する"));
    EXPECT_FALSE(p->CheckRand->isChecked());
    const QStringList kigou{"たし算【①＋②】", "ひき算【①－②】", "かけ算【①×②】", "わり算【①÷②】"};
    EXPECT_EQ(items(p->ComboKigou), kigou);
    EXPECT_EQ(items(p->ComboBunsuKigou), kigou);
    EXPECT_EQ(items(tool.ComboBunsu), QStringList({"＋", "－", "×", "÷"}));
    EXPECT_EQ(items(p->ComboSyosuX), QStringList({"整数", "少数点第一位", "少数点第二位"}));
    EXPECT_EQ(items(p->ComboSyosuY), items(p->ComboSyosuX));
    EXPECT_EQ(items(p->ComboSyosuA), QStringList({"指定なし", "少数点第一位", "少数点第二位",
                                                  "少数点第三位", "少数点第四位"}));
    EXPECT_EQ(items(p->ComboKihonX), QStringList({"", "何十", "何百"}));
    EXPECT_EQ(items(p->ComboKihonY), items(p->ComboKihonX));
    const QStringList syu{"指定なし", "真分数", "仮分数", "帯分数"};
    EXPECT_EQ(items(p->ComboBunsuSyuX), syu);
    EXPECT_EQ(items(p->ComboBunsuSyuY), syu);
    EXPECT_EQ(items(p->ComboBunsuSyuA), syu);
    EXPECT_EQ(items(p->ComboBunboY), QStringList({"指定なし", "①と同じ分母", "①と違う分母"}));
    EXPECT_EQ(items(p->ComboKuri), QStringList({"指定なし", "あり", "なし", "すべての位で"}));

    for (const QComboBox *box :
         {p->ComboKigou, p->ComboBunsuKigou, p->ComboSyosuX, p->ComboSyosuY, p->ComboSyosuA,
          p->ComboKihonX, p->ComboKihonY, p->ComboBunboY, p->ComboKuri, tool.ComboBunsu})
        EXPECT_EQ(box->currentIndex(), 0) << box->objectName().toStdString();
    for (const QComboBox *box : {p->ComboBunsuSyuX, p->ComboBunsuSyuY, p->ComboBunsuSyuA})
        EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(p->EditX1->text(), "1");
    EXPECT_EQ(p->EditX2->text(), "9");
    EXPECT_EQ(p->EditY1->text(), "1");
    EXPECT_EQ(p->EditY2->text(), "9");
    EXPECT_EQ(p->EditA1->text(), "1");
    EXPECT_EQ(p->EditA2->text(), "9");
    EXPECT_EQ(p->EditBunsuX1->text(), "2");
    EXPECT_EQ(p->EditBunsuX2->text(), "9");
    EXPECT_EQ(p->EditBunsuY1->text(), "2");
    EXPECT_EQ(p->EditBunsuY2->text(), "9");

    // Hidden until asked for: the remainder option, the warning line.
    EXPECT_TRUE(p->CheckAmari->isHidden());
    EXPECT_TRUE(p->WarningLine->isHidden());
    EXPECT_EQ(p->LabelWarning->text(),
              QStringLiteral("　　　　設定した条件の数式になっていない可能性があります。"));
    EXPECT_EQ(p->ButtonMake->text(), QStringLiteral("問題作成"));
    EXPECT_TRUE(p->ButtonMake->isEnabled());
}

TEST_F(SikiTest, DivisionShowsTheRemainderOptionAndResetsAnswerPlaces)
{
    TSikiRandomPanel *p = tool.RandomPanel;
    p->ComboSyosuA->setCurrentIndex(2);
    p->ComboKigou->setCurrentIndex(3);
    EXPECT_FALSE(p->CheckAmari->isHidden());
    EXPECT_EQ(p->ComboSyosuA->currentIndex(), 0);
    p->ComboKigou->setCurrentIndex(1);
    EXPECT_TRUE(p->CheckAmari->isHidden());

    // The up-down control steps the typed number within 0..10000.
    p->EditX1->setText("9999");
    p->EditX1->step(1);
    p->EditX1->step(1);
    EXPECT_EQ(p->EditX1->text(), "10000");
    p->EditX1->setText("abc");
    p->EditX1->step(-1);
    EXPECT_EQ(p->EditX1->text(), "0");
}

TEST_F(SikiTest, StartFormEmptiesAndColoursTheInputs)
{
    tool.MemoY1->setText("1+2");
    tool.EditBunsu1S->setText("3");
    tool.CheckKabunsu->setChecked(true);
    tool.StartForm();
    EXPECT_TRUE(tool.MemoY1->text().isEmpty());
    EXPECT_TRUE(tool.EditBunsu1S->text().isEmpty());
    EXPECT_FALSE(tool.CheckKabunsu->isChecked());
    EXPECT_EQ(tool.MemoY1->palette().color(QPalette::Base), QColor(224, 236, 248));
    EXPECT_EQ(tool.EditBunsu2B->palette().color(QPalette::Base), QColor(224, 236, 248));
    EXPECT_EQ(tool.size(), QSize(600, 400));
    tool.SelectPage(TFormSiki::PageBunsu);
    EXPECT_EQ(tool.width(), 690);
    EXPECT_FALSE(tool.RandomPanel->BunsuBox->isHidden());
    tool.SelectPage(TFormSiki::PageYoko);
    EXPECT_EQ(tool.width(), 600);
    EXPECT_TRUE(tool.RandomPanel->BunsuBox->isHidden());
}

TEST_F(SikiTest, OpeningTheToolPutsTheKeysInItsFirstBox)
{
    tool.OpenNew(0, 100, 200);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tool));
    EXPECT_TRUE(tool.MemoY1->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "3*4");
    EXPECT_EQ(tool.MemoY1->text(), "3*4");
    tool.hide();

    // An existing problem opens on its own page with the keys there.
    ASSERT_EQ(KetteiOn(tool, TFormSiki::PageYoko), 0);
    tool.SelectPage(TFormSiki::PageBunsu);
    tool.EditBunsu1S->setFocus();
    ASSERT_TRUE(tool.OpenRow(0));
    EXPECT_EQ(tool.CurrentPage(), TFormSiki::PageYoko);
    EXPECT_EQ(tool.focusWidget(), tool.MemoY1); // the box that takes the keys in the window
    tool.hide();
}

TEST_F(SikiTest, HorizontalPreviewOnEveryKeyRelease)
{
    tool.PrepareNew(0, 10, 20);
    type(tool.MemoY1, "12.3+6.14+4");
    EXPECT_EQ(tool.MemoY2->text(), "22.44");
    EXPECT_EQ(tool.DisplayText(), QStringLiteral("12.3＋6.14＋4"));

    retype(tool.MemoY1, "7/2");
    EXPECT_EQ(tool.MemoY2->text(), "3...1");
    EXPECT_EQ(tool.DisplayText(), QStringLiteral("7÷2"));
    retype(tool.MemoY1, "6*7-2");
    EXPECT_EQ(tool.MemoY2->text(), "40");
    EXPECT_EQ(tool.DisplayText(), QStringLiteral("6×7－2"));
    retype(tool.MemoY1, "7/0");
    EXPECT_EQ(tool.MemoY2->text(), "");

    // Full-width signs are not accepted in the ASCII input.
    retype(tool.MemoY1, "1");
    QKeyEvent wide(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("＋"));
    QApplication::sendEvent(tool.MemoY1, &wide);
    type(tool.MemoY1, "2");
    EXPECT_EQ(tool.MemoY1->text(), "12");
    EXPECT_EQ(tool.MemoY2->text(), "12");
}

TEST_F(SikiTest, UnfinishedExpressionKeepsTheAnswerSilently)
{
    tool.PrepareNew(0, 0, 0);
    type(tool.MemoY1, "3+4");
    EXPECT_EQ(tool.MemoY2->text(), "7");
    type(tool.MemoY1, "+");
    EXPECT_EQ(tool.MemoY1->text(), "3+4+");
    EXPECT_EQ(tool.MemoY2->text(), "7");
    EXPECT_EQ(tool.DisplayText(), QStringLiteral("3＋4＋"));
    type(tool.MemoY1, "(");
    EXPECT_EQ(tool.MemoY2->text(), "7");
    EXPECT_TRUE(messages.texts.isEmpty());
    type(tool.MemoY1, "1)");
    EXPECT_EQ(tool.MemoY2->text(), "8");
}

TEST_F(SikiTest, KetteiOfAnUnevaluableExpressionShowsTheErrorAndWritesNothing)
{
    QSignalSpy redraw(&tool, &TFormSiki::redrawRequested);
    tool.PrepareNew(0, 5, 6);
    type(tool.MemoY1, "3+");
    EXPECT_EQ(tool.Kettei(), -1);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_FALSE(messages.texts.first().isEmpty());
    EXPECT_EQ(messages.captions.first(), QStringLiteral("Tavenor プリント"));
    EXPECT_TRUE(doc.AData.isEmpty());
    EXPECT_FALSE(doc.FileData.HensyuB);
    EXPECT_EQ(redraw.count(), 0);
    // The tool keeps the placement and the input so that it can be mended.
    EXPECT_EQ(doc.NewData.X1, 5);
    EXPECT_EQ(tool.MemoY1->text(), "3+");

    // The column page writes nothing for an expression without a layout and
    // says why in its own window.
    tool.PrepareNew(0, 5, 6);
    tool.SelectPage(TFormSiki::PageTate);
    type(tool.MemoT1, "3*");
    EXPECT_EQ(tool.Kettei(), -1);
    EXPECT_EQ(messages.texts.size(), 1);
    EXPECT_FALSE(tool.LabelTate->text().isEmpty());
    EXPECT_TRUE(doc.AData.isEmpty());

    // And the fraction page, whose evaluator returns its message.
    tool.PrepareNew(0, 5, 6);
    tool.SelectPage(TFormSiki::PageBunsu);
    type(tool.EditBunsu1S, "(1");
    type(tool.EditBunsu1B, "2");
    EXPECT_EQ(tool.Kettei(), -1);
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(messages.texts.last(), FKeisanMessage1);
    EXPECT_TRUE(doc.AData.isEmpty());
    EXPECT_EQ(redraw.count(), 0);
}

TEST_F(SikiTest, EmptyInputWritesNothing)
{
    tool.PrepareNew(0, 1, 1);
    for (int page : {0, 1, 2}) {
        tool.SelectPage(page);
        EXPECT_EQ(tool.Kettei(), -1);
    }
    // Fraction boxes typed and emptied again still leave nothing to write.
    type(tool.EditBunsu1S, "1");
    tool.EditBunsu1S->clear();
    tool.KeisanBunsu();
    EXPECT_EQ(KetteiOn(tool, TFormSiki::PageBunsu), -1);
    EXPECT_TRUE(doc.AData.isEmpty());
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(SikiTest, HorizontalKetteiWritesTheRow)
{
    settings.kotaeDisplay = true;
    QSignalSpy redraw(&tool, &TFormSiki::redrawRequested);
    tool.PrepareNew(2, 30, 40);
    tool.show();
    type(tool.MemoY1, "12.3+6.14+4");
    // The teacher may overwrite the answer box: it only enters the width.
    tool.MemoY2->setText("x");
    tool.RandomPanel->CheckRand->setChecked(true);
    tool.RandomPanel->ComboSyosuA->setCurrentIndex(3);
    tool.RandomPanel->ComboKihonY->setCurrentIndex(2);

    const int index = tool.Kettei();
    ASSERT_EQ(index, 0);
    ASSERT_EQ(doc.AData.size(), 1);
    const RAData &r = doc.AData[0];
    EXPECT_EQ(r.ID, 1);
    EXPECT_EQ(r.Syu, "5");
    EXPECT_EQ(r.Page, 2);
    EXPECT_EQ(r.X1, 30);
    EXPECT_EQ(r.Y1, 40);
    EXPECT_EQ(r.FontName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(r.FontSize, 20);
    EXPECT_EQ(r.Siki, "12.3+6.14+4");
    EXPECT_EQ(r.Kotae, "22.44");
    EXPECT_EQ(r.HissanSiki, "");
    EXPECT_EQ(r.Siki1, 0);
    EXPECT_EQ(r.Siki2, 0);
    EXPECT_EQ(r.Layer, 1);
    EXPECT_EQ(r.KotaeMode, 1);
    EXPECT_EQ(r.Width, QStringLiteral("12.3＋6.14＋4＝x").size() * 20);
    EXPECT_EQ(r.Height, 21);
    EXPECT_EQ(r.Rand, 1);
    EXPECT_EQ(r.RandSyosuA, 3);
    EXPECT_EQ(r.KihonJHY, 2);
    EXPECT_EQ(r.RandX1, "1");
    EXPECT_EQ(r.RandA2, "9");
    EXPECT_EQ(r.RandBunsuX1, "");
    EXPECT_TRUE(doc.isModified());
    // Placement and display text cleared, the tool closed, a redraw asked.
    EXPECT_EQ(doc.NewData.Syu, "");
    EXPECT_EQ(doc.NewData.Page, 0);
    EXPECT_EQ(doc.NewData.X1, 0);
    EXPECT_EQ(doc.NewData.Y1, 0);
    EXPECT_EQ(tool.DisplayText(), "");
    EXPECT_FALSE(tool.isVisible());
    ASSERT_EQ(redraw.count(), 1);
    EXPECT_EQ(redraw.first().first().toInt(), 0);

    // The answer display toggle up: an ordinary object.
    settings.kotaeDisplay = false;
    tool.PrepareNew(0, 0, 0);
    type(tool.MemoY1, "1+1");
    ASSERT_EQ(tool.Kettei(), 1);
    EXPECT_EQ(doc.AData[1].KotaeMode, 0);
    EXPECT_EQ(doc.AData[1].ID, 2);
}

TEST_F(SikiTest, FractionPreview)
{
    tool.PrepareNew(0, 0, 0);
    tool.SelectPage(TFormSiki::PageBunsu);
    type(tool.EditBunsu1T, "2");
    type(tool.EditBunsu1S, "3");
    type(tool.EditBunsu1B, "5");
    type(tool.EditBunsu2T, "1");
    type(tool.EditBunsu2S, "4");
    type(tool.EditBunsu2B, "7");
    EXPECT_EQ(tool.MemoBunsuSiki->text(), "2s3b5+1s4b7");
    EXPECT_EQ(tool.EditBunsuKT->text(), "4");
    EXPECT_EQ(tool.EditBunsuKS->text(), "6");
    EXPECT_EQ(tool.EditBunsuKB->text(), "35");
    EXPECT_EQ(tool.BunsuKotae(), "4s6b35");

    // The improper display: 4 6/35 as 146/35.
    tool.CheckKabunsu->setChecked(true);
    EXPECT_EQ(tool.EditBunsuKT->text(), "");
    EXPECT_EQ(tool.EditBunsuKS->text(), "146");
    EXPECT_EQ(tool.EditBunsuKB->text(), "35");
    EXPECT_EQ(tool.BunsuKotae(), "s146b35");
    tool.CheckKabunsu->setChecked(false);
    EXPECT_EQ(tool.BunsuKotae(), "4s6b35");

    // The operator list recomputes; a box takes at most four characters.
    tool.ComboBunsu->setCurrentIndex(1);
    EXPECT_EQ(tool.MemoBunsuSiki->text(), "2s3b5-1s4b7");
    EXPECT_EQ(tool.BunsuKotae(), "1s1b35");
    type(tool.EditBunsu2B, "12345");
    EXPECT_EQ(tool.EditBunsu2B->text(), "7123");

    // 1/2 - 1/2: nothing to show, not even the whole part 0.
    tool.StartForm();
    type(tool.EditBunsu1S, "1");
    type(tool.EditBunsu1B, "2");
    type(tool.EditBunsu2S, "1");
    type(tool.EditBunsu2B, "2");
    tool.ComboBunsu->setCurrentIndex(1);
    EXPECT_EQ(tool.MemoBunsuSiki->text(), "s1b2-s1b2");
    EXPECT_EQ(tool.EditBunsuKT->text(), "");
    EXPECT_EQ(tool.EditBunsuKS->text(), "");
    EXPECT_EQ(tool.EditBunsuKB->text(), "");
    EXPECT_EQ(tool.BunsuKotae(), "sb");

    // A whole-number answer: 2, and 2/1 with the improper display.
    tool.ComboBunsu->setCurrentIndex(0);
    tool.EditBunsu2S->setText("3");
    tool.KeisanBunsu();
    EXPECT_EQ(tool.BunsuKotae(), "2sb");
    tool.CheckKabunsu->setChecked(true);
    EXPECT_EQ(tool.BunsuKotae(), "s2b1");
}

TEST_F(SikiTest, FractionKetteiWritesTheRow)
{
    tool.PrepareNew(1, 50, 60);
    tool.SelectPage(TFormSiki::PageBunsu);
    type(tool.EditBunsu1T, "2");
    type(tool.EditBunsu1S, "3");
    type(tool.EditBunsu1B, "5");
    type(tool.EditBunsu2T, "1");
    type(tool.EditBunsu2S, "4");
    type(tool.EditBunsu2B, "7");
    tool.CheckKabunsu->setChecked(true);
    TSikiRandomPanel *p = tool.RandomPanel;
    p->ComboBunsuKigou->setCurrentIndex(2);
    p->EditBunsuX1->setText("3");
    p->EditBunsuY2->setText("12");
    p->ComboBunsuSyuA->setCurrentIndex(3);
    p->ComboBunboY->setCurrentIndex(1);
    p->CheckYYaku->setChecked(true);

    ASSERT_EQ(tool.Kettei(), 0);
    const RAData &r = doc.AData[0];
    EXPECT_EQ(r.Syu, "5");
    EXPECT_EQ(r.Page, 1);
    EXPECT_EQ(r.X1, 50);
    EXPECT_EQ(r.Y1, 60);
    EXPECT_EQ(r.Siki1, 2);
    EXPECT_EQ(r.Siki2, 0);
    EXPECT_EQ(r.Siki, "2s3b5+1s4b7");
    EXPECT_EQ(r.Kotae, "s146b35");
    EXPECT_EQ(r.HissanSiki, "");
    EXPECT_EQ(r.BunsuKabunsu, 1);
    EXPECT_EQ(r.RandBunsuKigou, 2);
    EXPECT_EQ(r.RandBunsuX1, "3");
    EXPECT_EQ(r.RandBunsuX2, "9");
    EXPECT_EQ(r.RandBunsuY1, "2");
    EXPECT_EQ(r.RandBunsuY2, "12");
    EXPECT_EQ(r.RandBunsuSyuX, 1);
    EXPECT_EQ(r.RandBunsuSyuY, 1);
    EXPECT_EQ(r.RandBunsuSyuA, 3);
    EXPECT_EQ(r.RandBunsuBunboY, 1);
    EXPECT_EQ(r.RandBunsuXYaku, 0);
    EXPECT_EQ(r.RandBunsuYYaku, 1);
    // Measured as "2a5a＋a1a7a＝a146a" (the improper answer has no whole
    // part; each sign stands in the room of one "a").
    EXPECT_EQ(r.Width, QStringLiteral("2a5a＋a1a7a＝a146a").size() * 20);
    EXPECT_EQ(r.Height, 2 * 21);

    // A second operand left empty drops the "＋" from the measuring text.
    tool.PrepareNew(0, 0, 0);
    tool.SelectPage(TFormSiki::PageBunsu);
    type(tool.EditBunsu1S, "1");
    type(tool.EditBunsu1B, "2");
    ASSERT_EQ(tool.Kettei(), 1);
    EXPECT_EQ(doc.AData[1].Kotae, "s1b2");
    EXPECT_EQ(doc.AData[1].Width, QStringLiteral("2a＝a2a").size() * 20);
}

TEST_F(SikiTest, RandomSettingsAreStoredVerbatimPerPage)
{
    TSikiRandomPanel *p = tool.RandomPanel;
    p->CheckRand->setChecked(true);
    p->ComboKigou->setCurrentIndex(3);
    p->CheckAmari->setChecked(true);
    p->EditX1->setText("０１");
    p->EditX2->setText("abc");
    p->EditY1->setText("");
    p->EditY2->setText("-5");
    p->EditA1->setText("1.5");
    p->EditA2->setText("99999");
    p->ComboSyosuX->setCurrentIndex(1);
    p->ComboSyosuY->setCurrentIndex(2);
    p->ComboKihonX->setCurrentIndex(1);
    p->EditBunsuX2->setText("x");

    // Page 0 writes the decimal places; the fraction settings stay as they were.
    RAData yoko;
    yoko.RandBunsuX2 = "keep";
    yoko.RandZ1 = "z";
    yoko.RandSyosuZ = 2;
    p->Store(yoko, TSikiRandomPanel::Scope::Yoko);
    EXPECT_EQ(yoko.Rand, 1);
    EXPECT_EQ(yoko.RandKigou, 3);
    EXPECT_EQ(yoko.RandAmari, 1);
    EXPECT_EQ(yoko.RandX1, QStringLiteral("０１"));
    EXPECT_EQ(yoko.RandX2, "abc");
    EXPECT_EQ(yoko.RandY1, "");
    EXPECT_EQ(yoko.RandY2, "-5");
    EXPECT_EQ(yoko.RandA1, "1.5");
    EXPECT_EQ(yoko.RandA2, "99999");
    EXPECT_EQ(yoko.RandSyosuX, 1);
    EXPECT_EQ(yoko.RandSyosuY, 2);
    EXPECT_EQ(yoko.KihonJHX, 1);
    EXPECT_EQ(yoko.RandBunsuX2, "keep");
    EXPECT_EQ(yoko.RandZ1, "z");
    EXPECT_EQ(yoko.RandSyosuZ, 2);

    // The column page writes the decimal-place lists too.
    RAData tate;
    tate.RandSyosuX = 2;
    tate.RandSyosuA = 4;
    p->Store(tate, TSikiRandomPanel::Scope::Tate);
    EXPECT_EQ(tate.RandSyosuX, 1);
    EXPECT_EQ(tate.RandSyosuY, 2);
    EXPECT_EQ(tate.RandSyosuA, 0);
    EXPECT_EQ(tate.RandX2, "abc");

    RAData bunsu;
    p->Store(bunsu, TSikiRandomPanel::Scope::Bunsu);
    EXPECT_EQ(bunsu.RandBunsuX2, "x");

    // Loading gives the same settings back.
    tool.SyokiForm();
    EXPECT_EQ(p->EditX2->text(), "9");
    p->Load(bunsu);
    RAData again;
    p->Store(again, TSikiRandomPanel::Scope::Bunsu);
    EXPECT_EQ(again, bunsu);
}

TEST_F(SikiTest, LoadingAStoredRowBringsBackItsInputs)
{
    // A fraction object.
    tool.PrepareNew(3, 70, 80);
    tool.SelectPage(TFormSiki::PageBunsu);
    type(tool.EditBunsu1T, "1");
    type(tool.EditBunsu1S, "1");
    type(tool.EditBunsu1B, "3");
    tool.ComboBunsu->setCurrentIndex(3);
    type(tool.EditBunsu2S, "2");
    type(tool.EditBunsu2B, "9");
    tool.RandomPanel->EditBunsuY1->setText("4");
    ASSERT_EQ(tool.Kettei(), 0);
    const RAData stored = doc.AData[0];
    EXPECT_EQ(stored.Siki, "1s1b3/s2b9");
    EXPECT_EQ(stored.Kotae, "6sb");

    // The tool was used for something else in between.
    tool.PrepareNew(0, 0, 0);
    type(tool.MemoY1, "1+1");
    tool.RandomPanel->SyokiForm();

    ASSERT_TRUE(tool.LoadRow(0));
    EXPECT_EQ(tool.CurrentPage(), TFormSiki::PageBunsu);
    EXPECT_EQ(doc.NewData.ID, stored.ID);
    EXPECT_EQ(doc.NewData.Page, 3);
    EXPECT_EQ(doc.NewData.X1, 70);
    EXPECT_EQ(doc.NewData.Y1, 80);
    EXPECT_EQ(tool.EditBunsu1T->text(), "1");
    EXPECT_EQ(tool.EditBunsu1S->text(), "1");
    EXPECT_EQ(tool.EditBunsu1B->text(), "3");
    EXPECT_EQ(tool.ComboBunsu->currentIndex(), 3);
    EXPECT_EQ(tool.EditBunsu2T->text(), "");
    EXPECT_EQ(tool.EditBunsu2S->text(), "2");
    EXPECT_EQ(tool.EditBunsu2B->text(), "9");
    EXPECT_EQ(tool.EditBunsuKT->text(), "6");
    EXPECT_EQ(tool.MemoBunsuSiki->text(), stored.Siki);
    EXPECT_EQ(tool.RandomPanel->EditBunsuY1->text(), "4");
    EXPECT_TRUE(tool.MemoY1->text().isEmpty());

    // Confirming it unchanged writes the same row.
    ASSERT_EQ(tool.Kettei(), 0);
    EXPECT_EQ(doc.AData.size(), 1);
    EXPECT_EQ(doc.AData[0], stored);

    // A horizontal row selects its page and shows its expression.
    RAData yoko;
    yoko.ID = 9;
    yoko.Syu = "5";
    yoko.Siki = "8*9";
    yoko.Kotae = "72";
    yoko.RandX2 = "50";
    doc.AData.append(yoko);
    ASSERT_TRUE(tool.LoadRow(1));
    EXPECT_EQ(tool.CurrentPage(), TFormSiki::PageYoko);
    EXPECT_EQ(tool.MemoY1->text(), "8*9");
    EXPECT_EQ(tool.MemoY2->text(), "72");
    EXPECT_EQ(tool.DisplayText(), QStringLiteral("8×9"));
    EXPECT_EQ(tool.RandomPanel->EditX2->text(), "50");

    // Parts longer than the four characters a box takes when typing are
    // loaded whole, so that confirming does not cut them.
    RAData wide;
    wide.ID = 12;
    wide.Syu = "5";
    wide.Siki1 = 2;
    wide.Siki = "s1b12345+s1b12345";
    wide.Kotae = "s2b12345";
    doc.AData.append(wide);
    ASSERT_TRUE(tool.LoadRow(2));
    EXPECT_EQ(tool.EditBunsu1B->text(), "12345");
    EXPECT_EQ(tool.BunsuKotae(), "s2b12345");
    ASSERT_EQ(tool.Kettei(), 2);
    EXPECT_EQ(doc.AData[2].Siki, "s1b12345+s1b12345");
    doc.AData.removeLast();

    // Rows the tool cannot edit are refused and change nothing.
    RAData text;
    text.ID = 10;
    text.Syu = "1";
    doc.AData.append(text);
    RAData unknown = yoko;
    unknown.ID = 11;
    unknown.Siki1 = 4;
    doc.AData.append(unknown);
    EXPECT_FALSE(tool.LoadRow(2));
    EXPECT_FALSE(tool.LoadRow(3));
    EXPECT_FALSE(tool.LoadRow(-1));
    EXPECT_FALSE(tool.LoadRow(99));
    EXPECT_EQ(doc.NewData.ID, 12);
}

TEST_F(SikiTest, ReEditingAStoredRowUpdatesThatRowOnly)
{
    for (int id : {1, 2, 3}) {
        RAData r;
        r.ID = id;
        r.Syu = "5";
        r.Page = id;
        r.X1 = 10 * id;
        r.Y1 = 20 * id;
        r.Siki = QString::number(id) + "+1";
        r.Kotae = QString::number(id + 1);
        r.HissanKotae = "kept";
        doc.AData.append(r);
    }
    const QVector<RAData> before = doc.AData;
    ASSERT_TRUE(tool.LoadRow(1));
    EXPECT_EQ(doc.NewData.ID, 2);
    retype(tool.MemoY1, "20*3");
    ASSERT_EQ(tool.Kettei(), 1);
    ASSERT_EQ(doc.AData.size(), 3);
    EXPECT_EQ(doc.AData[0], before[0]);
    EXPECT_EQ(doc.AData[2], before[2]);
    const RAData &r = doc.AData[1];
    EXPECT_EQ(r.ID, 2);
    EXPECT_EQ(r.Page, 2);
    EXPECT_EQ(r.X1, 20);
    EXPECT_EQ(r.Y1, 40);
    EXPECT_EQ(r.Siki, "20*3");
    EXPECT_EQ(r.Kotae, "60");
    // The horizontal writer leaves HissanKotae as it was.
    EXPECT_EQ(r.HissanKotae, "kept");
    EXPECT_EQ(r.FontName, QStringLiteral("ＭＳ 明朝"));
}

TEST_F(SikiTest, ExpressionWritersLeavePlacementFontAndMode)
{
    // Random regeneration rewrites a row's problem through the writers.
    RAData row;
    row.Syu = "5";
    row.X1 = 5;
    row.FontName = "keep";
    row.FontSize = 30;
    row.KotaeMode = 1;
    row.Layer = 1;
    tool.PrepareNew(0, 0, 0);
    tool.MemoY1->setText("6/4");
    QString kotae, message;
    ASSERT_EQ(tool.CheckYoko(kotae, message), TFormSiki::InputOk);
    tool.WriteYokoFields(row, kotae);
    EXPECT_EQ(row.Siki, "6/4");
    EXPECT_EQ(row.Kotae, "1...2");
    EXPECT_EQ(row.Width, QStringLiteral("6÷4＝").size() * 30);
    EXPECT_EQ(row.X1, 5);
    EXPECT_EQ(row.FontName, "keep");
    EXPECT_EQ(row.KotaeMode, 1);
    EXPECT_TRUE(doc.AData.isEmpty());

    tool.MemoY1->setText("(1");
    EXPECT_EQ(tool.CheckYoko(kotae, message), TFormSiki::InputError);
    EXPECT_FALSE(message.isEmpty());
    tool.MemoY1->clear();
    EXPECT_EQ(tool.CheckYoko(kotae, message), TFormSiki::InputEmpty);

    // The column writer needs a layout.
    tool.SelectPage(TFormSiki::PageTate);
    tool.MemoT1->setText("3+4*2");
    tool.MakeSikiKotaeTate();
    EXPECT_EQ(tool.CheckTate(message), TFormSiki::InputError);
    EXPECT_EQ(message, HissanStatusText(HissanStatus::NotColumn));
    EXPECT_FALSE(tool.WriteTateFields(row));
    EXPECT_EQ(row.Siki, "6/4");
    tool.MemoT1->setText("9-3");
    tool.MakeSikiKotaeTate();
    ASSERT_TRUE(tool.WriteTateFields(row));
    EXPECT_EQ(row.Siki1, 1);
    EXPECT_EQ(row.Siki2, 1);
    EXPECT_EQ(row.HissanSiki, "9-3");
    EXPECT_EQ(row.FontSize, 30);

    // The random source stays in its range.
    for (int i = 0; i < 200; ++i) {
        const int64_t r = tool.Random(3);
        EXPECT_GE(r, 0);
        EXPECT_LE(r, 2);
    }
    EXPECT_EQ(tool.Random(0), 0);
}

TEST_F(SikiTest, EveryControlOfTheToolSaysWhatItIs)
{
    // A control without a caption, hint or accessible name cannot be found
    // by a screen reader: every box, list and button says what it is.
    QStringList nameless;
    for (QWidget *w : tool.findChildren<QWidget *>()) {
        const bool control = qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w) ||
                             qobject_cast<QAbstractButton *>(w);
        if (!control)
            continue;
        // The line edit inside an editable list is named by the list.
        if (qobject_cast<QComboBox *>(w->parentWidget()))
            continue;
        // A list is announced by the item it shows: its hint says what it is.
        if (qobject_cast<QComboBox *>(w) && w->toolTip().isEmpty())
            nameless << QStringLiteral("list ") + w->accessibleName();
        const auto *button = qobject_cast<QAbstractButton *>(w);
        if (w->toolTip().isEmpty() && w->accessibleName().isEmpty() &&
            !(button && !button->text().isEmpty()))
            nameless << QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
    }
    EXPECT_TRUE(nameless.isEmpty()) << nameless.join(u'\n').toStdString();
}
