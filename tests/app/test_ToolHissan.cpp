// The "hissan" and "bunsu" commands of the command-line tool: the row fields
// of the column page as JSON, the division steps, the refusals, and the
// fraction page's answer text.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace
{
struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};
ToolRun runTool(const QString &command, const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAVENOR_TOOL_PATH), QStringList{command} + args);
    ToolRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
ToolRun runHissan(const QStringList &args)
{
    return runTool(QStringLiteral("hissan"), args);
}
ToolRun runBunsu(const QStringList &args)
{
    return runTool(QStringLiteral("bunsu"), args);
}
} // namespace

TEST(ToolHissan, PrintsTheColumnFieldsAsJson)
{
    ToolRun r = runHissan({"12.3+6.14+4"});
    ASSERT_EQ(r.exitCode, 0);
    QJsonObject j = r.json();
    EXPECT_EQ(j.size(), 10);
    EXPECT_EQ(j["Siki"].toString(), "12.3+6.14+4");
    EXPECT_EQ(j["Kotae"].toString(), "22.44");
    EXPECT_EQ(j["Siki2"], 0);
    EXPECT_EQ(j["HissanSiki"].toString(), "123 +614+4  ");
    EXPECT_EQ(j["HissanKotae"].toString(), "2244");
    EXPECT_EQ(j["SikiSyo"].toString(), "2_2_0");
    EXPECT_EQ(j["KaiSikiSyo"], 0);
    EXPECT_EQ(j["KotaeSyo"], 2);
    EXPECT_EQ(j["KotaeZero"], 0);
    EXPECT_EQ(j["AmariSyo"], 0);

    j = runHissan({"35*63"}).json();
    EXPECT_EQ(j["Siki2"], 2);
    EXPECT_EQ(j["HissanKotae"].toString(), "105_210 _2205");
    EXPECT_EQ(j["Kotae"].toString(), "2205");
}

TEST(ToolHissan, DivisionSteps)
{
    ToolRun r = runHissan({"75/4"});
    ASSERT_EQ(r.exitCode, 0);
    QJsonObject j = r.json();
    EXPECT_EQ(j["Kotae"].toString(), "18...3");
    EXPECT_EQ(j["Siki2"], 3);
    EXPECT_EQ(j["HissanSiki"].toString(), "75/4");
    EXPECT_EQ(j["HissanKotae"].toString(), "  _4_18_4 _35_32_ 3");
    EXPECT_EQ(j["KotaeSyo"], 0);
    EXPECT_EQ(j["AmariSyo"], 0);

    r = runHissan({"75/4", "--next", "1"});
    ASSERT_EQ(r.exitCode, 0);
    j = r.json();
    EXPECT_EQ(j["Kotae"].toString(), "18.7...0.2");
    EXPECT_EQ(j["HissanKotae"].toString(), "  0_4_187_4  _35 _32 _ 30_ 28_ 02");
    EXPECT_EQ(j["KotaeSyo"], 1);
    EXPECT_EQ(j["KaiSikiSyo"], 1);
    EXPECT_EQ(j["AmariSyo"], 1);

    // "一の位まで" on a division already at the ones place changes nothing;
    // after one step it cuts the quotient back to the ones place.
    EXPECT_EQ(runHissan({"75/4", "--back"}).out, runHissan({"75/4"}).out);
    j = runHissan({"75/4", "--next", "1", "--back"}).json();
    EXPECT_EQ(j["KotaeSyo"], 0);
    EXPECT_EQ(j["HissanKotae"].toString(), "  0_4_18 _4  _35 _32 _ 30");

    // Presses past the last remainder or the column limit change nothing.
    EXPECT_EQ(runHissan({"8/2", "--next", "5"}).out, runHissan({"8/2"}).out);
    r = runHissan({"12345678/7", "--next", "100000000"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.json()["Kotae"].toString().startsWith("1763668.285714"));
}

TEST(ToolHissan, NoLayoutAndUsageErrors)
{
    ToolRun r = runHissan({"3+4*2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.json()["error"].toString(), QString::fromUtf8("筆算にできる式ではありません。"));
    r = runHissan({"75/0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.json()["error"].toString(), QString::fromUtf8("0でわる筆算はできません。"));
    EXPECT_EQ(runHissan({"5-3+2"}).exitCode, 1);

    EXPECT_EQ(runHissan({}).exitCode, 2);
    EXPECT_EQ(runHissan({"75/4", "--sideways"}).exitCode, 2);
    EXPECT_EQ(runHissan({"75/4", "--next"}).exitCode, 2);
    EXPECT_EQ(runHissan({"75/4", "--next", "x"}).exitCode, 2);
    EXPECT_EQ(runHissan({"75/4", "--next", "-1"}).exitCode, 2);
    EXPECT_EQ(runHissan({"75/4", "80/3"}).exitCode, 2);
    EXPECT_EQ(runHissan({"35*63", "--next", "1"}).exitCode, 2);
    EXPECT_EQ(runHissan({"35*63", "--back"}).exitCode, 2);
}

TEST(ToolBunsu, PrintsThePageAnswerText)
{
    ToolRun r = runBunsu({"s1b2+s1b3"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "s5b6\n");
    // The whole part with or without its marker.
    EXPECT_EQ(runBunsu({"t2s3b5+t1s4b7"}).out, "4s6b35\n");
    EXPECT_EQ(runBunsu({"2s3b5+1s4b7"}).out, "4s6b35\n");
    EXPECT_EQ(runBunsu({"t2s3b5+t1s4b7", "--improper"}).out, "s146b35\n");
    // The improper display leaves a proper fraction and a whole number alone
    // apart from the page's "n/1" for a whole answer.
    EXPECT_EQ(runBunsu({"s1b2+s1b3", "--improper"}).out, "s5b6\n");
    EXPECT_EQ(runBunsu({"s1b2+s3b2"}).out, "2sb\n");
    EXPECT_EQ(runBunsu({"s1b2+s3b2", "--improper"}).out, "s2b1\n");
    EXPECT_EQ(runBunsu({"2s3b5-1s4b7"}).out, "1s1b35\n");
}

TEST(ToolBunsu, EvaluatorMessagesAndUsageErrors)
{
    ToolRun r = runBunsu({"(s1b2+s1b3"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QString::fromUtf8("\"（\"と\"）\"の数が合いません。")));
    // Two operators do not fit the page's two fractions.
    r = runBunsu({"s1b2+s1b3+s1b4"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());

    EXPECT_EQ(runBunsu({}).exitCode, 2);
    EXPECT_EQ(runBunsu({"s1b2+s1b3", "--proper"}).exitCode, 2);
    EXPECT_EQ(runBunsu({"s1b2+s1b3", "s1b4"}).exitCode, 2);
}
