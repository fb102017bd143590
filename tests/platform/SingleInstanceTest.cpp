#include "platform/SingleInstance.h"
#include "platform/HandOverListener.h"
#include "platform/LocalSockets.h"
#include "support/OtherUserSockets.h"
#include "support/WaitFor.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <future>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace zendrix;
using namespace std::chrono_literals;
using zendrix::test::OtherUserSockets;
using zendrix::test::runEventsFor;
using zendrix::test::waitFor;

namespace {

// Where the claim lives: in the user's runtime folder, or, where there is none, at abstract names.
enum class Place { RuntimeFolder, AbstractName };

class SingleInstanceTest : public ::testing::TestWithParam<Place>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Place::RuntimeFolder)
            qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }
    void TearDown() override
    {
        if (m_saved.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", m_saved);
    }

    // Hands `message` over from a thread of its own, as a later start does, while the test runs the loop.
    std::future<SingleInstance::Start> handOverAside(const QByteArray& message,
                                                     std::chrono::milliseconds patience = 10s)
    {
        return std::async(std::launch::async, [this, message, patience] {
            return SingleInstance::claimOrHandOver(folder.path(), message, patience);
        });
    }
    static bool arrived(std::future<SingleInstance::Start>& start)
    {
        return waitFor([&] { return start.wait_for(0s) == std::future_status::ready; }, 20000);
    }

    QTemporaryDir runtime; // made private to its user, as a runtime folder is
    QTemporaryDir folder;

private:
    QByteArray m_saved = qgetenv("XDG_RUNTIME_DIR");
};

// What a sender writes: the message's length, then the message.
QByteArray framed(qsizetype length, const QByteArray& bytes)
{
    QByteArray header(kHandOverLengthBytes, '\0');
    qToLittleEndian(static_cast<quint32>(length), header.data());
    return header + bytes;
}

// A connection to the holder as a sender makes it, for senders that misbehave.
UniqueFd connectTo(const SingleInstance& holder)
{
    sockaddr_un address{};
    socklen_t length = sizeof address;
    if (::getsockname(holder.socket(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return {};
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), length) != 0)
        return {};
    return fd;
}

