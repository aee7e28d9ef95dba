// Where a run of printed sheets goes: a PDF file or a printer job, opened
// once for any number of sheets. The PDF is written to a temporary file
// beside the target that replaces it only when the whole run is complete,
// so a cancelled or failed run leaves the previous file (or none) in place.
// Used by the PDF export, the class sets and the command-line companion;
// what goes on a sheet is drawn by the caller through painter().
#pragma once

#include "document/UnitData.h"

#include <QPainter>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QSaveFile;

class SheetOutput
{
public:
    virtual ~SheetOutput();

    // Opens the job; false with the program's message in `error`.
    bool begin(QString &error);
    // Starts the next sheet: the first one is the job's first page, every
    // later one a new page. False when the device refused the page.
    bool nextSheet();
    QPainter &painter() { return mPainter; }
    // Ends the job (for a PDF: puts the file in place). False with a reason.
    bool finish(QString &error);
    // Abandons the job: nothing of it stays (no file, no printed pages
    // beyond what the printer already took).
    void cancel();

    // Sheets started so far.
    int sheets() const { return mSheets; }
    // The height of the whole paper in device dots and the offsets of the
    // printable area, dots, that a print plan needs.
    virtual int paperHeightDots() const = 0;
    virtual int offsetX() const { return 0; }
    virtual int offsetY() const { return 0; }
    virtual int dpiY() const = 0;

protected:
    virtual QPagedPaintDevice *open(QString &error) = 0;
    virtual bool close(QString &error) = 0;
    virtual void abandon() = 0;

private:
    QPainter mPainter;
    QPagedPaintDevice *mDevice = nullptr;
    int mSheets = 0;
};

// A 600-dpi PDF of the worksheet's paper (size and orientation; an unknown
// size gives A4), vector text with the fonts embedded.
class PdfSheetOutput : public SheetOutput
{
public:
    PdfSheetOutput(const QString &path, const RPaperData &paper);
    ~PdfSheetOutput() override;
    int paperHeightDots() const override;
    int dpiY() const override { return 600; }

protected:
    QPagedPaintDevice *open(QString &error) override;
    bool close(QString &error) override;
    void abandon() override;

private:
    QString mPath;
    RPaperData mPaper;
    std::unique_ptr<QSaveFile> mFile;
    std::unique_ptr<QPdfWriter> mWriter;
};

// A job on a printer that is set up already (queue, paper), with its
// physical offsets.
class PrinterSheetOutput : public SheetOutput
{
public:
    PrinterSheetOutput(QPrinter &printer, int paperHeightDots, int offsetX, int offsetY, int dpiY);
    int paperHeightDots() const override { return mHeight; }
    int offsetX() const override { return mOffsetX; }
    int offsetY() const override { return mOffsetY; }
    int dpiY() const override { return mDpiY; }

protected:
    QPagedPaintDevice *open(QString &error) override;
    bool close(QString &error) override;
    void abandon() override;

private:
    QPrinter &mPrinter;
    int mHeight, mOffsetX, mOffsetY, mDpiY;
};

// The file filter of the PDF save dialogs.
QString PdfFilter();
