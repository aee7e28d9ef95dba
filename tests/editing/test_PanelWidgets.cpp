#include "editing/UnitArrangeBars.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitFontList.h"
#include "editing/UnitPopupCloser.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(PopupCloser, LeftOrRightPressOutsideOrFocusLossCloses)
{
    EXPECT_TRUE(PopupClosesOn(QEvent::MouseButtonPress, Qt::LeftButton, false));
    EXPECT_TRUE(PopupClosesOn(QEvent::MouseButtonPress, Qt::RightButton, false));
    EXPECT_TRUE(PopupClosesOn(QEvent::NonClientAreaMouseButtonPress, Qt::LeftButton, false));
    EXPECT_FALSE(PopupClosesOn(QEvent::MouseButtonPress, Qt::LeftButton, true));
    EXPECT_FALSE(PopupClosesOn(QEvent::MouseButtonPress, Qt::MiddleButton, false));
    EXPECT_FALSE(PopupClosesOn(QEvent::MouseButtonRelease, Qt::LeftButton, false));
    EXPECT_TRUE(PopupClosesOn(QEvent::ApplicationDeactivate, Qt::NoButton, true));
}

TEST(FontList, LeavesOutVerticalFontsAndPicksByRow)
{
    EXPECT_EQ(
        WithoutVerticalFonts({QStringLiteral("A"), QStringLiteral("@A"), QStringLiteral("B@")}),
        (QStringList{QStringLiteral("A"), QStringLiteral("B@")}));
    for (const QString &n : ScreenFontNames())
        EXPECT_FALSE(n.startsWith(QLatin1Char('@')));

    QWidget window;
    window.resize(400, 400);
    auto *memo = new QLineEdit(QStringLiteral("F15"), &window);
    auto *button = new QToolButton(&window);
    button->move(150, 0);
    QStringList names;
    for (int i = 0; i < 30; ++i)
        names << QStringLiteral("F%1").arg(i);
    TFontNameList list(memo, button, names);
    EXPECT_EQ(list.width(), 240);
    EXPECT_EQ(list.height(), 12 * 16 + 4);
    EXPECT_EQ(list.SBFontName()->maximum(), 30 - 12);
    window.show();

    list.SpeedButtonFontNameClick();
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(list.FontNameMM(), 15);
    EXPECT_EQ(list.scrollPosition(), 15);
    EXPECT_EQ(list.pos(), memo->mapTo(&window, QPoint(0, memo->height())));

    list.scrollRows(-3); // the wheel, one row per notch
    EXPECT_EQ(list.scrollPosition(), 12);
    list.ImageFontNameMouseMove(2 * 16 + 5);
    EXPECT_EQ(list.FontNameMM(), 14);

    QSignalSpy chosen(&list, &TFontNameList::fontChosen);
    list.ImageFontNameMouseUp(3 * 16);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toString(), QStringLiteral("F15"));
    EXPECT_EQ(memo->text(), QStringLiteral("F15"));
    EXPECT_FALSE(list.isVisible());

    // The button toggles; a press elsewhere in the window closes, a press
    // on the list itself does not.
    list.SpeedButtonFontNameClick();
    ASSERT_TRUE(list.isVisible());
    QTest::mousePress(list.ImageFontName(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(list.isVisible());
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(390, 390));
    EXPECT_FALSE(list.isVisible());
    list.SpeedButtonFontNameClick();
    list.SpeedButtonFontNameClick();
    EXPECT_FALSE(list.isVisible());
}

TEST(ArrangeBars, ShowingTheArrangementBarKeepsTheHeight)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *lock = new QToolButton(&window);
    TArrangeBars bars(lock, &window);
    layout->addWidget(bars.Row);
    auto *below = new QWidget(&window);
    below->setMinimumHeight(100);
    layout->addWidget(below);
    window.show();
    QApplication::processEvents();

    EXPECT_EQ(bars.SpeedButtonLock, lock);
    EXPECT_EQ(lock->parentWidget()->parentWidget(), bars.PanelToolKyotu);
    EXPECT_FALSE(bars.PanelSentakuS->isVisible());
    const int top = below->y();
    bars.setSentakuShown(true);
    QApplication::processEvents();
    EXPECT_TRUE(bars.PanelSentakuS->isVisible());
    EXPECT_EQ(below->y(), top);
    bars.SpeedButton11Click();
    EXPECT_TRUE(bars.MemoSentaku->isVisible());
    EXPECT_EQ(bars.MemoSentaku->text(), QStringLiteral("0"));
    bars.setSentakuShown(false);
    QApplication::processEvents();
    EXPECT_EQ(below->y(), top);
    EXPECT_FALSE(bars.MemoSentaku->isVisible());

    bars.setExpanded(true);
    QApplication::processEvents();
    EXPECT_EQ(below->y(), top + TArrangeBars::ExpandBy);
    EXPECT_TRUE(bars.LabelKyotu->isVisible());
    EXPECT_EQ(bars.LabelKyotu->text(), QStringLiteral("前面 背面 ロック 削除"));
    EXPECT_EQ(bars.ToolButtonExpand->text(), QStringLiteral("ツールバーの最小化"));
    bars.ToolButtonExpand->click();
    QApplication::processEvents();
    EXPECT_EQ(below->y(), top);
    EXPECT_EQ(bars.ToolButtonExpand->text(), QStringLiteral("ツールバーの展開"));

    QSignalSpy entered(&bars, &TArrangeBars::spacingEntered);
    bars.setSentakuShown(true);
    bars.SpeedButton11Click();
    QTest::keyClick(bars.MemoSentaku, Qt::Key_Return);
    EXPECT_EQ(entered.size(), 1);
}
