// The bar "ランダム" of the main window: "作成" regenerates the random
// problems of all four kinds with matching answers, leaves the others, runs
// its progress bar, and the random button placed on a page does the same.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitPageButtons.h"
#include "app/UnitRandomBar.h"
#include "document/UnitCommands.h"
#include "document/UnitFile.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitSelect.h"
#include "math/UnitKeisan2.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"
#include "support/FakePrinter.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{
RAData randomRow(int id, int siki1, int y)
{
    RAData r;
    r.ID = id;
    r.Syu = QStringLiteral("5");
    r.Siki1 = siki1;
    r.Rand = 1;
    r.Layer = 1;
    r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    r.FontSize = 20;
    r.X1 = 40;
    r.Y1 = y;
    r.Width = 300;
    r.Height = 40;
    r.RandX1 = r.RandY1 = QStringLiteral("2");
    r.RandX2 = r.RandY2 = QStringLiteral("30");
    r.RandA1 = QStringLiteral("1");
    r.RandA2 = QStringLiteral("60");
    r.RandBunsuX1 = r.RandBunsuY1 = QStringLiteral("2");
    r.RandBunsuX2 = r.RandBunsuY2 = QStringLiteral("9");
    r.RandBunsuSyuX = r.RandBunsuSyuY = r.RandBunsuSyuA = 1;
    return r;
}
} // namespace

TEST(RandomBar, MakeRegeneratesEveryRandomProblem)
{
    FakeA4 printer;
    ScriptedMessages messages;
    {
        TForm1 form;
        form.SyokiForm(QString());
        const EditingParts parts = InstallEditing(form);
        TRandomBar *bar = InstallRandomBar(form);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(InstallRandomBar(form), bar);
        EXPECT_EQ(bar->windowTitle(), QStringLiteral("ランダム"));
        EXPECT_EQ(bar->SpeedButton24->text(), QStringLiteral("作成"));
        EXPECT_EQ(bar->SpeedButton24->accessibleName(), QStringLiteral("作成"));
        parts.siki->SeedRandom(5);

        Document &doc = form.doc();
        RAData yoko = randomRow(1, 0, 40);
        yoko.Siki = QStringLiteral("1+1");
        RAData tate = randomRow(2, 1, 100);
        tate.RandKigou = 3;
        tate.RandAmari = 1;
        tate.RandA1 = QStringLiteral("2");
        tate.RandA2 = QStringLiteral("9");
        RAData bunsu = randomRow(3, 2, 250);
        bunsu.Siki = QStringLiteral("s1b2+s1b3");
        bunsu.Kotae = QStringLiteral("s5b6");
        RAData word = randomRow(4, 3, 350);
        word.BunsyoText = QStringLiteral("①と②で？");
        word.BunsyoTani = 1;
        word.BunsyoSiki = QStringLiteral("（しき）");
        word.BunsyoKotaeCombo = QStringLiteral("こたえ");
        word.Height = 200;
        RAData fixed = randomRow(5, 0, 600);
        fixed.Rand = 0;
        fixed.Siki = QStringLiteral("7+8");
        fixed.Kotae = QStringLiteral("15");
        RAData same = yoko; // identical settings: a different problem in one run
        same.ID = 6;
        same.Y1 = 650;
        doc.AData = {yoko, tate, bunsu, word, fixed, same};
        doc.markSaved();
        // A creation under way keeps its pending object.
        doc.NewData.ID = -1;
        doc.NewData.Syu = QStringLiteral("5");
        doc.NewData.X1 = 321;

        QList<int> progress;
        QObject::connect(bar->ProgressBar1, &QProgressBar::valueChanged,
                         [&progress](int v) { progress << v; });
        QTest::mouseClick(bar->SpeedButton24, Qt::LeftButton);

        EXPECT_TRUE(doc.FileData.HensyuB);
        EXPECT_EQ(bar->ProgressBar1->value(), 0);
        EXPECT_TRUE(progress.contains(5));
        EXPECT_EQ(doc.NewData.X1, 321);
        EXPECT_EQ(doc.NewData.ID, -1);

        const RAData &y = doc.AData[0];
        const QStringList xy = y.Siki.split(u'+');
        ASSERT_EQ(xy.size(), 2);
        EXPECT_EQ(y.Kotae, Keisan(y.Siki));
        EXPECT_NE(doc.AData[5].Siki, y.Siki);

        const RAData &t = doc.AData[1];
        EXPECT_EQ(t.Siki1, 1);
        EXPECT_EQ(t.Siki2, 3);
        EXPECT_EQ(t.Kotae, Keisan(t.Siki));
        EXPECT_TRUE(t.Kotae.contains("..."));
        EXPECT_FALSE(t.HissanKotae.isEmpty());

        const RAData &b = doc.AData[2];
        EXPECT_NE(b.Siki, "s1b2+s1b3");
        const FKeisanResult f = FKeisan(b.Siki);
        EXPECT_EQ(b.Kotae, QStringLiteral("s%1b%2").arg(f.numerator, f.denominator));

        const RAData &w = doc.AData[3];
        EXPECT_EQ(w.BunsyoText, QStringLiteral("①と②で？"));
        EXPECT_EQ(w.Siki, w.BunsyoR1 + "+" + w.BunsyoR2);
        EXPECT_EQ(w.BunsyoKotae, Keisan(w.Siki));
        EXPECT_EQ(w.Height, 200);

        EXPECT_EQ(doc.AData[4].Siki, "7+8");

        // The random button on a page runs the same.
        ASSERT_GE(parts.controller->PlaceButtonObject(QStringLiteral("r")), 0);
        const QString before = doc.AData[0].Siki + doc.AData[1].Siki + doc.AData[2].Siki;
        for (int k = 0;
             k < 3 && doc.AData[0].Siki + doc.AData[1].Siki + doc.AData[2].Siki == before; ++k)
            form.pageButtons()->SpeedButtonRandom->click();
        EXPECT_NE(doc.AData[0].Siki + doc.AData[1].Siki + doc.AData[2].Siki, before);
        EXPECT_TRUE(messages.texts.isEmpty());
    }
}

