#include "app/UnitPrint.h"
#include "platform/UnitProduct.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

bool WidgetPrintDialogs::pageSetup(QPrinter &printer, QWidget *parent)
{
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("用紙設定"));
    return dialog.exec() == QDialog::Accepted;
}

bool WidgetPrintDialogs::print(QPrinter &printer, QWidget *parent, int lastPage, int &fromPage,
                               int &toPage)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    dialog.setMinMax(1, lastPage);
    dialog.setFromTo(1, lastPage);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    fromPage = 1;
    toPage = lastPage;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        fromPage = dialog.fromPage();
        toPage = dialog.toPage();
    }
    return true;
}

QString DefaultPdfPath(const QString &worksheetPath, const QString &untitledFolder)
{
    if (worksheetPath.isEmpty())
        return QDir(untitledFolder).filePath(QStringLiteral("プリント.pdf"));
    const QFileInfo info(worksheetPath);
    return info.absoluteDir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

PrintPlan MakePrintPlan(int fromPage, int toPage, int pageCount, int paperHeightDots,
                        int page0HeightPx, int offsetX, int offsetY)
{
    PrintPlan plan;
    const int last = std::max(pageCount, 1);
    fromPage = std::clamp(fromPage, 1, last);
    toPage = std::clamp(toPage, fromPage, last);
    plan.FromPg = fromPage - 1;
    plan.ToPg = toPage - 1;
    plan.PrinterBai = page0HeightPx > 0
                          ? Fixed4::fromQuotient(double(paperHeightDots), double(page0HeightPx))
                          : Fixed4::fromInt(1);
    plan.OffsetX = offsetX;
    plan.OffsetY = offsetY;
    return plan;
}

bool RunPrintJob(QPrinter &printer, const PrintPlan &plan, const PrintPass &pass)
{
    printer.setDocName(Product::DisplayName);
    // The origin stays at the printable area; the plan's offsets move every
    // element back to its place on the paper.
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The printer's paint engine outlives the job and keeps the pen and
    // brush the last job ended with, while a new painter believes it starts
    // with a black pen and no brush: a first text in black would then print
    // in whatever ink came last (the answer colour of an answer sheet).
    // A pen and a brush that no drawing uses make the first real ink of
    // this job reach the engine.
    painter.setPen(QPen(QColor(1, 2, 3, 0), 0));
    painter.setBrush(QBrush(QColor(1, 2, 3, 0)));
    for (int page = plan.FromPg; page <= plan.ToPg; ++page) {
        if (page > plan.FromPg)
            printer.newPage();
        PrintPlan one = plan;
        one.FromPg = one.ToPg = page;
        pass(painter, one);
    }
    painter.end();
    return true;
}

QString PictureSaveFilter()
{
    // The first entry also offers every file, as its pattern list ends in "*".
    return QStringLiteral(
        "すべて (*.gif;*.png;*.jpg;*.jpeg;*.bmp) (*.gif *.png *.jpg *.jpeg *.bmp *);;"
        "GIF 画像 (*.gif);;"
        "Portable Network Graphics (*.png);;"
        "JPEG イメージファイル (*.jpg);;"
        "JPEG イメージファイル (*.jpeg);;"
        "ビットマップ (*.bmp)");
}

QString SaveJPG(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888))) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
