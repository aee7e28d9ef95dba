#include "editing/UnitClipboard.h"
#include "document/UnitFile.h"

#include <QMap>

namespace
{

// Kinds whose PicNo names an entry of BMData.
bool usesPicture(const QString &syu)
{
    return syu == u"4" || syu == u"b" || syu == u"r";
}

// Kinds whose X2/Y2 are page positions (the others keep sizes there).
bool positionsInEnd(const QString &syu)
{
    return syu == u"1" || syu == u"2";
}

} // namespace

QByteArray PackRows(const Document &doc, const QVector<int> &rows)
{
    Document part;
    QMap<int, int> pictures; // index in doc -> index in part
    for (int i : rows) {
        if (i < 0 || i >= doc.AData.size())
            continue;
        RAData r = doc.AData[i];
        if (usesPicture(r.Syu) && r.PicNo >= 0 && r.PicNo < doc.BMData.size()) {
            if (!pictures.contains(r.PicNo)) {
                pictures.insert(r.PicNo, part.BMData.size());
                part.BMData.append(doc.BMData[r.PicNo]);
            }
            r.PicNo = pictures.value(r.PicNo);
        }
        r.Page = 0;
        part.AData.append(r);
    }
    return BuildFileBytes(part, LayerWorksheet, 1);
}

RNewObjects UnpackObjects(const QByteArray &bytes, int page, int offset)
{
    Document part;
    if (!ParseFileAll(bytes, part).ok)
        return {};
    RNewObjects objects;
    objects.pictures = part.BMData;
    // A picture object whose number names none of the payload's pictures
    // (a damaged or foreign payload) gets an empty picture of its own: its
    // number would otherwise land on a picture the worksheet already has.
    int emptyPicture = -1;
    for (RAData r : part.AData) {
        if (usesPicture(r.Syu) && (r.PicNo < 0 || r.PicNo >= part.BMData.size())) {
            if (emptyPicture < 0) {
                emptyPicture = objects.pictures.size();
                objects.pictures.append(QImage());
            }
            r.PicNo = emptyPicture;
        }
        r.Page = page;
        r.X1 += offset;
        r.Y1 += offset;
        if (positionsInEnd(r.Syu)) {
            r.X2 += offset;
            r.Y2 += offset;
        }
        objects.rows.append(r);
    }
    return objects;
}
