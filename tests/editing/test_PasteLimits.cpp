// What the editor takes in from outside, at each limit and one past it: the
// clipboard's own payload (bytes), a picture on the clipboard and a picture
// file (decoded pixels, file bytes). Also a payload whose picture object
// names a picture the payload does not hold.
#include "EditTestSupport.h"
#include "document/UnitFile.h"
#include "editing/UnitClipboard.h"
#include "platform/UnitMessages.h"
#include "support/WorksheetBytes.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

class PasteLimitsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessages(&messages);
        b.host->renderOnRedraw = false;
    }
    void TearDown() override { SetMessages(nullptr); }
    void pastePayload(const QByteArray &payload)
    {
        auto *mime = new QMimeData;
        mime->setData(ObjectsMimeType, payload);
        QApplication::clipboard()->setMimeData(mime);
        b.ctl->PasteClipboard();
    }
    ScriptedMessages messages;
    EditBench b;
};

// A BMP file whose header claims w x h pixels (its data are those of 1 x 1).
QString claimedBmp(const QTemporaryDir &dir, int w, int h)
{
    const QString path = dir.filePath(QStringLiteral("p%1x%2.bmp").arg(w).arg(h));
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(Qt::red);
    EXPECT_TRUE(one.save(path, "BMP"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    const QByteArray width = wsbytes::le32(w), height = wsbytes::le32(h);
    bytes.replace(18, 4, width);
    bytes.replace(22, 4, height);
    f.seek(0);
    f.write(bytes);
    return path;
}

} // namespace

TEST_F(PasteLimitsTest, PayloadUpToItsLimitIsReadOnePastIsRefusedWithAMessage)
{
    ASSERT_EQ(MaxObjectsPayloadSize, qsizetype(256) << 20);
    // At the limit the bytes are looked at (they are no worksheet: nothing
    // is pasted, nothing said).
    pastePayload(QByteArray(MaxObjectsPayloadSize, 'x'));
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_EQ(b.doc.undoStack().count(), 0);
    // One past: refused with the reason.
    pastePayload(QByteArray(MaxObjectsPayloadSize + 1, 'x'));
    EXPECT_EQ(messages.texts, QStringList{ObjectsPayloadTooLargeText});
    EXPECT_TRUE(b.doc.AData.isEmpty());
    EXPECT_EQ(b.doc.undoStack().count(), 0);
}

TEST_F(PasteLimitsTest, PictureObjectWithoutItsPictureGetsAnEmptyOneNeverAnotherOfTheWorksheet)
{
    QImage green(6, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    b.doc.BMData.append(green);
    const int own = b.addBox(0, 10, 10, 6, 4);
    b.doc.AData[own].Syu = QStringLiteral("4");
    // A payload with two picture objects naming pictures 3 and -1 and one
    // naming its only picture.
    wsbytes::Container c;
    c.objects = {wsbytes::objectLine(
                     {"1", "4", "0", "100", "100", "0", "0", "8", "8", "", "", "", "", "3"}, 75),
                 wsbytes::objectLine(
                     {"2", "4", "0", "200", "100", "0", "0", "8", "8", "", "", "", "", "-1"}, 75),
                 wsbytes::objectLine(
                     {"3", "4", "0", "300", "100", "0", "0", "8", "8", "", "", "", "", "0"}, 75)};
    c.pictures = {wsbytes::jpeg(5, 5, qRgb(255, 0, 0))};
    pastePayload(c.bytes());
    ASSERT_EQ(b.doc.AData.size(), 4);
    ASSERT_EQ(b.doc.BMData.size(), 3); // the worksheet's, the payload's, one empty
    EXPECT_EQ(b.doc.AData[1].PicNo, 2);
    EXPECT_EQ(b.doc.AData[2].PicNo, 2);
    EXPECT_TRUE(b.doc.BMData[2].isNull());
    EXPECT_EQ(b.doc.AData[3].PicNo, 1);
    EXPECT_EQ(b.doc.BMData[1].size(), QSize(5, 5));
    EXPECT_EQ(b.doc.AData[own].PicNo, 0);
    // It saves and reads back, and undo takes every part away.
    Document again;
    EXPECT_TRUE(ParseFileAll(BuildFileBytes(b.doc, LayerWorksheet, 2), again).ok);
    b.doc.undoStack().undo();
    EXPECT_EQ(b.doc.AData.size(), 1);
    EXPECT_EQ(b.doc.BMData.size(), 1);
}

TEST_F(PasteLimitsTest, ClipboardPictureUpToThePixelLimitIsPlacedOnePastIsRefused)
{
    // One bit a pixel: the test needs the pixel count, not the memory.
    QImage past(8193, 4096, QImage::Format_Mono);
    past.fill(0);
    QApplication::clipboard()->setImage(past);
    b.ctl->PasteClipboard();
    EXPECT_EQ(messages.texts, QStringList{PictureTooLargeText});
    EXPECT_TRUE(b.doc.AData.isEmpty());

    QImage at(8192, 4096, QImage::Format_Mono);
    at.fill(0);
    QApplication::clipboard()->setImage(at);
    b.ctl->PasteClipboard();
    EXPECT_EQ(messages.texts.size(), 1);
    ASSERT_EQ(b.doc.AData.size(), 1);
    EXPECT_EQ(b.doc.AData[0].Width, 8192);
}

TEST_F(PasteLimitsTest, PictureFileLimitsInPixelsAndBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    b.doc.NewData.Page = 0;
    // A header claiming one pixel row too many: refused before decoding,
    // with the reason, and nothing placed.
    bool tooLarge = false;
    EXPECT_TRUE(ReadPictureFile(claimedBmp(dir, 8192, 4097), &tooLarge).isNull());
    EXPECT_TRUE(tooLarge);
    EXPECT_EQ(b.ctl->OpenPicture(claimedBmp(dir, 4097, 8192)), -1);
    EXPECT_EQ(messages.texts, QStringList{PictureTooLargeText});
    EXPECT_TRUE(b.doc.AData.isEmpty());
    // At the limit the decoder is asked (the data are cut short, so it
    // finds no picture) and no limit is reported.
    ReadPictureFile(claimedBmp(dir, 8192, 4096), &tooLarge);
    EXPECT_FALSE(tooLarge);
    // A file one byte over the largest picture file (sparse: only its size
    // counts) is refused before it is read.
    QFile big(dir.filePath(QStringLiteral("big.jpg")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(MaxPictureFileSize + 1));
    big.close();
    EXPECT_TRUE(ReadPictureFile(big.fileName(), &tooLarge).isNull());
    EXPECT_TRUE(tooLarge);
    // An ordinary small picture passes.
    QImage small(3, 2, QImage::Format_RGB32);
    small.fill(Qt::blue);
    const QString ok = dir.filePath(QStringLiteral("ok.bmp"));
    ASSERT_TRUE(small.save(ok, "BMP"));
    EXPECT_EQ(ReadPictureFile(ok, &tooLarge).size(), QSize(3, 2));
    EXPECT_FALSE(tooLarge);
}
