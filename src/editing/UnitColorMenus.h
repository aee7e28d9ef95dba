// The colour menus of the property panels: PopupMenuFCMo (text colour),
// PopupMenuBCMo (text background), PopupMenuFCLine (line colour) and
// PopupMenuColorBox (box border and fill), each popped up at the mouse when
// its swatch is clicked, with their items in the window's own words. The
// items that end in "を設定" ask for a colour through a ColorChooser (the
// platform's colour dialog, or a scripted one in tests); a cancelled
// dialog changes nothing. The menus only hold actions: the panel commands
// connect them to the selection.
#pragma once

#include "document/UnitData.h"
#include "render/UnitCanvas.h" // ToQColor

#include <QMenu>
#include <QObject>
#include <optional>

class QWidget;

// Asks the user for a colour; nothing when the dialog was cancelled.
class ColorChooser
{
public:
    virtual ~ColorChooser() = default;
    virtual std::optional<TColor> choose(TColor initial) = 0;
};

// The platform's colour dialog (QColorDialog).
class DialogColorChooser : public ColorChooser
{
public:
    explicit DialogColorChooser(QWidget *parent) : mParent(parent) {}
    std::optional<TColor> choose(TColor initial) override;

private:
    QWidget *mParent;
};

// The reverse of ToQColor for the colours a dialog gives.
TColor FromQColor(const QColor &c);

class TColorMenus : public QObject
{
    Q_OBJECT
public:
    explicit TColorMenus(QWidget *parent);

    QMenu *PopupMenuFCMo;
    QAction *FCMoSet;   // "文字の色を設定"
    QAction *FCMoBlack; // "文字の色を標準（黒）に設定"
    QMenu *PopupMenuBCMo;
    QAction *BCMoSet;  // "文字の背景色を設定"
    QAction *BCMoNone; // "文字の背景色なし（透過）"
    QMenu *PopupMenuFCLine;
    QAction *LineSet; // "線の色を設定"
    QMenu *PopupMenuColorBox;
    QAction *BoxSet;      // "四角の周りの色を設定"
    QAction *BoxNone;     // "四角の周りの色なし"
    QAction *BoxFullSet;  // "四角の塗りつぶしの色を設定"
    QAction *BoxFullNone; // "四角の塗りつぶしの色なし（透過）"
};
