// Time per expression of Keisan and FKeisan over 10,000 generated
// expressions of 3 to 5 operands. The generator is deterministic, so runs are
// comparable.
#include "math/UnitKeisan2.h"

#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

constexpr int kCount = 10000;

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

const char kOps[] = {'+', '-', '*', '/'};

// Whole numbers and decimals, never zero, sometimes a bracketed pair.
QStringList makeArithmetic()
{
    Lcg rng(12345);
    QStringList list;
    list.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        const int operands = rng.range(3, 5);
        const int bracketAt = rng.range(0, 3) == 0 ? rng.range(0, operands - 2) : -1;
        QString e;
        for (int k = 0; k < operands; ++k) {
            if (k > 0)
                e += QChar::fromLatin1(kOps[rng.range(0, 3)]);
            if (k == bracketAt)
                e += u'(';
            e += QString::number(rng.range(1, 999));
            if (rng.range(0, 2) == 0)
                e += u'.' + QString::number(rng.range(1, 99));
            if (k == bracketAt + 1 && bracketAt >= 0)
                e += u')';
        }
        list.append(e);
    }
    return list;
}

// Mixed numbers, proper fractions and whole numbers in the fraction notation.
QStringList makeFractions()
{
    Lcg rng(67890);
    QStringList list;
    list.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        const int operands = rng.range(3, 5);
        const int bracketAt = rng.range(0, 3) == 0 ? rng.range(0, operands - 2) : -1;
        QString e;
        for (int k = 0; k < operands; ++k) {
            if (k > 0)
                e += QChar::fromLatin1(kOps[rng.range(0, 3)]);
            if (k == bracketAt)
                e += u'(';
            const int den = rng.range(2, 12);
            switch (rng.range(0, 2)) {
            case 0:
                e += QStringLiteral("t%1s%2b%3").arg(rng.range(1, 9)).arg(rng.range(1, den - 1)).arg(den);
                break;
            case 1:
                e += QStringLiteral("s%1b%2").arg(rng.range(1, den - 1)).arg(den);
                break;
            default:
                e += QString::number(rng.range(1, 20));
                break;
            }
            if (k == bracketAt + 1 && bracketAt >= 0)
                e += u')';
        }
        list.append(e);
    }
    return list;
}

void BM_Keisan(benchmark::State &state)
{
    const QStringList exprs = makeArithmetic();
    qsizetype i = 0;
    for (auto _ : state) {
        QString answer;
        try {
            answer = Keisan(exprs[i]);
        } catch (const KeisanError &) {
        }
        benchmark::DoNotOptimize(answer);
        if (++i == exprs.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Keisan);

void BM_FKeisan(benchmark::State &state)
{
    const QStringList exprs = makeFractions();
    TFormKeisan2 engine;
    qsizetype i = 0;
    for (auto _ : state) {
        FKeisanResult r = engine.FKeisan(exprs[i]);
        benchmark::DoNotOptimize(r);
        if (++i == exprs.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FKeisan);

} // namespace

BENCHMARK_MAIN();
