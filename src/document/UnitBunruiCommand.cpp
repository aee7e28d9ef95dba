#include "document/UnitBunruiCommand.h"

RBunruiValues BunruiValuesOf(const Document &doc)
{
    return RBunruiValues{doc.NenIndex, doc.KyoukaIndex, doc.Naiyou};
}

ChangeBunruiCommand::ChangeBunruiCommand(Document &doc, const RBunruiValues &after)
    : DocumentCommand(doc, QStringLiteral("分類")), mBefore(BunruiValuesOf(doc)), mAfter(after)
{
}

void ChangeBunruiCommand::undo()
{
    apply(mBefore, true);
}

void ChangeBunruiCommand::redo()
{
    apply(mAfter, false);
    mFirstRedo = false;
}

void ChangeBunruiCommand::apply(const RBunruiValues &values, bool undone)
{
    mDoc.NenIndex = values.NenIndex;
    mDoc.KyoukaIndex = values.KyoukaIndex;
    mDoc.Naiyou = values.Naiyou;
    RChange change;
    change.undone = undone;
    change.initial = mFirstRedo && !undone;
    announce(change);
}
