// A small deterministic random source for generated test cases, so that a
// failing case can be replayed from its seed.
#pragma once
#include <QString>
#include <cstdint>

class TestRandom {
public:
    explicit TestRandom(uint64_t seed) : mState(seed) {}
    // 0 .. n-1.
    int below(int n) { return int(step() % uint64_t(n)); }
    // lo .. hi inclusive.
    int between(int lo, int hi) { return lo + int(step() % uint64_t(hi - lo + 1)); }
    // A decimal text with 0 to 2 places and a whole part up to maxWhole.
    QString decimal(int maxWhole)
    {
        QString s = QString::number(between(0, maxWhole));
        const int d = between(0, 2);
        if (d > 0)
            s += u'.' + QString::number(between(0, d == 1 ? 9 : 99)).rightJustified(d, u'0');
        return s;
    }

private:
    uint64_t step()
    {
        mState = mState * 6364136223846793005ULL + 1442695040888963407ULL;
        return mState >> 33;
    }
    uint64_t mState;
};
