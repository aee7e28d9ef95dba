// The expression tool's run of the "まとめて配置" dialog: what one opening of
// the dialog places. Only the expression tool's own files include it.
#pragma once

#include "math/UnitSiki.h"
#include "math/UnitSikiSetDialog.h"

// What one opening of the dialog places: the style and page of the set, and
// for a set made from a row, the pending object to give back afterwards.
class TFormSiki::SetRun : public SetPlacer
{
public:
    explicit SetRun(TFormSiki &tool) : mTool(tool) {}
    QString placeSet(const RSetOptions &options) override
    {
        firstRow = int(mTool.mDoc.AData.size());
        const QString refusal = mTool.PlaceSet(style, page, options);
        if (refusal.isEmpty())
            mTool.endSetRun(true);
        return refusal;
    }

    RAData style;
    int page = 0;
    bool fromRow = false;
    RAData pending; // NewData before a row was loaded
    int firstRow = 0; // where the set's rows begin in the table

private:
    TFormSiki &mTool;
};
