// A recorded command whose edit is any function: for the tests of the
// recording machinery itself and of what the views do after any shape of
// edit (rows in place, appended, removed, pictures, header fields).
#pragma once

#include "document/UnitCommands.h"

#include <QUndoStack>
#include <functional>
#include <memory>

class RecordedEdit : public RecordedCommand
{
public:
    RecordedEdit(Document &doc, const QString &text, std::function<void()> edit, RMerge merge = {})
        : RecordedCommand(doc, text, merge), mEdit(std::move(edit))
    {
    }

protected:
    void edit() override { mEdit(); }

private:
    std::function<void()> mEdit;
};

// Pushes the edit as one command; false when it changed nothing.
inline bool PushEdit(Document &doc, const QString &text, std::function<void()> edit,
                     RMerge merge = {})
{
    return doc.push(std::make_unique<RecordedEdit>(doc, text, std::move(edit), merge));
}
