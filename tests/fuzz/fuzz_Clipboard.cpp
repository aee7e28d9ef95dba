// libFuzzer target for pasting the clipboard's own payload: the input is
// put on the clipboard under the objects type and pasted into a worksheet
// with a text, a picture and a box, through the editing controller as
// Ctrl+V does. Afterwards every row that uses a picture names one that
// exists (and the worksheet's own rows keep theirs), the selection names
// only existing rows, undo gives the worksheet's bytes of before and redo
// those of after, and the result writes and reads back.
#include "document/UnitFile.h"
#include "editing/EditTestSupport.h"
#include "editing/UnitClipboard.h"
#include "platform/UnitMessages.h"
#include "render/UnitFonts.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUndoStack>
#include <cstdint>
#include <cstdlib>

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libfreetype.so\n"
           "leak:QFontDatabase\n"
           "leak:QFontEngine\n"
           "leak:QFontCache\n";
}

// The editor keeps one window, with its tools and input windows, for the
// life of the program; the target does the same: one editing bench, set up
// once with a text, a picture and a box, and brought back to them by undo
// after every input.
static EditBench *bench = nullptr;
static int pictureRow = -1;
static const QByteArray *before = nullptr;

static void setUpWorksheet()
{
    // At 10 % zoom the pages stay small.
    static EditBench shared(1000, 2);
    EditBench &b = shared;
    b.host->renderOnRedraw = false;
    QImage green(6, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    b.doc.BMData.append(green);
    b.addText(0, 40, 40, QStringLiteral("なまえ"));
    pictureRow = b.addBox(0, 200, 40, 6, 4);
    b.doc.AData[pictureRow].Syu = QStringLiteral("4");
    b.doc.AData[pictureRow].PicNo = 0;
    b.addBox(1, 300, 300, 50, 50);
    static const QByteArray bytes = BuildFileBytes(b.doc, LayerWorksheet, 2);
    before = &bytes;
    bench = &b;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QApplication app(*argc, *argv);
    InstallFontSubstitutions();
    static ScriptedMessages messages;
    SetMessages(&messages);
    setUpWorksheet();
    return 0;
}

static void check(bool ok)
{
    if (!ok)
        std::abort();
}

static bool usesPicture(const QString &syu)
{
    return syu == u"4" || syu == u"b" || syu == u"r";
}

static void checkRows(const EditBench &b)
{
    for (const RAData &r : b.doc.AData)
        if (usesPicture(r.Syu))
            check(r.PicNo >= 0 && r.PicNo < b.doc.BMData.size());
    for (int row : b.selectedRows())
        check(row >= 0 && row < b.doc.AData.size());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    EditBench &b = *bench;
    const int picture = pictureRow;
    // Every input starts from the same worksheet, with no history.
    check(b.doc.AData.size() == 3 && b.doc.BMData.size() == 1 && b.doc.undoStack().count() == 0);
    b.view.ActivePage = size > 0 ? data[0] % 2 : 0;

    auto *mime = new QMimeData;
    mime->setData(ObjectsMimeType, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QApplication::clipboard()->setMimeData(mime);
    b.ctl->PasteClipboard();
    checkRows(b);
    check(b.doc.AData[picture].PicNo == 0 && b.doc.BMData[0].size() == QSize(6, 4));

    // Writing re-encodes every picture; a payload with huge ones only slows
    // the run down (the reader's own limits are under test either way).
    qint64 pixels = 0;
    for (const QImage &pasted : b.doc.BMData)
        pixels += qint64(pasted.width()) * pasted.height();
    if (pixels > 1'000'000) {
        b.doc.undoStack().undo();
        b.doc.resetHistory();
        return 0;
    }

    const QByteArray after = BuildFileBytes(b.doc, LayerWorksheet, 2);
    check(!after.isEmpty());
    Document again;
    check(ParseFileAll(after, again).ok);
    if (b.doc.undoStack().count() > 0) {
        b.doc.undoStack().undo();
        checkRows(b);
        check(BuildFileBytes(b.doc, LayerWorksheet, 2) == *before);
        b.doc.undoStack().redo();
        checkRows(b);
        check(BuildFileBytes(b.doc, LayerWorksheet, 2) == after);
        // Back to the starting worksheet for the next input.
        b.doc.undoStack().undo();
        b.doc.resetHistory();
    }
    return 0;
}
