// The reader's limits, each at the limit and one past it: the decoded size
// of a picture in a worksheet and in a name field (from the picture's
// header, before anything is decoded), and the header block's length.
#include "document/UnitFile.h"
#include "support/WorksheetBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// A small JPEG whose frame header claims `w` x `h` pixels: the decoder
// learns the size from it before it decodes anything.
QByteArray claimedJpeg(int w, int h)
{
    QByteArray j = wsbytes::jpeg(8, 8, qRgb(10, 200, 30));
    const qsizetype sof = j.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    j[sof + 5] = char(h >> 8);
    j[sof + 6] = char(h & 0xFF);
    j[sof + 7] = char(w >> 8);
    j[sof + 8] = char(w & 0xFF);
    return j;
}

QByteArray worksheetWithPicture(const QByteArray &jpeg)
{
    wsbytes::Container c;
    c.objects = {wsbytes::objectLine({"1", "4", "0", "10", "10", "0", "0", "8", "8"}, 75)};
    c.pictures = {wsbytes::jpeg(4, 4, qRgb(0, 0, 255)), jpeg};
    return c.bytes();
}

} // namespace

TEST(UnitFileLimits, PicturesUpToTheirPixelLimitAreDecodedLargerOnesStayEmptyWithANotice)
{
    ASSERT_EQ(MaxPicturePixels, qint64(8192) * 4096);
    EXPECT_TRUE(PictureSizeAllowed(QSize(8192, 4096)));
    EXPECT_TRUE(PictureSizeAllowed(QSize(4096, 8192)));
    EXPECT_FALSE(PictureSizeAllowed(QSize(8193, 4096)));
    EXPECT_FALSE(PictureSizeAllowed(QSize(8192, 4097)));
    EXPECT_FALSE(PictureSizeAllowed(QSize(65535, 65535)));
    EXPECT_TRUE(PictureSizeAllowed(QSize())); // unknown: the decoder decides

    // One past the limit: the worksheet reads, the picture stays empty, the
    // other picture and the rows are all there, and the notice says why.
    Document past;
    const FileResult r = ParseFileAll(worksheetWithPicture(claimedJpeg(8193, 4096)), past);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.notice, PictureTooLargeNotice());
    EXPECT_FALSE(r.notice.isEmpty());
    ASSERT_EQ(past.BMData.size(), 2);
    EXPECT_EQ(past.BMData[0].size(), QSize(4, 4));
    EXPECT_TRUE(past.BMData[1].isNull());
    EXPECT_EQ(past.AData.size(), 1);

    // The same in a name field.
    NameFieldFile field;
    const FileResult n = ParseFile(worksheetWithPicture(claimedJpeg(4096, 8193)), field);
    ASSERT_TRUE(n.ok);
    EXPECT_EQ(n.notice, PictureTooLargeNotice());
    ASSERT_EQ(field.pictures.size(), 2);
    EXPECT_TRUE(field.pictures[1].isNull());

    // At the limit the picture is decoded (its data are those of a tiny
    // picture, so the decoder gives what it can, but it is not refused).
    Document at;
    const FileResult a = ParseFileAll(worksheetWithPicture(claimedJpeg(8192, 4096)), at);
    ASSERT_TRUE(a.ok);
    EXPECT_TRUE(a.notice.isEmpty());

    // An ordinary worksheet has nothing to tell.
    Document plain;
    const FileResult p =
        ParseFileAll(worksheetWithPicture(wsbytes::jpeg(20, 10, qRgb(1, 2, 3))), plain);
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.notice.isEmpty());
    EXPECT_EQ(plain.BMData[1].size(), QSize(20, 10));
}

TEST(UnitFileLimits, HeaderBlockUpToItsLimitIsReadOnePastIsRefused)
{
    ASSERT_EQ(MaxHeaderLength, 10000000);
    auto withHeaderOf = [](qint64 length) {
        QByteArray header = "Tavenor,Print Header\r\n0.6\r\n";
        header += QByteArray(length - header.size(), 'a');
        return wsbytes::le32(int32_t(header.size())) + header;
    };
    QStringList list;
    EXPECT_TRUE(ParseFileHeaderList(withHeaderOf(MaxHeaderLength), list).ok);
    EXPECT_EQ(list.value(0), QStringLiteral("Tavenor,Print Header"));
    const FileResult past = ParseFileHeaderList(withHeaderOf(MaxHeaderLength + 1), list);
    EXPECT_FALSE(past.ok);
    EXPECT_EQ(past.message, CorruptFileMessage());
}

TEST(UnitFileLimits, FileOnePastTheLargestWorksheetIsRefusedBeforeItIsRead)
{
    ASSERT_EQ(MaxWorksheetFileSize, qint64(1) << 30);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A sparse file: its size is all the reader may look at.
    QFile f(dir.filePath(QStringLiteral("big.prx")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(MaxWorksheetFileSize + 1));
    f.close();
    Document doc;
    doc.Naiyou = QStringLiteral("そのまま");
    const FileResult r = LoadFileAll(f.fileName(), doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, FileTooLargeMessage());
    EXPECT_EQ(doc.Naiyou, QStringLiteral("そのまま"));
    NameFieldFile field;
    EXPECT_EQ(LoadFile(f.fileName(), field).message, FileTooLargeMessage());
}
