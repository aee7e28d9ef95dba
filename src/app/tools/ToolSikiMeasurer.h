// The measurer the command-line tool hands to the expression tool window: it
// measures through the renderer's Metrics, exactly as the main window does,
// so the rows the commands print match the rows "決定" writes. It only
// measures; it never draws and never changes a row.
#pragma once

#include "math/UnitSikiMeasure.h"
#include "render/UnitMetrics.h"

class ToolSikiMeasurer : public SikiMeasurer
{
public:
    int textWidth(const QString &text, const QString &fontName, int fontSize) override
    {
        mMetrics.SetFont(fontName, fontSize);
        return mMetrics.GetMojiW(text);
    }
    int textHeight(const QString &text, const QString &fontName, int fontSize) override
    {
        mMetrics.SetFont(fontName, fontSize);
        return mMetrics.GetMojiH(text);
    }
    int rowWidth(const RAData &row) override { return mMetrics.GetMojiWidth(row); }
    int rowHeight(const RAData &row) override { return mMetrics.GetMojiHeight(row); }

private:
    Metrics mMetrics;
};
