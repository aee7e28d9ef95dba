// tavenor-print-tool regen / random: "作成" on a worksheet, written to a new
// file; and MakeRandom run N times in one batch for random settings given as
// JSON, one JSON line per problem with the fields the page writer stores.
// Both drive the expression tool on a window that is never shown, with the
// renderer's metrics, and can be replayed from a seed.
#include "ToolMain.h"
#include "ToolSettings.h"
#include "render/UnitMetrics.h"

#include "document/UnitFile.h"
#include "document/UnitFileFields.h"
#include "math/UnitRegenerate.h"
#include "math/UnitSiki.h"

#include "platform/UnitRegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{

int regenCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString in, outPath;
    bool seeded = false;
    uint64_t seed = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == u"-o" && i + 1 < args.size()) {
            outPath = args[++i];
        } else if (a == u"--seed" && i + 1 < args.size()) {
            if (!ReadSeed(args[++i], seed, err))
                return 2;
            seeded = true;
        } else if (in.isEmpty() && !a.startsWith(u'-')) {
            in = a;
        } else {
            err << "unexpected argument: " << a << "\n";
            return 2;
        }
    }
    if (in.isEmpty() || outPath.isEmpty())
        return 2;
    if (!QFileInfo(in).isFile()) {
        err << in << ": no such file\n";
        return 1;
    }
    Document doc;
    FileResult r = LoadFileAll(in, doc);
    if (!r.ok) {
        err << r.message << "\n";
        return 1;
    }
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    if (seeded)
        tool.SeedRandom(seed);
    const int written = RegenerateAll(doc, tool);
    // An opened worksheet has one page, so that is what a save stores.
    r = SaveFileAll(outPath, doc, LayerWorksheet, 1);
    if (!r.ok) {
        err << r.message << "\n";
        return 1;
    }
    out << written << "\n";
    return 0;
}

// The fields the page writer stores, by page.
QJsonObject written(const RAData &row, bool warning)
{
    QJsonObject o{{QStringLiteral("Siki"), row.Siki}, {QStringLiteral("Kotae"), row.Kotae}};
    if (row.Siki1 == TFormSiki::PageTate) {
        o.insert(QStringLiteral("Siki2"), row.Siki2);
        o.insert(QStringLiteral("HissanSiki"), row.HissanSiki);
        o.insert(QStringLiteral("HissanKotae"), row.HissanKotae);
        o.insert(QStringLiteral("SikiSyo"), row.SikiSyo);
        o.insert(QStringLiteral("KaiSikiSyo"), row.KaiSikiSyo);
        o.insert(QStringLiteral("KotaeSyo"), row.KotaeSyo);
        o.insert(QStringLiteral("KotaeZero"), row.KotaeZero);
        o.insert(QStringLiteral("AmariSyo"), row.AmariSyo);
    } else if (row.Siki1 == TFormSiki::PageBunsyo) {
        o.insert(QStringLiteral("BunsyoR1"), row.BunsyoR1);
        o.insert(QStringLiteral("BunsyoR"), row.BunsyoR);
        o.insert(QStringLiteral("BunsyoR2"), row.BunsyoR2);
        o.insert(QStringLiteral("Bunsyo1"), row.Bunsyo1);
        o.insert(QStringLiteral("Bunsyo2"), row.Bunsyo2);
        o.insert(QStringLiteral("BunsyoKotae"), row.BunsyoKotae);
    }
    // The conditions only where a row has them, as the file keeps them.
    if (!row.RandZ1.isEmpty())
        o.insert(QStringLiteral("RandZ1"), row.RandZ1);
    o.insert(QStringLiteral("warning"), warning);
    return o;
}

int randomCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString path;
    bool seeded = false;
    uint64_t seed = 0;
    int count = 1;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == u"--seed" && i + 1 < args.size()) {
            if (!ReadSeed(args[++i], seed, err))
                return 2;
            seeded = true;
        } else if (a == u"-n" && i + 1 < args.size()) {
            bool ok = false;
            count = args[++i].toInt(&ok);
            if (!ok || count < 1 || count > 100000) {
                err << "-n takes 1 to 100000\n";
                return 2;
            }
        } else if (path.isEmpty() && !a.startsWith(u'-')) {
            path = a;
        } else {
            err << "unexpected argument: " << a << "\n";
            return 2;
        }
    }
    if (path.isEmpty())
        return 2;
    RAData settings;
    if (!ReadProblemSettings(path, settings, err))
        return 1;

    Document doc;
    doc.AData.append(settings);
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    if (seeded)
        tool.SeedRandom(seed);
    if (!tool.LoadRow(0))
        return 1;
    tool.ClearRandomLog();
    for (int k = 0; k < count; ++k) {
        tool.MakeRandom();
        doc.AData[0] = settings;
        doc.NewData.ID = settings.ID;
        const bool ok = tool.SetRandomKaitou(settings.Siki1);
        RAData row = ok ? doc.AData[0] : RAData{};
        row.Siki1 = settings.Siki1;
        out << QString::fromUtf8(
                   QJsonDocument(written(row, tool.RandomWarning())).toJson(QJsonDocument::Compact))
            << "\n";
    }
    return 0;
}

} // namespace

TOOL_COMMAND("regen", "regen FILE.prx -o OUT.prx [--seed S]", regenCommand);
TOOL_COMMAND("random", "random SETTINGS.json [--seed S] [-n N]", randomCommand);
