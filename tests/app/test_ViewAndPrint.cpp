// The view switches, the zoom box and the print and export arithmetic.
#include "app/Unit1.h"
#include "app/UnitPageView.h"
#include "app/UnitPrint.h"
#include "app/UnitViewControls.h"
#include "platform/UnitPrinter.h"
#include "render/UnitRender.h"

#include "support/FakePrinter.h"
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(ViewControls, TogglesAreExclusiveAndBothMayBeUp)
{
    QWidget host;
    TViewControls v(&host);
    int redraws = 0;
    QObject::connect(&v, &TViewControls::changed, [&] { ++redraws; });
    EXPECT_FALSE(v.answerDisplayOn());
    EXPECT_FALSE(v.nameDisplayOn());
    // The two switches share their caption; their hints tell them apart.
    EXPECT_EQ(v.SpeedButtonKai->toolTip(), QStringLiteral("解答表示の表示切替"));
    EXPECT_EQ(v.SpeedButtonName->toolTip(), QStringLiteral("名前欄の表示切替"));

    v.SpeedButtonKai->click();
    EXPECT_TRUE(v.answerDisplayOn());
    EXPECT_FALSE(v.PanelKaiS->isHidden());

    // The name toggle turns answer display off and raises its button.
    v.SpeedButtonName->click();
    EXPECT_TRUE(v.nameDisplayOn());
    EXPECT_FALSE(v.answerDisplayOn());
    EXPECT_FALSE(v.SpeedButtonKai->isChecked());
    EXPECT_TRUE(v.PanelKaiS->isHidden());

    // Switching one off leaves both off.
    v.SpeedButtonName->click();
    EXPECT_FALSE(v.nameDisplayOn());
    EXPECT_FALSE(v.answerDisplayOn());
    EXPECT_EQ(redraws, 3);

    // The on-page switch twice returns to the start and redraws twice.
    v.OnPageAnswerSwitch();
    EXPECT_TRUE(v.answerDisplayOn());
    v.OnPageAnswerSwitch();
    EXPECT_FALSE(v.answerDisplayOn());
    EXPECT_EQ(redraws, 5);

    // The colour menu only asks for a colour: the swatch shows what the
    // worksheet holds, and no redraw is asked for before it changes.
    QVector<TColor> asked;
    QObject::connect(&v, &TViewControls::answerColorChosen, [&](TColor c) { asked.append(c); });
    EXPECT_EQ(v.answerColor(), 255);
    v.SetAnswerColor(0xFF0000);
    EXPECT_EQ(v.answerColor(), 255);
    v.SetAnswerColorSilently(0xFF0000);
    v.ResetAnswerColor();
    EXPECT_EQ(v.answerColor(), 0xFF0000);
    EXPECT_EQ(asked, (QVector<TColor>{0xFF0000, 255}));
    EXPECT_EQ(redraws, 5);
}

TEST(ViewControls, ZoomSizesPagesFromTheirPaperAndRefusesNonsense)
{
    FakeA4 fake;
    TForm1 form;
    form.SyokiForm(QString());
    form.zoomBox()->setText("150\r\n");
    form.SetGamenBai();
    EXPECT_EQ(form.settings().GamenBai.raw, 15000);
    EXPECT_EQ(form.pages().ImageP[0].size(), QSize(1189, 1683));
    EXPECT_EQ(form.pageArea()->PanelP[0]->size(), QSize(1189, 1683));

    for (const char *bad : {"0", "abc", "-abc", "", "100000"}) {
        form.zoomBox()->setText(bad);
        form.SetGamenBai();
        EXPECT_EQ(form.settings().GamenBai.raw, 15000) << bad;
        EXPECT_EQ(form.pages().ImageP[0].size(), QSize(1189, 1683));
    }
    form.ZoomBy(-1);
    EXPECT_EQ(form.settings().GamenBai.raw, 14000);
}

TEST(PageArea, EveryPageOfALongWorksheetCanBeReached)
{
    PageSet pages;
    for (int i = 0; i < 3; ++i)
        pages.PageSize.append(QSize(793, 1122));
    pages.resizeImages(Fixed4::fromInt(1));
    TPageArea area;
    area.resize(900, 700);
    area.setPages(pages);
    ASSERT_EQ(area.PanelP.size(), 3);
    EXPECT_EQ(area.PanelP[0]->y(), 5);
    EXPECT_EQ(area.PanelP[1]->y(), 5 + 1122 + 5);
    EXPECT_EQ(area.PanelP[2]->y(), 5 + 2 * (1122 + 5));
    EXPECT_GE(area.canvas()->height(), 3 * 1122 + 4 * 5);
}

TEST(Print, PlanScaleRangeAndOffsets)
{
    const PrintPlan one = MakePrintPlan(1, 1, 1, 7016, 1122, 30, 40);
    EXPECT_EQ(one.FromPg, 0);
    EXPECT_EQ(one.ToPg, 0);
    EXPECT_EQ(one.PrinterBai.raw, 62531);
    // y = 100 lands on dot Trunc(625.31) less the top offset.
    EXPECT_EQ(one.PrinterBai.scaleTrunc(100) - one.OffsetY, 625 - 40);

    const PrintPlan range = MakePrintPlan(2, 9, 3, 7016, 1122, 0, 0);
    EXPECT_EQ(range.FromPg, 1);
    EXPECT_EQ(range.ToPg, 2);
}

TEST(Print, JpegExportWritesJpegWhateverTheName)
{
    QTemporaryDir dir;
    QImage page(793, 1122, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QString path = dir.path() + "/page.bmp";
    EXPECT_TRUE(SaveJPG(page, path).isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(3);
    EXPECT_EQ(head, QByteArray("\xFF\xD8\xFF", 3));
    f.close();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.read().size(), QSize(793, 1122));

    // A folder that does not exist: an error text, no crash.
    EXPECT_FALSE(SaveJPG(page, dir.path() + "/no/such/page.jpg").isEmpty());
}

TEST(Print, MainWindowPrintsTheRangeOnTheBuiltInPdfPrinter)
{
    auto pdf = MakeFakePrinter(BuiltInPrinterName, 9, 1, 600);
    SetPrinters(pdf.get());
    const QString out = QDir::tempPath() + "/tavenor-print-test.pdf";
    QFile::remove(out);
    pdf->printer().setOutputFileName(out);
    {
        TForm1 form;
        form.SyokiForm(QString());
        const int r = form.doc().AppendRow();
        RAData &row = form.doc().AData[r];
        row.Syu = "1";
        row.Layer = 1;
        row.Siki = "なまえ";
        row.FontName = "ＭＳ Ｐゴシック";
        row.FontSize = 20;
        row.X1 = 50;
        row.Y1 = 50;
        row.Width = 100;
        row.Height = 30;
        form.Redraw();
        EXPECT_TRUE(form.PrintRange(1, 1));
        EXPECT_EQ(form.viewState().FromPg, 0);
        EXPECT_EQ(form.viewState().ToPg, 0);
        EXPECT_EQ(form.viewState().PrinterBai.raw,
                  Fixed4::fromQuotient(pdf->physicalHeight(), 1122).raw);
        EXPECT_EQ(form.viewState().Printer, nullptr);
    }
    SetPrinters(nullptr);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    EXPECT_GT(f.size(), 500);
}
