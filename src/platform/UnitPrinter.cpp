#include "platform/UnitPrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

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

// A printer without a device: the built-in PDF printer and the test fake.
class VirtualPrinter : public PrinterService {
public:
    VirtualPrinter(const QString &name, const PaperState &s, bool pdf)
        : mName(name), mState(s), mPrinter(QPrinter::HighResolution)
    {
        mPrinter.setOutputFormat(QPrinter::PdfFormat);
        mPrinter.setResolution(s.dpi);
        if (pdf) {
            const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            mPrinter.setOutputFileName(docs + QStringLiteral("/Tavenor Print.pdf"));
        }
        configure(mPrinter, mState);
    }
    QStringList installedPrinters() const override { return {mName}; }
    QString currentPrinter() const override { return mName; }
    bool selectPrinter(const QString &name) override { return name == mName; }
    int paperSizeCode() const override { return mState.code; }
    int orientation() const override { return mState.orientation; }
    void setPaperSizeCode(int code) override
    {
        mState.code = QPageSize::id(code) == QPageSize::Custom ? 9 : code;
        configure(mPrinter, mState);
    }
    void setOrientation(int o) override
    {
        mState.orientation = o == 1 ? 1 : 2;
        configure(mPrinter, mState);
    }
    int dpiX() const override { return mState.dpi; }
    int dpiY() const override { return mState.dpi; }
    int physicalWidth() const override { return mState.widthDots(); }
    int physicalHeight() const override { return mState.heightDots(); }
    int offsetX() const override { return mState.offX; }
    int offsetY() const override { return mState.offY; }
    QPrinter &printer() override { return mPrinter; }
    void syncFromPrinter() override
    {
        const QPageLayout layout = mPrinter.pageLayout();
        const int code = layout.pageSize().windowsId();
        mState.code = code > 0 ? code : 9;
        mState.orientation = layout.orientation() == QPageLayout::Portrait ? 1 : 2;
    }

private:
    QString mName;
    PaperState mState;
    QPrinter mPrinter;
};

// The system's printers through QPrinterInfo.
class SystemPrinters : public PrinterService {
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
        return true;
    }
    int paperSizeCode() const override
    {
        const int id = mPrinter.pageLayout().pageSize().windowsId();
        return id > 0 ? id : 9;
    }
    int orientation() const override
    {
        return mPrinter.pageLayout().orientation() == QPageLayout::Portrait ? 1 : 2;
    }
    void setPaperSizeCode(int code) override { mPrinter.setPageSize(pageSizeForCode(code)); }
    void setOrientation(int o) override
    {
        mPrinter.setPageOrientation(o == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
    }
    int dpiX() const override { return mPrinter.resolution(); }
    int dpiY() const override { return mPrinter.resolution(); }
    int physicalWidth() const override
    {
        return mPrinter.pageLayout().fullRectPixels(mPrinter.resolution()).width();
    }
    int physicalHeight() const override
    {
        return mPrinter.pageLayout().fullRectPixels(mPrinter.resolution()).height();
    }
    int offsetX() const override
    {
        return mPrinter.pageLayout().paintRectPixels(mPrinter.resolution()).left();
    }
    int offsetY() const override
    {
        return mPrinter.pageLayout().paintRectPixels(mPrinter.resolution()).top();
    }
    QPrinter &printer() override { return mPrinter; }
    void syncFromPrinter() override {}

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

void SetPrinters(PrinterService *service) { current = service; }

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
