// The short texts of "key=value" pairs joined by ";" that rows keep in their
// spare text fields (the random conditions in RandZ1, the sheet options of a
// column problem in RandZ2): read into pieces in their order and written
// back the same way. A piece without "=" is kept as it stands.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct KeyValuePiece {
    QString key;
    QString value;
    bool hasValue = false;
};

inline QList<KeyValuePiece> ReadKeyValueText(const QString &text)
{
    QList<KeyValuePiece> pieces;
    for (const QString &part : text.split(u';', Qt::SkipEmptyParts)) {
        KeyValuePiece p;
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0) {
            p.key = part;
        } else {
            p.key = part.left(eq);
            p.value = part.mid(eq + 1);
            p.hasValue = true;
        }
        pieces.append(p);
    }
    return pieces;
}

inline QString WriteKeyValueText(const QList<KeyValuePiece> &pieces)
{
    QStringList parts;
    for (const KeyValuePiece &p : pieces)
        parts << (p.hasValue ? p.key + u'=' + p.value : p.key);
    return parts.join(u';');
}
