// Worksheets of column problems for the benchmarks: pages of 60 problems,
// 15 of each operation in four columns, laid out by the column engines
// (some divisions carried to decimal places for longer working rows).
#pragma once

#include "math/UnitHissan.h"
#include "math/UnitHissanWarizan.h"
#include "render/UnitMetrics.h"

namespace bench {

inline const char *const kColumnProblems[4][6] = {
    {"12.5+3.75", "345+678", "9.08+1.2", "4567+89", "0.25+0.75", "1.2+3.4+5.6"},
    {"72.3-6.14", "903-457", "10.5-2.75", "8000-123", "6.2-1.7", "95-38"},
    {"35*63", "2.4*1.5", "127*8", "406*39", "0.25*4", "78*56"},
    {"75/4", "7.5/2.5", "3/0.25", "1000/7", "98.6/3.4", "42/6"},
};

inline Document MakeColumnSheet(int pages)
{
    Document doc;
    Metrics m;
    int id = 0;
    for (int page = 0; page < pages; ++page)
        for (int i = 0; i < 60; ++i) {
            RAData r;
            r.ID = id++;
            r.Syu = QStringLiteral("5");
            r.Page = page;
            r.FontName = QStringLiteral("ＭＳ ゴシック");
            r.FontSize = 14;
            r.Layer = 1;
            r.KotaeMode = i % 5 == 0 ? 1 : 0;
            const int op = (i + page) % 4;
            const QString e = QString::fromUtf8(kColumnProblems[op][(i / 4 + page) % 6]);
            if (SetHissanRow(r, e) != HissanStatus::Ok)
                continue;
            if (op == 3 && i % 8 == 3) {
                TFormHissanWarizan engine;
                if (engine.Warizan(e) && engine.WarizanNext() && engine.WarizanNext())
                    engine.fillRow(r);
            }
            r.Width = m.GetMojiWidth(r);
            r.Height = m.GetMojiHeight(r);
            r.X1 = 20 + (i % 4) * 190;
            r.Y1 = 20 + (i / 4) * 72;
            doc.AData.append(r);
        }
    return doc;
}

} // namespace bench
