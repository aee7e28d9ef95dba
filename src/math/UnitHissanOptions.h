// How a column problem (Siki1 1) is laid out on the sheet beyond its digits,
// kept in the row's text field RandZ2 as "key=value" pairs joined by ";":
// squares for the pupil's digits ("masu=1", マス目を表示) and a low empty row
// above the problem for carry marks ("memo=1", くり上がりのメモ). The column
// page of the expression tool reads and writes the field through
// HissanOptions; the layouts and the text metrics read it to draw and measure
// the problem. A pair this program does not know is kept as it was written
// and ignored, an option that is off is not written, so a row without options
// keeps an empty field and draws as a row that never had one. Nothing here
// touches the document or a window.
#pragma once

#include "math/UnitKeyValueText.h"

#include <QList>
#include <QString>

class HissanOptions
{
public:
    HissanOptions() = default;
    // Reads the field; pieces without "=", unknown keys and values other
    // than 0 and 1 are kept for text() but count as off.
    static HissanOptions fromText(const QString &text);
    // The field as it is to be stored: the pieces in their order, a changed
    // option where it stood (or at the end), options that are off left out.
    // Until an option changes it is the text read, byte for byte.
    QString text() const;

    bool masu() const { return value(u"masu"); }
    bool memo() const { return value(u"memo"); }
    void setMasu(bool on) { set(u"masu", on); }
    void setMemo(bool on) { set(u"memo", on); }

private:
    using Piece = KeyValuePiece;
    bool value(QStringView key) const;
    void set(QStringView key, bool on);
    static bool isOn(const Piece &piece, QStringView key);

    QList<Piece> mPieces;
    QString mRead;         // the text as read
    bool mChanged = false; // an option was switched
};

// The height of the carry-mark row for a problem whose lines are rh high:
// half a line, so the marks are small, as pupils write them.
inline int HissanMemoHeight(int rh)
{
    return rh > 0 ? rh / 2 : 0;
}

// The memo row of a row's RandZ2 for lines of height rh: HissanMemoHeight(rh)
// when "memo=1" is set, else 0.
int HissanMemoHeightOf(const QString &RandZ2, int rh);
