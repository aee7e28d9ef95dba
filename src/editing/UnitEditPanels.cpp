#include "editing/UnitEditPanels.h"
#include "editing/UnitToggle.h"
#include "platform/UnitNumText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

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
    if (!hint.isEmpty()) {
        b->setToolTip(hint);
        b->setAccessibleName(hint);
    }
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

TUpDown::TUpDown(const QString &hint, QWidget *parent) : QWidget(parent)
{
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    Up = new QToolButton(this);
    Down = new QToolButton(this);
    Up->setArrowType(Qt::UpArrow);
    Down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {Up, Down}) {
        b->setFixedSize(14, 10);
        b->setToolTip(hint);
        b->setAutoRepeat(true);
        l->addWidget(b);
    }
    Up->setAccessibleName(hint + QStringLiteral(" +"));
    Down->setAccessibleName(hint + QStringLiteral(" -"));
    connect(Up, &QToolButton::clicked, this, [this] { emit stepped(true); });
    connect(Down, &QToolButton::clicked, this, [this] { emit stepped(false); });
}

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
    if (mLineSample) {
        // The line swatch shows a diagonal sample line of width 3.
        p.fillRect(r, Qt::white);
        p.setPen(QPen(toQColor(mColor), 3));
        p.drawLine(r.bottomLeft() + QPoint(3, -3), r.topRight() + QPoint(-3, 3));
        p.setPen(Qt::black);
        p.drawRect(r);
        return;
    }
    p.fillRect(r, toQColor(mColor));
    if (mTransparent) {
        // The transparency picture over the swatch's colour: a small
        // chequer with a red diagonal.
        const QRect inner = r.adjusted(3, 3, -2, -2);
        for (int y = inner.top(); y < inner.bottom(); y += 4)
            for (int x = inner.left(); x < inner.right(); x += 4)
                if (((x - inner.left()) / 4 + (y - inner.top()) / 4) % 2 == 0)
                    p.fillRect(QRect(x, y, 4, 4).intersected(inner), Qt::white);
        p.setPen(QPen(Qt::red, 1));
        p.drawLine(inner.bottomLeft(), inner.topRight());
    }
    p.setPen(Qt::black);
    p.drawRect(r);
}

void TEditSwatch::mousePressEvent(QMouseEvent *e)
{
    emit clicked(e->globalPosition().toPoint());
}

