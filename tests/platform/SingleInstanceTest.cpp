#include "platform/SingleInstance.h"
#include "support/WaitFor.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

using namespace zendrix;
using namespace std::chrono_literals;
using zendrix::test::runEventsFor;
using zendrix::test::waitFor;

TEST(SingleInstance, ASecondClaimOfTheSameFolderIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir one;
    QTemporaryDir two;
    auto first = SingleInstance::claim(one.path());
    ASSERT_TRUE(first);
    EXPECT_FALSE(SingleInstance::claim(one.path()));
    EXPECT_FALSE(
        SingleInstance::claim(one.path() + "/../" + QFileInfo(one.path()).fileName())); // same folder
    auto other = SingleInstance::claim(two.path()); // another installation runs alongside
    EXPECT_TRUE(other);
    first.reset();
    EXPECT_TRUE(SingleInstance::claim(one.path()));
}

TEST(SingleInstance, LaterStartsHandTheirMessagesOverWholeAndOneTooLongIsDropped)
{
    QTemporaryDir folder;
    auto holder = SingleInstance::claim(folder.path());
    ASSERT_TRUE(holder);
    constexpr qsizetype kLimit = 3 * 1024 * 1024;
    QList<QByteArray> received;
    HandOverListener listener(*holder, kLimit,
                              [&received](const QByteArray& message) { received.append(message); });

    // Sent before the holder's event loop runs: the messages wait in the socket's queue. The large one
    // does not fit the socket's buffer, so its sender waits for the holder to read: it runs aside.
    const QByteArray large(kLimit, 'L');
    const QByteArray tooLong(kLimit + 1, 'T');
    std::vector<SingleInstance::Start> starts;
    std::thread senders([&] {
        for (const QByteArray& message : {QByteArray("first"), tooLong, large, QByteArray()})
            starts.push_back(SingleInstance::claimOrHandOver(folder.path(), message, 5000ms));
    });
    const bool arrived = waitFor([&] { return received.size() == 3; }, 15000);
    senders.join();
    ASSERT_TRUE(arrived) << received.size();
    EXPECT_EQ(received, QList<QByteArray>({"first", large, ""}));
    for (const SingleInstance::Start& start : starts)
        EXPECT_TRUE(start.handedOver && !start.instance);
    runEventsFor(100);
    EXPECT_EQ(received.size(), 3) << "the message that was too long never arrives";

    // Once the holder has ended, the next start holds the claim itself.
    holder.reset();
    const SingleInstance::Start next = SingleInstance::claimOrHandOver(folder.path(), "again", 500ms);
    EXPECT_TRUE(next.instance && !next.handedOver);
}
