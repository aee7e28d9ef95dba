// The rules of the property panels as pure functions: how a panel value
// reaches the selected rows (colours, font name, size and styles, line and
// box widths, the coordinate dialog's six values, the nudge window) and how
// the size boxes and their arrows read and step their texts. The panel
// controller turns each into an undoable command; the size box's start
// value for the worksheet's grade is here too. Nothing here measures,
// redraws or shows anything.
#pragma once

#include "document/UnitData.h"
#include "editing/UnitHitTest.h"

#include <QVector>
#include <optional>

// Every selected row (any kind) gets the colour as ForeColor.
bool SetForeColorRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, TColor color);
// A chosen background or fill: BackColor = colour, BackColorB = 1.
bool SetBackColorRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, TColor color);
// No background or fill: BackColorB = 0 (BackColor is kept).
bool ClearBackColorRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel);

// Every selected row (any kind) gets the font name.
bool SetFontNameRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, const QString &name);
// Every selected row (any kind) gets the size; for lines and boxes it is
// their pen width.
bool SetFontSizeRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Integer size);
// The first selected row gets the size, when its kind is `onlyKind` (empty:
// any kind). False when nothing changed.
bool SetFirstFontSize(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Integer size,
                      const QString &onlyKind = QString());

enum class FontStyle { Bold, Italic, Underline, Strike };
// A style toggle: bold reaches the selected texts and math problems only,
// the other three every selected row.
bool SetStyleRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, FontStyle style,
                  bool on);

// Enter in the font-size box: the size to set, or nothing when the text's
// value is not strictly between 6 and 1000. The size is the text read as an
// integer, so "7.5" gives 0.
std::optional<Integer> FontSizeFromEnter(const QString &text);
// The font-size arrows: the box's integer plus or minus one, no lower bound.
Integer StepFontSize(const QString &text, bool up);
// The line and box width arrows: plus one, or minus one while above 1.
Integer StepPenWidth(const QString &text, bool up);
// A box's text read as an integer; a text that is not one gives 0.
Integer IntegerFromText(const QString &text);

// The coordinate dialog: writes its six values into the first selected row.
bool SetFirstCoordinates(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Integer X1,
                         Integer Y1, Integer X2, Integer Y2, Integer Width, Integer Height);
// The nudge window: every row's Y1 moved by dy.
bool NudgeAllRows(QVector<RAData> &AData, Integer dy);

// New texts and problems for 1年 and 2年 start larger: young pupils read
// and write bigger characters.
inline constexpr Integer YoungGradeFontSize = 24;
// The size box's start value for a grade (the index of the grade list,
// 1 "１年" .. 6 "６年", 0 none): YoungGradeFontSize for 1年 and 2年 (or the
// usual start value when that is larger), else the usual start value
// `startSize`.
QString GradeFontSizeText(Integer nenIndex, const QString &startSize);
// The size box after the grade changed from `before` to `after`: the new
// grade's start value while the box still shows the old grade's; a size the
// teacher chose stays as it is.
QString SizeBoxAfterGrade(const QString &box, Integer before, Integer after,
                          const QString &startSize);
