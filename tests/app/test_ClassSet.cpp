// Class sets and the PDF export, read back from the PDF text (pdftotext):
// every copy's random problems meet their settings and their answers are
// right, copies differ, each answer sheet holds exactly the answers of its
// own problem sheet in both orders, the copy numbers sit on both sheets in
// a free corner, a seed gives the same text again, a cancelled run leaves
// no file, and the open worksheet is the same after a run; the PDF export
// writes each choice of sheets under the name it offers.
#include "app/Unit1.h"
#include "app/UnitClassSet.h"
#include "app/UnitClassSetDialog.h"
#include "app/UnitHeadless.h"
#include "app/UnitSheetCommands.h"
#include "app/UnitSheetOutput.h"
#include "document/UnitFile.h"
#include "math/UnitKeisan.h"
#include "platform/UnitMessages.h"
#include "render/UnitFonts.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

constexpr int kLow = 10, kHigh = 999, kAnswerLow = 1, kAnswerHigh = 1500;

// `perPage` random horizontal problems on each page (additions and
// subtractions in turn, operands 10..999, answers 1..1500), a fixed problem
// and, on page 1, a title in the top right corner.
Document randomSheet(int pages, int perPage)
{
    Document doc;
    int id = 1;
    for (int page = 0; page < pages; ++page) {
        for (int i = 0; i < perPage; ++i) {
            RAData r;
            r.ID = id++;
            r.Syu = QStringLiteral("5");
            r.Page = page;
            r.Rand = 1;
            r.Layer = 1;
            r.FontName = QStringLiteral("ＭＳ ゴシック");
            r.FontSize = 16;
            r.X1 = 60;
            r.Y1 = 120 + i * 60;
            r.Width = 300;
            r.Height = 30;
            r.RandKigou = Byte(i % 2);
            r.RandX1 = r.RandY1 = QString::number(kLow);
            r.RandX2 = r.RandY2 = QString::number(kHigh);
            r.RandA1 = QString::number(kAnswerLow);
            r.RandA2 = QString::number(kAnswerHigh);
            r.Siki = QStringLiteral("1+1");
            r.Kotae = QStringLiteral("2");
            doc.AData.append(r);
        }
    }
    RAData title;
    title.ID = id++;
    title.Syu = QStringLiteral("1");
    title.Siki = QStringLiteral("けいさん");
    title.FontName = QStringLiteral("ＭＳ ゴシック");
    title.FontSize = 20;
    title.Layer = 1;
    title.X1 = 600;
    title.Y1 = 10;
    title.Width = 190;
    title.Height = 40;
    doc.AData.append(title);
    return doc;
}

QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// The text of every page of a PDF (pdftotext ends each page with a form
// feed), or nothing when it cannot be read.
QStringList pdfPages(const QString &path)
{
    QProcess p;
    p.start(tool("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

struct Problem {
    QString siki;  // "123+456"
    QString kotae; // the answer printed after "＝", empty on a problem sheet
};

// The horizontal problems of one page in reading order.
QVector<Problem> problemsOf(const QString &page)
{
    static const QRegularExpression re(
        QStringLiteral("(\\d+)[ \\t]*([＋－])[ \\t]*(\\d+)[ \\t]*＝[ \\t]*(\\d*)"));
    QVector<Problem> out;
    for (auto it = re.globalMatch(page); it.hasNext();) {
        const auto m = it.next();
        out.append({m.captured(1) + (m.captured(2) == u"＋" ? u'+' : u'-') + m.captured(3),
                    m.captured(4)});
    }
    return out;
}

// Checks one copy: its problem pages hold unanswered problems within the
// settings, its answer pages the same problems with the evaluator's answers.
void checkCopy(const QStringList &problemPages, const QStringList &answerPages, int perPage,
               int copy)
{
    ASSERT_EQ(problemPages.size(), answerPages.size());
    QStringList seen;
    for (int i = 0; i < problemPages.size(); ++i) {
        const QString number = CopyNumberText(copy);
        EXPECT_TRUE(problemPages[i].contains(number)) << "problem page " << i << " of " << copy;
        EXPECT_TRUE(answerPages[i].contains(number)) << "answer page " << i << " of " << copy;
        const QVector<Problem> q = problemsOf(problemPages[i]);
        const QVector<Problem> a = problemsOf(answerPages[i]);
        ASSERT_EQ(q.size(), perPage) << problemPages[i].toStdString();
        ASSERT_EQ(a.size(), perPage);
        for (int k = 0; k < perPage; ++k) {
            EXPECT_TRUE(q[k].kotae.isEmpty()) << q[k].siki.toStdString();
            EXPECT_EQ(a[k].siki, q[k].siki) << "copy " << copy;
            const QStringList ops = q[k].siki.split(QRegularExpression(QStringLiteral("[+-]")));
            ASSERT_EQ(ops.size(), 2);
            for (const QString &op : ops) {
                EXPECT_GE(op.toInt(), kLow);
                EXPECT_LE(op.toInt(), kHigh);
            }
            EXPECT_EQ(q[k].siki.contains(u'+'), k % 2 == 0);
            EXPECT_EQ(a[k].kotae, Keisan(q[k].siki)) << q[k].siki.toStdString();
            EXPECT_GE(a[k].kotae.toInt(), kAnswerLow);
            EXPECT_LE(a[k].kotae.toInt(), kAnswerHigh);
            EXPECT_FALSE(seen.contains(q[k].siki)) << "repeated in one sheet";
            seen << q[k].siki;
        }
    }
}

struct ClassSetFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_FALSE(tool("pdftotext").isEmpty())
            << "scripts/install-deps.sh installs poppler-utils";
        InstallFontSubstitutions();
    }
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
};

ClassSetRun::Outcome runToPdf(const Document &doc, int pages, const ClassSetOptions &options,
                              const QString &out, const ClassSetRun::Progress &progress = {})
{
    ClassSetRun run(doc, pages, options);
    PdfSheetOutput pdf(out, doc.Paper);
    QString error;
    return run.run(pdf, progress, error);
}

} // namespace

TEST(ClassSetPlace, TheNumberTakesTheFirstFreeCornerAndNeverAnObject)
{
    const QSize page(793, 1122);
    const QSize label(40, 14);
    const QMargins m(20, 20, 20, 20);
    // An empty page: top right, inside the margins.
    auto place = CopyNumberPlace({}, page, label, m);
    ASSERT_TRUE(place);
    EXPECT_EQ(*place, QRect(793 - 20 - 40, 20, 40, 14));
    // Top right taken: bottom right; then top left; then bottom left.
    QVector<QRect> objects{QRect(700, 0, 93, 60)};
    place = CopyNumberPlace(objects, page, label, m);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->topLeft(), QPoint(733, 1122 - 20 - 14));
    objects << QRect(700, 1080, 93, 42);
    EXPECT_EQ(CopyNumberPlace(objects, page, label, m)->topLeft(), QPoint(20, 20));
    objects << QRect(0, 0, 60, 60);
    EXPECT_EQ(CopyNumberPlace(objects, page, label, m)->topLeft(), QPoint(20, 1088));
    // Every corner taken: the first free place along the top edge.
    objects << QRect(0, 1080, 60, 42);
    place = CopyNumberPlace(objects, page, label, m);
    ASSERT_TRUE(place);
    for (const QRect &o : objects)
        EXPECT_FALSE(place->adjusted(-3, -3, 3, 3).intersects(o));
    EXPECT_EQ(place->top(), 20);
    // Objects along both edges everywhere: no place at all.
    objects << QRect(0, 0, 793, 70) << QRect(0, 1060, 793, 62);
    EXPECT_FALSE(CopyNumberPlace(objects, page, label, m));
    // A page smaller than its margins and label.
    EXPECT_FALSE(CopyNumberPlace({}, QSize(50, 30), label, m));
}

