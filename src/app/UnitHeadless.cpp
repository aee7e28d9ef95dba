#include "app/UnitHeadless.h"
#include "app/UnitSheetOutput.h"
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
    countPages(pagesInFile);
}

void HeadlessWorksheet::countPages(int pagesInFile)
{
    storedPages = std::max(1, pagesInFile);
    int maxPage = 0;
    for (const RAData &row : doc.AData)
        maxPage = std::max(maxPage, row.Page);
    storedPages = std::clamp(std::max(storedPages, maxPage + 1), 1, 100);
}

void HeadlessWorksheet::adoptData(const RDocumentData &data, int pagesInFile)
{
    static_cast<RDocumentData &>(doc) = data;
    ApplyPaperValues(doc.Paper);
    countPages(pagesInFile);
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
    return printPdf(path, view.AnswerDisplay ? SheetChoice::Answers : SheetChoice::Problems,
                    fromPage, toPage, error);
}

bool HeadlessWorksheet::printPdf(const QString &path, SheetChoice choice, int fromPage, int toPage,
                                 QString &error)
{
    // The range as the print dialog would give it: inside the pages.
    const int last = std::max(pages.count(), 1);
    const int first = std::clamp(fromPage, 1, last) - 1;
    const int end = std::clamp(toPage, first + 1, last) - 1;
    const bool wasAnswers = view.AnswerDisplay;
    PdfSheetOutput out(path, doc.Paper);
    bool ok = out.begin(error);
    for (int pass = 0; ok && pass < 2; ++pass) {
        const bool answers = pass == 1;
        if ((answers && choice == SheetChoice::Problems) ||
            (!answers && choice == SheetChoice::Answers))
            continue;
        for (int page = first; ok && page <= end; ++page)
            ok = printSheet(out, page, answers);
    }
    view.AnswerDisplay = wasAnswers;
    if (!ok) {
        if (error.isEmpty())
            error = QStringLiteral("印刷を開始できませんでした。");
        out.cancel();
        return false;
    }
    return out.finish(error);
}

bool HeadlessWorksheet::printSheet(SheetOutput &out, int page, bool answers, const SheetMark *mark)
{
    if (!out.nextSheet())
        return false;
    // Page 0 in page units: the scale does not depend on a zoom.
    const int page0 = pages.PageSize.isEmpty() ? 0 : pages.PageSize[0].height();
    const PrintPlan plan = MakePrintPlan(page + 1, page + 1, pages.count(), out.paperHeightDots(),
                                         page0, out.offsetX(), out.offsetY());
    view.AnswerDisplay = answers;
    view.AnswerColor = doc.AnswerColor;
    view.PrinterDpiY = out.dpiY();
    PainterCanvas canvas(out.painter());
    view.PrinterBai = plan.PrinterBai;
    view.PrinterOffset = QPoint(plan.OffsetX, plan.OffsetY);
    view.FromPg = plan.FromPg;
    view.ToPg = plan.ToPg;
    view.Printer = &canvas;
    renderer.SrcImageP(true);
    if (mark && !mark->text.isEmpty()) {
        const QRect &r = mark->place;
        renderer.draw().FDrawText(nullptr, r.left(), r.top(), r.right() + 1, r.bottom() + 1,
                                  mark->text, mark->face, mark->cellHeight,
                                  TextFormat::LeftTopClipped, 0, 0xFFFFFF, 0, 0, 0, 0, 0,
                                  plan.FromPg, true);
    }
    view.Printer = nullptr;
    return true;
}