TEST_P(SingleInstanceTest, ASecondClaimOfTheSameFolderIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir two;
    auto first = SingleInstance::claim(folder.path());
    ASSERT_TRUE(first && first->socket() >= 0);
    EXPECT_FALSE(SingleInstance::claim(folder.path()));
    EXPECT_FALSE(SingleInstance::claim(folder.path() + "/../" + QFileInfo(folder.path()).fileName())); // same
    auto other = SingleInstance::claim(two.path()); // another installation runs alongside
    EXPECT_TRUE(other);
    first.reset();
    EXPECT_TRUE(SingleInstance::claim(folder.path()));
    other.reset();
    if (GetParam() == Place::RuntimeFolder) {
        // Once every holder has ended, only the claims' lock files stay, in a folder of the user's alone.
        const QDir place(runtime.filePath("zendrix"));
        EXPECT_EQ(place.entryList(QDir::Files | QDir::System), place.entryList({"*.lock"}, QDir::Files));
        EXPECT_EQ(place.entryList({"*.lock"}, QDir::Files).size(), 2);
        struct stat info
        {
        };
        ASSERT_EQ(::stat(place.path().toLocal8Bit().constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
}

TEST_P(SingleInstanceTest, LaterStartsHandTheirMessagesOverWholeAndOneTooLongGetsNoReceipt)
{
    auto holder = SingleInstance::claim(folder.path());
    ASSERT_TRUE(holder);
    constexpr qsizetype kLimit = 3 * 1024 * 1024;
    QList<QByteArray> received;
    auto listener = std::make_unique<HandOverListener>(
        std::move(holder), kLimit, [&received](const QByteArray& message) { received.append(message); });

    // Sent before the holder's event loop runs: the senders wait in the socket's queue for their receipt.
    const QByteArray large(kLimit, 'L');
    const QByteArray tooLong(kLimit + 1, 'T');
    std::vector<SingleInstance::Start> starts;
    auto senders = std::async(std::launch::async, [&] {
        for (const QByteArray& message : {QByteArray("first"), tooLong, large, QByteArray()})
            starts.push_back(
                SingleInstance::claimOrHandOver(folder.path(), message, message == tooLong ? 1s : 10s));
    });
    ASSERT_TRUE(waitFor([&] { return senders.wait_for(0s) == std::future_status::ready; }, 30000));
    EXPECT_EQ(received, QList<QByteArray>({"first", large, ""}));
    ASSERT_EQ(starts.size(), 4u);
    for (int i : {0, 2, 3})
        EXPECT_TRUE(starts[i].handedOver && !starts[i].instance) << i;
    EXPECT_FALSE(starts[1].handedOver || starts[1].instance) << "the message that was too long is not taken";

    // Once the holder has ended, the next start holds the claim itself.
    listener.reset();
    const SingleInstance::Start next = SingleInstance::claimOrHandOver(folder.path(), "again", 500ms);
    EXPECT_TRUE(next.instance && next.instance->socket() >= 0 && !next.handedOver);
}

TEST_P(SingleInstanceTest, AMessageSentWhileTheHolderStillStartsWaitsAndArrivesWholeInOrder)
{
    auto holder = SingleInstance::claim(folder.path());
    ASSERT_TRUE(holder);
    // Five thousand paths, far more than the socket holds before the holder reads.
    QByteArray message;
    for (int i = 0; i < 5000; ++i)
        message += "/home/ann/Music/a folder of some length/" + QByteArray::number(i) + ".mp3\n";
    auto start = handOverAside(message);
    // The holder is busy starting: nothing reads the socket for a while.
    QThread::msleep(1500);
    EXPECT_NE(start.wait_for(0s), std::future_status::ready) << "the sender waits for its receipt";
    QList<QByteArray> received;
    HandOverListener listener(std::move(holder), 4 * 1024 * 1024,
                              [&received](const QByteArray& bytes) { received.append(bytes); });
    ASSERT_TRUE(arrived(start));
    EXPECT_TRUE(start.get().handedOver);
    ASSERT_EQ(received.size(), 1);
    EXPECT_TRUE(received.first() == message);
}

TEST_P(SingleInstanceTest, StalledSendersAreClosedAtTheirDeadlineAndNeverKeepALaterOneOut)
{
    auto holder = SingleInstance::claim(folder.path());
    ASSERT_TRUE(holder);
    std::vector<UniqueFd> stalled;
    for (int i = 0; i < HandOverListener::kMaxSenders + 2; ++i) {
        stalled.push_back(connectTo(*holder));
        ASSERT_TRUE(stalled.back().isValid());
        const QByteArray half = framed(100, "half a mess");
        ASSERT_EQ(::send(stalled.back().get(), half.constData(), half.size(), MSG_NOSIGNAL), half.size());
    }
    QList<QByteArray> received;
    HandOverListener listener(
        std::move(holder), 1024, [&received](const QByteArray& bytes) { received.append(bytes); }, 300ms);
    auto start = handOverAside("whole");
    ASSERT_TRUE(arrived(start));
    EXPECT_TRUE(start.get().handedOver);
    EXPECT_EQ(received, QList<QByteArray>({"whole"}));
    // The stalled ones are closed without a receipt.
    for (const UniqueFd& fd : stalled) {
        ssize_t got = -1;
        char receipt = 0;
        EXPECT_TRUE(waitFor(
            [&] {
                got = ::recv(fd.get(), &receipt, 1, MSG_DONTWAIT);
                return got >= 0 || errno != EAGAIN;
            },
            10000));
        EXPECT_LE(got, 0);
    }
}

TEST_P(SingleInstanceTest, OutOfDescriptorsTheListenerRestsInsteadOfSpinningAndTakesTheSenderAfter)
{
#ifdef __SANITIZE_ADDRESS__
    // The sanitizers' checks open descriptors of their own, and take a process without any for a fault.
    GTEST_SKIP() << "not with the sanitizers";
#endif
    auto holder = SingleInstance::claim(folder.path());
    ASSERT_TRUE(holder);
    UniqueFd sender = connectTo(*holder);
    ASSERT_TRUE(sender.isValid());
    const QByteArray queued = framed(6, "queued");
    ASSERT_EQ(::send(sender.get(), queued.constData(), queued.size(), MSG_NOSIGNAL), queued.size());
    QList<QByteArray> received;
    HandOverListener listener(std::move(holder), 1024,
                              [&received](const QByteArray& bytes) { received.append(bytes); });

    // Every descriptor taken: the listener cannot take the sender.
    rlimit limits{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limits), 0);
    const rlimit tight{512, limits.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    std::vector<UniqueFd> filler;
    for (UniqueFd fd(::dup(sender.get())); fd.isValid(); fd = UniqueFd(::dup(sender.get())))
        filler.push_back(std::move(fd));
    // A listener that kept watching the readable socket would go round the loop without ever waiting.
    int waits = 0;
    auto* dispatcher = QAbstractEventDispatcher::instance();
    const auto counting =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] { ++waits; });
    QTimer tick; // wakes the loop now and then, so that the wait below ends
    tick.start(50);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QObject::disconnect(counting);
    filler.clear();
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &limits), 0);
    EXPECT_LT(waits, 100);
    EXPECT_TRUE(received.isEmpty());
    ASSERT_TRUE(waitFor([&] { return !received.isEmpty(); }, 10000));
    EXPECT_EQ(received, QList<QByteArray>({"queued"}));
    char receipt = 0;
    EXPECT_EQ(::recv(sender.get(), &receipt, 1, 0), 1);
    EXPECT_EQ(receipt, kHandOverReceipt);
}

