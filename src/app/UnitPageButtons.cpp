#include "app/UnitPageButtons.h"
#include "app/UnitPageView.h"

TPageButtons::TPageButtons(TPageArea *area, QWidget *parkingParent)
    : QObject(parkingParent), mArea(area), mParking(new QWidget(parkingParent))
{
    mParking->hide();
    SpeedButtonN1 = new QToolButton(mParking);
    SpeedButtonN1->setText(QStringLiteral("表示切替"));
    SpeedButtonRandom = new QToolButton(mParking);
    SpeedButtonRandom->setText(QStringLiteral("作成"));
    // The buttons sit on a page panel while a row places them; when the
    // panels are re-created (new worksheet, open, paper change) they go back
    // to the parking panel instead of being deleted with the page.
    connect(area, &TPageArea::pagesAboutToBeDestroyed, this, &TPageButtons::parkButtons);
}

void TPageButtons::parkButtons()
{
    for (QToolButton *b : {SpeedButtonN1, SpeedButtonRandom}) {
        if (b->parentWidget() != mParking)
            b->setParent(mParking);
        b->hide();
    }
}

void TPageButtons::placeButton(PageButton kind, int page, const QRect &rect, int fontPx)
{
    if (page < 0 || page >= mArea->PanelP.size())
        return;
    QToolButton *b = kind == PageButton::AnswerSwitch ? SpeedButtonN1 : SpeedButtonRandom;
    b->setParent(mArea->PanelP[page]);
    b->setGeometry(rect);
    QFont f = b->font();
    f.setPixelSize(std::max(fontPx, 1));
    b->setFont(f);
    b->show();
    b->raise();
}
