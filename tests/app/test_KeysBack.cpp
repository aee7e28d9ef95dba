// After a dialog of the main window closes, the keys belong to the page
// view again: the window is the active one and the page area has the
// focus, so Ctrl+Z undoes at once, without a click on the page first.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPageView.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitPro.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"

#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

void drawBox(QWidget *page, QPoint from, QPoint to)
{
    QTest::mouseClick(page, Qt::LeftButton, {}, from);
    QTest::mouseMove(page, (from + to) / 2);
    QTest::mouseClick(page, Qt::LeftButton, {}, to);
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

} // namespace

TEST(KeysBack, ThePageTakesTheKeysAfterEveryDialog)
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
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QWidget *page = form.pageArea()->PanelP.at(0);
        Document &doc = form.doc();
        QLineEdit *elsewhere = parts.panels->MemoFS;

        QTest::mouseClick(parts.panels->ToolButton8, Qt::LeftButton);
        drawBox(page, QPoint(100, 100), QPoint(160, 140));
        drawBox(page, QPoint(60, 200), QPoint(200, 240));
        ASSERT_EQ(doc.AData.size(), 2);

        // Saving: the keys were in a box of the panel before.
        elsewhere->setFocus();
        settle();
        ASSERT_EQ(QApplication::focusWidget(), elsewhere);
        dialogs.answers = {dir.filePath(QStringLiteral("a.prx"))};
        form.ActionSaveAs->trigger();
        settle();
        EXPECT_EQ(QApplication::activeWindow(), &form);
        EXPECT_EQ(QApplication::focusWidget(), form.pageArea());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(doc.AData.size(), 1);

        // Opening, also when the dialog is cancelled.
        elsewhere->setFocus();
        settle();
        dialogs.answers = {QString()};
        form.ToolButtonOpen->click();
        settle();
        EXPECT_EQ(QApplication::focusWidget(), form.pageArea());

        // A dialog of the window's own (colour, print, page set-up,
        // messages) and one without an owner.
        for (bool owned : {true, false}) {
            SCOPED_TRACE(owned);
            elsewhere->setFocus();
            settle();
            QDialog dialog(owned ? &form : nullptr);
            dialog.setModal(true);
            dialog.open();
            settle();
            dialog.accept();
            settle();
            EXPECT_EQ(QApplication::activeWindow(), &form);
            EXPECT_EQ(QApplication::focusWidget(), form.pageArea());
        }

        // A message over another window of the editor (the expression
        // tool) gives the keys back to that window, not to the page.
        {
            QWidget tool;
            tool.setWindowTitle(QStringLiteral("tool"));
            auto *box = new QLineEdit(&tool);
            tool.show();
            tool.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&tool));
            box->setFocus();
            QDialog message;
            message.setModal(true);
            message.open();
            settle();
            message.accept();
            settle();
            EXPECT_EQ(QApplication::activeWindow(), &tool);
            EXPECT_EQ(QApplication::focusWidget(), box);
        }
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

        // The coordinate dialog: once its values are set, Ctrl+Z undoes them.
        QTest::mouseClick(parts.panels->ToolButton9, Qt::LeftButton);
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(130, 120));
        ASSERT_EQ(parts.controller->selection().size(), 1);
        parts.pro->show();
        parts.pro->activateWindow();
        settle();
        parts.pro->MemoX1->setText(QStringLiteral("30"));
        parts.pro->MemoX1->setFocus();
        QTest::keyClick(parts.pro->MemoX1, Qt::Key_Return);
        settle();
        ASSERT_EQ(doc.AData[0].X1, 30);
        EXPECT_EQ(QApplication::activeWindow(), &form);
        EXPECT_EQ(QApplication::focusWidget(), form.pageArea());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(doc.AData[0].X1, 100);
    }
}
