// Replays the fuzzing corpus through the whole open path of the render tool
// (read, apply the paper, lay out the pages, draw them in problem and answer
// display), as the fuzz target does, so that every case it found stays mended.
#include "app/UnitHeadless.h"
#include "document/UnitFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(OpenPathCorpus, EveryReadableCorpusFileLaysOutAndDraws)
{
    const QDir dir(QStringLiteral(TAVENOR_SOURCE_DIR "/tests/fuzz/corpus"));
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    int drawn = 0;
    for (const QString &name : names) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        Document doc;
        const FileResult r = ParseFileAll(f.readAll(), doc);
        if (!r.ok)
            continue;
        HeadlessWorksheet w;
        w.adopt(std::move(doc), r.storedPages);
        // Whatever the printer-setting block held, the paper can be laid out.
        EXPECT_GT(w.doc.Paper.PaperW, 0) << name.toStdString();
        EXPECT_GT(w.doc.Paper.PaperH, 0) << name.toStdString();
        EXPECT_LE(w.doc.Paper.PaperW, MaxPaperMm * 10000) << name.toStdString();
        EXPECT_LE(w.doc.Paper.PaperH, MaxPaperMm * 10000) << name.toStdString();
        w.layout(std::min(w.storedPages, 2), Fixed4::fromRaw(1000));
        for (bool answers : {false, true}) {
            w.view.AnswerDisplay = answers;
            w.render();
        }
        ASSERT_FALSE(w.pages.ImageP.isEmpty()) << name.toStdString();
        EXPECT_FALSE(w.pages.ImageP[0].isNull()) << name.toStdString();
        ++drawn;
    }
    qInstallMessageHandler(previous);
    EXPECT_GE(drawn, 5);
}
