// The creation tools: lines and boxes by two presses, texts through the
// text window, pictures, the on-page buttons and math problems through the
// expression tool, and editing an existing text, at 100 % and 150 %.
#include "EditTestSupport.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "support/PipeWriter.h"
#include "support/ScriptedDialogs.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

class CreateTest : public ::testing::TestWithParam<int64_t>
{
protected:
    void SetUp() override { SetMessages(&messages); }
    void TearDown() override { SetMessages(nullptr); }
    EditBench b{GetParam()};
    ScriptedMessages messages;

    int twoPresses(int x1, int y1, int x2, int y2)
    {
        const int before = b.doc.AData.size();
        b.click(0, x1, y1);
        b.click(0, x2, y2);
        return b.doc.AData.size() > before ? b.doc.AData.size() - 1 : -1;
    }
};

INSTANTIATE_TEST_SUITE_P(Zooms, CreateTest, ::testing::ValuesIn(EditZooms));

TEST_P(CreateTest, LinesTakeTheirDirectionColourAndWidth)
{
    b.ctl->ToolButton6Click();
    b.edit->PanelColorLine->setColor(255);
    b.edit->MemoLineSize->setText(QStringLiteral("3"));
    int r = twoPresses(100, 50, 20, 80);
    ASSERT_GE(r, 0);
    const RAData &l = b.doc.AData[r];
    EXPECT_EQ(l.Syu, QStringLiteral("2"));
    EXPECT_EQ(l.X1, 20);
    EXPECT_EQ(l.Y1, 50);
    EXPECT_EQ(l.Width, 80);
    EXPECT_EQ(l.Height, 30);
    EXPECT_EQ(l.X2, 20);
    EXPECT_EQ(l.Y2, 80);
    EXPECT_EQ(l.LineSyu, 1);
    EXPECT_EQ(l.ForeColor, 255);
    EXPECT_EQ(l.FontSize, 3);
    EXPECT_EQ(l.Layer, 1);
    EXPECT_EQ(l.KotaeMode, 0);
    EXPECT_EQ(l.ID, 1);
    EXPECT_EQ(b.doc.AData[twoPresses(20, 50, 100, 80)].LineSyu, 0);
    EXPECT_EQ(b.doc.AData[twoPresses(20, 80, 100, 50)].LineSyu, 1);
    const int flat = twoPresses(20, 200, 100, 200);
    EXPECT_EQ(b.doc.AData[flat].Height, 0);
    EXPECT_EQ(b.doc.AData[flat].LineSyu, 1);
    EXPECT_FALSE(b.ctl->lineMode());
    EXPECT_FALSE(b.view.Creation.MarkerOn);

    // Answer display on: the new line is an answer object.
    b.view.AnswerDisplay = true;
    EXPECT_EQ(b.doc.AData[twoPresses(300, 300, 350, 350)].KotaeMode, 1);
    b.view.NameDisplay = true;
    EXPECT_EQ(b.doc.AData[twoPresses(300, 400, 350, 450)].Layer, 3);
}

