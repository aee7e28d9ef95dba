// A small stand-in for the main window: page panels as plain widgets, a
// real renderer over page images, the tool panels and an editing
// controller, at a chosen zoom. Tests drive the controller with page
// coordinates that the helpers turn into mouse pixels at that zoom.
#pragma once

#include "editing/UnitMoji.h"
#include "editing/UnitPageRedraws.h"
#include "editing/UnitSelect.h"
#include "render/UnitRender.h"

#include <QWidget>
#include <cmath>
#include <memory>

class TestEditHost : public EditHost
{
public:
    TestEditHost(ViewState &view, Renderer &renderer, QVector<QWidget *> &panels, QWidget &window)
        : mView(view), mRenderer(renderer), mPanels(panels), mWindow(window)
    {
    }
    Fixed4 gamenBai() const override { return mView.GamenBai; }
    bool answerDisplayOn() const override { return mView.AnswerDisplay; }
    bool nameDisplayOn() const override { return mView.NameDisplay; }
    QWidget *pagePanel(int page) const override
    {
        return page >= 0 && page < mPanels.size() ? mPanels[page] : nullptr;
    }
    void redraw() override
    {
        ++redraws;
        if (renderOnRedraw)
            mRenderer.SrcImageP(false);
        for (QWidget *p : mPanels)
            p->update();
    }
    void setPageCursor(Qt::CursorShape shape) override { cursor = shape; }
    QWidget *dialogParent() const override { return &mWindow; }

    int redraws = 0;
    bool renderOnRedraw = true;
    Qt::CursorShape cursor = Qt::ArrowCursor;

private:
    ViewState &mView;
    Renderer &mRenderer;
    QVector<QWidget *> &mPanels;
    QWidget &mWindow;
};

struct EditBench {
    explicit EditBench(int64_t zoomRaw = 10000, int pageCount = 2)
    {
        view.GamenBai = Fixed4::fromRaw(zoomRaw);
        for (int i = 0; i < pageCount; ++i) {
            images.append(QImage(int(view.GamenBai.scaleTrunc(793)),
                                 int(view.GamenBai.scaleTrunc(1122)), QImage::Format_RGB16));
            auto *panel = new QWidget(&window);
            panel->setGeometry(0, i * 1200, images[i].width(), images[i].height());
            panels.append(panel);
        }
        renderer = std::make_unique<Renderer>(doc, images, view);
        host = std::make_unique<TestEditHost>(view, *renderer, panels, window);
        redraws = std::make_unique<PageRedraws>(doc, *host);
        edit = std::make_unique<TEditPanels>(EditPanelDefaults{}, &window);
        ctl = std::make_unique<TEditController>(doc, view, renderer->metrics(), *host, *edit);
    }
    ~EditBench() { ctl.reset(); }

    // Page units to mouse pixels: the smallest pixel that maps back to the
    // same page unit.
    int px(int pageUnits) const
    {
        const double z = view.GamenBai.toDouble();
        return pageUnits >= 0 ? int(std::ceil(pageUnits * z - 1e-9))
                              : -int(std::ceil(-pageUnits * z - 1e-9));
    }
    QPoint at(int x, int y) const { return QPoint(px(x), px(y)); }
    void press(int page, int x, int y) { ctl->ImageMouseDown(page, at(x, y)); }
    void move(int page, int x, int y) { ctl->ImageMouseMove(page, at(x, y)); }
    void release(int page, int x, int y) { ctl->ImageMouseUp(page, at(x, y)); }
    void click(int page, int x, int y)
    {
        press(page, x, y);
        release(page, x, y);
    }
    // The preview label of the text being typed, on whichever page it is.
    TOverlayLabel *preview() const
    {
        for (QWidget *p : panels)
            if (auto *label = p->findChild<TOverlayLabel *>(QStringLiteral("TextPreview")))
                return label;
        return nullptr;
    }
    // Screen rectangle of a page rectangle, as the overlays must sit.
    QRect screenRect(int x, int y, int w, int h) const
    {
        const Fixed4 z = view.GamenBai;
        const int l = int(z.scaleTrunc(x)), t = int(z.scaleTrunc(y));
        return QRect(l, t, std::max<int>(1, int(z.scaleTrunc(int64_t(x) + w)) - l),
                     std::max<int>(1, int(z.scaleTrunc(int64_t(y) + h)) - t));
    }

    int addBox(int page, int x, int y, int w, int h, int lock = 0)
    {
        RAData r;
        r.ID = doc.GetId();
        r.Syu = QStringLiteral("3");
        r.Page = page;
        r.X1 = x;
        r.Y1 = y;
        r.Width = w;
        r.Height = h;
        r.FontSize = 1;
        r.Layer = 1;
        r.Lock = lock;
        doc.AData.append(r);
        return doc.AData.size() - 1;
    }
    int addLine(int page, int x, int y, int w, int h, int lineSyu)
    {
        const int i = addBox(page, x, y, w, h);
        doc.AData[i].Syu = QStringLiteral("2");
        doc.AData[i].LineSyu = lineSyu;
        return i;
    }
    int addText(int page, int x, int y, const QString &text, int fontSize = 11, int lock = 0)
    {
        RAData r;
        r.ID = doc.GetId();
        r.Syu = QStringLiteral("1");
        r.Page = page;
        r.X1 = x;
        r.Y1 = y;
        r.Siki = text;
        r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
        r.FontSize = fontSize;
        r.Layer = 1;
        r.Lock = lock;
        r.Width = renderer->metrics().GetMojiWidth(r);
        r.Height = renderer->metrics().GetMojiHeight(r);
        doc.AData.append(r);
        return doc.AData.size() - 1;
    }
    QVector<int> selectedRows() const
    {
        QVector<int> rows;
        for (const RMouseSelect &e : ctl->selection().entries())
            rows.append(e.ANo);
        return rows;
    }

    QWidget window;
    QVector<QWidget *> panels;
    Document doc;
    QVector<QImage> images;
    ViewState view;
    std::unique_ptr<Renderer> renderer;
    std::unique_ptr<TestEditHost> host;
    std::unique_ptr<PageRedraws> redraws;
    std::unique_ptr<TEditPanels> edit;
    std::unique_ptr<TEditController> ctl;
};

// The zooms every editing case runs at: 100 % and 150 %.
inline const int64_t EditZooms[] = {10000, 15000};
