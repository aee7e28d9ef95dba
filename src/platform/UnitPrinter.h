// Printer information and the driver settings the worksheet keeps: the
// installed printers, the current one, its paper size code, orientation,
// resolution, physical paper size and offsets, and whether it takes jobs.
// Backed by QPrinterInfo / QPrinter and, for the queue state Qt does not
// report, libcups. A machine without any printer gets a built-in one named
// "PDF" (A4 portrait, 600 dpi, no offsets) that prints to a PDF file, so every
// path of the program works there; a print dialog may still point it at a
// queue that appeared later, and from then on every value comes from that
// queue. Tests install a fake. Never shows a window.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;

class PrinterService
{
public:
    virtual ~PrinterService() = default;
    virtual QStringList installedPrinters() const = 0;
    virtual QString currentPrinter() const = 0;
    // Makes the named printer current; false (and nothing changes) when no
    // printer has exactly that name.
    virtual bool selectPrinter(const QString &name) = 0;
    virtual int paperSizeCode() const = 0; // Windows paper size code, 9 = A4
    virtual int orientation() const = 0;   // 1 portrait, 2 landscape
    virtual void setPaperSizeCode(int code) = 0;
    virtual void setOrientation(int orientation) = 0;
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
    // Physical paper size in dots; follows the orientation.
    virtual int physicalWidth() const = 0;
    virtual int physicalHeight() const = 0;
    virtual int offsetX() const = 0;
    virtual int offsetY() const = 0;
    // The QPrinter configured for the current printer and paper (print runs
    // and the set-up dialog use it). For the built-in printer it writes PDF.
    virtual QPrinter &printer() = 0;
    // Reads the settings back after a set-up or print dialog has changed
    // printer(): the printer chosen there becomes the current one.
    virtual void syncFromPrinter() = 0;
    // Whether the current printer takes a print job now. A queue that
    // rejects jobs would lose the print without any error from Qt.
    virtual bool acceptsJobs() const = 0;
};

// The printer service in use (the system one unless a test installed another).
PrinterService &Printers();
void SetPrinters(PrinterService *service);

// The system printers, or the built-in "PDF" printer when there are none.
std::unique_ptr<PrinterService> MakeSystemPrinters();
// A printer of given paper and resolution without any device (tests, tools).
// physicalWidth/Height 0 means: computed from the paper size code.
std::unique_ptr<PrinterService> MakeFakePrinter(const QString &name, int code, int orientation,
                                                int dpi, int offsetX = 0, int offsetY = 0,
                                                int physicalWidth = 0, int physicalHeight = 0);

// Makes a printer from MakeFakePrinter accept or refuse jobs (tests).
void SetFakePrinterAccepting(PrinterService &fake, bool accepting);

// Asks the system whether the named queue is known, not in error and
// accepting jobs (CUPS' printer-is-accepting-jobs).
bool SystemPrinterAcceptsJobs(const QString &name);

inline const QString BuiltInPrinterName = QStringLiteral("PDF");
