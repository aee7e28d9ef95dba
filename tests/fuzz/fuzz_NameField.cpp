// libFuzzer target for the name-field reader and "名前欄の読み込み": every
// input is read as a name-field file and, when it reads, put into a small
// worksheet (a text, a picture and an old name field) as the undoable
// command. Undo must give the worksheet's bytes of before, redo those of
// after; the rows the worksheet had before keep their pictures, and the
// result must write as a worksheet that reads back with the same rows.
#include "document/UnitFile.h"
#include "document/UnitRowCommands.h"

#include <QGuiApplication>
#include <QUndoStack>
#include <cstdint>
#include <cstdlib>

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libfreetype.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

static void check(bool ok)
{
    if (!ok)
        std::abort();
}

static RAData row(const char *syu, int layer, int x, int picNo = 0)
{
    RAData r;
    r.Syu = QString::fromLatin1(syu);
    r.Layer = layer;
    r.X1 = x;
    r.Y1 = 40;
    r.Width = 120;
    r.Height = 30;
    r.FontName = QStringLiteral("ＭＳ 明朝");
    r.FontSize = 12;
    r.Siki = QStringLiteral("なまえ");
    r.PicNo = picNo;
    return r;
}

static void worksheet(Document &doc)
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    doc.BMData.append(picture);
    for (RAData r : {row("1", 1, 10), row("4", 1, 200, 0), row("1", LayerNameField, 400)}) {
        r.ID = doc.GetId();
        doc.AData.append(r);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    NameFieldFile file;
    const FileResult r = ParseFile(bytes, file);
    if (!r.ok) {
        check(!r.message.isEmpty());
        return 0;
    }
    // Writing re-encodes every picture; huge ones only slow the run down.
    qint64 pixels = 0;
    for (const QImage &picture : file.pictures)
        pixels += qint64(picture.width()) * picture.height();
    if (pixels > 1'000'000)
        return 0;

    Document doc;
    worksheet(doc);
    const QByteArray before = BuildFileBytes(doc, LayerWorksheet);
    doc.push(std::make_unique<LoadNameFieldCommand>(doc, file));
    const QByteArray after = BuildFileBytes(doc, LayerWorksheet);
    check(!after.isEmpty());
    // The rows of the worksheet itself still show their own picture.
    check(doc.AData[0].Syu == u"1" && doc.AData[1].Syu == u"4" && doc.AData[1].PicNo == 0 &&
          doc.BMData[0].size() == QSize(8, 6));

    Document again;
    check(ParseFileAll(after, again).ok);
    check(again.BMData.size() == doc.BMData.size());

    if (doc.undoStack().count() > 0) {
        doc.undoStack().undo();
        check(BuildFileBytes(doc, LayerWorksheet) == before);
        doc.undoStack().redo();
        check(BuildFileBytes(doc, LayerWorksheet) == after);
    }
    return 0;
}
