// Commands "keisan" and "fkeisan": evaluate one expression with the
// expression evaluator and print the answer on one line, for scripts and the
// end-to-end tests.
#include "ToolMain.h"

#include "math/UnitKeisan2.h"

namespace {

int runKeisan(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1)
        return 2;
    try {
        out << Keisan(args.front()) << "\n";
    } catch (const KeisanError &e) {
        err << e.message() << "\n";
        return 1;
    }
    return 0;
}

int runFKeisan(const QStringList &args, QTextStream &out, QTextStream &)
{
    if (args.size() != 1)
        return 2;
    TFormKeisan2 engine;
    const FKeisanResult r = engine.FKeisan(args.front());
    out << r.result << '\t' << r.whole << '\t' << r.numerator << '\t' << r.denominator << "\n";
    return 0;
}

} // namespace

TOOL_COMMAND("keisan", "keisan EXPR", runKeisan);
TOOL_COMMAND("fkeisan", "fkeisan EXPR", runFKeisan);
