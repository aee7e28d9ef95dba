// "まとめて配置" in the editor and in the companion: a set from a page of the
// expression tool, and from a selected problem through the 編集 menu and the
// page's context menu; every problem's drawing inside its measured cell, no
// two cells meeting; the companion's place command on a new sheet and below
// the objects of a worksheet.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitPageView.h"
#include "document/UnitFile.h"
#include "editing/UnitSelect.h"
#include "math/UnitKeisan.h"
#include "math/UnitSiki.h"
#include "math/UnitSikiSetDialog.h"
#include "platform/UnitMessages.h"
#include "render/UnitRender.h"
#include "support/FakePrinter.h"
#include "support/ToolRun.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

QRect rectOf(const RAData &r) { return QRect(r.X1, r.Y1, r.Width, r.Height); }

// Everything the renderer draws for one row on screen, as one rectangle.
QRect drawnExtent(const RAData &row)
{
    Document doc;
    doc.AData = {row};
    doc.AData[0].Page = 0;
    ViewState view;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    QVector<DrawCall> log;
    renderer.setCanvasFactory([&log](int page, QImage &) -> std::unique_ptr<Canvas> {
        return std::make_unique<RecordingCanvas>(log, Surface::Screen, page);
    });
    renderer.SrcImageP(false);
    QRect r;
    for (const DrawCall &c : log) {
        // A text is drawn from its cell's top left, clipped far below: its
        // ink takes one cell height.
        if (c.kind == DrawCall::Line)
            r = r.united(QRect(c.from, c.to).normalized());
        else if (c.kind == DrawCall::Text)
            r = r.united(QRect(c.rect.topLeft(), QSize(c.rect.width(), c.font.cellHeight)));
        else if (c.kind != DrawCall::Fill)
            r = r.united(c.rect);
    }
    return r;
}

void expectCellsApart(const QVector<RAData> &rows)
{
    for (int i = 0; i < rows.size(); ++i)
        for (int j = i + 1; j < rows.size(); ++j)
            EXPECT_FALSE(rectOf(rows[i]).intersects(rectOf(rows[j]))) << i << " " << j;
}

} // namespace

