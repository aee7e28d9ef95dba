#include "platform/UnitPrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cups/cups.h>

namespace
{

QPageSize pageSizeForCode(int code)
{
    QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom)
        id = QPageSize::A4;
    return QPageSize(id);
}

// Shared arithmetic of both implementations: the paper in dots from the
// page size, the resolution and the orientation.
struct PaperState {
    int code = 9;
    int orientation = 1;
    int dpi = 600;
    int offX = 0;
    int offY = 0;
    int fixedW = 0; // device-reported size in portrait, 0 = from the paper size
    int fixedH = 0;

    int widthDots() const
    {
        if (fixedW > 0)
            return orientation == 1 ? fixedW : fixedH;
        const QSizeF mm = pageSizeForCode(code).size(QPageSize::Millimeter);
        const double w = orientation == 1 ? mm.width() : mm.height();
        return int(w / 25.4 * dpi + 0.5);
    }
    int heightDots() const
    {
        if (fixedW > 0)
            return orientation == 1 ? fixedH : fixedW;
        const QSizeF mm = pageSizeForCode(code).size(QPageSize::Millimeter);
        const double h = orientation == 1 ? mm.height() : mm.width();
        return int(h / 25.4 * dpi + 0.5);
    }
};

// The painter's origin is the corner of the printable area, as on the
// printers the worksheets were made for: the renderer subtracts the offsets.
void configure(QPrinter &p, const PaperState &s)
{
    p.setFullPage(false);
    p.setPageSize(pageSizeForCode(s.code));
    p.setPageOrientation(s.orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
    const double mmX = s.offX * 25.4 / s.dpi;
    const double mmY = s.offY * 25.4 / s.dpi;
    p.setPageMargins(QMarginsF(mmX, mmY, mmX, mmY), QPageLayout::Millimeter);
}

// Values of a real queue, read from the QPrinter that Qt set up for it.
bool onQueue(const QPrinter &p)
{
    return p.outputFormat() == QPrinter::NativeFormat && !p.printerName().isEmpty();
}

int deviceWidth(const QPrinter &p)
{
    return p.pageLayout().fullRectPixels(p.resolution()).width();
}

int deviceHeight(const QPrinter &p)
{
    return p.pageLayout().fullRectPixels(p.resolution()).height();
}

int deviceOffsetX(const QPrinter &p)
{
    return p.pageLayout().paintRectPixels(p.resolution()).left();
}

int deviceOffsetY(const QPrinter &p)
{
    return p.pageLayout().paintRectPixels(p.resolution()).top();
}

int deviceSizeCode(const QPrinter &p)
{
    const int id = p.pageLayout().pageSize().windowsId();
    return id > 0 ? id : 9;
}

int deviceOrientation(const QPrinter &p)
{
    return p.pageLayout().orientation() == QPageLayout::Portrait ? 1 : 2;
}

// The margins follow the queue's unprintable edges, so that the painter's
// origin is the corner of the printable area and the offsets are the
// physical offsets of the driver.
void fitMarginsToDevice(QPrinter &p)
{
    const QPageLayout layout = p.pageLayout();
    p.setPageMargins(layout.minimumMargins(), layout.units());
}

void setDevicePaper(QPrinter &p, int code)
{
    p.setPageSize(pageSizeForCode(code));
    fitMarginsToDevice(p);
}

void setDeviceOrientation(QPrinter &p, int orientation)
{
    p.setPageOrientation(orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
    fitMarginsToDevice(p);
}

// A printer without a device: the built-in PDF printer and the test fake.
class VirtualPrinter : public PrinterService
{
public:
    VirtualPrinter(const QString &name, const PaperState &s, bool pdf)
        : mName(name), mState(s), mPrinter(QPrinter::HighResolution)
    {
        mPrinter.setOutputFormat(QPrinter::PdfFormat);
        mPrinter.setResolution(s.dpi);
        if (pdf) {
            const QString docs =
                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            mPrinter.setOutputFileName(docs + QStringLiteral("/Tavenor Print.pdf"));
        }
        configure(mPrinter, mState);
    }
    QStringList installedPrinters() const override
    {
        QStringList names{mName};
        if (onQueue(mPrinter))
            names.append(mPrinter.printerName());
        return names;
    }
    QString currentPrinter() const override
    {
        return onQueue(mPrinter) ? mPrinter.printerName() : mName;
    }
    bool selectPrinter(const QString &name) override { return name == currentPrinter(); }
    int paperSizeCode() const override
    {
        return onQueue(mPrinter) ? deviceSizeCode(mPrinter) : mState.code;
    }
    int orientation() const override
    {
        return onQueue(mPrinter) ? deviceOrientation(mPrinter) : mState.orientation;
    }
    void setPaperSizeCode(int code) override
    {
        mState.code = QPageSize::id(code) == QPageSize::Custom ? 9 : code;
        if (onQueue(mPrinter))
            setDevicePaper(mPrinter, mState.code);
        else
            configure(mPrinter, mState);
    }
    void setOrientation(int o) override
    {
        mState.orientation = o == 1 ? 1 : 2;
        if (onQueue(mPrinter))
            setDeviceOrientation(mPrinter, mState.orientation);
        else
            configure(mPrinter, mState);
    }
    int dpiX() const override { return onQueue(mPrinter) ? mPrinter.resolution() : mState.dpi; }
    int dpiY() const override { return onQueue(mPrinter) ? mPrinter.resolution() : mState.dpi; }
    int physicalWidth() const override
    {
        return onQueue(mPrinter) ? deviceWidth(mPrinter) : mState.widthDots();
    }
    int physicalHeight() const override
    {
        return onQueue(mPrinter) ? deviceHeight(mPrinter) : mState.heightDots();
    }
    int offsetX() const override
    {
        return onQueue(mPrinter) ? deviceOffsetX(mPrinter) : mState.offX;
    }
    int offsetY() const override
    {
        return onQueue(mPrinter) ? deviceOffsetY(mPrinter) : mState.offY;
    }
    QPrinter &printer() override { return mPrinter; }
    void syncFromPrinter() override
    {
        if (onQueue(mPrinter)) {
            // A queue chosen in a dialog: its own margins from now on.
            fitMarginsToDevice(mPrinter);
            return;
        }
        const QPageLayout layout = mPrinter.pageLayout();
        const int code = layout.pageSize().windowsId();
        mState.code = code > 0 ? code : 9;
        mState.orientation = layout.orientation() == QPageLayout::Portrait ? 1 : 2;
    }
    bool acceptsJobs() const override
    {
        return onQueue(mPrinter) ? SystemPrinterAcceptsJobs(mPrinter.printerName()) : mAccepting;
    }
    void setAccepting(bool on) { mAccepting = on; }

private:
    QString mName;
    PaperState mState;
    QPrinter mPrinter;
    bool mAccepting = true;
};

// The system's printers through QPrinterInfo.
class SystemPrinters : public PrinterService
{
public:
    SystemPrinters() : mPrinter(QPrinter::HighResolution)
    {
        selectPrinter(QPrinterInfo::defaultPrinter().printerName());
        if (mPrinter.printerName().isEmpty() && !QPrinterInfo::availablePrinterNames().isEmpty())
            selectPrinter(QPrinterInfo::availablePrinterNames().first());
    }
    QStringList installedPrinters() const override { return QPrinterInfo::availablePrinterNames(); }
    QString currentPrinter() const override { return mPrinter.printerName(); }
    bool selectPrinter(const QString &name) override
    {
        if (name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(name))
            return false;
        mPrinter.setPrinterName(name);
        mPrinter.setFullPage(false);
        fitMarginsToDevice(mPrinter);
        return true;
    }
    int paperSizeCode() const override { return deviceSizeCode(mPrinter); }
    int orientation() const override { return deviceOrientation(mPrinter); }
    void setPaperSizeCode(int code) override { setDevicePaper(mPrinter, code); }
    void setOrientation(int o) override { setDeviceOrientation(mPrinter, o); }
    int dpiX() const override { return mPrinter.resolution(); }
    int dpiY() const override { return mPrinter.resolution(); }
    int physicalWidth() const override { return deviceWidth(mPrinter); }
    int physicalHeight() const override { return deviceHeight(mPrinter); }
    int offsetX() const override { return deviceOffsetX(mPrinter); }
    int offsetY() const override { return deviceOffsetY(mPrinter); }
    QPrinter &printer() override { return mPrinter; }
    void syncFromPrinter() override
    {
        if (onQueue(mPrinter))
            fitMarginsToDevice(mPrinter);
    }
    bool acceptsJobs() const override
    {
        // "Print to file" chosen in the dialog writes a PDF and needs no queue.
        return !onQueue(mPrinter) || SystemPrinterAcceptsJobs(mPrinter.printerName());
    }

private:
    QPrinter mPrinter;
};

PrinterService *current = nullptr;
std::unique_ptr<PrinterService> systemService;

} // namespace

PrinterService &Printers()
{
    if (current)
        return *current;
    if (!systemService)
        systemService = MakeSystemPrinters();
    return *systemService;
}

void SetPrinters(PrinterService *service)
{
    current = service;
}

std::unique_ptr<PrinterService> MakeSystemPrinters()
{
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return MakeFakePrinter(BuiltInPrinterName, 9, 1, 600);
    return std::make_unique<SystemPrinters>();
}

std::unique_ptr<PrinterService> MakeFakePrinter(const QString &name, int code, int orientation,
                                                int dpi, int offsetX, int offsetY,
                                                int physicalWidth, int physicalHeight)
{
    PaperState s;
    s.code = QPageSize::id(code) == QPageSize::Custom ? 9 : code;
    s.orientation = orientation == 1 ? 1 : 2;
    s.dpi = dpi;
    s.offX = offsetX;
    s.offY = offsetY;
    if (physicalWidth > 0 && physicalHeight > 0) {
        s.fixedW = physicalWidth;
        s.fixedH = physicalHeight;
    }
    return std::make_unique<VirtualPrinter>(name, s, name == BuiltInPrinterName);
}

void SetFakePrinterAccepting(PrinterService &fake, bool accepting)
{
    if (auto *v = dynamic_cast<VirtualPrinter *>(&fake))
        v->setAccepting(accepting);
}

bool SystemPrinterAcceptsJobs(const QString &name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull() || info.state() == QPrinter::Error)
        return false;
    // Qt reports a queue that rejects jobs as idle; CUPS knows better.
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);
    if (!dest)
        return false;
    const char *accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool ok = !accepting || qstrcmp(accepting, "false") != 0;
    cupsFreeDests(1, dest);
    return ok;
}
