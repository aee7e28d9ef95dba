// The sample library in assets/Navi: at least 30 sheets, every grade 1 to 6
// is there, the samples together hold every kind of problem, and each one
// opens, has its classification, title and ready name header, regenerates
// every random problem within its conditions (carrying and borrowing checked
// column by column on the operands), keeps its problems apart, and draws as
// a problem sheet and as an answer sheet that differ by the answers. The
// column problems of 1年 and 2年 have digits at least 7 mm high.
#include "app/UnitHeadless.h"
#include "document/UnitFile.h"
#include "library/UnitNaviFiles.h"
#include "math/UnitHissanOptions.h"
#include "math/UnitRandConditions.h"
#include "math/UnitRegenerate.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "render/UnitMetrics.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

namespace
{

QString sampleFolder()
{
    return QStringLiteral(TAVENOR_SOURCE_DIR "/assets/Navi");
}

// Pixels that are clearly red: answers in the answer colour (255 = red).
int redPixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            n += c.red() > 180 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}

// The column carries (addition) or borrows (subtraction) of a + b or a - b,
// worked out digit by digit on the operands as written, aligned at the
// decimal point. -1 when the expression is not "number op number".
int carries(const QString &siki)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d+)(?:\\.(\\d+))?\\s*([+\\-])\\s*(\\d+)(?:\\.(\\d+))?\\s*$"));
    const QRegularExpressionMatch m = re.match(siki);
    if (!m.hasMatch())
        return -1;
    const int decimals = int(std::max(m.captured(2).size(), m.captured(5).size()));
    // Both operands as digit strings with the same number of decimals.
    const QString a = m.captured(1) + m.captured(2).leftJustified(decimals, u'0');
    const QString b = m.captured(4) + m.captured(5).leftJustified(decimals, u'0');
    const bool minus = m.captured(3) == u"-";
    int n = 0, carry = 0;
    for (int i = 0; i < std::max(a.size(), b.size()); ++i) {
        const int da = i < a.size() ? a[a.size() - 1 - i].digitValue() : 0;
        const int db = i < b.size() ? b[b.size() - 1 - i].digitValue() : 0;
        if (minus) {
            carry = da - db - carry < 0 ? 1 : 0;
        } else {
            carry = da + db + carry >= 10 ? 1 : 0;
        }
        n += carry;
    }
    return n;
}

// The operands of "a op b" with whole numbers, or false.
bool operands(const QString &siki, qint64 &a, qint64 &b)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d+)\\s*[*/+\\-]\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch m = re.match(siki);
    if (!m.hasMatch())
        return false;
    a = m.captured(1).toLongLong();
    b = m.captured(2).toLongLong();
    return true;
}

bool overlaps(const RAData &a, const RAData &b)
{
    return a.X1 < b.X1 + b.Width && b.X1 < a.X1 + a.Width && a.Y1 < b.Y1 + b.Height &&
           b.Y1 < a.Y1 + a.Height;
}

