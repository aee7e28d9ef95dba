// The name-field file: what the writer keeps, how the import numbers rows
// and pictures, and that a broken file leaves the worksheet alone.
#include "document/UnitFile.h"
#include "support/WorksheetBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wsbytes;

namespace
{

QImage picture(int w, int h, Qt::GlobalColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

RAData row(const char *syu, Integer layer, Integer picNo = 0)
{
    RAData r;
    r.Syu = QString::fromLatin1(syu);
    r.Layer = layer;
    r.PicNo = picNo;
    return r;
}

// A worksheet with sheet rows and a name field of a text, a box and two
// pictures whose pictures sit at indexes 3 and 1 of BMData.
Document worksheetWithNameField()
{
    Document doc;
    for (int i = 0; i < 4; ++i)
        doc.BMData.append(picture(10 + i, 5, Qt::red));
    RAData a = row("1", 1);
    a.ID = 1;
    a.Siki = QStringLiteral("本文");
    RAData name = row("1", 3);
    name.ID = 2;
    name.Siki = QStringLiteral("なまえ,①");
    RAData p1 = row("4", 3, 3);
    p1.ID = 3;
    RAData sheetPic = row("4", 1, 0);
    sheetPic.ID = 4;
    RAData button = row("b", 3, 1);
    button.ID = 5;
    RAData box = row("3", 3);
    box.ID = 6;
    box.PicNo = 7; // not a picture kind: written as it is
    doc.AData = {a, name, p1, sheetPic, button, box};
    return doc;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

TEST(UnitFileNameField, WriterKeepsTheNameLayerAndCopiesItsPictures)
{
    const Document doc = worksheetWithNameField();
    const QByteArray bytes = BuildFileBytes(doc, LayerNameField);
    NameFieldFile file;
    ASSERT_TRUE(ParseFile(bytes, file).ok);
    ASSERT_EQ(file.objectLines.size(), 2 + 4);
    EXPECT_EQ(file.objectLines[0], QStringLiteral("Tavenor,Print AData"));
    // PicNo of the picture rows is their position among the file's pictures.
    EXPECT_TRUE(file.objectLines[3].startsWith(QStringLiteral("3,4,0,0,0,0,0,,,,,,0,0,")));
    EXPECT_TRUE(file.objectLines[4].startsWith(QStringLiteral("5,b,0,0,0,0,0,,,,,,0,1,")));
    EXPECT_TRUE(file.objectLines[5].startsWith(QStringLiteral("6,3,0,0,0,0,0,,,,,,0,7,")));
    ASSERT_EQ(file.pictures.size(), 2);
    EXPECT_EQ(file.pictures[0].width(), 13);
    EXPECT_EQ(file.pictures[1].width(), 11);
    // Nothing follows the pictures: no answer colour, no printer block.
    Container c;
    c.header = {"Tavenor,Print Header", "0.6", "", "0", "0"};
    c.colour.reset();
    c.printer.reset();
    const QByteArray head = c.bytes().left(4 + lines(c.header).size() + 4);
    EXPECT_TRUE(bytes.startsWith(head));
    qsizetype expectedEnd = head.size();
    expectedEnd += 4 + EncodeTextBlock(file.objectLines).size();
    expectedEnd += 4;
    // The sizes of the two JPEG entries follow from the file itself.
    qsizetype at = expectedEnd;
    for (int i = 0; i < 2; ++i) {
        const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData() + at);
        at += 4 + qsizetype(p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24);
    }
    EXPECT_EQ(at, bytes.size());
}

TEST(UnitFileNameField, ImportIntoAWorksheetWithFourPictures)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("n.prn"));
    // A text and two pictures, written by hand; PicNo columns hold 9 and 8
    // and are not read.
    Container c;
    c.colour.reset();
    c.printer.reset();
    c.objects = {objectLine({"40", "4", "0", "10", "20", "", "", "", "", "", "", "", "", "9"}, 75),
                 objectLine({"41", "1", "0", "1", "2", "", "", "a&h0013&b&h0044&c", "", "", "",
                             "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e", "11", "5"},
                            75),
                 objectLine({"42", "4", "0", "3", "4", "", "", "", "", "", "", "", "", "8"}, 31),
                 objectLine({"43", "1"}, 30),  // 31 pieces: imported
                 objectLine({"44", "4"}, 29)}; // 30 pieces: ignored
    c.pictures = {jpeg(7, 3, qRgb(0, 255, 0)), jpeg(9, 2, qRgb(0, 0, 255))};
    ASSERT_TRUE(writeFile(path, c.bytes()));

    Document doc;
    for (int i = 0; i < 4; ++i)
        doc.BMData.append(picture(2, 2, Qt::black));
    doc.AData = {row("1", 1), row("1", 3), row("4", 3, 2)};
    doc.AData[0].ID = 10;
    doc.AData[1].ID = 11;
    doc.AData[2].ID = 12;

