#include "app/UnitHeadless.h"
#include "document/UnitFile.h"
#include "render/UnitCanvas.h"
#include "render/UnitDrawSiki.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

HeadlessWorksheet::HeadlessWorksheet()
{
}

bool HeadlessWorksheet::load(const QString &path, QString &error)
{
    Document loaded;
    const FileResult r = LoadFileAll(path, loaded);
    if (!r.ok) {
        error =
            r.message.isEmpty() ? QStringLiteral("ファイルを読み込めませんでした。") : r.message;
        return false;
    }
    adopt(std::move(loaded), r.storedPages);
    return true;
}

void HeadlessWorksheet::adopt(Document &&loaded, int pagesInFile)
{
    TakeWorksheet(doc, std::move(loaded));
    ApplyPaperValues(doc.Paper);
    storedPages = std::max(1, pagesInFile);
    int maxPage = 0;
    for (const RAData &row : doc.AData)
        maxPage = std::max(maxPage, row.Page);
    storedPages = std::clamp(std::max(storedPages, maxPage + 1), 1, 100);
}

void HeadlessWorksheet::layout(int pageCount, Fixed4 zoom, bool unfilled)
{
    pages.clear();
    view.GamenBai = zoom;
    if (!unfilled) {
        for (int i = 0; i < std::max(pageCount, 1); ++i)
            paper.NewPage(doc.Paper.PaperH, doc.Paper.PaperW, zoom);
        view.PaperBai = paper.PaperBai;
        pages.resizeImages(zoom);
        return;
    }
    // Images of the right size that are never filled: the memory of an
    // untouched image is not taken from the system, so a long worksheet
    // costs nothing until a page is drawn.
    view.PaperBai = paper.PaperBai;
    const QSize units(PageUnitsFromMm(doc.Paper.PaperW, paper.PaperBai),
                      PageUnitsFromMm(doc.Paper.PaperH, paper.PaperBai));
    for (int i = 0; i < std::max(pageCount, 1); ++i) {
        pages.PageSize.append(units);
        pages.ImageP.append(QImage(std::max(1, int(zoom.scaleTrunc(units.width()))),
                                   std::max(1, int(zoom.scaleTrunc(units.height()))),
                                   QImage::Format_RGB16));
    }
}

void HeadlessWorksheet::render()
{
    view.AnswerColor = doc.AnswerColor;
    renderer.SrcImageP(false);
}

void HeadlessWorksheet::renderPage(int page)
{
    view.AnswerColor = doc.AnswerColor;
    renderer.SrcImagePages(QSet<int>{page});
}

bool HeadlessWorksheet::printPdf(const QString &path, int fromPage, int toPage, QString &error)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(600);
    QPageSize::PageSizeId id = QPageSize::id(PaperSizeCodeOf(doc.Paper));
    if (id == QPageSize::Custom)
        id = QPageSize::A4;
    printer.setPageSize(QPageSize(id));
    printer.setPageOrientation(doc.Paper.Orientation == QLatin1String("1")
                                   ? QPageLayout::Portrait
                                   : QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const int dots = printer.pageLayout().fullRectPixels(600).height();
    // Page 0 in page units: the scale does not depend on a zoom.
    const int page0 = pages.PageSize.isEmpty() ? 0 : pages.PageSize[0].height();
    const PrintPlan plan = MakePrintPlan(fromPage, toPage, pages.count(), dots, page0, 0, 0);
    view.AnswerColor = doc.AnswerColor;
    view.PrinterDpiY = 600;
    const bool ok = RunPrintJob(printer, plan, [this](QPainter &painter, const PrintPlan &p) {
        PainterCanvas canvas(painter);
        view.PrinterBai = p.PrinterBai;
        view.PrinterOffset = QPoint(p.OffsetX, p.OffsetY);
        view.FromPg = p.FromPg;
        view.ToPg = p.ToPg;
        view.Printer = &canvas;
        renderer.SrcImageP(true);
        view.Printer = nullptr;
    });
    if (!ok)
        error = QStringLiteral("印刷を開始できませんでした。");
    return ok;
}
