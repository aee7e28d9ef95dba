// The "regen" and "random" commands of the command-line tool, and fractions
// and word problems printed to PDF: their numbers sit where they belong.
#include "document/UnitFile.h"
#include "support/ToolRun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
QList<QJsonObject> lines(const QString &out)
{
    QList<QJsonObject> list;
    for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts))
        list << QJsonDocument::fromJson(line.toUtf8()).object();
    return list;
}

RAData problem(int id, int siki1, int y)
{
    RAData r;
    r.ID = id;
    r.Syu = QStringLiteral("5");
    r.Siki1 = siki1;
    r.Layer = 1;
    r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    r.FontSize = 24;
    r.X1 = 60;
    r.Y1 = y;
    r.Width = 400;
    r.Height = 60;
    return r;
}

// The words of a PDF with their boxes.
struct Word {
    QString text;
    double x1, y1, x2, y2;
};
QList<Word> pdfWords(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QList<Word> words;
    if (!p.waitForFinished(30000))
        return words;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression re(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words << Word{m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                      m.captured(3).toDouble(), m.captured(4).toDouble()};
    }
    return words;
}
const Word *find(const QList<Word> &words, const QString &text)
{
    for (const Word &w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}
} // namespace

TEST(ToolRandom, RandomPrintsOneBatchAsJsonLines)
{
    QTemporaryDir dir;
    const QString settings =
        writeFile(dir, "div.json",
                  R"({"Siki1": 0, "RandKigou": 3, "RandAmari": 1, "RandX1": "10", "RandX2": "99",
            "RandY1": "2", "RandY2": "9", "RandA1": "2", "RandA2": "9"})");
    ToolRun r = runTool({"random", settings, "--seed", "7", "-n", "40"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QJsonObject> problems = lines(r.out);
    ASSERT_EQ(problems.size(), 40);
    QStringList seen;
    for (const QJsonObject &o : problems) {
        const QString siki = o["Siki"].toString();
        EXPECT_FALSE(seen.contains(siki));
        seen << siki;
        const QStringList xy = siki.split(u'/');
        ASSERT_EQ(xy.size(), 2);
        const int x = xy[0].toInt(), y = xy[1].toInt();
        EXPECT_EQ(o["Kotae"].toString(), QStringLiteral("%1...%2").arg(x / y).arg(x % y));
        EXPECT_GT(x % y, 0);
        EXPECT_FALSE(o["warning"].toBool());
    }
    // The same seed gives the same batch.
    EXPECT_EQ(runTool({"random", settings, "--seed", "7", "-n", "40"}).out, r.out);

    // A word problem: its numbers and answers; a column problem: its rows.
    const QString word = writeFile(dir, "word.json",
                                   R"({"Siki1": 3, "RandKigou": 2, "BunsyoText": "①×②は？",
                                       "BunsyoTani": 1})");
    r = runTool({"random", word, "--seed", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonObject o = lines(r.out).value(0);
    EXPECT_EQ(o["Bunsyo1"].toString(), o["BunsyoR1"].toString() + "*" + o["BunsyoR2"].toString());
    EXPECT_EQ(o["BunsyoKotae"].toString(),
              QString::number(o["BunsyoR1"].toString().toInt() * o["BunsyoR2"].toString().toInt()));
    EXPECT_EQ(o["BunsyoR"].toInt(), 2);
    const QString tate = writeFile(dir, "tate.json", R"({"Siki1": 1, "RandX1": "10", "RandX2": "40",
                                                         "RandY1": "10", "RandY2": "40", "RandA1": "20", "RandA2": "80"})");
    o = lines(runTool({"random", tate, "--seed", "3"}).out).value(0);
    EXPECT_EQ(o["HissanSiki"].toString(), o["Siki"].toString());
    EXPECT_EQ(o["HissanKotae"].toString(), o["Kotae"].toString());

    // Settings that no problem meets: the warning and an empty problem.
    const QString none =
        writeFile(dir, "none.json", R"({"Siki1": 0, "RandA1": "50", "RandA2": "60"})");
    o = lines(runTool({"random", none}).out).value(0);
    EXPECT_TRUE(o["warning"].toBool());
    EXPECT_EQ(o["Siki"].toString(), "");

    // Refusals.
    const QString bad = writeFile(dir, "bad.json", "{\"Siki1\": 0, \"Nonsense\": 1}");
    EXPECT_EQ(runTool({"random", bad}).exitCode, 1);
    const QString broken = writeFile(dir, "broken.json", "{\"Siki1\": ");
    EXPECT_EQ(runTool({"random", broken}).exitCode, 1);
    EXPECT_EQ(runTool({"random", settings, "-n", "0"}).exitCode, 2);
    EXPECT_EQ(runTool({"random", dir.filePath("missing.json")}).exitCode, 1);
}

TEST(ToolRandom, RegenRewritesRandomProblemsOnly)
{
    QTemporaryDir dir;
    Document doc;
    RAData fixed = problem(1, 0, 50);
    fixed.Siki = QStringLiteral("2+3");
    fixed.Kotae = QStringLiteral("5");
    RAData yoko = fixed;
    yoko.ID = 2;
    yoko.Rand = 1;
    yoko.RandX1 = yoko.RandY1 = yoko.RandA1 = QStringLiteral("10");
    yoko.RandX2 = yoko.RandY2 = QStringLiteral("50");
    yoko.RandA2 = QStringLiteral("100");
    RAData bunsu = problem(3, 2, 150);
    bunsu.Rand = 1;
    bunsu.Siki = QStringLiteral("s1b2+s1b3");
    bunsu.Kotae = QStringLiteral("s5b6");
    bunsu.RandBunsuX1 = bunsu.RandBunsuY1 = QStringLiteral("2");
    bunsu.RandBunsuX2 = bunsu.RandBunsuY2 = QStringLiteral("9");
    bunsu.RandBunsuSyuX = bunsu.RandBunsuSyuY = bunsu.RandBunsuSyuA = 1;
    doc.AData = {fixed, yoko, bunsu};
    const QString in = dir.filePath("in.prx");
    ASSERT_TRUE(SaveFileAll(in, doc, LayerWorksheet, 1).ok);
    const QString out = dir.filePath("out.prx");

    ToolRun r = runTool({"regen", in, "-o", out, "--seed", "11"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), "2");
    Document back;
    ASSERT_TRUE(LoadFileAll(out, back).ok);
    ASSERT_EQ(back.AData.size(), 3);
    EXPECT_EQ(back.AData[0].Siki, "2+3");
    const QStringList xy = back.AData[1].Siki.split(u'+');
    ASSERT_EQ(xy.size(), 2);
    EXPECT_GE(xy[0].toInt(), 10);
    EXPECT_EQ(back.AData[1].Kotae.toInt(), xy[0].toInt() + xy[1].toInt());
    EXPECT_EQ(back.AData[1].X1, 60);
    EXPECT_NE(back.AData[2].Siki, "");
    EXPECT_TRUE(back.AData[2].Siki.contains(u'b'));

    EXPECT_EQ(runTool({"regen", in}).exitCode, 2);
    EXPECT_EQ(runTool({"regen", dir.filePath("none.prx"), "-o", out}).exitCode, 1);
}

TEST(ToolRandom, FractionsAndWordProblemsPrintTheirNumbersInPlace)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    Document doc;
    RAData bunsu = problem(1, 2, 50);
    bunsu.Siki = QStringLiteral("2s3b5+s14b9");
    bunsu.Kotae = QStringLiteral("4s7b45");
    RAData word = problem(2, 3, 250);
    word.BunsyoText = QStringLiteral("あめが①こ、ガムが②こ。\r\nあわせて　なんこ？");
    word.BunsyoR1 = QStringLiteral("38");
    word.BunsyoR2 = QStringLiteral("29");
    word.BunsyoSiki = QStringLiteral("（しき）");
    word.Bunsyo1 = word.Siki = QStringLiteral("38+29");
    word.Bunsyo2 = word.Kotae = word.BunsyoKotae = QStringLiteral("67");
    word.BunsyoKotaeCombo = QStringLiteral("こたえ");
    word.BunsyoKotaeTani = QStringLiteral("こ");
    word.BunsyoTani = 1;
    word.Height = 30 * 9;
    doc.AData = {bunsu, word};
    const QString file = dir.filePath("w.prx");
    ASSERT_TRUE(SaveFileAll(file, doc, LayerWorksheet, 1).ok);

    const QString sheet = dir.filePath("sheet.pdf");
    const QString answers = dir.filePath("answers.pdf");
    ASSERT_EQ(runTool({"pdf", file, "-o", sheet}).exitCode, 0);
    ASSERT_EQ(runTool({"pdf", file, "-o", answers, "--answers"}).exitCode, 0);

    const QList<Word> s = pdfWords(sheet);
    const QList<Word> a = pdfWords(answers);
    // The fraction: numerator over denominator in one column, the whole
    // part between their lines.
    const Word *n1 = find(s, "3"), *d1 = find(s, "5"), *w1 = find(s, "2");
    ASSERT_TRUE(n1 && d1 && w1);
    EXPECT_LT(n1->y2, d1->y2);
    EXPECT_NEAR((n1->x1 + n1->x2) / 2, (d1->x1 + d1->x2) / 2, 2.0);
    EXPECT_GT(w1->y1, n1->y1);
    EXPECT_LT(w1->y2, d1->y2);
    EXPECT_LT(w1->x2, n1->x1);
    const Word *n2 = find(s, "14"), *d2 = find(s, "9");
    ASSERT_TRUE(n2 && d2);
    EXPECT_GT(n2->x1, n1->x2);
    EXPECT_LT(n2->y2, d2->y2);
    // Its answer reaches the answer sheet only, right of the problem.
    EXPECT_EQ(find(s, "45"), nullptr);
    const Word *ka = find(a, "45");
    ASSERT_NE(ka, nullptr);
    EXPECT_GT(ka->x1, n2->x2);

    // The word problem: the sentence with its numbers, the answer line, and
    // the formula and answer on the answer sheet only.
    QString sheetText, answerText;
    for (const Word &w : s)
        sheetText += w.text + u' ';
    for (const Word &w : a)
        answerText += w.text + u' ';
    EXPECT_TRUE(sheetText.contains(QStringLiteral("あめが38こ、ガムが29こ。")))
        << sheetText.toStdString();
    EXPECT_TRUE(sheetText.contains(QStringLiteral("こたえ")));
    EXPECT_FALSE(sheetText.contains(QStringLiteral("67")));
    EXPECT_TRUE(answerText.contains(QStringLiteral("38＋29＝67"))) << answerText.toStdString();
    const Word *label = find(a, "（しき）");
    const Word *formula = find(a, "38＋29＝67");
    ASSERT_TRUE(label && formula);
    EXPECT_GT(formula->y1, label->y1);
    EXPECT_GE(formula->x1, label->x2 - 1);
}