namespace
{
QByteArray fileBytes(const Document &doc, const QString &path)
{
    EXPECT_TRUE(SaveFileAll(path, doc, LayerWorksheet, 1).ok);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

TEST(RandomBar, MakeIsOneUndoableCommand)
{
    FakeA4 printer;
    ScriptedMessages messages;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.prx"));
    {
        TForm1 form;
        form.SyokiForm(QString());
        const EditingParts parts = InstallEditing(form);
        TRandomBar *bar = InstallRandomBar(form);
        ASSERT_NE(bar, nullptr);
        parts.siki->SeedRandom(9);
        Document &doc = form.doc();
        RAData yoko = randomRow(1, 0, 40);
        yoko.Siki = QStringLiteral("1+1");
        RAData tate = randomRow(2, 1, 100);
        tate.RandKigou = 2;
        RAData bunsu = randomRow(3, 2, 250);
        bunsu.Siki = QStringLiteral("s1b2+s1b3");
        RAData word = randomRow(4, 3, 350);
        word.BunsyoText = QStringLiteral("①と②");
        doc.AData = {yoko, tate, bunsu, word};
        doc.undoStack().clear();

        const QByteArray before = fileBytes(doc, path);
        bar->SpeedButton24Click();
        const QByteArray after = fileBytes(doc, path);
        ASSERT_NE(after, before);
        ASSERT_EQ(doc.undoStack().count(), 1);
        EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("作成"));

        doc.undoStack().undo();
        EXPECT_EQ(fileBytes(doc, path), before);
        doc.undoStack().redo();
        EXPECT_EQ(fileBytes(doc, path), after);

        // A second run is a second step.
        bar->SpeedButton24Click();
        EXPECT_EQ(doc.undoStack().count(), 2);
        doc.undoStack().undo();
        EXPECT_EQ(fileBytes(doc, path), after);
    }
}

TEST(RandomBar, MakeKeepsItsPlaceLooksLikeAButtonAndTellsWhatItMade)
{
    FakeA4 printer;
    ScriptedMessages messages;
    {
        TForm1 form;
        form.SyokiForm(QString());
        const EditingParts parts = InstallEditing(form);
        TRandomBar *bar = InstallRandomBar(form);
        ASSERT_NE(bar, nullptr);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        parts.siki->SeedRandom(11);

        // One place whatever the tool, with or without a panel shown.
        QApplication::processEvents();
        const QPoint home = bar->SpeedButton24->mapTo(&form, QPoint(0, 0));
        TEditPanels &p = *parts.panels;
        for (QToolButton *tool : {p.ToolButton5, p.ToolButton6, p.ToolButton8, p.ToolButton7,
                                  p.ToolButton10, p.ToolButton9}) {
            QTest::mouseClick(tool, Qt::LeftButton);
            QApplication::processEvents();
            EXPECT_EQ(bar->SpeedButton24->mapTo(&form, QPoint(0, 0)), home)
                << tool->text().toStdString();
            EXPECT_TRUE(bar->SpeedButton24->isVisible());
        }

        // Drawn as a button, not as flat text like the label beside it, and
        // with its hint.
        EXPECT_FALSE(bar->SpeedButton24->autoRaise());
        EXPECT_FALSE(bar->SpeedButton24->icon().isNull());
        EXPECT_EQ(bar->SpeedButton24->accessibleName(), QStringLiteral("作成"));
        EXPECT_EQ(bar->SpeedButton24->toolTip(),
                  QStringLiteral("ランダムの問題を新しい数で作り直します"));

        // The status bar says what a run made.
        QTest::mouseClick(bar->SpeedButton24, Qt::LeftButton);
        EXPECT_EQ(form.statusBar()->currentMessage(),
                  QStringLiteral("作り直すランダムの問題がありません。"));
        RAData fixed = randomRow(3, 0, 300);
        fixed.Rand = 0;
        fixed.Siki = QStringLiteral("7+8");
        form.doc().AData = {randomRow(1, 0, 40), randomRow(2, 0, 120), fixed};
        QTest::mouseClick(bar->SpeedButton24, Qt::LeftButton);
        EXPECT_EQ(form.statusBar()->currentMessage(),
                  QStringLiteral("ランダムの問題を 2 問作りました。"));
        EXPECT_EQ(form.doc().AData[2].Siki, QStringLiteral("7+8"));
        EXPECT_EQ(
            RandomRunMessage(1, 3),
            QStringLiteral("ランダムの問題を 1 問作りました（2 問は条件に合う問題が見つからず、"
                           "前のままです）。"));
    }
}
