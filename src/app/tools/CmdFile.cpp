// tavenor-print-tool dump / resave / dump-prn: reads worksheets and name
// fields as the editor does and lists them as JSON, or writes them again.
#include "ToolMain.h"

#include "document/UnitFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{

QJsonObject rowJson(const RAData &row)
{
    QJsonObject o;
    const auto &fields = RADataFields();
    for (int f = 0; f < FieldCount; ++f) {
        const FieldDef &d = fields[f];
        if (d.type == FieldType::Str)
            o.insert(QLatin1String(d.name), row.*(d.s));
        else
            o.insert(QLatin1String(d.name), qint64(FieldNumber(row, f)));
    }
    return o;
}

QJsonArray rowsJson(const QVector<RAData> &rows)
{
    QJsonArray a;
    for (const RAData &r : rows)
        a.append(rowJson(r));
    return a;
}

QJsonArray picturesJson(const QVector<QImage> &pictures)
{
    QJsonArray a;
    for (const QImage &p : pictures) {
        if (p.isNull())
            a.append(QJsonValue(QJsonValue::Null));
        else
            a.append(QJsonObject{{QStringLiteral("width"), p.width()},
                                 {QStringLiteral("height"), p.height()}});
    }
    return a;
}

void printJson(QTextStream &out, const QJsonObject &o)
{
    out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
}

bool missing(const QString &path, QTextStream &err)
{
    if (QFileInfo(path).isFile())
        return false;
    err << path << ": no such file\n";
    return true;
}

int dump(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1)
        return 2;
    if (missing(args[0], err))
        return 1;
    Document doc;
    const FileResult r = LoadFileAll(args[0], doc);
    if (!r.ok) {
        err << r.message << "\n";
        return 1;
    }
    QJsonObject o;
    o.insert(QStringLiteral("software"), doc.Software);
    o.insert(QStringLiteral("version"), doc.Version);
    o.insert(QStringLiteral("content"), doc.Naiyou);
    o.insert(QStringLiteral("grade"), doc.NenIndex);
    o.insert(QStringLiteral("subject"), doc.KyoukaIndex);
    o.insert(QStringLiteral("pages"), r.storedPages);
    o.insert(QStringLiteral("objects"), rowsJson(doc.AData));
    o.insert(QStringLiteral("pictures"), picturesJson(doc.BMData));
    o.insert(QStringLiteral("answerColor"), doc.AnswerColor);
    o.insert(QStringLiteral("printer"),
             QJsonObject{{QStringLiteral("name"), doc.Paper.PrinterName},
                         {QStringLiteral("paperSize"), doc.Paper.PaperSizeCode},
                         {QStringLiteral("orientation"), doc.Paper.Orientation},
                         {QStringLiteral("width"), doc.Paper.Width},
                         {QStringLiteral("height"), doc.Paper.Height}});
    printJson(out, o);
    return 0;
}

int resave(const QStringList &args, QTextStream &, QTextStream &err)
{
    if (args.size() != 2)
        return 2;
    if (missing(args[0], err))
        return 1;
    Document doc;
    FileResult r = LoadFileAll(args[0], doc);
    if (!r.ok) {
        err << r.message << "\n";
        return 1;
    }
    // An opened worksheet has one page, so that is what a save stores.
    r = SaveFileAll(args[1], doc, LayerWorksheet, 1);
    if (!r.ok) {
        err << r.message << "\n";
        return 1;
    }
    return 0;
}

int dumpPrn(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1)
        return 2;
    if (missing(args[0], err))
        return 1;
    // The rows as the name-field load appends them to an empty worksheet.
    Document doc;
    const FileResult r = LoadNameField(args[0], doc);
    if (!r.ok) {
        err << r.message << "\n";
        return 1;
    }
    QJsonObject o;
    o.insert(QStringLiteral("pages"), r.storedPages);
    o.insert(QStringLiteral("objects"), rowsJson(doc.AData));
    o.insert(QStringLiteral("pictures"), picturesJson(doc.BMData));
    printJson(out, o);
    return 0;
}

} // namespace

TOOL_COMMAND("dump", "dump FILE.prx", dump);
TOOL_COMMAND("resave", "resave IN.prx OUT.prx", resave);
TOOL_COMMAND("dump-prn", "dump-prn FILE.prn", dumpPrn);