TEST(ClassSetPlace, ObjectRectsCoverLinesWordProblemsAndTheCreditNotice)
{
    RDocumentData data;
    RAData line;
    line.Syu = QStringLiteral("2");
    line.X1 = 300;
    line.Y1 = 200;
    line.X2 = 100;
    line.Y2 = 50;
    line.LineSize = 2;
    RAData word;
    word.Syu = QStringLiteral("5");
    word.Siki1 = 3;
    word.X1 = 40;
    word.Y1 = 400;
    word.Width = 100;
    word.Height = 80;
    RAData deleted = word;
    deleted.Syu = QStringLiteral("0");
    RAData other = word;
    other.Page = 1;
    RAData character;
    character.Syu = QStringLiteral("k");
    character.Page = 1;
    data.AData = {line, word, deleted, other, character};
    const QVector<QRect> rects = PageObjectRects(data, 0, QSize(793, 1122));
    ASSERT_EQ(rects.size(), 3);
    EXPECT_EQ(rects[0], QRect(QPoint(98, 48), QPoint(302, 202)));
    EXPECT_EQ(rects[1].right(), 793);
    // The notice of character pictures sits bottom right on page 0.
    EXPECT_TRUE(rects[2].contains(QPoint(780, 1110)));
    EXPECT_EQ(PageObjectRects(data, 1, QSize(793, 1122)).size(), 2);
}

TEST_F(ClassSetFixture, InterleavedCopiesDifferAndEachAnswerSheetMatchesItsProblems)
{
    const Document doc = randomSheet(2, 6);
    ClassSetOptions options;
    options.copies = 4;
    options.seed = 11;
    const QString out = path("class.pdf");
    ASSERT_EQ(runToPdf(doc, 2, options, out), ClassSetRun::Outcome::Done);
    const QStringList pages = pdfPages(out);
    ASSERT_EQ(pages.size(), 4 * 2 * 2);
    QSet<QString> firstPages;
    for (int copy = 1; copy <= 4; ++copy) {
        const int at = (copy - 1) * 4;
        checkCopy(pages.mid(at, 2), pages.mid(at + 2, 2), 6, copy);
        firstPages.insert(QString(pages[at]).remove(CopyNumberText(copy)));
    }
    EXPECT_EQ(firstPages.size(), 4) << "every copy has problems of its own";
    // A copy number is printed once per page, and only its own.
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_EQ(pages[i].count(QStringLiteral("No. ")), 1) << i;
}

TEST_F(ClassSetFixture, GroupedOrderPrintsEveryProblemSheetThenTheSameCopiesAnswers)
{
    const Document doc = randomSheet(1, 8);
    ClassSetOptions options;
    options.copies = 5;
    options.seed = 99;
    options.order = ClassSetOrder::Grouped;
    const QString grouped = path("grouped.pdf");
    ASSERT_EQ(runToPdf(doc, 1, options, grouped), ClassSetRun::Outcome::Done);
    const QStringList pages = pdfPages(grouped);
    ASSERT_EQ(pages.size(), 10);
    for (int copy = 1; copy <= 5; ++copy)
        checkCopy({pages[copy - 1]}, {pages[5 + copy - 1]}, 8, copy);

    // The same seed in the other order gives the same copies.
    options.order = ClassSetOrder::Interleaved;
    const QString interleaved = path("interleaved.pdf");
    ASSERT_EQ(runToPdf(doc, 1, options, interleaved), ClassSetRun::Outcome::Done);
    const QStringList other = pdfPages(interleaved);
    ASSERT_EQ(other.size(), 10);
    for (int copy = 1; copy <= 5; ++copy) {
        EXPECT_EQ(other[(copy - 1) * 2], pages[copy - 1]);
        EXPECT_EQ(other[(copy - 1) * 2 + 1], pages[5 + copy - 1]);
    }
}

