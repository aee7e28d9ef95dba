// Time per problem of the four column engines over 4,000 generated problems
// each (two or three operands with up to two decimal places; divisions with
// decimal divisors and dividends), of filling an object row with
// SetHissanRow (which also asks the evaluator for the answer), and of one
// WarizanNext / WarizanBack pair. The generator is deterministic, so runs are
// comparable.
#include "math/UnitHissan.h"
#include "math/UnitHissanKakezan.h"
#include "math/UnitHissanWarizan.h"

#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

constexpr int kCount = 4000;

class Lcg {
public:
    explicit Lcg(uint64_t seed) : mState(seed) {}
    uint32_t next()
    {
        mState = mState * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(mState >> 33);
    }
    int range(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }

private:
    uint64_t mState;
};

// A number with the given digits before the point and 0 to maxDecimals after.
QString number(Lcg &rng, int maxWhole, int maxDecimals)
{
    QString s = QString::number(rng.range(1, maxWhole));
    const int d = rng.range(0, maxDecimals);
    for (int i = 0; i < d; ++i)
        s += (i == 0 ? QStringLiteral(".") : QString()) + QString::number(rng.range(1, 9));
    return s;
}

QStringList makeProblems(char sign, uint64_t seed)
{
    Lcg rng(seed);
    QStringList list;
    list.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        QString e;
        switch (sign) {
        case '+':
        case '-': {
            const int operands = rng.range(2, 3);
            // Subtractions start with the largest operand so that they stay positive.
            e = sign == '-' ? number(rng, 9999, 2) : number(rng, 999, 2);
            for (int k = 1; k < operands; ++k)
                e += QChar::fromLatin1(sign) + number(rng, sign == '-' ? 99 : 999, 2);
            break;
        }
        case '*':
            e = number(rng, 999, 2) + u'*' + number(rng, 999, 2);
            break;
        default:
            e = number(rng, 9999, 2) + u'/' + number(rng, 99, 2);
            break;
        }
        list.append(e);
    }
    return list;
}

template <typename Run>
void overProblems(benchmark::State &state, const QStringList &problems, Run run)
{
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(run(problems[i]));
        if (++i == problems.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Tasizan(benchmark::State &state)
{
    TFormHissan e;
    overProblems(state, makeProblems('+', 11), [&](const QString &p) { return e.Tasizan(p); });
}
BENCHMARK(BM_Tasizan);

void BM_Hikizan(benchmark::State &state)
{
    TFormHissan e;
    overProblems(state, makeProblems('-', 22), [&](const QString &p) { return e.Hikizan(p); });
}
BENCHMARK(BM_Hikizan);

void BM_Kakezan(benchmark::State &state)
{
    TFormHissanKakezan e;
    overProblems(state, makeProblems('*', 33), [&](const QString &p) { return e.Kakezan(p); });
}
BENCHMARK(BM_Kakezan);

void BM_Warizan(benchmark::State &state)
{
    TFormHissanWarizan e;
    overProblems(state, makeProblems('/', 44), [&](const QString &p) { return e.Warizan(p); });
}
BENCHMARK(BM_Warizan);

void BM_WarizanNextBack(benchmark::State &state)
{
    TFormHissanWarizan e;
    const QStringList problems = makeProblems('/', 55);
    qsizetype i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        e.Warizan(problems[i]);
        state.ResumeTiming();
        benchmark::DoNotOptimize(e.WarizanNext());
        benchmark::DoNotOptimize(e.WarizanBack());
        if (++i == problems.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WarizanNextBack);

// One division as the teacher works it on the column page: an 8-digit
// dividend, then six presses of "わり進める".
void BM_Warizan8DigitsSixNext(benchmark::State &state)
{
    TFormHissanWarizan e;
    const QString problem = QStringLiteral("12345678/7");
    for (auto _ : state) {
        benchmark::DoNotOptimize(e.Warizan(problem));
        for (int i = 0; i < 6; ++i)
            benchmark::DoNotOptimize(e.WarizanNext());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Warizan8DigitsSixNext);

void BM_SetHissanRow(benchmark::State &state)
{
    QStringList problems;
    for (char s : {'+', '-', '*', '/'})
        problems += makeProblems(s, 66 + uint64_t(s)).mid(0, kCount / 4);
    RAData row;
    overProblems(state, problems, [&](const QString &p) { return SetHissanRow(row, p); });
}
BENCHMARK(BM_SetHissanRow);

} // namespace

BENCHMARK_MAIN();
