// Regeneration of every random math problem of a worksheet ("作成"): walks
// the rows in table order and, for each math problem marked random, loads it
// into the expression tool without showing it, draws a new problem with
// MakeRandom and writes it back with the writer of its page. Called by the
// main window's "作成" (bar "ランダム" and the random button on a page) and
// by the command-line tool; the main window runs it as one undoable
// RegenerateCommand. It never redraws.
#pragma once

#include "document/UnitCommands.h"

#include <functional>

class TFormSiki;

// Progress of a run: called once with (0, maximum) before the first row and
// then with (position, maximum) after every row; maximum is the last row
// index.
using RegenerateProgress = std::function<void(int position, int maximum)>;

// Regenerates the random problems of doc through tool (whose batch history
// is emptied first, so that no two problems of the run repeat). It is no
// undo step itself: run as RegenerateCommand, the rewrite is one change of
// the worksheet. The pending object NewData is the same afterwards.
// Returns the number of rows rewritten; a row whose search found nothing
// keeps its problem (and is not counted).
int RegenerateAll(Document &doc, TFormSiki &tool, const RegenerateProgress &progress = {});

// "作成" as one undoable command over every row it rewrites.
class RegenerateCommand : public RecordedCommand
{
public:
    RegenerateCommand(Document &doc, TFormSiki &tool, RegenerateProgress progress = {});
    // The rows rewritten (after the first application).
    int written() const { return mWritten; }

protected:
    void edit() override;

private:
    TFormSiki &mTool;
    RegenerateProgress mProgress;
    int mWritten = 0;
};
