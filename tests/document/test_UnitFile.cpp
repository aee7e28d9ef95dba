// The worksheet container: escapes, text blocks, the writer's exact bytes,
// the reader's field groups and version rules, pictures, and round trips.
#include "document/UnitFile.h"
#include "platform/UnitProduct.h"
#include "support/WorksheetBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wsbytes;

namespace
{

QByteArray cp932(const char *utf8)
{
    return EncodeTextBlock({QString::fromUtf8(utf8)}).chopped(2);
}

RAData textRow(Integer id, const QString &text)
{
    RAData r;
    r.ID = id;
    r.Syu = QStringLiteral("1");
    r.Siki = text;
    r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    r.FontSize = 11;
    r.Layer = 1;
    return r;
}

// A worksheet that touches every kind of field value: negatives, a Byte at
// 255, strings with kanji, kana, commas and line breaks, an empty picture.
Document sampleDocument()
{
    Document doc;
    doc.Naiyou = QStringLiteral("たし算①②ﾃｽﾄ");
    doc.NenIndex = 2;
    doc.KyoukaIndex = 3;
    doc.AnswerColor = 0x00FF8000;
    doc.Paper.PaperSizeCode = QStringLiteral("11");
    doc.Paper.Orientation = QStringLiteral("2");
    doc.Paper.Width = QStringLiteral("297");
    doc.Paper.Height = QStringLiteral("420");
    doc.AData.append(textRow(0, QStringLiteral("A,B\r\nC 漢字 ｶﾅ ①")));
    RAData line;
    line.ID = 1;
    line.Syu = QStringLiteral("2");
    line.X1 = -40;
    line.Y1 = 7;
    line.ForeColor = -2147483633;
    line.LineSyu = 1;
    line.Layer = 1;
    doc.AData.append(line);
    RAData pic;
    pic.ID = 2;
    pic.Syu = QStringLiteral("4");
    pic.PicNo = 2;
    pic.Width = 16;
    pic.Height = 12;
    pic.Layer = 3;
    doc.AData.append(pic);
    RAData math;
    math.ID = 3;
    math.Syu = QStringLiteral("5");
    math.Siki = QStringLiteral("12.3+6.14+4");
    math.Kotae = QStringLiteral("22.44");
    math.Siki1 = 3;
    math.Rand = 255;
    math.RandX1 = QStringLiteral("1");
    math.BunsyoText = QStringLiteral("りんごが①こ、みかんが②こ");
    math.KihonJHY = 2;
    math.Layer = 1;
    math.KotaeMode = 1;
    doc.AData.append(math);
    RAData deleted;
    deleted.ID = 4;
    deleted.Syu = QStringLiteral("0");
    deleted.Layer = 1;
    doc.AData.append(deleted);
    QImage a(16, 12, QImage::Format_RGB32);
    a.fill(Qt::blue);
    QImage c(8, 6, QImage::Format_RGB32);
    c.fill(Qt::green);
    doc.BMData = {a, QImage(), c};
    return doc;
}

// The byte ranges outside the picture entries, which are re-encoded.
QByteArray withoutPictures(const QByteArray &file)
{
    auto rd = [&](qsizetype at) {
        const auto *p = reinterpret_cast<const unsigned char *>(file.constData() + at);
        return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                       uint32_t(p[3]) << 24);
    };
    qsizetype at = 0;
    at += 4 + rd(at); // header
    at += 4;          // pages
    at += 4 + rd(at); // objects
    const int32_t count = rd(at);
    const qsizetype picturesStart = at + 4;
    at = picturesStart;
    for (int i = 0; i < count; ++i)
        at += 4 + rd(at);
    return file.left(picturesStart) + file.mid(at);
}

} // namespace

