// Command "bunsu": puts a fraction expression ("s1b2+s1b3", whole parts
// written before "s" or after "t" as in "t2s3b5+t1s4b7") into the boxes of
// the fraction page of the expression tool (on a window that is never
// shown) and prints the answer text that "決定" writes into the row's Kotae.
// "--improper" ticks "答えが帯分数の場合、仮分数で表示する". An evaluator
// message goes to stderr with exit code 1.
#include "ToolMain.h"
#include "render/UnitMetrics.h"

#include "math/UnitSiki.h"

namespace
{

int runBunsu(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString expression;
    bool haveExpression = false;
    bool improper = false;
    for (const QString &a : args) {
        if (a == u"--improper") {
            improper = true;
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
    // The page's boxes hold the whole part without a marker.
    const QString boxes = QString(expression).remove(u't');

    Document doc;
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    tool.PrepareNew(0, 0, 0);
    tool.SelectPage(TFormSiki::PageBunsu);
    {
        const QSignalBlocker block(tool.CheckKabunsu);
        tool.CheckKabunsu->setChecked(improper);
    }
    tool.MemoBunsuSiki->setText(boxes);
    tool.MakeSikiKotaeBunsu();
    // A part longer than its box, or a second operator, would be cut off
    // by the page: refuse rather than answer a different problem.
    if (tool.MemoBunsuSiki->text() != boxes) {
        err << QStringLiteral("分数の入力欄に入りません: ") << expression << "\n";
        return 1;
    }

    QString message;
    switch (tool.CheckBunsu(message)) {
    case TFormSiki::InputEmpty:
        err << KeisanCannotEvaluateText << "\n";
        return 1;
    case TFormSiki::InputError:
        err << message << "\n";
        return 1;
    case TFormSiki::InputOk:
        break;
    }
    const SikiMainSettings settings;
    RAData row;
    row.FontName = settings.fontName;
    row.FontSize = settings.fontSize;
    tool.WriteBunsuFields(row);
    out << row.Kotae << "\n";
    return 0;
}

} // namespace

TOOL_COMMAND("bunsu", "bunsu EXPR [--improper]", runBunsu);
