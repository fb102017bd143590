// The command line and the message a second start hands over (fuzz/HandOverFuzzer.cpp replays hostile
// messages).
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

TEST(HandOver, AMessageReadsBackAsItWasAndAnythingElseIsRefused)
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

    const QByteArray header = QByteArray("ZDXH\x01", 5);
    const QByteArray folder = number(1) + "/";
    const struct
    {
        const char* what;
        QByteArray bytes;
    } refused[] = {
        {"empty", ""},
        {"another magic", "ZDXX\x01" + number(0) + folder},
        {"another version", QByteArray("ZDXH\x02", 5) + number(0) + folder},
        {"bytes after the end", *message + "x"},
        {"cut short", message->chopped(1)},
        {"a count larger than the message", header + number(2) + folder + number(0)},
        {"a count past the limit", header + number(40000) + folder + QByteArray(40000 * 4, '\0')},
        {"a length past the end", header + number(1) + folder + number(0xFFFFFFFF) + "abc"},
        {"a relative working folder", header + number(0) + number(3) + "tmp"},
        {"no working folder", header + number(0) + number(0)},
        {"a NUL inside a text", header + number(1) + folder + number(3) + QByteArray("a\0b", 3)},
        {"text that is not UTF-8", header + number(1) + folder + number(2) + "\xC3("},
        {"an encoded surrogate", header + number(1) + folder + number(3) + "\xED\xA0\x80"},
        {"larger than the limit",
         header + number(1) + folder + number(kMaxHandOverBytes) + QByteArray(kMaxHandOverBytes, 'a')},
    };
    for (const auto& r : refused)
        EXPECT_FALSE(decodeHandOver(r.bytes)) << r.what;

    EXPECT_FALSE(encodeHandOver({"/", QStringList(kMaxHandOverArguments + 1, "a")}));
    EXPECT_FALSE(encodeHandOver({"/", {QString(kMaxHandOverBytes, 'a')}}));
    EXPECT_FALSE(encodeHandOver({"/", {QString("a") + QChar(0)}}));
    EXPECT_TRUE(encodeHandOver({"/", QStringList(kMaxHandOverArguments, "a")}));
}

} // namespace
