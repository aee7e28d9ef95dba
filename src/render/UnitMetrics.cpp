#include "render/UnitMetrics.h"

#include "math/UnitHissanOptions.h"

#include "platform/UnitNumText.h"

#include <algorithm>

namespace {

bool isOperator(QChar c)
{
    return c == u'＋' || c == u'－' || c == u'×' || c == u'÷';
}

// Scales v (relative to oldOrigin) by newLen / oldLen, truncated towards zero.
int64_t scaleBy(int64_t v, int64_t newLen, int64_t oldLen)
{
    return v * newLen / oldLen;
}

} // namespace

BunsuParts GetBunsu(const QString &SikiT, const QString &KotaeT)
{
    BunsuParts p;
    int state = 0;
    for (const QChar ch : SikiT) {
        if (ch == u's') {
            state = state == 0 ? 1 : 5;
        } else if (ch == u'b') {
            state = state == 1 ? 2 : 6;
        } else if (isOperator(ch)) {
            if (state == 2)
                state = 3;
            if (state == 3)
                p.bunsukigou = QString(ch);
        } else {
            if (state == 3)
                state = 4;
            switch (state) {
            case 0: p.bunsu1t += ch; break;
            case 1: p.bunsu1s += ch; break;
            case 2: p.bunsu1b += ch; break;
            case 4: p.bunsu2t += ch; break;
            case 5: p.bunsu2s += ch; break;
            case 6: p.bunsu2b += ch; break;
            default: break;
            }
        }
    }
    state = 0;
    for (const QChar ch : KotaeT) {
        if (ch == u's') {
            state = state == 0 ? 1 : 5;
        } else if (ch == u'b') {
            state = state == 1 ? 2 : 6;
        } else {
            switch (state) {
            case 0: p.bunsukt += ch; break;
            case 1: p.bunsuks += ch; break;
            case 2: p.bunsukb += ch; break;
            default: break;
            }
        }
    }
    return p;
}

QStringList MetricLines(const QString &siki)
{
    QString s = siki;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    QStringList lines = SplitText(s, u'\r');
    if (lines.isEmpty())
        lines.append(s);
    return lines;
}

Metrics::Metrics()
{
    mFont.face = QStringLiteral("ＭＳ Ｐゴシック");
    mFont.cellHeight = 12;
}

void Metrics::SetFont(const QString &name, int height, bool bold)
{
    mFont.face = name;
    mFont.cellHeight = height;
    mFont.bold = bold;
}

int Metrics::GetMojiW(const QString &t) const { return CellFontMetrics(mFont).horizontalAdvance(t); }

// The height of a string is the cell height of the font, whatever the string.
int Metrics::GetMojiH(const QString &) const { return CellHeightOf(mFont); }

// A horizontal expression as the page draws it: the expression with its
// full-width signs and "＝", then the answer right after it.
static int64_t yokoWidth(const Metrics &m, const RAData &r)
{
    return int64_t(m.GetMojiW(FullWidthOperators(r.Siki) + QStringLiteral("＝"))) +
           m.GetMojiW(r.Kotae);
}

int Metrics::GetMojiWidth(const RAData &r)
{
    SetFont(r.FontName, r.FontSize, r.FontB == 1);
    auto widestOperand = [&](QChar sep, const QString &sign) {
        const int cell = GetMojiW(sign);
        int64_t w = GetMojiW(r.Kotae);
        for (const QString &part : SplitText(r.HissanSiki, sep))
            w = std::max<int64_t>(w, int64_t(part.size() + 1) * cell);
        return w;
    };
    int64_t w = 0;
    switch (r.Siki1) {
    case 0:
        if (r.Syu == u"5") {
            w = yokoWidth(*this, r);
            break;
        }
        for (const QString &line : MetricLines(r.Siki))
            w = std::max<int64_t>(w, GetMojiW(line));
        break;
    case 1:
        switch (r.Siki2) {
        case 0: w = widestOperand(u'+', QStringLiteral("＋")); break;
        case 1: w = widestOperand(u'-', QStringLiteral("－")); break;
        case 2: {
            w = widestOperand(u'*', QStringLiteral("×"));
            const QStringList rows = SplitText(r.HissanKotae, u'_');
            const QString last = rows.isEmpty() ? r.HissanKotae : rows.last();
            w = std::max<int64_t>(w, int64_t(last.size()) * GetMojiW(QStringLiteral("×")));
            break;
        }
        case 3: {
            // A layout without both pieces counts the missing one as empty.
            const QStringList parts = SplitText(r.HissanSiki, u'/');
            const qsizetype n1 = parts.size() > 0 ? parts.at(0).size() : 0;
            const qsizetype n2 = parts.size() > 1 ? parts.at(1).size() : 0;
            w = int64_t(GetMojiW(QStringLiteral("＋"))) * (1 + n1 + n2);
            break;
        }
        default: break;
        }
        break;
    case 3: w = widestOperand(u'+', QStringLiteral("＋")); break;
    default: break; // fractions are sized by FitToContent only
    }
    return int(std::clamp<int64_t>(w, 0, INT32_MAX));
}

