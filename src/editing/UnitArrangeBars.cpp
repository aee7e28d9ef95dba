#include "editing/UnitArrangeBars.h"
#include "editing/UnitPopupCloser.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace
{

QToolButton *makeButton(QWidget *parent, const QString &text, const QString &hint,
                        bool toggle = false)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setCheckable(toggle);
    return b;
}

QHBoxLayout *tightRow(QWidget *w)
{
    auto *l = new QHBoxLayout(w);
    l->setContentsMargins(2, 0, 2, 0);
    l->setSpacing(2);
    return l;
}

} // namespace

TArrangeBars::TArrangeBars(QToolButton *lock, QWidget *parent) : QObject(parent)
{
    Row = new QWidget(parent);
    Row->setObjectName(QStringLiteral("ArrangeRow"));
    Row->setFixedHeight(BarHeight);
    auto *row = tightRow(Row);

    PanelToolKyotu = new QWidget(Row);
    PanelToolKyotu->setObjectName(QStringLiteral("PanelToolKyotu"));
    auto *kyotu = new QVBoxLayout(PanelToolKyotu);
    kyotu->setContentsMargins(0, 0, 0, 0);
    kyotu->setSpacing(0);
    auto *kyotuButtons = new QWidget(PanelToolKyotu);
    auto *buttons = tightRow(kyotuButtons);
    SpeedButton19 = makeButton(kyotuButtons, QStringLiteral("前面"), QStringLiteral("前面へ移動"));
    SpeedButton18 = makeButton(kyotuButtons, QStringLiteral("背面"), QStringLiteral("背面へ移動"));
    SpeedButtonLock = lock;
    SpeedButtonLock->setParent(kyotuButtons);
    SpeedButtonLock->setCheckable(true);
    SpeedButtonLock->setToolTip(QStringLiteral("ロック"));
    SpeedButtonLock->setAccessibleName(QStringLiteral("ロック"));
    SpeedButton12 = makeButton(kyotuButtons, QStringLiteral("削除"), QStringLiteral("削除"));
    for (QToolButton *b : {SpeedButton19, SpeedButton18, SpeedButtonLock, SpeedButton12}) {
        b->setFixedHeight(BarHeight - 4);
        buttons->addWidget(b);
    }
    kyotu->addWidget(kyotuButtons);
    LabelKyotu = new QLabel(QStringLiteral("前面 背面 ロック 削除"), PanelToolKyotu);
    LabelKyotu->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabelKyotu->hide();
    kyotu->addWidget(LabelKyotu);
    row->addWidget(PanelToolKyotu, 0, Qt::AlignTop);

    PanelSentakuS = new QWidget(Row);
    PanelSentakuS->setObjectName(QStringLiteral("PanelSentakuS"));
    auto *sentaku = tightRow(PanelSentakuS);
    sentaku->addWidget(new QLabel(QStringLiteral("整列"), PanelSentakuS));
    SpeedButtonL = makeButton(PanelSentakuS, QStringLiteral("左"), QStringLiteral("左揃え"));
    SpeedButtonC = makeButton(PanelSentakuS, QStringLiteral("中"), QStringLiteral("中揃え"));
    SpeedButtonR = makeButton(PanelSentakuS, QStringLiteral("右"), QStringLiteral("右揃え"));
    for (QToolButton *b : {SpeedButtonL, SpeedButtonC, SpeedButtonR})
        sentaku->addWidget(b);
    sentaku->addSpacing(6);
    sentaku->addWidget(new QLabel(QStringLiteral("間隔"), PanelSentakuS));
    SpeedButton5 = makeButton(PanelSentakuS, QStringLiteral("等"), QStringLiteral("等間隔"));
    SpeedButton6 = makeButton(PanelSentakuS, QStringLiteral("詰"), QStringLiteral("上に詰める"));
    SpeedButton3 =
        makeButton(PanelSentakuS, QStringLiteral("指定"), QStringLiteral("間隔を指定する"));
    SpeedButton11 = makeButton(PanelSentakuS, QString(), QStringLiteral("間隔を指定する"));
    SpeedButton11->setArrowType(Qt::DownArrow);
    SpeedButton11->setToolButtonStyle(Qt::ToolButtonIconOnly);
    SpeedButton11->setFixedWidth(14);
    for (QToolButton *b : {SpeedButton5, SpeedButton6, SpeedButton3, SpeedButton11}) {
        b->setFixedHeight(BarHeight - 4);
        sentaku->addWidget(b);
    }
    for (QToolButton *b : {SpeedButtonL, SpeedButtonC, SpeedButtonR})
        b->setFixedHeight(BarHeight - 4);
    row->addWidget(PanelSentakuS, 0, Qt::AlignTop);
    PanelSentakuS->hide();

    ToolButtonExpand =
        makeButton(Row, QStringLiteral("ツールバーの展開"), QStringLiteral("ツールバーの展開"));
    ToolButtonExpand->setFixedHeight(BarHeight - 4);
    row->addWidget(ToolButtonExpand, 0, Qt::AlignTop);
    row->addStretch(1);
    connect(ToolButtonExpand, &QToolButton::clicked, this, [this] { setExpanded(!mExpanded); });

    // The memo floats over the window, just below the spacing buttons.
    MemoSentaku = new QLineEdit(QStringLiteral("0"), parent);
    MemoSentaku->setObjectName(QStringLiteral("MemoSentaku"));
    MemoSentaku->setToolTip(QStringLiteral("間隔を指定する"));
    MemoSentaku->setAccessibleName(QStringLiteral("間隔を指定する"));
    MemoSentaku->setFixedWidth(60);
    MemoSentaku->hide();
    MemoSentaku->installEventFilter(this);
    connect(SpeedButton11, &QToolButton::clicked, this, &TArrangeBars::SpeedButton11Click);
    mCloser = new TPopupCloser(MemoSentaku, [this](QPoint) { return MemoSentakuNyu(); });
}

bool TArrangeBars::MemoSentakuNyu() const
{
    const QPoint g = QCursor::pos();
    return PointerOver(MemoSentaku, g) || PointerOver(SpeedButton11, g);
}

void TArrangeBars::SpeedButton11Click()
{
    if (MemoSentaku->isVisible()) {
        MemoSentaku->hide();
        return;
    }
    QWidget *top = MemoSentaku->parentWidget();
    const QPoint below = SpeedButton3->mapTo(top, QPoint(0, SpeedButton3->height() + 2));
    MemoSentaku->move(below);
    MemoSentaku->show();
    MemoSentaku->raise();
    MemoSentaku->setFocus();
}

void TArrangeBars::setSentakuShown(bool on)
{
    PanelSentakuS->setVisible(on);
    if (!on)
        MemoSentaku->hide();
}

void TArrangeBars::setExpanded(bool on)
{
    mExpanded = on;
    Row->setFixedHeight(BarHeight + (on ? ExpandBy : 0));
    LabelKyotu->setVisible(on);
    const QString text =
        on ? QStringLiteral("ツールバーの最小化") : QStringLiteral("ツールバーの展開");
    ToolButtonExpand->setText(text);
    ToolButtonExpand->setToolTip(text);
    ToolButtonExpand->setAccessibleName(text);
}

bool TArrangeBars::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MemoSentaku && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit spacingEntered();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
