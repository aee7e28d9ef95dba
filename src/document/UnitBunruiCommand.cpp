#include "document/UnitBunruiCommand.h"

RBunruiValues BunruiValuesOf(const Document &doc)
{
    return RBunruiValues{doc.NenIndex, doc.KyoukaIndex, doc.Naiyou};
}

ChangeBunruiCommand::ChangeBunruiCommand(Document &doc, const RBunruiValues &after)
    : DocumentCommand(doc, QStringLiteral("分類")), mBefore(BunruiValuesOf(doc)), mAfter(after)
{
}

bool ChangeBunruiCommand::firstApply()
{
    mBefore = BunruiValuesOf(mDoc);
    if (mBefore == mAfter)
        return false;
    apply(mAfter);
    return true;
}

void ChangeBunruiCommand::reapply()
{
    apply(mAfter);
}

void ChangeBunruiCommand::revert()
{
    apply(mBefore);
}

RChange ChangeBunruiCommand::changeFor(bool) const
{
    // The classification is not drawn on any page.
    return {};
}

void ChangeBunruiCommand::apply(const RBunruiValues &values)
{
    mDoc.NenIndex = values.NenIndex;
    mDoc.KyoukaIndex = values.KyoukaIndex;
    mDoc.Naiyou = values.Naiyou;
}
