#include "app/UnitViewControls.h"
#include "editing/UnitToggle.h"

#include <QColorDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace
{
QColor toQColor(TColor c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
TColor fromQColor(const QColor &c)
{
    return TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
}
} // namespace

TColorSwatch::TColorSwatch(QWidget *parent) : QWidget(parent)
{
    setFixedSize(22, 22);
    setCursor(Qt::PointingHandCursor);
}

void TColorSwatch::setColor(TColor c)
{
    mColor = c;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect().adjusted(2, 2, -2, -2), toQColor(mColor));
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(2, 2, -3, -3));
}

void TColorSwatch::mousePressEvent(QMouseEvent *e)
{
    emit clicked(e->globalPosition().toPoint());
}

TViewControls::TViewControls(QWidget *parent) : QObject(parent)
{
    auto makeBar = [&](const QString &title, QToolButton *&toggle, QFrame *&panel,
                       QHBoxLayout *&panelLayout) {
        auto *bar = new QWidget(parent);
        auto *row = new QHBoxLayout(bar);
        row->setContentsMargins(2, 0, 2, 0);
        row->addWidget(new QLabel(title, bar));
        toggle = new QToolButton(bar);
        toggle->setText(QStringLiteral("表示切替"));
        // Both switches read "表示切替": the hint says which display it is.
        toggle->setToolTip(title + QStringLiteral("の表示切替"));
        toggle->setAccessibleDescription(toggle->toolTip());
        toggle->setCheckable(true);
        row->addWidget(toggle);
        panel = new QFrame(bar);
        panel->setFrameShape(QFrame::StyledPanel);
        panelLayout = new QHBoxLayout(panel);
        panelLayout->setContentsMargins(2, 0, 2, 0);
        // A hidden panel keeps its room, so the bars around it and the page
        // below do not move when a display is switched on or off.
        QSizePolicy policy = panel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        panel->setSizePolicy(policy);
        row->addWidget(panel);
        return bar;
    };
    KaiBar = makeBar(QStringLiteral("解答表示"), SpeedButtonKai, PanelKaiS, KaiPanelLayout);
    NameBar = makeBar(QStringLiteral("名前欄"), SpeedButtonName, PanelNameS, NamePanelLayout);

    KaiPanelLayout->addWidget(new QLabel(QStringLiteral("フォントの色"), PanelKaiS));
    PanelFCKai = new TColorSwatch(PanelKaiS);
    PanelFCKai->setColor(255);
    KaiPanelLayout->addWidget(PanelFCKai);

    AnswerColorMenu = new QMenu(parent);
    AnswerColorMenu->addAction(QStringLiteral("解答の文字の色を設定"), this,
                               &TViewControls::ChooseAnswerColor);
    AnswerColorMenu->addAction(QStringLiteral("解答の文字の色を標準に設定"), this,
                               &TViewControls::ResetAnswerColor);
    connect(PanelFCKai, &TColorSwatch::clicked, this,
            [this](QPoint pos) { AnswerColorMenu->popup(pos); });

    ConnectToggle(SpeedButtonKai, this, [this](bool) { SpeedButtonKaiClick(); });
    ConnectToggle(SpeedButtonName, this, [this](bool) { SpeedButtonNameClick(); });
    KaiOff();
    NameOff();
}

bool TViewControls::nameDisplayOn() const
{
    return SpeedButtonName->isChecked();
}

void TViewControls::KaiOn()
{
    mKaiOn = true;
    PanelKaiS->setVisible(true);
}

void TViewControls::KaiOff()
{
    // Called from the name-field switch too: popping this one up is part
    // of that switch, not a switch of its own.
    SetCheckedQuietly(SpeedButtonKai, false);
    mKaiOn = false;
    PanelKaiS->setVisible(false);
}

void TViewControls::NameOn()
{
    PanelNameS->setVisible(true);
}

void TViewControls::NameOff()
{
    SetCheckedQuietly(SpeedButtonName, false);
    PanelNameS->setVisible(false);
}

void TViewControls::SpeedButtonKaiClick()
{
    if (SpeedButtonKai->isChecked()) {
        KaiOn();
        NameOff();
    } else {
        KaiOff();
    }
    emit changed();
}

void TViewControls::SpeedButtonNameClick()
{
    if (SpeedButtonName->isChecked()) {
        NameOn();
        KaiOff();
    } else {
        NameOff();
    }
    emit changed();
}

void TViewControls::OnPageAnswerSwitch()
{
    // Toggling runs the switch, as a press of "表示切替" does.
    SpeedButtonKai->toggle();
}

void TViewControls::SetAnswerColor(TColor c)
{
    emit answerColorChosen(c);
}

void TViewControls::ChooseAnswerColor()
{
    const QColor c = QColorDialog::getColor(toQColor(PanelFCKai->color()), nullptr);
    if (c.isValid())
        SetAnswerColor(fromQColor(c));
}

void TViewControls::ResetAnswerColor()
{
    SetAnswerColor(255);
}
