// The command line and the message a second start hands over.
#include "core/CommandLine.h"
#include "core/HandOver.h"
#include "support/QtPrinters.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

TEST(CommandLine, OptionsDecideAtOnceAndEverythingElseIsAnArgument)
{
    using Action = CommandLine::Action;
    const struct
    {
        QStringList given;
        Action action;
        QStringList arguments;
        QString unknown;
    } cases[] = {
        {{}, Action::Run, {}, {}},
        {{"a.mp3", "-", "http://x/y"}, Action::Run, {"a.mp3", "-", "http://x/y"}, {}},
        {{"a.mp3", "--", "--help", "-x"}, Action::Run, {"a.mp3", "--help", "-x"}, {}},
        {{"a.mp3", "--help", "--bogus"}, Action::Help, {}, {}},
        {{"-h"}, Action::Help, {}, {}},
        {{"--version", "-h"}, Action::Version, {}, {}},
        {{"--bogus", "--help"}, Action::Unknown, {}, "--bogus"},
        {{"-style", "fusion"}, Action::Unknown, {}, "-style"}, // Qt's own options are not taken
    };
    for (const auto& c : cases) {
        const CommandLine parsed = parseCommandLine(c.given);
        EXPECT_EQ(parsed.action, c.action) << c.given.join(' ').toStdString();
        EXPECT_EQ(parsed.arguments, c.arguments) << c.given.join(' ').toStdString();
        EXPECT_EQ(parsed.unknownOption, c.unknown) << c.given.join(' ').toStdString();
    }
    EXPECT_TRUE(usageText("--bogus").startsWith("zendrix: unknown option '--bogus'\nUsage: zendrix"));
    EXPECT_EQ(versionText(), "Zendrix 2.50.52\n");
}

QByteArray number(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

TEST(HandOver, AMessageReadsBackAsItWasWithinItsBounds)
{
    const HandOver handOver{"/home/ann/Music",
                            {"a b.mp3",
                             "\xEF\xBB\xBF"
                             "bom.ogg",
                             "♫/ü.wav", "", "file:///x"}};
    const std::optional<QByteArray> message = encodeHandOver(handOver);
    ASSERT_TRUE(message);
    EXPECT_EQ(decodeHandOver(*message), handOver);
    EXPECT_EQ(decodeHandOver(*encodeHandOver({"/", {}})), HandOver({"/", {}}));

    // Damaged and hostile messages are the replayed corpus's (fuzz/corpus/handover): a message decodes only
    // as the one encoding of what it carries. Here, the bounds.
    const QByteArray header = QByteArray("ZDXH\x01", 5);
    const QByteArray folder = number(1) + "/";
    EXPECT_FALSE(decodeHandOver(header + number(1) + folder + number(kMaxHandOverBytes) +
                                QByteArray(kMaxHandOverBytes, 'a')));
    EXPECT_FALSE(decodeHandOver(header + number(40000) + folder + QByteArray(40000 * 4, '\0')));
    EXPECT_FALSE(encodeHandOver({"/", QStringList(kMaxHandOverArguments + 1, "a")}));
    EXPECT_FALSE(encodeHandOver({"/", {QString(kMaxHandOverBytes, 'a')}}));
    EXPECT_FALSE(encodeHandOver({"/", {QString("a") + QChar(0)}}));
    EXPECT_TRUE(encodeHandOver({"/", QStringList(kMaxHandOverArguments, "a")}));
}

TEST(HandOver, TheLaunchTokenTravelsInVersionTwoAndAMessageWithoutOneStaysAsEarlierPlayersReadIt)
{
    const HandOver withToken{"/home/ann", {"a.mp3"}, "gnome-shell/Files/2713-2-ann_TIME51234"};
    const std::optional<QByteArray> message = encodeHandOver(withToken);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->at(4), 2);
    EXPECT_EQ(decodeHandOver(*message), withToken);

    // Without a token: the version 1 message, byte for byte as earlier versions of the player made it.
    const QByteArray header = QByteArray("ZDXH\x01", 5);
    EXPECT_EQ(encodeHandOver({"/x", {"a"}}), header + number(1) + number(2) + "/x" + number(1) + "a");

    // A version 2 message carries a token that is one; nothing else has the one encoding.
    const QByteArray v2 = QByteArray("ZDXH\x02", 5) + number(0) + number(2) + "/x";
    EXPECT_EQ(decodeHandOver(v2 + number(3) + "abc"), HandOver({"/x", {}, "abc"}));
    EXPECT_FALSE(decodeHandOver(v2 + number(0)));
    EXPECT_FALSE(decodeHandOver(v2 + number(3) + "a\nb"));
    EXPECT_FALSE(decodeHandOver(v2));
    EXPECT_FALSE(decodeHandOver(QByteArray("ZDXH\x03", 5) + number(0) + number(2) + "/x"));
    EXPECT_FALSE(encodeHandOver({"/x", {}, "a\tb"}));
    EXPECT_FALSE(encodeHandOver({"/x", {}, QString(kMaxActivationTokenBytes + 1, 'a')}));
    EXPECT_TRUE(encodeHandOver({"/x", {}, QString(kMaxActivationTokenBytes, 'a')}));
}

TEST(HandOver, TheLaunchTokenIsTheStartupIdOrElseTheActivationToken)
{
    const QByteArray startupId = qgetenv("DESKTOP_STARTUP_ID");
    const QByteArray activation = qgetenv("XDG_ACTIVATION_TOKEN");
    const struct
    {
        const char* startupId;
        const char* activationToken;
        QString token;
    } cases[] = {
        {nullptr, nullptr, ""},     {"x11-1_TIME7", "wl-2", "x11-1_TIME7"},
        {nullptr, "wl-2", "wl-2"},  {"", "wl-2", "wl-2"},
        {"bad\x01id", nullptr, ""},
    };
    for (const auto& c : cases) {
        for (const auto& [name, value] : {std::pair{"DESKTOP_STARTUP_ID", c.startupId},
                                          std::pair{"XDG_ACTIVATION_TOKEN", c.activationToken}}) {
            if (value)
                qputenv(name, value);
            else
                qunsetenv(name);
        }
        EXPECT_EQ(launchActivationToken(), c.token) << (c.startupId ? c.startupId : "-");
    }
    for (const auto& [name, saved] :
         {std::pair{"DESKTOP_STARTUP_ID", startupId}, std::pair{"XDG_ACTIVATION_TOKEN", activation}}) {
        if (saved.isNull())
            qunsetenv(name);
        else
            qputenv(name, saved);
    }
}

} // namespace
