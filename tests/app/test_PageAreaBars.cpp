// The page area's scroll bars as a teacher sees them: in a landscape view
// the thumbs start at the top left, stand out from their grooves and follow
// the view.
#include "app/UnitPageView.h"
#include "document/UnitPaperSet.h"

#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

double meanGrey(const QImage &image, const QRect &r)
{
    double sum = 0;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            sum += qGray(image.pixel(x, y));
            ++n;
        }
    return n ? sum / n : 0;
}

struct BarLook {
    QRect thumb;
    double thumbGrey = 0;
    double grooveGrey = 0;
};

// Where the style draws the thumb, and how dark it is against the groove.
BarLook look(QScrollBar *bar)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    BarLook l;
    l.thumb =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    const QRect groove =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarGroove, bar);
    const QImage image = bar->grab().toImage();
    l.thumbGrey = meanGrey(image, l.thumb.adjusted(2, 2, -2, -2));
    // The groove beside the thumb: after it when the thumb is at the start.
    QRect rest = groove;
    if (bar->orientation() == Qt::Horizontal)
        rest.setLeft(l.thumb.right() + 1);
    else
        rest.setTop(l.thumb.bottom() + 1);
    l.grooveGrey = meanGrey(image, rest.adjusted(2, 2, -2, -2));
    return l;
}

} // namespace

TEST(PageAreaBars, ThumbsOfALandscapeViewStartTopLeftAndStandOut)
{
    PageSet pages;
    pages.PageSize.append(QSize(1122, 793)); // A4 landscape
    pages.resizeImages(Fixed4::fromInt(1));
    TPageArea area;
    area.resize(985, 650);
    area.setPages(pages);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    QScrollBar *h = area.horizontalScrollBar();
    QScrollBar *v = area.verticalScrollBar();
    ASSERT_GT(h->maximum(), 0);
    ASSERT_GT(v->maximum(), 0);
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(v->value(), 0);

    for (QScrollBar *bar : {h, v}) {
        const BarLook start = look(bar);
        // The thumb is at the start and clearly darker than its groove.
        if (bar == h)
            EXPECT_LT(start.thumb.left(), bar->width() / 4);
        else
            EXPECT_LT(start.thumb.top(), bar->height() / 4);
        EXPECT_LT(start.thumbGrey + 40, start.grooveGrey)
            << "thumb " << start.thumbGrey << " groove " << start.grooveGrey;

        // Scrolled to the end, the view shows the far edge and the thumb is there.
        bar->setValue(bar->maximum());
        const BarLook end = look(bar);
        if (bar == h) {
            EXPECT_GT(end.thumb.left(), start.thumb.left());
            EXPECT_LT(area.PanelP[0]->mapTo(&area, QPoint(0, 0)).x(), 0);
        } else {
            EXPECT_GT(end.thumb.top(), start.thumb.top());
            EXPECT_LT(area.PanelP[0]->mapTo(&area, QPoint(0, 0)).y(), 0);
        }
        bar->setValue(0);
    }
}
