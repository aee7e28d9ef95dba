// libFuzzer target for the evaluators and the column engines on a typed
// expression: the input (UTF-8) is what a teacher could type into the
// expression tool. It goes through Keisan, through the fraction evaluator,
// through each of the four column engines (the division one taking decimal
// steps forward and back) and through SetHissanRow. An evaluator may refuse
// with its message; any other exception, a crash or an undefined behaviour
// is a finding, and so is a refusal without words or a row changed by a
// refused layout.
#include "math/UnitHissan.h"
#include "math/UnitHissanKakezan.h"
#include "math/UnitHissanWarizan.h"
#include "math/UnitKeisan2.h"
#include "platform/UnitNumText.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    // The ten-digit warning would otherwise ask its hook once per run.
    SetTenDigitWarningHook([] {});
    return 0;
}

static void check(bool ok)
{
    if (!ok)
        std::abort();
}

static void evaluate(const QString &expression)
{
    try {
        Keisan(expression);
    } catch (const KeisanError &e) {
        check(!e.message().isEmpty());
    }

    const FKeisanResult f = FKeisan(expression);
    check(f.remainder.isEmpty());
    const bool message = f.result == FKeisanMessage1 || f.result == FKeisanMessage2 ||
                         f.result == FKeisanMessage3 || f.result == FKeisanMessage4 ||
                         f.result == FKeisanTooLargeText;
    if (message)
        check(f.whole.isEmpty() && f.numerator.isEmpty() && f.denominator.isEmpty());

    TFormHissan add;
    if (add.Tasizan(expression))
        check(add.result().status == HissanStatus::Ok);
    TFormHissan subtract;
    subtract.Hikizan(expression);
    TFormHissanKakezan multiply;
    multiply.Kakezan(expression);
    TFormHissanWarizan divide;
    if (divide.Warizan(expression)) {
        // A few decimal places forward, then back to the ones place.
        for (int i = 0; i < 4 && divide.WarizanNext(); ++i) {
        }
        divide.workRows();
        divide.kotae();
        while (divide.WarizanBack()) {
        }
        check(divide.result().quotientSyo == 0);
    }

    RAData row;
    row.Siki = QStringLiteral("unchanged");
    const HissanStatus status = SetHissanRow(row, expression);
    if (status != HissanStatus::Ok) {
        check(row.Siki == u"unchanged");
        check(!HissanStatusText(status).isEmpty());
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The expression boxes hold one line; longer texts than this are not
    // typed by hand and only slow the run down.
    if (size > 2048)
        return 0;
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    evaluate(typed);
    // The same text as shown, with full-width operators.
    evaluate(FullWidthOperators(typed));
    return 0;
}