TEST_F(ClassSetFixture, TheNumberSitsInAFreeCornerOnBothSheetsAndCanBeLeftOut)
{
    const Document doc = randomSheet(2, 4);
    ClassSetOptions options;
    options.copies = 2;
    options.seed = 3;
    const QString out = path("numbers.pdf");
    ASSERT_EQ(runToPdf(doc, 2, options, out), ClassSetRun::Outcome::Done);
    // Word boxes (points) of every page: the number's words touch no other.
    QProcess p;
    p.start(tool("pdftotext"), {QStringLiteral("-bbox"), out, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression pageRe(QStringLiteral("<page [^>]*>(.*?)</page>"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression wordRe(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int pageNo = 0;
    for (auto pages = pageRe.globalMatch(html); pages.hasNext(); ++pageNo) {
        const QString body = pages.next().captured(1);
        QRectF number;
        QVector<QRectF> others;
        for (auto words = wordRe.globalMatch(body); words.hasNext();) {
            const auto w = words.next();
            const QRectF box(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                             QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
            const bool ofNumber = w.captured(5) == u"No." ||
                                  (number.isValid() && box.top() < number.bottom() &&
                                   box.left() >= number.right() && box.left() - number.right() < 8);
            if (ofNumber)
                number = number.isValid() ? number.united(box) : box;
            else
                others << box;
        }
        ASSERT_TRUE(number.isValid()) << "page " << pageNo;
        for (const QRectF &o : others)
            EXPECT_FALSE(number.intersects(o)) << "page " << pageNo;
        // Page 1 has its title top right: the number goes bottom right;
        // page 2 keeps the top right corner. Both sheets alike.
        const bool firstPage = pageNo % 2 == 0;
        EXPECT_GT(number.left(), 595 / 2) << pageNo;
        if (firstPage)
            EXPECT_GT(number.top(), 842 / 2) << pageNo;
        else
            EXPECT_LT(number.top(), 842 / 10) << pageNo;
    }
    EXPECT_EQ(pageNo, 8);

    options.numbers = false;
    ASSERT_EQ(runToPdf(doc, 2, options, out), ClassSetRun::Outcome::Done);
    const QStringList plain = pdfPages(out);
    ASSERT_EQ(plain.size(), 8);
    for (const QString &page : plain)
        EXPECT_FALSE(page.contains(QStringLiteral("No. ")));
}

TEST_F(ClassSetFixture, TheSameSeedGivesTheSameTextAndAnotherSeedOtherProblems)
{
    const Document doc = randomSheet(1, 6);
    ClassSetOptions options;
    options.copies = 3;
    options.seed = 123456789012345ULL;
    ASSERT_EQ(runToPdf(doc, 1, options, path("a.pdf")), ClassSetRun::Outcome::Done);
    ASSERT_EQ(runToPdf(doc, 1, options, path("b.pdf")), ClassSetRun::Outcome::Done);
    options.seed = 7;
    ASSERT_EQ(runToPdf(doc, 1, options, path("c.pdf")), ClassSetRun::Outcome::Done);
    const QStringList a = pdfPages(path("a.pdf"));
    ASSERT_EQ(a.size(), 6);
    EXPECT_EQ(pdfPages(path("b.pdf")), a);
    EXPECT_NE(pdfPages(path("c.pdf")), a);

    // The companion makes the same class set from the file.
    Document saved = randomSheet(1, 6);
    ASSERT_TRUE(SaveFileAll(path("sheet.prx"), saved, LayerWorksheet, 1).ok);
    for (const char *name : {"tool1.pdf", "tool2.pdf"}) {
        QProcess p;
        p.start(QStringLiteral(TAVENOR_TOOL_PATH),
                {QStringLiteral("class-set"), path("sheet.prx"), QStringLiteral("-n"),
                 QStringLiteral("3"), QStringLiteral("--seed"), QStringLiteral("123456789012345"),
                 QStringLiteral("-o"), path(name)});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    EXPECT_EQ(pdfPages(path("tool1.pdf")), a);
    EXPECT_EQ(pdfPages(path("tool2.pdf")), a);
}

TEST_F(ClassSetFixture, ACancelledRunLeavesNoFileAndKeepsAnOldOne)
{
    const Document doc = randomSheet(1, 4);
    ClassSetOptions options;
    options.copies = 10;
    options.seed = 1;
    int calls = 0;
    const auto stopAtThree = [&calls](int done, int total) {
        ++calls;
        EXPECT_EQ(total, 20);
        return done < 3;
    };
    const QString fresh = path("fresh.pdf");
    EXPECT_EQ(runToPdf(doc, 1, options, fresh, stopAtThree), ClassSetRun::Outcome::Cancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(QFile::exists(fresh));

    const QString old = path("old.pdf");
    {
        QFile f(old);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old contents");
    }
    EXPECT_EQ(runToPdf(doc, 1, options, old, stopAtThree), ClassSetRun::Outcome::Cancelled);
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old contents"));
    // Nothing else was left in the folder (no temporary file).
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pdf")});

    // A folder that cannot take the file fails with the program's message.
    ClassSetRun run(doc, 1, options);
    PdfSheetOutput pdf(path("missing/folder/x.pdf"), doc.Paper);
    QString error;
    EXPECT_EQ(run.run(pdf, {}, error), ClassSetRun::Outcome::Failed);
    EXPECT_TRUE(error.startsWith(QStringLiteral("PDFファイルを作れませんでした。")));
}

TEST_F(ClassSetFixture, TheEditorsRunLeavesTheOpenWorksheetAsItWas)
{
    FakeA4 printer;
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    TForm1 form;
    form.SyokiForm(QString());
    form.setFileDialogs(&dialogs);
    Document &doc = form.doc();
    doc.AData = randomSheet(1, 6).AData;
    doc.undoStack().clear();
    const QString before = path("before.prx");
    ASSERT_TRUE(SaveFileAll(before, doc, LayerWorksheet, 1).ok);
    const int undoCount = doc.undoStack().count();
    const bool modified = doc.isModified();

    TSheetCommands *sheets = form.sheetCommands();
    ASSERT_NE(sheets, nullptr);
    ClassSetOptions options;
    options.copies = 3;
    options.seed = 5;
    // Offered under the untitled worksheet's name in the user's folder.
    dialogs.answers.push_back(path("class"));
    ASSERT_TRUE(sheets->RunClassSet(options));
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].fileName, QStringLiteral("プリント.pdf"));
    EXPECT_EQ(dialogs.calls[0].initialFolder, form.folders().UserPrintFolder);
    EXPECT_EQ(dialogs.calls[0].filter, PdfFilter());
    const QStringList pages = pdfPages(path("class.pdf"));
    ASSERT_EQ(pages.size(), 6);
    for (int copy = 1; copy <= 3; ++copy)
        checkCopy({pages[(copy - 1) * 2]}, {pages[(copy - 1) * 2 + 1]}, 6, copy);

    const QString after = path("after.prx");
    ASSERT_TRUE(SaveFileAll(after, doc, LayerWorksheet, 1).ok);
    QFile a(before), b(after);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    EXPECT_EQ(doc.undoStack().count(), undoCount);
    EXPECT_EQ(doc.isModified(), modified);

    // An existing file is replaced only after "はい".
    const QByteArray first = [&] {
        QFile f(path("class.pdf"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    dialogs.answers.push_back(path("class.pdf"));
    messages.answers.push_back(MsgAnswer::No);
    options.seed = 6;
    EXPECT_FALSE(sheets->RunClassSet(options));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], OverwriteQuestion(path("class.pdf")));
    QFile kept(path("class.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), first);
    kept.close();
    dialogs.answers.push_back(path("class.pdf"));
    messages.answers.push_back(MsgAnswer::Yes);
    EXPECT_TRUE(sheets->RunClassSet(options));
    EXPECT_NE(pdfPages(path("class.pdf")), pages);
    // A cancelled save dialog does nothing.
    EXPECT_FALSE(sheets->RunClassSet(options));

    // "キャンセル" in the progress window stops the run: no file is left,
    // and the status bar says so.
    dialogs.answers.push_back(path("stopped.pdf"));
    options.copies = 30;
    bool cancelled = false;
    QTimer::singleShot(0, &form, [&] {
        if (auto *progress = form.findChild<QProgressDialog *>()) {
            EXPECT_EQ(progress->maximum(), 60);
            progress->cancel();
            cancelled = true;
        }
    });
    EXPECT_FALSE(sheets->RunClassSet(options));
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(QFile::exists(path("stopped.pdf")));
    EXPECT_EQ(form.statusBar()->currentMessage(), QStringLiteral("クラス分作成をやめました。"));

    // A worksheet without random problems: the same problems on every copy.
    doc.AData = randomSheet(1, 2).AData;
    for (RAData &r : doc.AData)
        r.Rand = 0;
    dialogs.answers.push_back(path("same.pdf"));
    options.copies = 2;
    EXPECT_TRUE(sheets->RunClassSet(options));
    EXPECT_TRUE(form.statusBar()->currentMessage().endsWith(
        QStringLiteral("ランダムの問題がないので、どの枚も同じ問題です。")));
    const QStringList same = pdfPages(path("same.pdf"));
    ASSERT_EQ(same.size(), 4);
    EXPECT_EQ(QString(same[0]).remove(QStringLiteral("No. 1")),
              QString(same[2]).remove(QStringLiteral("No. 2")));
}

TEST_F(ClassSetFixture, PdfExportWritesEachChoiceUnderTheWorksheetsName)
{
    FakeA4 printer;
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    TForm1 form;
    form.SyokiForm(QString());
    form.setFileDialogs(&dialogs);
    Document sheet = randomSheet(1, 3);
    for (RAData &r : sheet.AData) {
        if (r.Syu != u"5")
            continue;
        r.Rand = 0;
        r.Siki = r.RandKigou == 0 ? QStringLiteral("120+35") : QStringLiteral("400-15");
        r.Kotae = Keisan(r.Siki);
    }
    const QString file = path("keisan.prx");
    ASSERT_TRUE(SaveFileAll(file, sheet, LayerWorksheet, 1).ok);
    ASSERT_TRUE(form.fileCommands().FileLoad(file));
    TSheetCommands *sheets = form.sheetCommands();

    struct Case {
        SheetChoice choice;
        const char *name;
        QVector<bool> answered; // page by page
    };
    for (const Case &c : {Case{SheetChoice::Problems, "p.pdf", {false}},
                          Case{SheetChoice::Answers, "a.pdf", {true}},
                          Case{SheetChoice::Both, "b.pdf", {false, true}}}) {
        dialogs.calls.clear();
        dialogs.answers.push_back(path(c.name));
        ASSERT_TRUE(sheets->SavePdf(c.choice)) << c.name;
        ASSERT_EQ(dialogs.calls.size(), 1);
        EXPECT_EQ(dialogs.calls[0].fileName, QStringLiteral("keisan.pdf"));
        EXPECT_EQ(QDir(dialogs.calls[0].initialFolder), QDir(dir.path()));
        const QStringList pages = pdfPages(path(c.name));
        ASSERT_EQ(pages.size(), c.answered.size()) << c.name;
        for (int i = 0; i < pages.size(); ++i) {
            const QVector<Problem> q = problemsOf(pages[i]);
            ASSERT_EQ(q.size(), 3) << c.name << " page " << i;
            for (const Problem &p : q)
                EXPECT_EQ(p.kotae, c.answered[i] ? Keisan(p.siki) : QString()) << c.name;
        }
    }
    // The paper is the worksheet's: A4 portrait in points.
    QProcess info;
    info.start(tool("pdfinfo"), {path("b.pdf")});
    ASSERT_TRUE(info.waitForFinished(60000));
    EXPECT_TRUE(
        QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("595 x 842")));
    // Overwriting asks; "いいえ" keeps the file, a name without ".pdf" gets it.
    dialogs.answers.push_back(path("p.pdf"));
    messages.answers.push_back(MsgAnswer::No);
    EXPECT_FALSE(sheets->SavePdf(SheetChoice::Answers));
    EXPECT_EQ(problemsOf(pdfPages(path("p.pdf"))[0])[0].kotae, QString());
    dialogs.answers.push_back(path("bare"));
    EXPECT_TRUE(sheets->SavePdf(SheetChoice::Problems));
    EXPECT_TRUE(QFile::exists(path("bare.pdf")));
    EXPECT_FALSE(form.doc().isModified());

    // The companion's pdf: every page of a two-page file, problems then
    // answers with --both; --both and --answers together are refused.
    Document two = randomSheet(2, 3);
    for (RAData &r : two.AData) {
        r.Rand = 0;
        if (r.Syu == u"5") {
            r.Siki = QStringLiteral("21+%1").arg(r.Page);
            r.Kotae = Keisan(r.Siki);
        }
    }
    ASSERT_TRUE(SaveFileAll(path("two.prx"), two, LayerWorksheet, 2).ok);
    auto companion = [&](const QStringList &extra) {
        QProcess p;
        p.start(QStringLiteral(TAVENOR_TOOL_PATH),
                QStringList{QStringLiteral("pdf"), path("two.prx"), QStringLiteral("-o"),
                            path("two.pdf")} +
                    extra);
        return p.waitForFinished(60000) ? p.exitCode() : -1;
    };
    ASSERT_EQ(companion({QStringLiteral("--both")}), 0);
    const QStringList both = pdfPages(path("two.pdf"));
    ASSERT_EQ(both.size(), 4);
    const QStringList expected{"21+0", "21+1", "21+0", "21+1"};
    for (int i = 0; i < 4; ++i) {
        const QVector<Problem> q = problemsOf(both[i]);
        ASSERT_EQ(q.size(), 3) << i;
        EXPECT_EQ(q[0].siki, expected[i]);
        EXPECT_EQ(q[0].kotae, i < 2 ? QString() : Keisan(expected[i]));
    }
    EXPECT_EQ(companion({QStringLiteral("--both"), QStringLiteral("--answers")}), 2);
}

TEST(ClassSetDialogs, EveryControlIsNamedAndTheChoicesReachTheOptions)
{
    TFormClassSet dialog;
    dialog.StartForm({QStringLiteral("Queue1"), QStringLiteral("Queue2")},
                     QStringLiteral("Queue2"));
    EXPECT_EQ(dialog.SpinCopies->value(), 30);
    EXPECT_EQ(dialog.SpinCopies->minimum(), 1);
    EXPECT_EQ(dialog.SpinCopies->maximum(), 99);
    EXPECT_EQ(dialog.SpinCopies->accessibleName(), QStringLiteral("枚数"));
    EXPECT_EQ(dialog.EditSeed->accessibleName(), QStringLiteral("乱数の種"));
    EXPECT_EQ(dialog.ComboOrder->accessibleName(), QStringLiteral("順番"));
    EXPECT_EQ(dialog.ComboOutput->accessibleName(), QStringLiteral("出力先"));
    EXPECT_EQ(dialog.CheckNumber->accessibleName(), QStringLiteral("番号を印刷"));
    EXPECT_EQ(dialog.ButtonOk->accessibleName(), QStringLiteral("作成"));
    EXPECT_EQ(dialog.ButtonCancel->accessibleName(), QStringLiteral("キャンセル"));
    EXPECT_EQ(dialog.ComboOrder->itemText(0), QStringLiteral("1枚ずつ問題と解答"));
    EXPECT_EQ(dialog.ComboOrder->itemText(1), QStringLiteral("問題をまとめて、解答をまとめて"));
    EXPECT_EQ(dialog.ComboOutput->count(), 3);
    EXPECT_EQ(dialog.ComboOutput->itemText(2), QStringLiteral("PDFファイル"));
    EXPECT_FALSE(dialog.toPdf());
    EXPECT_EQ(dialog.printerName(), QStringLiteral("Queue2"));

    ClassSetOptions o = dialog.options();
    EXPECT_EQ(o.copies, 30);
    EXPECT_FALSE(o.seed);
    EXPECT_EQ(o.order, ClassSetOrder::Interleaved);
    EXPECT_TRUE(o.numbers);

    dialog.SpinCopies->setValue(120); // beyond the range: 99
    dialog.EditSeed->setText(QStringLiteral("42"));
    dialog.ComboOrder->setCurrentIndex(1);
    dialog.ComboOutput->setCurrentIndex(2);
    dialog.CheckNumber->click();
    o = dialog.options();
    EXPECT_EQ(o.copies, 99);
    ASSERT_TRUE(o.seed);
    EXPECT_EQ(*o.seed, 42u);
    EXPECT_EQ(o.order, ClassSetOrder::Grouped);
    EXPECT_FALSE(o.numbers);
    EXPECT_TRUE(dialog.toPdf());
    // The seed box takes digits only.
    dialog.EditSeed->clear();
    QTest::keyClicks(dialog.EditSeed, QStringLiteral("4x2"));
    EXPECT_EQ(dialog.EditSeed->text(), QStringLiteral("42"));
    // Without printers the PDF is the only output.
    dialog.StartForm({}, QString());
    EXPECT_EQ(dialog.ComboOutput->count(), 1);
    EXPECT_TRUE(dialog.toPdf());

    TFormPdfSave pdf;
    EXPECT_EQ(pdf.choice(), SheetChoice::Problems);
    EXPECT_EQ(pdf.RadioProblems->accessibleName(), QStringLiteral("問題"));
    EXPECT_EQ(pdf.RadioAnswers->accessibleName(), QStringLiteral("解答"));
    EXPECT_EQ(pdf.RadioBoth->accessibleName(), QStringLiteral("問題と解答"));
    EXPECT_EQ(pdf.ButtonOk->accessibleName(), QStringLiteral("保存"));
    QTest::keyClick(pdf.RadioBoth, Qt::Key_Space);
    EXPECT_EQ(pdf.choice(), SheetChoice::Both);
    pdf.RadioAnswers->setChecked(true);
    EXPECT_EQ(pdf.choice(), SheetChoice::Answers);
}

TEST(ClassSetDialogs, TheFileMenuOffersBothCommandsAndTheirDialogsCancel)
{
    FakeA4 printer;
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    TForm1 form;
    form.SyokiForm(QString());
    form.setFileDialogs(&dialogs);
    TSheetCommands *sheets = form.sheetCommands();
    QStringList items;
    for (QAction *a : form.MenuFile->actions())
        items << a->text();
    const int jpeg = items.indexOf(QStringLiteral("JPEG保存"));
    ASSERT_GE(jpeg, 0);
    EXPECT_EQ(items.value(jpeg + 1), QStringLiteral("PDFで保存…"));
    EXPECT_EQ(items.value(jpeg + 2), QStringLiteral("クラス分作成…"));
    EXPECT_FALSE(sheets->ActionPdf->toolTip().isEmpty());
    EXPECT_FALSE(sheets->ActionClassSet->toolTip().isEmpty());

    // The menu items open their dialogs; "キャンセル" asks for no file.
    QTimer::singleShot(0, sheets->FormPdfSave->ButtonCancel, &QPushButton::click);
    sheets->ActionPdf->trigger();
    QTimer::singleShot(0, sheets->FormClassSet->ButtonCancel, &QPushButton::click);
    sheets->ActionClassSet->trigger();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    // "保存" goes on to the save dialog (cancelled here).
    QTimer::singleShot(0, sheets->FormPdfSave->ButtonOk, &QPushButton::click);
    sheets->ActionPdf->trigger();
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_FALSE(sheets->FormPdfSave->isVisible());
}
