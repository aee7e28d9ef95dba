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

    // A paper of 0 cannot be laid out: the settings fall back to A4 portrait.
    doc.Paper.Width = "21x";
    doc.Paper.Height = "";
    paper.SetPaperSize(*printer);
    EXPECT_EQ(doc.Paper.PaperW, 2100000);
    EXPECT_EQ(doc.Paper.PaperH, 2970000);
    EXPECT_EQ(paper.CurrentPageUnits(), QSize(793, 1122));
}

TEST(UnitPaperSet, DamagedPaperValuesNeverRaiseAndFallBackToA4Portrait)
{
    auto printer = MakeFakePrinter("Fake", 9, 1, 600, 0, 0, 4960, 7016);
    Document doc;
    PageSet pages;
    PaperSet paper(doc, pages);
    // Texts that the numeric conversion refuses with an error, texts that
    // are no plain whole number, and sizes no paper has.
    const QStringList bad = {"-abc",
                             "--3",
                             "-",
                             "12.5",
                             "1e3",
                             "-210",
                             "0",
                             "1501",
                             "99999999999999999999",
                             "-99999999999999999999"};
    for (const QString &value : bad) {
        for (int side = 0; side < 2; ++side) {
            doc.Paper.PaperSizeCode = "--3";
            doc.Paper.Orientation = "2";
            doc.Paper.Width = side == 0 ? value : QStringLiteral("182");
            doc.Paper.Height = side == 1 ? value : QStringLiteral("257");
            EXPECT_NO_THROW(paper.SetPaperSize(*printer)) << value.toStdString();
            EXPECT_EQ(doc.Paper.PaperSizeCode, "9") << value.toStdString();
            EXPECT_EQ(doc.Paper.Orientation, "1");
            EXPECT_EQ(doc.Paper.Width, "210");
            EXPECT_EQ(doc.Paper.Height, "297");
            EXPECT_EQ(doc.Paper.PaperW, 2100000);
            EXPECT_EQ(doc.Paper.PaperH, 2970000);
            EXPECT_EQ(printer->orientation(), 1);
        }
    }
    // Usable values are kept as they are, up to the largest paper side.
    doc.Paper.PaperSizeCode = "13";
    doc.Paper.Orientation = "2";
    doc.Paper.Width = "1500";
    doc.Paper.Height = "182";
    EXPECT_TRUE(ApplyPaperValues(doc.Paper));
    EXPECT_EQ(doc.Paper.PaperW, 15000000);
    EXPECT_EQ(doc.Paper.PaperH, 1820000);
    EXPECT_EQ(PaperSizeCodeOf(doc.Paper), 13);
    doc.Paper.PaperSizeCode = "-abc";
    EXPECT_EQ(PaperSizeCodeOf(doc.Paper), 0);
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
