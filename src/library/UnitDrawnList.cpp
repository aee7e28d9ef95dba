#include "library/UnitDrawnList.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

TDrawnList::TDrawnList(QWidget *parent) : QWidget(parent)
{
    mArea = new QWidget(this);
    mArea->setMouseTracking(true);
    mArea->installEventFilter(this);
    mArea->setAttribute(Qt::WA_OpaquePaintEvent);
    mScroll = new QScrollBar(Qt::Vertical, this);
    mScroll->setAccessibleName(QStringLiteral("スクロール"));
    connect(mScroll, &QScrollBar::valueChanged, mArea, qOverload<>(&QWidget::update));
    mPopup = new QLabel(this, Qt::ToolTip);
    mPopup->setFrameShape(QFrame::Box);
    mPopup->setStyleSheet(QStringLiteral("background: white; padding: 4px;"));
    mPopup->setAlignment(Qt::AlignCenter);
    mPopup->setTextFormat(Qt::PlainText);
    setAccessibleName(QStringLiteral("ファイルのリスト"));
    updateScroll();
}

void TDrawnList::setColumns(const QStringList &header, ColumnBounds bounds)
{
    mHeader = header;
    mBounds = std::move(bounds);
    mArea->update();
}

void TDrawnList::setRows(const QVector<QStringList> &rows)
{
    mRows = rows;
    if (mCurrent >= mRows.size())
        mCurrent = -1;
    mPopup->hide();
    mPopupRow = -1;
    updateScroll();
    mArea->update();
}

void TDrawnList::setCurrent(int row)
{
    mCurrent = (row >= 0 && row < mRows.size()) ? row : -1;
    mArea->update();
}

void TDrawnList::setHintText(const QString &text)
{
    mHint = text;
    mArea->setToolTip(text);
}

QSize TDrawnList::areaSize() const
{
    return QSize(std::max(1, width() - mScroll->sizeHint().width()), std::max(1, height()));
}

int TDrawnList::visibleRowCount() const
{
    return areaSize().height() / RowHeight + 1;
}

QVector<int> TDrawnList::columnBounds() const
{
    const int w = areaSize().width();
    return mBounds ? mBounds(w) : QVector<int>{0, w};
}

int TDrawnList::rowAt(int y) const
{
    if (y < RowHeight)
        return -1;
    const int row = y / RowHeight + mScroll->value();
    // Screen row 1 is the first data row: the header takes row 0.
    const int index = row - 1;
    return (index >= 0 && index < mRows.size()) ? index : -1;
}

void TDrawnList::updateScroll()
{
    // Data rows that fit wholly below the header.
    const int fit = std::max(0, (areaSize().height() - RowHeight) / RowHeight);
    if (mRows.size() <= fit) {
        mScroll->setRange(0, 0);
        mScroll->setEnabled(false);
        return;
    }
    mScroll->setEnabled(true);
    mScroll->setPageStep(std::max(1, visibleRowCount()));
    mScroll->setSingleStep(1);
    mScroll->setRange(0, int(mRows.size()) - fit);
}

void TDrawnList::resizeEvent(QResizeEvent *)
{
    // Placed by hand so that the list's size is known at once, also while
    // the window is hidden.
    const QSize area = areaSize();
    mArea->setGeometry(0, 0, area.width(), area.height());
    mScroll->setGeometry(area.width(), 0, width() - area.width(), height());
    updateScroll();
}

QImage TDrawnList::picture() const
{
    QImage image(areaSize(), QImage::Format_RGB32);
    QPainter p(&image);
    paintList(p, image.size());
    return image;
}

