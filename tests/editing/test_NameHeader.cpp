// "名前欄を追加": the ready name header's rows and their mode, its width
// within the margins on portrait and landscape paper, the objects below it
// moved down exactly enough, and the whole as one undo step. Also the larger
// start size of the size box for 1年 and 2年.
#include "EditTestSupport.h"
#include "document/UnitBunruiCommand.h"
#include "document/UnitFile.h"
#include "document/UnitPaperSet.h"
#include "editing/UnitNameHeader.h"
#include "editing/UnitPropertyRules.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"

#include <QUndoStack>
#include <climits>
#include <gtest/gtest.h>

namespace
{

QByteArray bytes(const Document &d)
{
    return BuildFileBytes(d, LayerWorksheet, 2);
}

void landscape(Document &doc)
{
    doc.Paper.Orientation = QStringLiteral("2");
    doc.Paper.Width = QStringLiteral("297");
    doc.Paper.Height = QStringLiteral("210");
    ASSERT_TRUE(ApplyPaperValues(doc.Paper));
}

int pageWidth(const Document &doc)
{
    return PageUnitsFromMm(doc.Paper.PaperW, PaperBaiForDpi(96));
}

bool overlaps(const RAData &a, const QRect &r)
{
    return a.X1 < r.left() + r.width() && a.X1 + std::max(a.Width, 1) > r.left() &&
           a.Y1 < r.top() + r.height() && a.Y1 + std::max(a.Height, 1) > r.top();
}

int addText(Document &doc, int page, int x, int y, const QString &text)
{
    RAData r;
    r.ID = doc.GetId();
    r.Syu = QStringLiteral("1");
    r.Page = page;
    r.X1 = x;
    r.Y1 = y;
    r.Siki = text;
    r.FontSize = 11;
    SetTextGeometry(r, 60, 15);
    r.Layer = 1;
    doc.AData.append(r);
    return doc.AData.size() - 1;
}

} // namespace

class NameHeaderTest : public ::testing::Test
{
protected:
    void SetUp() override { SetMessages(&messages); }
    void TearDown() override { SetMessages(nullptr); }
    EditBench b;
    ScriptedMessages messages;

    QVector<RAData> added(int before) const { return b.doc.AData.mid(before); }
};

TEST_F(NameHeaderTest, OneLineHeaderIsNameFieldRowsAcrossThePrintableWidth)
{
    int portraitNameW = 0;
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "landscape" : "portrait");
        EditBench bench;
        // The header is a name field whatever the display toggles say.
        bench.view.AnswerDisplay = true;
        if (wide)
            landscape(bench.doc);
        ASSERT_TRUE(bench.ctl->AddNameHeader(NameHeaderStyle::OneLine));
        const QVector<RAData> &rows = bench.doc.AData;
        ASSERT_EQ(rows.size(), 6);
        const QStringList kinds = {"3", "1", "3", "1", "3", "1"};
        const QStringList texts = {"", "　　月　　日", "", "名前", "", "　　点"};
        const int margin = NameHeaderMargin();
        const int w = pageWidth(bench.doc);
        EXPECT_EQ(w, wide ? 1122 : 793);
        int right = 0;
        for (int k = 0; k < rows.size(); ++k) {
            EXPECT_EQ(rows[k].Syu, kinds[k]) << k;
            EXPECT_EQ(rows[k].Siki, texts[k]) << k;
            EXPECT_EQ(rows[k].Layer, 3) << k;
            EXPECT_EQ(rows[k].KotaeMode, 0) << k;
            EXPECT_EQ(rows[k].Page, 0);
            EXPECT_GE(rows[k].X1, margin) << k;
            EXPECT_LE(rows[k].X1 + rows[k].Width, w - margin) << k;
            EXPECT_GE(rows[k].Y1, margin) << k;
            right = std::max(right, rows[k].X1 + rows[k].Width);
        }
        // The boxes reach across the whole printable width, one row high.
        EXPECT_EQ(rows[0].X1, margin);
        EXPECT_EQ(right, w - margin);
        EXPECT_EQ(rows[0].Y1, rows[4].Y1);
        EXPECT_EQ(rows[0].Height, rows[4].Height);
        // Every text lies inside the box before it, and the boxes follow
        // each other from left to right.
        for (int k = 0; k < rows.size(); k += 2) {
            const RAData &box = rows[k], &text = rows[k + 1];
            EXPECT_GT(text.X1, box.X1);
            EXPECT_GT(text.Y1, box.Y1);
            EXPECT_LT(text.X1 + text.Width, box.X1 + box.Width);
            EXPECT_LE(text.Y1 + text.Height, box.Y1 + box.Height);
            EXPECT_EQ(text.FontSize, NameHeaderFontSize);
            EXPECT_EQ(box.BackColorB, 0);
            if (k > 0) {
                EXPECT_GT(box.X1, rows[k - 2].X1 + rows[k - 2].Width);
            }
        }
        // The name box takes what is left: all the extra width of landscape paper.
        if (!wide)
            portraitNameW = rows[2].Width;
        else
            EXPECT_EQ(rows[2].Width, portraitNameW + (1122 - 793));
        // The new rows are selected, as after a paste.
        EXPECT_EQ(bench.ctl->selectedRows(), (QVector<int>{0, 1, 2, 3, 4, 5}));
        EXPECT_EQ(bench.doc.undoStack().undoText(), QStringLiteral("名前欄を追加"));
    }
}

