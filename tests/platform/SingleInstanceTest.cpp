#include "platform/SingleInstance.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;

TEST(SingleInstance, ASecondClaimOfTheSameFolderIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir one;
    QTemporaryDir two;
    auto first = SingleInstance::claim(one.path());
    ASSERT_TRUE(first);
    EXPECT_FALSE(SingleInstance::claim(one.path()));
    EXPECT_FALSE(SingleInstance::claim(one.path() + "/../" + QFileInfo(one.path()).fileName()));  // same folder
    auto other = SingleInstance::claim(two.path());  // another installation runs alongside
    EXPECT_TRUE(other);
    first.reset();
    EXPECT_TRUE(SingleInstance::claim(one.path()));
}
