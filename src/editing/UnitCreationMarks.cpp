#include "editing/UnitCreationMarks.h"
#include "editing/UnitViewUnits.h"
#include "render/UnitCanvas.h"
#include "render/UnitRender.h"

#include <QPaintEvent>
#include <QPainter>

TCreationLayer::TCreationLayer(Draw &draw, const ViewState &view, int page, QWidget *panel)
    : QWidget(panel), mDraw(draw), mView(view), mPage(page)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void TCreationLayer::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRect(event->rect());
    PainterCanvas canvas(painter);
    DrawCreationAids(mDraw, &canvas, mView, mPage);
}

CreationMarks::CreationMarks(Document &doc, const ViewState &view, Metrics &metrics,
                             const ViewUnits &units)
    : mDraw(doc, view, metrics), mView(view), mUnits(units)
{
}

CreationMarks::~CreationMarks()
{
    // The layers belong to the page panels; they go with the marks so that
    // a panel that lives on keeps no layer that draws from a gone view.
    for (const QPointer<TCreationLayer> &layer : std::as_const(mLayers))
        delete layer.data();
}

QRect CreationMarks::pixelRect(int page) const
{
    const QRect r = CreationAidsRect(mView, page);
    if (r.isNull())
        return {};
    // A pen of one pixel and the rounding of both corners: two pixels more
    // on every side cover everything the aids paint.
    const int l = mUnits.toScreen(r.left()), t = mUnits.toScreen(r.top());
    const int rr = mUnits.toScreen(r.right()), b = mUnits.toScreen(r.bottom());
    return QRect(QPoint(l, t), QPoint(rr, b)).adjusted(-2, -2, 2, 2);
}

void CreationMarks::refresh()
{
    QSet<int> pages(mShown.keyBegin(), mShown.keyEnd());
    const CreationState &c = mView.Creation;
    if (c.Dragging)
        pages.insert(mView.ActivePage);
    if (c.MarkerOn)
        pages.insert(c.MarkerPage);
    for (int page : pages) {
        const QRect now = pixelRect(page);
        const QRect before = mShown.value(page);
        QWidget *panel = mUnits.panelOf(page);
        QPointer<TCreationLayer> &layer = mLayers[page];
        if (layer && layer->parentWidget() != panel) {
            delete layer.data();
            layer = nullptr;
        }
        if (!layer && panel && !now.isNull()) {
            layer = new TCreationLayer(mDraw, mView, page, panel);
            // Under the selection marks, over the page image.
            layer->lower();
            layer->show();
        }
        if (layer) {
            // The layer covers its panel at every zoom; a new size repaints
            // it whole, otherwise only where the aids were and are.
            if (layer->geometry() != panel->rect())
                layer->setGeometry(panel->rect());
            else if (now != before)
                layer->update(before.united(now));
        }
        if (now.isNull())
            mShown.remove(page);
        else
            mShown.insert(page, now);
    }
}
