// The sheet options of column problems drawn through the page renderer onto
// recording canvases: the squares under the answer digits (マス目) on the
// problem and the answer sheet, on screen and on paper, at several zooms,
// and the carry-mark row above the problem.
#include "math/UnitHissan.h"
#include "math/UnitHissanOptions.h"
#include "math/UnitSiki.h"
#include "render/UnitDrawSiki.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace
{

const QString Face = QStringLiteral("ＭＳ Ｐ明朝");
constexpr int Size = 20;
constexpr TColor Fore = 0x123456;
constexpr TColor Answer = 0x00FF00;

// A cell or a square in device pixels: left, top, right, bottom.
using Box = std::tuple<int, int, int, int>;

struct DrawMasuTest : ::testing::Test {
    Document doc;
    ViewState view;
    QVector<QImage> images;
    QVector<DrawCall> log;
    std::unique_ptr<RecordingCanvas> paper;
    std::unique_ptr<Renderer> renderer;
    Metrics m;
    int rh = 0;

    void SetUp() override
    {
        InstallFontSubstitutions();
        images = {QImage(800, 1100, QImage::Format_RGB16)};
        paper = std::make_unique<RecordingCanvas>(log, Surface::Paper);
        view.FromPg = 0;
        view.ToPg = 0;
        view.Printer = paper.get();
        view.AnswerColor = Answer;
        // A printer of 600 dpi with offsets, so paper and screen differ.
        view.PrinterBai = Fixed4::fromRaw(62500);
        view.PrinterOffset = QPoint(37, 51);
        renderer = std::make_unique<Renderer>(doc, images, view);
        renderer->setPrintsPaperOnly(false);
        renderer->setCanvasFactory([this](int page, QImage &) -> std::unique_ptr<Canvas> {
            return std::make_unique<RecordingCanvas>(log, Surface::Screen, page);
        });
        m.SetFont(Face, Size);
        rh = m.GetMojiH(QString());
    }

    RAData column(const QString &expression, const QString &options)
    {
        RAData r;
        r.Syu = QStringLiteral("5");
        r.X1 = 101;
        r.Y1 = 53;
        r.FontName = Face;
        r.FontSize = Size;
        r.ForeColor = Fore;
        r.Layer = 1;
        EXPECT_EQ(SetHissanRow(r, expression), HissanStatus::Ok) << expression.toStdString();
        r.RandZ2 = options;
        r.Width = m.GetMojiWidth(r);
        r.Height = m.GetMojiHeight(r);
        return r;
    }

    // A print pass (screen and paper) unless print is false.
    void redraw(const RAData &row, bool answers, bool print = true)
    {
        view.AnswerDisplay = answers;
        doc.AData = {row};
        log.clear();
        renderer->SrcImageP(print);
    }

    // A page-unit y on a surface, converted as the primitives convert it.
    int device(Surface s, int64_t v, bool vertical) const
    {
        if (s == Surface::Screen)
            return int(view.GamenBai.scaleTrunc(v));
        const int64_t p = view.PrinterBai.scaleTrunc(v);
        return int(p - (vertical ? view.PrinterOffset.y() : view.PrinterOffset.x()));
    }

    // The squares drawn on a surface: four light lines each, round the
    // cell from its top-left corner. Lines that do not close a square are
    // reported as a failure.
    QVector<Box> squares(Surface s) const
    {
        QVector<DrawCall> lines;
        for (const DrawCall &c : log)
            if (c.surface == s && c.kind == DrawCall::Line && c.color == MasuColor)
                lines.append(c);
        EXPECT_EQ(lines.size() % 4, 0);
        QVector<Box> out;
        for (qsizetype i = 0; i + 3 < lines.size(); i += 4) {
            const QPoint a = lines[i].from, b = lines[i + 1].from, c = lines[i + 2].from,
                         d = lines[i + 3].from;
            const bool closed = lines[i].to == b && lines[i + 1].to == c && lines[i + 2].to == d &&
                                lines[i + 3].to == a && a.y() == b.y() && b.x() == c.x() &&
                                c.y() == d.y() && d.x() == a.x() && a.x() < b.x() && a.y() < d.y();
            EXPECT_TRUE(closed) << "square " << i / 4;
            out.append({a.x(), a.y(), c.x(), c.y()});
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    // The cells of the answer digits drawn on a surface: one character in
    // answer ink, centred. The bottom of a cell is the top of the next line:
    // lines start at y0 and are rh apart.
    QVector<Box> digitCells(Surface s, int64_t y0) const
    {
        QVector<Box> out;
        for (const DrawCall &c : log) {
            if (c.surface != s || c.kind != DrawCall::Text || c.color != Answer ||
                c.text.size() != 1 || c.text == u"." || c.flags != TextFormat::CentreTopClipped)
                continue;
            int bottom = -1;
            for (int64_t k = 0; k < 40 && bottom < 0; ++k)
                if (device(s, y0 + k * rh, true) == c.rect.top())
                    bottom = device(s, y0 + (k + 1) * rh, true);
            EXPECT_GE(bottom, 0) << "a digit off the lines: " << c.text.toStdString();
            out.append({c.rect.left(), c.rect.top(), c.rect.right() + 1, bottom});
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    // How many answer digits the row's strings put on the sheet, counted
    // from the strings themselves: every character but spaces of the answer
    // rows (for a division the working dividend, the quotient and the
    // working rows; its second piece, the divisor, is not drawn).
    static int answerDigits(const RAData &r)
    {
        QStringList rows = r.HissanKotae.split(u'_');
        if (r.Siki2 == 3)
            rows.removeAt(1);
        int n = 0;
        for (const QString &row : rows)
            n += int(row.size() - row.count(u' '));
        return n;
    }
};

const char *const Problems[] = {"12.5+3.75", "0.02+0.03", "1.25+2.25", "72.3-6.14", "305-7",
                                "35*63",     "1.5*2.5",   "35*7",      "75/4",      "3/0.25",
                                "7.5/2.5",   "1.5/5",     "8/2"};

} // namespace

TEST_F(DrawMasuTest, SquaresSitExactlyInTheCellsOfTheAnswerDigits)
{
    for (const int zoom : {10000, 15000, 7500}) {
        view.GamenBai = Fixed4::fromRaw(zoom);
        for (const char *expression : Problems) {
            for (const QString &options :
                 {QStringLiteral("masu=1"), QStringLiteral("memo=1;masu=1")}) {
                SCOPED_TRACE(std::string(expression) + " " + options.toStdString() + " zoom " +
                             std::to_string(zoom));
                const RAData row = column(QString::fromLatin1(expression), options);
                const int64_t y0 = row.Y1 + HissanMemoHeightOf(options, rh);

                // The answer sheet: a square round every digit, no other.
                redraw(row, true);
                const QVector<Box> answerScreen = squares(Surface::Screen);
                const QVector<Box> answerPaper = squares(Surface::Paper);
                EXPECT_EQ(answerScreen, digitCells(Surface::Screen, y0));
                EXPECT_EQ(answerPaper, digitCells(Surface::Paper, y0));
                EXPECT_EQ(answerScreen.size(), answerDigits(row));
                EXPECT_GT(answerScreen.size(), 0);

                // The problem sheet: the same squares, on paper without digits.
                redraw(row, false);
                EXPECT_EQ(squares(Surface::Screen), answerScreen);
                EXPECT_EQ(squares(Surface::Paper), answerPaper);
                EXPECT_TRUE(digitCells(Surface::Paper, y0).isEmpty());
            }
        }
    }
}

TEST_F(DrawMasuTest, SquaresFollowThePartsOfTheLayout)
{
    // Multiplication: the shift spaces of a partial product get no square,
    // the digits of every partial product and of the product do.
    RAData kake = column("35*63", "masu=1");
    ASSERT_EQ(kake.HissanKotae, "105_210 _2205");
    redraw(kake, true);
    EXPECT_EQ(squares(Surface::Screen).size(), 3 + 3 + 4);

    // Division: the quotient's leading empty cells and the empty cells of
    // the working rows have none; the zeros the pupil brings down have.
    RAData wari = column("3/0.25", "masu=1");
    ASSERT_EQ(wari.HissanKotae.section(u'_', 0, 0), " 00");
    redraw(wari, true);
    const int cw = m.GetMojiW(QStringLiteral("÷"));
    const int xd = wari.X1 + 4 * cw; // after the three divisor digits and the bracket
    const QVector<Box> sq = squares(Surface::Screen);
    const int line1 = wari.Y1 + rh;
    for (const int k : {1, 2})
        EXPECT_TRUE(sq.contains(Box{xd + k * cw, line1, xd + (k + 1) * cw, line1 + rh})) << k;
    EXPECT_FALSE(sq.contains(Box{xd, line1, xd + cw, line1 + rh}));

    // An answer problem printed as a problem sheet leaves no trace on paper,
    // squares included; on screen outside a print run they stay with it.
    RAData answerOnly = column("12+34", "masu=1");
    answerOnly.KotaeMode = 1;
    redraw(answerOnly, false);
    EXPECT_TRUE(squares(Surface::Paper).isEmpty());
    redraw(answerOnly, false, false);
    EXPECT_EQ(squares(Surface::Screen).size(), 2);
    redraw(answerOnly, true);
    EXPECT_EQ(squares(Surface::Paper).size(), 2);

    // Squares belong to column problems only: the field of a horizontal
    // problem draws nothing more.
    RAData yoko;
    yoko.Syu = "5";
    yoko.Siki1 = 0;
    yoko.Siki = "3+4";
    yoko.Kotae = "7";
    yoko.X1 = 10;
    yoko.Y1 = 10;
    yoko.Width = 200;
    yoko.Height = 30;
    yoko.FontName = Face;
    yoko.FontSize = Size;
    yoko.RandZ2 = "masu=1;memo=1";
    redraw(yoko, true);
    EXPECT_TRUE(squares(Surface::Screen).isEmpty());
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(m.GetMojiHeight(yoko), rh);
}

namespace
{
// A drawing in a comparable form, moved up by dy page units at zoom 1: kind,
// text, colour and the corners that follow the layout (a digit cell's bottom
// is the far edge of the page and stays).
QStringList described(const QVector<DrawCall> &log, int dy)
{
    QStringList out;
    for (const DrawCall &c : log) {
        QString s = QStringLiteral("%1 %2 %3 %4 ")
                        .arg(int(c.kind))
                        .arg(int(c.surface))
                        .arg(c.text)
                        .arg(c.color);
        switch (c.kind) {
        case DrawCall::Line:
            s += QStringLiteral("%1,%2-%3,%4")
                     .arg(c.from.x())
                     .arg(c.from.y() - dy)
                     .arg(c.to.x())
                     .arg(c.to.y() - dy);
            break;
        case DrawCall::Arc:
            s += QStringLiteral("%1,%2 %3x%4 %5,%6 %7,%8")
                     .arg(c.rect.left())
                     .arg(c.rect.top() - dy)
                     .arg(c.rect.width())
                     .arg(c.rect.height())
                     .arg(c.from.x())
                     .arg(c.from.y() - dy)
                     .arg(c.to.x())
                     .arg(c.to.y() - dy);
            break;
        default:
            s += QStringLiteral("%1,%2 w%3")
                     .arg(c.rect.left())
                     .arg(c.rect.top() - dy)
                     .arg(c.rect.width());
            break;
        }
        out << s;
    }
    return out;
}
} // namespace

TEST_F(DrawMasuTest, TheMemoRowMovesTheProblemDownAndAddsItsHeight)
{
    view.PrinterBai = Fixed4::fromInt(1); // paper in page units too
    view.PrinterOffset = QPoint();
    const int memo = HissanMemoHeight(rh);
    ASSERT_GT(memo, 0);
    for (const char *expression : Problems) {
        SCOPED_TRACE(expression);
        const RAData plain = column(QString::fromLatin1(expression), QString());
        const RAData memoRow = column(QString::fromLatin1(expression), "memo=1");
        // The measured size grows by the row; the width stays.
        EXPECT_EQ(memoRow.Height, plain.Height + memo);
        EXPECT_EQ(memoRow.Width, plain.Width);
        QVector<RAData> table = {memoRow};
        table[0].Height = 1;
        m.FitToContent(table, {0});
        EXPECT_EQ(table[0].Height, plain.Height + memo);

        // The same marks, every one of them moved down by the row, and
        // nothing in the row itself (no squares without masu).
        for (const bool answers : {false, true}) {
            redraw(plain, answers);
            const QStringList before = described(log, 0);
            redraw(memoRow, answers);
            EXPECT_EQ(described(log, memo), before);
            for (const DrawCall &c : log) {
                const int top =
                    c.kind == DrawCall::Line ? std::min(c.from.y(), c.to.y()) : c.rect.top();
                EXPECT_GE(top, memoRow.Y1 + memo - 1) << c.text.toStdString();
            }
        }
    }
}

TEST_F(DrawMasuTest, RowsWithoutTheOptionsDrawAsBefore)
{
    for (const char *expression : Problems) {
        SCOPED_TRACE(expression);
        const RAData plain = column(QString::fromLatin1(expression), QString());
        redraw(plain, true);
        const QStringList before = described(log, 0);
        EXPECT_TRUE(squares(Surface::Screen).isEmpty());
        // Options written off, unknown pairs and odd spellings change nothing.
        for (const QString &field : {QStringLiteral("masu=0;memo=0"), QStringLiteral("zz=1;q"),
                                     QStringLiteral("masu=yes;memo=2")}) {
            const RAData other = column(QString::fromLatin1(expression), field);
            EXPECT_EQ(other.Height, plain.Height) << field.toStdString();
            redraw(other, true);
            EXPECT_EQ(described(log, 0), before) << field.toStdString();
        }
    }
}

TEST_F(DrawMasuTest, TheToolWritesRowsThatMeasureAndDrawWithTheirOptions)
{
    // "決定" with the page's own metrics, as in the editor.
    MetricsSikiMeasurer measurer(m);
    const FixedSikiSettings settings{SikiMainSettings{Face, Size, false}};
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    tool.SetSettingsSource(&settings);
    for (const char *expression : {"12.5+3.75", "305-78", "35*63", "3/0.25"}) {
        SCOPED_TRACE(expression);
        doc.AData.clear();
        tool.PrepareNew(0, 101, 53);
        tool.SelectPage(TFormSiki::PageTate);
        tool.MemoT1->setText(QString::fromLatin1(expression));
        tool.MakeSikiKotaeTate();
        const int plainIndex = tool.Kettei();
        ASSERT_EQ(plainIndex, 0);
        const RAData plain = doc.AData[0];
        tool.PrepareNew(0, 101, 53);
        tool.SelectPage(TFormSiki::PageTate);
        tool.MemoT1->setText(QString::fromLatin1(expression));
        tool.MakeSikiKotaeTate();
        tool.CheckMasu->setChecked(true);
        tool.CheckMemo->setChecked(true);
        ASSERT_EQ(tool.Kettei(), 1);
        const RAData row = doc.AData[1];
        EXPECT_EQ(row.RandZ2, "masu=1;memo=1");
        EXPECT_EQ(row.Height, plain.Height + HissanMemoHeight(rh));
        EXPECT_EQ(row.Height, m.GetMojiHeight(row));
        EXPECT_EQ(row.Width, plain.Width);
        redraw(row, true);
        EXPECT_EQ(squares(Surface::Screen),
                  digitCells(Surface::Screen, row.Y1 + HissanMemoHeight(rh)));
        EXPECT_EQ(squares(Surface::Screen).size(), answerDigits(row));
    }
}
