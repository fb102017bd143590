#include "platform/StartupNotification.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

TEST(StartupNotification, TheLaunchTimeIsTheDigitsAfterTheLastTimeMark)
{
    const struct
    {
        const char* id;
        std::optional<quint32> time;
    } cases[] = {
        {"gnome-shell/Files/2713-2-ann_TIME51234", 51234u},
        {"kde_TIME1_TIME4294967295", 4294967295u},
        {"kde_TIME4294967296", std::nullopt}, // past 32 bits
        {"a_TIME", std::nullopt},
        {"a_TIME12x", std::nullopt},
        {"a_TIME-12", std::nullopt},
        {"a_TIME12 ", std::nullopt},
        {"2f1e0c1b-9b8e-4a8e-8d6c-6f1b5f0e5a11", std::nullopt}, // a Wayland token carries no time
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(startupIdTime(QString::fromUtf8(c.id)), c.time) << c.id;
}

TEST(StartupNotification, TheRemoveMessageQuotesAnIdThatNeedsIt)
{
    EXPECT_EQ(startupRemoveMessage("kde-12_TIME3"), QByteArray("remove: ID=kde-12_TIME3\0", 24));
    EXPECT_EQ(startupRemoveMessage(R"(a b"c\d)"), QByteArray(R"(remove: ID="a b\"c\\d")") + '\0');
    EXPECT_EQ(startupRemoveMessage(QString::fromUtf8("caf\u00e9")),
              QByteArray("remove: ID=caf\xc3\xa9") + '\0');
}

} // namespace
