#include "document/UnitData.h"
#include <gtest/gtest.h>

TEST(UnitData, GetIdIsMaximumPlusOneAndNeverReusesNumbers)
{
    Document d;
    EXPECT_EQ(d.GetId(), 1);
    d.AData.resize(2);
    d.AData[0].ID = 3;
    d.AData[1].ID = 7;
    d.AData[0].Syu = "1";
    d.AData[1].Syu = "2";
    EXPECT_EQ(d.GetId(), 8);
    d.DeleteRows({1});
    EXPECT_EQ(d.GetId(), 4);
}