TEST(PlaceSet, FromTheToolAndFromASelectedProblemInTheWindow)
{
    FakeA4 printer;
    ScriptedMessages messages;
    TForm1 form;
    form.SyokiForm(QString());
    const EditingParts parts = InstallEditing(form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QWidget *page = form.pageArea()->PanelP.at(0);
    Document &doc = form.doc();

    // The expression tool at a point, the column page with its random
    // settings, then "まとめて配置…" instead of "決定".
    QTest::mouseClick(parts.panels->ToolButton10, Qt::LeftButton);
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(100, 100));
    TFormSiki *siki = parts.siki;
    ASSERT_TRUE(siki->isVisible());
    siki->SelectPage(TFormSiki::PageTate);
    TSikiRandomPanel *rp = siki->RandomPanel;
    for (auto [box, text] : {std::pair{rp->EditX1, "10"}, {rp->EditX2, "99"}, {rp->EditY1, "10"},
                             {rp->EditY2, "99"}, {rp->EditA1, "0"}, {rp->EditA2, "999"}}) {
        box->edit()->clear();
        QTest::keyClicks(box->edit(), QString::fromLatin1(text));
    }
    QTest::mouseClick(siki->ButtonSetT, Qt::LeftButton);
    auto *dialog = form.findChild<TFormSikiSet *>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    dialog->SpinCount->setValue(12);
    QTest::mouseClick(dialog->ButtonPlace, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(siki->isVisible());
    EXPECT_FALSE(form.viewState().Creation.MarkerOn);
    ASSERT_EQ(doc.AData.size(), 24);
    QSet<QString> problems;
    for (int i = 0; i < 12; ++i) {
        const RAData &p = doc.AData[i];
        ASSERT_EQ(p.Syu, QStringLiteral("5"));
        EXPECT_EQ(p.Rand, 1);
        EXPECT_EQ(p.Kotae, Keisan(p.Siki));
        problems.insert(p.Siki);
        // The measured cell holds the whole drawing.
        const QRect drawn = drawnExtent(p);
        EXPECT_TRUE(rectOf(p).adjusted(-1, -1, 1, 1).contains(drawn))
            << p.Siki.toStdString() << " drawn " << drawn.x() << "," << drawn.y() << " "
            << drawn.width() << "x" << drawn.height() << " cell " << p.Width << "x" << p.Height;
    }
    EXPECT_EQ(problems.size(), 12);
    expectCellsApart(doc.AData);
    EXPECT_TRUE(doc.FileData.HensyuB);

    // One undo takes the whole set away; the redo brings it back selected.
    doc.undoStack().undo();
    EXPECT_TRUE(doc.AData.isEmpty());
    doc.undoStack().redo();
    ASSERT_EQ(doc.AData.size(), 24);
    EXPECT_EQ(parts.controller->selection().size(), 24);
    EXPECT_FALSE(parts.setAction->isEnabled()); // not one problem
    parts.controller->clearSelection();

    // A right click on a problem selects it; the context menu and the 編集
    // menu offer "この問題をまとめて配置…".
    const RAData first = doc.AData[0];
    const double zoom = form.settings().GamenBai.toDouble();
    const QPoint inside(int((first.X1 + first.Width / 2) * zoom),
                        int((first.Y1 + first.Height / 2) * zoom));
    QTimer::singleShot(0, parts.pageMenu, [menu = parts.pageMenu] { menu->close(); });
    page = form.pageArea()->PanelP.at(0);
    QTest::mouseClick(page, Qt::RightButton, {}, inside);
    EXPECT_EQ(parts.controller->selectedProblem(), 0);
    EXPECT_TRUE(parts.setAction->isEnabled());
    EXPECT_TRUE(parts.pageMenu->actions().contains(parts.setAction));
    EXPECT_TRUE(parts.editMenu->actions().contains(parts.setAction));
    EXPECT_EQ(doc.AData.size(), 24); // the right click changed nothing

    parts.setAction->trigger();
    ASSERT_TRUE(dialog->isVisible());
    dialog->SpinCount->setValue(6);
    dialog->ComboNumbering->setCurrentIndex(1); // ①
    QTest::mouseClick(dialog->ButtonPlace, Qt::LeftButton);
    ASSERT_EQ(doc.AData.size(), 24 + 12);
    EXPECT_EQ(doc.AData[0], first);
    for (int i = 24; i < 30; ++i) {
        EXPECT_EQ(doc.AData[i].FontSize, first.FontSize);
        EXPECT_GT(doc.AData[i].Y1, doc.AData[23].Y1); // below everything before
    }
    EXPECT_EQ(doc.AData[30].Siki, QStringLiteral("①"));
    expectCellsApart(doc.AData);
    EXPECT_EQ(doc.NewData.ID, -1);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u' ').toStdString();

    // A selection that is not one problem: nothing to offer.
    parts.controller->clearSelection();
    EXPECT_FALSE(parts.controller->PlaceSetOfSelection());
}

