// End to end: tavenor-print-tool dump, dump-prn and resave on real files.
#include "document/UnitFile.h"
#include "support/WorksheetBytes.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ToolRun runTool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAVENOR_TOOL_PATH), args);
    ToolRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Document worksheet()
{
    Document doc;
    doc.Naiyou = QStringLiteral("わり算①");
    doc.NenIndex = 4;
    doc.KyoukaIndex = 3;
    doc.AnswerColor = 0x0000FF00;
    RAData text;
    text.ID = 8;
    text.Syu = QStringLiteral("1");
    text.Siki = QStringLiteral("a,b\r\nｶﾅ");
    text.X1 = -12;
    text.Layer = 1;
    RAData pic;
    pic.ID = 9;
    pic.Syu = QStringLiteral("4");
    pic.PicNo = 1;
    pic.Layer = 3;
    pic.Rand = 200;
    doc.AData = {text, pic};
    QImage img(6, 5, QImage::Format_RGB32);
    img.fill(Qt::yellow);
    doc.BMData = {QImage(), img};
    return doc;
}

} // namespace

TEST(CmdFile, DumpListsTheWorksheetAsTheEditorOpensIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.prx"));
    ASSERT_TRUE(SaveFileAll(path, worksheet(), LayerWorksheet, 3).ok);
    const ToolRun r = runTool({QStringLiteral("dump"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o.value("software").toString(), QStringLiteral("Tavenor,Print Header"));
    EXPECT_EQ(o.value("version").toString(), QStringLiteral("0.6"));
    EXPECT_EQ(o.value("content").toString(), QStringLiteral("わり算①"));
    EXPECT_EQ(o.value("grade").toInt(), 4);
    EXPECT_EQ(o.value("subject").toInt(), 3);
    EXPECT_EQ(o.value("pages").toInt(), 3);
    EXPECT_EQ(o.value("answerColor").toInt(), 0xFF00);
    const QJsonArray objects = o.value("objects").toArray();
    ASSERT_EQ(objects.size(), 2);
    const QJsonObject first = objects[0].toObject();
    EXPECT_EQ(first.size(), 75);
    EXPECT_EQ(first.value("ID").toInt(), 0);
    EXPECT_EQ(first.value("Siki").toString(), QStringLiteral("a,b\r\nｶﾅ"));
    EXPECT_EQ(first.value("X1").toInt(), -12);
    EXPECT_EQ(objects[1].toObject().value("Rand").toInt(), 200);
    EXPECT_EQ(objects[1].toObject().value("Layer").toInt(), 3);
    const QJsonArray pictures = o.value("pictures").toArray();
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_TRUE(pictures[0].isNull());
    EXPECT_EQ(pictures[1].toObject().value("width").toInt(), 6);
    EXPECT_EQ(pictures[1].toObject().value("height").toInt(), 5);
    const QJsonObject printer = o.value("printer").toObject();
    EXPECT_EQ(printer.value("name").toString(), QStringLiteral("---"));
    EXPECT_EQ(printer.value("paperSize").toString(), QStringLiteral("9"));
    EXPECT_EQ(printer.value("width").toString(), QStringLiteral("210"));

    // A refused file: the program's message on stderr, exit code 1.
    QFile bad(dir.filePath(QStringLiteral("bad.prx")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(wsbytes::le32(-1));
    bad.close();
    const ToolRun refused = runTool({QStringLiteral("dump"), bad.fileName()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(CorruptFileMessage()));
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_EQ(runTool({QStringLiteral("dump")}).exitCode, 2);
}

TEST(CmdFile, ResaveWritesWhatOpenAndSaveWrite)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.prx"));
    const QString out = dir.filePath(QStringLiteral("out.prx"));
    Document doc = worksheet();
    doc.BMData = {QImage(), QImage()}; // no picture bytes: the files compare whole
    doc.AData[0].ID = 0;               // IDs as an opened worksheet numbers them
    doc.AData[1].ID = 1;
    ASSERT_TRUE(SaveFileAll(in, doc, LayerWorksheet).ok);
    const ToolRun r = runTool({QStringLiteral("resave"), in, out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile a(in), b(out);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    // dump-prn lists a name field's rows and pictures.
    const QString prn = dir.filePath(QStringLiteral("n.prn"));
    ASSERT_TRUE(SaveFileAll(prn, worksheet(), LayerNameField).ok);
    const ToolRun n = runTool({QStringLiteral("dump-prn"), prn});
    ASSERT_EQ(n.exitCode, 0) << n.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(n.out).object();
    ASSERT_EQ(o.value("objects").toArray().size(), 1);
    EXPECT_EQ(o.value("objects").toArray()[0].toObject().value("PicNo").toInt(), 0);
    ASSERT_EQ(o.value("pictures").toArray().size(), 1);
    EXPECT_EQ(o.value("pictures").toArray()[0].toObject().value("width").toInt(), 6);
}
