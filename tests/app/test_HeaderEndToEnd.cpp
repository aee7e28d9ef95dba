// The answer colour and the paper as undoable changes of the worksheet, in
// the main window with the editor installed: the colour menu's path and the
// page set-up dialog (scripted) push a command, Ctrl+Z and Ctrl+Y take it
// back and forth, and the swatch and the pages follow the document.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitPageView.h"
#include "app/UnitPrint.h"
#include "app/UnitViewControls.h"
#include "document/UnitCommands.h"
#include "document/UnitFile.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"
#include "support/FakePrinter.h"

#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

namespace
{

struct SetupDialogs : PrintDialogs {
    bool accept = true;
    std::function<void(QPrinter &)> onDialog;
    bool pageSetup(QPrinter &printer, QWidget *) override
    {
        if (onDialog)
            onDialog(printer);
        return accept;
    }
    bool print(QPrinter &, QWidget *, int, int &, int &) override { return false; }
};

QAction *menuAction(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

QByteArray bytes(const Document &d)
{
    return BuildFileBytes(d, LayerWorksheet, 1);
}

void pressKeys(TForm1 &form, Qt::Key key, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(&form, key, mods);
}

} // namespace

TEST(HeaderEndToEnd, AnswerColourIsAnUndoableChangeOfTheWorksheet)
{
    FakeA4 printer;
    ScriptedMessages messages;
    {
        TForm1 form;
        form.SyokiForm(QString());
        InstallEditing(form);
        QVector<TColor> drawnWith;
        QObject::connect(&form, &TForm1::pagesRedrawn, &form,
                         [&] { drawnWith.append(form.viewState().AnswerColor); });
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        Document &doc = form.doc();
        TViewControls *view = form.viewControls();
        const QByteArray start = bytes(doc);
        ASSERT_FALSE(doc.isModified());

        // The colour dialog's OK ends in SetAnswerColor.
        view->SetAnswerColor(0xFF0000);
        EXPECT_EQ(doc.AnswerColor, 0xFF0000);
        EXPECT_EQ(view->answerColor(), 0xFF0000);
        EXPECT_TRUE(doc.isModified());
        ASSERT_FALSE(drawnWith.isEmpty());
        EXPECT_EQ(drawnWith.last(), 0xFF0000);
        const QByteArray blue = bytes(doc);

        drawnWith.clear();
        pressKeys(form, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(doc.AnswerColor, 255);
        EXPECT_EQ(view->answerColor(), 255);
        EXPECT_EQ(drawnWith, QVector<TColor>{255});
        EXPECT_EQ(bytes(doc), start);
        EXPECT_FALSE(doc.isModified());

        pressKeys(form, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(view->answerColor(), 0xFF0000);
        EXPECT_EQ(bytes(doc), blue);

        // "解答の文字の色を標準に設定" is a step of its own; a second time
        // changes nothing and pushes nothing.
        QAction *reset =
            menuAction(view->AnswerColorMenu, QStringLiteral("解答の文字の色を標準に設定"));
        ASSERT_NE(reset, nullptr);
        reset->trigger();
        EXPECT_EQ(doc.AnswerColor, 255);
        EXPECT_EQ(doc.undoStack().count(), 2);
        reset->trigger();
        EXPECT_EQ(doc.undoStack().count(), 2);
        EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("解答の色"));

        // A new worksheet keeps the colour, without history and unchanged.
        view->SetAnswerColor(0x00FF00);
        messages.answers.push_back(MsgAnswer::No);
        form.NewFileCommand();
        EXPECT_EQ(doc.undoStack().count(), 0);
        EXPECT_FALSE(doc.isModified());
        EXPECT_EQ(doc.AnswerColor, 0x00FF00);
        EXPECT_EQ(view->answerColor(), 0x00FF00);
    }
}

TEST(HeaderEndToEnd, PaperFromTheSetupDialogIsUndoneWithThePages)
{
    auto printer = MakeFakePrinter(BuiltInPrinterName, 9, 1, 600);
    SetPrinters(printer.get());
    ScriptedMessages messages;
    SetupDialogs dialogs;
    {
        TForm1 form;
        form.SyokiForm(QString());
        InstallEditing(form);
        form.setPrintDialogs(&dialogs);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        Document &doc = form.doc();
        const RPaperData a4 = doc.Paper;
        const QByteArray start = bytes(doc);
        ASSERT_EQ(form.pages().PageSize[0], QSize(793, 1122));

        // A3 landscape, then "キャンセル": nothing happens.
        dialogs.onDialog = [](QPrinter &p) {
            p.setPageSize(QPageSize(QPageSize::A3));
            p.setPageOrientation(QPageLayout::Landscape);
        };
        dialogs.accept = false;
        form.PaperSetupCommand();
        EXPECT_EQ(doc.undoStack().count(), 0);
        EXPECT_EQ(form.pages().PageSize[0], QSize(793, 1122));

        // OK: one step, the pages laid out at the new size.
        dialogs.accept = true;
        form.PaperSetupCommand();
        EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("用紙設定"));
        EXPECT_EQ(doc.Paper.Width, QStringLiteral("420"));
        EXPECT_EQ(form.pages().PageSize[0], QSize(1587, 1122));
        EXPECT_EQ(form.pages().ImageP[0].size(), QSize(1587, 1122));
        EXPECT_EQ(form.pageArea()->PanelP[0]->size(), QSize(1587, 1122));
        EXPECT_TRUE(doc.isModified());
        const QByteArray a3 = bytes(doc);

        // The same paper once more pushes nothing.
        form.PaperSetupCommand();
        EXPECT_EQ(doc.undoStack().count(), 1);

        pressKeys(form, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(doc.Paper, a4);
        EXPECT_EQ(bytes(doc), start);
        EXPECT_EQ(form.pages().PageSize[0], QSize(793, 1122));
        EXPECT_EQ(form.pages().ImageP[0].size(), QSize(793, 1122));
        EXPECT_EQ(form.pageArea()->PanelP[0]->size(), QSize(793, 1122));
        EXPECT_FALSE(doc.isModified());

        pressKeys(form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(bytes(doc), a3);
        EXPECT_EQ(form.pages().PageSize[0], QSize(1587, 1122));
        form.setPrintDialogs(nullptr);
    }
    SetPrinters(nullptr);
}
