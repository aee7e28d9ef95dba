#include "document/UnitPaperSet.h"
#include "platform/UnitPrinter.h"
#include <gtest/gtest.h>

TEST(UnitPaperSet, A4At600DpiReadsAsMillimetresAndPageUnits)
{
    EXPECT_EQ(PaperBaiForDpi(96).raw, 378000);
    EXPECT_EQ(MmFromDots(4960, 600), 2100000);
    EXPECT_EQ(MmFromDots(7016, 600), 2970000);

    auto printer = MakeFakePrinter("Fake", 9, 1, 600, 50, 60, 4960, 7016);
    Document doc;
    PageSet pages;
    PaperSet paper(doc, pages);
    paper.GetPaperSize(*printer);
    EXPECT_EQ(doc.Paper.PrinterName, "Fake");
    EXPECT_EQ(doc.Paper.PaperSizeCode, "9");
    EXPECT_EQ(doc.Paper.Orientation, "1");
    EXPECT_EQ(doc.Paper.Width, "210");
    EXPECT_EQ(doc.Paper.Height, "297");
    EXPECT_EQ(doc.Paper.OffsetX, 50);
    EXPECT_EQ(doc.Paper.OffsetY, 60);
    paper.NewPage(doc.Paper.PaperH, doc.Paper.PaperW);
    ASSERT_EQ(pages.count(), 1);
    EXPECT_EQ(pages.PageNoS(), 0);
    EXPECT_EQ(pages.PageSize[0], QSize(793, 1122));
    EXPECT_EQ(pages.ImageP[0].size(), QSize(793, 1122));
}

TEST(UnitPaperSet, LandscapeSwapsEveryPageAndBadTextsReadAsZero)
{
    auto printer = MakeFakePrinter("Fake", 9, 1, 600, 0, 0, 4960, 7016);
    Document doc;
    PageSet pages;
    PaperSet paper(doc, pages);
    paper.GetPaperSize(*printer);
    paper.NewPage(doc.Paper.PaperH, doc.Paper.PaperW);
    paper.NewPage(doc.Paper.PaperH, doc.Paper.PaperW);
    EXPECT_EQ(pages.PageNoS(), 1);

    // A file's settings: landscape A4 on a printer that is not installed.
    doc.Paper.PrinterName = "Nowhere";
    doc.Paper.Orientation = "2";
    paper.SetPaperSize(*printer);
    EXPECT_EQ(printer->currentPrinter(), "Fake");
    EXPECT_EQ(printer->orientation(), 2);
    paper.GetPaperSize(*printer);
    EXPECT_EQ(doc.Paper.Width, "297");
    EXPECT_EQ(doc.Paper.Height, "210");
    paper.SetPageSize(doc.Paper.PaperH, doc.Paper.PaperW);
    for (const QSize &s : pages.PageSize)
        EXPECT_EQ(s, QSize(1122, 793));

    doc.Paper.Width = "21x";
    doc.Paper.Height = "";
    paper.SetPaperSize(*printer);
    EXPECT_EQ(doc.Paper.PaperW, 0);
    EXPECT_EQ(doc.Paper.PaperH, 0);
    EXPECT_EQ(paper.CurrentPageUnits(), QSize(0, 0));
}

TEST(UnitPaperSet, PageImagesFollowTheZoom)
{
    PageSet pages;
    pages.PageSize = {QSize(793, 1122)};
    pages.resizeImages(Fixed4::fromRaw(15000));
    EXPECT_EQ(pages.ImageP[0].size(), QSize(1189, 1683));
    pages.resizeImages(Fixed4::fromRaw(3333));
    EXPECT_EQ(pages.ImageP[0].size(), QSize(264, 373));
}
