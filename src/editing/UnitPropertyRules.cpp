#include "editing/UnitPropertyRules.h"
#include "editing/UnitArrange.h"
#include "editing/UnitEditPanels.h"
#include "platform/UnitNumText.h"

#include <limits>

namespace
{

template <typename Fn>
bool forSelected(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Fn fn)
{
    const QVector<int> rows = SelectedRows(AData, sel);
    for (int r : rows)
        fn(AData[r]);
    return !rows.isEmpty();
}

RAData *firstSelected(QVector<RAData> &AData, const QVector<RMouseSelect> &sel)
{
    if (sel.isEmpty() || sel[0].ANo < 0 || sel[0].ANo >= AData.size())
        return nullptr;
    return &AData[sel[0].ANo];
}

} // namespace

bool SetForeColorRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, TColor color)
{
    return forSelected(AData, sel, [color](RAData &r) { r.ForeColor = color; });
}

bool SetBackColorRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, TColor color)
{
    return forSelected(AData, sel, [color](RAData &r) {
        r.BackColor = color;
        r.BackColorB = 1;
    });
}

bool ClearBackColorRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel)
{
    return forSelected(AData, sel, [](RAData &r) { r.BackColorB = 0; });
}

bool SetFontNameRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, const QString &name)
{
    return forSelected(AData, sel, [&name](RAData &r) { r.FontName = name; });
}

bool SetFontSizeRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Integer size)
{
    return forSelected(AData, sel, [size](RAData &r) { r.FontSize = size; });
}

bool SetFirstFontSize(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Integer size,
                      const QString &onlyKind)
{
    RAData *row = firstSelected(AData, sel);
    if (!row || (!onlyKind.isEmpty() && row->Syu != onlyKind))
        return false;
    row->FontSize = size;
    return true;
}

bool SetStyleRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, FontStyle style,
                  bool on)
{
    const Integer v = on ? 1 : 0;
    return forSelected(AData, sel, [style, v](RAData &r) {
        switch (style) {
        case FontStyle::Bold:
            if (r.Syu == u"1" || r.Syu == u"5")
                r.FontB = v;
            break;
        case FontStyle::Italic:
            r.FontI = v;
            break;
        case FontStyle::Underline:
            r.FontU = v;
            break;
        case FontStyle::Strike:
            r.FontS = v;
            break;
        }
    });
}

Integer IntegerFromText(const QString &text)
{
    try {
        return TextToInt(text.trimmed());
    } catch (const NumTextError &) {
        return 0;
    }
}

std::optional<Integer> FontSizeFromEnter(const QString &text)
{
    double value = 0;
    try {
        value = TextToFloat(text.trimmed());
    } catch (const NumTextError &) {
        return std::nullopt;
    }
    if (!(value > 6 && value < 1000))
        return std::nullopt;
    return IntegerFromText(text);
}

Integer StepFontSize(const QString &text, bool up)
{
    const int64_t v = int64_t(IntegerFromText(text)) + (up ? 1 : -1);
    return Integer(std::clamp<int64_t>(v, std::numeric_limits<Integer>::min(),
                                       std::numeric_limits<Integer>::max()));
}

Integer StepPenWidth(const QString &text, bool up)
{
    const Integer v = IntegerFromText(text);
    if (up)
        return v < std::numeric_limits<Integer>::max() ? v + 1 : v;
    return v > 1 ? v - 1 : v;
}

bool SetFirstCoordinates(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Integer X1,
                         Integer Y1, Integer X2, Integer Y2, Integer Width, Integer Height)
{
    RAData *row = firstSelected(AData, sel);
    if (!row)
        return false;
    row->X1 = X1;
    row->Y1 = Y1;
    row->X2 = X2;
    row->Y2 = Y2;
    row->Width = Width;
    row->Height = Height;
    return true;
}

bool NudgeAllRows(QVector<RAData> &AData, Integer dy)
{
    for (RAData &r : AData)
        r.Y1 = Integer(std::clamp<int64_t>(int64_t(r.Y1) + dy, std::numeric_limits<Integer>::min(),
                                           std::numeric_limits<Integer>::max()));
    return !AData.isEmpty();
}

QString GradeFontSizeText(Integer nenIndex, const QString &startSize)
{
    if (nenIndex != 1 && nenIndex != 2)
        return startSize;
    int start = 0;
    if (ReadIntegerBox(startSize, start) && start >= YoungGradeFontSize)
        return startSize;
    return QString::number(YoungGradeFontSize);
}

QString SizeBoxAfterGrade(const QString &box, Integer before, Integer after,
                          const QString &startSize)
{
    const QString shown = GradeFontSizeText(before, startSize);
    int boxValue = 0, shownValue = 0;
    // " 24" and "24" are the same size; a text that is no size is the teacher's.
    const bool untouched = box.trimmed() == shown.trimmed() ||
                           (ReadIntegerBox(box, boxValue) && ReadIntegerBox(shown, shownValue) &&
                            boxValue == shownValue);
    return untouched ? GradeFontSizeText(after, startSize) : box;
}