TEST_P(CreateTest, RubberBandCancelAndPressesOverObjects)
{
    const int box = b.addBox(0, 400, 400, 100, 100);
    b.ctl->ToolButton6Click();
    b.click(0, 450, 450); // over an object: selects it, no line
    EXPECT_EQ(b.selectedRows(), QVector<int>{box});
    EXPECT_FALSE(b.ctl->lineMode());

    // The marker and the rubber band are drawn on a layer over the page
    // panel: the page images are not redrawn while they come, follow the
    // mouse and go.
    const int redraws = b.host->redraws;
    b.click(0, 100, 100);
    EXPECT_TRUE(b.ctl->lineMode());
    EXPECT_TRUE(b.view.Creation.MarkerOn);
    auto *layer = b.panels[0]->findChild<TCreationLayer *>();
    ASSERT_NE(layer, nullptr);
    EXPECT_FALSE(layer->isHidden());
    EXPECT_EQ(layer->geometry(), b.panels[0]->rect());
    const QPoint cross = b.screenRect(100, 100, 1, 1).topLeft();
    auto pixel = [&](QPoint at) {
        const QImage shot = layer->grab().toImage();
        return shot.pixelColor(at).rgb() & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(cross), 0x808080u);
    b.move(0, 200, 150);
    EXPECT_TRUE(b.view.Creation.Dragging);
    EXPECT_EQ(b.view.Creation.ToolKind, QStringLiteral("2"));
    EXPECT_EQ(b.view.Creation.StartX, 100);
    EXPECT_EQ(b.view.Creation.CurX, 200);
    EXPECT_EQ(b.view.Creation.CurY, 150);
    // The band runs from the first point to the mouse, in the highlight colour.
    const QPoint mid = b.screenRect(150, 125, 1, 1).topLeft();
    EXPECT_NE(pixel(mid), 0xFFFFFFu);
    EXPECT_EQ(b.host->redraws, redraws);
    // "解除" drops the first point.
    b.ctl->SpeedButtonL1Click();
    EXPECT_FALSE(b.ctl->lineMode());
    EXPECT_FALSE(b.view.Creation.Dragging);
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    EXPECT_EQ(b.doc.AData.size(), 1);
    EXPECT_EQ(pixel(cross), pixel(QPoint(1, 1)));
    EXPECT_EQ(pixel(mid), pixel(QPoint(1, 1)));
    EXPECT_EQ(b.host->redraws, redraws);

    // Once the first point is placed, the second press completes the line
    // even over an object.
    b.click(0, 100, 100);
    const int r = twoPresses(450, 450, 450, 450);
    (void)r;
    EXPECT_EQ(b.doc.AData.size(), 2);
    EXPECT_EQ(b.doc.AData[1].Syu, QStringLiteral("2"));
    EXPECT_EQ(b.doc.AData[1].X1, 100);
    EXPECT_EQ(b.doc.AData[1].Width, 350);
}

TEST_P(CreateTest, BoxesAndABadWidthThatWritesNothing)
{
    b.ctl->ToolButton8Click();
    b.edit->PanelColorBox->setColor(0x00FF00);
    b.edit->MemoBoxSize->setText(QStringLiteral("2"));
    int r = twoPresses(150, 160, 50, 60);
    ASSERT_GE(r, 0);
    EXPECT_EQ(b.doc.AData[r].Syu, QStringLiteral("3"));
    EXPECT_EQ(b.doc.AData[r].X1, 50);
    EXPECT_EQ(b.doc.AData[r].Y1, 60);
    EXPECT_EQ(b.doc.AData[r].Width, 100);
    EXPECT_EQ(b.doc.AData[r].Height, 100);
    EXPECT_EQ(b.doc.AData[r].X2, 0);
    EXPECT_EQ(b.doc.AData[r].BackColorB, 0);
    EXPECT_EQ(b.doc.AData[r].ForeColor, 0x00FF00);
    EXPECT_EQ(b.doc.AData[r].FontSize, 2);
    b.edit->PanelColorBoxFull->setColor(0x0000FF);
    b.edit->PanelColorBoxFull->setTransparentShown(false);
    r = twoPresses(300, 300, 320, 330);
    EXPECT_EQ(b.doc.AData[r].BackColorB, 1);
    EXPECT_EQ(b.doc.AData[r].BackColor, 0x0000FF);

    b.edit->MemoBoxSize->setText(QStringLiteral("太い"));
    EXPECT_EQ(twoPresses(500, 500, 600, 600), -1);
    EXPECT_EQ(b.doc.AData.size(), 2);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(QStringLiteral("太い")));
    EXPECT_TRUE(b.ctl->boxMode()); // the first point stays for a second try
    b.edit->MemoBoxSize->setText(QStringLiteral("1"));
    b.click(0, 600, 600);
    EXPECT_EQ(b.doc.AData.size(), 3);
    EXPECT_EQ(b.doc.AData[2].X1, 500);
}

