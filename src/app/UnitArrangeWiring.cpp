#include "app/UnitArrangeWiring.h"
#include "app/Unit1.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPageButtons.h"
#include "app/UnitViewControls.h"
#include "editing/UnitArrangeBars.h"
#include "editing/UnitArrangeButtons.h"
#include "editing/UnitFontList.h"
#include "editing/UnitPanelCommands.h"
#include "editing/UnitPro.h"
#include "editing/UnitSelect.h"
#include "render/UnitRender.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QToolBar>

namespace
{

QToolButton *barButton(QWidget *parent, const QString &text, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

} // namespace

void SpeedButton9Click(TForm1 &form)
{
    form.fileCommands().LoadNameField();
    // Also after a cancel the selection and its marks go.
    if (TEditController *c = form.editing().controller)
        c->clearSelection();
    form.TakeKeysBack();
}

void SpeedButton10Click(TForm1 &form)
{
    form.fileCommands().SaveNameField();
    form.TakeKeysBack();
}

void InstallArrangement(TForm1 &form, EditingParts &parts)
{
    TEditController &ctl = *parts.controller;
    Metrics &metrics = form.renderer().metrics();

    parts.bars = new TArrangeBars(parts.panels->SpeedButtonLock, &form);
    // The tool buttons and the arrangement bars share a row of their own
    // below the file and display bars, so that neither falls into a tool
    // bar's overflow menu.
    form.insertToolBarBreak(parts.toolBar);
    parts.toolBar->addSeparator();
    parts.toolBar->addWidget(parts.bars->Row);

    parts.arrange =
        new TArrangeCommands(form.doc(), metrics, ctl.host(), ctl, *parts.panels, &form);
    parts.arrange->connectBars(parts.bars);
    parts.panelCommands = new TPanelCommands(form.doc(), metrics, ctl.host(), ctl, *parts.panels,
                                             &form, ScreenFontNames());

    parts.pro = new TFormPro(&form);
    parts.panelCommands->connectPro(parts.pro);
    // Once the values are on the object, Ctrl+Z and the other keys go to
    // the page again, not to the coordinate boxes.
    QObject::connect(parts.pro, &TFormPro::Setting, &form, [&form] { form.TakeKeysBack(); });
    QObject::connect(parts.arrange, &TArrangeCommands::pageButtonSelected, parts.pro,
                     &TFormPro::fill);
    parts.move = new TFormMove(&form);
    parts.panelCommands->connectMove(parts.move);
    if (form.MenuView) {
        form.MenuView->addSeparator();
        TFormPro *pro = parts.pro;
        form.MenuView->addAction(QStringLiteral("プロパティ"), pro, [pro] {
            pro->show();
            pro->raise();
        });
    }
    if (form.MenuTest) {
        TFormMove *move = parts.move;
        form.MenuTest->addAction(QStringLiteral("FormMove"), move, [move] {
            move->show();
            move->raise();
        });
    }

    // The object modes of the answer and name-field bars, and the name
    // field's file buttons.
    TViewControls *view = form.viewControls();
    parts.SpeedButton8 =
        barButton(view->PanelKaiS, QStringLiteral("解答"), QStringLiteral("解答モード"));
    view->KaiPanelLayout->addWidget(parts.SpeedButton8);
    view->PanelFCKai->setToolTip(QStringLiteral("フォントの色"));
    view->PanelFCKai->setAccessibleName(QStringLiteral("フォントの色"));
    parts.SpeedButton4 =
        barButton(view->PanelNameS, QStringLiteral("名前欄"), QStringLiteral("名前欄"));
    parts.SpeedButton9 =
        barButton(view->PanelNameS, QStringLiteral("開く"), QStringLiteral("名前欄を開く"));
    parts.SpeedButton10 =
        barButton(view->PanelNameS, QStringLiteral("保存"), QStringLiteral("名前欄を保存"));
    // The ready header's styles, from the same menu as "編集" shows.
    parts.NameHeaderButton =
        barButton(view->PanelNameS, QStringLiteral("名前欄を追加"), QStringLiteral("名前欄を追加"));
    // A click (mouse, keys or the accessibility press) opens the styles
    // below the button without waiting for the choice, so that the press
    // itself returns at once (a menu of the button's own would open modally).
    QToolButton *headerButton = parts.NameHeaderButton;
    QMenu *headerMenu = parts.nameHeaderMenu;
    QObject::connect(headerButton, &QToolButton::clicked, headerMenu, [headerButton, headerMenu] {
        headerMenu->popup(headerButton->mapToGlobal(QPoint(0, headerButton->height())));
    });
    for (QToolButton *b :
         {parts.SpeedButton4, parts.SpeedButton9, parts.SpeedButton10, parts.NameHeaderButton})
        view->NamePanelLayout->addWidget(b);
    TArrangeCommands *arrange = parts.arrange;
    QObject::connect(parts.SpeedButton8, &QToolButton::clicked, arrange,
                     &TArrangeCommands::SpeedButton8Click);
    QObject::connect(parts.SpeedButton4, &QToolButton::clicked, arrange,
                     &TArrangeCommands::SpeedButton4Click);
    QObject::connect(parts.SpeedButton9, &QToolButton::clicked, &form,
                     [&form] { SpeedButton9Click(form); });
    QObject::connect(parts.SpeedButton10, &QToolButton::clicked, &form,
                     [&form] { SpeedButton10Click(form); });

    // The on-page buttons: a press selects their object; the click itself
    // (answer switch, regeneration) is the main window's.
    TPageButtons *pb = form.pageButtons();
    QObject::connect(pb->SpeedButtonN1, &QToolButton::pressed, arrange,
                     [arrange] { arrange->PageButtonPressed(QStringLiteral("b")); });
    QObject::connect(pb->SpeedButtonRandom, &QToolButton::pressed, arrange,
                     [arrange] { arrange->PageButtonPressed(QStringLiteral("r")); });
}
