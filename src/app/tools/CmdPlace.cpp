// tavenor-print-tool place: "まとめて配置" without a window. A set of N
// problems of the settings in SETTINGS.json, laid out as the editor's dialog
// lays it out, on a new A4 worksheet or below the objects of a worksheet,
// written to a new file.
#include "ToolMain.h"
#include "ToolSettings.h"

#include "document/UnitFile.h"
#include "math/UnitSiki.h"
#include "render/UnitMetrics.h"

#include <QFileInfo>

namespace
{

bool readNumbering(const QString &text, SetNumbering &n)
{
    const QStringList names = {QStringLiteral("paren"), QStringLiteral("circle"),
                               QStringLiteral("dot"), QStringLiteral("none")};
    const int i = int(names.indexOf(text));
    if (i < 0)
        return false;
    n = SetNumbering(i);
    return true;
}

int placeCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString settingsPath, into, outPath;
    RSetOptions options;
    bool seeded = false;
    uint64_t seed = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (a == u"-n" && hasValue) {
            options.count = args[++i].toInt(&ok);
            ok = ok && options.count >= 1 && options.count <= SetMaxCount;
        } else if (a == u"--columns" && hasValue) {
            options.columns = args[++i].toInt(&ok);
            ok = ok && options.columns >= 1 && options.columns <= SetMaxColumns;
        } else if (a == u"--numbering" && hasValue) {
            ok = readNumbering(args[++i], options.numbering);
        } else if (a == u"--gap" && hasValue) {
            options.gapMm = args[++i].toInt(&ok);
            ok = ok && options.gapMm >= 0 && options.gapMm <= 50;
        } else if (a == u"--whole-page") {
            options.area = SetArea::WholePage;
        } else if (a == u"--seed" && hasValue) {
            if (!ReadSeed(args[++i], seed, err))
                return 2;
            seeded = true;
        } else if (a == u"--into" && hasValue) {
            into = args[++i];
        } else if (a == u"-o" && hasValue) {
            outPath = args[++i];
        } else if (settingsPath.isEmpty() && !a.startsWith(u'-')) {
            settingsPath = a;
        } else {
            err << "unexpected argument: " << a << "\n";
            return 2;
        }
        if (!ok) {
            err << "bad value for " << a << " (-n 1 to " << SetMaxCount << ", --columns 1 to "
                << SetMaxColumns << ", --numbering paren|circle|dot|none, --gap 0 to 50 mm)\n";
            return 2;
        }
    }
    if (settingsPath.isEmpty() || outPath.isEmpty())
        return 2;
    RAData settings;
    if (!ReadProblemSettings(settingsPath, settings, err))
        return 1;
    const SikiMainSettings defaults;
    if (settings.FontName.isEmpty())
        settings.FontName = defaults.fontName;
    if (settings.FontSize <= 0)
        settings.FontSize = defaults.fontSize;
    settings.Layer = 1;

    Document doc;
    if (!into.isEmpty()) {
        if (!QFileInfo(into).isFile()) {
            err << into << ": no such file\n";
            return 1;
        }
        const FileResult r = LoadFileAll(into, doc);
        if (!r.ok) {
            err << r.message << "\n";
            return 1;
        }
    }
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    if (seeded)
        tool.SeedRandom(seed);
    // The settings reach the tool as a row of their own, which goes again
    // before the set is placed.
    doc.AData.append(settings);
    const bool loaded = tool.LoadRow(int(doc.AData.size()) - 1);
    doc.AData.removeLast();
    doc.NewData = RAData{};
    doc.NewData.ID = -1;
    if (!loaded) {
        err << settingsPath << ": not settings the expression tool can open\n";
        return 1;
    }
    const int before = int(doc.AData.size());
    const QString refusal = tool.PlaceSet(settings, 0, options);
    if (!refusal.isEmpty()) {
        err << refusal << "\n";
        return 1;
    }
    // An opened or new worksheet has one page, so that is what a save stores.
    const FileResult saved = SaveFileAll(outPath, doc, LayerWorksheet, 1);
    if (!saved.ok) {
        err << saved.message << "\n";
        return 1;
    }
    int problems = 0;
    for (int i = before; i < doc.AData.size(); ++i)
        problems += doc.AData[i].Syu == u"5" ? 1 : 0;
    out << problems << "\n";
    return 0;
}

} // namespace

TOOL_COMMAND("place",
             "place SETTINGS.json -n N [--columns C] [--numbering paren|circle|dot|none] "
             "[--gap MM] [--whole-page] [--seed S] [--into FILE.prx] -o OUT.prx",
             placeCommand);
