#include "editing/UnitEditPanels.h"
#include "platform/UnitNumText.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

namespace
{

QColor toQColor(TColor c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QToolButton *makeButton(QWidget *parent, const QString &text, const QString &hint = QString(),
                        bool toggle = false)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    b->setCheckable(toggle);
    return b;
}

QLineEdit *makeBox(QWidget *parent, const QString &text, int width)
{
    auto *e = new QLineEdit(text, parent);
    e->setFixedWidth(width);
    return e;
}

QHBoxLayout *rowLayout(QWidget *w)
{
    auto *l = new QHBoxLayout(w);
    l->setContentsMargins(2, 0, 2, 0);
    l->setSpacing(3);
    return l;
}

} // namespace

TEditSwatch::TEditSwatch(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

void TEditSwatch::setColor(TColor c)
{
    mColor = c;
    update();
}

void TEditSwatch::setTransparentShown(bool on)
{
    mTransparent = on;
    update();
}

void TEditSwatch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    if (mTransparent) {
        // The transparency picture: white with a red diagonal.
        p.fillRect(r, Qt::white);
        p.setPen(QPen(Qt::red, 1));
        p.drawLine(r.bottomLeft(), r.topRight());
    } else {
        p.fillRect(r, toQColor(mColor));
    }
    p.setPen(Qt::black);
    p.drawRect(r);
}

void TEditSwatch::mousePressEvent(QMouseEvent *e)
{
    emit clicked(e->globalPosition().toPoint());
}

