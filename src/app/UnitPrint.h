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
