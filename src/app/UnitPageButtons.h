// The two live buttons that "b" and "r" rows put on a page: the answer
// switch SpeedButtonN1 ("表示切替") and the regeneration button
// SpeedButtonRandom ("作成"). One control per kind; the renderer says where it
// goes at every redraw and parks both first. Owned by the main window.
#pragma once

#include "render/UnitRender.h"

#include <QObject>
#include <QToolButton>
#include <functional>

class TPageArea;

class TPageButtons : public QObject, public PageButtonHost
{
    Q_OBJECT
public:
    TPageButtons(TPageArea *area, QWidget *parkingParent);

    QToolButton *SpeedButtonN1 = nullptr;
    QToolButton *SpeedButtonRandom = nullptr;

    void parkButtons() override;
    void placeButton(PageButton kind, int page, const QRect &rect, int fontPx) override;

private:
    TPageArea *mArea;
    QWidget *mParking;
};
