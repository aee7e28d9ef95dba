// The live on-page buttons ("表示切替" of a "b" row, "作成" of an "r" row)
// across the commands that destroy the page panels: new worksheet and open.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPageButtons.h"
#include "app/UnitPageView.h"
#include "app/UnitViewControls.h"
#include "document/UnitFile.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

QAction *testMenuAction(TForm1 &form, const QString &text)
{
    for (QAction *a : form.MenuTest->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace

TEST(PageButtons, OutliveThePagePanelsOfNewAndOpen)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir dir;
    TForm1 form;
    form.SyokiForm(QString());
    InstallEditing(form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    // Both buttons placed from the test menu, as a teacher would.
    QAction *answerButton = testMenuAction(form, QStringLiteral("解答配置表示"));
    QAction *randomButton = testMenuAction(form, QStringLiteral("ランダム配置"));
    ASSERT_NE(answerButton, nullptr);
    ASSERT_NE(randomButton, nullptr);
    answerButton->trigger();
    randomButton->trigger();
    QToolButton *n1 = form.pageButtons()->SpeedButtonN1;
    QToolButton *random = form.pageButtons()->SpeedButtonRandom;
    EXPECT_EQ(n1->parentWidget(), form.pageArea()->PanelP[0]);
    EXPECT_TRUE(n1->isVisibleTo(form.pageArea()->PanelP[0]));

    // Saved with its buttons, for the open below.
    const QString path = dir.filePath(QStringLiteral("buttons.prx"));
    ASSERT_TRUE(SaveFileAll(path, form.doc(), LayerWorksheet, 1).ok);

    // "新規作成", answering "いいえ": the page panel goes, the buttons stay.
    messages.answers.push_back(MsgAnswer::No);
    form.ActionNew->trigger();
    EXPECT_TRUE(form.doc().AData.isEmpty());
    EXPECT_FALSE(n1->isVisible());
    EXPECT_FALSE(random->isVisible());

    // "開く" of the saved worksheet: the buttons return on the new page.
    ScriptedFileDialogs dialogs;
    dialogs.answers.push_back(path);
    form.setFileDialogs(&dialogs);
    form.ActionOpen->trigger();
    ASSERT_EQ(form.doc().AData.size(), 2);
    EXPECT_EQ(n1->parentWidget(), form.pageArea()->PanelP[0]);
    EXPECT_EQ(random->parentWidget(), form.pageArea()->PanelP[0]);
    EXPECT_TRUE(n1->isVisible());

    // The live answer switch still works after the pages were replaced.
    EXPECT_FALSE(form.viewControls()->answerDisplayOn());
    QTest::mouseClick(n1, Qt::LeftButton);
    EXPECT_TRUE(form.viewControls()->answerDisplayOn());

    // Showing the answers is no edit: opening again asks nothing.
    EXPECT_FALSE(form.doc().FileData.HensyuB);

    // Opened again over itself, then new: still no dangling control.
    dialogs.answers.push_back(path);
    form.ActionOpen->trigger();
    form.ActionNew->trigger();
    EXPECT_FALSE(n1->isVisible());
    form.setFileDialogs(nullptr);
}
