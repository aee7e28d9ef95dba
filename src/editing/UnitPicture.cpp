#include "editing/UnitPicture.h"
#include "document/UnitFile.h"
#include "platform/UnitRegularFile.h"
#include "render/UnitFonts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>

QString PictureFilterForDialog()
{
    // Pairs of "name|patterns": the toolkit wants "name (p1 p2)".
    const QStringList parts = PictureFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren > 0)
            name = name.left(paren).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

QString WidgetPictureDialogs::getOpenPictureName()
{
    const QString name =
        QFileDialog::getOpenFileName(mParent, QString(), mFolder, PictureFilterForDialog());
    if (!name.isEmpty())
        mFolder = QFileInfo(name).absolutePath();
    return name;
}

QImage ReadPictureFile(const QString &fileName, bool *tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    const QString ext = QFileInfo(fileName).suffix().toLower();
    QByteArray format;
    if (ext == u"bmp")
        format = "BMP";
    else if (ext == u"jpg" || ext == u"jpeg")
        format = "JPEG";
    else if (ext == u"gif")
        format = "GIF";
    else
        return QImage();
    // Only a regular file is read (a pipe or device in its place would
    // block or never end), and at most as much as a large scanned page.
    QByteArray bytes;
    const FileReadFault fault = ReadRegularFile(fileName, MaxPictureFileSize, bytes);
    if (fault != FileReadFault::None) {
        if (tooLarge)
            *tooLarge = fault == FileReadFault::TooLarge;
        return QImage();
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // A forged header must not make us allocate more than a page picture
    // needs: its size is checked before any pixel is decoded.
    reader.setAutoTransform(false);
    if (!PictureSizeAllowed(reader.size())) {
        if (tooLarge)
            *tooLarge = true;
        return QImage();
    }
    QImage image = reader.read();
    if (image.isNull())
        return QImage();
    return image.convertToFormat(QImage::Format_RGB32);
}

namespace
{

QImage buttonPicture(const QString &caption)
{
    QImage img(75, 25, QImage::Format_RGB32);
    img.fill(QColor(240, 240, 240));
    QPainter p(&img);
    // A raised button face: light top-left edges, dark bottom-right edges.
    p.setPen(Qt::white);
    p.drawLine(0, 0, 73, 0);
    p.drawLine(0, 0, 0, 23);
    p.setPen(QColor(160, 160, 160));
    p.drawLine(1, 23, 74, 23);
    p.drawLine(74, 1, 74, 23);
    p.setPen(QColor(105, 105, 105));
    p.drawLine(0, 24, 74, 24);
    p.drawLine(75, 0, 75, 24);
    FontSpec font{QStringLiteral("ＭＳ Ｐゴシック"), 14};
    p.setFont(CellFont(font).font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, 75, 25), Qt::AlignCenter, caption);
    return img;
}

} // namespace

QImage AnswerSwitchPicture()
{
    return buttonPicture(QStringLiteral("表示切替"));
}
QImage RandomButtonPicture()
{
    return buttonPicture(QStringLiteral("作成"));
}
