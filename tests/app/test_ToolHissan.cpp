#include <QProcess>
#include <gtest/gtest.h>

namespace {
struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};
ToolRun runHissan(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAVENOR_TOOL_PATH), QStringList{"hissan"} + args);
    ToolRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
} // namespace

TEST(ToolHissan, PrintsTheRowFieldsOneLineEach)
{
    ToolRun r = runHissan({"12.3+6.14+4"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "HissanSiki=123 +614+4  \n"
                     "HissanKotae=2244\n"
                     "SikiSyo=2_2_0\n"
                     "KaiSikiSyo=0\n"
                     "KotaeSyo=2\n"
                     "KotaeZero=0\n"
                     "AmariSyo=0\n"
                     "Kotae=22.44\n"
                     "Siki2=0\n");

    r = runHissan({"75/4", "next"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("HissanKotae=  0_4_187_4  _35 _32 _ 30_ 28_ 02\n"));
    EXPECT_TRUE(r.out.contains("Kotae=18.7...0.2\n"));
    EXPECT_TRUE(r.out.contains("Siki2=3\n"));
}

TEST(ToolHissan, NoLayoutAndUsageErrors)
{
    ToolRun r = runHissan({"75/0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QString::fromUtf8("0でわる筆算はできません。")));

    EXPECT_EQ(runHissan({"5-3+2"}).exitCode, 1);
    EXPECT_EQ(runHissan({}).exitCode, 2);
    EXPECT_EQ(runHissan({"75/4", "sideways"}).exitCode, 2);
    EXPECT_EQ(runHissan({"35*63", "next"}).exitCode, 2);
}
