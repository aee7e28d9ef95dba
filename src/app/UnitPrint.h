// Printing and JPEG export. Works out the scale, the offsets and the page
// range the renderer draws with, and opens and closes the print job around
// the renderer's passes; the drawing itself is the renderer's. Called by the
// main window's "印刷" and "JPEG保存" commands and by the command-line tool.
#pragma once

#include "platform/UnitNumText.h"

#include <QImage>
#include <QString>
#include <functional>

class QPrinter;
class QPainter;
class QWidget;

// The print and page set-up dialogs of the system; tests script them.
class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // The page set-up dialog on the printer; true when it was accepted.
    virtual bool pageSetup(QPrinter &printer, QWidget *parent) = 0;
    // The print dialog offering pages 1..lastPage; when accepted, true with
    // the chosen range (one-based, inclusive) in fromPage and toPage.
    virtual bool print(QPrinter &printer, QWidget *parent, int lastPage, int &fromPage,
                       int &toPage) = 0;
};

// QPageSetupDialog ("用紙設定") and QPrintDialog ("印刷").
class WidgetPrintDialogs : public PrintDialogs
{
public:
    bool pageSetup(QPrinter &printer, QWidget *parent) override;
    bool print(QPrinter &printer, QWidget *parent, int lastPage, int &fromPage,
               int &toPage) override;
};

// The file a print to PDF offers first: the worksheet's own name with ".pdf"
// in the worksheet's folder, "プリント.pdf" in `untitledFolder` for a
// worksheet that was never saved.
QString DefaultPdfPath(const QString &worksheetPath, const QString &untitledFolder);

struct PrintPlan {
    int FromPg = 0; // zero-based, inclusive
    int ToPg = 0;
    Fixed4 PrinterBai;
    int OffsetX = 0;
    int OffsetY = 0;
};

// The print state from the dialog's page range (one-based), the printer's
// paper height in dots, the height of page 0 as shown and the offsets.
// PrinterBai = dots / pixels rounded to four decimals (7016 / 1122 = 6.2531).
PrintPlan MakePrintPlan(int fromPage, int toPage, int pageCount, int paperHeightDots,
                        int page0HeightPx, int offsetX, int offsetY);

// One renderer pass in print mode onto the painter, for the plan's range.
using PrintPass = std::function<void(QPainter &painter, const PrintPlan &plan)>;

// Runs the job titled "Tavenor プリント": each page of the range goes on its
// own sheet (one pass per page). Returns false when the job could not start.
bool RunPrintJob(QPrinter &printer, const PrintPlan &plan, const PrintPass &pass);

// The JPEG picture save dialog's filter.
QString PictureSaveFilter();

// Writes the image as JPEG data whatever the name's extension. Returns an
// error text on failure, empty on success.
QString SaveJPG(const QImage &image, const QString &path);
