// The checkable buttons of the main window act once for every change of
// their state, however it comes about: a mouse click, setChecked() from a
// script, the space bar, or the toggle action of a screen reader. Releasing
// "複数" in any of these ways hides the arrangement bar and empties the
// selection, so alignment afterwards moves nothing.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitPageView.h"
#include "app/UnitViewControls.h"
#include "editing/UnitArrangeBars.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"
#include "support/FakePrinter.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

void accessibleAction(QAbstractButton *button, const QString &action)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(iface, nullptr);
    ASSERT_NE(iface->actionInterface(), nullptr);
    ASSERT_TRUE(iface->actionInterface()->actionNames().contains(action))
        << iface->actionInterface()->actionNames().join(u',').toStdString();
    iface->actionInterface()->doAction(action);
    QApplication::processEvents();
}

void accessibleToggle(QAbstractButton *button)
{
    accessibleAction(button, QAccessibleActionInterface::toggleAction());
}

void drawBox(QWidget *page, QPoint from, QPoint to)
{
    QTest::mouseClick(page, Qt::LeftButton, {}, from);
    QTest::mouseMove(page, (from + to) / 2);
    QTest::mouseClick(page, Qt::LeftButton, {}, to);
}

struct Window {
    Window()
    {
        SetMessages(&messages);
        form = std::make_unique<TForm1>();
        form->SyokiForm(QString());
        parts = InstallEditing(*form);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        page = form->pageArea()->PanelP.at(0);
    }
    ~Window()
    {
        form.reset();
        SetMessages(nullptr);
    }
    FakeA4 printer;
    ScriptedMessages messages;
    std::unique_ptr<TForm1> form;
    EditingParts parts;
    QWidget *page = nullptr;
};

} // namespace

TEST(CheckableButtons, ToolsActOnEveryWayOfBeingPressed)
{
    Window w;
    TEditPanels &p = *w.parts.panels;
    Document &doc = w.form->doc();

    // The screen reader's toggle chooses the box tool: two presses draw one.
    accessibleToggle(p.ToolButton8);
    EXPECT_TRUE(p.ToolButton8->isChecked());
    EXPECT_EQ(w.form->settings().ToolSyu, QStringLiteral("3"));
    EXPECT_TRUE(p.PanelBox->isVisibleTo(p.PanelRow));
    drawBox(w.page, QPoint(100, 100), QPoint(160, 140));
    ASSERT_EQ(doc.AData.size(), 1);
    EXPECT_EQ(doc.AData[0].Syu, QStringLiteral("3"));

    // setChecked from a script chooses the line tool.
    p.ToolButton6->setChecked(true);
    EXPECT_EQ(w.form->settings().ToolSyu, QStringLiteral("2"));
    EXPECT_TRUE(p.PanelLine->isVisibleTo(p.PanelRow));
    EXPECT_FALSE(p.PanelBox->isVisibleTo(p.PanelRow));
    EXPECT_FALSE(p.ToolButton8->isChecked());

    // The space bar and the mouse work as before, and a tool chosen in code
    // shows its button down without choosing it again.
    QTest::keyClick(p.ToolButton5, Qt::Key_Space);
    EXPECT_EQ(w.form->settings().ToolSyu, QStringLiteral("1"));
    QSignalSpy tools(w.parts.controller, &TEditController::toolChanged);
    QTest::mouseClick(p.ToolButton9, Qt::LeftButton);
    EXPECT_EQ(w.form->settings().ToolSyu, QStringLiteral("0"));
    EXPECT_EQ(tools.count(), 1);
    EXPECT_TRUE(p.ToolButton9->isChecked());
    EXPECT_FALSE(p.PanelMoji->isVisibleTo(p.PanelRow));
}

TEST(CheckableButtons, ReleasingMultipleSelectionEmptiesItWhicheverWay)
{
    Window w;
    TEditPanels &p = *w.parts.panels;
    TArrangeBars &bars = *w.parts.bars;
    Document &doc = w.form->doc();
    QTest::mouseClick(p.ToolButton8, Qt::LeftButton);
    drawBox(w.page, QPoint(100, 100), QPoint(160, 140));
    drawBox(w.page, QPoint(60, 200), QPoint(200, 240));
    ASSERT_EQ(doc.AData.size(), 2);
    QTest::mouseClick(p.ToolButton9, Qt::LeftButton);

    const auto pickBoth = [&] {
        QTest::mouseClick(w.page, Qt::LeftButton, {}, QPoint(130, 120));
        QTest::mouseClick(w.page, Qt::LeftButton, {}, QPoint(130, 220));
    };
    const auto releaseWays = std::vector<std::function<void()>>{
        [&] { accessibleToggle(p.SpeedButtonS); },
        [&] { p.SpeedButtonS->setChecked(false); },
        [&] { QTest::mouseClick(p.SpeedButtonS, Qt::LeftButton); },
        [&] { QTest::keyClick(p.SpeedButtonS, Qt::Key_Space); },
    };
    const auto pressWays = std::vector<std::function<void()>>{
        [&] { accessibleToggle(p.SpeedButtonS); },
        [&] { p.SpeedButtonS->setChecked(true); },
        [&] { QTest::mouseClick(p.SpeedButtonS, Qt::LeftButton); },
        [&] { p.SpeedButtonS->toggle(); },
    };
    for (size_t k = 0; k < releaseWays.size(); ++k) {
        SCOPED_TRACE(k);
        pressWays[k]();
        ASSERT_TRUE(p.SpeedButtonS->isChecked());
        EXPECT_TRUE(bars.PanelSentakuS->isVisible());
        pickBoth();
        ASSERT_EQ(w.parts.controller->selection().size(), 2);

        releaseWays[k]();
        EXPECT_FALSE(p.SpeedButtonS->isChecked());
        EXPECT_FALSE(bars.PanelSentakuS->isVisible());
        EXPECT_TRUE(w.parts.controller->selection().isEmpty());
        // Alignment has nothing left to move.
        const int commands = doc.undoStack().count();
        bars.SpeedButtonL->click();
        bars.SpeedButtonR->click();
        EXPECT_EQ(doc.AData[0].X1, 100);
        EXPECT_EQ(doc.AData[1].X1, 60);
        EXPECT_EQ(doc.undoStack().count(), commands);
    }
}