TEST_P(CreateTest, TextIsTypedPreviewedMeasuredAndWritten)
{
    b.ctl->ToolButton5Click();
    EXPECT_EQ(b.edit->shownPanel(), ToolPanel::Moji);
    b.click(0, 50, 60);
    TFormMoji *moji = b.ctl->formMoji();
    EXPECT_FALSE(moji->isHidden());
    EXPECT_EQ(moji->windowTitle(), QStringLiteral("文字入力 - Tavenor プリント"));
    EXPECT_EQ(moji->StatusBar1->height(), 24);
    EXPECT_EQ(b.doc.NewData.Syu, QStringLiteral("1"));
    EXPECT_EQ(b.doc.NewData.ID, -1);
    EXPECT_TRUE(b.view.Creation.MarkerOn);
    EXPECT_EQ(b.view.Creation.MarkerX, 50);

    // An empty memo writes nothing and the window stays.
    moji->Button1->click();
    EXPECT_TRUE(b.doc.AData.isEmpty());
    EXPECT_FALSE(moji->isHidden());

    // Typing shows the text on its preview label; the pages stay as they are.
    const int redraws = b.host->redraws;
    moji->MemoMoji->setPlainText(QStringLiteral("あ\nいう"));
    EXPECT_EQ(b.doc.NewData.Siki, QStringLiteral("あ\r\nいう"));
    EXPECT_EQ(b.host->redraws, redraws);
    ASSERT_NE(b.preview(), nullptr);
    EXPECT_FALSE(b.preview()->isHidden());
    EXPECT_EQ(b.preview()->pos(), b.screenRect(50, 60, 1, 1).topLeft());

    b.edit->PanelFCMo->setColor(0x123456);
    moji->Button1->click();
    ASSERT_EQ(b.doc.AData.size(), 1);
    const RAData &t = b.doc.AData[0];
    Metrics &m = b.renderer->metrics();
    m.SetFont(QStringLiteral("ＭＳ Ｐゴシック"), 11);
    const int w = std::max(m.GetMojiW(QStringLiteral("あ")), m.GetMojiW(QStringLiteral("いう")));
    const int h = std::max(m.GetMojiH(QStringLiteral("あ")), m.GetMojiH(QStringLiteral("いう")));
    EXPECT_EQ(t.Syu, QStringLiteral("1"));
    EXPECT_EQ(t.Siki, QStringLiteral("あ\r\nいう"));
    EXPECT_EQ(t.X1, 50);
    EXPECT_EQ(t.Y1, 60);
    EXPECT_EQ(t.Width, w);
    EXPECT_EQ(t.Height, 2 * h);
    EXPECT_EQ(t.X2, 50 + w);
    EXPECT_EQ(t.Y2, 60 + 2 * h);
    EXPECT_EQ(t.FontSize, 11);
    EXPECT_EQ(t.FontName, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(t.ForeColor, 0x123456);
    EXPECT_EQ(t.BackColorB, 0);
    EXPECT_EQ(t.Layer, 1);
    EXPECT_TRUE(moji->isHidden());
    EXPECT_TRUE(b.preview()->isHidden());
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    EXPECT_EQ(b.doc.NewData.ID, -1);
    EXPECT_TRUE(b.doc.NewData.Syu.isEmpty());
    EXPECT_TRUE(b.doc.FileData.HensyuB);
}

TEST_P(CreateTest, BadFontSizeStopsTheTextAndEditingKeepsItsPlace)
{
    b.ctl->ToolButton5Click();
    b.click(0, 200, 300);
    TFormMoji *moji = b.ctl->formMoji();
    moji->MemoMoji->setPlainText(QStringLiteral("もじ"));
    b.edit->MemoFS->setText(QStringLiteral("大"));
    moji->Button1->click();
    EXPECT_TRUE(b.doc.AData.isEmpty());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_FALSE(moji->isHidden());
    b.edit->MemoFS->setText(QStringLiteral("11"));
    moji->Button1->click();
    ASSERT_EQ(b.doc.AData.size(), 1);

    // Select it, open it again, change font and text: the same row is
    // rewritten at its place and measured again.
    b.click(0, 205, 305);
    ASSERT_EQ(b.selectedRows(), QVector<int>{0});
    b.edit->MemoFS->setText(QStringLiteral("20"));
    b.ctl->EditSelection();
    EXPECT_FALSE(moji->isHidden());
    EXPECT_EQ(moji->Text(), QStringLiteral("もじ"));
    moji->MemoMoji->setPlainText(QStringLiteral("かわった"));
    moji->Button1->click();
    ASSERT_EQ(b.doc.AData.size(), 1);
    const RAData &t = b.doc.AData[0];
    EXPECT_EQ(t.Siki, QStringLiteral("かわった"));
    EXPECT_EQ(t.X1, 200);
    EXPECT_EQ(t.Y1, 300);
    EXPECT_EQ(t.Page, 0);
    EXPECT_EQ(t.FontSize, 20);
    Metrics &m = b.renderer->metrics();
    m.SetFont(t.FontName, 20);
    EXPECT_EQ(t.Width, m.GetMojiW(QStringLiteral("かわった")));
    // The frame follows the new size.
    EXPECT_EQ(b.ctl->marks().frame().width(), t.Width);
    // With two objects selected, nothing opens.
    moji->hide();
    b.addBox(0, 500, 500, 20, 20);
    b.edit->SpeedButtonS->setChecked(true);
    b.ctl->SpeedButtonSClick();
    b.click(0, 205, 305);
    b.click(0, 505, 505);
    b.ctl->EditSelection();
    EXPECT_TRUE(moji->isHidden());
}

TEST_P(CreateTest, PicturesAtNaturalSizeEmptyWhenUnreadableNothingWhenCancelled)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage src(30, 20, QImage::Format_RGB32);
    src.fill(Qt::blue);
    const QString bmp = dir.filePath(QStringLiteral("a.BMP"));
    const QString jpeg = dir.filePath(QStringLiteral("b.jpeg"));
    ASSERT_TRUE(src.save(bmp, "BMP"));
    ASSERT_TRUE(src.save(jpeg, "JPEG"));
    const QString gif = dir.filePath(QStringLiteral("c.gif"));
    {
        static const unsigned char bytes[] = {
            'G',  'I', 'F', '8', '9', 'a',  1, 0, 1, 0,   0x80, 0, 0,   0xFF, 0xFF,
            0xFF, 0,   0,   0,   '!', 0xF9, 4, 1, 0, 0,   0,    0, ',', 0,    0,
            0,    0,   1,   0,   1,   0,    0, 2, 2, 'D', 1,    0, ';'};
        QFile f(gif);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char *>(bytes), sizeof bytes);
    }
    const QString broken = dir.filePath(QStringLiteral("d.jpg"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xFF\xD8 not really a picture");
    }

    ScriptedPictureDialogs dialogs;
    dialogs.names = {bmp, jpeg, gif, broken};
    b.ctl->setPictureDialogs(&dialogs);
    b.ctl->ToolButton7Click();
    EXPECT_EQ(b.edit->shownPanel(), ToolPanel::Pic);
    b.click(0, 10, 10);
    b.ctl->ToolButton7Click();
    b.click(0, 100, 10);
    b.click(0, 200, 10);
    b.click(0, 300, 10);
    ASSERT_EQ(b.doc.AData.size(), 4);
    ASSERT_EQ(b.doc.BMData.size(), 4);
    EXPECT_EQ(b.doc.AData[0].Syu, QStringLiteral("4"));
    EXPECT_EQ(b.doc.AData[0].Width, 30);
    EXPECT_EQ(b.doc.AData[0].Height, 20);
    EXPECT_EQ(b.doc.AData[0].X2, 30);
    EXPECT_EQ(b.doc.AData[0].PicNo, 0);
    EXPECT_EQ(b.doc.AData[1].Width, 30); // ".jpeg" like ".jpg"
    EXPECT_EQ(b.doc.AData[1].PicNo, 1);
    EXPECT_EQ(b.doc.AData[1].X1, 100);
    EXPECT_EQ(b.doc.AData[2].Width, 1);
    EXPECT_EQ(b.doc.AData[2].Height, 1);
    EXPECT_TRUE(b.doc.BMData[3].isNull());
    EXPECT_EQ(b.doc.AData[3].Width, 0);
    EXPECT_EQ(b.doc.AData[3].Height, 0);
    EXPECT_EQ(b.doc.AData[3].PicNo, 3);
    EXPECT_FALSE(b.view.Creation.MarkerOn);

    // Cancelled: nothing is created and the marker goes from its layer;
    // the page images are not redrawn for it.
    const int redraws = b.host->redraws;
    b.click(0, 400, 400);
    EXPECT_EQ(dialogs.calls, 5);
    EXPECT_EQ(b.doc.AData.size(), 4);
    EXPECT_EQ(b.doc.BMData.size(), 4);
    EXPECT_EQ(b.host->redraws, redraws);
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    auto *layer = b.panels[0]->findChild<TCreationLayer *>();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->geometry(), b.panels[0]->rect());
    EXPECT_TRUE(ReadPictureFile(dir.filePath(QStringLiteral("x.png"))).isNull());

    // A pipe named like a picture is refused, not read (nor waited on).
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray bmpBytes;
    QBuffer buffer(&bmpBytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(red.save(&buffer, "BMP"));
    const QString plain = dir.filePath(QStringLiteral("plain.bmp"));
    QFile out(plain);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bmpBytes);
    out.close();
    EXPECT_EQ(ReadPictureFile(plain).pixelColor(1, 1), QColor(Qt::red));
    const QString fifo = dir.filePath(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    {
        PipeWriter writer(fifo, bmpBytes);
        EXPECT_TRUE(ReadPictureFile(fifo).isNull());
    }
    EXPECT_EQ(PictureFilterForDialog().split(QStringLiteral(";;")).size(), 5);
}