TEST_P(SingleInstanceTest, AnotherUsersHoldOfTheNamesIsNotOurPlayerAndTheNextStartFindsOurs)
{
    if (!OtherUserSockets::possible())
        GTEST_SKIP() << "only root can make a process of another user";
    // Made first: the process is a fork of this one and would keep copies of any claim made before.
    // One name listened on, which tells its user to whoever connects until its queue is full; one bound
    // only, which refuses connections. The system's socket diagnostics tell whose they are.
    const QByteArray listened = SingleInstance::abstractName(folder.path(), 0);
    const QByteArray boundOnly = SingleInstance::abstractName(folder.path(), 1);
    OtherUserSockets squatter({listened}, {boundOnly});
    ASSERT_TRUE(squatter.held());
    if (GetParam() == Place::AbstractName && !abstractNameOwner(boundOnly))
        GTEST_SKIP() << "this kernel does not tell who holds a local socket";
    // Nobody takes from the listened name's queue: it fills, and then it refuses as busy.
    std::vector<UniqueFd> queued;
    const std::optional<LocalAddress> address = LocalAddress::ofAbstractName(listened);
    ASSERT_TRUE(address);
    for (;;) {
        UniqueFd fd = localStreamSocket();
        if (::connect(fd.get(), address->get(), address->length) != 0)
            break;
        queued.push_back(std::move(fd));
    }
    ASSERT_EQ(errno, EAGAIN);

    SingleInstance::Start first = SingleInstance::claimOrHandOver(folder.path(), "first", 10s);
    ASSERT_TRUE(first.instance && first.instance->socket() >= 0) << "the player starts, and listens";
    QList<QByteArray> received;
    HandOverListener listener(std::move(first.instance), 1024,
                              [&received](const QByteArray& bytes) { received.append(bytes); });
    auto second = handOverAside("second");
    ASSERT_TRUE(arrived(second));
    EXPECT_TRUE(second.get().handedOver);
    EXPECT_EQ(received, QList<QByteArray>({"second"}));
}

INSTANTIATE_TEST_SUITE_P(Places, SingleInstanceTest,
                         ::testing::Values(Place::RuntimeFolder, Place::AbstractName),
                         [](const ::testing::TestParamInfo<Place>& place) {
                             return place.param == Place::RuntimeFolder ? "InTheRuntimeFolder"
                                                                        : "AtAbstractNames";
                         });

TEST(SingleInstance, ARuntimeFolderOthersMayEnterIsNotUsedAndAClaimLeftByACrashIsTakenOver)
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir runtime;
    QTemporaryDir folder;
    // Open to others: the claim goes to the abstract names instead.
    ASSERT_EQ(::chmod(runtime.path().toLocal8Bit().constData(), 0755), 0);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    {
        auto open = SingleInstance::claim(folder.path());
        ASSERT_TRUE(open);
        EXPECT_FALSE(QFileInfo::exists(runtime.filePath("zendrix")));
    }
    ASSERT_EQ(::chmod(runtime.path().toLocal8Bit().constData(), 0700), 0);

    // A holder that crashed leaves its socket behind, no longer listened on; the lock went with it.
    QString socketPath;
    {
        auto holder = SingleInstance::claim(folder.path());
        ASSERT_TRUE(holder && holder->socket() >= 0);
        const QStringList sockets = QDir(runtime.filePath("zendrix")).entryList({"*.socket"}, QDir::System);
        ASSERT_EQ(sockets.size(), 1);
        socketPath = runtime.filePath("zendrix/" + sockets.first());
    }
    const std::optional<LocalAddress> address = LocalAddress::ofPath(socketPath.toLocal8Bit());
    ASSERT_TRUE(address);
    {
        const UniqueFd dead = localStreamSocket();
        ASSERT_EQ(::bind(dead.get(), address->get(), address->length), 0);
    }
    ASSERT_TRUE(QFileInfo::exists(socketPath));
    SingleInstance::Start next = SingleInstance::claimOrHandOver(folder.path(), "next", 2s);
    EXPECT_TRUE(next.instance && next.instance->socket() >= 0 && !next.handedOver);
    EXPECT_FALSE(SingleInstance::claim(folder.path())) << "the new holder answers at the same place";
    next.instance.reset();
    EXPECT_FALSE(QFileInfo::exists(socketPath));
    if (saved.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", saved);
}

} // namespace
