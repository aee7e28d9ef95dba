// The page area of the main window: one panel per page (PanelP, index =
// page number) showing its page image, stacked top to bottom with a gap of
// PageKugiri pixels and centred across, inside a scroll area with a 30-pixel
// small step. Mouse events on a page are forwarded with the page index and
// the position in image pixels; a press gives the pages the keyboard focus,
// and keys are forwarded to the editor before the area scrolls. Draws nothing of the document
// itself.
#pragma once

#include <QImage>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollArea>
#include <QVector>
#include <QWidget>

class PageSet;

class TPagePanel : public QWidget
{
    Q_OBJECT
public:
    TPagePanel(int page, QWidget *parent);
    int page() const { return mPage; }
    void setImage(const QImage *image);

signals:
    void mousePressed(int page, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void mouseMoved(int page, QPoint pos, Qt::MouseButtons buttons);
    void mouseReleased(int page, QPoint pos, Qt::MouseButton button);
    void mouseDoubleClicked(int page, QPoint pos);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    int mPage;
    const QImage *mImage = nullptr;
};

// The look of the page area's scroll bars: the style's own bar with a dark
// thumb over it. The platform style draws a light thumb on a darker groove,
// which reads as a dark thumb at the far end moving the wrong way, most of
// all in a landscape view where the thumbs are long.
class TPageBarStyle : public QProxyStyle
{
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override;
};

class TPageArea : public QScrollArea
{
    Q_OBJECT
public:
    explicit TPageArea(QWidget *parent = nullptr);

    int PageKugiri = 5;
    QVector<TPagePanel *> PanelP;

    // Re-creates the panels for the pages and places them (MoveForm).
    void setPages(PageSet &pages);
    // Places the panels again after a size change of the images or the view.
    void MoveForm();
    // Repaints every panel from its image.
    void refresh();
    QWidget *canvas() const { return mCanvas; }

signals:
    void mousePressed(int page, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void mouseMoved(int page, QPoint pos, Qt::MouseButtons buttons);
    void mouseReleased(int page, QPoint pos, Qt::MouseButton button);
    void mouseDoubleClicked(int page, QPoint pos);
    void zoomWheel(int steps);
    // Sent just before setPages deletes the page panels and their children.
    void pagesAboutToBeDestroyed();
    // A key pressed while the pages have the focus; the receiver sets
    // handled when it used the key (otherwise the area scrolls as usual).
    void keyPressed(int key, Qt::KeyboardModifiers mods, bool &handled);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;

private:
    QWidget *mCanvas;
    PageSet *mPages = nullptr;
};
