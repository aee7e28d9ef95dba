// Redrawing only the pages a command touched leaves every page image
// exactly as a full redraw of the same worksheet would.
#include "document/UnitCommands.h"
#include "render/UnitDrawSiki.h"
#include "render/UnitRender.h"
#include "support/RecordedEdit.h"

#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

RAData row(const char *syu, int page, int x, int y, int w = 60, int h = 30)
{
    RAData r;
    r.Syu = QString::fromLatin1(syu);
    r.Page = page;
    r.X1 = x;
    r.Y1 = y;
    r.Width = w;
    r.Height = h;
    r.X2 = x + w;
    r.Y2 = y + h;
    r.FontSize = 2;
    r.FontName = QStringLiteral("ＭＳ ゴシック");
    r.Siki = QStringLiteral("ぶんしょう%1").arg(x);
    r.ForeColor = 0x203040;
    r.BackColor = 0x80C0FF;
    r.BackColorB = 1;
    r.Layer = 1;
    return r;
}

struct Sheet {
    Sheet()
    {
        view.GamenBai = Fixed4::fromRaw(10000);
        for (int i = 0; i < 3; ++i)
            images.append(QImage(793, 1122, QImage::Format_RGB16));
        renderer = std::make_unique<Renderer>(doc, images, view);
    }
    Document doc;
    QVector<QImage> images;
    ViewState view;
    std::unique_ptr<Renderer> renderer;
};

} // namespace

TEST(PartialRedraw, EveryPageMatchesAFullRedrawAfterEachCommand)
{
    Sheet live;
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    live.doc.BMData = {red};
    live.doc.AData = {row("1", 0, 50, 50),   row("3", 0, 100, 200), row("2", 1, 10, 10),
                      row("4", 1, 200, 200), row("1", 2, 300, 300), row("k", 2, 400, 400)};
    live.doc.AData[3].PicNo = 0;
    RAData problem = row("5", 0, 300, 600);
    problem.Siki = QStringLiteral("3+4");
    problem.Kotae = QStringLiteral("7");
    problem.FontSize = 14;
    live.doc.AData.append(problem);
    live.renderer->SrcImageP(false);
    QObject::connect(&live.doc.events(), &DocumentEvents::changed, [&](const RChange &c) {
        if (c.allPages)
            live.renderer->SrcImageP(false);
        else
            live.renderer->SrcImagePages(c.pages);
    });

    auto expectSameAsFull = [&](const char *what) {
        Sheet full;
        full.doc.AData = live.doc.AData;
        full.doc.BMData = live.doc.BMData;
        full.doc.AnswerColor = live.doc.AnswerColor;
        full.view = live.view;
        full.renderer->SrcImageP(false);
        for (int p = 0; p < 3; ++p)
            EXPECT_TRUE(full.images[p] == live.images[p]) << what << ", page " << p;
    };

    Document &d = live.doc;
    PushEdit(d, QStringLiteral("移動"), [&] { d.AData[1].X1 += 40; });
    expectSameAsFull("move");
    PushEdit(d, QStringLiteral("移動"), [&] { d.AData[0].Page = 2; });
    expectSameAsFull("to another page");
    PushEdit(d, QStringLiteral("削除"), [&] { d.DeleteRows({2}); });
    expectSameAsFull("delete");
    PushEdit(d, QStringLiteral("作成"), [&] { d.AData.append(row("3", 1, 500, 500)); });
    expectSameAsFull("create");
    PushEdit(d, QStringLiteral("書き換え"), [&] { d.AData.last().Siki = QStringLiteral("5*6"); });
    expectSameAsFull("rewrite");
    // The character notice follows the active page: both pages change.
    live.view.ActivePage = 1;
    PushEdit(d, QStringLiteral("移動"), [&] { d.AData[0].Y1 += 5; });
    expectSameAsFull("notice moved");
    // The placement marker on another page.
    live.view.Creation.MarkerOn = true;
    live.view.Creation.MarkerPage = 0;
    live.view.Creation.MarkerX = live.view.Creation.MarkerY = 30;
    PushEdit(d, QStringLiteral("移動"), [&] { d.AData[0].Y1 += 5; });
    expectSameAsFull("marker shown");
    live.view.Creation.MarkerOn = false;
    PushEdit(d, QStringLiteral("移動"), [&] { d.AData[0].Y1 += 5; });
    expectSameAsFull("marker gone");
    PushEdit(d, QStringLiteral("解答の色"), [&] { d.AnswerColor = 0x00FF00; });
    expectSameAsFull("header");
    while (d.undoStack().canUndo()) {
        d.undoStack().undo();
        expectSameAsFull("undo");
    }
    while (d.undoStack().canRedo()) {
        d.undoStack().redo();
        expectSameAsFull("redo");
    }
}
