#include "document/UnitFile.h"

#include "platform/UnitNumText.h"
#include "platform/UnitProduct.h"
#include "platform/UnitRegularFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>
#include <limits>

namespace
{

const char *const kCodePage = "windows-31j";
const QString kHeaderName = QStringLiteral("Tavenor,Print Header");
const QString kObjectName = QStringLiteral("Tavenor,Print AData");
const QString kPrinterName = QStringLiteral("Tavenor Print,PrinterSetting");
const QString kFileVersion = QStringLiteral("0.6");
constexpr int kJpegQuality = 90;
// A decoded picture may not take more than this (in MB); a small JPEG can
// claim huge dimensions, and the decoder would allocate them. The fuzz
// build lowers it, so that its runs are not spent filling huge pictures.
#ifdef TAVENOR_PICTURE_LIMIT_MB
constexpr int kPictureAllocationLimitMb = TAVENOR_PICTURE_LIMIT_MB;
#else
constexpr int kPictureAllocationLimitMb = 128;
#endif

int64_t safeInt64(const QString &text)
{
    return FileTextToInt64(text);
}

// A version as a number with four decimals; malformed text counts as 0, but
// a plain number too large to hold is certainly newer than this program.
int64_t versionNumber(const QString &text)
{
    try {
        return TextToFixed4(text);
    } catch (const NumTextError &) {
        return IsNumText(text) ? std::numeric_limits<int64_t>::max() : 0;
    }
}

Integer toInteger(int64_t v)
{
    return static_cast<Integer>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

void appendInt32(QByteArray &out, int32_t v)
{
    const uint32_t u = static_cast<uint32_t>(v);
    const char b[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF),
                       char((u >> 24) & 0xFF)};
    out.append(b, 4);
}

void appendBlock(QByteArray &out, const QByteArray &block)
{
    appendInt32(out, static_cast<int32_t>(block.size()));
    out.append(block);
}

// Reads the container front to back; every read is checked against the bytes
// that remain, so a bad length stops the read instead of running past the end.
class ByteReader
{
public:
    explicit ByteReader(const QByteArray &bytes) : mBytes(bytes) {}

    qsizetype remaining() const { return mBytes.size() - mPos; }

    bool int32(int32_t &v)
    {
        if (remaining() < 4)
            return false;
        const auto *p = reinterpret_cast<const unsigned char *>(mBytes.constData() + mPos);
        v = static_cast<int32_t>(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                                 (uint32_t(p[3]) << 24));
        mPos += 4;
        return true;
    }

    // A block of `length` bytes; false for a negative length or one that
    // runs past the end.
    bool block(int32_t length, QByteArray &out)
    {
        if (length < 0 || length > remaining())
            return false;
        out = mBytes.mid(mPos, length);
        mPos += length;
        return true;
    }

    // The position of a block without copying it.
    bool skip(int32_t length, qsizetype &start)
    {
        if (length < 0 || length > remaining())
            return false;
        start = mPos;
        mPos += length;
        return true;
    }

private:
    const QByteArray &mBytes;
    qsizetype mPos = 0;
};

FileResult corrupt()
{
    return FileResult{false, CorruptFileMessage(), 0, QString()};
}

// Reads H and the header block, checking H as the program always has.
bool readHeader(ByteReader &reader, QStringList &header)
{
    int32_t h = 0;
    if (!reader.int32(h) || h <= 0 || h > MaxHeaderLength)
        return false;
    QByteArray bytes;
    if (!reader.block(h, bytes))
        return false;
    header = DecodeTextBlock(bytes);
    return true;
}

QImage decodePicture(const QByteArray &bytes, bool &tooLarge)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAllocationLimit(kPictureAllocationLimitMb);
    // The size comes from the picture's header, before any pixel exists.
    if (!PictureSizeAllowed(reader.size())) {
        tooLarge = true;
        return QImage();
    }
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

bool encodePicture(const QImage &picture, QByteArray &out, QString &error)
{
    QImage image = picture;
    if (image.hasAlphaChannel()) {
        // JPEG has no transparency: flatten onto white paper.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter p(&flat);
        p.drawImage(0, 0, image);
        p.end();
        image = flat;
    }
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image)) {
        error = writer.errorString();
        return false;
    }
    return true;
}

