// Keeps every change a document announces (do, undo and redo), in order,
// for the tests of what the commands tell the views.
#pragma once

#include "document/UnitCommands.h"

#include <QVector>

struct ChangeRecorder {
    explicit ChangeRecorder(Document &d)
    {
        QObject::connect(&d.events(), &DocumentEvents::changed,
                         [this](const RChange &c) { changes.append(c); });
    }
    QVector<RChange> changes;
};
