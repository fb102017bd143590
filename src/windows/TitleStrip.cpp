#include "TitleStrip.h"

#include "InfoWindow.h"
#include "PlaylistWindow.h"
#include "Program.h"
#include "VideoWindow.h"
#include "core/Failure.h"
#include "core/modINI.h"
#include "platform/ProgramFolder.h"

namespace zendrix {

namespace {
QString trueFalse(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}
}  // namespace

TitleStrip::TitleStrip(Program& program) : Form(layouts::frmTitle().window, Kind::Secondary), m_program(program)
{
    const layouts::TitleStrip& layout = layouts::frmTitle();
    imgIcon = new ImageBox(this, layout.imgIcon.rect, ImageBox::Fit::Centred);
    imgIcon->setObjectName(layout.imgIcon.name);
    // The program icon's 24-pixel image fits the strip's height.
    if (auto icon = Picture::load(layout.imgIcon.picture, nullptr, 24))
        imgIcon->setPicture(*icon);

    const std::pair<SkinButton**, const layouts::Button*> buttons[] = {
        {&cmdAbout, &layout.cmdAbout},       {&cmdHelp, &layout.cmdHelp},     {&cmdInfo, &layout.cmdInfo},
        {&cmdSettings, &layout.cmdSettings}, {&cmdScreen, &layout.cmdScreen}, {&cmdExit, &layout.cmdExit},
        {&cmdPlaylist, &layout.cmdPlaylist},
    };
    for (const auto& [button, buttonLayout] : buttons)
        *button = makeButton(this, *buttonLayout);
    connect(cmdExit, &SkinButton::Click, this, &TitleStrip::cmdExit_Click);
    connect(cmdPlaylist, &SkinButton::Click, this, &TitleStrip::cmdPlaylist_Click);
    connect(cmdScreen, &SkinButton::Click, this, &TitleStrip::cmdScreen_Click);
    connect(cmdInfo, &SkinButton::Click, this, &TitleStrip::cmdInfo_Click);
    connect(cmdHelp, &SkinButton::Click, this, &TitleStrip::cmdHelp_Click);
    connect(cmdAbout, &SkinButton::Click, this, &TitleStrip::cmdAbout_Click);
    connect(cmdSettings, &SkinButton::Click, this, &TitleStrip::cmdSettings_Click);
}

void TitleStrip::cmdExit_Click()
{
    m_program.exit().endNow();
}

std::optional<bool> TitleStrip::toggle(QWidget& window, const QString& key, const std::function<void(bool)>& arrange)
{
    try {
        const bool show = !window.isVisible();
        window.setVisible(show);
        arrange(show);
        (void)m_program.keepGroupOnScreen();
        WriteINI(ConfigPath, QStringLiteral("Player"), key, trueFalse(show));
        return show;
    } catch (const Failure& failure) {
        reportFailure(m_program.messages(), failure.description());
        return std::nullopt;
    }
}

void TitleStrip::cmdPlaylist_Click()
{
    const std::optional<bool> shown = toggle(m_program.frmPlaylist(), QStringLiteral("Playlist"), [this](bool show) {
        if (show)
            m_program.placePlaylist();
    });
    if (!shown)
        return;
    // A missing icon leaves the button's picture as it was; the window is already toggled.
    const QString icon = *shown ? QStringLiteral("/Data/Buttons/listclose.ico") : QStringLiteral("/Data/Buttons/listopen.ico");
    if (auto picture = Picture::load(programPath(icon)))
        cmdPlaylist->setPictureNormal(*picture);
}

void TitleStrip::cmdScreen_Click()
{
    // The title strip sits on the video window while it shows, on the main window while it does not.
    (void)toggle(m_program.frmVideo(), QStringLiteral("Screen"), [this](bool) { m_program.placeTitle(); });
}

void TitleStrip::cmdInfo_Click()
{
    (void)toggle(m_program.frmInfo(), QStringLiteral("Info"), [this](bool show) {
        if (show)
            m_program.placeInfo();
    });
}

void TitleStrip::cmdHelp_Click()
{
    LaunchApp(programPath(QStringLiteral("/Help/Help.pdf")));
}

void TitleStrip::LaunchApp(const QString& pathOrAddress)
{
    (void)m_program.shell().openDocument(pathOrAddress);
}

void TitleStrip::cmdAbout_Click()
{
    m_program.showAbout();
}

void TitleStrip::cmdSettings_Click()
{
    m_program.showSettings();
}

}  // namespace zendrix