TEditPanels::TEditPanels(const EditPanelDefaults &d, QWidget *parent) : QObject(parent)
{
    ToolRow = new QWidget(parent);
    auto *tools = rowLayout(ToolRow);
    ToolButton9 = makeButton(ToolRow, QStringLiteral("選択"), QString(), true);
    ToolButton5 = makeButton(ToolRow, QStringLiteral("文字"), QString(), true);
    ToolButton6 = makeButton(ToolRow, QStringLiteral("直線"), QString(), true);
    ToolButton8 = makeButton(ToolRow, QStringLiteral("四角"), QString(), true);
    ToolButton7 = makeButton(ToolRow, QStringLiteral("画像"), QString(), true);
    ToolButton10 = makeButton(ToolRow, QStringLiteral("数式"), QString(), true);
    SpeedButtonS = makeButton(ToolRow, QStringLiteral("複数"), QString(), true);
    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    for (QToolButton *b :
         {ToolButton9, ToolButton5, ToolButton6, ToolButton8, ToolButton7, ToolButton10}) {
        group->addButton(b);
        tools->addWidget(b);
    }
    tools->addSpacing(8);
    tools->addWidget(SpeedButtonS);
    ToolButton9->setChecked(true);

    PanelRow = new QWidget(parent);
    auto *panels = rowLayout(PanelRow);

    PanelMoji = new QWidget(PanelRow);
    auto *moji = rowLayout(PanelMoji);
    LabelMojiSiki = new QLabel(QStringLiteral("文字ツール"), PanelMoji);
    MemoFontName = makeBox(PanelMoji, d.FontName, 140);
    MemoFS = makeBox(PanelMoji, d.FontSize, 40);
    SpeedButtonBold = makeButton(PanelMoji, QStringLiteral("B"), QStringLiteral("太字"), true);
    SpeedButtonItalic = makeButton(PanelMoji, QStringLiteral("I"), QStringLiteral("斜体"), true);
    SpeedButtonUnder = makeButton(PanelMoji, QStringLiteral("U"), QStringLiteral("下線"), true);
    SpeedButtonStrike =
        makeButton(PanelMoji, QStringLiteral("S"), QStringLiteral("取り消し線"), true);
    PanelFCMo = new TEditSwatch(PanelMoji);
    PanelFCMo->setColor(d.TextColor);
    PanelFCMo->setToolTip(QStringLiteral("文字の色"));
    PanelBCMo = new TEditSwatch(PanelMoji);
    PanelBCMo->setColor(d.TextBackColor);
    PanelBCMo->setTransparentShown(!d.TextBackOn);
    PanelBCMo->setToolTip(QStringLiteral("背景の色"));
    SpeedButtonLock =
        makeButton(PanelMoji, QStringLiteral("ロック"), QStringLiteral("ロック"), true);
    SpeedButton13 = makeButton(PanelMoji, QStringLiteral("修正"), QStringLiteral("文字の修正"));
    for (QWidget *w :
         std::initializer_list<QWidget *>{LabelMojiSiki, MemoFontName, MemoFS, SpeedButtonBold,
                                          SpeedButtonItalic, SpeedButtonUnder, SpeedButtonStrike,
                                          PanelFCMo, PanelBCMo, SpeedButtonLock, SpeedButton13})
        moji->addWidget(w);

    PanelLine = new QWidget(PanelRow);
    auto *line = rowLayout(PanelLine);
    line->addWidget(new QLabel(QStringLiteral("直線"), PanelLine));
    PanelColorLine = new TEditSwatch(PanelLine);
    PanelColorLine->setColor(d.LineColor);
    PanelColorLine->setToolTip(QStringLiteral("線の色"));
    MemoLineSize = makeBox(PanelLine, d.LineWidth, 40);
    SpeedButtonL1 = makeButton(PanelLine, QStringLiteral("解除"));
    SpeedButton7 =
        makeButton(PanelLine, QStringLiteral("比率"), QStringLiteral("縦横比を固定しない"), true);
    for (QWidget *w : std::initializer_list<QWidget *>{PanelColorLine, MemoLineSize, SpeedButtonL1,
                                                       SpeedButton7})
        line->addWidget(w);

    PanelBox = new QWidget(PanelRow);
    auto *box = rowLayout(PanelBox);
    box->addWidget(new QLabel(QStringLiteral("四角"), PanelBox));
    PanelColorBox = new TEditSwatch(PanelBox);
    PanelColorBox->setColor(d.BoxLineColor);
    PanelColorBox->setToolTip(QStringLiteral("枠の色"));
    PanelColorBoxFull = new TEditSwatch(PanelBox);
    PanelColorBoxFull->setColor(d.BoxFillColor);
    PanelColorBoxFull->setTransparentShown(!d.BoxFillOn);
    PanelColorBoxFull->setToolTip(QStringLiteral("塗りつぶしの色"));
    MemoBoxSize = makeBox(PanelBox, d.BoxWidth, 40);
    SpeedButton20 = makeButton(PanelBox, QStringLiteral("解除"));
    SpeedButton21 =
        makeButton(PanelBox, QStringLiteral("比率"), QStringLiteral("縦横比を固定しない"), true);
    for (QWidget *w : std::initializer_list<QWidget *>{PanelColorBox, PanelColorBoxFull,
                                                       MemoBoxSize, SpeedButton20, SpeedButton21})
        box->addWidget(w);

    PanelPic = new QWidget(PanelRow);
    auto *pic = rowLayout(PanelPic);
    pic->addWidget(new QLabel(QStringLiteral("画像"), PanelPic));

    for (QWidget *w : {PanelMoji, PanelLine, PanelBox, PanelPic}) {
        panels->addWidget(w);
        w->hide();
    }
    panels->addStretch(1);
}

void TEditPanels::showPanel(ToolPanel panel)
{
    mShown = panel;
    PanelMoji->setVisible(panel == ToolPanel::Moji);
    PanelLine->setVisible(panel == ToolPanel::Line);
    PanelBox->setVisible(panel == ToolPanel::Box);
    PanelPic->setVisible(panel == ToolPanel::Pic);
}

bool TEditPanels::aspectUnlocked() const
{
    return SpeedButton7->isChecked() || SpeedButton21->isChecked();
}

void TEditPanels::markTool(const QString &toolSyu)
{
    QToolButton *b = toolSyu == u"1"   ? ToolButton5
                     : toolSyu == u"2" ? ToolButton6
                     : toolSyu == u"3" ? ToolButton8
                     : toolSyu == u"4" ? ToolButton7
                     : toolSyu == u"5" ? ToolButton10
                                       : ToolButton9;
    b->setChecked(true);
}

bool ReadIntegerBox(const QString &text, int &value)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char('.')) || !IsNumText(t) || t.size() > 9)
        return false;
    value = TextToInt(t);
    return true;
}

QString NotIntegerMessage(const QString &text)
{
    return QStringLiteral("'%1' は整数ではありません。").arg(text);
}
