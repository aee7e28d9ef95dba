// "決定" of the expression tool as one undoable command: the page shown in
// the tool writes its problem into a new row ("作成") or into the row being
// edited ("書き換え"). The tool builds and pushes it; the page writers of
// TFormSiki do the writing on the command's first application.
#pragma once

#include "document/UnitCommands.h"

class TFormSiki;

class WriteProblemCommand : public RecordedCommand
{
public:
    WriteProblemCommand(Document &doc, TFormSiki &tool);
    // The row written, or -1 (after the first application).
    int row() const { return mRow; }

protected:
    void edit() override;

private:
    TFormSiki &mTool;
    int mRow = -1;
};
