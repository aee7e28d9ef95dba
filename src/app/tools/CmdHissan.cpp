// Command "hissan": types an expression into the column page of the
// expression tool (on a window that is never shown) and prints, as one JSON
// object, the column fields that "決定" writes into the object row. "--next K"
// presses "わり進める" K times and "--back" then presses "一の位まで"; both
// apply to a division only. An expression without a column layout prints
// {"error": reason} and exits 1.
#include "ToolMain.h"
#include "render/UnitMetrics.h"

#include "math/UnitHissan.h"
#include "math/UnitHissanKakezan.h"
#include "math/UnitHissanWarizan.h"
#include "math/UnitSiki.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace
{

// Why the column engines give no layout for the expression.
QString noLayoutReason(const QString &expression)
{
    if (expression.isEmpty())
        return HissanStatusText(HissanStatus::Empty);
    switch (HissanSyu(expression)) {
    case 0:
    case 1: {
        TFormHissan engine;
        if (HissanSyu(expression) == 0)
            engine.Tasizan(expression);
        else
            engine.Hikizan(expression);
        return HissanStatusText(engine.result().status);
    }
    case 2: {
        TFormHissanKakezan engine;
        engine.Kakezan(expression);
        return HissanStatusText(engine.result().status);
    }
    case 3: {
        TFormHissanWarizan engine;
        engine.Warizan(expression);
        return HissanStatusText(engine.result().status);
    }
    default:
        return HissanStatusText(HissanStatus::NotColumn);
    }
}

void printJson(const QJsonObject &object, QTextStream &out)
{
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << "\n";
}

int runHissan(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString expression;
    bool haveExpression = false;
    int next = 0;
    bool back = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == u"--next") {
            bool ok = false;
            next = i + 1 < args.size() ? args.at(i + 1).toInt(&ok) : -1;
            if (!ok || next < 0) {
                err << "--next needs a count of 0 or more\n";
                return 2;
            }
            ++i;
        } else if (a == u"--back") {
            back = true;
        } else if (!haveExpression && !a.startsWith(u"--")) {
            expression = a;
            haveExpression = true;
        } else {
            err << "unexpected argument: " << a << "\n";
            return 2;
        }
    }
    if (!haveExpression)
        return 2;
    if ((next > 0 || back) && HissanSyu(expression) != 3) {
        err << "--next and --back apply to a division only\n";
        return 2;
    }

    Document doc;
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    tool.PrepareNew(0, 0, 0);
    tool.SelectPage(TFormSiki::PageTate);
    tool.MemoT1->setText(expression);
    tool.MakeSikiKotaeTate();
    for (int i = 0; i < next; ++i) {
        // A press that does not apply (no remainder, the column limit
        // reached) changes nothing, and neither would the ones after it.
        const QStringList before = tool.TateRows();
        tool.WarizanSusumu();
        if (tool.TateRows() == before)
            break;
    }
    if (back)
        tool.WarizanIchi();

    const SikiMainSettings settings;
    RAData row;
    row.FontName = settings.fontName;
    row.FontSize = settings.fontSize;
    if (!tool.WriteTateFields(row)) {
        printJson(QJsonObject{{"error", noLayoutReason(expression)}}, out);
        return 1;
    }
    printJson(QJsonObject{{"Siki", row.Siki},
                          {"Kotae", row.Kotae},
                          {"Siki2", qint64(row.Siki2)},
                          {"HissanSiki", row.HissanSiki},
                          {"HissanKotae", row.HissanKotae},
                          {"SikiSyo", row.SikiSyo},
                          {"KaiSikiSyo", qint64(row.KaiSikiSyo)},
                          {"KotaeSyo", qint64(row.KotaeSyo)},
                          {"KotaeZero", qint64(row.KotaeZero)},
                          {"AmariSyo", qint64(row.AmariSyo)}},
              out);
    return 0;
}

} // namespace

TOOL_COMMAND("hissan", "hissan EXPR [--next K] [--back]", runHissan);