TEST_P(CreateTest, ButtonObjectsCarryTheirOwnPictures)
{
    const int sw = b.ctl->PlaceButtonObject(QStringLiteral("b"));
    const int rnd = b.ctl->PlaceButtonObject(QStringLiteral("r"));
    EXPECT_EQ(b.ctl->PlaceButtonObject(QStringLiteral("x")), -1);
    ASSERT_EQ(b.doc.AData.size(), 2);
    EXPECT_EQ(b.doc.AData[sw].Syu, QStringLiteral("b"));
    EXPECT_EQ(b.doc.AData[sw].Layer, 3);
    EXPECT_EQ(b.doc.AData[sw].X1, 100);
    EXPECT_EQ(b.doc.AData[sw].Y1, 100);
    EXPECT_EQ(b.doc.AData[sw].PicNo, 0);
    EXPECT_EQ(b.doc.AData[rnd].PicNo, 1);
    EXPECT_EQ(b.doc.AData[rnd].Width, b.doc.BMData[1].width());
    EXPECT_FALSE(b.doc.BMData[0].isNull());
    EXPECT_NE(b.doc.BMData[0], b.doc.BMData[1]); // different captions
    EXPECT_EQ(b.doc.AData[rnd].ID, 2);
}

TEST_P(CreateTest, MathProblemsThroughTheExpressionTool)
{
    TFormSiki siki(b.doc);
    siki.SyokiForm();
    b.ctl->setSikiForm(&siki);
    b.ctl->ToolButton10Click();
    EXPECT_EQ(b.edit->LabelMojiSiki->text(), QStringLiteral("数式ツール"));
    b.click(0, 200, 300);
    EXPECT_TRUE(b.view.Creation.MarkerOn);
    EXPECT_EQ(b.view.Creation.MarkerX, 200);
    EXPECT_EQ(b.doc.NewData.ID, -1);
    EXPECT_FALSE(siki.isHidden());
    siki.SelectPage(TFormSiki::PageYoko);
    siki.MemoY1->setText(QStringLiteral("3+4"));
    siki.MakeSikiKotaeYoko();
    const int row = siki.Kettei();
    ASSERT_EQ(row, 0);
    EXPECT_EQ(b.doc.AData[0].Syu, QStringLiteral("5"));
    EXPECT_EQ(b.doc.AData[0].X1, 200);
    EXPECT_EQ(b.doc.AData[0].Y1, 300);
    EXPECT_EQ(b.doc.AData[0].FontSize, 11);
    EXPECT_FALSE(b.view.Creation.MarkerOn);

    // A press on the problem selects it (the tool hides); editing loads it.
    siki.show();
    b.click(0, 201, 301);
    EXPECT_EQ(b.selectedRows(), QVector<int>{0});
    EXPECT_TRUE(siki.isHidden());
    b.ctl->EditSelection();
    EXPECT_FALSE(siki.isHidden());
    EXPECT_EQ(siki.MemoY1->text(), QStringLiteral("3+4"));
    EXPECT_EQ(b.doc.NewData.ID, b.doc.AData[0].ID);
}

TEST_P(CreateTest, ChoosingSelectGivesUpAPendingText)
{
    b.ctl->ToolButton5Click();
    b.click(0, 50, 60);
    b.ctl->formMoji()->MemoMoji->setPlainText(QStringLiteral("まだ"));
    b.ctl->ToolButton9Click();
    EXPECT_TRUE(b.ctl->formMoji()->isHidden());
    EXPECT_TRUE(b.preview()->isHidden());
    EXPECT_FALSE(b.view.Creation.MarkerOn);
    EXPECT_TRUE(b.doc.NewData.Syu.isEmpty());
    EXPECT_TRUE(b.doc.AData.isEmpty());
    EXPECT_EQ(b.ctl->toolSyu(), QStringLiteral("0"));
    EXPECT_TRUE(b.edit->ToolButton9->isChecked());
}
