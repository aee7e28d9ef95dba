#include "document/UnitFile.h"
#include "document/UnitHeaderCommands.h"
#include "support/ChangeRecorder.h"

#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

Document &filled(Document &d)
{
    const int r = d.AppendRow();
    d.AData[r].Syu = QStringLiteral("1");
    d.AData[r].Siki = QStringLiteral("1+2=");
    d.AData[r].FontName = QStringLiteral("ＭＳ ゴシック");
    d.AData[r].FontSize = 11;
    d.AData[r].Layer = 1;
    // B5 portrait from another machine's printer.
    d.Paper.PrinterName = QStringLiteral("Tavenor Print,PrinterSetting");
    d.Paper.PaperSizeCode = QStringLiteral("13");
    d.Paper.Width = QStringLiteral("182");
    d.Paper.Height = QStringLiteral("257");
    d.Paper.PaperW = 1820000;
    d.Paper.PaperH = 2570000;
    d.AnswerColor = 0x0000FF;
    return d;
}

QByteArray bytes(const Document &d)
{
    return BuildFileBytes(d, LayerWorksheet, 1);
}

RPaperData a3Landscape()
{
    RPaperData p;
    p.PrinterName = QStringLiteral("PDF");
    p.PaperSizeCode = QStringLiteral("8");
    p.Orientation = QStringLiteral("2");
    p.Width = QStringLiteral("420");
    p.Height = QStringLiteral("297");
    p.PaperW = 4200000;
    p.PaperH = 2970000;
    p.OffsetX = 71;
    p.OffsetY = 68;
    return p;
}

} // namespace

// The colour and the paper come back exactly on undo (file bytes and every
// paper field, the printer's name and margins too) and forward exactly on
// redo; each application redraws every page and selects nothing.
TEST(HeaderCommands, ColourAndPaperUndoAndRedoExactly)
{
    Document d;
    filled(d);
    ChangeRecorder rec(d);
    const QByteArray start = bytes(d);
    const RPaperData startPaper = d.Paper;

    ASSERT_TRUE(d.push(std::make_unique<ChangeAnswerColorCommand>(d, 0xFF0000)));
    EXPECT_EQ(d.undoStack().undoText(), QStringLiteral("解答の色"));
    EXPECT_EQ(d.AnswerColor, 0xFF0000);
    const QByteArray coloured = bytes(d);
    EXPECT_NE(coloured, start);
    EXPECT_FALSE(d.undoStack().isClean());

    ASSERT_TRUE(d.push(std::make_unique<ChangePaperCommand>(d, a3Landscape())));
    EXPECT_EQ(d.undoStack().undoText(), QStringLiteral("用紙設定"));
    EXPECT_EQ(d.Paper, a3Landscape());
    const QByteArray papered = bytes(d);
    EXPECT_NE(papered, coloured);

    d.undoStack().undo();
    EXPECT_EQ(d.Paper, startPaper);
    EXPECT_EQ(bytes(d), coloured);
    EXPECT_TRUE(rec.changes.last().undone);
    d.undoStack().undo();
    EXPECT_EQ(d.AnswerColor, 0x0000FF);
    EXPECT_EQ(bytes(d), start);
    EXPECT_TRUE(d.undoStack().isClean());

    d.undoStack().redo();
    EXPECT_EQ(bytes(d), coloured);
    d.undoStack().redo();
    EXPECT_EQ(bytes(d), papered);
    EXPECT_EQ(d.Paper, a3Landscape());

    ASSERT_EQ(rec.changes.size(), 6);
    for (const RChange &c : rec.changes) {
        EXPECT_TRUE(c.allPages);
        EXPECT_TRUE(c.rows.isEmpty());
    }
    EXPECT_TRUE(rec.changes[0].initial);
    EXPECT_FALSE(rec.changes[4].initial);
}

// Choosing the colour the worksheet already has, or a paper that differs
// only in the printer's name and margins, pushes nothing: the stack with
// its redo step and the document stay as they were, nothing is announced.
TEST(HeaderCommands, TheSameValuePushesNothing)
{
    Document d;
    filled(d);
    d.push(std::make_unique<ChangeAnswerColorCommand>(d, 0x00FF00));
    d.undoStack().undo();
    ASSERT_TRUE(d.undoStack().canRedo());
    ChangeRecorder rec(d);
    const RPaperData paper = d.Paper;

    EXPECT_FALSE(d.push(std::make_unique<ChangeAnswerColorCommand>(d, 0x0000FF)));
    RPaperData otherPrinter = d.Paper;
    otherPrinter.PrinterName = QStringLiteral("PDF");
    otherPrinter.OffsetX = 50;
    EXPECT_FALSE(d.push(std::make_unique<ChangePaperCommand>(d, otherPrinter)));
    EXPECT_EQ(d.Paper, paper);
    EXPECT_TRUE(d.undoStack().canRedo());
    EXPECT_EQ(d.undoStack().count(), 1);
    EXPECT_TRUE(d.undoStack().isClean());
    EXPECT_TRUE(rec.changes.isEmpty());

    // Turning the same sheet on its side is a change.
    RPaperData turned = d.Paper;
    turned.Orientation = QStringLiteral("2");
    turned.Width = QStringLiteral("257");
    turned.Height = QStringLiteral("182");
    std::swap(turned.PaperW, turned.PaperH);
    EXPECT_TRUE(d.push(std::make_unique<ChangePaperCommand>(d, turned)));
    EXPECT_FALSE(d.undoStack().canRedo());
}