TEST(PlaceSet, TheCompanionPlacesOnANewSheetOrBelowAWorksheetsObjects)
{
    QTemporaryDir dir;
    const QString settings = writeFile(
        dir, QStringLiteral("s.json"),
        R"({"Siki1": 0, "RandKigou": 2, "RandX1": "1", "RandX2": "9", "RandY1": "1",
            "RandY2": "9", "RandA1": "0", "RandA2": "81", "RandZ1": "no01=1", "FontSize": 16})");
    const QString out = dir.filePath(QStringLiteral("o.prx"));
    ToolRun r = runTool({QStringLiteral("place"), settings, QStringLiteral("-n"),
                         QStringLiteral("30"), QStringLiteral("--numbering"),
                         QStringLiteral("dot"), QStringLiteral("--columns"), QStringLiteral("3"),
                         QStringLiteral("--seed"), QStringLiteral("5"), QStringLiteral("-o"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("30"));
    Document doc;
    ASSERT_TRUE(LoadFileAll(out, doc).ok);
    ASSERT_EQ(doc.AData.size(), 60);
    QSet<QString> seen;
    for (int i = 0; i < 30; ++i) {
        const RAData &p = doc.AData[i];
        EXPECT_EQ(p.Kotae, Keisan(p.Siki));
        // "0と1を使わない": no ×1 and no ×0 among the multiplication drill.
        EXPECT_FALSE(p.Siki.startsWith(u'1') || p.Siki.endsWith(QStringLiteral("*1")))
            << p.Siki.toStdString();
        seen.insert(p.Siki);
        EXPECT_TRUE(rectOf(p).adjusted(-1, -1, 1, 1).contains(drawnExtent(p)))
            << p.Siki.toStdString();
        EXPECT_EQ(doc.AData[30 + i].Siki, QStringLiteral("%1.").arg(i + 1));
    }
    EXPECT_EQ(seen.size(), 30);
    EXPECT_EQ(doc.AData[0].Y1, doc.AData[2].Y1);
    EXPECT_LT(doc.AData[2].Y1, doc.AData[3].Y1); // three columns
    expectCellsApart(doc.AData);

    // The same seed, the same sheet; below the objects of a worksheet.
    const QString again = dir.filePath(QStringLiteral("again.prx"));
    r = runTool({QStringLiteral("place"), settings, QStringLiteral("-n"), QStringLiteral("30"),
                 QStringLiteral("--numbering"), QStringLiteral("dot"), QStringLiteral("--columns"),
                 QStringLiteral("3"), QStringLiteral("--seed"), QStringLiteral("5"),
                 QStringLiteral("-o"), again});
    ASSERT_EQ(r.exitCode, 0);
    QFile a(out), b(again);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    const QString into = dir.filePath(QStringLiteral("into.prx"));
    r = runTool({QStringLiteral("place"), settings, QStringLiteral("-n"), QStringLiteral("8"),
                 QStringLiteral("--into"), out, QStringLiteral("--whole-page"),
                 QStringLiteral("-o"), into});
    // On the whole page the new set overlaps the first, as asked; below the
    // first set there is no room for thirty in one column.
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = runTool({QStringLiteral("place"), settings, QStringLiteral("-n"), QStringLiteral("30"),
                 QStringLiteral("--columns"), QStringLiteral("1"), QStringLiteral("--into"), out,
                 QStringLiteral("-o"), into});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("この範囲"))) << r.err.toStdString();

    RAData title;
    title.Syu = QStringLiteral("1");
    title.Siki = QStringLiteral("かけ算");
    title.FontName = QStringLiteral("ＭＳ ゴシック");
    title.FontSize = 24;
    title.X1 = 40;
    title.Y1 = 40;
    title.Width = 100;
    title.Height = 30;
    title.Layer = 1;
    Document sheet;
    sheet.AData = {title};
    const QString titled = dir.filePath(QStringLiteral("titled.prx"));
    ASSERT_TRUE(SaveFileAll(titled, sheet, LayerWorksheet, 1).ok);
    r = runTool({QStringLiteral("place"), settings, QStringLiteral("-n"), QStringLiteral("10"),
                 QStringLiteral("--into"), titled, QStringLiteral("-o"), into});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    Document placed;
    ASSERT_TRUE(LoadFileAll(into, placed).ok);
    ASSERT_EQ(placed.AData.size(), 1 + 20);
    EXPECT_EQ(placed.AData[0], title);
    for (int i = 1; i < placed.AData.size(); ++i)
        EXPECT_GT(placed.AData[i].Y1, title.Y1 + title.Height) << i;

    // Bad arguments say what is wrong.
    r = runTool({QStringLiteral("place"), settings, QStringLiteral("-n"), QStringLiteral("61"),
                 QStringLiteral("-o"), into});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("-n 1 to 60")));
}
