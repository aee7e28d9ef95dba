// The five drawing primitives every mark of a page goes through, and the
// grey-out filter for pictures. Each primitive takes page units, draws once
// on the page image's canvas (scaled by the view zoom) and, during a print
// run, once more on the printer canvas (scaled to the printer, minus the
// printer offsets) when the element's page lies in the print range. Every
// call sets font, pen and brush afresh; nothing is remembered between calls
// except the measuring font that FDrawWari reads. Called by the renderer and
// the problem layouts; it never touches the document's rows.
#pragma once

#include "document/UnitData.h"
#include "render/UnitCanvas.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"

#include <QHash>
#include <QImage>

// A new 24-bit grey copy: R = G = B = Round((R + G + B) / 3).
QImage BitmapGray(const QImage &BMP);

class Draw {
public:
    Draw(Document &doc, const ViewState &view, Metrics &metrics);

    // Page units to pixels of the screen and of the printer.
    int ScreenPos(int64_t v) const;
    int PaperX(int64_t v) const;
    int PaperY(int64_t v) const;
    int PaperLen(int64_t v) const;
    // True when a print run draws elements of this page on paper.
    bool OnPaper(int Page, bool PrintB) const;

    // The argument 'syu' is the pen style; every caller passes 1 (solid) and
    // every pen is solid. ImageName may be null: then only paper is drawn.
    bool FDrawText(Canvas *ImageName, int x1, int y1, int x2, int y2, const QString &t,
                   const QString &FontName, int FS, int FlgDT, TColor forecolor, TColor backcolor,
                   int BackColorB, int FontB, int FontI, int FontU, int FontS, int Page, bool PrintB);
    bool FDrawLine(Canvas *ImageName, int x1, int y1, int x2, int y2, TColor LineColor, int LineSyu,
                   int PenWidth, int syu, int Page, bool PrintB);
    bool FDrawBox(Canvas *ImageName, int x1, int y1, int x2, int y2, int PenWidth, int syu,
                  TColor LineColor, TColor FillColor, int FullColorB, int Page, bool PrintB);
    // The bracket of a long division in the cell (x1, y1)-(x2, y2), sized
    // from the measuring font the caller has set to the problem's font.
    bool FDrawWari(Canvas *ImageName, int x1, int y1, int x2, int y2, int PenWidth, TColor Forecolor,
                   int syu, int Page, bool PrintB);
    // Picture PicNo of BMData; nothing when PicNo is not a picture of the list.
    bool FDrawPicture(Canvas *ImageName, int x1, int y1, int width, int height, int PicNo, int Page,
                      int Gray, bool PrintB);
    // The same stretching for a picture that is not in BMData (the program's
    // own character picture).
    bool FDrawImage(Canvas *ImageName, int x1, int y1, int width, int height, const QImage &picture,
                    int Page, int Gray, bool PrintB);

    // Grey copies are kept for pictures that did not change, since a redraw
    // greys the same pictures again and again.
    const QImage &GrayOf(const QImage &picture);

private:
    Document &mDoc;
    const ViewState &mView;
    Metrics &mMetrics;
    QHash<qint64, QImage> mGrayCache;
};