// Reads the picture entries: P, then P times a length and its bytes. The
// entries are only located here; decoding waits until the rest of the file
// has proved sound.
bool readPictureEntries(ByteReader &reader, QVector<QPair<qsizetype, int32_t>> &entries)
{
    int32_t count = 0;
    if (!reader.int32(count) || count < 0 || count > reader.remaining() / 4)
        return false;
    entries.reserve(count);
    for (int32_t i = 0; i < count; ++i) {
        int32_t length = 0;
        qsizetype start = 0;
        if (!reader.int32(length) || !reader.skip(length, start))
            return false;
        entries.append({start, length});
    }
    return true;
}

QVector<QImage> decodePictures(const QByteArray &bytes,
                               const QVector<QPair<qsizetype, int32_t>> &entries, bool &tooLarge)
{
    QVector<QImage> pictures;
    pictures.reserve(entries.size());
    for (const auto &[start, length] : entries)
        pictures.append(length > 0 ? decodePicture(bytes.mid(start, length), tooLarge) : QImage());
    return pictures;
}

// Field groups of an object line: older versions wrote fewer columns, and a
// group is read only when the line holds all of it.
void readObjectLine(const QList<QStringView> &pieces, RAData &row)
{
    const int n = pieces.size() - 1;
    auto readRange = [&](int first, int last) {
        for (int f = first; f <= last; ++f)
            FieldFromFileText(row, f, pieces[f]);
    };
    readRange(0, 34);
    if (n > 49)
        readRange(35, 49);
    if (n > 60)
        readRange(50, 60);
    if (n > 70)
        readRange(61, 70);
    if (n > 72)
        readRange(71, 72);
    if (n > 74)
        readRange(73, 74);
}

void rebuildAData(Document &doc, const QStringList &lines, int64_t version)
{
    doc.AData.clear();
    for (int i = 2; i < lines.size(); ++i) {
        const QList<QStringView> pieces = SplitObjectLine(lines[i]);
        if (pieces.size() - 1 <= 34)
            continue;
        RAData row;
        readObjectLine(pieces, row);
        // Up to 0.4 a word problem was kind 2 of the expression tool.
        if (version <= 4000 && row.Siki1 == 2)
            row.Siki1 = 3;
        doc.AData.append(std::move(row));
    }
    for (int i = 0; i < doc.AData.size(); ++i) {
        doc.AData[i].ID = i;
        if (doc.AData[i].Layer == 0)
            doc.AData[i].Layer = 1;
    }
}

QString oneLine(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

QString readFaultMessage(FileReadFault fault, const QString &systemText)
{
    switch (fault) {
    case FileReadFault::None:
        return QString();
    case FileReadFault::NotRegular:
        return NotAFileMessage();
    case FileReadFault::TooLarge:
        return FileTooLargeMessage();
    case FileReadFault::CannotOpen:
    case FileReadFault::ReadError:
        break;
    }
    return systemText.isEmpty() ? CorruptFileMessage() : systemText;
}

bool readWholeFile(const QString &path, QByteArray &bytes, QString &error)
{
    QString systemText;
    const FileReadFault fault = ReadRegularFile(path, MaxWorksheetFileSize, bytes, &systemText);
    if (fault == FileReadFault::None)
        return true;
    error = readFaultMessage(fault, systemText);
    return false;
}

// What worksheets and name fields share after the header: the stored page
// count, the object block and the entries of the picture block.
struct FileBody {
    int32_t pages = 0;
    QByteArray objectBlock;
    QVector<QPair<qsizetype, int32_t>> pictureEntries;
};

bool readBody(ByteReader &reader, FileBody &body)
{
    int32_t objectLength = 0;
    return reader.int32(body.pages) && reader.int32(objectLength) &&
           reader.block(objectLength, body.objectBlock) &&
           readPictureEntries(reader, body.pictureEntries);
}

} // namespace

QString CorruptFileMessage()
{
    return QStringLiteral("ファイルが壊れています。読み込むことができません。");
}

QString NotAFileMessage()
{
    return QStringLiteral("通常のファイルではないため、読み込むことができません。");
}

