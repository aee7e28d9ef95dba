// Objects on the clipboard. Selected rows travel as a small worksheet in
// the file format's own bytes (the rows and the pictures they use) under a
// MIME type of this program, so they paste into another worksheet and into
// another running copy of the editor. The functions here only pack and
// unpack; the editing controller turns what they unpack into a command.
#pragma once

#include "document/UnitData.h"
#include "document/UnitRowCommands.h"

#include <QByteArray>
#include <QVector>

inline const QString ObjectsMimeType = QStringLiteral("application/x-tavenor-print-objects");

// The rows (in table order) and the pictures they use, as worksheet bytes.
QByteArray PackRows(const Document &doc, const QVector<int> &rows);

// The packed rows as new objects for `page`, moved by `offset` units, with
// the pictures they use (AddObjectsCommand gives them their IDs). Empty when
// the bytes are not a worksheet.
RNewObjects UnpackObjects(const QByteArray &bytes, int page, int offset);
