// The fraction page of the expression tool: the fraction expression built
// from the six boxes, its answer, the improper-fraction display, the
// reverse split of a stored fraction object and the fraction writer.
#include "math/UnitSiki.h"

#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"

namespace {
const QString Signs = QStringLiteral("+-*/");
const QString WideSigns = QStringLiteral("＋－×÷");

// The groups of a stored fraction expression and its answer, read with the
// same small state machine as the page renderer's fraction splitter: "s"
// opens a numerator, "b" a denominator, and an operator counts only after a
// complete first fraction.
struct FractionParts {
    QString t1, s1, b1, t2, s2, b2, kigou, kt, ks, kb;
};

FractionParts splitFraction(const QString &siki, const QString &kotae)
{
    FractionParts p;
    int state = 0;
    for (QChar ch : siki) {
        const int wide = WideSigns.indexOf(ch);
        const int ascii = Signs.indexOf(ch);
        if (ch == u's') {
            state = state == 0 ? 1 : 5;
        } else if (ch == u'b') {
            state = state == 1 ? 2 : 6;
        } else if (wide >= 0 || ascii >= 0) {
            if (state == 2)
                state = 3;
            if (state == 3)
                p.kigou = WideSigns.at(wide >= 0 ? wide : ascii);
        } else {
            if (state == 3)
                state = 4;
            QString *target[] = {&p.t1, &p.s1, &p.b1, nullptr, &p.t2, &p.s2, &p.b2};
            if (target[state])
                target[state]->append(ch);
        }
    }
    state = 0;
    for (QChar ch : kotae) {
        if (ch == u's')
            state = state == 0 ? 1 : 5;
        else if (ch == u'b')
            state = state == 1 ? 2 : 6;
        else if (state == 0)
            p.kt.append(ch);
        else if (state == 1)
            p.ks.append(ch);
        else if (state == 2)
            p.kb.append(ch);
    }
    return p;
}

// One operand of the measuring text: whole part + "a" when there is one,
// then the longer of numerator and denominator (the denominator on equal
// length) + "a" when there is a denominator.
QString measurePart(const QString &whole, const QString &num, const QString &den)
{
    QString out;
    if (!whole.isEmpty())
        out += whole + u'a';
    if (!den.isEmpty())
        out += (num.size() > den.size() ? num : den) + u'a';
    return out;
}
} // namespace

void TFormSiki::KeisanBunsu()
{
    const int signIndex = qBound(0, ComboBunsu->currentIndex(), 3);
    const QString siki = EditBunsu1T->text() + u's' + EditBunsu1S->text() + u'b' +
                         EditBunsu1B->text() + Signs.at(signIndex) + EditBunsu2T->text() + u's' +
                         EditBunsu2S->text() + u'b' + EditBunsu2B->text();
    MemoBunsuSiki->setText(siki);

    const FKeisanResult r = mKeisan2.FKeisan(siki);
    // The result text is the whole part, or the evaluator's message with the
    // other outputs empty.
    mBunsuError = (r.result != r.whole) ? r.result : QString();
    QString whole = r.whole == QStringLiteral("0") ? QString() : r.whole;
    QString num = r.numerator;
    QString den = r.denominator;
    if (CheckKabunsu->isChecked() && TextToInt64(r.whole) > 0) {
        if (den.isEmpty())
            den = QStringLiteral("1");
        num = QString::number(TextToInt64(den) * TextToInt64(r.whole) + TextToInt64(num));
        whole.clear();
    }
    EditBunsuKT->setText(whole);
    EditBunsuKS->setText(num);
    EditBunsuKB->setText(den);
    mBunsuKotae = whole + u's' + num + u'b' + den;
    mAnswerText = mBunsuKotae;
    mDisplayText = siki;
    for (int i = 0; i < Signs.size(); ++i)
        mDisplayText.replace(Signs.at(i), WideSigns.at(i));
}

void TFormSiki::MakeSikiKotaeBunsu()
{
    const FractionParts p = splitFraction(MemoBunsuSiki->text(), mBunsuKotae);
    const QList<QPair<QLineEdit *, QString>> boxes{
        {EditBunsu1T, p.t1}, {EditBunsu1S, p.s1}, {EditBunsu1B, p.b1}, {EditBunsu2T, p.t2},
        {EditBunsu2S, p.s2}, {EditBunsu2B, p.b2}, {EditBunsuKT, p.kt}, {EditBunsuKS, p.ks},
        {EditBunsuKB, p.kb}};
    for (const auto &[box, text] : boxes)
        box->setText(text);
    {
        const QSignalBlocker block(ComboBunsu);
        const int sign = WideSigns.indexOf(p.kigou);
        ComboBunsu->setCurrentIndex(sign >= 0 ? sign : 0);
    }
    KeisanBunsu();
    SetNyu();
}

TFormSiki::InputState TFormSiki::CheckBunsu(QString &message)
{
    const bool allEmpty = EditBunsu1T->text().isEmpty() && EditBunsu1S->text().isEmpty() &&
                          EditBunsu1B->text().isEmpty() && EditBunsu2T->text().isEmpty() &&
                          EditBunsu2S->text().isEmpty() && EditBunsu2B->text().isEmpty();
    if (MemoBunsuSiki->text().isEmpty() || allEmpty)
        return InputEmpty;
    // Recomputed so that the row matches the boxes as they are now.
    KeisanBunsu();
    message = mBunsuError;
    return mBunsuError.isEmpty() ? InputOk : InputError;
}

void TFormSiki::WriteBunsuFields(RAData &row)
{
    row.Siki = MemoBunsuSiki->text();
    row.Kotae = mBunsuKotae;
    row.HissanSiki.clear();
    row.Siki1 = PageBunsu;
    row.Siki2 = 0;

    const bool secondEmpty = EditBunsu2T->text().isEmpty() && EditBunsu2S->text().isEmpty() &&
                             EditBunsu2B->text().isEmpty();
    QString text = measurePart(EditBunsu1T->text(), EditBunsu1S->text(), EditBunsu1B->text());
    if (!secondEmpty)
        text += QStringLiteral("＋a") +
                measurePart(EditBunsu2T->text(), EditBunsu2S->text(), EditBunsu2B->text());
    // Each sign stands in the room of one "a", as the page draws it.
    text += QStringLiteral("＝a") +
            measurePart(EditBunsuKT->text(), EditBunsuKS->text(), EditBunsuKB->text());
    SikiMeasurer &m = measurer();
    row.Width = m.textWidth(text, row.FontName, row.FontSize);
    row.Height = 2 * m.textHeight(row.Siki, row.FontName, row.FontSize);
}

