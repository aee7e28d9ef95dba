// The aids of a creation in progress over the page panels: the rubber band
// of a line or box and the cross that marks where a text, a problem or a
// picture will go. Each page that shows one gets a see-through layer over
// its panel (the mouse passes through to the page); refreshing repaints
// only the rectangles the aids left and reached, never a page image.
#pragma once

#include "render/UnitDraw.h"
#include "render/UnitView.h"

#include <QHash>
#include <QPointer>
#include <QRect>
#include <QWidget>

class ViewUnits;

class TCreationLayer : public QWidget
{
    Q_OBJECT
public:
    TCreationLayer(Draw &draw, const ViewState &view, int page, QWidget *panel);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Draw &mDraw;
    const ViewState &mView;
    int mPage;
};

class CreationMarks
{
public:
    CreationMarks(Document &doc, const ViewState &view, Metrics &metrics, const ViewUnits &units);
    ~CreationMarks();
    CreationMarks(const CreationMarks &) = delete;
    CreationMarks &operator=(const CreationMarks &) = delete;

    // Shows the view's creation state: call after it changed.
    void refresh();
    // The layer over a page's panel; null when that page never showed an aid.
    TCreationLayer *layer(int page) const { return mLayers.value(page); }
    // The pixel rectangle the aids cover on a page's panel now.
    QRect shownRect(int page) const { return mShown.value(page); }

private:
    QRect pixelRect(int page) const;

    Draw mDraw;
    const ViewState &mView;
    const ViewUnits &mUnits;
    QHash<int, QPointer<TCreationLayer>> mLayers;
    QHash<int, QRect> mShown;
};
