// "名前欄を追加": a ready name header for the top of a page: the date
// "　　月　　日", "名前" and the score, each with the box the pupil writes in,
// as name-field objects (Layer 3), laid out across the printable width of
// the page (the paper less 10 mm on each side). This unit only computes the
// rows and the room they need: which objects of the page move down and by
// how much. The editing controller pushes the result as one command; nothing
// here changes a document or shows a window.
#pragma once

#include "document/UnitData.h"
#include "document/UnitRowCommands.h"

#include <QRect>
#include <QString>
#include <QVector>

class Metrics;

enum class NameHeaderStyle {
    OneLine = 0,     // "1行": 月日・名前・点 side by side in one row
    ScoreCircle = 1, // "点数の丸つき": 月日 over 名前, a large score area at the right
};

// The printable margin of every side, in page units (10 mm at 96 dpi).
int NameHeaderMargin();
// The cell height of the header's texts, in page units.
inline constexpr int NameHeaderFontSize = 20;

struct RNameHeader {
    bool fits = false;
    // Why nothing can be placed, in the program's words (empty when it fits).
    QString message;
    // The boxes and texts of the header, in drawing order (each box before
    // its text), all of Layer 3 and KotaeMode 0 on the page.
    QVector<RAData> rows;
    // The objects of the page that lie in the header's way and everything
    // below them, each moved down by the same amount.
    QVector<RRowShift> shifts;
    // The header's own rectangle, and the free band below it that the moved
    // objects keep from it.
    QRect area;
    int gapBelow = 0;
    // Some moved object ends below the bottom of the paper.
    bool pushesOffPage = false;
};

// Lays out the header of `style` at the top of page `page` in the face
// `fontName`, measured with `metrics`, for the worksheet's current paper.
RNameHeader LayoutNameHeader(const Document &doc, int page, NameHeaderStyle style,
                             const QString &fontName, Metrics &metrics);
