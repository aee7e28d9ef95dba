// The worksheet file (".prx") and the name-field file (".prn"): one binary
// container of length-prefixed text blocks in code page 932 and embedded
// JPEG pictures. The file commands, the navigator, the cloud download and the
// command-line tool read and write worksheets through this unit.
//
// It never shows a window: every reader returns a FileResult whose message
// is the text the caller shows. It never changes a document it was handed
// unless the whole file has been read without fault, so a refused or broken
// file leaves the open worksheet as it was. Every length in a file is checked
// against the bytes that remain, so no input can make it read past the end or
// allocate more than the file's size. Only regular files are read (links are
// followed; pipes and devices are refused without waiting on them), and no
// read takes more than the largest file the format allows.
#pragma once

#include "document/UnitData.h"
#include "document/UnitFileFields.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>

// The two layers a container can hold.
inline constexpr int LayerWorksheet = 0;
inline constexpr int LayerNameField = 3;

struct FileResult {
    bool ok = false;
    QString message;         // the text to show when not ok; empty: show nothing
    Integer storedPages = 0; // page count stored in the file (not applied)
    QString notice;          // read, but with something to tell (PictureTooLargeNotice)
};

// The largest worksheet or name-field file the reader accepts (1 GiB); the
// cloud download stops at the same size.
inline constexpr qint64 MaxWorksheetFileSize = qint64(1) << 30;
// The header block may hold at most this many bytes.
inline constexpr qint64 MaxHeaderLength = 10000000;
// The most pixels a picture may have when decoded (8192 x 4096: 128 MB at
// four bytes a pixel), for the pictures of worksheets, name fields and the
// clipboard and for picture files. The size is read from the picture's
// header before anything is allocated; a larger picture is not decoded.
inline constexpr qint64 MaxPicturePixels = qint64(8192) * 4096;

// "ファイルが壊れています。読み込むことができません。"
QString CorruptFileMessage();
// A path that names a pipe, device, folder or anything but a regular file.
QString NotAFileMessage();
// A file larger than MaxWorksheetFileSize.
QString FileTooLargeMessage();
// The refusal of a file written by a newer version of the program.
QString VersionTooNewMessage();
// A worksheet or name field was read, but a picture above MaxPicturePixels
// in it stays empty.
QString PictureTooLargeNotice();
// False for a picture size above MaxPicturePixels; a size that the
// picture's header does not tell (invalid) is left to the decoder.
bool PictureSizeAllowed(QSize size);

// Text blocks: lines each ended by CR LF, code page 932, no byte-order mark.
QByteArray EncodeTextBlock(const QStringList &lines);
// Decodes a block (a UTF-8 or UTF-16 byte-order mark switches the encoding)
// and splits it at CR LF, lone CR and lone LF; a final line break does not
// add an empty line.
QStringList DecodeTextBlock(const QByteArray &bytes);

// One object line: the 75 fields, each followed by ",".
QString ObjectLine(const RAData &row);

// The whole container as bytes: layer 0 the worksheet, layer 3 the name
// field; pageCount is the number of pages the worksheet has (the main window
// owns the pages). Empty when a picture cannot be encoded.
QByteArray BuildFileBytes(const Document &doc, int layer, Integer pageCount = 1);
// Writes the container atomically: on any failure the previous file stays as
// it was and the result carries the system's error text.
FileResult SaveFileAll(const QString &path, const Document &doc, int layer, Integer pageCount = 1);

// Reads a worksheet. On success `out` becomes the worksheet of the file (its
// rows renumbered, Layer 0 turned into 1, paper and answer colour from the
// file); otherwise `out` is untouched.
FileResult ParseFileAll(const QByteArray &bytes, Document &out);
FileResult LoadFileAll(const QString &path, Document &out);

// Moves what a file holds (rows, pictures, header, paper, answer colour)
// from a freshly read document into the open one.
void TakeWorksheet(Document &target, Document &&loaded);

// The parts of a name-field file that the import uses.
struct NameFieldFile {
    QStringList objectLines; // the object block, block lines included
    QVector<QImage> pictures;
};
// Reads a name-field file without changing any document.
FileResult ParseFile(const QByteArray &bytes, NameFieldFile &out);
FileResult LoadFile(const QString &path, NameFieldFile &out);
// Appends the rows of a name-field object block to the document: IDs from
// GetId, the picture rows ("4", "b") numbered from firstPicture in line order.
void LoadData1(Document &doc, const QStringList &objectLines, int firstPicture);
// Puts a name field read from a file into the document: its Layer 3 rows
// go, the file's rows and pictures are appended.
void PutNameField(Document &doc, const NameFieldFile &file);
// The whole import: reads the file and, only when that succeeds, removes the
// document's Layer 3 rows and appends the file's rows and pictures.
FileResult LoadNameField(const QString &path, Document &doc);

// Header-only read used by the navigator's lists.
FileResult ParseFileHeaderList(const QByteArray &bytes, QStringList &list);
FileResult LoadFileHeaderList(const QString &path, QStringList &list);

struct HeaderInfo {
    QString software;
    QString version;
    QString content;
    Integer grade = 0;
    Integer subject = 0;
};
// The values of a header list as the file-information view shows them.
HeaderInfo LoadHerderList(const QStringList &list);
