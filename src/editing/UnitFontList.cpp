#include "editing/UnitFontList.h"
#include "editing/UnitPopupCloser.h"
#include "render/UnitFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

QStringList WithoutVerticalFonts(const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        if (!n.startsWith(QLatin1Char('@')))
            out.append(n);
    return out;
}

QStringList ScreenFontNames()
{
    return WithoutVerticalFonts(QFontDatabase::families());
}

TFontNameList::TFontNameList(QLineEdit *memo, QToolButton *button, const QStringList &names)
    : QWidget(memo->window()), mMemo(memo), mButton(button), mNames(names)
{
    setObjectName(QStringLiteral("PanelFontName"));
    setFixedSize(ListWidth, Rows * RowHeight + 4);
    setAutoFillBackground(true);
    const int scrollWidth = 16;
    mImage = new QWidget(this);
    mImage->setObjectName(QStringLiteral("ImageFontName"));
    mImage->setGeometry(2, 2, ListWidth - 4 - scrollWidth, Rows * RowHeight);
    mImage->setMouseTracking(true);
    mImage->setAccessibleName(QStringLiteral("フォント"));
    mImage->installEventFilter(this);
    mScroll = new QScrollBar(Qt::Vertical, this);
    mScroll->setObjectName(QStringLiteral("SBFontName"));
    mScroll->setGeometry(ListWidth - 2 - scrollWidth, 2, scrollWidth, Rows * RowHeight);
    mScroll->setRange(0, std::max<int>(0, int(mNames.size()) - Rows));
    mScroll->setPageStep(Rows);
    connect(mScroll, &QScrollBar::valueChanged, mImage, qOverload<>(&QWidget::update));
    hide();
    mCloser = new TPopupCloser(
        this, [this](QPoint g) { return PointerOver(this, g) || PointerOver(mButton, g); });
    // While open, the wheel anywhere in the program scrolls the list.
    qApp->installEventFilter(this);
}

int TFontNameList::scrollPosition() const
{
    return mScroll->value();
}

void TFontNameList::SpeedButtonFontNameClick()
{
    if (isVisible()) {
        hide();
        return;
    }
    mHighlight = int(mNames.indexOf(mMemo->text()));
    if (mHighlight >= 0)
        mScroll->setValue(mHighlight);
    QWidget *top = parentWidget();
    move(mMemo->mapTo(top, QPoint(0, mMemo->height())));
    show();
    raise();
    mImage->update();
}

int TFontNameList::rowAt(int y) const
{
    return (y < 0 ? 0 : y / RowHeight) + scrollPosition();
}

void TFontNameList::ImageFontNameMouseMove(int y)
{
    mHighlight = rowAt(y);
    mImage->update();
}

void TFontNameList::ImageFontNameMouseUp(int y)
{
    const int row = rowAt(y);
    if (row < 0 || row >= mNames.size())
        return;
    const QString name = mNames[row];
    mMemo->setText(name);
    hide();
    emit fontChosen(name);
}

void TFontNameList::scrollRows(int rows)
{
    mScroll->setValue(mScroll->value() + rows);
}

void TFontNameList::SrcFontName(QWidget *target)
{
    QPainter p(target);
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    const int first = scrollPosition();
    p.fillRect(target->rect(), Qt::white);
    for (int i = 0; i < Rows && first + i < mNames.size(); ++i) {
        const int index = first + i;
        const QRect r(0, i * RowHeight, target->width(), RowHeight);
        const bool lit = index == mHighlight;
        if (lit)
            p.fillRect(r, highlight);
        p.setPen(lit ? Qt::white : Qt::black);
        p.setFont(CellFont(FontSpec{mNames[index], RowHeight}).font);
        p.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   mNames[index]);
    }
}

bool TFontNameList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mImage) {
        switch (event->type()) {
        case QEvent::Paint:
            SrcFontName(mImage);
            return true;
        case QEvent::MouseMove:
            ImageFontNameMouseMove(static_cast<QMouseEvent *>(event)->position().toPoint().y());
            return true;
        case QEvent::MouseButtonRelease:
            ImageFontNameMouseUp(static_cast<QMouseEvent *>(event)->position().toPoint().y());
            return true;
        default:
            break;
        }
    }
    if (event->type() == QEvent::Wheel && isVisible() && watched->isWidgetType()) {
        const int dy = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (dy != 0)
            scrollRows(dy > 0 ? -1 : 1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