// What a sheet asks of its random problems and whether they keep to it.
void expectConditions(const Document &doc, const std::string &where)
{
    for (const RAData &r : doc.AData) {
        if (r.Syu != u"5" || r.Rand != 1)
            continue;
        const std::string what = where + ": " + r.Siki.toStdString();
        const RandConditions c = RandConditions::fromText(r.RandZ1);
        if (c.kuri() != RandConditions::KuriAny && (r.Siki1 == 0 || r.Siki1 == 1)) {
            const int n = carries(r.Siki);
            ASSERT_GE(n, 0) << what;
            if (c.kuri() == RandConditions::KuriNone) {
                EXPECT_EQ(n, 0) << what;
            } else
                EXPECT_GT(n, 0) << what;
        }
        if (r.Siki1 == 2 && (c.bunbo() == RandConditions::BunboOther || c.yaku())) {
            // "[whole]s<numerator>b<denominator>" on each side of the sign.
            static const QRegularExpression re(
                QStringLiteral("^(\\d*)s(\\d+)b(\\d+)([+\\-*/])(\\d*)s(\\d+)b(\\d+)$"));
            const QRegularExpressionMatch m = re.match(r.Siki);
            ASSERT_TRUE(m.hasMatch()) << what;
            const qint64 d1 = m.captured(3).toLongLong(), d2 = m.captured(7).toLongLong();
            // The operands as improper fractions.
            const qint64 n1 = m.captured(1).toLongLong() * d1 + m.captured(2).toLongLong();
            const qint64 n2 = m.captured(5).toLongLong() * d2 + m.captured(6).toLongLong();
            if (c.bunbo() == RandConditions::BunboOther) {
                EXPECT_NE(d1, d2) << what;
            }
            if (c.yaku()) {
                // The answer before reducing: over the least common
                // denominator, or straight across.
                qint64 num = 0, den = 0;
                const QString op = m.captured(4);
                if (op == u"+" || op == u"-") {
                    den = std::lcm(d1, d2);
                    num = n1 * (den / d1) + (op == u"+" ? 1 : -1) * n2 * (den / d2);
                } else if (op == u"*") {
                    num = n1 * n2;
                    den = d1 * d2;
                } else {
                    num = n1 * d2;
                    den = d1 * n2;
                }
                EXPECT_GT(std::gcd(std::abs(num), den), 1) << what;
            }
        }
        qint64 a = 0, b = 0;
        if (c.no01() && operands(r.Siki, a, b)) {
            EXPECT_TRUE(a > 1 && b > 1) << what;
        }
    }
}

} // namespace

