// "まとめて配置": a set of math problems laid out in one even grid. This unit
// holds the set's options, the numbering texts, the area of a page a set may
// use and the grid itself; the expression tool draws the problems and the
// editor pushes the result as one command. Nothing here shows a window or
// changes a document.
#pragma once

#include "document/UnitData.h"
#include "math/UnitSikiMeasure.h"

#include <QRect>
#include <QString>
#include <QVector>

enum class SetNumbering { Paren = 0, Circle = 1, Dot = 2, None = 3 };
enum class SetArea { BelowObjects = 0, WholePage = 1 };

struct RSetOptions {
    int count = 20;   // 1 .. SetMaxCount
    int columns = 0;  // 0 "自動", else 1 .. SetMaxColumns
    SetArea area = SetArea::BelowObjects;
    SetNumbering numbering = SetNumbering::Paren;
    int gapMm = 5;    // between two problems, in millimetres
};

inline constexpr int SetMaxCount = 60;
inline constexpr int SetMaxColumns = 6;

// The number in front of problem `number` (from 1): "(1)", "①", "1." or
// nothing. Circled numbers exist up to ㊿; later ones take parentheses.
QString SetNumberText(SetNumbering numbering, int number);

// The part of page `page` (page units) a set may fill: the paper less a
// margin of 10 mm on every side that printers can print, and with
// SetArea::BelowObjects only what lies below the lowest object of the page
// (and a gap). Empty when nothing is left.
QRect SetAreaRect(const Document &doc, int page, SetArea area, int gap);

// Page units of a distance in millimetres at 96 dpi.
int SetUnitsFromMm(int mm);

struct RSetLayout {
    bool fits = false;
    // The problems that would fit with these options (all of them when fits).
    int fitCount = 0;
    int columns = 0, rowCount = 0;
    // The problems at their places, then one text row per number (when
    // numbered), in that order.
    QVector<RAData> rows;
    // Why nothing is placed, in the program's words (empty when it fits).
    QString message;
};

// Lays out `problems` (measured rows: Width and Height set) on page `page`
// inside `area`: cells as large as the largest problem with its number in
// front, spread evenly over the area's width in `columns` columns ("自動":
// as many as fit, at most six), row by row from the top. The number texts
// take the problems' font, size, layer and mode and are measured with `m`.
RSetLayout LayoutSet(const QVector<RAData> &problems, const RSetOptions &options, int page,
                     const QRect &area, SikiMeasurer &m);
