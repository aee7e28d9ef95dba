// The editor end to end under the offscreen platform: the text tool, a box
// and a column problem made with the mouse and the keyboard on the main
// window, then saved and read back.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitPageView.h"
#include "document/UnitFile.h"
#include "editing/UnitMoji.h"
#include "editing/UnitSelect.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"
#include "support/FakePrinter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QTest>
#include <gtest/gtest.h>

TEST(EditingEndToEnd, TextBoxAndColumnProblemSurviveSaveAndReopen)
{
    FakeA4 printer;
    ScriptedMessages messages;
    {
        TForm1 form;
        form.SyokiForm(QString());
        const EditingParts parts = InstallEditing(form);
        ASSERT_NE(parts.controller, nullptr);
        EXPECT_EQ(InstallEditing(form).controller, parts.controller); // once only
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QWidget *page = form.pageArea()->PanelP.at(0);

        // A text: the tool, a click on the page, typing, "OK".
        QTest::mouseClick(parts.panels->ToolButton5, Qt::LeftButton);
        EXPECT_EQ(form.settings().ToolSyu, QStringLiteral("1"));
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 120));
        TFormMoji *moji = parts.controller->formMoji();
        ASSERT_TRUE(moji->isVisible());
        QTest::keyClicks(moji->MemoMoji, QStringLiteral("abc"));
        QTest::mouseClick(moji->Button1, Qt::LeftButton);
        EXPECT_FALSE(moji->isVisible());

        // A box by two clicks.
        QTest::mouseClick(parts.panels->ToolButton8, Qt::LeftButton);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(200, 300));
        QTest::mouseMove(page, QPoint(250, 350));
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(300, 380));

        // Select the box and pull its bottom-right handle: the aspect stays.
        QTest::mouseClick(parts.panels->ToolButton9, Qt::LeftButton);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(250, 340));
        ASSERT_EQ(parts.controller->selection().size(), 1);
        TResizeHandle *corner = parts.controller->marks().PanelPS(1);
        ASSERT_NE(corner, nullptr);
        ASSERT_TRUE(corner->isVisible());
        // The handle in the hand follows the mouse, and QTest positions are
        // relative to it: the release point is given from where it is now.
        const QPoint start = corner->pos();
        QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(corner, QPoint(30, 25));
        QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(55, 45) - (corner->pos() - start));
        EXPECT_FALSE(parts.controller->resizing());
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(700, 1000));
        EXPECT_TRUE(parts.controller->selection().isEmpty());

        // A column problem placed through the expression tool.
        QTest::mouseClick(parts.panels->ToolButton10, Qt::LeftButton);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 500));
        TFormSiki *siki = parts.siki;
        ASSERT_TRUE(siki->isVisible());
        siki->SelectPage(TFormSiki::PageTate);
        QTest::keyClicks(siki->MemoT1, QStringLiteral("12+34"));
        QTest::mouseClick(siki->ButtonKetteiT, Qt::LeftButton);
        EXPECT_FALSE(siki->isVisible());
        EXPECT_FALSE(form.viewState().Creation.MarkerOn);
        EXPECT_TRUE(form.doc().FileData.HensyuB);
        EXPECT_TRUE(messages.texts.isEmpty())
            << messages.texts.join(QStringLiteral(" / ")).toStdString();

        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("edit.prx"));
        ASSERT_TRUE(SaveFileAll(path, form.doc(), 0, form.pages().count()).ok);

        Document back;
        ASSERT_TRUE(LoadFileAll(path, back).ok);
        ASSERT_EQ(back.AData.size(), 3);
        const RAData &text = back.AData[0];
        EXPECT_EQ(text.Syu, QStringLiteral("1"));
        EXPECT_EQ(text.Siki, QStringLiteral("abc"));
        EXPECT_EQ(text.X1, 100);
        EXPECT_EQ(text.Y1, 120);
        EXPECT_EQ(text.FontSize, 11);
        EXPECT_GT(text.Width, 0);
        EXPECT_EQ(text.ID, 0);
        const RAData &box = back.AData[1];
        EXPECT_EQ(box.Syu, QStringLiteral("3"));
        EXPECT_EQ(box.X1, 200);
        EXPECT_EQ(box.Y1, 300);
        EXPECT_EQ(box.Width, 150);
        EXPECT_EQ(box.Height, 120);
        EXPECT_EQ(box.FontSize, 1);
        const RAData &problem = back.AData[2];
        EXPECT_EQ(problem.Syu, QStringLiteral("5"));
        EXPECT_EQ(problem.Siki1, 1);
        EXPECT_EQ(problem.Siki, QStringLiteral("12+34"));
        EXPECT_EQ(problem.Kotae, QStringLiteral("46"));
        EXPECT_EQ(problem.X1, 100);
        EXPECT_EQ(problem.Y1, 500);
        EXPECT_EQ(problem.Layer, 1);
    }
}

// "OK" of the text window and "決定" of every page of the expression tool
// are commands on the undo stack, and once the row is written the editor's
// window has the keys again: the next Ctrl+Z takes the new object away.
TEST(EditingEndToEnd, OkAndKetteiAreUndoneByTheNextCtrlZ)
{
    FakeA4 printer;
    ScriptedMessages messages;
    {
        TForm1 form;
        form.SyokiForm(QString());
        const EditingParts parts = InstallEditing(form);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QWidget *page = form.pageArea()->PanelP.at(0);
        const auto editorActive = [&] {
            return QTest::qWaitFor([&] { return QApplication::activeWindow() == &form; });
        };

        QTest::mouseClick(parts.panels->ToolButton5, Qt::LeftButton);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 120));
        TFormMoji *moji = parts.controller->formMoji();
        ASSERT_TRUE(moji->isVisible());
        moji->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(moji));
        QTest::keyClicks(moji->MemoMoji, QStringLiteral("abc"));
        QTest::mouseClick(moji->Button1, Qt::LeftButton);
        ASSERT_EQ(form.doc().AData.size(), 1);
        ASSERT_TRUE(editorActive());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(form.doc().AData.isEmpty());

        QTest::mouseClick(parts.panels->ToolButton10, Qt::LeftButton);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 500));
        TFormSiki *siki = parts.siki;
        ASSERT_TRUE(siki->isVisible());
        siki->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(siki));
        siki->SelectPage(TFormSiki::PageTate);
        QTest::keyClicks(siki->MemoT1, QStringLiteral("12+34"));
        QTest::mouseClick(siki->ButtonKetteiT, Qt::LeftButton);
        ASSERT_EQ(form.doc().AData.size(), 1);
        ASSERT_TRUE(editorActive());
        EXPECT_EQ(form.doc().undoStack().undoText(), QStringLiteral("作成"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(form.doc().AData.isEmpty());

        // The horizontal page's "決定" is one command too.
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 500));
        ASSERT_TRUE(siki->isVisible());
        siki->SelectPage(TFormSiki::PageYoko);
        QTest::keyClicks(siki->MemoY1, QStringLiteral("2*3"));
        QTest::mouseClick(siki->ButtonKetteiY, Qt::LeftButton);
        ASSERT_EQ(form.doc().AData.size(), 1);
        EXPECT_EQ(form.doc().AData[0].Kotae, QStringLiteral("6"));
        form.doc().undoStack().undo();
        EXPECT_TRUE(form.doc().AData.isEmpty());
    }
}
