// Objects on the clipboard. Selected rows travel as a small worksheet in
// the file format's own bytes (the rows and the pictures they use) under a
// MIME type of this program, so they paste into another worksheet and into
// another running copy of the editor. The functions here only pack and
// unpack; the editing controller runs them inside its commands.
#pragma once

#include "document/UnitData.h"

#include <QByteArray>
#include <QVector>

inline const QString ObjectsMimeType = QStringLiteral("application/x-tavenor-print-objects");

// The rows (in table order) and the pictures they use, as worksheet bytes.
QByteArray PackRows(const Document &doc, const QVector<int> &rows);

// Appends the packed rows to the document on `page`, moved by `offset`
// units, with new IDs and their pictures appended. Returns the indexes of
// the new rows; empty (and the document unchanged) when the bytes are not
// a worksheet.
QVector<int> UnpackRows(Document &doc, const QByteArray &bytes, int page, int offset);