QString FileTooLargeMessage()
{
    return QStringLiteral("ファイルが大きすぎるため、読み込むことができません。");
}

QString PictureTooLargeNotice()
{
    return QStringLiteral("大きすぎる画像があったため、その画像は空のまま読み込みました。");
}

bool PictureSizeAllowed(QSize size)
{
    // A header that tells no size is left to the decoder, whose allocation
    // limit still holds (and which then finds no picture).
    if (!size.isValid())
        return true;
    return qint64(size.width()) * size.height() <= MaxPicturePixels;
}

QString VersionTooNewMessage()
{
    return QStringLiteral("このファイルは、") + QStringLiteral("\r\n") + Product::DisplayName +
           QStringLiteral(" Ver") + kFileVersion + QStringLiteral("\r\n") +
           QStringLiteral("では、読み込むことができません。");
}

QByteArray EncodeTextBlock(const QStringList &lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    text.reserve(size);
    for (const QString &l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    QStringEncoder encoder(kCodePage);
    QByteArray bytes = encoder.encode(text);
    // The converter marks a character that code page 932 lacks with the
    // unassigned pair FC FC; Windows writes "?" for it, and so do we, so that
    // other readers of the file see a plain question mark.
    if (bytes.contains('\xFC')) {
        QByteArray out;
        out.reserve(bytes.size());
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
            if (lead && i + 1 < bytes.size()) {
                if (b == 0xFC && static_cast<unsigned char>(bytes[i + 1]) == 0xFC)
                    out.append('?');
                else
                    out.append(bytes.constData() + i, 2);
                ++i;
            } else {
                out.append(char(b));
            }
        }
        bytes = out;
    }
    return bytes;
}

