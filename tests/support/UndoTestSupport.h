// Undo and redo for tests of commands, for documents with an undo stack.
// Each helper returns false (and does nothing) on a document without one,
// so that the checks of what undo gives back are made where undo exists.
#pragma once

#include "editing/UnitRowsEdit.h"

#include <QString>

template <class Doc> bool UndoDoc(Doc &doc)
{
    if constexpr (HasUndoStack<Doc>) {
        doc.undoStack().undo();
        return true;
    } else {
        return false;
    }
}

template <class Doc> bool RedoDoc(Doc &doc)
{
    if constexpr (HasUndoStack<Doc>) {
        doc.undoStack().redo();
        return true;
    } else {
        return false;
    }
}

// Number of commands on the stack (-1 without one).
template <class Doc> int UndoCount(Doc &doc)
{
    if constexpr (HasUndoStack<Doc>)
        return doc.undoStack().count();
    else
        return -1;
}

// Name of the command undo would take back (`fallback` without a stack).
template <class Doc> QString UndoText(Doc &doc, const QString &fallback)
{
    if constexpr (HasUndoStack<Doc>)
        return doc.undoStack().undoText();
    else
        return fallback;
}
