#include "app/UnitPageView.h"
#include "document/UnitPaperSet.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionComplex>
#include <QWheelEvent>

TPagePanel::TPagePanel(int page, QWidget *parent) : QWidget(parent), mPage(page)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPagePanel::setImage(const QImage *image)
{
    mImage = image;
    if (mImage)
        setFixedSize(mImage->size());
    update();
}

void TPagePanel::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    if (mImage && !mImage->isNull())
        p.drawImage(e->rect().topLeft(), *mImage, e->rect());
    else
        p.fillRect(e->rect(), Qt::white);
}

void TPagePanel::mousePressEvent(QMouseEvent *e)
{
    emit mousePressed(mPage, e->position().toPoint(), e->button(), e->modifiers());
}

void TPagePanel::mouseMoveEvent(QMouseEvent *e)
{
    emit mouseMoved(mPage, e->position().toPoint(), e->buttons());
}

void TPagePanel::mouseReleaseEvent(QMouseEvent *e)
{
    emit mouseReleased(mPage, e->position().toPoint(), e->button());
}

void TPagePanel::mouseDoubleClickEvent(QMouseEvent *e)
{
    emit mouseDoubleClicked(mPage, e->position().toPoint());
}

void TPageBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                       QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ScrollBar)
        return;
    const QRect thumb = subControlRect(control, option, SC_ScrollBarSlider, widget);
    if (!thumb.isValid() || !(option->state & State_Enabled))
        return;
    const bool active = option->activeSubControls & SC_ScrollBarSlider;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(active ? QColor(100, 100, 100) : QColor(140, 140, 140));
    painter->drawRoundedRect(QRectF(thumb).adjusted(2, 2, -2, -2), 3, 3);
    painter->restore();
}

TPageArea::TPageArea(QWidget *parent) : QScrollArea(parent), mCanvas(new QWidget)
{
    mCanvas->setAutoFillBackground(true);
    QPalette pal = mCanvas->palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    mCanvas->setPalette(pal);
    setWidget(mCanvas);
    setWidgetResizable(false);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(30);
    horizontalScrollBar()->setSingleStep(30);
    auto *barStyle = new TPageBarStyle;
    barStyle->setParent(this);
    verticalScrollBar()->setStyle(barStyle);
    horizontalScrollBar()->setStyle(barStyle);
}

void TPageArea::setPages(PageSet &pages)
{
    mPages = &pages;
    // Controls that others placed on a page (the on-page buttons) are taken
    // off first, so that they do not go down with the panel.
    emit pagesAboutToBeDestroyed();
    qDeleteAll(PanelP);
    PanelP.clear();
    for (int i = 0; i < pages.count(); ++i) {
        auto *panel = new TPagePanel(i, mCanvas);
        connect(panel, &TPagePanel::mousePressed, this,
                [this](int page, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
                    setFocus(Qt::MouseFocusReason);
                    emit mousePressed(page, pos, button, mods);
                });
        connect(panel, &TPagePanel::mouseMoved, this, &TPageArea::mouseMoved);
        connect(panel, &TPagePanel::mouseReleased, this, &TPageArea::mouseReleased);
        connect(panel, &TPagePanel::mouseDoubleClicked, this, &TPageArea::mouseDoubleClicked);
        panel->show();
        PanelP.append(panel);
    }
    MoveForm();
}

void TPageArea::MoveForm()
{
    if (!mPages)
        return;
    int maxW = 0;
    for (int i = 0; i < PanelP.size() && i < mPages->ImageP.size(); ++i) {
        PanelP[i]->setImage(&mPages->ImageP[i]);
        maxW = std::max(maxW, mPages->ImageP[i].width());
    }
    const int viewW = viewport()->width();
    const int canvasW = std::max(viewW, maxW + 2 * PageKugiri);
    int y = PageKugiri;
    for (TPagePanel *panel : PanelP) {
        const int left = std::max(PageKugiri, (canvasW - panel->width()) / 2);
        panel->move(left, y);
        y += panel->height() + PageKugiri;
    }
    // The canvas is as tall as all pages, so every page can be scrolled to.
    mCanvas->resize(canvasW, std::max(y, viewport()->height()));
}

void TPageArea::refresh()
{
    for (TPagePanel *panel : PanelP)
        panel->update();
}

void TPageArea::resizeEvent(QResizeEvent *e)
{
    QScrollArea::resizeEvent(e);
    MoveForm();
}

void TPageArea::keyPressEvent(QKeyEvent *e)
{
    bool handled = false;
    emit keyPressed(e->key(), e->modifiers(), handled);
    if (handled)
        e->accept();
    else
        QScrollArea::keyPressEvent(e);
}

void TPageArea::wheelEvent(QWheelEvent *e)
{
    if (e->modifiers() & Qt::ControlModifier) {
        const int steps = e->angleDelta().y() / 120;
        if (steps != 0)
            emit zoomWheel(steps);
        e->accept();
        return;
    }
    QScrollArea::wheelEvent(e);
}