QStringList DecodeTextBlock(const QByteArray &bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    } else if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        text = decoder.decode(QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        text = decoder.decode(QByteArrayView(bytes).sliced(2));
    } else {
        QStringDecoder decoder(kCodePage);
        text = decoder.decode(bytes);
    }
    QStringList lines;
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = p[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(QString(p + start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && p[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QString(p + start, n - start));
    return lines;
}

QString ObjectLine(const RAData &row)
{
    QString line;
    line.reserve(256);
    for (int f = 0; f < FieldCount; ++f) {
        line += FieldToFileText(row, f);
        line += QLatin1Char(',');
    }
    return line;
}

namespace
{

bool buildFileBytes(const Document &doc, int layer, Integer pageCount, QByteArray &out,
                    QString &error)
{
    out.clear();
    const QStringList header{kHeaderName, kFileVersion, oneLine(doc.Naiyou),
                             QString::number(doc.NenIndex), QString::number(doc.KyoukaIndex)};
    appendBlock(out, EncodeTextBlock(header));
    appendInt32(out, pageCount);

    const bool nameField = layer == LayerNameField;
    QStringList objects{kObjectName, kFileVersion};
    objects.reserve(doc.AData.size() + 2);
    QVector<QImage> nameFieldPictures;
    for (const RAData &row : doc.AData) {
        if (row.Syu.isEmpty())
            continue;
        if (!nameField) {
            objects.append(ObjectLine(row));
            continue;
        }
        if (row.Layer != LayerNameField)
            continue;
        if (row.Syu == QLatin1String("4") || row.Syu == QLatin1String("b")) {
            RAData copy = row;
            copy.PicNo = nameFieldPictures.size();
            nameFieldPictures.append(
                row.PicNo >= 0 && row.PicNo < doc.BMData.size() ? doc.BMData[row.PicNo] : QImage());
            objects.append(ObjectLine(copy));
        } else {
            objects.append(ObjectLine(row));
        }
    }
    appendBlock(out, EncodeTextBlock(objects));

    const QVector<QImage> &pictures = nameField ? nameFieldPictures : doc.BMData;
    appendInt32(out, static_cast<int32_t>(pictures.size()));
    for (const QImage &picture : pictures) {
        if (picture.isNull()) {
            appendInt32(out, 0);
            continue;
        }
        QByteArray jpeg;
        if (!encodePicture(picture, jpeg, error))
            return false;
        appendBlock(out, jpeg);
    }
    if (nameField)
        return true;

    appendInt32(out, doc.AnswerColor);
    const QStringList printer{kPrinterName,
                              kFileVersion,
                              QStringLiteral("---"),
                              oneLine(doc.Paper.PaperSizeCode),
                              oneLine(doc.Paper.Orientation),
                              oneLine(doc.Paper.Width),
                              oneLine(doc.Paper.Height)};
    appendBlock(out, EncodeTextBlock(printer));
    return true;
}

} // namespace

QByteArray BuildFileBytes(const Document &doc, int layer, Integer pageCount)
{
    QByteArray out;
    QString error;
    if (!buildFileBytes(doc, layer, pageCount, out, error))
        return QByteArray();
    return out;
}

FileResult SaveFileAll(const QString &path, const Document &doc, int layer, Integer pageCount)
{
    QByteArray bytes;
    QString error;
    if (!buildFileBytes(doc, layer, pageCount, bytes, error))
        return FileResult{false, error, 0, QString()};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileResult{false, file.errorString(), 0, QString()};
    if (file.write(bytes) != bytes.size()) {
        const QString message = file.errorString();
        file.cancelWriting();
        return FileResult{false, message, 0, QString()};
    }
    if (!file.commit())
        return FileResult{false, file.errorString(), 0, QString()};
    return FileResult{true, QString(), pageCount, QString()};
}

FileResult ParseFileAll(const QByteArray &bytes, Document &out)
{
    ByteReader reader(bytes);
    QStringList header;
    if (!readHeader(reader, header))
        return corrupt();

    Document doc;
    if (header.size() >= 2) {
        doc.Software = header[0];
        doc.Version = header[1];
    } else {
        doc.Software.clear();
        doc.Version.clear();
    }
    if (header.size() >= 5) {
        doc.Naiyou = header[2];
        doc.NenIndex = toInteger(safeInt64(header[3]));
        doc.KyoukaIndex = toInteger(safeInt64(header[4]));
    }
    const int64_t version = versionNumber(doc.Version);
    if (version > versionNumber(kFileVersion))
        return FileResult{false, VersionTooNewMessage(), 0, QString()};

    FileBody body;
    if (!readBody(reader, body))
        return corrupt();

    int32_t colour = 0;
    if (!reader.int32(colour))
        return corrupt();

    RPaperData paper; // the default paper: A4 portrait, code 9
    if (doc.Version != QLatin1String("0.1")) {
        int32_t printerLength = 0;
        QByteArray printerBlock;
        if (!reader.int32(printerLength) || !reader.block(printerLength, printerBlock))
            return corrupt();
        const QStringList lines = DecodeTextBlock(printerBlock);
        QString *values[5] = {&paper.PrinterName, &paper.PaperSizeCode, &paper.Orientation,
                              &paper.Width, &paper.Height};
        for (int i = 0; i < 5; ++i)
            if (lines.size() > i + 2)
                *values[i] = lines[i + 2];
    }

    rebuildAData(doc, DecodeTextBlock(body.objectBlock), version);
    bool tooLarge = false;
    doc.BMData = decodePictures(bytes, body.pictureEntries, tooLarge);
    doc.AnswerColor = colour;
    doc.Paper.PrinterName = paper.PrinterName;
    doc.Paper.PaperSizeCode = paper.PaperSizeCode;
    doc.Paper.Orientation = paper.Orientation;
    doc.Paper.Width = paper.Width;
    doc.Paper.Height = paper.Height;
    out = std::move(doc);
    return FileResult{true, QString(), body.pages, tooLarge ? PictureTooLargeNotice() : QString()};
}

FileResult LoadFileAll(const QString &path, Document &out)
{
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, error))
        return FileResult{false, error, 0, QString()};
    return ParseFileAll(bytes, out);
}

void TakeWorksheet(Document &target, Document &&loaded)
{
    target.AData = std::move(loaded.AData);
    target.BMData = std::move(loaded.BMData);
    target.Software = std::move(loaded.Software);
    target.Version = std::move(loaded.Version);
    target.Naiyou = std::move(loaded.Naiyou);
    target.NenIndex = loaded.NenIndex;
    target.KyoukaIndex = loaded.KyoukaIndex;
    target.AnswerColor = loaded.AnswerColor;
    target.Paper.PrinterName = std::move(loaded.Paper.PrinterName);
    target.Paper.PaperSizeCode = std::move(loaded.Paper.PaperSizeCode);
    target.Paper.Orientation = std::move(loaded.Paper.Orientation);
    target.Paper.Width = std::move(loaded.Paper.Width);
    target.Paper.Height = std::move(loaded.Paper.Height);
}

