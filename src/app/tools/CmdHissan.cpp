// Command "hissan": runs the column engine that matches an expression and
// prints the column fields of the object row it would make, one
// "Field=value" line each. For a division, the words "next" and "back" after
// the expression carry the quotient a decimal place further or cut it back
// to the ones place, in the order given.
#include "ToolMain.h"

#include "math/UnitHissan.h"
#include "math/UnitHissanKakezan.h"
#include "math/UnitHissanWarizan.h"

namespace {

void printRow(const RAData &row, QTextStream &out)
{
    out << "HissanSiki=" << row.HissanSiki << "\n";
    out << "HissanKotae=" << row.HissanKotae << "\n";
    out << "SikiSyo=" << row.SikiSyo << "\n";
    out << "KaiSikiSyo=" << row.KaiSikiSyo << "\n";
    out << "KotaeSyo=" << row.KotaeSyo << "\n";
    out << "KotaeZero=" << row.KotaeZero << "\n";
    out << "AmariSyo=" << row.AmariSyo << "\n";
    out << "Kotae=" << row.Kotae << "\n";
    out << "Siki2=" << row.Siki2 << "\n";
}

int noLayout(HissanStatus status, QTextStream &err)
{
    err << HissanStatusText(status) << "\n";
    return 1;
}

int runHissan(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty())
        return 2;
    const QString expression = args.front();
    const QStringList steps = args.mid(1);
    for (const QString &s : steps)
        if (s != u"next" && s != u"back")
            return 2;

    const int syu = HissanSyu(expression);
    if (!steps.isEmpty() && syu != 3) {
        err << "next and back apply to a division only\n";
        return 2;
    }
    if (expression.isEmpty())
        return noLayout(HissanStatus::Empty, err);

    RAData row;
    switch (syu) {
    case 0:
    case 1: {
        TFormHissan engine;
        if (!(syu == 0 ? engine.Tasizan(expression) : engine.Hikizan(expression)))
            return noLayout(engine.result().status, err);
        engine.fillRow(row);
        break;
    }
    case 2: {
        TFormHissanKakezan engine;
        if (!engine.Kakezan(expression))
            return noLayout(engine.result().status, err);
        engine.fillRow(row);
        break;
    }
    case 3: {
        TFormHissanWarizan engine;
        if (!engine.Warizan(expression))
            return noLayout(engine.result().status, err);
        for (const QString &s : steps) {
            // A step that does not apply (no decimal places to cut, the
            // column limit reached) leaves the division as it is.
            if (s == u"next")
                engine.WarizanNext();
            else
                engine.WarizanBack();
        }
        engine.fillRow(row);
        break;
    }
    default:
        return noLayout(HissanStatus::NotColumn, err);
    }
    printRow(row, out);
    return 0;
}

} // namespace

TOOL_COMMAND("hissan", "hissan EXPR [next|back ...]", runHissan);