TEST(CheckableButtons, LockAndStylesActOncePerChange)
{
    Window w;
    TEditPanels &p = *w.parts.panels;
    Document &doc = w.form->doc();
    QUndoStack &stack = doc.undoStack();
    QTest::mouseClick(p.ToolButton8, Qt::LeftButton);
    drawBox(w.page, QPoint(100, 100), QPoint(160, 140));
    drawBox(w.page, QPoint(60, 200), QPoint(200, 240));
    QTest::mouseClick(p.ToolButton9, Qt::LeftButton);
    QTest::mouseClick(w.page, Qt::LeftButton, {}, QPoint(130, 120));
    ASSERT_EQ(w.parts.controller->selection().size(), 1);

    int commands = stack.count();
    accessibleToggle(p.SpeedButtonLock);
    EXPECT_EQ(doc.AData[0].Lock, 1);
    EXPECT_EQ(stack.count(), commands + 1);
    QTest::mouseClick(p.SpeedButtonLock, Qt::LeftButton);
    EXPECT_EQ(doc.AData[0].Lock, 0);
    EXPECT_EQ(stack.count(), commands + 2);
    p.SpeedButtonLock->setChecked(true);
    EXPECT_EQ(doc.AData[0].Lock, 1);
    EXPECT_EQ(stack.count(), commands + 3);

    // Pressing the other box shows its lock state on the toggle; that is no
    // edit of either box.
    commands = stack.count();
    QTest::mouseClick(w.page, Qt::LeftButton, {}, QPoint(130, 220));
    ASSERT_EQ(w.parts.controller->selection().size(), 1);
    EXPECT_EQ(doc.AData[0].Lock, 1);
    EXPECT_EQ(doc.AData[1].Lock, 0);
    EXPECT_EQ(stack.count(), commands);

    accessibleToggle(p.SpeedButtonItalic);
    EXPECT_TRUE(p.SpeedButtonItalic->isChecked());
    EXPECT_EQ(doc.AData[1].FontI, 1);
    EXPECT_EQ(stack.count(), commands + 1);
    QTest::mouseClick(p.SpeedButtonItalic, Qt::LeftButton);
    EXPECT_EQ(doc.AData[1].FontI, 0);
    EXPECT_EQ(stack.count(), commands + 2);
}

TEST(CheckableButtons, DisplaySwitchesActOncePerChange)
{
    Window w;
    TViewControls &v = *w.form->viewControls();
    QSignalSpy changes(&v, &TViewControls::changed);

    accessibleToggle(v.SpeedButtonKai);
    EXPECT_TRUE(v.answerDisplayOn());
    EXPECT_TRUE(v.PanelKaiS->isVisible());
    EXPECT_EQ(changes.count(), 1);

    // The name field's switch pops the answer switch up: one change.
    v.SpeedButtonName->setChecked(true);
    EXPECT_TRUE(v.nameDisplayOn());
    EXPECT_TRUE(v.PanelNameS->isVisible());
    EXPECT_FALSE(v.SpeedButtonKai->isChecked());
    EXPECT_FALSE(v.answerDisplayOn());
    EXPECT_FALSE(v.PanelKaiS->isVisible());
    EXPECT_EQ(changes.count(), 2);

    QTest::mouseClick(v.SpeedButtonName, Qt::LeftButton);
    EXPECT_FALSE(v.nameDisplayOn());
    EXPECT_FALSE(v.PanelNameS->isVisible());
    EXPECT_EQ(changes.count(), 3);

    // The answer switch on the page toggles the bar's switch: one change.
    v.OnPageAnswerSwitch();
    EXPECT_TRUE(v.SpeedButtonKai->isChecked());
    EXPECT_TRUE(v.answerDisplayOn());
    EXPECT_EQ(changes.count(), 4);
    QTest::keyClick(v.SpeedButtonKai, Qt::Key_Space);
    EXPECT_FALSE(v.answerDisplayOn());
    EXPECT_EQ(changes.count(), 5);
}