FileResult ParseFile(const QByteArray &bytes, NameFieldFile &out)
{
    ByteReader reader(bytes);
    QStringList header;
    FileBody body;
    if (!readHeader(reader, header) || !readBody(reader, body))
        return corrupt();
    out.objectLines = DecodeTextBlock(body.objectBlock);
    bool tooLarge = false;
    out.pictures = decodePictures(bytes, body.pictureEntries, tooLarge);
    return FileResult{true, QString(), body.pages, tooLarge ? PictureTooLargeNotice() : QString()};
}

FileResult LoadFile(const QString &path, NameFieldFile &out)
{
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, error))
        return FileResult{false, error, 0, QString()};
    return ParseFile(bytes, out);
}

void LoadData1(Document &doc, const QStringList &objectLines, int firstPicture)
{
    constexpr int picNoField = 13;
    int nextPicture = firstPicture;
    for (int i = 2; i < objectLines.size(); ++i) {
        QString line = objectLines[i];
        line.replace(QStringLiteral("&h0013&"), QStringLiteral("\r\n"));
        const QList<QStringView> pieces = SplitObjectLine(line);
        if (pieces.size() <= 30)
            continue;
        doc.AData.append(RAData{});
        RAData &row = doc.AData.last();
        row.ID = doc.GetId();
        const int last = std::min<int>(FieldCount, pieces.size());
        for (int f = 1; f < last; ++f)
            if (f != picNoField)
                FieldFromFileText(row, f, pieces[f]);
        if (row.Syu == QLatin1String("4") || row.Syu == QLatin1String("b"))
            row.PicNo = nextPicture++;
        else
            row.PicNo = 0;
    }
}

FileResult LoadNameField(const QString &path, Document &doc)
{
    NameFieldFile file;
    FileResult result = LoadFile(path, file);
    if (!result.ok)
        return result;
    PutNameField(doc, file);
    return result;
}

void PutNameField(Document &doc, const NameFieldFile &file)
{
    doc.AData.erase(std::remove_if(doc.AData.begin(), doc.AData.end(),
                                   [](const RAData &r) { return r.Layer == LayerNameField; }),
                    doc.AData.end());
    const int firstPicture = doc.BMData.size();
    doc.BMData.append(file.pictures);
    LoadData1(doc, file.objectLines, firstPicture);
}

FileResult ParseFileHeaderList(const QByteArray &bytes, QStringList &list)
{
    ByteReader reader(bytes);
    QStringList header;
    if (!readHeader(reader, header))
        return corrupt();
    list = header;
    return FileResult{true, QString(), 0, QString()};
}

FileResult LoadFileHeaderList(const QString &path, QStringList &list)
{
    RegularFile file(path);
    if (!file.isOpen())
        return FileResult{false, readFaultMessage(file.fault(), file.error()), 0, QString()};
    // Only the length and the header block are read, however large the file.
    QByteArray bytes;
    if (!file.read(4, bytes))
        return FileResult{false, readFaultMessage(FileReadFault::ReadError, file.error()), 0,
                          QString()};
    if (bytes.size() < 4)
        return corrupt();
    ByteReader lengthReader(bytes);
    int32_t h = 0;
    lengthReader.int32(h);
    if (h <= 0 || h > MaxHeaderLength || h > file.size() - 4)
        return corrupt();
    if (!file.read(h, bytes))
        return FileResult{false, readFaultMessage(FileReadFault::ReadError, file.error()), 0,
                          QString()};
    return ParseFileHeaderList(bytes, list);
}

HeaderInfo LoadHerderList(const QStringList &list)
{
    HeaderInfo info;
    if (list.size() >= 2) {
        info.software = list[0];
        info.version = list[1];
    }
    if (list.size() >= 5) {
        info.content = list[2];
        info.grade = toInteger(safeInt64(list[3]));
        info.subject = toInteger(safeInt64(list[4]));
    }
    return info;
}
