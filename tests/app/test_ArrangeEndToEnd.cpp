// The arrangement bars, the colour menus and the name-field bar end to end
// on the main window under the offscreen platform: three boxes drawn with
// the mouse are picked with "複数", left-aligned, given a border colour from
// the swatch's menu, one is deleted, the other two become the name field,
// which is saved and loaded into a new worksheet; every step undoes.
#include "app/Unit1.h"
#include "app/UnitArrangeWiring.h"
#include "app/UnitEditWiring.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPageView.h"
#include "app/UnitViewControls.h"
#include "editing/UnitArrangeBars.h"
#include "editing/UnitColorMenus.h"
#include "editing/UnitPanelCommands.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"
#include <QUndoStack>

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

void drawBox(QWidget *page, QPoint from, QPoint to)
{
    QTest::mouseClick(page, Qt::LeftButton, {}, from);
    QTest::mouseMove(page, (from + to) / 2);
    QTest::mouseClick(page, Qt::LeftButton, {}, to);
}

// Clicks a menu item the way the user does: the swatch pops the menu up at
// the mouse, then the item is clicked.
void chooseFromMenu(QWidget *swatch, QMenu *menu, QAction *item)
{
    QTest::mouseClick(swatch, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QApplication::processEvents();
}

} // namespace

TEST(ArrangeEndToEnd, AlignColourDeleteAndCarryTheNameFieldToANewWorksheet)
{
    FakeA4 printer;
    ScriptedMessages messages;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        TForm1 form;
        form.SyokiForm(QString());
        ScriptedFileDialogs dialogs;
        form.setFileDialogs(&dialogs);
        const EditingParts parts = InstallEditing(form);
        ScriptedColorChooser colors;
        parts.panelCommands->setColorChooser(&colors);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QWidget *page = form.pageArea()->PanelP.at(0);
        Document &doc = form.doc();

        QTest::mouseClick(parts.panels->ToolButton8, Qt::LeftButton);
        drawBox(page, QPoint(100, 100), QPoint(160, 140));
        drawBox(page, QPoint(60, 200), QPoint(200, 240));
        drawBox(page, QPoint(130, 300), QPoint(170, 330));
        ASSERT_EQ(doc.AData.size(), 3);

        // "複数" shows the arrangement bar without moving the page.
        QTest::mouseClick(parts.panels->ToolButton9, Qt::LeftButton);
        const QPoint pageAt = page->mapTo(&form, QPoint(0, 0));
        EXPECT_FALSE(parts.bars->PanelSentakuS->isVisible());
        QTest::mouseClick(parts.panels->SpeedButtonS, Qt::LeftButton);
        ASSERT_TRUE(parts.bars->PanelSentakuS->isVisible());
        QApplication::processEvents();
        EXPECT_EQ(page->mapTo(&form, QPoint(0, 0)), pageAt);
        for (QPoint p : {QPoint(130, 120), QPoint(130, 220), QPoint(150, 315)})
            QTest::mouseClick(page, Qt::LeftButton, {}, p);
        ASSERT_EQ(parts.controller->selection().size(), 3);

        QTest::mouseClick(parts.bars->SpeedButtonL, Qt::LeftButton);
        for (const RAData &r : doc.AData)
            EXPECT_EQ(r.X1, 60);
        EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("左揃え"));

        colors.answers = {TColor(0xFF0000)};
        chooseFromMenu(parts.panels->PanelColorBox, parts.panelCommands->menus()->PopupMenuColorBox,
                       parts.panelCommands->menus()->BoxSet);
        for (const RAData &r : doc.AData)
            EXPECT_EQ(r.ForeColor, 0xFF0000);
        doc.undoStack().undo();
        EXPECT_EQ(doc.AData[1].ForeColor, 0);
        doc.undoStack().redo();
        EXPECT_EQ(doc.AData[1].ForeColor, 0xFF0000);

        // Releasing "複数" hides the bar and empties the selection; one box
        // is picked alone and deleted.
        QTest::mouseClick(parts.panels->SpeedButtonS, Qt::LeftButton);
        EXPECT_FALSE(parts.bars->PanelSentakuS->isVisible());
        EXPECT_TRUE(parts.controller->selection().isEmpty());
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 220));
        ASSERT_EQ(parts.controller->selection().size(), 1);
        const RAData deleted = doc.AData[1];
        QTest::mouseClick(parts.bars->SpeedButton12, Qt::LeftButton);
        ASSERT_EQ(doc.AData.size(), 2);
        EXPECT_TRUE(parts.controller->selection().isEmpty());
        doc.undoStack().undo();
        ASSERT_EQ(doc.AData.size(), 3);
        EXPECT_EQ(doc.AData[1], deleted);
        doc.undoStack().redo();
        ASSERT_EQ(doc.AData.size(), 2);

        // The two boxes left become the name field and are saved as one.
        QTest::mouseClick(parts.panels->SpeedButtonS, Qt::LeftButton);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 120));
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(80, 315));
        ASSERT_EQ(parts.controller->selection().size(), 2);
        QTest::mouseClick(form.viewControls()->SpeedButtonName, Qt::LeftButton);
        ASSERT_TRUE(parts.SpeedButton4->isVisible());
        QTest::mouseClick(parts.SpeedButton4, Qt::LeftButton);
        for (const RAData &r : doc.AData)
            EXPECT_EQ(r.Layer, 3);
        dialogs.answers = {dir.filePath(QStringLiteral("namae"))};
        QTest::mouseClick(parts.SpeedButton10, Qt::LeftButton);
        ASSERT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("namae.prn"))));
        EXPECT_EQ(dialogs.calls.last().filter, QStringLiteral("Tavenorプリント　名前欄(*.prn)"));
        const QVector<RAData> nameField = doc.AData;

        // A new worksheet (not saving this one), then the name field again.
        messages.answers = {MsgAnswer::No};
        form.NewFileCommand();
        ASSERT_TRUE(doc.AData.isEmpty());
        dialogs.answers = {dir.filePath(QStringLiteral("namae.prn"))};
        QTest::mouseClick(parts.SpeedButton9, Qt::LeftButton);
        ASSERT_EQ(doc.AData.size(), 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(doc.AData[i].Layer, 3);
            EXPECT_EQ(doc.AData[i].X1, nameField[i].X1);
            EXPECT_EQ(doc.AData[i].ForeColor, 0xFF0000);
        }
        EXPECT_TRUE(parts.controller->selection().isEmpty());
        doc.undoStack().undo();
        EXPECT_TRUE(doc.AData.isEmpty());
        doc.undoStack().redo();
        EXPECT_EQ(doc.AData.size(), 2);

        // A cancelled open changes nothing and pushes nothing.
        const int steps = doc.undoStack().count();
        QTest::mouseClick(parts.SpeedButton9, Qt::LeftButton);
        EXPECT_EQ(doc.undoStack().count(), steps);
        EXPECT_EQ(doc.AData.size(), 2);
    }
}
