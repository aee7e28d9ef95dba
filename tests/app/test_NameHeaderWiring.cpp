// The ready name header and the grade's start size in the main window: the
// "編集" submenu and the name bar's button reach the same styles, each with
// its caption as accessible name; choosing one adds the header as one undo
// step; a worksheet of 1年 opened from a file shows the larger start size
// without changing the worksheet.
#include "app/Unit1.h"
#include "app/UnitBunruiBar.h"
#include "app/UnitEditWiring.h"
#include "app/UnitViewControls.h"
#include "document/UnitFile.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "support/FakePrinter.h"

#include <QAccessible>
#include <QComboBox>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

QAction *actionNamed(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace

TEST(NameHeaderWiring, MenuAndNameBarButtonAddTheHeaderAsOneStep)
{
    FakeA4 fake;
    ScriptedMessages messages;
    TForm1 form;
    form.SyokiForm(QString());
    InstallEditing(form);
    const EditingParts &parts = form.editing();
    ASSERT_NE(parts.nameHeaderMenu, nullptr);
    EXPECT_EQ(parts.nameHeaderMenu->menuAction()->text(), QStringLiteral("名前欄を追加"));
    EXPECT_NE(actionNamed(parts.editMenu, QStringLiteral("名前欄を追加")), nullptr);
    QAction *oneLine = actionNamed(parts.nameHeaderMenu, QStringLiteral("1行"));
    QAction *score = actionNamed(parts.nameHeaderMenu, QStringLiteral("点数の丸つき"));
    ASSERT_NE(oneLine, nullptr);
    ASSERT_NE(score, nullptr);
    EXPECT_FALSE(oneLine->toolTip().isEmpty());

    // The name bar's button carries its caption and pops up the same menu.
    QToolButton *button = parts.NameHeaderButton;
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->accessibleName(), QStringLiteral("名前欄を追加"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("名前欄を追加"));
    EXPECT_TRUE(form.viewControls()->PanelNameS->isAncestorOf(button));
    // A click opens the styles and returns at once.
    form.show();
    form.viewControls()->SpeedButtonName->click();
    ASSERT_TRUE(button->isVisible());
    button->click();
    EXPECT_TRUE(parts.nameHeaderMenu->isVisible());
    parts.nameHeaderMenu->hide();

    Document &doc = form.doc();
    const QByteArray start = BuildFileBytes(doc, LayerWorksheet, 1);
    score->trigger();
    ASSERT_EQ(doc.AData.size(), 6);
    for (const RAData &r : doc.AData)
        EXPECT_EQ(r.Layer, 3);
    EXPECT_EQ(doc.undoStack().count(), 1);
    EXPECT_EQ(parts.undoAction->text(), QStringLiteral("元に戻す: 名前欄を追加"));
    parts.undoAction->trigger();
    EXPECT_EQ(BuildFileBytes(doc, LayerWorksheet, 1), start);
    oneLine->trigger();
    EXPECT_EQ(doc.AData.size(), 6);
    EXPECT_EQ(doc.AData[5].Siki, QStringLiteral("　　点"));
}

TEST(NameHeaderWiring, AYoungGradesWorksheetShowsTheLargerSizeWithoutChanging)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir dir;
    const QString path = dir.path() + "/1nen.prx";
    Document saved;
    saved.NenIndex = 1;
    const int r = saved.AppendRow();
    saved.AData[r].Syu = "1";
    saved.AData[r].Siki = "なまえ";
    saved.AData[r].FontSize = 11;
    saved.AData[r].Layer = 1;
    ASSERT_TRUE(SaveFileAll(path, saved, LayerWorksheet, 1).ok);

    TForm1 form;
    form.SyokiForm(path);
    InstallEditing(form);
    TBunruiBar *bar = InstallBunruiBar(form);
    const QByteArray opened = BuildFileBytes(form.doc(), LayerWorksheet, 1);
    EXPECT_EQ(bar->ComboNen->currentIndex(), 1);
    EXPECT_EQ(form.editing().panels->MemoFS->text(), QStringLiteral("24"));
    EXPECT_EQ(BuildFileBytes(form.doc(), LayerWorksheet, 1), opened);
    EXPECT_EQ(form.doc().AData[0].FontSize, 11);
    EXPECT_FALSE(form.doc().isModified());
    EXPECT_EQ(form.doc().undoStack().count(), 0);

    // A new worksheet has no grade: today's start size again.
    form.StartNewWorksheet();
    EXPECT_EQ(form.editing().panels->MemoFS->text(), QStringLiteral("11"));

    // The teacher's choice in the box reaches the size box as well.
    bar->ComboNen->setCurrentIndex(2);
    bar->ApplyBoxes();
    EXPECT_EQ(form.editing().panels->MemoFS->text(), QStringLiteral("24"));
}
