#pragma once

#include <QString>
#include <optional>

namespace zendrix {

// The DVD navigation rules of the engine, kept apart from libvlc so that they can be checked on their own.
//
// libvlc shows a DVD's menus as title 0, a pseudo-title; while it shows, its chapter number tells which
// menu it is (the DVD's menu id less one: 1 the disc's title menu, 2 the root menu of the title set).
// Inside title 0, chapter 0 resumes the title where it was left, chapter 1 calls the root menu and
// chapter 2 the title menu; asking for title 0 from a title calls the root menu.
//
// The commands:
// - titleMenu: the disc's title menu (the menu that lists the titles).
// - topMenu: the root menu of the title set, the disc's main menu.
// - resume: from a menu, back into the title at the point where it was left.
// - back: one level up, the nearest thing libvlc offers to a DVD player's "return": from a title to its
//   root menu, from the root menu or a menu below it to the title menu. The title menu is the top.
// Each is available only when it can act now: a DVD is loaded and running, and the command would move
// somewhere else than where the disc already is.

enum class DvdCommand { Back, Resume, TitleMenu, TopMenu };
enum class DvdAction { ShowRootMenu, ShowTitleMenu, Resume };

struct DvdPlace
{
    bool loaded = false;    // the engine's item is a DVD
    bool running = false;   // its playback has started and not stopped
    int title = -1;         // libvlc's current title; -1 while unknown
    int chapter = -1;       // libvlc's current chapter; in title 0 the menu id less one
    bool canResume = false; // a title was left for the menu now showing

    bool inMenu() const { return title == 0; }
    bool inTitleMenu() const { return inMenu() && chapter == 1; }
    bool inRootMenu() const { return inMenu() && chapter == 2; }
};

// The answer to isAvailable(item) for "dvd", "back", "resume", "titleMenu" and "topMenu"; false for
// any other name.
bool dvdItemAvailable(const QString& item, const DvdPlace& place);

// What a command does from here, or nothing when it is not available.
std::optional<DvdAction> dvdActionFor(DvdCommand command, const DvdPlace& place);

// How the place moves when libvlc reports a new title.
DvdPlace dvdTitleChanged(DvdPlace place, int title);

} // namespace zendrix
