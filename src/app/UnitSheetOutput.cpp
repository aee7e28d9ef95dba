#include "app/UnitSheetOutput.h"

#include "document/UnitPaperSet.h"
#include "platform/UnitProduct.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

SheetOutput::~SheetOutput() = default;

bool SheetOutput::begin(QString &error)
{
    mSheets = 0;
    mDevice = open(error);
    if (!mDevice)
        return false;
    if (!mPainter.begin(mDevice)) {
        abandon();
        mDevice = nullptr;
        error = QStringLiteral("印刷を開始できませんでした。");
        return false;
    }
    // A pen and a brush that no drawing uses make the first real ink of
    // the job reach the paint engine (see RunPrintJob).
    mPainter.setPen(QPen(QColor(1, 2, 3, 0), 0));
    mPainter.setBrush(QBrush(QColor(1, 2, 3, 0)));
    return true;
}

bool SheetOutput::nextSheet()
{
    if (!mDevice)
        return false;
    if (mSheets > 0 && !mDevice->newPage())
        return false;
    ++mSheets;
    return true;
}

bool SheetOutput::finish(QString &error)
{
    if (!mDevice) {
        error = QStringLiteral("印刷を開始できませんでした。");
        return false;
    }
    mPainter.end();
    mDevice = nullptr;
    return close(error);
}

void SheetOutput::cancel()
{
    if (!mDevice)
        return;
    abandon();
    if (mPainter.isActive())
        mPainter.end();
    mDevice = nullptr;
}

PdfSheetOutput::PdfSheetOutput(const QString &path, const RPaperData &paper)
    : mPath(path), mPaper(paper)
{
    ApplyPaperValues(mPaper);
}

PdfSheetOutput::~PdfSheetOutput()
{
    // An output dropped before finish() leaves no file behind.
    cancel();
}

namespace
{
QPageLayout PdfLayout(const RPaperData &paper)
{
    QPageSize::PageSizeId id = QPageSize::id(PaperSizeCodeOf(paper));
    if (id == QPageSize::Custom)
        id = QPageSize::A4;
    return QPageLayout(QPageSize(id),
                       paper.Orientation == QLatin1String("1") ? QPageLayout::Portrait
                                                               : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}
} // namespace

int PdfSheetOutput::paperHeightDots() const
{
    return PdfLayout(mPaper).fullRectPixels(600).height();
}

QPagedPaintDevice *PdfSheetOutput::open(QString &error)
{
    mWriter.reset();
    mFile = std::make_unique<QSaveFile>(mPath);
    if (!mFile->open(QIODevice::WriteOnly)) {
        error = QStringLiteral("PDFファイルを作れませんでした。\r\n%1").arg(mFile->errorString());
        mFile.reset();
        return nullptr;
    }
    mWriter = std::make_unique<QPdfWriter>(mFile.get());
    mWriter->setResolution(600);
    mWriter->setCreator(Product::DisplayName);
    mWriter->setTitle(Product::DisplayName);
    mWriter->setPageLayout(PdfLayout(mPaper));
    return mWriter.get();
}

bool PdfSheetOutput::close(QString &error)
{
    mWriter.reset();
    if (!mFile)
        return false;
    const bool ok = mFile->commit();
    if (!ok)
        error =
            QStringLiteral("PDFファイルを保存できませんでした。\r\n%1").arg(mFile->errorString());
    mFile.reset();
    return ok;
}

void PdfSheetOutput::abandon()
{
    // The temporary file goes; the target stays as it was.
    if (mFile)
        mFile->cancelWriting();
}

PrinterSheetOutput::PrinterSheetOutput(QPrinter &printer, int paperHeightDots, int offsetX,
                                       int offsetY, int dpiY)
    : mPrinter(printer), mHeight(paperHeightDots), mOffsetX(offsetX), mOffsetY(offsetY), mDpiY(dpiY)
{
}

QPagedPaintDevice *PrinterSheetOutput::open(QString &)
{
    mPrinter.setDocName(Product::DisplayName);
    mPrinter.setFullPage(false);
    return &mPrinter;
}

bool PrinterSheetOutput::close(QString &error)
{
    if (mPrinter.printerState() == QPrinter::Error) {
        error = QStringLiteral("印刷を開始できませんでした。");
        return false;
    }
    return true;
}

void PrinterSheetOutput::abandon()
{
    mPrinter.abort();
}

QString PdfFilter()
{
    return QStringLiteral("PDF ファイル (*.pdf)");
}
