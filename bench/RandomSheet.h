// Worksheets of random problems for the benchmarks: pages of horizontal and
// column problems whose numbers "作成" draws anew, half additions and half
// subtractions, in two columns.
#pragma once

#include "document/UnitData.h"

namespace bench
{

inline Document MakeRandomSheet(int pages, int perPage)
{
    Document doc;
    int id = 1;
    for (int page = 0; page < pages; ++page)
        for (int i = 0; i < perPage; ++i) {
            RAData r;
            r.ID = id++;
            r.Syu = QStringLiteral("5");
            r.Page = page;
            r.Siki1 = i % 4 < 2 ? 0 : 1; // horizontal, column
            r.Rand = 1;
            r.Layer = 1;
            r.FontName = QStringLiteral("ＭＳ ゴシック");
            r.FontSize = 16;
            r.X1 = 40 + (i % 2) * 380;
            r.Y1 = 60 + (i / 2) * (1000 / std::max(1, (perPage + 1) / 2));
            r.Width = 300;
            r.Height = 40;
            r.RandKigou = Byte(i % 2);
            r.RandX1 = r.RandY1 = QStringLiteral("10");
            r.RandX2 = r.RandY2 = QStringLiteral("999");
            r.RandA1 = QStringLiteral("1");
            r.RandA2 = QStringLiteral("2000");
            doc.AData.append(r);
        }
    return doc;
}

} // namespace bench
