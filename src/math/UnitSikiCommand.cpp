#include "math/UnitSikiCommand.h"
#include "math/UnitSiki.h"

WriteProblemCommand::WriteProblemCommand(Document &doc, TFormSiki &tool)
    : RecordedCommand(doc,
                      doc.NewData.ID >= 0 ? QStringLiteral("書き換え") : QStringLiteral("作成")),
      mTool(tool)
{
}

void WriteProblemCommand::edit()
{
    switch (mTool.CurrentPage()) {
    case TFormSiki::PageYoko:
        mRow = mTool.KetteiYoko();
        break;
    case TFormSiki::PageTate:
        mRow = mTool.KetteiTate();
        break;
    case TFormSiki::PageBunsu:
        mRow = mTool.KetteiBunsu();
        break;
    case TFormSiki::PageBunsyo:
        mRow = mTool.KetteiBunsyo();
        break;
    default:
        break;
    }
}
