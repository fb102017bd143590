// The libvlc engine on a DVD that the test builds: chapters, menus and resume, told apart by the colour
// of the pictures that reach the video surface.
#include "EngineTestSupport.h"
#include "core/Failure.h"
#include "core/VlcEngine.h"
#include "support/MediaFixtures.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::test;

namespace {

class VlcEngineDvd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const QString missing = MediaFixtures::missingTools({"ffmpeg", "spumux", "dvdauthor"});
            !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        videoTs = MediaFixtures::dvd();
        featureFirst = MediaFixtures::dvd(MediaFixtures::FirstPlay::Title1);
        ASSERT_FALSE(videoTs.isEmpty() || featureFirst.isEmpty()) << MediaFixtures::lastError().toStdString();
        engine.setVideoSurface(&surface);
    }

    // Waits until the pictures show `shade`; a frame from before a command may still be on its way, so
    // the shade must hold for a few frames.
    ::testing::AssertionResult shows(Shade shade, int timeoutMs = 6000)
    {
        int since = -1;
        const bool seen = waitFor(
            [&] {
                if (surface.shade != shade)
                    since = -1;
                else if (since < 0)
                    since = surface.frames;
                return since >= 0 && surface.frames - since >= 3;
            },
            timeoutMs);
        if (seen)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "expected " << shadeName(shade) << ", shows " << shadeName(surface.shade) << " after "
               << surface.frames << " frames";
    }

    bool available(const char* item) { return engine.dvd().isAvailable(QString::fromLatin1(item)); }

    // Menus are still pictures, and a DVD player shows the menu's still only once libvlc's title says
    // so: wait for both.
    bool inMenu()
    {
        return waitFor([&] { return engine.currentMedia().duration() == 0.0; });
    }

    RecordingSurface surface;
    VlcEngine engine{{QStringLiteral("--aout=dummy")}};
    QString videoTs;      // its first-play program shows the title menu
    QString featureFirst; // its first-play program starts title 1
};

TEST_F(VlcEngineDvd, ChaptersMenusResumeAndBackChangeWhatPlays)
{
    engine.setURL(videoTs);
    EXPECT_EQ(engine.playState(), MediaEngine::Ready);
    runEventsFor(300);
    EXPECT_EQ(surface.frames, 0); // loading does not start the disc
    engine.controls().play();
    // The first-play program shows the title menu. libvlc does not tell which menu a first-play program
    // went to, so the menu commands are all offered; only resume has nowhere to go back to.
    ASSERT_TRUE(shows(Shade::Yellow));
    ASSERT_TRUE(inMenu());
    ASSERT_TRUE(waitFor([&] { return available("topMenu"); }));
    EXPECT_FALSE(available("resume"));
    engine.dvd().topMenu();
    ASSERT_TRUE(shows(Shade::Magenta));
    engine.dvd().titleMenu();
    ASSERT_TRUE(shows(Shade::Yellow));
    ASSERT_TRUE(waitFor([&] { return !available("titleMenu"); }));

    // A left click on a menu activates its highlighted button, which starts the title.
    Q_EMIT engine.Click(1, 0, 10, 10); // as the video window raises it
    ASSERT_TRUE(shows(Shade::Green));
    ASSERT_TRUE(waitFor([&] { return engine.currentMedia().duration() > 0; }));
    EXPECT_NEAR(engine.currentMedia().duration(), 16.0, 0.5);
    EXPECT_THROW(engine.dvd().resume(), EngineError);
    engine.controls().next();
    ASSERT_TRUE(shows(Shade::Blue));
    engine.controls().previous();
    ASSERT_TRUE(shows(Shade::Green));
    engine.controls().next();
    ASSERT_TRUE(shows(Shade::Blue));
    ASSERT_TRUE(waitFor([&] { return engine.controls().currentPosition() > 9.0; }));
    const double left = engine.controls().currentPosition();

    // Top menu: the title set's root menu, from which resume returns to the point the title was left.
    engine.dvd().topMenu();
    ASSERT_TRUE(shows(Shade::Magenta));
    ASSERT_TRUE(inMenu());
    ASSERT_TRUE(waitFor([&] { return available("resume"); }));
    engine.dvd().resume();
    ASSERT_TRUE(shows(Shade::Blue));
    ASSERT_TRUE(waitFor([&] { return engine.controls().currentPosition() > left; }));
    EXPECT_LT(engine.controls().currentPosition(), left + 2.5);

    // Title menu, straight from the title; back climbs from the title to the root menu.
    engine.dvd().titleMenu();
    ASSERT_TRUE(shows(Shade::Yellow));
    ASSERT_TRUE(waitFor([&] { return !available("titleMenu"); }));
    EXPECT_THROW(engine.dvd().back(), EngineError); // the title menu is the top
    Q_EMIT engine.Click(1, 0, 10, 10);
    ASSERT_TRUE(shows(Shade::Green));
    ASSERT_TRUE(waitFor([&] { return available("back"); }));
    engine.dvd().back();
    ASSERT_TRUE(shows(Shade::Magenta));
}

TEST_F(VlcEngineDvd, AFirstPlayProgramThatStartsTheFeatureOpensInTitle1AndTheMenusWorkFromThere)
{
    engine.setURL(featureFirst);
    engine.controls().play();
    ASSERT_TRUE(shows(Shade::Green));
    ASSERT_TRUE(waitFor([&] { return engine.currentMedia().duration() > 0; }));
    EXPECT_NEAR(engine.currentMedia().duration(), 16.0, 0.5);
    ASSERT_TRUE(waitFor([&] { return engine.controls().currentPosition() > 2.0; }));
    engine.dvd().topMenu();
    ASSERT_TRUE(shows(Shade::Magenta));
    ASSERT_TRUE(waitFor([&] { return available("resume"); }));
    engine.dvd().resume();
    ASSERT_TRUE(shows(Shade::Green));
    engine.dvd().titleMenu();
    ASSERT_TRUE(shows(Shade::Yellow));
    Q_EMIT engine.Click(1, 0, 10, 10);
    ASSERT_TRUE(shows(Shade::Green));
    ASSERT_TRUE(waitFor([&] { return available("back"); }));
    engine.dvd().back();
    ASSERT_TRUE(shows(Shade::Magenta));
}

TEST_F(VlcEngineDvd, ControlCallsReturnAtOnceWhileTheDiscPlays)
{
    engine.setURL(videoTs);
    engine.controls().play();
    ASSERT_TRUE(shows(Shade::Yellow));
    QElapsedTimer clock;
    qint64 slowest = 0;
    const auto timed = [&](auto call) {
        clock.start();
        call();
        slowest = std::max(slowest, clock.elapsed());
    };
    timed([&] { engine.controls().setCurrentPosition(5); });
    timed([&] { engine.controls().pause(); });
    timed([&] { engine.controls().play(); });
    timed([&] { engine.dvd().topMenu(); });
    timed([&] { engine.setURL(videoTs); });
    timed([&] { engine.controls().play(); });
    timed([&] { engine.controls().stop(); });
    EXPECT_EQ(engine.playState(), MediaEngine::Stopped);
    EXPECT_TRUE(available("dvd"));
    EXPECT_FALSE(available("titleMenu") || available("resume"));
    timed([&] { engine.setURL(videoTs); });
    timed([&] { engine.controls().play(); });
    timed([&] { engine.setURL(QString()); });
    EXPECT_LT(slowest, 40); // stopping a disc inside libvlc alone takes 10 to 50 ms
    EXPECT_EQ(engine.playState(), MediaEngine::Undefined);
}

} // namespace