TEST_F(NameHeaderTest, ScoreStyleHasASquareScoreAreaAtTheRight)
{
    landscape(b.doc);
    ASSERT_TRUE(b.ctl->AddNameHeader(NameHeaderStyle::ScoreCircle));
    const QVector<RAData> &rows = b.doc.AData;
    ASSERT_EQ(rows.size(), 6);
    const int margin = NameHeaderMargin();
    const int w = pageWidth(b.doc);
    const RAData &date = rows[0], &name = rows[2], &score = rows[4], &mark = rows[5];
    EXPECT_EQ(rows[1].Siki, QStringLiteral("　　月　　日"));
    EXPECT_EQ(rows[3].Siki, QStringLiteral("名前"));
    EXPECT_EQ(mark.Siki, QStringLiteral("点"));
    EXPECT_EQ(score.Syu, QStringLiteral("3"));
    EXPECT_EQ(score.Width, score.Height);
    EXPECT_EQ(score.X1 + score.Width, w - margin);
    // As high as the date and the name rows beside it together.
    EXPECT_EQ(score.Y1, date.Y1);
    EXPECT_EQ(score.Y1 + score.Height, name.Y1 + name.Height);
    EXPECT_GT(name.Y1, date.Y1 + date.Height - 1);
    EXPECT_LT(name.X1 + name.Width, score.X1);
    // "点" sits in the lower right corner of the score area.
    EXPECT_GT(mark.X1, score.X1 + score.Width / 2);
    EXPECT_GT(mark.Y1, score.Y1 + score.Height / 2);
    EXPECT_LT(mark.X1 + mark.Width, score.X1 + score.Width);
    EXPECT_LT(mark.Y1 + mark.Height, score.Y1 + score.Height);
    for (const RAData &r : rows) {
        EXPECT_EQ(r.Layer, 3);
        EXPECT_GE(r.X1, margin);
        EXPECT_LE(r.X1 + r.Width, w - margin);
    }
}

