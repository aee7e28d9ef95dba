// The undoable change of a worksheet's classification: its grade index,
// subject index and content text, the three header values that the main
// window's boxes edit. Undo and redo put back exactly the values before and
// after; no page needs drawing again.
#pragma once

#include "document/UnitCommands.h"

struct RBunruiValues {
    Integer NenIndex = 0;
    Integer KyoukaIndex = 0;
    QString Naiyou;
    bool operator==(const RBunruiValues &) const = default;
};

RBunruiValues BunruiValuesOf(const Document &doc);

class ChangeBunruiCommand : public DocumentCommand
{
public:
    // The document still holds the values before the change.
    ChangeBunruiCommand(Document &doc, const RBunruiValues &after);

protected:
    bool firstApply() override;
    void reapply() override;
    void revert() override;
    RChange changeFor(bool undone) const override;

private:
    void apply(const RBunruiValues &values);
    RBunruiValues mBefore;
    RBunruiValues mAfter;
};
