// The libvlc engine drawing into a window of the X server, as it does in the player: the shape chosen
// for the picture changes the width it is drawn at, and the next item is drawn in its own shape.
#include "core/VideoSurface.h"
#include "core/VlcEngine.h"
#include "support/DrawnWidth.h"
#include "support/MediaFixtures.h"
#include "support/WaitFor.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::test;

namespace {

// A native window of 480 by 270 pixels (16:9) for libvlc to draw into.
class WindowSurface final : public QWidget, public VideoSurface
{
public:
    WindowSurface()
    {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(480, 270);
        move(50, 50);
        show();
    }
    std::uintptr_t nativeWindow() override { return std::uintptr_t(winId()); }
    void presentFrame(const QImage&) override {}
    void setFullScreen(bool) override {}
};

TEST(VlcEngineWindow, TheShapeChosenChangesTheDrawnWidthForTheItemAlone)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (tests/e2e/with-xvfb.sh)";
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString squeezed = MediaFixtures::squeezedFilm(20);
    ASSERT_FALSE(squeezed.isEmpty()) << MediaFixtures::lastError().toStdString();
    WindowSurface window;
    VlcEngine engine{{QStringLiteral("--aout=dummy")}};
    engine.setVideoSurface(&window);
    engine.setURL(squeezed);
    engine.controls().play();
    int width = 0;
    const auto drawnAt = [&](int expected) {
        return waitFor([&] { return std::abs((width = drawnWidth(window.winId())) - expected) <= 4; }, 10000);
    };
    // Its header makes the 4:3 picture 16:9: it fills the window's width.
    EXPECT_TRUE(drawnAt(480)) << width;
    engine.video().setAspectRatio("4:3");
    EXPECT_EQ(engine.video().aspectRatio(), "4:3");
    EXPECT_TRUE(drawnAt(360)) << width;
    engine.video().setAspectRatio("1:1");
    EXPECT_TRUE(drawnAt(270)) << width;
    engine.video().setAspectRatio("");
    EXPECT_TRUE(drawnAt(480)) << width;

    engine.video().setAspectRatio("4:3");
    EXPECT_TRUE(drawnAt(360)) << width;
    engine.setURL(squeezed);
    EXPECT_EQ(engine.video().aspectRatio(), "");
    engine.controls().play();
    EXPECT_TRUE(drawnAt(480)) << "the next item in its own shape: " << width;
}

} // namespace
