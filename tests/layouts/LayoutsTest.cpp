// The layouts' pictures are built into the program and every control fits inside its window.
#include "layouts/Layouts.h"
#include "platform/Picture.h"

#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::layouts;

namespace {

void expectButton(const Button& button, const QSize& window)
{
    SCOPED_TRACE(button.name.toStdString());
    const Picture icon = button.properties.read("PICN").value<Picture>();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.isIcon());
    EXPECT_EQ(icon.image().size(), QSize(16, 16));
    EXPECT_TRUE(QRect(QPoint(0, 0), window).contains(button.rect));
}

TEST(Layouts, EveryButtonAndPictureIsBuiltInAndEveryButtonStaysInsideItsWindow)
{
    const MainWindow& main = frmMain();
    for (const Button& button : main.cmdControls)
        expectButton(button, main.window.client);
    expectButton(main.cmdBrowse, main.window.client);
    const TitleStrip& title = frmTitle();
    for (const Button* button : {&title.cmdAbout, &title.cmdHelp, &title.cmdInfo, &title.cmdSettings,
                                 &title.cmdScreen, &title.cmdExit, &title.cmdPlaylist})
        expectButton(*button, title.window.client);
    const PlaylistWindow& playlist = frmPlaylist();
    for (const Button* button : {&playlist.cmdRemove, &playlist.cmdAdd, &playlist.cmdSave, &playlist.cmdBrowse})
        expectButton(*button, playlist.window.client);
    const SettingsWindow& settings = frmSettings();
    for (const Button* button : {&settings.cmdExit, &settings.cmdOk, &settings.cmdCancel})
        expectButton(*button, settings.window.client);
    for (const Image* image : {&frmMain().Image1, &frmMain().Image2}) {
        const auto speaker = Picture::load(image->picture);
        ASSERT_TRUE(speaker) << image->name.toStdString();
        EXPECT_EQ(speaker->image().size(), QSize(16, 15));
    }
    EXPECT_TRUE(Picture::load(frmMain().window.icon));
}

}  // namespace