TEST(Samples, LibraryCoversEveryGradeAndEveryKindOfProblem)
{
    ScriptedMessages messages;
    QStringList unreadable;
    const QVector<RNaviFile> table = MakeFileTable(sampleFolder(), &unreadable);
    ASSERT_GE(table.size(), 30);
    EXPECT_TRUE(unreadable.isEmpty());
    QSet<int> grades;
    QSet<int> pages;
    QSet<QChar> columnOps;
    bool columnDecimal = false, remainder = false;
    for (const RNaviFile &f : table) {
        grades.insert(f.grade);
        EXPECT_EQ(f.subject, 3) << f.fileName.toStdString();
        EXPECT_FALSE(f.content.isEmpty()) << f.fileName.toStdString();
        Document doc;
        ASSERT_TRUE(LoadFileAll(QDir(sampleFolder()).filePath(f.fileName), doc).ok);
        bool title = false, random = false, numbered = false;
        QSet<QString> header;
        // What the content promises of the problems' conditions.
        const QString &c = f.content;
        const bool withCarry = c.contains(QStringLiteral("くり上がりのある")) ||
                               c.contains(QStringLiteral("くり下がりのある")) ||
                               c.contains(QStringLiteral("くり上がりあり")) ||
                               c.contains(QStringLiteral("くり下がりあり"));
        const bool noCarry = c.contains(QStringLiteral("くり上がりのない")) ||
                             c.contains(QStringLiteral("くり下がりのない")) ||
                             c.contains(QStringLiteral("くり下がりなし"));
        const bool otherDenominators = c.contains(QStringLiteral("異分母"));
        const bool reducing = c.contains(QStringLiteral("約分"));
        for (const RAData &r : doc.AData) {
            title |= r.Syu == u"1" && r.Layer == 1 && r.FontSize >= 20 && r.FontB == 1;
            numbered |= r.Syu == u"1" && r.Siki == u"(1)";
            if (r.Layer == 3 && r.Syu == u"1")
                header.insert(r.Siki.trimmed());
            if (r.Syu != u"5")
                continue;
            random |= r.Rand == 1;
            const RandConditions conditions = RandConditions::fromText(r.RandZ1);
            if (withCarry && r.RandKigou <= 1) {
                EXPECT_TRUE(conditions.kuri() == RandConditions::KuriSome ||
                            conditions.kuri() == RandConditions::KuriEvery)
                    << f.fileName.toStdString();
            }
            if (noCarry) {
                EXPECT_EQ(conditions.kuri(), RandConditions::KuriNone) << f.fileName.toStdString();
            }
            if (otherDenominators) {
                EXPECT_EQ(conditions.bunbo(), RandConditions::BunboOther)
                    << f.fileName.toStdString();
            }
            if (reducing) {
                EXPECT_TRUE(conditions.yaku()) << f.fileName.toStdString();
            }
            pages.insert(r.Siki1);
            if (r.Siki1 == 1) {
                for (QChar op : {u'+', u'-', u'*', u'/'})
                    if (r.Siki.contains(op))
                        columnOps.insert(op);
                columnDecimal |= r.Siki.contains(u'.');
            }
            remainder |= r.Kotae.contains(QStringLiteral("..."));
        }
        // The ready name header: date, name and score, each with its box.
        const bool nameHeader = header.contains(QStringLiteral("名前")) &&
                                header.contains(QStringLiteral("月　　日")) &&
                                header.contains(QStringLiteral("点"));
        EXPECT_TRUE(title && nameHeader && random && numbered) << f.fileName.toStdString();
    }
    EXPECT_EQ(grades, (QSet<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(pages, (QSet<int>{0, 1, 2, 3}));
    EXPECT_EQ(columnOps.size(), 4);
    EXPECT_TRUE(columnDecimal);
    EXPECT_TRUE(remainder);
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST(Samples, EachRegeneratesAndDrawsItsProblemAndAnswerSheets)
{
    ScriptedMessages messages;
    const QStringList names =
        QDir(sampleFolder()).entryList({QStringLiteral("*.prx")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        HeadlessWorksheet sheet;
        QString error;
        ASSERT_TRUE(sheet.load(QDir(sampleFolder()).filePath(name), error)) << error.toStdString();
        const QVector<RAData> before = sheet.doc.AData;
        const int grade = sheet.doc.NenIndex;
        MetricsSikiMeasurer measurer;
        int randomRows = 0;
        for (const RAData &r : before) {
            randomRows += r.Syu == u"5" && r.Rand == 1;
            if (r.Syu != u"5" || r.Siki1 != 1)
                continue;
            // Column problems: squares for 2年 and 3年, digits of 7 mm
            // (26.5 page units) and more for 1年 and 2年.
            if (grade == 2 || grade == 3) {
                EXPECT_TRUE(HissanOptions::fromText(r.RandZ2).masu()) << r.Siki.toStdString();
            }
            if (grade <= 2) {
                EXPECT_GE(measurer.textHeight(QStringLiteral("8"), r.FontName, r.FontSize), 27);
            }
        }
        expectConditions(sheet.doc, "as saved");

        TFormSiki tool(sheet.doc);
        tool.SetMeasurer(&measurer);
        // The same draws on every run, so a rare search that finds nothing
        // cannot make the count differ from one run to the next.
        tool.SeedRandom(7);
        EXPECT_EQ(RegenerateAll(sheet.doc, tool), randomRows);
        int changed = 0;
        for (int i = 0; i < before.size(); ++i)
            changed += before[i].Siki != sheet.doc.AData[i].Siki;
        EXPECT_GT(changed, 0);
        expectConditions(sheet.doc, "regenerated");

        // No problem lies on another object, before or after "作成".
        for (const QVector<RAData> &rows : {before, sheet.doc.AData})
            for (int i = 0; i < rows.size(); ++i)
                for (int j = 0; j < rows.size(); ++j)
                    if (i != j && rows[i].Syu == u"5") {
                        EXPECT_FALSE(overlaps(rows[i], rows[j]))
                            << rows[i].Siki.toStdString() << " / " << rows[j].Siki.toStdString();
                    }

        sheet.layout(1, Fixed4::fromInt(1));
        sheet.view.AnswerDisplay = false;
        sheet.render();
        const QImage problems = sheet.pages.ImageP[0].copy();
        sheet.view.AnswerDisplay = true;
        sheet.render();
        const QImage answers = sheet.pages.ImageP[0].copy();
        EXPECT_EQ(redPixels(problems), 0);
        EXPECT_GT(redPixels(answers), 200);

        QTemporaryDir dir;
        ASSERT_TRUE(sheet.printPdf(dir.filePath("a.pdf"), 1, 1, error)) << error.toStdString();
        EXPECT_GT(QFileInfo(dir.filePath("a.pdf")).size(), 1000);
    }
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(" ").toStdString();
}
