#include "document/UnitPaperSet.h"
#include "document/UnitFileFields.h"
#include "platform/UnitPrinter.h"

#include <cmath>
#include <limits>

Fixed4 PaperBaiForDpi(int dpi)
{
    if (dpi <= 0)
        dpi = 96;
    return Fixed4::fromQuotient(567.0, 1440.0 / dpi);
}

int PageUnitsFromMm(int64_t mmRaw, Fixed4 paperBai)
{
    if (mmRaw <= 0)
        return 0;
    // mm x units-per-cm / 10, both held x 10000.
    const int64_t units = (mmRaw * paperBai.raw) / (int64_t(10) * 10000 * 10000);
    return int(std::min<int64_t>(units, 1 << 20));
}

int64_t MmFromDots(int dots, int dpi)
{
    if (dpi <= 0)
        return 0;
    const double mm = double(dots) * 25.4 / double(dpi);
    const double fourPlaces = std::nearbyint(mm * 10000.0) / 10000.0;
    return int64_t(std::nearbyint(fourPlaces)) * 10000;
}

bool ApplyPaperValues(RPaperData &paper)
{
    // The file reader's conversion: non-numeric, malformed or oversized
    // texts read as 0 instead of raising.
    const int64_t w = FileTextToInt64(paper.Width);
    const int64_t h = FileTextToInt64(paper.Height);
    if (w > 0 && h > 0 && w <= MaxPaperMm && h <= MaxPaperMm) {
        paper.PaperW = w * 10000;
        paper.PaperH = h * 10000;
        return true;
    }
    const RPaperData a4;
    paper.PaperSizeCode = a4.PaperSizeCode;
    paper.Orientation = a4.Orientation;
    paper.Width = a4.Width;
    paper.Height = a4.Height;
    paper.PaperW = a4.PaperW;
    paper.PaperH = a4.PaperH;
    return false;
}

int PaperSizeCodeOf(const RPaperData &paper)
{
    const int64_t code = FileTextToInt64(paper.PaperSizeCode);
    return code > 0 && code <= std::numeric_limits<int16_t>::max() ? int(code) : 0;
}

void PageSet::clear()
{
    PageSize.clear();
    ImageP.clear();
}

void PageSet::resizeImages(Fixed4 gamenBai)
{
    ImageP.resize(PageSize.size());
    for (int i = 0; i < PageSize.size(); ++i) {
        const int w = int(gamenBai.scaleTrunc(PageSize[i].width()));
        const int h = int(gamenBai.scaleTrunc(PageSize[i].height()));
        if (ImageP[i].size() != QSize(w, h)) {
            ImageP[i] = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
            ImageP[i].fill(Qt::white);
        }
    }
}

PaperSet::PaperSet(Document &doc, PageSet &pages) : mDoc(doc), mPages(pages) {}

RPaperData ReadPrinterPaper(PrinterService &printer)
{
    RPaperData p;
    p.PrinterName = printer.currentPrinter();
    printer.selectPrinter(p.PrinterName);
    p.PaperSizeCode = QString::number(printer.paperSizeCode());
    p.Orientation = QString::number(printer.orientation());
    p.PaperW = MmFromDots(printer.physicalWidth(), printer.dpiX());
    p.PaperH = MmFromDots(printer.physicalHeight(), printer.dpiY());
    p.Width = QString::number(p.PaperW / 10000);
    p.Height = QString::number(p.PaperH / 10000);
    p.OffsetX = printer.offsetX();
    p.OffsetY = printer.offsetY();
    return p;
}

void PaperSet::GetPaperSize(PrinterService &printer)
{
    mDoc.Paper = ReadPrinterPaper(printer);
}

void PaperSet::SetPaperSize(PrinterService &printer)
{
    RPaperData &p = mDoc.Paper;
    ApplyPaperValues(p);
    printer.selectPrinter(p.PrinterName); // keeps the current one when not installed
    printer.setPaperSizeCode(PaperSizeCodeOf(p));
    printer.setOrientation(p.Orientation == QLatin1String("1") ? 1 : 2);
    p.OffsetX = printer.offsetX();
    p.OffsetY = printer.offsetY();
}

void PaperSet::NewPage(int64_t heightMmRaw, int64_t widthMmRaw, Fixed4 gamenBai)
{
    mPages.PageSize.append(
        QSize(PageUnitsFromMm(widthMmRaw, PaperBai), PageUnitsFromMm(heightMmRaw, PaperBai)));
    const QSize units = mPages.PageSize.last();
    QImage img(std::max(int(gamenBai.scaleTrunc(units.width())), 1),
               std::max(int(gamenBai.scaleTrunc(units.height())), 1), QImage::Format_RGB32);
    img.fill(Qt::white);
    mPages.ImageP.append(img);
}

void PaperSet::SetPageSize(int64_t heightMmRaw, int64_t widthMmRaw)
{
    const QSize s(PageUnitsFromMm(widthMmRaw, PaperBai), PageUnitsFromMm(heightMmRaw, PaperBai));
    for (QSize &page : mPages.PageSize)
        page = s;
}

QSize PaperSet::CurrentPageUnits() const
{
    return QSize(PageUnitsFromMm(mDoc.Paper.PaperW, PaperBai),
                 PageUnitsFromMm(mDoc.Paper.PaperH, PaperBai));
}

bool PaperSet::PagesFollowPaper()
{
    const QSize s = CurrentPageUnits();
    bool differs = false;
    for (const QSize &page : mPages.PageSize)
        differs = differs || page != s;
    if (differs)
        SetPageSize(mDoc.Paper.PaperH, mDoc.Paper.PaperW);
    return differs;
}
