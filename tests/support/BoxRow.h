// A plain box of the worksheet layer, appended to a document with a fresh ID:
// the simplest object for tests that need something on the page.
#pragma once

#include "document/UnitData.h"

inline void AddBoxRow(Document &doc, int x, int y, int w, int h)
{
    const int r = doc.AppendRow();
    RAData &row = doc.AData[r];
    row.ID = doc.GetId();
    row.Syu = "3";
    row.Layer = 1;
    row.X1 = x;
    row.Y1 = y;
    row.Width = w;
    row.Height = h;
    row.FontSize = 1;
}
