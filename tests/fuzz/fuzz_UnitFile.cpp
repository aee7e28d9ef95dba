// libFuzzer target for the whole open path: every input is read as a
// worksheet, as a name field and as a header list; a worksheet that was read
// is written again and must read back with the same rows, then goes the way
// of the render tool: its paper is applied, its pages are laid out and they
// are drawn in problem display and in answer display (at a small zoom, so
// that a run stays fast).
#include "app/UnitHeadless.h"
#include "document/UnitFile.h"
#include "render/UnitFonts.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

// Qt's font database, font engines and fontconfig keep caches for the life
// of the process; they are never freed, so they are not leaks of an input.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libfreetype.so\n"
           "leak:QFontDatabase\n"
           "leak:QFontEngine\n"
           "leak:QFontCache\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Broken pictures make the JPEG decoder complain on every run.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QGuiApplication app(*argc, *argv);
    InstallFontSubstitutions();
    return 0;
}

// The render tool's path at 10 % zoom: page images of about 80 x 110 pixels.
static void renderWorksheet(Document &&doc, int storedPages)
{
    HeadlessWorksheet w;
    w.adopt(std::move(doc), storedPages);
    if (w.doc.Paper.PaperW <= 0 || w.doc.Paper.PaperH <= 0 ||
        w.doc.Paper.PaperW > MaxPaperMm * 10000 || w.doc.Paper.PaperH > MaxPaperMm * 10000)
        std::abort();
    // Page 0 is the one drawn; a second page keeps rows of other pages on a
    // page of their own without laying out a hundred images per run.
    w.layout(std::min(w.storedPages, 2), Fixed4::fromRaw(1000));
    w.view.AnswerDisplay = false;
    w.render();
    w.view.AnswerDisplay = true;
    w.render();
    if (w.pages.ImageP.isEmpty() || w.pages.ImageP[0].isNull())
        std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    Document doc;
    const FileResult r = ParseFileAll(bytes, doc);
    if (r.ok) {
        for (int i = 0; i < doc.AData.size(); ++i)
            if (doc.AData[i].ID != i || doc.AData[i].Layer == 0)
                std::abort();
        // Writing re-encodes every picture as JPEG. A tiny file may hold a
        // picture of up to the reader's 128 MB limit, whose encoding takes
        // a minute under the sanitizers and tests nothing of ours: such
        // worksheets skip the write-back and go on to the drawing.
        qint64 pixels = 0;
        for (const QImage &picture : doc.BMData)
            pixels += qint64(picture.width()) * picture.height();
        if (pixels <= 4'000'000) {
            Document again;
            if (!ParseFileAll(BuildFileBytes(doc, LayerWorksheet), again).ok)
                std::abort();
            qsizetype written = 0;
            for (const RAData &row : doc.AData)
                written += !row.Syu.isEmpty();
            if (again.AData.size() != written || again.BMData.size() != doc.BMData.size())
                std::abort();
            NameFieldFile nameField;
            if (!ParseFile(BuildFileBytes(doc, LayerNameField), nameField).ok)
                std::abort();
        }
        // Drawing converts every picture to the page's pixel format and,
        // for grey pictures, to grey: for a picture of millions of pixels
        // that is most of a run and draws the same code as a small one.
        if (pixels <= 1'000'000)
            renderWorksheet(std::move(doc), r.storedPages);
    } else if (r.message.isEmpty()) {
        std::abort();
    }

    NameFieldFile nameField;
    if (ParseFile(bytes, nameField).ok) {
        Document target;
        LoadData1(target, nameField.objectLines, 0);
    }

    QStringList list;
    if (ParseFileHeaderList(bytes, list).ok)
        LoadHerderList(list);
    return 0;
}