TEST_F(NameHeaderTest, ObjectsInTheWayMoveDownExactlyEnoughAsOneUndoStep)
{
    for (NameHeaderStyle style : {NameHeaderStyle::OneLine, NameHeaderStyle::ScoreCircle}) {
        SCOPED_TRACE(int(style));
        EditBench bench;
        Document &doc = bench.doc;
        const int title = addText(doc, 0, 300, 45, QStringLiteral("たしざん"));
        const int box = bench.addBox(0, 100, 90, 200, 80);
        const int low = bench.addBox(0, 100, 600, 50, 50);
        const int other = addText(doc, 1, 300, 45, QStringLiteral("べつのページ"));
        // A line carries its end point along.
        RAData line;
        line.ID = doc.GetId();
        line.Syu = QStringLiteral("2");
        line.X1 = 50;
        line.Y1 = 200;
        line.Width = 100;
        line.Height = 20;
        line.X2 = 150;
        line.Y2 = 220;
        line.Layer = 1;
        doc.AData.append(line);
        const int lineRow = doc.AData.size() - 1;
        const QVector<RAData> before = doc.AData;
        const QByteArray start = bytes(doc);
        doc.undoStack().setClean();

        const RNameHeader plan = LayoutNameHeader(doc, 0, style, QStringLiteral("ＭＳ Ｐゴシック"),
                                                  bench.renderer->metrics());
        ASSERT_TRUE(plan.fits);
        ASSERT_TRUE(bench.ctl->AddNameHeader(style));
        const int groupBottom = plan.area.top() + plan.area.height();
        const int dy = groupBottom + plan.gapBelow - 45; // the title was the highest in the way
        EXPECT_EQ(doc.AData[title].Y1, 45 + dy);
        EXPECT_EQ(doc.AData[title].Y2, before[title].Y2 + dy);
        EXPECT_EQ(doc.AData[box].Y1, 90 + dy);
        EXPECT_EQ(doc.AData[low].Y1, 600 + dy);
        EXPECT_EQ(doc.AData[low].Y2, before[low].Y2); // boxes keep X2/Y2 as they were
        EXPECT_EQ(doc.AData[lineRow].Y1, 200 + dy);
        EXPECT_EQ(doc.AData[lineRow].Y2, 220 + dy);
        EXPECT_EQ(doc.AData[lineRow].X1, 50);
        // Another page is not this page's header's business.
        EXPECT_EQ(doc.AData[other], before[other]);
        // No old object of the page overlaps the header, and the highest sits
        // just the free band below it.
        int highest = INT_MAX;
        for (int a = 0; a < before.size(); ++a) {
            if (doc.AData[a].Page != 0)
                continue;
            EXPECT_FALSE(overlaps(doc.AData[a], plan.area)) << a;
            highest = std::min(highest, doc.AData[a].Y1);
        }
        EXPECT_EQ(highest, groupBottom + plan.gapBelow);

        // One undo puts back every byte, redo brings the same header again.
        const QByteArray withHeader = bytes(doc);
        EXPECT_EQ(doc.undoStack().count(), 1);
        doc.undoStack().undo();
        EXPECT_EQ(bytes(doc), start);
        EXPECT_EQ(doc.AData, before);
        EXPECT_FALSE(doc.isModified());
        doc.undoStack().redo();
        EXPECT_EQ(bytes(doc), withHeader);
    }
}

TEST_F(NameHeaderTest, NothingMovesWhenThePageTopIsFreeAndNarrowOrOverfullPagesAreHandled)
{
    // Objects well below the header stay where they are.
    const int far = b.addBox(0, 100, 400, 50, 50);
    ASSERT_TRUE(b.ctl->AddNameHeader(NameHeaderStyle::OneLine));
    EXPECT_EQ(b.doc.AData[far].Y1, 400);
    EXPECT_EQ(b.doc.AData.size(), 7);

    // A paper too narrow for one line is reported; nothing is pushed. The
    // score style still fits on it.
    EditBench narrow;
    narrow.doc.Paper.Width = QStringLiteral("90");
    narrow.doc.Paper.Height = QStringLiteral("140");
    ASSERT_TRUE(ApplyPaperValues(narrow.doc.Paper));
    EXPECT_FALSE(narrow.ctl->AddNameHeader(NameHeaderStyle::OneLine));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], QStringLiteral("この用紙の幅には名前欄が入りません。"));
    EXPECT_EQ(narrow.doc.undoStack().count(), 0);
    EXPECT_TRUE(narrow.doc.AData.isEmpty());

    // An object pushed off the paper: the teacher is asked first; "いいえ"
    // leaves the worksheet as it was.
    EditBench full;
    const int bottom = full.addBox(0, 100, 1060, 100, 50);
    full.addBox(0, 100, 60, 100, 50);
    const QByteArray start = bytes(full.doc);
    messages.texts.clear();
    messages.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(full.ctl->AddNameHeader(NameHeaderStyle::OneLine));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(QStringLiteral("ページの外")));
    EXPECT_EQ(bytes(full.doc), start);
    EXPECT_TRUE(full.ctl->AddNameHeader(NameHeaderStyle::OneLine));
    EXPECT_GT(full.doc.AData[bottom].Y1, 1060);
    EXPECT_EQ(full.doc.AData.size(), 8);
}

