// The fraction layout (Siki1 2: numerators over denominators with whole
// parts beside them, the operator, "＝" and the answer) and the word-problem
// layout (Siki1 3: the sentence with its numbers, the formula label and
// formula, the answer line with its box or brackets).
#include "render/UnitDrawSikiLayout.h"

namespace siki_draw
{

namespace
{

// The wider of numerator and denominator as written (the denominator when
// they are equally long).
const QString &longer(const QString &num, const QString &den)
{
    return num.size() > den.size() ? num : den;
}

} // namespace

void drawBunsuSiki(SikiLayout &L)
{
    const RAData &r = L.row();
    Metrics &m = L.metrics();
    BunsuParts b = GetBunsu(FullWidthOperators(r.Siki), r.Kotae);
    const QString a = QStringLiteral("a");
    const int64_t h = m.GetMojiH(a);
    const int64_t mid = L.Y1 + h / 2;
    int64_t x = L.X1;
    const int centre = TextFormat::CentreTopClipped;

    // A whole part, centred between the numerator and denominator lines;
    // the extra "a" is the spacing.
    auto whole = [&](Part part, const QString &t) {
        if (t.isEmpty())
            return;
        const int64_t w = m.GetMojiW(t + a);
        L.text(part, x, mid, x + w, mid + h, t, centre);
        x += w;
    };
    // A fraction in a column as wide as its longer part plus one "a".
    auto fraction = [&](Part part, const QString &num, const QString &den, int64_t numHeight,
                        Integer &width) {
        width = m.GetMojiW(longer(num, den) + a);
        L.text(part, x, L.Y1, x + width, L.Y1 + numHeight, num, centre);
        L.text(part, x, L.Y1 + h, x + width, L.Y1 + 2 * h, den, centre);
        L.bar(part, x, x + width, L.Y1 + h);
        x += width;
    };
    // "＋", "－", "×", "÷" and "＝" get the room of one "a" beside them,
    // half on each side (the text is centred), so that they stand clear of
    // the fraction bars as in a textbook instead of touching them.
    auto sign = [&](const QString &t) {
        const int64_t w = m.GetMojiW(t + a);
        L.text(Part::Problem, x, mid, x + w, mid + h, t, centre);
        x += w;
    };

    whole(Part::Problem, b.bunsu1t);
    if (!b.bunsu1b.isEmpty())
        fraction(Part::Problem, b.bunsu1s, b.bunsu1b, h, b.bunsu1W);
    if (!b.bunsu2t.isEmpty() || !b.bunsu2s.isEmpty() || !b.bunsu2b.isEmpty()) {
        sign(b.bunsukigou);
        whole(Part::Problem, b.bunsu2t);
        if (!b.bunsu2b.isEmpty())
            fraction(Part::Problem, b.bunsu2s, b.bunsu2b, h, b.bunsu2W);
    }
    sign(QStringLiteral("＝"));

    whole(Part::Answer, b.bunsukt);
    if (!b.bunsuks.isEmpty() && !b.bunsukb.isEmpty())
        fraction(Part::Answer, b.bunsuks, b.bunsukb, m.GetMojiH(b.bunsuks), b.bunsukW);
}

void drawBunsyoSiki(SikiLayout &L)
{
    const RAData &r = L.row();
    Metrics &m = L.metrics();
    const int64_t h = m.GetMojiH(QStringLiteral("a"));
    const int64_t bottom = L.Y1 + int64_t(r.Height);
    const int64_t right = L.pageRight();
    const int64_t R = L.R;
    const int left = TextFormat::LeftTopClipped;
    // A line that would reach the bottom of the box moves up onto its last
    // line.
    auto limited = [&](int64_t y) { return y + h >= bottom ? bottom - h : y; };

    QString sentence = r.BunsyoText;
    sentence.replace(u'①', r.BunsyoR1);
    sentence.replace(u'②', r.BunsyoR2);
    const int64_t n = sentence.split(QStringLiteral("\r\n")).size();
    L.text(Part::Problem, L.X1, L.Y1, right, bottom, sentence, left);

    const int64_t yS = limited(L.Y1 + (n + 1) * h);
    L.text(Part::Problem, L.X1, yS - h / 4, R, yS + h - h / 4, r.BunsyoSiki, left);

    // The answer line, four lines below the formula label's line.
    constexpr int AnswerGap = 4;
    const int64_t yA = limited(L.Y1 + (n + AnswerGap + 2) * h);
    const int64_t top = yA - h / 4;
    const int64_t low = yA + h - h / 4;
    const int64_t labelW = m.GetMojiW(r.BunsyoKotaeCombo);
    int64_t answerX1 = 0, answerX2 = 0;
    QString answer;
    if (r.BunsyoTani == 1) {
        const int64_t u = m.GetMojiW(r.BunsyoKotaeTani);
        L.text(Part::Problem, R - u, top, R, low, r.BunsyoKotaeTani, left);
        const int64_t bw = m.GetMojiW(r.BunsyoKotae) + 2 * m.GetMojiW(QStringLiteral("あ"));
        L.box(Part::Problem, R - u - bw, yA - h / 2, R - u, yA + h);
        L.text(Part::Problem, R - u - bw - labelW, top, R - u - bw, low, r.BunsyoKotaeCombo, left);
        answerX1 = R - u - bw;
        answerX2 = R - u;
        answer = r.BunsyoKotae;
    } else {
        const int64_t p = m.GetMojiW(QStringLiteral("）"));
        L.text(Part::Problem, R - p, top, R, low, QStringLiteral("）"), left);
        const int64_t bw = m.GetMojiW(QStringLiteral("（あ") + r.BunsyoKotae + r.BunsyoKotaeTani +
                                      QStringLiteral("あ"));
        L.text(Part::Problem, R - p - bw, top, R, low, QStringLiteral("（"), left);
        L.text(Part::Problem, R - p - bw - labelW, top, R - p - bw, low, r.BunsyoKotaeCombo, left);
        answerX1 = R - bw;
        answerX2 = R - p;
        answer = r.BunsyoKotae + r.BunsyoKotaeTani;
    }

    // The formula one line below its label, indented by the label's width.
    const QString formula = FullWidthOperators(r.Bunsyo1) + u'＝' + r.Bunsyo2;
    const int64_t yF = limited(L.Y1 + (n + 2) * h);
    L.text(Part::Answer, L.X1 + m.GetMojiW(r.BunsyoSiki), yF - h / 4, right, yF + h - h / 4,
           formula, left);
    L.text(Part::Answer, answerX1, top, answerX2, low, answer, TextFormat::CentreTopClipped);
}

} // namespace siki_draw
