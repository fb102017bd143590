#include "core/Conversions.h"
#include "core/Failure.h"

#include <gtest/gtest.h>

using namespace zendrix;

TEST(Conversions, RoundingTakesHalvesToTheEvenNeighbour)
{
    const std::pair<double, std::int64_t> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.49999, 0}, {204.5, 204}, {205.5, 206}, {7.0, 7}, {1e300, INT64_MAX},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(Conversions, SettingTextsAndPositionsConvertOrFailWithTheirDescription)
{
    EXPECT_EQ(toInteger16("37"), 37);
    EXPECT_EQ(toInteger16(" 37 "), 37);
    EXPECT_EQ(toInteger16("36.5"), 36);
    EXPECT_EQ(toInteger16("-32768"), -32768);
    EXPECT_FLOAT_EQ(toSingle("4500"), 4500.0f);
    EXPECT_FLOAT_EQ(toSingle("-15"), -15.0f);
    EXPECT_EQ(twipsToPixels(-420), -28);
    EXPECT_EQ(singleText(-1065.0f), "-1065");

    auto description = [](auto convert) {
        try {
            convert();
        } catch (const Failure& failure) {
            return failure.description();
        }
        return QString("no failure");
    };
    EXPECT_EQ(description([] { toInteger16("abc"); }), "Type mismatch");
    EXPECT_EQ(description([] { toInteger16(""); }), "Type mismatch");
    EXPECT_EQ(description([] { toInteger16("32768"); }), "Overflow");
    EXPECT_EQ(description([] { toInteger16("1e9"); }), "Overflow");
    EXPECT_EQ(description([] { toSingle("nan"); }), "Type mismatch");
    EXPECT_EQ(description([] { toSingle("1e39"); }), "Overflow");
    EXPECT_EQ(description([] { twipsToPixels(1e12); }), "Overflow");
}
