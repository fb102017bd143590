#include "platform/PropertyBag.h"

#include <gtest/gtest.h>

using namespace zendrix;

TEST(PropertyBag, KeysMatchWithoutRegardToCaseAndKeepTheirFirstOrder)
{
    PropertyBag bag;
    bag.write("btype", 14);
    bag.write("TX", QString("Ok"));
    bag.write("BTYPE", 3);
    EXPECT_EQ(bag.read("BType").toInt(), 3);
    EXPECT_EQ(bag.read("tx").toString(), "Ok");
    EXPECT_EQ(bag.read("missing", 7).toInt(), 7);
    EXPECT_FALSE(bag.contains("missing"));
    EXPECT_EQ(bag.keys(), QStringList({"btype", "TX"}));
}
