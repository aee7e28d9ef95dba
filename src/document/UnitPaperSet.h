// Paper settings and pages. Reads the current printer's paper into the
// worksheet's paper settings, applies settings read from a file to the
// printer, and keeps the list of pages with their size in page units and
// their page images. Laying the pages out in the view and drawing on them
// belong to the render and application layers; this unit never draws.
#pragma once

#include "document/UnitData.h"
#include "platform/UnitNumText.h"

#include <QImage>
#include <QSize>
#include <QVector>

class PrinterService;

// Page units per centimetre for a screen resolution: 567 / (1440 / dpi),
// kept to four decimals (37.8 at 96 dpi).
Fixed4 PaperBaiForDpi(int dpi);

// Page units of a paper length in millimetres (x 10000): Trunc(mm x PaperBai / 10).
int PageUnitsFromMm(int64_t mmRaw, Fixed4 paperBai);

// Millimetres from printer dots: rounded to four decimals, then to a whole
// number, ties to even (4960 dots at 600 dpi are 210 mm).
int64_t MmFromDots(int dots, int dpi);

// Longest paper side taken from a file, in millimetres: A0 is 1189 mm and
// B0 1456 mm long; a longer side is a damaged value (its page images would
// take gigabytes).
constexpr int64_t MaxPaperMm = 1500;

// Sets PaperW and PaperH from the width and height texts without ever
// raising: a text that is not a plain whole number reads as 0. A paper with
// a side of 0, a negative side or a side above MaxPaperMm cannot be laid out,
// so the settings fall back to A4 portrait (code 9, "1", "210", "297").
// True when the texts were usable as they stood.
bool ApplyPaperValues(RPaperData &paper);

// The driver's paper size code of the settings; 0 when the text is not a
// plain whole number of a driver code's range.
int PaperSizeCodeOf(const RPaperData &paper);

// The current printer's paper as the worksheet keeps it; the document is
// not touched (a change of paper is a command of its own).
RPaperData ReadPrinterPaper(PrinterService &printer);

// The pages of the worksheet. Index = Page of an object.
class PageSet
{
public:
    // Size of each page in page units.
    QVector<QSize> PageSize;
    // The page images, one per page, sized at the current zoom by the view.
    QVector<QImage> ImageP;

    int PageNoS() const { return PageSize.size() - 1; }
    int count() const { return PageSize.size(); }
    void clear();
    // Re-creates every page image at the zoom (page units x zoom, truncated).
    void resizeImages(Fixed4 gamenBai);
};

class PaperSet
{
public:
    PaperSet(Document &doc, PageSet &pages);

    Fixed4 PaperBai = PaperBaiForDpi(96);

    // Reads the current printer's settings into the document's paper settings.
    void GetPaperSize(PrinterService &printer);
    // Applies the document's paper settings to the printer; sets PaperW/PaperH.
    void SetPaperSize(PrinterService &printer);
    // Appends a page of that paper size (millimetres x 10000), its image
    // sized at the zoom (page units at 1.0).
    void NewPage(int64_t heightMmRaw, int64_t widthMmRaw, Fixed4 gamenBai = Fixed4::fromInt(1));
    // Resizes every page to that paper size; objects are not moved.
    void SetPageSize(int64_t heightMmRaw, int64_t widthMmRaw);
    // The size in page units of a page of the current paper.
    QSize CurrentPageUnits() const;
    // Gives every page the size of the document's paper when one differs
    // (after a change of paper, its undo or its redo). True when a page
    // changed size; the caller lays the pages out again and redraws.
    bool PagesFollowPaper();

private:
    Document &mDoc;
    PageSet &mPages;
};