TEST(UnitFile, EscapesOfObjectLines)
{
    EXPECT_EQ(HenkanFileData(QStringLiteral("A,B\r\nC")), QStringLiteral("A&h0044&B&h1310&C"));
    EXPECT_EQ(ReturnFileData(QStringLiteral("A&h0044&B&h1310&C")), QStringLiteral("A,B\r\nC"));
    // Escape texts typed by the user come back as what they stand for.
    EXPECT_EQ(ReturnFileData(QStringLiteral("x&h0044&y")), QStringLiteral("x,y"));
    EXPECT_EQ(ReturnFileData(QStringLiteral("x&h0013&y")), QStringLiteral("x\r\ny"));
    EXPECT_EQ(ReturnFileData(QStringLiteral("&h00&h0044&44&")), QStringLiteral("&h00,44&"));
    // A lone CR or LF cannot break the line: it is stored as a line break.
    EXPECT_EQ(HenkanFileData(QStringLiteral("a\nb\rc\r\nd")),
              QStringLiteral("a&h1310&b&h1310&c&h1310&d"));
    EXPECT_EQ(HenkanFileData(QStringLiteral("漢字ｶﾅ")), QStringLiteral("漢字ｶﾅ"));
}

TEST(UnitFile, TextBlocksInCodePage932)
{
    const QByteArray bytes =
        EncodeTextBlock({QStringLiteral("①②"), QStringLiteral("漢ｶ,"), QString()});
    EXPECT_EQ(bytes, QByteArray("\x87\x40\x87\x41\r\n\x8a\xbf\xb6,\r\n\r\n"));
    EXPECT_EQ(DecodeTextBlock(bytes),
              (QStringList{QStringLiteral("①②"), QStringLiteral("漢ｶ,"), QString()}));
    // Lines end at CR LF, lone CR and lone LF; a final break adds no line.
    EXPECT_EQ(DecodeTextBlock("a\rb\nc\r\nd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(DecodeTextBlock("a\r\n\r\n"), (QStringList{"a", ""}));
    EXPECT_TRUE(DecodeTextBlock("").isEmpty());
    // A byte-order mark switches the block's encoding.
    EXPECT_EQ(DecodeTextBlock("\xEF\xBB\xBF\xE2\x91\xA0\r\nx"),
              (QStringList{QStringLiteral("①"), "x"}));
    EXPECT_EQ(DecodeTextBlock(QByteArray("\xFF\xFE\x60\x24\r\0\n\0y\0", 10)),
              (QStringList{QStringLiteral("①"), "y"}));
    EXPECT_EQ(DecodeTextBlock(QByteArray("\xFE\xFF\x24\x60", 4)), QStringList{QStringLiteral("①")});
    // Characters outside the code page become "?", as Windows writes them;
    // the IBM extension kanji at FB FC stays.
    EXPECT_EQ(EncodeTextBlock({QStringLiteral("a😀b¬髙")}), QByteArray("a?b?\xFB\xFC\r\n"));
}

TEST(UnitFile, WriterBytesOfASmallWorksheet)
{
    Document doc;
    doc.Naiyou = QStringLiteral("①");
    doc.NenIndex = 2;
    doc.KyoukaIndex = 3;
    doc.AnswerColor = 255;
    RAData r = textRow(7, QStringLiteral("A,B\r\nC"));
    r.X1 = -3;
    r.Rand = 200;
    doc.AData.append(r);
    RAData unnamed; // no kind: never written
    doc.AData.append(unnamed);
    RAData zero;
    zero.Syu = QStringLiteral("0");
    doc.AData.append(zero);

    QList<QByteArray> first{"7", "1", "0", "-3",
                            "0", "0", "0", "A&h0044&B&h1310&C",
                            "",  "",  "",  cp932("ＭＳ Ｐゴシック"),
                            "11"};
    for (int i = 13; i < 28; ++i)
        first.append("0");
    first.append("1"); // Layer
    first.append("0");
    first.append(""); // SikiSyo
    first += {"0", "0", "0", "0", "200"};
    Container c;
    c.header = {"Tavenor,Print Header", "0.6", "\x87\x40", "2", "3"};
    QByteArray firstLine;
    for (int f = 0; f < 75; ++f) {
        const FieldDef &d = RADataFields()[f];
        firstLine +=
            (f < first.size() ? first[f] : QByteArray(d.type == FieldType::Str ? "" : "0")) + ",";
    }
    // Strings of a zero row are empty, numbers 0; the kind "0" is kept.
    QByteArray zeroLine;
    for (int f = 0; f < 75; ++f)
        zeroLine += QByteArray(f == 1                                     ? "0"
                               : RADataFields()[f].type == FieldType::Str ? ""
                                                                          : "0") +
                    ",";
    c.objects = {firstLine, zeroLine};
    c.pages = 2;
    EXPECT_EQ(BuildFileBytes(doc, LayerWorksheet, 2), c.bytes());
    EXPECT_EQ(firstLine.count(','), 75);
    EXPECT_TRUE(firstLine.endsWith(','));
}

TEST(UnitFile, RoundTripKeepsEveryFieldAndTheBytes)
{
    const Document doc = sampleDocument();
    const QByteArray first = BuildFileBytes(doc, LayerWorksheet);
    Document read;
    const FileResult r = ParseFileAll(first, read);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.storedPages, 1);
    ASSERT_EQ(read.AData.size(), doc.AData.size());
    for (int i = 0; i < doc.AData.size(); ++i) {
        RAData expected = doc.AData[i];
        if (expected.Layer == 0)
            expected.Layer = 1; // opened files have no layer 0
        EXPECT_EQ(read.AData[i], expected) << "row " << i;
    }
    EXPECT_EQ(read.Naiyou, doc.Naiyou);
    EXPECT_EQ(read.NenIndex, 2);
    EXPECT_EQ(read.KyoukaIndex, 3);
    EXPECT_EQ(read.AnswerColor, doc.AnswerColor);
    EXPECT_EQ(read.Software, QStringLiteral("Tavenor,Print Header"));
    EXPECT_EQ(read.Version, QStringLiteral("0.6"));
    EXPECT_EQ(read.Paper.PrinterName, QStringLiteral("---"));
    EXPECT_EQ(read.Paper.PaperSizeCode, QStringLiteral("11"));
    EXPECT_EQ(read.Paper.Orientation, QStringLiteral("2"));
    EXPECT_EQ(read.Paper.Width, QStringLiteral("297"));
    EXPECT_EQ(read.Paper.Height, QStringLiteral("420"));
    ASSERT_EQ(read.BMData.size(), 3);
    EXPECT_EQ(read.BMData[0].size(), QSize(16, 12));
    EXPECT_TRUE(read.BMData[1].isNull());
    EXPECT_EQ(read.BMData[2].size(), QSize(8, 6));
    // JPEG keeps a flat colour close to what it was.
    EXPECT_LT(qAbs(qBlue(read.BMData[0].pixel(5, 5)) - 255), 8);

    const QByteArray second = BuildFileBytes(read, LayerWorksheet);
    EXPECT_EQ(withoutPictures(second), withoutPictures(first));
}

namespace
{
// An object line of `count` fields, each followed by ",", with some set.
QByteArray lineWith(int count, const QMap<int, QByteArray> &set)
{
    QList<QByteArray> pieces;
    for (int f = 0; f < count; ++f)
        pieces.append(set.value(f, RADataFields()[f].type == FieldType::Str ? "" : "1"));
    return objectLine(pieces, count);
}
} // namespace

TEST(UnitFile, ReaderFieldGroups)
{
    // A group is read only when the line holds all of its fields.
    Container c;
    c.objects = {
        lineWith(34, {{1, "1"}}),                                          // too short: skipped
        "1,1,0,5,0,0,0,,,,,,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,,0,0,0,0", // 35 pieces, no final
                                                                           // comma
        lineWith(35, {{1, "3"}, {3, "6"}}),                                // ID .. AmariSyo
        lineWith(49, {{1, "5"}}),                                          // Rand group incomplete
        lineWith(50, {{1, "5"}, {36, "r"}}),                               // Rand .. RandAmari
        lineWith(60, {{1, "5"}}),
        lineWith(61, {{1, "5"}, {50, "b1"}}), // BunsyoR1 .. BunsyoTani
        lineWith(70, {{1, "5"}}),
        lineWith(71, {{1, "5"}}), // BunsuKabunsu .. RandBunsuBunboY
        lineWith(72, {{1, "5"}}),
        lineWith(73, {{1, "5"}}), // RandBunsuXYaku, RandBunsuYYaku
        lineWith(74, {{1, "5"}}),
        lineWith(75, {{1, "5"}}), // KihonJHX, KihonJHY
        "no commas at all",
    };
    Document doc;
    ASSERT_TRUE(ParseFileAll(c.bytes(), doc).ok);
    ASSERT_EQ(doc.AData.size(), 11);
    const RAData &g1 = doc.AData[0];
    EXPECT_EQ(g1.Syu, QStringLiteral("3"));
    EXPECT_EQ(g1.X1, 6);
    EXPECT_EQ(g1.AmariSyo, 1);
    EXPECT_EQ(g1.Rand, 0);
    EXPECT_EQ(doc.AData[1].Rand, 0);
    EXPECT_EQ(doc.AData[2].Rand, 1);
    EXPECT_EQ(doc.AData[2].RandX1, QStringLiteral("r"));
    EXPECT_EQ(doc.AData[2].RandAmari, 1);
    EXPECT_TRUE(doc.AData[2].BunsyoR1.isEmpty());
    EXPECT_EQ(doc.AData[3].BunsyoR, 0);
    EXPECT_EQ(doc.AData[4].BunsyoR1, QStringLiteral("b1"));
    EXPECT_EQ(doc.AData[4].BunsyoTani, 1);
    EXPECT_EQ(doc.AData[4].BunsuKabunsu, 0);
    EXPECT_EQ(doc.AData[5].BunsuKabunsu, 0);
    EXPECT_EQ(doc.AData[6].BunsuKabunsu, 1);
    EXPECT_EQ(doc.AData[6].RandBunsuBunboY, 1);
    EXPECT_EQ(doc.AData[7].RandBunsuXYaku, 0);
    EXPECT_EQ(doc.AData[8].RandBunsuYYaku, 1);
    EXPECT_EQ(doc.AData[9].KihonJHX, 0);
    EXPECT_EQ(doc.AData[10].KihonJHX, 1);
    EXPECT_EQ(doc.AData[10].KihonJHY, 1);
}

TEST(UnitFile, ReaderNumbersIdsAndLayers)
{
    Container c;
    c.objects = {
        lineWith(75, {{0, "5"},
                      {1, "1"},
                      {3, "-5"},
                      {4, "4294967297"},
                      {5, "abc"},
                      {6, "-abc"},
                      {18, "-2147483633"},
                      {19, "99999999999999999999999"},
                      {28, "0"},
                      {35, "300"},
                      {42, "-1"},
                      {7, "x&h0044&y&h0013&z"}}),
        lineWith(75, {{0, "9"}, {1, "2"}, {28, "3"}, {16, "2"}}),
        lineWith(75, {{0, "12"}, {1, "0"}, {28, "1"}, {12, ""}}),
    };
    Document doc;
    ASSERT_TRUE(ParseFileAll(c.bytes(), doc).ok);
    ASSERT_EQ(doc.AData.size(), 3);
    const RAData &r = doc.AData[0];
    EXPECT_EQ(r.X1, -5);
    EXPECT_EQ(r.Y1, 1); // 2^32 + 1 cut to 32 bits
    EXPECT_EQ(r.X2, 0);
    EXPECT_EQ(r.Y2, 0);
    EXPECT_EQ(r.ForeColor, -2147483633);
    EXPECT_EQ(r.BackColor, 0);
    EXPECT_EQ(r.Rand, 44);       // 300 keeps its low 8 bits
    EXPECT_EQ(r.RandKigou, 255); // -1 likewise
    EXPECT_EQ(r.Siki, QStringLiteral("x,y\r\nz"));
    // IDs become row indexes; layer 0 becomes 1; the "0" row is kept.
    EXPECT_EQ(doc.AData[0].ID, 0);
    EXPECT_EQ(doc.AData[1].ID, 1);
    EXPECT_EQ(doc.AData[2].ID, 2);
    EXPECT_EQ(doc.AData[0].Layer, 1);
    EXPECT_EQ(doc.AData[1].Layer, 3);
    EXPECT_EQ(doc.AData[2].Syu, QStringLiteral("0"));
    EXPECT_EQ(doc.AData[2].FontSize, 0);
    EXPECT_EQ(doc.GetId(), 3);
    // A version 0.6 file keeps a Siki1 of 2.
    EXPECT_EQ(doc.AData[1].Siki1, 2);
}

TEST(UnitFile, VersionRules)
{
    auto readVersion = [](const QByteArray &version, bool withPrinter, Document &doc) {
        Container c;
        c.header = {"Tavenor,Print Header", version, "", "0", "0"};
        c.objects = {lineWith(75, {{1, "5"}, {16, "2"}})};
        if (!withPrinter)
            c.printer.reset();
        return ParseFileAll(c.bytes(), doc);
    };
    Document v01;
    ASSERT_TRUE(readVersion("0.1", false, v01).ok);
    EXPECT_EQ(v01.AData[0].Siki1, 3);
    EXPECT_EQ(v01.Paper.PaperSizeCode, QStringLiteral("9"));
    EXPECT_EQ(v01.Paper.Orientation, QStringLiteral("1"));
    EXPECT_EQ(v01.Paper.Width, QStringLiteral("210"));
    EXPECT_EQ(v01.Paper.Height, QStringLiteral("297"));
    Document v04;
    ASSERT_TRUE(readVersion("0.4", true, v04).ok);
    EXPECT_EQ(v04.AData[0].Siki1, 3);
    Document v05;
    ASSERT_TRUE(readVersion("0.5", true, v05).ok);
    EXPECT_EQ(v05.AData[0].Siki1, 2);
    Document v060;
    ASSERT_TRUE(readVersion("0.60", true, v060).ok);
    EXPECT_EQ(v060.Version, QStringLiteral("0.60"));
    Document empty;
    ASSERT_TRUE(readVersion("", true, empty).ok);
    EXPECT_EQ(empty.AData[0].Siki1, 3); // counts as version 0
    Document text;
    ASSERT_TRUE(readVersion("abc", true, text).ok);

    Document untouched = sampleDocument();
    const FileResult r = readVersion("0.7", true, untouched);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(
        r.message,
        QStringLiteral(
            "このファイルは、\r\nTavenor プリント Ver0.6\r\nでは、読み込むことができません。"));
    EXPECT_EQ(untouched.AData, sampleDocument().AData);
    EXPECT_EQ(untouched.Naiyou, sampleDocument().Naiyou);
    Document huge;
    EXPECT_EQ(readVersion("99999999999999999999.5", true, huge).message, VersionTooNewMessage());
    // A 0.6 file must carry its printer block.
    Document noPrinter;
    EXPECT_EQ(readVersion("0.6", false, noPrinter).message, CorruptFileMessage());
}

TEST(UnitFile, HeaderLinesAndPrinterBlock)
{
    Container c;
    c.header = {"Only one line"};
    c.printer = QList<QByteArray>{"Tavenor Print,PrinterSetting", "0.6", "My Printer", "8", "2"};
    Document doc;
    ASSERT_TRUE(ParseFileAll(c.bytes(), doc).ok);
    EXPECT_TRUE(doc.Software.isEmpty());
    EXPECT_TRUE(doc.Version.isEmpty());
    EXPECT_TRUE(doc.Naiyou.isEmpty());
    EXPECT_EQ(doc.Paper.PrinterName, QStringLiteral("My Printer"));
    EXPECT_EQ(doc.Paper.PaperSizeCode, QStringLiteral("8"));
    EXPECT_EQ(doc.Paper.Orientation, QStringLiteral("2"));
    EXPECT_EQ(doc.Paper.Width, QStringLiteral("210")); // missing lines keep the default paper
    c.header = {"S", "0.6", "\x87\x40\x8a\xbf,\xb6", "x", "13"};
    ASSERT_TRUE(ParseFileAll(c.bytes(), doc).ok);
    EXPECT_EQ(doc.Software, QStringLiteral("S"));
    EXPECT_EQ(doc.Naiyou, QStringLiteral("①漢,ｶ"));
    EXPECT_EQ(doc.NenIndex, 0);
    EXPECT_EQ(doc.KyoukaIndex, 13);

    QStringList list;
    ASSERT_TRUE(ParseFileHeaderList(c.bytes(), list).ok);
    const HeaderInfo info = LoadHerderList(list);
    EXPECT_EQ(info.software, QStringLiteral("S"));
    EXPECT_EQ(info.version, QStringLiteral("0.6"));
    EXPECT_EQ(info.content, QStringLiteral("①漢,ｶ"));
    EXPECT_EQ(info.subject, 13);
    const HeaderInfo shortInfo = LoadHerderList({QStringLiteral("S")});
    EXPECT_TRUE(shortInfo.software.isEmpty());
    EXPECT_EQ(shortInfo.grade, 0);
}

TEST(UnitFile, PictureEntries)
{
    Container c;
    c.pictures = {jpeg(4, 3, qRgb(255, 0, 0)), QByteArray(), QByteArray("not a jpeg"),
                  jpeg(5, 2, qRgb(0, 0, 255))};
    Document doc;
    ASSERT_TRUE(ParseFileAll(c.bytes(), doc).ok);
    ASSERT_EQ(doc.BMData.size(), 4);
    EXPECT_EQ(doc.BMData[0].size(), QSize(4, 3));
    EXPECT_TRUE(doc.BMData[1].isNull()); // empty entry keeps its index
    EXPECT_TRUE(doc.BMData[2].isNull()); // bytes that do not decode
    EXPECT_EQ(doc.BMData[3].size(), QSize(5, 2));
    // Empty pictures are written as length 0.
    const QByteArray again = BuildFileBytes(doc, LayerWorksheet);
    Document back;
    ASSERT_TRUE(ParseFileAll(again, back).ok);
    EXPECT_TRUE(back.BMData[1].isNull());
    EXPECT_TRUE(back.BMData[2].isNull());
    EXPECT_EQ(back.BMData[3].size(), QSize(5, 2));
    // A small JPEG that claims 60000 x 60000 pixels is not decoded into
    // gigabytes: it reads as an empty picture.
    QByteArray huge = jpeg(4, 3, qRgb(1, 2, 3));
    const qsizetype sof = huge.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0xEA);
    huge[sof + 6] = char(0x60);
    huge[sof + 7] = char(0xEA);
    huge[sof + 8] = char(0x60);
    Container hc;
    hc.pictures = {huge, jpeg(2, 2, qRgb(0, 0, 0))};
    ASSERT_TRUE(ParseFileAll(hc.bytes(), back).ok);
    EXPECT_TRUE(back.BMData[0].isNull());
    EXPECT_EQ(back.BMData[1].size(), QSize(2, 2));
    // A transparent picture is stored on white.
    QImage clear(3, 3, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    doc.BMData = {clear};
    ASSERT_TRUE(ParseFileAll(BuildFileBytes(doc, LayerWorksheet), back).ok);
    EXPECT_GT(qRed(back.BMData[0].pixel(1, 1)), 240);
}

TEST(UnitFile, BadLengthsAreRefusedAndChangeNothing)
{
    const Document original = sampleDocument();
    auto refused = [&](const QByteArray &bytes) {
        Document doc = sampleDocument();
        const FileResult r = ParseFileAll(bytes, doc);
        return !r.ok && r.message == CorruptFileMessage() && doc.AData == original.AData &&
               doc.BMData.size() == original.BMData.size() && doc.Naiyou == original.Naiyou;
    };
    EXPECT_TRUE(refused(le32(0)));
    EXPECT_TRUE(refused(le32(-1) + "abc"));
    EXPECT_TRUE(refused(le32(10000001) + QByteArray(64, 'x')));
    EXPECT_TRUE(refused(le32(100) + "short"));
    EXPECT_TRUE(refused(QByteArray("\x01\x00", 2)));
    EXPECT_TRUE(refused(QByteArray()));

    Container c;
    c.objects = {lineWith(75, {{1, "1"}})};
    const QByteArray good = c.bytes();
    const QByteArray head = withLength(lines(c.header)) + le32(1);
    EXPECT_TRUE(refused(head + le32(-4)));
    EXPECT_TRUE(refused(head + le32(0x7FFFFFFF) + "x"));
    const QByteArray objects = head + withLength(lines({"Tavenor,Print AData", "0.6"}));
    EXPECT_TRUE(refused(objects + le32(-1)));
    EXPECT_TRUE(refused(objects + le32(0x40000000) + le32(0)));
    EXPECT_TRUE(refused(objects + le32(1) + le32(-7)));
    EXPECT_TRUE(refused(objects + le32(1) + le32(50) + "abc"));
    EXPECT_TRUE(refused(objects + le32(0) + le32(255) + le32(-1)));
    EXPECT_TRUE(refused(objects + le32(0) + le32(255) + le32(1000) + "abc"));
    // Every shorter prefix of a sound file is refused the same way.
    for (qsizetype n = 0; n < good.size(); ++n)
        ASSERT_TRUE(refused(good.left(n))) << "length " << n;
    Document doc;
    EXPECT_TRUE(ParseFileAll(good, doc).ok);
}

TEST(UnitFile, BitFlipsNeverBreakTheReader)
{
    Container c;
    c.objects = {lineWith(75, {{1, "1"}, {7, "\x87\x40,x"}}), lineWith(40, {{1, "2"}})};
    c.pictures = {jpeg(6, 4, qRgb(10, 200, 30)), QByteArray()};
    const QByteArray good = c.bytes();
    const Document original = sampleDocument();
    uint32_t seed = 12345;
    auto rnd = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int refusedCount = 0;
    // The JPEG decoder's complaints about broken pictures are expected here.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes = good;
        const int flips = 1 + int(rnd() % 3);
        for (int k = 0; k < flips; ++k)
            bytes[qsizetype(rnd() % bytes.size())] ^= char(1u << (rnd() % 8));
        Document doc = sampleDocument();
        const FileResult r = ParseFileAll(bytes, doc);
        if (!r.ok) {
            ++refusedCount;
            ASSERT_FALSE(r.message.isEmpty());
            ASSERT_EQ(doc.AData, original.AData);
            ASSERT_EQ(doc.BMData.size(), original.BMData.size());
        } else {
            for (int row = 0; row < doc.AData.size(); ++row)
                ASSERT_EQ(doc.AData[row].ID, row);
        }
        NameFieldFile nf;
        ParseFile(bytes, nf);
        QStringList list;
        ParseFileHeaderList(bytes, list);
    }
    qInstallMessageHandler(previous);
    EXPECT_GT(refusedCount, 0);
}

TEST(UnitFile, SaveIsAtomic)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.prx"));
    const Document doc = sampleDocument();
    ASSERT_TRUE(SaveFileAll(path, doc, LayerWorksheet).ok);
    Document read;
    ASSERT_TRUE(LoadFileAll(path, read).ok);
    EXPECT_EQ(read.AData.size(), doc.AData.size());

    // A parent that is a regular file, and a folder in the file's place.
    const FileResult underFile = SaveFileAll(path + QStringLiteral("/b.prx"), doc, LayerWorksheet);
    EXPECT_FALSE(underFile.ok);
    EXPECT_FALSE(underFile.message.isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("c.prx")));
    EXPECT_FALSE(SaveFileAll(dir.filePath(QStringLiteral("c.prx")), doc, LayerWorksheet).ok);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("c.prx"))).isDir());
    const FileResult missing = LoadFileAll(dir.filePath(QStringLiteral("none.prx")), read);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.message.isEmpty());
}
