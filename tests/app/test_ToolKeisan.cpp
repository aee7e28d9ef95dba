#include "support/ToolRun.h"

#include <gtest/gtest.h>

TEST(ToolKeisan, PrintsAnswersOnOneLine)
{
    ToolRun r = runTool({"keisan", "12.3+6.14+4"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "22.44\n");

    r = runTool({"keisan", "7/2"});
    EXPECT_EQ(r.out, "3...1\n");

    r = runTool({"fkeisan", "t2s3b5+t1s4b7"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "4\t4\t6\t35\n");

    r = runTool({"fkeisan", "(2+3"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QString::fromUtf8("\"（\"と\"）\"の数が合いません。\t\t\t\n"));
}

TEST(ToolKeisan, ReportsUnevaluableExpressions)
{
    const ToolRun r = runTool({"keisan", "3+"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QString::fromUtf8("数式を計算できません。")));

    EXPECT_EQ(runTool({"keisan"}).exitCode, 2);
}
