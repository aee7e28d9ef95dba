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

// The largest payload that is pasted: as large as the largest picture file
// the editor takes, which no copied selection of a worksheet comes near.
inline constexpr qsizetype MaxObjectsPayloadSize = qsizetype(256) << 20;
inline const QString ObjectsPayloadTooLargeText =
    QStringLiteral("クリップボードのデータが大きすぎるため、貼り付けることができません。");

// The rows (in table order) and the pictures they use, as worksheet bytes.
QByteArray PackRows(const Document &doc, const QVector<int> &rows);

// The packed rows as new objects for `page`, moved by `offset` units, with
// the pictures they use (AddObjectsCommand gives them their IDs). Empty when
// the bytes are not a worksheet. A picture object whose picture is not in
// the bytes gets an empty picture of its own.
RNewObjects UnpackObjects(const QByteArray &bytes, int page, int offset);