TEST(GradeFontSize, YoungGradesStartLargerAndTheTeachersSizeStays)
{
    const QString start = QStringLiteral("11");
    EXPECT_EQ(GradeFontSizeText(0, start), start);
    EXPECT_EQ(GradeFontSizeText(1, start), QStringLiteral("24"));
    EXPECT_EQ(GradeFontSizeText(2, start), QStringLiteral("24"));
    for (int grade = 3; grade <= 6; ++grade)
        EXPECT_EQ(GradeFontSizeText(grade, start), start) << grade;
    // A start value already larger is kept.
    EXPECT_EQ(GradeFontSizeText(1, QStringLiteral("30")), QStringLiteral("30"));

    // The box follows while it shows the previous grade's start value.
    EXPECT_EQ(SizeBoxAfterGrade(QStringLiteral("11"), 0, 1, start), QStringLiteral("24"));
    EXPECT_EQ(SizeBoxAfterGrade(QStringLiteral(" 11 "), 3, 2, start), QStringLiteral("24"));
    EXPECT_EQ(SizeBoxAfterGrade(QStringLiteral("24"), 1, 2, start), QStringLiteral("24"));
    EXPECT_EQ(SizeBoxAfterGrade(QStringLiteral("24"), 1, 4, start), start);
    // The teacher's own value, or what is no size at all, stays.
    EXPECT_EQ(SizeBoxAfterGrade(QStringLiteral("16"), 0, 1, start), QStringLiteral("16"));
    EXPECT_EQ(SizeBoxAfterGrade(QStringLiteral("16"), 1, 4, start), QStringLiteral("16"));
    EXPECT_EQ(SizeBoxAfterGrade(QStringLiteral("11"), 1, 0, start), QStringLiteral("11"));
    EXPECT_EQ(SizeBoxAfterGrade(QStringLiteral("大"), 0, 1, start), QStringLiteral("大"));
}

TEST_F(NameHeaderTest, GradeSetsTheStartSizeOfNewTextsAndProblemsOnly)
{
    Document &doc = b.doc;
    const int old = addText(doc, 0, 50, 400, QStringLiteral("まえから"));
    auto setGrade = [&](Integer nen) {
        RBunruiValues v = BunruiValuesOf(doc);
        v.NenIndex = nen;
        doc.push(std::make_unique<ChangeBunruiCommand>(doc, v));
    };
    auto makeText = [&](int y) {
        b.ctl->ToolButton5Click();
        b.click(0, 50, y);
        b.ctl->formMoji()->MemoMoji->setPlainText(QStringLiteral("あ"));
        b.ctl->formMoji()->Button1->click();
        return doc.AData.last();
    };
    TFormSiki siki(doc);
    siki.SyokiForm();
    b.ctl->setSikiForm(&siki);
    auto makeProblem = [&](int y) {
        b.ctl->ToolButton10Click();
        b.click(0, 300, y);
        siki.SelectPage(TFormSiki::PageYoko);
        siki.MemoY1->setText(QStringLiteral("3+4"));
        siki.MakeSikiKotaeYoko();
        const int row = siki.Kettei();
        return doc.AData.value(row);
    };

    setGrade(1);
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("24"));
    EXPECT_EQ(doc.AData[old].FontSize, 11); // what is there keeps its size
    EXPECT_EQ(makeText(100).FontSize, 24);
    EXPECT_EQ(makeProblem(200).FontSize, 24);
    b.ctl->ToolButton9Click();

    // 2年 keeps the young size; 3年 brings today's start size back.
    setGrade(2);
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("24"));
    setGrade(3);
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("11"));
    EXPECT_EQ(makeText(500).FontSize, 11);
    EXPECT_EQ(makeProblem(600).FontSize, 11);
    b.ctl->ToolButton9Click();

    // Undo of the grade change brings the young size back with it.
    while (doc.undoStack().undoText() != QStringLiteral("分類") && doc.undoStack().canUndo())
        doc.undoStack().undo();
    ASSERT_EQ(doc.NenIndex, 3);
    doc.undoStack().undo();
    EXPECT_EQ(doc.NenIndex, 2);
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("24"));

    // A size the teacher typed survives any change of grade.
    b.edit->MemoFS->setText(QStringLiteral("18"));
    setGrade(4);
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("18"));
    setGrade(1);
    EXPECT_EQ(b.edit->MemoFS->text(), QStringLiteral("18"));
    EXPECT_EQ(makeText(700).FontSize, 18);
}