TEditPanels::TEditPanels(const EditPanelDefaults &d, QWidget *parent)
    : QObject(parent), mStartFontSize(d.FontSize)
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
    MemoFontName->setToolTip(QStringLiteral("フォント"));
    MemoFontName->setAccessibleName(QStringLiteral("フォント"));
    SpeedButtonFontName = makeButton(PanelMoji, QString(), QStringLiteral("フォント"));
    SpeedButtonFontName->setArrowType(Qt::DownArrow);
    SpeedButtonFontName->setToolButtonStyle(Qt::ToolButtonIconOnly);
    SpeedButtonFontName->setAccessibleName(QStringLiteral("フォント一覧"));
    MemoFS = makeBox(PanelMoji, d.FontSize, 40);
    MemoFS->setToolTip(QStringLiteral("フォントサイズ"));
    MemoFS->setAccessibleName(QStringLiteral("フォントサイズ"));
    UpDownFSMo = new TUpDown(QStringLiteral("フォントサイズ"), PanelMoji);
    SpeedButtonBold = makeButton(PanelMoji, QStringLiteral("B"), QStringLiteral("太字"), true);
    SpeedButtonItalic = makeButton(PanelMoji, QStringLiteral("I"), QStringLiteral("斜体"), true);
    SpeedButtonUnder = makeButton(PanelMoji, QStringLiteral("U"), QStringLiteral("下線"), true);
    SpeedButtonStrike =
        makeButton(PanelMoji, QStringLiteral("S"), QStringLiteral("取り消し線"), true);
    PanelFCMo = new TEditSwatch(PanelMoji);
    PanelFCMo->setColor(d.TextColor);
    PanelFCMo->setToolTip(QStringLiteral("文字の色"));
    PanelFCMo->setAccessibleName(QStringLiteral("文字の色"));
    PanelBCMo = new TEditSwatch(PanelMoji);
    // "No colour": the swatch takes its panel's colour under the picture.
    PanelBCMo->setColor(d.TextBackOn ? d.TextBackColor : PanelColor());
    PanelBCMo->setTransparentShown(!d.TextBackOn);
    PanelBCMo->setToolTip(QStringLiteral("文字の背景色"));
    PanelBCMo->setAccessibleName(QStringLiteral("文字の背景色"));
    SpeedButtonLock =
        makeButton(PanelMoji, QStringLiteral("ロック"), QStringLiteral("ロック"), true);
    SpeedButton13 = makeButton(PanelMoji, QStringLiteral("修正"), QStringLiteral("文字の修正"));
    SpeedButton1 = makeButton(PanelMoji, QStringLiteral("標準"), QStringLiteral("標準モード"));
    for (QWidget *w : std::initializer_list<QWidget *>{
             LabelMojiSiki, MemoFontName, SpeedButtonFontName, MemoFS, UpDownFSMo, SpeedButtonBold,
             SpeedButtonItalic, SpeedButtonUnder, SpeedButtonStrike, PanelFCMo, PanelBCMo,
             SpeedButtonLock, SpeedButton13, SpeedButton1})
        moji->addWidget(w);

    PanelLine = new QWidget(PanelRow);
    auto *line = rowLayout(PanelLine);
    line->addWidget(new QLabel(QStringLiteral("直線"), PanelLine));
    PanelColorLine = new TEditSwatch(PanelLine);
    PanelColorLine->setColor(d.LineColor);
    PanelColorLine->setLineSample(true);
    PanelColorLine->setToolTip(QStringLiteral("線の色"));
    PanelColorLine->setAccessibleName(QStringLiteral("線の色"));
    MemoLineSize = makeBox(PanelLine, d.LineWidth, 40);
    MemoLineSize->setToolTip(QStringLiteral("線の太さ"));
    MemoLineSize->setAccessibleName(QStringLiteral("線の太さ"));
    UpDownLineSize = new TUpDown(QStringLiteral("線の太さ"), PanelLine);
    SpeedButtonL1 = makeButton(PanelLine, QStringLiteral("解除"));
    SpeedButton7 =
        makeButton(PanelLine, QStringLiteral("比率"), QStringLiteral("縦横比を固定しない"), true);
    SpeedButton2 = makeButton(PanelLine, QStringLiteral("標準"), QStringLiteral("標準モード"));
    for (QWidget *w : std::initializer_list<QWidget *>{PanelColorLine, MemoLineSize, UpDownLineSize,
                                                       SpeedButtonL1, SpeedButton7, SpeedButton2})
        line->addWidget(w);

    PanelBox = new QWidget(PanelRow);
    auto *box = rowLayout(PanelBox);
    box->addWidget(new QLabel(QStringLiteral("四角"), PanelBox));
    PanelColorBox = new TEditSwatch(PanelBox);
    PanelColorBox->setColor(d.BoxLineColor);
    PanelColorBox->setToolTip(QStringLiteral("四角の周りの色"));
    PanelColorBox->setAccessibleName(QStringLiteral("四角の周りの色"));
    PanelColorBoxFull = new TEditSwatch(PanelBox);
    PanelColorBoxFull->setColor(d.BoxFillOn ? d.BoxFillColor : PanelColor());
    PanelColorBoxFull->setTransparentShown(!d.BoxFillOn);
    PanelColorBoxFull->setToolTip(QStringLiteral("四角の塗りつぶしの色"));
    PanelColorBoxFull->setAccessibleName(QStringLiteral("四角の塗りつぶしの色"));
    MemoBoxSize = makeBox(PanelBox, d.BoxWidth, 40);
    MemoBoxSize->setToolTip(QStringLiteral("四角の線の太さ"));
    MemoBoxSize->setAccessibleName(QStringLiteral("四角の線の太さ"));
    UpDownBoxSize = new TUpDown(QStringLiteral("四角の線の太さ"), PanelBox);
    SpeedButton20 = makeButton(PanelBox, QStringLiteral("解除"));
    SpeedButton21 =
        makeButton(PanelBox, QStringLiteral("比率"), QStringLiteral("縦横比を固定しない"), true);
    SpeedButton22 = makeButton(PanelBox, QStringLiteral("標準"), QStringLiteral("標準モード"));
    for (QWidget *w : std::initializer_list<QWidget *>{PanelColorBox, PanelColorBoxFull,
                                                       MemoBoxSize, UpDownBoxSize, SpeedButton20,
                                                       SpeedButton21, SpeedButton22})
        box->addWidget(w);

    PanelPic = new QWidget(PanelRow);
    auto *pic = rowLayout(PanelPic);
    pic->addWidget(new QLabel(QStringLiteral("画像"), PanelPic));
    SpeedButton23 = makeButton(PanelPic, QStringLiteral("標準"), QStringLiteral("標準モード"));
    pic->addWidget(SpeedButton23);

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
    // The tool is already chosen: showing it must not choose it again.
    SetCheckedQuietly(b, true);
}

TColor PanelColor()
{
    const QColor c = QApplication::palette().color(QPalette::Window);
    return TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
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
