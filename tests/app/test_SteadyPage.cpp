// The page stays where it is under the pointer: the tool bars keep their
// height and places whatever their panels show (selection, tools, answer
// and name-field display), in the real window layout of the main window.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitPageView.h"
#include "app/UnitViewControls.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "support/FakePrinter.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

// Where page 0 sits in the window once every pending layout has run.
QPoint pagePosition(TForm1 &form)
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::processEvents();
    }
    return form.pageArea()->PanelP[0]->mapTo(&form, QPoint(0, 0));
}

} // namespace

TEST(SteadyPage, ThePageDoesNotMoveWhateverTheBarsShow)
{
    FakeA4 fake;
    ScriptedMessages messages;
    TForm1 form;
    form.SyokiForm(QString());
    const EditingParts parts = InstallEditing(form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const int r = form.doc().AppendRow();
    RAData &box = form.doc().AData[r];
    box.ID = form.doc().GetId();
    box.Syu = "3";
    box.Layer = 1;
    box.X1 = 200;
    box.Y1 = 300;
    box.Width = 150;
    box.Height = 120;
    box.FontSize = 1;
    form.Redraw();

    const QPoint start = pagePosition(form);
    QWidget *page = form.pageArea()->PanelP[0];
    auto expectSteady = [&](const char *step) { EXPECT_EQ(pagePosition(form), start) << step; };

    // Selecting the box shows its panel; clicking beside it hides it again.
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(250, 340));
    ASSERT_EQ(parts.controller->selection().size(), 1);
    expectSteady("box selected");
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(700, 1000));
    expectSteady("selection dropped");

    // Every tool in turn.
    for (QToolButton *tool :
         {parts.panels->ToolButton5, parts.panels->ToolButton6, parts.panels->ToolButton8,
          parts.panels->ToolButton7, parts.panels->ToolButton10, parts.panels->ToolButton9}) {
        QTest::mouseClick(tool, Qt::LeftButton);
        expectSteady(tool->text().toUtf8().constData());
    }

    // Answer display on (its colour control appears), then name display.
    TViewControls *view = form.viewControls();
    QTest::mouseClick(view->SpeedButtonKai, Qt::LeftButton);
    ASSERT_TRUE(view->answerDisplayOn());
    expectSteady("answer display on");
    QTest::mouseClick(view->SpeedButtonName, Qt::LeftButton);
    ASSERT_TRUE(view->nameDisplayOn());
    expectSteady("name display on");
    QTest::mouseClick(view->SpeedButtonName, Qt::LeftButton);
    expectSteady("both off");

    // A horizontal drag of the box moves it across only.
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(250, 340));
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(250, 340));
    QTest::mouseMove(page, QPoint(280, 340));
    QTest::mouseMove(page, QPoint(310, 340));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(310, 340));
    expectSteady("after the drag");
    EXPECT_EQ(form.doc().AData[r].Y1, 300);
    EXPECT_EQ(form.doc().AData[r].X1, 260);
}
