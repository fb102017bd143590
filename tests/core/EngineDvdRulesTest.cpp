// The DVD commands' availability and meaning, place by place, without libvlc.
#include "core/VlcDvd.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

DvdPlace running(int title, int chapter, bool canResume = false)
{
    DvdPlace place;
    place.loaded = true;
    place.running = true;
    place.title = title;
    place.chapter = chapter;
    place.canResume = canResume;
    return place;
}

using Action = std::optional<DvdAction>;

TEST(EngineDvdRules, EachCommandActsOnlyWhereItMovesTheDisc)
{
    struct Case
    {
        const char* where;
        DvdPlace place;
        Action back, resume, titleMenu, topMenu;
    };
    const Action none;
    const Case cases[] = {
        {"in a title", running(1, 0), DvdAction::ShowRootMenu, none, DvdAction::ShowTitleMenu,
         DvdAction::ShowRootMenu},
        {"title menu at start", running(0, 1), none, none, none, DvdAction::ShowRootMenu},
        {"title menu left from a title", running(0, 1, true), none, DvdAction::Resume, none,
         DvdAction::ShowRootMenu},
        {"root menu left from a title", running(0, 2, true), DvdAction::ShowTitleMenu, DvdAction::Resume,
         DvdAction::ShowTitleMenu, none},
        {"a chapter menu", running(0, 5), DvdAction::ShowTitleMenu, none, DvdAction::ShowTitleMenu,
         DvdAction::ShowRootMenu},
        {"title not known yet", running(-1, -1), none, none, none, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(dvdActionFor(DvdCommand::Back, c.place), c.back);
        EXPECT_EQ(dvdActionFor(DvdCommand::Resume, c.place), c.resume);
        EXPECT_EQ(dvdActionFor(DvdCommand::TitleMenu, c.place), c.titleMenu);
        EXPECT_EQ(dvdActionFor(DvdCommand::TopMenu, c.place), c.topMenu);
        EXPECT_EQ(dvdItemAvailable("back", c.place), c.back.has_value());
        EXPECT_EQ(dvdItemAvailable("resume", c.place), c.resume.has_value());
        EXPECT_EQ(dvdItemAvailable("titleMenu", c.place), c.titleMenu.has_value());
        EXPECT_EQ(dvdItemAvailable("topMenu", c.place), c.topMenu.has_value());
        EXPECT_TRUE(dvdItemAvailable("dvd", c.place));
    }
}

TEST(EngineDvdRules, NothingIsAvailableWithoutARunningDisc)
{
    DvdPlace file = running(1, 0);
    file.loaded = false;
    DvdPlace stopped = running(1, 0);
    stopped.running = false;
    for (const char* item : {"dvd", "back", "resume", "titleMenu", "topMenu"})
        EXPECT_FALSE(dvdItemAvailable(item, file)) << item;
    EXPECT_TRUE(dvdItemAvailable("dvd", stopped));
    for (const char* item : {"back", "resume", "titleMenu", "topMenu", "Resume", "", "menu"})
        EXPECT_FALSE(dvdItemAvailable(item, stopped)) << item;
}

TEST(EngineDvdRules, LeavingATitleForAMenuMakesItResumable)
{
    DvdPlace place = running(-1, -1);
    place = dvdTitleChanged(place, 0); // the disc opens at a menu: nothing to resume
    EXPECT_FALSE(place.canResume);
    place = dvdTitleChanged(place, 1);
    EXPECT_FALSE(place.canResume);
    place.chapter = 1;
    place = dvdTitleChanged(place, 0);
    EXPECT_TRUE(place.canResume);
    EXPECT_EQ(place.chapter, 1); // libvlc reports a chapter only when its number changes
    place = dvdTitleChanged(place, 0);
    EXPECT_TRUE(place.canResume);
}

} // namespace
