// One rule for addresses at every way in: what is an address, which ones the player plays, and how a
// playlist line becomes an entry.
#include "core/Addresses.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

TEST(Addresses, OnlyTheListedSchemesWithAPlaceToGoArePlayable)
{
    const struct
    {
        const char* text;
        bool address;
        bool playable;
    } cases[] = {
        {"http://radio.example/stream", true, true},
        {"HTTPS://radio.example:8443/a?b=c", true, true},
        {"rtsp://camera.example/live", true, true},
        {"mms://media.example/x", true, true},
        {"dvd:///dev/sr0", true, true},
        {"dvd://", true, true},
        {"file:///home/u/a%20b.mp3", true, true},
        {"file://localhost/home/u/a.mp3", true, true},
        {"file:/home/u/a.mp3", true, true},
        // Streams need a host; files need this machine and a path.
        {"http:///no-host", true, false},
        {"file://elsewhere/a.mp3", true, false},
        {"file://", true, false},
        // What a hostile playlist would use to listen, capture or reach out.
        {"udp://@:5004", true, false},
        {"rtp://@239.0.0.1:1234", true, false},
        {"v4l2:///dev/video0", true, false},
        {"alsa://hw:0", true, false},
        {"screen://", true, false},
        {"smb://server/share/a.mp3", true, false},
        {"ftp://server/a.mp3", true, false},
        {"http://host/a\x01.mp3", true, false},
        // Paths, however they look.
        {"/home/u/a.mp3", false, false},
        {"relative/a.mp3", false, false},
        {"C:/music/a.mp3", false, false},
        {"notes: a.mp3", false, false},
        {"mailto:someone@example.com", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(isAddress(text), c.address) << c.text;
        EXPECT_EQ(isPlayableAddress(text), c.playable) << c.text;
    }
}

TEST(Addresses, APlaylistLineBecomesAnAbsolutePathOrStaysTheAddressItIs)
{
    const QString folder = QStringLiteral("/music/lists");
    EXPECT_EQ(resolvePlaylistLine(QStringLiteral("../a.mp3"), folder), QStringLiteral("/music/a.mp3"));
    EXPECT_EQ(resolvePlaylistLine(QStringLiteral("/abs//b.mp3"), folder), QStringLiteral("/abs/b.mp3"));
    EXPECT_EQ(resolvePlaylistLine(QStringLiteral("file:///srv/a%20b.mp3"), folder), QStringLiteral("/srv/a b.mp3"));
    // An address the player does not play is still what the line says: whether it plays is asked apart.
    EXPECT_EQ(resolvePlaylistLine(QStringLiteral("udp://@:5004"), folder), QStringLiteral("udp://@:5004"));
    EXPECT_EQ(resolvePlaylistLine(QStringLiteral("file://elsewhere/a.mp3"), folder), std::nullopt);
    EXPECT_EQ(resolvePlaylistLine(QString(), folder), std::nullopt);
    EXPECT_EQ(resolvePlaylistLine(QStringLiteral("a\nb"), folder), std::nullopt);
    EXPECT_EQ(resolvePlaylistLine(QStringLiteral("a") + QChar(0), folder), std::nullopt);

    EXPECT_EQ(mediaUri(QStringLiteral("/a b.mp3")), QStringLiteral("file:///a%20b.mp3"));
    EXPECT_EQ(mediaUri(QStringLiteral("http://radio.example/s")), QStringLiteral("http://radio.example/s"));
    EXPECT_EQ(mediaUri(QStringLiteral("/C:/x.mp3")), QStringLiteral("file:///C:/x.mp3"));
}

} // namespace
