#include "editing/UnitColorMenus.h"

#include <QColorDialog>

TColor FromQColor(const QColor &c)
{
    return TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
}

std::optional<TColor> DialogColorChooser::choose(TColor initial)
{
    const QColor c = QColorDialog::getColor(ToQColor(initial), mParent);
    if (!c.isValid())
        return std::nullopt;
    return FromQColor(c);
}

TColorMenus::TColorMenus(QWidget *parent) : QObject(parent)
{
    PopupMenuFCMo = new QMenu(parent);
    FCMoSet = PopupMenuFCMo->addAction(QStringLiteral("文字の色を設定"));
    FCMoBlack = PopupMenuFCMo->addAction(QStringLiteral("文字の色を標準（黒）に設定"));
    PopupMenuBCMo = new QMenu(parent);
    BCMoSet = PopupMenuBCMo->addAction(QStringLiteral("文字の背景色を設定"));
    BCMoNone = PopupMenuBCMo->addAction(QStringLiteral("文字の背景色なし（透過）"));
    PopupMenuFCLine = new QMenu(parent);
    LineSet = PopupMenuFCLine->addAction(QStringLiteral("線の色を設定"));
    PopupMenuColorBox = new QMenu(parent);
    BoxSet = PopupMenuColorBox->addAction(QStringLiteral("四角の周りの色を設定"));
    BoxNone = PopupMenuColorBox->addAction(QStringLiteral("四角の周りの色なし"));
    PopupMenuColorBox->addSeparator();
    BoxFullSet = PopupMenuColorBox->addAction(QStringLiteral("四角の塗りつぶしの色を設定"));
    BoxFullNone = PopupMenuColorBox->addAction(QStringLiteral("四角の塗りつぶしの色なし（透過）"));
}