void TDrawnList::paintList(QPainter &p, const QSize &size) const
{
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    QFont font = p.font();
    font.setPointSize(9);
    p.setFont(font);
    const QVector<int> bounds = columnBounds();
    const QColor textColor(0x33, 0x33, 0x33);
    // Header.
    p.fillRect(QRect(0, 0, size.width(), RowHeight), QColor(0xF0, 0xF0, 0xF0));
    p.setPen(textColor);
    for (int c = 0; c + 1 < bounds.size() && c < mHeader.size(); ++c)
        p.drawText(QRect(bounds[c], 0, bounds[c + 1] - bounds[c], RowHeight), Qt::AlignCenter,
                   mHeader[c]);
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawLine(0, RowHeight - 1, size.width(), RowHeight - 1);
    if (mRows.isEmpty()) {
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawText(QRect(0, RowHeight, size.width(), RowHeight), Qt::AlignCenter, mEmptyText);
        return;
    }
    const int visible = visibleRowCount();
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    for (int screenRow = 1; screenRow <= visible; ++screenRow) {
        const int index = mScroll->value() + screenRow - 1;
        if (index >= mRows.size())
            break;
        const QRect rowRect(0, screenRow * RowHeight, size.width(), RowHeight);
        const bool current = index == mCurrent;
        if (current)
            p.fillRect(rowRect, highlight);
        const QStringList &cells = mRows[index];
        for (int c = 0; c + 1 < bounds.size(); ++c) {
            QRect cell(bounds[c], rowRect.top(), bounds[c + 1] - bounds[c], RowHeight);
            if (c > 0) {
                QPen line(current ? QColor(Qt::white) : QColor(0xE0, 0xE0, 0xE0));
                if (current)
                    line.setStyle(Qt::DotLine);
                p.setPen(line);
                p.drawLine(cell.left(), cell.top(), cell.left(), cell.bottom());
            }
            p.setPen(current ? QColor(Qt::white) : textColor);
            const QString text = cells.value(c);
            if (c == 0) {
                if (!mFileIcon.isNull() && cell.width() > 26)
                    p.drawPixmap(10, cell.top() + (RowHeight - 16) / 2, 16, 16, mFileIcon);
                cell.setLeft(cell.left() + 32);
                p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, text);
            } else if (c == bounds.size() - 2 && mHeader.value(c) == QStringLiteral("内容")) {
                p.drawText(cell.adjusted(6, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
            } else {
                p.drawText(cell, Qt::AlignCenter, text);
            }
        }
        p.setPen(QColor(0xE8, 0xE8, 0xE8));
        p.drawLine(0, rowRect.bottom(), size.width(), rowRect.bottom());
    }
}

void TDrawnList::showPreviewAt(int y, const QPoint &globalPos)
{
    const int row = rowAt(y);
    QPixmap picture = (row >= 0 && mPreview) ? mPreview(row) : QPixmap();
    if (row < 0 || picture.isNull()) {
        mPopup->hide();
        mPopupRow = -1;
        if (!mHint.isEmpty())
            QToolTip::showText(globalPos, mHint, mArea);
        return;
    }
    QToolTip::hideText();
    mPopup->setPixmap(picture);
    mPopup->adjustSize();
    mPopup->move(globalPos + QPoint(16, 16));
    mPopup->show();
    mPopupRow = row;
}

bool TDrawnList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != mArea)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter p(mArea);
        paintList(p, mArea->size());
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        mPopup->hide();
        emit rowPressed(rowAt(int(e->position().y())));
        return true;
    }
    case QEvent::Wheel: {
        auto *e = static_cast<QWheelEvent *>(event);
        const int steps = e->angleDelta().y() / 120;
        mScroll->setValue(mScroll->value() - (steps == 0 ? 0 : steps));
        return true;
    }
    case QEvent::ToolTip: {
        auto *e = static_cast<QHelpEvent *>(event);
        showPreviewAt(e->pos().y(), e->globalPos());
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (mPopup->isVisible() && rowAt(int(e->position().y())) != mPopupRow)
            mPopup->hide();
        return false;
    }
    case QEvent::Leave:
    case QEvent::Hide:
        mPopup->hide();
        return false;
    default:
        return false;
    }
}