    ASSERT_TRUE(LoadNameField(path, doc).ok);
    ASSERT_EQ(doc.BMData.size(), 6);
    EXPECT_EQ(doc.BMData[4].size(), QSize(7, 3));
    EXPECT_EQ(doc.BMData[5].size(), QSize(9, 2));
    // The old name-field rows are gone; the sheet row stays first.
    ASSERT_EQ(doc.AData.size(), 1 + 4);
    EXPECT_EQ(doc.AData[0].ID, 10);
    EXPECT_EQ(doc.AData[1].Syu, QStringLiteral("4"));
    EXPECT_EQ(doc.AData[1].PicNo, 4);
    EXPECT_EQ(doc.AData[1].ID, 11);
    EXPECT_EQ(doc.AData[1].X1, 10);
    EXPECT_EQ(doc.AData[2].Siki, QStringLiteral("a\r\nb,c"));
    EXPECT_EQ(doc.AData[2].FontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(doc.AData[2].PicNo, 0);
    EXPECT_EQ(doc.AData[2].ID, 12);
    EXPECT_EQ(doc.AData[3].PicNo, 5);
    EXPECT_EQ(doc.AData[3].X1, 3);
    EXPECT_EQ(doc.AData[4].Syu, QStringLiteral("1"));
    EXPECT_EQ(doc.AData[4].ID, 14);
}

TEST(UnitFileNameField, SavedNameFieldLoadsTwiceWithoutDuplicates)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.prn"));
    Document source = worksheetWithNameField();
    ASSERT_TRUE(SaveFileAll(path, source, LayerNameField).ok);

    Document target;
    target.AData = {row("2", 1)};
    target.AData[0].ID = 1;
    target.BMData = {picture(4, 4, Qt::white)};
    ASSERT_TRUE(LoadNameField(path, target).ok);
    ASSERT_TRUE(LoadNameField(path, target).ok);
    int nameRows = 0;
    for (const RAData &r : target.AData)
        nameRows += r.Layer == LayerNameField;
    EXPECT_EQ(nameRows, 4);
    ASSERT_EQ(target.AData.size(), 5);
    EXPECT_EQ(target.AData[1].Siki, QStringLiteral("なまえ,①"));
    // The second load's pictures follow those of the first.
    EXPECT_EQ(target.BMData.size(), 1 + 2 + 2);
    EXPECT_EQ(target.AData[2].PicNo, 3);
    EXPECT_EQ(target.AData[3].PicNo, 4);
    EXPECT_EQ(target.BMData[3].width(), 13);
    EXPECT_EQ(target.BMData[4].width(), 11);
}

TEST(UnitFileNameField, BrokenOrMissingFileKeepsTheNameField)
{
    QTemporaryDir dir;
    const Document original = worksheetWithNameField();
    const QString path = dir.filePath(QStringLiteral("bad.prn"));
    const QByteArray good = BuildFileBytes(original, LayerNameField);
    for (const QByteArray &bytes :
         {le32(0), le32(20000000) + good, good.left(good.size() - 3), good.left(40)}) {
        ASSERT_TRUE(writeFile(path, bytes));
        Document doc = worksheetWithNameField();
        const FileResult r = LoadNameField(path, doc);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, CorruptFileMessage());
        EXPECT_EQ(doc.AData, original.AData);
        EXPECT_EQ(doc.BMData.size(), original.BMData.size());
    }
    Document doc = worksheetWithNameField();
    EXPECT_FALSE(LoadNameField(dir.filePath(QStringLiteral("none.prn")), doc).ok);
    EXPECT_EQ(doc.AData, original.AData);
    // A picture row whose PicNo points nowhere is saved with an empty picture.
    Document odd;
    odd.AData = {row("4", 3, 99)};
    NameFieldFile file;
    ASSERT_TRUE(ParseFile(BuildFileBytes(odd, LayerNameField), file).ok);
    ASSERT_EQ(file.pictures.size(), 1);
    EXPECT_TRUE(file.pictures[0].isNull());
}

TEST(UnitFileNameField, HeaderOnlyRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("h.prx"));
    Document doc;
    doc.Naiyou = QStringLiteral("かけ算");
    doc.NenIndex = 3;
    doc.KyoukaIndex = 3;
    ASSERT_TRUE(SaveFileAll(path, doc, LayerWorksheet).ok);
    QStringList list;
    ASSERT_TRUE(LoadFileHeaderList(path, list).ok);
    EXPECT_EQ(list,
              (QStringList{QStringLiteral("Tavenor,Print Header"), QStringLiteral("0.6"),
                           QStringLiteral("かけ算"), QStringLiteral("3"), QStringLiteral("3")}));
    // Only the header is needed: a file cut after it still lists.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    f.close();
    ASSERT_TRUE(writeFile(path, all.left(4 + 40)));
    QStringList cut;
    EXPECT_FALSE(LoadFileHeaderList(path, cut).ok);
    const qsizetype headerEnd = 4 + EncodeTextBlock(list).size();
    ASSERT_TRUE(writeFile(path, all.left(headerEnd)));
    EXPECT_TRUE(LoadFileHeaderList(path, cut).ok);
    ASSERT_TRUE(writeFile(path, le32(-3) + all));
    QStringList bad{QStringLiteral("kept")};
    const FileResult r = LoadFileHeaderList(path, bad);
    EXPECT_EQ(r.message, CorruptFileMessage());
    EXPECT_EQ(bad, QStringList{QStringLiteral("kept")});
}