int Metrics::GetMojiHeight(const RAData &r)
{
    SetFont(r.FontName, r.FontSize, r.FontB == 1);
    const int64_t h = GetMojiH(QString());
    int64_t result = 0;
    switch (r.Siki1) {
    case 0:
    case 3:
        result = int64_t(MetricLines(r.Siki).size()) * GetMojiH(QStringLiteral("あ"));
        break;
    case 1:
        switch (r.Siki2) {
        case 0: result = h * (SplitText(r.HissanSiki, u'+').size() + 1); break;
        case 1: result = h * (SplitText(r.HissanSiki, u'-').size() + 1); break;
        case 2: {
            const qsizetype n = SplitText(r.HissanKotae, u'_').size();
            result = n == 0 ? 3 * h : h * (n + 2);
            break;
        }
        case 3:
            // No working rows at all would give a negative height; it stays 0.
            result = h * (SplitText(r.HissanKotae, u'_').size() - 1);
            break;
        default: break;
        }
        // The carry-mark row above the problem, when the row asks for one.
        if (result > 0)
            result += HissanMemoHeightOf(r.RandZ2, int(std::max<int64_t>(1, h)));
        break;
    default: break;
    }
    return int(std::clamp<int64_t>(result, 0, INT32_MAX));
}

void Metrics::FitToContent(QVector<RAData> &AData, const QVector<int> &rows, const FrameResize *resize)
{
    for (const int i : rows) {
        if (i < 0 || i >= AData.size())
            continue;
        RAData &r = AData[i];
        if (r.Syu == u"1") {
            SetFont(r.FontName, r.FontSize, r.FontB == 1);
            const QStringList lines = MetricLines(r.Siki);
            int w = 0;
            for (const QString &line : lines)
                w = std::max(w, GetMojiW(line));
            r.Width = w;
            r.Height = int(std::min<int64_t>(int64_t(GetMojiH(lines.first())) * lines.size(), INT32_MAX));
        } else if (r.Syu == u"5") {
            SetFont(r.FontName, r.FontSize, r.FontB == 1);
            switch (r.Siki1) {
            case 0:
                r.Width = int(std::min<int64_t>(yokoWidth(*this, r), INT32_MAX));
                r.Height = GetMojiH(r.Siki);
                break;
            case 1:
                r.Width = GetMojiWidth(r);
                r.Height = GetMojiHeight(r);
                break;
            case 2: {
                const BunsuParts b = GetBunsu(FullWidthOperators(r.Siki), r.Kotae);
                const QString a = QStringLiteral("a");
                auto longer = [](const QString &num, const QString &den) {
                    return num.size() > den.size() ? num : den;
                };
                QString m;
                if (!b.bunsu1t.isEmpty())
                    m += b.bunsu1t + a;
                if (!b.bunsu1b.isEmpty())
                    m += longer(b.bunsu1s, b.bunsu1b) + a;
                // The signs stand in the room of one "a" (the fraction layout).
                m += QStringLiteral("＋") + a;
                if (!b.bunsu2t.isEmpty())
                    m += b.bunsu2t + a;
                if (!b.bunsu2b.isEmpty())
                    m += longer(b.bunsu2s, b.bunsu2b) + a;
                m += QStringLiteral("＝") + a;
                if (!b.bunsukt.isEmpty())
                    m += b.bunsukt + a;
                if (!b.bunsukb.isEmpty())
                    m += longer(b.bunsuks, b.bunsukb) + a;
                r.Width = GetMojiW(m);
                r.Height = 2 * GetMojiH(r.Siki);
                break;
            }
            case 3:
                if (resize && resize->oldFrame.width() > 0 && resize->oldFrame.height() > 0) {
                    const QRect &o = resize->oldFrame;
                    const QRect &n = resize->newFrame;
                    r.X1 = int(n.left() + scaleBy(int64_t(r.X1) - o.left(), n.width(), o.width()));
                    r.Y1 = int(n.top() + scaleBy(int64_t(r.Y1) - o.top(), n.height(), o.height()));
                    r.Width = int(scaleBy(r.Width, n.width(), o.width()));
                    r.Height = int(scaleBy(r.Height, n.height(), o.height()));
                }
                break;
            default: break;
            }
        }
    }
}
