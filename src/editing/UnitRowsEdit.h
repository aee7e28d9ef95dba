// One entry point for the arrangement and panel commands to change rows:
// the edit runs as one command named `text` on the document's undo stack
// (Document::runEdit), so it can be undone and redone byte for byte and the
// pages it touched are redrawn. Where a document has no undo stack yet the
// edit is applied directly and marks the worksheet changed.
#pragma once

#include "document/UnitData.h"

#include <QString>
#include <functional>

// True when the document keeps an undo stack whose changes redraw the
// pages they touched; otherwise the caller redraws.
template <class Doc> constexpr bool HasUndoStack = requires(Doc &d)
{
    d.undoStack();
};

template <class Doc>
bool RunRowsEdit(Doc &doc, const QString &text, const std::function<void()> &edit)
{
    if constexpr (requires { doc.runEdit(text, edit); }) {
        return doc.runEdit(text, edit);
    } else {
        const QVector<RAData> before = doc.AData;
        edit();
        if (doc.AData == before)
            return false;
        doc.FileData.HensyuB = true;
        return true;
    }
}
